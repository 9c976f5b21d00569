#include "records/slot_pool.h"

#include <algorithm>

namespace {

constexpr size_t BLOCK_BYTES = 64 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool OWN_ALLOCATIONS = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool OWN_ALLOCATIONS = true;
#else
constexpr bool OWN_ALLOCATIONS = false;
#endif
#else
constexpr bool OWN_ALLOCATIONS = false;
#endif

}  // namespace

cSlotPool::cSlotPool(size_t size) : m_nSlot(std::max<size_t>((size + 15) / 16 * 16, 16)) {}

void* cSlotPool::Take() {
    if (OWN_ALLOCATIONS) return ::operator new(m_nSlot);
    const std::lock_guard<std::mutex> lock(m_Lock);
    if (!m_pFree) {
        // A new block, cut into slots that go on the free list in address order.
        auto* block = static_cast<char*>(::operator new(BLOCK_BYTES));
        m_vBlock.push_back(block);
        for (size_t off = BLOCK_BYTES / m_nSlot * m_nSlot; off >= m_nSlot; off -= m_nSlot) {
            auto* slot = reinterpret_cast<FREESLOT*>(block + off - m_nSlot);
            slot->lpNext = m_pFree;
            m_pFree = slot;
        }
    }
    FREESLOT* slot = m_pFree;
    m_pFree = slot->lpNext;
    return slot;
}

void cSlotPool::Give(void* p) {
    if (!p) return;
    if (OWN_ALLOCATIONS) {
        ::operator delete(p);
        return;
    }
    auto* slot = static_cast<FREESLOT*>(p);
    const std::lock_guard<std::mutex> lock(m_Lock);
    slot->lpNext = m_pFree;
    m_pFree = slot;
}
