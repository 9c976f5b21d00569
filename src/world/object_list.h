#pragma once
// A list of heap objects in the order of addition with the names of a
// std::list (emplace_back, front, back, erase, bidirectional iterators that
// yield the object), kept as one array of pointers (cOwnedList): a walk
// streams through the pointers and can ask for the objects a few places
// ahead instead of waiting on each node's link.
//
// The object of a place never moves, so references and pointers to it stay
// good until it is erased. Erasing leaves a hole: a walk in progress keeps
// its place, and erase returns the next object's place. Objects added during
// a walk are reached by it. Compact closes the holes; call it only where no
// iterator is kept.
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>

#include "world/owned_list.h"

template <class T>
class cObjectList {
    using cList = cOwnedList<T>;

public:
    template <bool bConst>
    class cIter {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::conditional_t<bConst, const T*, T*>;
        using reference = std::conditional_t<bConst, const T&, T&>;

        cIter() = default;
        // The first object at place i or after it (the end when none).
        cIter(const cList* l, std::size_t i) : m_l(l), m_i(i) { Skip(); }
        operator cIter<true>() const
            requires(!bConst)
        {
            return cIter<true>(m_l, m_i);
        }
        reference operator*() const { return *m_l->At(m_i); }
        pointer operator->() const { return m_l->At(m_i); }
        cIter& operator++() {
            ++m_i;
            Skip();
            return *this;
        }
        cIter operator++(int) {
            cIter t = *this;
            ++*this;
            return t;
        }
        cIter& operator--() {
            if (m_i > m_l->Places()) m_i = m_l->Places();
            do --m_i;
            while (!m_l->At(m_i));
            return *this;
        }
        cIter operator--(int) {
            cIter t = *this;
            --*this;
            return t;
        }
        bool operator==(const cIter& o) const { return Norm() == o.Norm(); }
        // The place in the array.
        std::size_t Place() const { return m_i; }

    private:
        static constexpr std::size_t kEnd = static_cast<std::size_t>(-1);
        std::size_t Norm() const { return m_i < m_l->Places() ? m_i : kEnd; }
        void Skip() {
            while (m_i < m_l->Places() && !m_l->At(m_i)) ++m_i;
        }
        const cList* m_l = nullptr;
        std::size_t m_i = kEnd;
    };
    using iterator = cIter<false>;
    using const_iterator = cIter<true>;

    std::size_t size() const { return m_l.size(); }
    bool empty() const { return m_l.empty(); }
    iterator begin() { return iterator(&m_l, 0); }
    iterator end() { return iterator(&m_l, kEnd); }
    const_iterator begin() const { return const_iterator(&m_l, 0); }
    const_iterator end() const { return const_iterator(&m_l, kEnd); }
    T& front() { return *begin(); }
    const T& front() const { return *begin(); }
    T& back() { return *m_l.back(); }
    const T& back() const { return *m_l.back(); }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        std::unique_ptr<T> p(new T(std::forward<Args>(args)...));
        m_l.push_back(p.get());
        ++m_nAdded;
        return *p.release();
    }
    void push_back(const T& obj) { emplace_back(obj); }
    void pop_back() { m_l.Erase(m_l.Places() - 1); }
    // Destroys the object at `it`; the next object's place.
    iterator erase(const_iterator it) { return iterator(&m_l, m_l.Erase(it.Place())); }
    void clear() { m_l.clear(); }

    // Walking by place: places 0..Places()-1, holes (null) among them.
    std::size_t Places() const { return m_l.Places(); }
    T* At(std::size_t i) const { return m_l.At(i); }
    // How many objects were ever added: the objects added since a count was
    // taken are the last ones of the list that are still there.
    std::size_t Added() const { return m_nAdded; }
    // Closes the holes, keeping the order.
    void Compact() {
        m_l.Compact([](T*, std::size_t) {});
    }

private:
    static constexpr std::size_t kEnd = static_cast<std::size_t>(-1);
    cList m_l;
    std::size_t m_nAdded = 0;
};
