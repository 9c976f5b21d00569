// The test that lets the block checks of a character skip their edges: it
// never calls a place clear where an edge would meet a block, and what it
// learnt of the block table is dropped when a block changes.
#include "play/block_clear.h"

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

}  // namespace
