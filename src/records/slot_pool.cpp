#include "records/slot_pool.h"

#include <algorithm>
#include <atomic>

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

std::atomic<size_t> g_nPools{0};
std::atomic<cSlotPool*> g_apPool[cSlotPool::MAX_POOLS];

}  // namespace

// Each thread's lists, one per pool; at the thread's exit they go back to their pools.
struct cSlotPool::LOCALCHAINS {
    CHAIN aChain[MAX_POOLS];
    bool bGone = false;
    ~LOCALCHAINS() {
        bGone = true;
        t_lpLocal = nullptr;
        for (size_t i = 0; i < MAX_POOLS; ++i)
            if (aChain[i].nCount) g_apPool[i].load()->GiveChain(aChain[i]);
    }
};

cSlotPool::cSlotPool(size_t size)
    : m_nSlot(std::max<size_t>((size + 15) / 16 * 16, 16)), m_nIndex(g_nPools.fetch_add(1)) {
    if (m_nIndex < MAX_POOLS) g_apPool[m_nIndex].store(this);
}

cSlotPool::CHAIN* cSlotPool::Local() {
    thread_local LOCALCHAINS chains;
    if (m_nIndex >= MAX_POOLS || chains.bGone) return nullptr;
    if (!OWN_ALLOCATIONS) t_lpLocal = chains.aChain;
    return &chains.aChain[m_nIndex];
}

cSlotPool::CHAIN cSlotPool::TakeChain() {
    {
        const std::lock_guard<std::mutex> lock(m_Lock);
        if (!m_vChain.empty()) {
            const CHAIN chain = m_vChain.back();
            m_vChain.pop_back();
            return chain;
        }
    }
    // A new block, cut into slots that are taken in address order.
    auto* block = static_cast<char*>(::operator new(BLOCK_BYTES));
    {
        const std::lock_guard<std::mutex> lock(m_Lock);
        m_vBlock.push_back(block);
    }
    CHAIN chain;
    for (size_t off = BLOCK_BYTES / m_nSlot * m_nSlot; off >= m_nSlot; off -= m_nSlot) {
        auto* slot = reinterpret_cast<FREESLOT*>(block + off - m_nSlot);
        slot->lpNext = chain.lpHead;
        chain.lpHead = slot;
        ++chain.nCount;
    }
    return chain;
}

void cSlotPool::GiveChain(const CHAIN& chain) {
    const std::lock_guard<std::mutex> lock(m_Lock);
    m_vChain.push_back(chain);
}

void* cSlotPool::TakeSlow() {
    if (OWN_ALLOCATIONS) return ::operator new(m_nSlot);
    CHAIN* local = Local();
    CHAIN one;
    CHAIN& chain = local ? *local : one;
    if (!chain.nCount) chain = TakeChain();
    FREESLOT* slot = Pop(chain);
    // Without a list of its own the thread hands back what the chain kept.
    if (!local && chain.nCount) GiveChain(chain);
    return slot;
}

void cSlotPool::GiveSlow(void* p) {
    if (!p) return;
    if (OWN_ALLOCATIONS) {
        ::operator delete(p);
        return;
    }
    auto* slot = static_cast<FREESLOT*>(p);
    CHAIN* local = Local();
    if (!local) {
        slot->lpNext = nullptr;
        GiveChain(CHAIN{slot, 1});
        return;
    }
    slot->lpNext = local->lpHead;
    local->lpHead = slot;
    if (++local->nCount > BATCH) {
        GiveChain(*local);
        *local = CHAIN();
    }
}
