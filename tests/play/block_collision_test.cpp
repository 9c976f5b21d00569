// Characters against solid and deadly cells and against block characters.
#include "play/block_collision.h"

#include <algorithm>
#include <cmath>

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
    cStageChara& w = scene.World.lstStageChara.emplace_back();
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
    cStageChara& w = scene.World.lstStageChara.emplace_back();
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
    cStageChara& w = scene.World.lstStageChara.emplace_back();
    Place(w, 1, 100, 100, 20, 20);
    const double corners[4][2] = {{95, 95}, {115, 95}, {95, 113}, {115, 113}};
    for (int i = 0; i < 3; ++i) AddBlockChara(2 + i, corners[i][0], corners[i][1], 10, 10);
    const double start[4] = {w.x, w.y, w.x2, w.y2};
    EXPECT_EQ(IsEnclosedByBlockCharas(w, start), 0);
    AddBlockChara(5, corners[3][0], corners[3][1], 10, 10);
    EXPECT_EQ(IsEnclosedByBlockCharas(w, start), 1);
    EXPECT_EQ(HitBlockChara(w, scene.BlockCharas), 2);
}

// The cell an edge meets, checked against every sample taken the long way
// (len × i / span, the strongest hit, ties to the middle of a horizontal edge
// and to the first sample of a vertical one) over a grid of empty, solid and
// deadly cells, for edges that start and end on, just before and just after
// cell boundaries and spans wider than the edge needs.
TEST_F(BlockCollisionTest, EdgeCellsAreThoseOfEverySample) {
    for (int col = 0; col < 32; ++col)
        for (int row = 0; row < 32; ++row) Cell(col, row, (col * 7 + row * 3) % 5 < 2 ? (col + row) % 3 : 0);
    const auto reference = [](const cChara& c, double x1, double y1, double x2, double y2) {
        const bool bVertical = x1 == x2;
        const double len = bVertical ? y2 - y1 : x2 - x1;
        int32_t need = static_cast<int32_t>(std::ceil(len / 32.0));
        need = std::max(need, 1);
        const int32_t span = std::max(c.nCellSpan, need);
        int32_t best = -1, bestHit = -1;
        double bestDist = 0;
        for (int32_t i = 0; i <= span; ++i) {
            const double d = len * i / span;
            const double px = bVertical ? x1 : x1 + d, py = bVertical ? y1 + d : y1;
            const int32_t col = static_cast<int32_t>(px) >> 5, row = static_cast<int32_t>(py) >> 5;
            if (col < 0 || row < 0 || col >= 32 || row >= 32) continue;
            const int32_t cell = (row << 5) + col;
            const int32_t hit = GetBlockHitKindAt(cell, c.Side());
            const double dist = std::fabs(d - len / 2);
            if (hit > bestHit || (hit == bestHit && !bVertical && dist < bestDist)) best = cell, bestHit = hit, bestDist = dist;
        }
        return best;
    };
    cStageChara c;
    int checked = 0;
    for (double base : {0.0, 31.0, 32.0, 95.5, 127.0, 300.25, 1000.0}) {
        for (double off : {0.0, -1e-13, 1e-13, 0.999999999999, 0.3}) {
            const double a = base + off;
            for (double len : {0.0, 0.5, 1.0, 19.0, 31.0, 31.999999999999, 32.0, 33.0, 63.0, 64.1, 96.0 - 1e-13}) {
                for (int cellSpan : {0, 1, 2, 3, 7}) {
                    c.nCellSpan = cellSpan;
                    for (int side : {0, 1}) {
                        c.nKind3 = side;
                        const double across = 40.0 + cellSpan * 5.0;
                        EXPECT_EQ(BestEdgeCell(c, a, across, a + len, across), reference(c, a, across, a + len, across))
                            << "horizontal from " << a << " length " << len << " span " << cellSpan;
                        EXPECT_EQ(BestEdgeCell(c, across, a, across, a + len), reference(c, across, a, across, a + len))
                            << "vertical from " << a << " length " << len << " span " << cellSpan;
                        checked += 2;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 7 * 5 * 11 * 5 * 2 * 2);
}

}  // namespace
