// How a block hits objects of each pass-through group, its conditions asked
// through the installed test.
#include <gtest/gtest.h>

#include <string>

#include "play/play_scene.h"
#include "stage/block_data.h"

namespace {

class BlockHitTest : public ::testing::Test {
protected:
    BlockHitTest() { ResetPlayState(); }
    ~BlockHitTest() override { ResetPlayState(); }
};

// The hit kinds for groups 0..7 of a block with graphic 3 (or none), one digit each.
std::string Kinds(int hitKind, int passGroup, int conds = 0, int graphic = 3) {
    cBlockData b;
    b.wGraphic = static_cast<uint16_t>(graphic), b.byHitKind = static_cast<uint8_t>(hitKind);
    b.byPassGroup = static_cast<uint8_t>(passGroup);
    b.vCond.resize(static_cast<size_t>(conds));
    std::string s;
    for (int g = 0; g < 8; ++g) s += static_cast<char>('0' + b.GetBlockHitKind(g));
    return s;
}

TEST_F(BlockHitTest, HitKindsByPassThroughGroupAndConditions) {
    EXPECT_EQ(Kinds(1, 255), "11111111");
    EXPECT_EQ(Kinds(1, 3), "11101111");
    EXPECT_EQ(Kinds(2, 0), "02222222");
    EXPECT_EQ(Kinds(0, 255), "00000000");
    EXPECT_EQ(Kinds(1, 255, 0, 0), "00000000");  // the empty block (an erased cell) never hits
    EXPECT_EQ(Kinds(2, 5, 1), "22222022");       // no test installed: conditions hold
    SetBlockCondTest([](const cBlockData&) { return 0; });
    EXPECT_EQ(Kinds(2, 5, 1), "00000000");
    EXPECT_EQ(Kinds(2, 5, 0), "22222022");       // a block without conditions is not asked
}

}  // namespace
