// A flying shot's block check: for every place of small shots of many sizes
// over a grid of mixed blocks, the same answer as asking the cell under each
// corner in turn; for large shots, as asking every cell under them. One shot
// walks all places in turn, so the cells it keeps as clear answer most of
// them, and a block set under kept cells is met at once.
#include <initializer_list>

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

// Every cell under the rectangle asked.
bool AnyCellHits(const cShot& s) {
    for (int row = static_cast<int>(s.y) >> 5; row <= static_cast<int>(s.y2) >> 5; ++row)
        for (int col = static_cast<int>(s.x) >> 5; col <= static_cast<int>(s.x2) >> 5; ++col)
            if (col >= 0 && row >= 0 && col < 32 && GetBlockHitKindAt((row << 5) + col, s.nKind3) != 0) return true;
    return false;
}

struct WALK {
    int n = 0, hits = 0, wrong = 0;
    void Expect() const {
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(hits, n / 10);
        EXPECT_LT(hits, n - n / 10);
    }
};

// One shot of each size and side walked over every place in turn (rows of
// places `step` apart), its answer against `expected`.
WALK WalkAllPlaces(std::initializer_list<int> widths, std::initializer_list<int> heights, double step,
                   bool (*expected)(const cShot&)) {
    cShot s;
    WALK r;
    for (int side : {0, 1})
        for (int w : widths)
            for (int h : heights)
                for (double y = -7.5; y < 1040; y += step)
                    for (double x = -7.5; x < 1040; x += step) {
                        s.nKind3 = side, s.nHitW = w, s.nHitH = h;
                        s.x = x, s.y = y, s.x2 = x + w - 1, s.y2 = y + h - 1;
                        const bool bHit = s.HitsBlock();
                        ++r.n;
                        r.hits += bHit;
                        r.wrong += bHit != expected(s);
                    }
    return r;
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
    const WALK r = WalkAllPlaces({0, 1, 9, 16, 31, 32}, {1, 14, 32}, 6.25, CornersHit);
    SetBlockCondTest(nullptr);
    r.Expect();
}

TEST_F(ShotBlockTest, ALargeShotHitsWhereACellUnderItHits) {
    for (int i = 0; i < 32 * 32; i += 7) Cell(i & 31, i >> 5, 1);
    for (int i = 2; i < 32 * 32; i += 9) {
        BlockGrid[i].byPassGroup = 0;
        SyncBlockHit(i);
    }
    WalkAllPlaces({33, 64, 100}, {1, 40, 70}, 5.5, AnyCellHits).Expect();
}

TEST_F(ShotBlockTest, ABlockSetUnderTheKeptCellsIsMet) {
    cShot s;
    s.nHitW = s.nHitH = 8;
    s.x = 100, s.y = 100, s.x2 = 107, s.y2 = 107;
    EXPECT_FALSE(s.HitsBlock());
    s.x += 2, s.x2 += 2;
    EXPECT_FALSE(s.HitsBlock());
    Cell(3, 3, 1);
    EXPECT_TRUE(s.HitsBlock());
    BlockGrid[(3 << 5) + 3].byPassGroup = 0;
    SyncBlockHit((3 << 5) + 3);
    EXPECT_FALSE(s.HitsBlock());
    s.nKind3 = 1;
    EXPECT_TRUE(s.HitsBlock());
}

}  // namespace
