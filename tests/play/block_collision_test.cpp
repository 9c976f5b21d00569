// Characters against solid and deadly cells and against block characters.
#include "play/block_collision.h"

#include "play_grid_fixture.h"

namespace {

using BlockCollisionTest = PlayGridTest;

TEST_F(BlockCollisionTest, EdgesMoveToTheCellBoundary) {
    Cell(3, 6, 1);
    cStageChara c;
    EXPECT_EQ(c.nLastBlockSide, -1);
    for (double x : {100.0, 96.0}) {
        Place(c, 1, x, 200, 20, 20);
        EXPECT_EQ(CheckLeft(c), 0);
        EXPECT_EQ(c.x, 128) << x;
        EXPECT_EQ(c.bContactL, 1);
        EXPECT_EQ(c.nLastBlockSide, 0);  // the side the facing commands read
    }
    Place(c, 1, 81, 200, 20, 20);  // right edge at 100
    EXPECT_EQ(CheckRight(c), 0);
    EXPECT_EQ(c.x, 76);
    EXPECT_EQ(c.x2, 95);
    EXPECT_EQ(c.bContactR, 1);
    EXPECT_EQ(c.nLastBlockSide, 1);
}

TEST_F(BlockCollisionTest, DeadlyBlockKillsThePlayerFromEverySideAndHoldsOthers) {
    Cell(3, 6, 2);
    cPlayer p;
    p.nKind = 0;
    cStageChara c;
    c.nKind = 1;
    const auto sides = [](cChara& ch) {
        std::string s;
        const int kind = ch.nKind;
        const auto Place = [kind](cChara& o, int id, double x, double y, int w, int h) {
            PlayGridTest::Place(o, id, x, y, w, h);
            o.nKind = o.nKind3 = kind;
        };
        Place(ch, 1, 100, 180, 20, 20);  // standing in the cell's top row
        s += static_cast<char>('0' + CheckFloor(ch));
        Place(ch, 1, 100, 220, 20, 20);  // head in the cell
        s += static_cast<char>('0' + CheckCeiling(ch));
        Place(ch, 1, 120, 200, 20, 20);
        s += static_cast<char>('0' + CheckLeft(ch));
        Place(ch, 1, 90, 200, 20, 20);
        s += static_cast<char>('0' + CheckRight(ch));
        return s;
    };
    EXPECT_EQ(sides(p), "2222");
    EXPECT_EQ(sides(c), "0000");
    EXPECT_EQ(c.x2, 95);  // pushed out of the cell like a solid one
    Place(c, 1, 100, 180, 20, 20);
    CheckFloor(c);
    EXPECT_EQ(c.lpStandBlock, &BlockGrid[(6 << 5) + 3]);
    c.nBlockMode = BLOCKMODE_DIE, c.bScreen = 1;  // dies on any block
    Place(c, 1, 120, 200, 20, 20);
    EXPECT_EQ(CheckLeft(c), 2);
}

TEST_F(BlockCollisionTest, WalkerIsPushedByABlockCharacterFromEitherSide) {
    cStageChara& w = scene.lstStageChara.emplace_back();
    Place(w, 1, 100, 200, 20, 30);
    cStageChara& bc = AddBlockChara(2, 115, 190, 32, 32);
    EXPECT_EQ(HitBlockChara(w, scene.BlockCharas), 0);
    EXPECT_DOUBLE_EQ(w.x, 94.5);
    EXPECT_DOUBLE_EQ(bc.x - w.x2, 1.5);
    EXPECT_EQ(w.bWallHit, 1);
    Place(w, 1, 100, 200, 20, 30);
    Place(bc, 2, 73, 190, 32, 32);
    w.dSpeedX = -1;
    w.bContactR = 0;  // a new sub-step
    EXPECT_EQ(HitBlockChara(w, scene.BlockCharas), 0);
    EXPECT_DOUBLE_EQ(w.x, 105.5);
}

TEST_F(BlockCollisionTest, LandingRidesWithinFiveDots) {
    cStageChara& w = scene.lstStageChara.emplace_back();
    Place(w, 1, 100, 200, 20, 30);
    w.dPrevRect[1] = 195;
    w.dSpeedY = 3;
    cStageChara& bc = AddBlockChara(2, 90, 225, 64, 32);
    EXPECT_EQ(HitBlockChara(w, scene.BlockCharas), 0);
    EXPECT_EQ(w.y2, bc.y - 1);
    EXPECT_EQ(w.standingOnObject, 1);
    EXPECT_EQ(w.nCarrierId, 2);
    EXPECT_EQ(w.dSpeedY, 0);
    for (double drop : {4.0, 1.0}) {
        Place(bc, 2, 90, bc.y + drop, 64, 32);
        w.SaveRect();
        HitBlockChara(w, scene.BlockCharas);
        EXPECT_EQ(w.standingOnObject, drop == 4.0 ? 1 : 0) << bc.y - w.y2;
    }
}

TEST_F(BlockCollisionTest, FourCornersInBlockCharactersCrush) {
    cStageChara& w = scene.lstStageChara.emplace_back();
    Place(w, 1, 100, 100, 20, 20);
    const double corners[4][2] = {{95, 95}, {115, 95}, {95, 113}, {115, 113}};
    for (int i = 0; i < 3; ++i) AddBlockChara(2 + i, corners[i][0], corners[i][1], 10, 10);
    const double start[4] = {w.x, w.y, w.x2, w.y2};
    EXPECT_EQ(IsEnclosedByBlockCharas(w, start), 0);
    AddBlockChara(5, corners[3][0], corners[3][1], 10, 10);
    EXPECT_EQ(IsEnclosedByBlockCharas(w, start), 1);
    EXPECT_EQ(HitBlockChara(w, scene.BlockCharas), 2);
}

}  // namespace
