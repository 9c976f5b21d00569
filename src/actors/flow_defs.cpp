#include "actors/flow_defs.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "stage/flow_same.h"

namespace {

// The shared lists by the hash of their flows. An entry dies with the last
// character that holds its list; dead entries are swept as the pool grows.
struct FLOWDEFPOOL {
    std::mutex Lock;
    std::unordered_multimap<uint64_t, std::weak_ptr<const cSafeVector<cFlow>>> Lists;
    size_t nSweepAt = 64;

    void Sweep() {
        std::erase_if(Lists, [](const auto& e) { return e.second.expired(); });
        nSweepAt = std::max<size_t>(64, Lists.size() * 2);
    }
};

FLOWDEFPOOL& Pool() {
    static FLOWDEFPOOL pool;
    return pool;
}

}  // namespace

FLOWDEFS ShareFlowDefs(cSafeVector<cFlow>&& flows) {
    const uint64_t h = FlowListHash(flows);
    FLOWDEFPOOL& pool = Pool();
    std::lock_guard<std::mutex> lock(pool.Lock);
    auto [it, end] = pool.Lists.equal_range(h);
    for (; it != end; ++it) {
        FLOWDEFS live = it->second.lock();
        if (live && SameFlowList(*live, flows)) return live;
    }
    if (pool.Lists.size() >= pool.nSweepAt) pool.Sweep();
    auto list = std::make_shared<const cSafeVector<cFlow>>(std::move(flows));
    pool.Lists.emplace(h, list);
    return list;
}
