#pragma once
// The order in which the last walk over a linked list of objects met them,
// kept so that a walk can ask the processor for the objects some places
// ahead: following the links, a walk learns where the next object lies only
// once it has read the one before, one fetch from memory after another.
//
// The list may change between walks (objects added or taken out): the order
// kept is then off by a few places until the next walk has passed them
// again. That costs no more than a fetch in vain: the places ahead are only
// ever prefetched, never read, so a place naming an object since destroyed
// changes nothing.
#include <cstddef>
#include <vector>

template <class T>
class cWalkAhead {
public:
    // A walk starts at the first object.
    void Begin() { m_nAt = 0; }
    // The object `ahead` places after the walk's current one as the last
    // walk met it, or null. Only to prefetch: it may be gone.
    [[gnu::always_inline]] const T* Ahead(std::size_t ahead) const {
        const std::size_t i = m_nAt + ahead;
        return i < m_vOrder.size() ? m_vOrder[i] : nullptr;
    }
    // The walk passes `obj` (an object it keeps) and moves to the next place.
    [[gnu::always_inline]] void Pass(const T& obj) {
        if (m_nAt < m_vOrder.size()) m_vOrder[m_nAt] = &obj;
        else Append(&obj);
        ++m_nAt;
    }
    // The walk reached the end of the list: the places beyond are forgotten.
    void End() { m_vOrder.resize(m_nAt); }

private:
    // A place beyond those kept: the list grew since the last walk.
    [[gnu::noinline]] void Append(const T* lpObj) { m_vOrder.push_back(lpObj); }
    std::vector<const T*> m_vOrder;
    std::size_t m_nAt = 0;
};

// The links of a std::list node lie just before its object: a walk reads
// them to move on.
template <class T>
[[gnu::always_inline]] inline void PrefetchListLinks(const T& obj) {
    __builtin_prefetch(reinterpret_cast<const char*>(&obj) - 2 * sizeof(void*));
}
