#pragma once
// Vectors and lists whose access by index is checked. A bad index is logged
// (index, size, element size) to both logs, the main window is asked to close,
// and a harmless element comes back so that the current frame can finish:
// element 0 of a vector, or a per-type fallback element that keeps whatever is
// written into it (an empty vector gives that fallback element too).
#include <cstdint>
#include <cstddef>
#include <list>
#include <vector>

// Logs the bad access ("err V[..]" or "err L[..]") and posts the close request.
void ReportBadIndex(char kind, int index, int size, int elemSize);

template <class T>
T& SafeFallbackElement() {
    static T element{};
    return element;
}

template <class T, class A = std::allocator<T>>
class cSafeVector : public std::vector<T, A> {
public:
    using std::vector<T, A>::vector;

    T& operator[](int i) {
        if (i >= 0 && static_cast<size_t>(i) < this->size()) return this->data()[i];
        return Bad(i);
    }
    const T& operator[](int i) const { return const_cast<cSafeVector*>(this)->operator[](i); }

    // Sets every element to v.
    void Fill(const T& v) {
        for (int i = 0; i < static_cast<int>(this->size()); ++i) (*this)[i] = v;
    }

private:
    T& Bad(int i) {
        ReportBadIndex('V', i, static_cast<int>(this->size()), static_cast<int>(sizeof(T)));
        if (this->empty()) return SafeFallbackElement<T>();
        return this->data()[0];
    }
};

template <class T>
class cSafeList : public std::list<T> {
public:
    using std::list<T>::list;

    // Walks from the first element: cost grows with the position.
    T& operator[](int i) {
        if (i >= 0 && static_cast<size_t>(i) < this->size()) {
            auto it = this->begin();
            for (int k = 0; k < i; ++k) ++it;
            return *it;
        }
        ReportBadIndex('L', i, static_cast<int>(this->size()), static_cast<int>(sizeof(T)));
        return SafeFallbackElement<T>();
    }
};
