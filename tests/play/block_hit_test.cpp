// How a block hits objects of each pass-through group.
#include <gtest/gtest.h>

#include <string>

#include "stage/block_data.h"
#include "stage/stage_state.h"

namespace {

class BlockHitTest : public ::testing::Test {
protected:
    BlockHitTest() { ResetStageState(); }
    ~BlockHitTest() override { ResetStageState(); }
};

// The hit kinds for groups 0..7, one digit each.
std::string Kinds(const cBlockData& b) {
    std::string s;
    for (int g = 0; g < 8; ++g) s += static_cast<char>('0' + b.GetBlockHitKind(g));
    return s;
}

cBlockData Block(int hitKind, int passGroup) {
    cBlockData b;
    b.wGraphic = 3;
    b.byHitKind = static_cast<uint8_t>(hitKind);
    b.byPassGroup = static_cast<uint8_t>(passGroup);
    return b;
}

TEST_F(BlockHitTest, HitKindsByPassThroughGroup) {
    EXPECT_EQ(Kinds(Block(1, 255)), "11111111");
    EXPECT_EQ(Kinds(Block(1, 3)), "11101111");
    EXPECT_EQ(Kinds(Block(2, 0)), "02222222");
    EXPECT_EQ(Kinds(Block(0, 255)), "00000000");
    // The empty block never hits, whatever its stored hit kind (an erased cell).
    cBlockData empty = Block(1, 255);
    empty.wGraphic = 0;
    EXPECT_EQ(Kinds(empty), "00000000");
}

TEST_F(BlockHitTest, ConditionsDecideThroughTheInstalledTest) {
    cBlockData b = Block(2, 5);
    b.vCond.resize(1);
    EXPECT_EQ(Kinds(b), "22222022");  // no test installed: conditions hold
    SetBlockCondTest([](const cBlockData& blk) { return blk.byCondMode == 1 ? 1 : 0; });
    EXPECT_EQ(Kinds(b), "00000000");
    b.byCondMode = 1;
    EXPECT_EQ(Kinds(b), "22222022");
    // A block without conditions is not asked about.
    SetBlockCondTest([](const cBlockData&) { return 0; });
    EXPECT_EQ(Kinds(Block(1, 255)), "11111111");
}

}  // namespace
