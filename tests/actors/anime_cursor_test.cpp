// The animation cursor: end codes, locks and repeated requests.
#include "world/anime_cursor.h"

#include <gtest/gtest.h>

namespace {

// Animation 0: pictures 1 (2 ticks) and 2 (1 tick, locked), then `end`;
// animation 1: picture 7 for ever.
std::vector<std::vector<FRAMEITEM>> Table(FRAMEITEM end) {
    return {{{1, 2, 0}, {2, 1, 1}, end}, {{7, 1, 0}, {FRAMEITEM_HOLD, 0, 0}}};
}

std::vector<int32_t> Steps(cAnimeCursor& c, int n) {
    std::vector<int32_t> out;
    for (int i = 0; i < n; ++i) out.push_back(c.Step());
    return out;
}

TEST(AnimeCursorTest, EndCodes) {
    cAnimeCursor c;
    EXPECT_EQ(c.Step(), 0);
    c.Init(Table({FRAMEITEM_HOLD, 0, 0}));
    EXPECT_EQ(Steps(c, 5), (std::vector<int32_t>{1, 2, 2, 2, 2}));
    c.Init(Table({FRAMEITEM_LOOP, 0, 0}));
    EXPECT_EQ(Steps(c, 5), (std::vector<int32_t>{1, 2, 1, 1, 2}));
    c.Init(Table({FRAMEITEM_JUMP, 1, 0}));
    EXPECT_EQ(Steps(c, 4), (std::vector<int32_t>{1, 2, 7, 7}));
    EXPECT_EQ(c.nAnime, 1);
    c.Init(Table({FRAMEITEM_END, 0, 0}));
    EXPECT_EQ(Steps(c, 3), (std::vector<int32_t>{1, 2, FRAMEITEM_END}));
    EXPECT_EQ(c.GetFrame(), FRAMEITEM_END);
}

TEST(AnimeCursorTest, LocksAndRepeatedRequests) {
    cAnimeCursor c;
    c.Init(Table({FRAMEITEM_HOLD, 0, 0}));
    c.Step();
    EXPECT_EQ(c.SetAnime(0, false), 1);
    EXPECT_EQ(c.nTicks, 1);
    c.Step();  // on the locked frame
    EXPECT_EQ(c.SetAnime(1, false), 0);
    EXPECT_EQ(c.Restart(0, false), 0);
    EXPECT_EQ(c.nFrame, 1);
    EXPECT_EQ(c.SetAnime(1, true), 1);
    EXPECT_EQ(c.GetFrame(), 7);
}

}  // namespace
