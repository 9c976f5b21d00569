// A flying shot's block check: for every place of small shots of many sizes
// over a grid of mixed blocks, the same answer as asking the cell under each
// corner in turn.
#include "actors/shot.h"
#include "play/play_grid_fixture.h"

namespace {

class ShotBlockTest : public PlayGridTest {};

// Each corner's cell asked in turn: top left, top right, bottom left, bottom right.
bool CornersHit(const cShot& s) {
    const auto hits = [&](double px, double py) {
        const int col = static_cast<int>(px) >> 5, row = static_cast<int>(py) >> 5;
        if (col < 0 || row < 0 || col >= 32) return false;
        return GetBlockHitKindAt((row << 5) + col, s.nKind3) != 0;
    };
    return hits(s.x, s.y) || hits(s.x2, s.y) || hits(s.x, s.y2) || hits(s.x2, s.y2);
}

TEST_F(ShotBlockTest, ASmallShotHitsWhereTheCellUnderACornerHits) {
    // Solid and deadly blocks, blocks that side 1 passes through and blocks
    // with conditions that hold on every other graphic.
    for (int i = 0; i < 32 * 32; i += 5) Cell(i & 31, i >> 5, 1 + i % 2);
    for (int i = 3; i < 32 * 32; i += 11) {
        BlockGrid[i].byPassGroup = 1;
        SyncBlockHit(i);
    }
    for (int i = 1; i < 32 * 32; i += 13) {
        Cell(i & 31, i >> 5, 1);
        BlockGrid[i].wGraphic = static_cast<uint16_t>(1 + i % 2);
        BlockGrid[i].vCond.resize(1);
        SyncBlockHit(i);
    }
    SetBlockCondTest([](const cBlockData& b) { return b.wGraphic == 2 ? 1 : 0; });
    cShot s;
    int n = 0, hits = 0, wrong = 0;
    for (int side : {0, 1})
        for (int w : {0, 1, 9, 16, 31, 32})
            for (int h : {1, 14, 32})
                for (double y = -7.5; y < 1040; y += 6.25)
                    for (double x = -7.5; x < 1040; x += 6.25) {
                        s.nKind3 = side, s.nHitW = w, s.nHitH = h;
                        s.x = x, s.y = y, s.x2 = x + w - 1, s.y2 = y + h - 1;
                        const bool bHit = s.HitsBlock();
                        ++n;
                        hits += bHit;
                        wrong += bHit != CornersHit(s);
                    }
    SetBlockCondTest(nullptr);
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(hits, n / 10);
    EXPECT_LT(hits, n - n / 10);
}

}  // namespace
