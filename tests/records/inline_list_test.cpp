// The inline list against std::vector: the same random sequences of
// operations, run on both, leave the same values after every step, whether
// they lie inside the list or on the heap, through copies and moves.
#include "records/inline_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace {

template <class T, uint32_t N>
void RunAgainstVector(uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
    cInlineList<T, N> list;
    std::vector<T> want;
    for (int step = 0; step < 3000; ++step) {
        const T v = static_cast<T>(rng());
        // Sizes wander around the inline capacity, and well past it now and then.
        const size_t n = static_cast<size_t>(pick(static_cast<int>(N) * 3 + 2));
        switch (pick(15)) {
        case 0: list.push_back(v), want.push_back(v); break;
        case 1:
            if (!want.empty()) list.pop_back(), want.pop_back();
            break;
        case 2: list.resize(n, v), want.resize(n, v); break;
        case 3: list.resize(n), want.resize(n); break;
        case 4: list.assign(n, v), want.assign(n, v); break;
        case 5: {
            std::vector<T> src(n);
            for (T& e : src) e = static_cast<T>(rng());
            list.assign(src.begin(), src.end());
            want = src;
            break;
        }
        case 6: {
            const int at = pick(static_cast<int>(want.size()) + 1);
            EXPECT_EQ(*list.insert(list.begin() + at, v), v);
            want.insert(want.begin() + at, v);
            break;
        }
        case 7: list.clear(), want.clear(); break;
        case 8: {  // copied, and the copy assigned back over the list
            const cInlineList<T, N> copy(list);
            EXPECT_TRUE(copy == list);
            cInlineList<T, N> other{v, v};
            other = copy;
            list = other;
            break;
        }
        case 9: {  // moved out and back: the source is left empty
            cInlineList<T, N> moved(std::move(list));
            EXPECT_TRUE(list.empty());
            cInlineList<T, N> other(n, v);
            other = std::move(moved);
            list = std::move(other);
            break;
        }
        case 10:
            if (!want.empty()) {
                const int at = pick(static_cast<int>(want.size()));
                list[at] = v;
                want[static_cast<size_t>(at)] = v;
            }
            break;
        case 11: {  // a run inserted anywhere, across the inline room or not
            std::vector<T> src(n);
            for (T& e : src) e = static_cast<T>(rng());
            const int at = pick(static_cast<int>(want.size()) + 1);
            T* first = list.insert(list.begin() + at, src.begin(), src.end());
            EXPECT_EQ(first, list.begin() + at);
            want.insert(want.begin() + at, src.begin(), src.end());
            break;
        }
        case 12:
            EXPECT_EQ(list.emplace_back(v), v);
            want.emplace_back(v);
            break;
        case 13: list.reserve(n), want.reserve(n); break;
        default: {  // a differing copy compares unequal
            cInlineList<T, N> copy(list);
            copy.push_back(v);
            EXPECT_FALSE(copy == list);
            break;
        }
        }
        ASSERT_EQ(std::vector<T>(list.begin(), list.end()), want) << "seed " << seed << " step " << step;
        ASSERT_EQ(list.size(), want.size());
        ASSERT_EQ(list.empty(), want.empty());
    }
}

TEST(InlineList, BehavesAsAVectorOverRandomOperations) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        RunAgainstVector<uint8_t, 40>(seed);
        RunAgainstVector<int32_t, 6>(seed);
        RunAgainstVector<int16_t, 1>(seed);
        RunAgainstVector<double, 3>(seed);
    }
}

}  // namespace
