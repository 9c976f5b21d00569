// The test that lets the block checks of a character skip their edges: it
// never calls a place clear where an edge would meet a block, and what it
// learnt of the block table is dropped when a block changes.
#include "play/block_clear.h"

#include <cmath>
#include <vector>

#include "play/block_collision.h"
#include "play/stage_objects.h"
#include "play_grid_fixture.h"

namespace {

using BlockClearTest = PlayGridTest;

// Whether one of the four edges of `c` meets a block, read by the edge
// sampling itself.
bool AnyEdgeHits(const cChara& c) {
    const double edges[4][4] = {{c.x, c.y, c.x, c.y2},
                                {c.x2, c.y, c.x2, c.y2},
                                {c.x, c.y, c.x2, c.y},
                                {c.x, c.y2, c.x2, c.y2}};
    for (const auto& e : edges)
        if (CellHitFor(c, BestEdgeCell(c, e[0], e[1], e[2], e[3])) != 0) return true;
    return false;
}

TEST_F(BlockClearTest, NoPlaceWhereAnEdgeMeetsABlockIsCalledClear) {
    Cell(3, 6, 1);
    Cell(5, 6, 2);
    BlockGrid[(6 << 5) + 5].byPassGroup = 1;  // side 1 passes it
    SyncBlockHit((6 << 5) + 5);
    Cell(0, 0, 1);  // the corner: characters partly outside the grid
    for (int side : {0, 1}) {
        for (int size : {20, 45}) {
            // One character moves through every place, as a walker keeps
            // its cells from one check to the next.
            cStageChara c;
            int clear = 0, blocked = 0;
            const auto probe = [&](double x, double y) {
                Place(c, 1, x, y, size, size);
                c.nKind3 = side;
                const bool bClear = HitsNoBlock(c);
                const bool bHit = AnyEdgeHits(c);
                EXPECT_FALSE(bClear && bHit) << side << " " << size << " at " << x << ", " << y;
                bClear ? ++clear : ++blocked;
            };
            for (double y = 150; y <= 230; y += 0.53)
                for (double x = 40; x <= 200; x += 0.37) probe(x, y);
            // Edges a hair short of a cell boundary.
            for (double x : {96.0 - size - 1e-9, 160.0 - size - 1e-12, 128.0 - size + 0.999999999})
                for (double y : {192.0 - size - 1e-9, 200.0}) probe(x, y);
            for (double y = -40; y <= 40; y += 1.5)
                for (double x = -40; x <= 40; x += 1.5) probe(x, y);
            EXPECT_GT(clear, 1000);
            EXPECT_GT(blocked, 1000);
        }
    }
}

TEST_F(BlockClearTest, EdgesWithinAHairOfABlockAreCalledClearExactlyWhenNoSampleReachesIt) {
    // The right edge (then the bottom edge) ends a hair short of a block's
    // cell, the rest of the rectangle over clear cells: the place is clear
    // exactly when the edge sampling itself meets nothing, whatever the span.
    Cell(3, 6, 1);
    int clear = 0, blocked = 0;
    for (int side : {0, 1})
        for (int span : {0, 1, 3})
            for (int size : {20, 45})
                for (double hair : {std::nextafter(96.0, 0.0) - 96.0, -1e-12, -3e-10, -1e-9, -7e-7, 0.0}) {
                    const double at[2][2] = {{96.0 + hair - (size - 1), 200}, {100, 192.0 + hair - (size - 1)}};
                    for (const auto& p : at) {
                        cStageChara c;
                        Place(c, 1, p[0], p[1], size, size);
                        // Samples fall where x + len × i / span rounds to.
                        c.x += hair * 0.37;
                        c.y += hair * 0.61;
                        c.nKind3 = side;
                        c.nCellSpan = span;
                        const bool bClear = HitsNoBlock(c);
                        EXPECT_EQ(bClear, !AnyEdgeHits(c))
                            << side << " " << span << " " << size << " " << hair << " at " << c.x << ", " << c.y;
                        bClear ? ++clear : ++blocked;
                    }
                }
    // An edge from 52 + 3e-14 ending an ulp short of 96, sampled thrice:
    // len × 3 / 3 rounds up, and the last sample lands on 96 itself.
    cStageChara c;
    Place(c, 1, 52, 200, 45, 45);
    c.x = 52.00000000000003;
    c.x2 = std::nextafter(96.0, 0.0);
    c.nCellSpan = 3;
    ASSERT_TRUE(AnyEdgeHits(c));
    EXPECT_FALSE(HitsNoBlock(c));
    EXPECT_GT(clear, 20);
    EXPECT_GT(blocked, 20);
}

TEST_F(BlockClearTest, ABlockSummonedUnderACharacterThatFoundNothingHoldsIt) {
    cStageChara c;
    Place(c, 1, 100, 200, 20, 20);  // cells (3, 6)
    EXPECT_EQ(PushOutH(c), 0);      // nothing there: the character keeps its cells as clear
    EXPECT_EQ(c.x, 100);
    cBlockData block;
    block.wGraphic = 1;
    block.byHitKind = 1;
    SUMMONSETTINGS settings;
    SummonBlock(96, 192, block, settings);
    ASSERT_EQ(BlockGrid[(6 << 5) + 3].wGraphic, 1);
    EXPECT_EQ(PushOutH(c), 0);
    EXPECT_EQ(c.bContactR, 1);
    EXPECT_EQ(c.x2, 95);  // pushed out to the left of the new block
}

TEST_F(BlockClearTest, ABlockTableBuiltAnewUnderACharacterThatFoundNothingHoldsIt) {
    cStageChara c;
    Place(c, 1, 100, 210, 20, 20);
    EXPECT_EQ(BlockHitV(c), 0);
    EXPECT_EQ(c.lpStandBlock, nullptr);
    BlockGrid[(7 << 5) + 3].wGraphic = 1;
    BlockGrid[(7 << 5) + 3].byHitKind = 1;
    RebuildBlockHits();
    EXPECT_EQ(BlockHitV(c), 0);
    EXPECT_EQ(c.lpStandBlock, &BlockGrid[(7 << 5) + 3]);
}

// The ceiling check answers a top edge within the cells found clear at once:
// over places in, at and past their edges (a slack of 1e-6, the grid's edge),
// it answers and moves as it does without them.
TEST_F(BlockClearTest, ACeilingCheckWithinTheClearCellsAnswersAsTheFullCheck) {
    // Blocks all round cells (3, 6) and (4, 6).
    for (int col = 2; col <= 5; ++col) Cell(col, 5, 1), Cell(col, 7, 1);
    Cell(2, 6, 1);
    Cell(5, 6, 1);
    Cell(4, 6, 2);  // side 1 passes it, side 0 does not
    BlockGrid[(6 << 5) + 4].byPassGroup = 1;
    SyncBlockHit((6 << 5) + 4);
    Cell(3, 0, 1);  // on the grid's top edge
    const auto state = [](const cStageChara& c) {
        return std::vector<double>{c.x, c.y, c.x2, c.y2, c.dSpeedY, c.dPushY, c.dAccelY,
                                   static_cast<double>(c.bContactU), static_cast<double>(c.nRowT)};
    };
    int skipped = 0, hits = 0;
    const auto probe = [&](int side, double keptX, double keptY, double x, double y) {
        cStageChara a, b;
        for (cStageChara* c : {&a, &b}) {
            Place(*c, 1, keptX, keptY, 20, 20);
            c->nKind3 = side;
            ASSERT_TRUE(HitsNoBlock(*c));
            Place(*c, 1, x, y, 20, 20);
            c->dSpeedY = -1;
        }
        b.ClearCells.nSide = -1;  // b has no cells found clear
        if (InKeptClearCells(a, x, y, x + 19, y)) ++skipped;
        const int32_t ra = CheckCeiling(a), rb = CheckCeiling(b);
        EXPECT_EQ(ra, rb) << side << " at " << x << ", " << y;
        EXPECT_EQ(state(a), state(b)) << side << " at " << x << ", " << y;
        if (a.bContactU) ++hits;
    };
    for (int side : {0, 1}) {
        const double keptX = side == 0 ? 100 : 120;  // side 1: cells (3..4, 6)
        for (double y = 185; y <= 230; y += 0.41)
            for (double x = 60; x <= 170; x += 0.37) probe(side, keptX, 200, x, y);
        for (double y : {192.0 - 1e-9, 192.0, 192.0 + 1e-9, 224.0 - 2e-6, 224.0 - 1e-6, 224.0 - 0.5e-6, 224.0})
            for (double x : {96.0 - 1e-9, 96.0, 108.0 - 2e-6, 108.0 - 1e-6, 108.0 - 0.5e-6, 140.0 - 2e-6,
                             140.0 - 0.5e-6, 140.0})
                probe(side, keptX, 200, x, y);
        for (double y = -2; y <= 12; y += 0.75)
            for (double x = 26; x <= 110; x += 0.75) probe(side, 30, 5, x, y);
    }
    EXPECT_GT(skipped, 1000);
    EXPECT_GT(hits, 1000);
}

}  // namespace
