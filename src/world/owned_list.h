#pragma once
// A list of heap objects that it owns, kept as one array of pointers in the
// order of addition, so that a walk streams through the pointers and can ask
// for the objects a few places ahead (a linked list makes each step wait on
// the next node).
//
// Erasing destroys the object at once and leaves a hole in its place: other
// places, and a walk in progress, keep their meaning. Compact closes the
// holes between walks, keeping the order, and tells the caller each moved
// object's new place. Objects added during a walk are reached by it.
//
// T derives from Base, whose destructor is virtual: the list destroys its
// objects through that base, so it can be a member where T is only named;
// the members that hand out T are used where T is complete, those that
// destroy where Base is.
#include <cstddef>
#include <vector>

class cGameObject;

template <class T, class Base = cGameObject>
class cOwnedList {
public:
    // What a place holds: the object (null for a hole), used like a pointer.
    class cRef {
    public:
        cRef() = default;
        explicit cRef(Base* p) : m_p(p) {}
        T* get() const { return static_cast<T*>(m_p); }
        Base* base() const { return m_p; }
        T* operator->() const { return get(); }
        T& operator*() const { return *get(); }
        explicit operator bool() const { return m_p != nullptr; }

    private:
        Base* m_p = nullptr;
    };

    // Walks the objects in order, holes left out. end() is the end of the
    // list whenever it is compared, so objects added on the way are reached.
    class iterator {
    public:
        iterator() = default;
        iterator(const cOwnedList* l, std::size_t i) : m_l(l), m_i(i) { Skip(); }
        const cRef& operator*() const { return m_l->m_v[m_i]; }
        T* operator->() const { return m_l->m_v[m_i].get(); }
        iterator& operator++() {
            ++m_i;
            Skip();
            return *this;
        }
        bool operator==(const iterator& o) const { return Norm() == o.Norm(); }
        // The place in the array.
        std::size_t Place() const { return m_i; }

    private:
        std::size_t Norm() const { return m_i < m_l->m_v.size() ? m_i : kEnd; }
        void Skip() {
            while (m_i < m_l->m_v.size() && !m_l->m_v[m_i]) ++m_i;
        }
        static constexpr std::size_t kEnd = static_cast<std::size_t>(-1);
        const cOwnedList* m_l = nullptr;
        std::size_t m_i = kEnd;
    };

    cOwnedList() = default;
    cOwnedList(const cOwnedList&) = delete;
    cOwnedList& operator=(const cOwnedList&) = delete;
    ~cOwnedList() { clear(); }

    std::size_t size() const { return m_nLive; }
    bool empty() const { return m_nLive == 0; }
    iterator begin() const { return iterator(this, 0); }
    iterator end() const { return iterator(this, static_cast<std::size_t>(-1)); }
    const cRef& front() const { return *begin(); }
    const cRef& back() const { return m_v.back(); }  // the last place is never a hole

    // Takes ownership of `p` at the end; its place.
    std::size_t push_back(T* p) {
        m_v.push_back(cRef(p));
        ++m_nLive;
        return m_v.size() - 1;
    }
    // Destroys the object at `it`; the next object's place.
    iterator erase(iterator it) { return iterator(this, Erase(it.Place())); }
    // Destroys the object at place i (no hole); the place after it.
    std::size_t Erase(std::size_t i) {
        static_assert(sizeof(Base) > 0, "destroys through a complete base");
        Base* p = m_v[i].base();
        m_v[i] = cRef();
        --m_nLive;
        // Holes at the end go at once, so that the last place holds an object.
        if (i + 1 == m_v.size())
            while (!m_v.empty() && !m_v.back()) m_v.pop_back();
        delete p;
        return i + 1;
    }
    // Destroys every object, first to last.
    void clear() {
        static_assert(sizeof(Base) > 0, "destroys through a complete base");
        for (cRef& p : m_v) {
            delete p.base();
            p = cRef();
        }
        m_v.clear();
        m_nLive = 0;
    }

    // Walking by place: places 0..Places()-1, holes (null) among them.
    std::size_t Places() const { return m_v.size(); }
    T* At(std::size_t i) const { return m_v[i].get(); }
    // Closes the holes, never while the list is walked; moved(obj, place)
    // for each object that changed place.
    template <class F>
    void Compact(F moved) {
        if (m_nLive == m_v.size()) return;
        std::size_t n = 0;
        for (std::size_t i = 0; i < m_v.size(); ++i) {
            if (!m_v[i]) continue;
            if (n != i) {
                m_v[n] = m_v[i];
                moved(m_v[n].get(), n);
            }
            ++n;
        }
        m_v.resize(n);
    }

private:
    std::vector<cRef> m_v;
    std::size_t m_nLive = 0;
};
