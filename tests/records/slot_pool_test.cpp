#include "records/slot_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

namespace {

struct SETTING {
    int32_t nValue = 7;
    double dFactor = 1.5;
    uint8_t byBytes[40] = {};
};

// Slots of one size never overlap and are aligned to 16, across more than
// one block; records made through the allocator keep their values, free
// their slots when the last owner goes (on any thread), and the slots
// serve again.
TEST(SlotPool, SlotsAreDistinctAlignedAndServeAgainFromAnyThread) {
    cSlotPool& pool = cSlotPool::OfSize<48>();
    std::vector<void*> taken;
    for (int i = 0; i < 5000; ++i) {  // some 240 KB: several blocks
        void* p = pool.Take();
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
        std::memset(p, i & 0xFF, 48);
        taken.push_back(p);
    }
    std::vector<void*> sorted = taken;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 1; i < sorted.size(); ++i)
        EXPECT_GE(static_cast<char*>(sorted[i]) - static_cast<char*>(sorted[i - 1]), 48);
    for (size_t i = 0; i < taken.size(); ++i)
        EXPECT_EQ(*static_cast<uint8_t*>(taken[i]), static_cast<uint8_t>(i & 0xFF)) << i;
    // Given back on other threads, four at once.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&pool, &taken, t] {
            for (size_t i = static_cast<size_t>(t); i < taken.size(); i += 4) pool.Give(taken[i]);
        });
    for (auto& th : threads) th.join();

    std::vector<boost::shared_ptr<SETTING>> made;
    for (int i = 0; i < 3000; ++i) {
        made.push_back(boost::allocate_shared<SETTING>(cSlotAllocator<SETTING>()));
        made.back()->nValue = i;
    }
    std::set<SETTING*> distinct;
    for (int i = 0; i < 3000; ++i) {
        EXPECT_EQ(made[i]->nValue, i);
        EXPECT_EQ(made[i]->dFactor, 1.5);
        distinct.insert(made[i].get());
    }
    EXPECT_EQ(distinct.size(), 3000u);
    std::thread([moved = std::move(made)]() mutable { moved.clear(); }).join();
}

// Slots that one thread takes and another gives back serve the first thread
// again: the giver hands them over in batches (the last one at its exit), so
// that the pool does not cut new blocks for them. Only the slots left from
// the last block the first round cut can be new.
TEST(SlotPool, SlotsGivenBackOnAnotherThreadServeTheTaker) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "under AddressSanitizer every slot is an allocation of its own";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "under AddressSanitizer every slot is an allocation of its own";
#endif
#endif
    constexpr size_t SIZE = 96, N = 5000, PER_BLOCK = 64 * 1024 / SIZE;
    cSlotPool& pool = cSlotPool::OfSize<SIZE>();
    std::vector<void*> first;
    for (size_t i = 0; i < N; ++i) first.push_back(pool.Take());
    std::thread([&pool, &first] {
        for (void* p : first) pool.Give(p);
    }).join();
    const std::set<void*> before(first.begin(), first.end());
    size_t fresh = 0;
    std::vector<void*> second;
    for (size_t i = 0; i < N; ++i) {
        second.push_back(pool.Take());
        fresh += before.count(second.back()) ? 0 : 1;
    }
    EXPECT_LT(fresh, PER_BLOCK);
    EXPECT_EQ(std::set<void*>(second.begin(), second.end()).size(), N);
    for (void* p : second) pool.Give(p);
}

// A slot owner makes its record with the member initialisers, hands it on
// when moved and destroys it once: on reset, on a move over it, at its end.
TEST(SlotPool, AnOwnerDestroysItsRecordOnce) {
    struct COUNTED {
        int32_t nValue = 7;
        int* lpGone = nullptr;
        ~COUNTED() {
            if (lpGone) ++*lpGone;
        }
    };
    int gone = 0;
    std::set<void*> slots;
    {
        cSlotPtr<COUNTED> a;
        EXPECT_FALSE(a);
        a.emplace().lpGone = &gone;
        EXPECT_EQ(a->nValue, 7);
        slots.insert(a.get());
        cSlotPtr<COUNTED> b(std::move(a));
        EXPECT_FALSE(a);
        ASSERT_TRUE(b);
        EXPECT_EQ(gone, 0);
        cSlotPtr<COUNTED> c;
        c.emplace().lpGone = &gone;
        slots.insert(c.get());
        EXPECT_EQ(slots.size(), 2u);
        b = std::move(c);  // b's first record goes
        EXPECT_EQ(gone, 1);
        b.reset();
        EXPECT_EQ(gone, 2);
        b.reset();
        c.emplace().lpGone = &gone;
        a.emplace().lpGone = &gone;
    }
    EXPECT_EQ(gone, 4);
}

}  // namespace
