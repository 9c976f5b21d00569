#pragma once
// A list of plain values (trivially copyable) that keeps up to N of them
// inside itself and more on the heap: the small lists that records hold by
// the hundred thousand (command parameters, inheritance flags, frame lists)
// take no allocation of their own. It copies, grows and compares as a vector
// does; access by index is checked as cSafeVector's is. The room inside is
// not initialised: only the first size() values are ever read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "records/data_stream.h"
#include "records/safe_container.h"

template <class T, uint32_t N>
class cInlineList {
    static_assert(std::is_trivially_copyable_v<T>, "values are moved as bytes");
    static_assert(N > 0, "at least one value inside");

public:
    static constexpr uint32_t INLINE_NUM = N;
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;
    using size_type = size_t;

    cInlineList() = default;
    cInlineList(std::initializer_list<T> v) { assign(v.begin(), v.end()); }
    cInlineList(size_t n, T v) { assign(n, v); }
    cInlineList(const cInlineList& src) { assign(src.begin(), src.end()); }
    cInlineList(cInlineList&& src) noexcept { TakeFrom(src); }
    cInlineList& operator=(const cInlineList& src) {
        if (this != &src) assign(src.begin(), src.end());
        return *this;
    }
    cInlineList& operator=(cInlineList&& src) noexcept {
        if (this != &src) {
            Release();
            TakeFrom(src);
        }
        return *this;
    }
    ~cInlineList() { Release(); }

    size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    T* data() { return IsInline() ? m_Store.aInline : m_Store.lpHeap; }
    const T* data() const { return IsInline() ? m_Store.aInline : m_Store.lpHeap; }
    T* begin() { return data(); }
    T* end() { return data() + m_nSize; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + m_nSize; }

    // Element i; a bad index is reported as cSafeVector reports it and gives
    // element 0, or the shared fallback element when the list is empty.
    T& operator[](int i) {
        if (i >= 0 && static_cast<size_t>(i) < m_nSize) return data()[i];
        ReportBadIndex('V', i, static_cast<int>(m_nSize), static_cast<int>(sizeof(T)));
        if (m_nSize == 0) return SafeFallbackElement<T>();
        return data()[0];
    }
    const T& operator[](int i) const { return const_cast<cInlineList*>(this)->operator[](i); }
    // Element i; a bad index throws as a vector's at does.
    T& at(size_t i) {
        if (i >= m_nSize) throw std::out_of_range("cInlineList::at");
        return data()[i];
    }
    const T& at(size_t i) const { return const_cast<cInlineList*>(this)->at(i); }
    T& back() { return data()[m_nSize - 1]; }
    const T& back() const { return data()[m_nSize - 1]; }

    void clear() { m_nSize = 0; }
    // Room for n values; the values kept move along.
    void reserve(size_t n) { Reserve(n); }
    // n values: those kept, then copies of v.
    void resize(size_t n, T v = T()) {
        Reserve(n);
        if (n > m_nSize) std::fill(data() + m_nSize, data() + n, v);
        m_nSize = static_cast<uint32_t>(n);
    }
    void assign(std::initializer_list<T> v) { assign(v.begin(), v.end()); }
    void assign(size_t n, T v) {
        m_nSize = 0;
        resize(n, v);
    }
    template <class IT>
        requires(!std::is_integral_v<IT>)
    void assign(IT first, IT last) {
        const auto n = static_cast<size_t>(std::distance(first, last));
        m_nSize = 0;
        Reserve(n);
        std::copy(first, last, data());
        m_nSize = static_cast<uint32_t>(n);
    }
    // n values read from the bytes at src (anywhere, not aligned as T); a
    // few values (a list's usual length) are copied inline, not by a call.
    void AssignBytes(const void* src, size_t n) {
        m_nSize = 0;
        Reserve(n);
        if (n) CopyRunBytes(data(), src, n * sizeof(T));
        m_nSize = static_cast<uint32_t>(n);
    }
    // Room for n values made, fill(data()) writes values in it (those past
    // size() are not initialised until it does); when fill gives true the
    // list is n long, else it keeps its size (with whatever fill wrote).
    template <class FILL>
    bool FillTo(size_t n, FILL fill) {
        Reserve(n);
        if (!fill(data())) return false;
        m_nSize = static_cast<uint32_t>(n);
        return true;
    }
    void push_back(T v) { resize(size_t{m_nSize} + 1, v); }
    // Appends T(args...) and gives it.
    template <class... ARGS>
    T& emplace_back(ARGS&&... args) {
        Reserve(size_t{m_nSize} + 1);
        T* p = ::new (static_cast<void*>(data() + m_nSize)) T(std::forward<ARGS>(args)...);
        ++m_nSize;
        return *p;
    }
    void pop_back() { --m_nSize; }
    // Inserts v before pos; gives where it now lies.
    T* insert(const T* pos, T v) {
        const auto at = static_cast<size_t>(pos - data());
        resize(size_t{m_nSize} + 1);
        T* p = data();
        std::memmove(p + at + 1, p + at, (m_nSize - 1 - at) * sizeof(T));
        p[at] = v;
        return p + at;
    }

    // Inserts the values [first, last) before pos; gives where the first now lies.
    template <class IT>
        requires(!std::is_integral_v<IT>)
    T* insert(const T* pos, IT first, IT last) {
        const auto at = static_cast<size_t>(pos - data());
        const auto n = static_cast<size_t>(std::distance(first, last));
        Reserve(size_t{m_nSize} + n);
        T* p = data();
        std::memmove(p + at + n, p + at, (m_nSize - at) * sizeof(T));
        std::copy(first, last, p + at);
        m_nSize += static_cast<uint32_t>(n);
        return p + at;
    }

    bool operator==(const cInlineList& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

private:
    bool IsInline() const { return m_nCapacity <= N; }
    // Room for n values; the values kept move along.
    void Reserve(size_t n) {
        if (n <= m_nCapacity) return;
        const size_t capacity = std::max<size_t>(n, size_t{m_nCapacity} * 2);
        auto* p = new T[capacity];
        if (m_nSize) std::memcpy(p, data(), size_t{m_nSize} * sizeof(T));
        Release();
        m_Store.lpHeap = p;
        m_nCapacity = static_cast<uint32_t>(capacity);
    }
    void Release() {
        if (!IsInline()) delete[] m_Store.lpHeap;
        m_nCapacity = N;
    }
    // Takes src's values; src is left empty (with its own room).
    void TakeFrom(cInlineList& src) {
        m_nSize = src.m_nSize;
        m_nCapacity = src.m_nCapacity;
        if (src.IsInline()) std::memcpy(m_Store.aInline, src.m_Store.aInline, size_t{src.m_nSize} * sizeof(T));
        else m_Store.lpHeap = src.m_Store.lpHeap;
        src.m_nSize = 0;
        src.m_nCapacity = N;
    }

    uint32_t m_nSize = 0;
    uint32_t m_nCapacity = N;  // N: the values lie in m_Store.aInline
    // The values inside are not initialised: they are copied in as they are added.
    union STORE {
        STORE() : lpHeap(nullptr) {}
        T* lpHeap;
        T aInline[N];
    } m_Store;
};
