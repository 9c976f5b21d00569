// The game-object base and the scroll axes: clamps with all their results,
// scaling, per-step speeds, launch velocities, screen and grid tests.
#include "world/game_object.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <utility>

#include "play/world_fixture.h"
#include "stage/stage_data_records.h"
#include "world/scroll_axis.h"

namespace {

class GameObjectTest : public cWorldTest {
protected:
    // A 16 × 16 object with a 32 × 32 cell at (x, y).
    cGameObject Object(double x, double y) {
        cGameObject o;
        o.Setup(1, 1, 0, 1, 0, nullptr, 0, 8, 8, 16, 16, 32, 32, 0, 0, 0);
        o.x = x;
        o.y = y;
        return o;
    }
};

TEST_F(GameObjectTest, ClampXInModeTwoGivesEveryResult) {
    // Stage 20 wide: base limits 320..960, grid edge 640 + 640 = 1280.
    cGameObject o = Object(-3, 400);
    EXPECT_EQ(o.ClampX(2), CLAMP_GRID);
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(o.x2, 15);
    o.x = 1270;
    EXPECT_EQ(o.ClampX(2), CLAMP_GRID);
    EXPECT_EQ(o.x, 1280 - 16);
    o.x = 950;  // right edge 965 in the margin beyond the stage
    EXPECT_EQ(o.ClampX(2), CLAMP_STAGE);
    EXPECT_EQ(o.nColL, 950 >> 5);
    EXPECT_EQ(o.nColR, 965 >> 5);
    o.x = 400;
    EXPECT_EQ(o.ClampX(2), CLAMP_INSIDE);
    // Scroll limits narrower than the stage: result 1 between them.
    lpWorld->ScrollX.SetBounds(5, 12, true, true);  // 480 .. 736
    o.x = 400;
    EXPECT_EQ(o.ClampX(2), CLAMP_SCROLL);
    EXPECT_EQ(o.ClampX(1), CLAMP_SCROLL);
    o.x = 300;
    EXPECT_EQ(o.ClampX(1), CLAMP_INSIDE);
    EXPECT_EQ(o.x, 320);
    o.x = 300;
    EXPECT_EQ(o.ClampX(0), CLAMP_INSIDE);
    EXPECT_EQ(o.x, 480);
    o.x = 300;
    EXPECT_EQ(o.ClampX(9), CLAMP_INSIDE);
    EXPECT_EQ(o.x, 300);
}

TEST_F(GameObjectTest, ClampInModeTwoTakesTheLimitsInTheirOrderWhateverTheirSizes) {
    // Limits in any order of size, positions on and about each of them: the
    // first limit crossed in the order grid, stage, scroll gives the result,
    // whichever limit is the tightest. A 16-dot object: its far edge is x + 15.
    struct CASE {
        int32_t nMin, nMax, nBaseMin, nBaseMax, nOuter;
        double pos;
        int32_t result;  // the X result; on Y a far-side result is 3 higher
        bool bFar;
        double after;
    };
    const CASE kCases[] = {
        {480, 736, 320, 960, 1280, 500, CLAMP_INSIDE, false, 500},
        {480, 736, 320, 960, 1280, 480, CLAMP_INSIDE, false, 480},
        {480, 736, 320, 960, 1280, 479.5, CLAMP_SCROLL, false, 479.5},
        {480, 736, 320, 960, 1280, 720, CLAMP_INSIDE, false, 720},
        {480, 736, 320, 960, 1280, 721, CLAMP_SCROLL, true, 721},
        {480, 736, 320, 960, 1280, 319, CLAMP_STAGE, false, 319},
        {480, 736, 320, 960, 1280, 945, CLAMP_STAGE, true, 945},
        // Scroll limits wider than the stage.
        {100, 1200, 320, 960, 1280, 200, CLAMP_STAGE, false, 200},
        {100, 1200, 320, 960, 1280, 1000, CLAMP_STAGE, true, 1000},
        {100, 1200, 320, 960, 1280, 944, CLAMP_INSIDE, false, 944},
        // The grid narrower than the stage and the scroll limits.
        {400, 800, 320, 960, 700, 684, CLAMP_INSIDE, false, 684},
        {400, 800, 320, 960, 700, 685, CLAMP_GRID, true, 684},
        {400, 800, 320, 960, 700, 690, CLAMP_GRID, true, 684},
        // Limits below 0: the grid's left edge is still 0.
        {-50, 800, -100, 960, 1280, 0, CLAMP_INSIDE, false, 0},
        {-50, 800, -100, 960, 1280, -0.5, CLAMP_GRID, false, 0},
        // The scroll limits crossed over (a far limit below the near one).
        {600, 500, 320, 960, 1280, 550, CLAMP_SCROLL, false, 550},
        {600, 500, 320, 960, 1280, 650, CLAMP_SCROLL, true, 650},
        // A position that is no number crosses nothing.
        {480, 736, 320, 960, 1280, NAN, CLAMP_INSIDE, false, NAN},
    };
    for (const CASE& c : kCases) {
        for (cScrollAxis* a : {&lpWorld->ScrollX, &lpWorld->ScrollY}) {
            a->nMin = c.nMin, a->nMax = c.nMax, a->nBaseMin = c.nBaseMin, a->nBaseMax = c.nBaseMax;
            a->nOuter = c.nOuter;
            a->KeepHoldLimits();
        }
        cGameObject o = Object(c.pos, c.pos);
        SCOPED_TRACE(testing::Message() << c.nMin << ".." << c.nMax << " at " << c.pos);
        EXPECT_EQ(o.ClampX(2), c.result);
        EXPECT_EQ(o.ClampY(2), c.result + (c.bFar ? 3 : 0));
        if (std::isnan(c.after)) {
            EXPECT_TRUE(std::isnan(o.x) && std::isnan(o.y));
        } else {
            EXPECT_EQ(o.x, c.after);
            EXPECT_EQ(o.y, c.after);
            EXPECT_EQ(o.x2, c.after + 15);
        }
    }
}

TEST_F(GameObjectTest, ClampYTellsTheFarSideApart) {
    // Stage 15 high: base limits 320..800, grid edge 640 + 480 = 1120.
    cGameObject o = Object(400, -1);
    EXPECT_EQ(o.ClampY(2), CLAMP_GRID);
    o.y = 790;
    EXPECT_EQ(o.ClampY(2), CLAMP_STAGE_FAR);
    o.y = 1119;
    EXPECT_EQ(o.ClampY(2), CLAMP_GRID_FAR);
    EXPECT_EQ(o.y, 1120 - 16);
    EXPECT_EQ(o.y2, 1119);
}

TEST_F(GameObjectTest, ReclampingAfterAGridClampEqualsClampingTwice) {
    // Grid 1280 wide and 1120 high; objects narrower, as wide and wider.
    const double kPos[] = {-5000, -1, -0.5, 0, 0.75, 100.25, 1119.5, 1263.9, 1270, 1279, 1e9,
                           -INFINITY, INFINITY, NAN};
    for (const int32_t size : {1, 16, 1120, 1121, 1280, 1281, 3000}) {
        for (const double pos : kPos) {
            cGameObject once = Object(pos, pos);
            once.nHitW = once.nHitH = size;
            once.ClampX(2);
            once.ClampY(2);
            cGameObject twice = once;
            twice.ClampX(2);
            twice.ClampY(2);
            once.ReclampX();
            once.ReclampY();
            SCOPED_TRACE(testing::Message() << size << " at " << pos);
            EXPECT_EQ(std::memcmp(&once.x, &twice.x, sizeof(double)), 0);
            EXPECT_EQ(std::memcmp(&once.y, &twice.y, sizeof(double)), 0);
            EXPECT_EQ(std::memcmp(&once.x2, &twice.x2, sizeof(double)), 0);
            EXPECT_EQ(std::memcmp(&once.y2, &twice.y2, sizeof(double)), 0);
            EXPECT_EQ(once.nColL, twice.nColL);
            EXPECT_EQ(once.nColR, twice.nColR);
            EXPECT_EQ(once.nRowT, twice.nRowT);
            EXPECT_EQ(once.nRowB, twice.nRowB);
        }
    }
}

TEST_F(GameObjectTest, ScalingTwiceMovesASixteenWideObjectEightLeft) {
    cGameObject o = Object(400, 400);
    o.SetScale(2, 1, lpWorld);
    EXPECT_EQ(o.x, 392);
    EXPECT_EQ(o.nHitW, 32);
    EXPECT_EQ(o.nHitH, 32);
    EXPECT_EQ(o.nCellW, 64);
    EXPECT_EQ(o.nCellOffX, 16);
    o.SetScale(2, 2, lpWorld);
    EXPECT_EQ(o.x, 392);
}

TEST_F(GameObjectTest, BlockHitSettingsAndSpeeds) {
    cGameObject o;
    o.SetBlockHit(0);
    EXPECT_EQ(o.bScreen, 0);
    EXPECT_EQ(o.nBlockMode, BLOCKMODE_HIT);
    o.SetBlockHit(3);
    EXPECT_EQ(o.bScreen, 1);
    EXPECT_EQ(o.nBlockMode, BLOCKMODE_DIE);
    o.SetBlockHit(4);
    EXPECT_EQ(o.nBlockMode, BLOCKMODE_DIE);

    EXPECT_DOUBLE_EQ(cGameObject::DotsPerSecToFrame(600), 10.0);
    double vx = 7, vy = 7;
    cGameObject::CalcLaunchVelocity(vx, vy, 5, 0, 0);
    EXPECT_EQ(vx, 0);
    EXPECT_EQ(vy, 0);
    vx = vy = 7;
    cGameObject::CalcLaunchVelocity(vx, vy, 0, 3, 4);
    EXPECT_EQ(vx, 7);
    EXPECT_EQ(vy, 7);
    // speed -1 straight up at v = 1: c = -1, -(sqrt(129) - 1) / 2.
    cGameObject::CalcLaunchVelocity(vx, vy, 255, 0, 10);
    EXPECT_EQ(vx, 0);
    EXPECT_NEAR(vy, -(std::sqrt(129.0) - 1) / 2, 1e-12);

    // The speed limit per step at level 1 is 6 dots.
    cGameObject m = Object(400, 400);
    m.dSpeedX = 20;
    m.LimitMoveSpeed(2);
    EXPECT_EQ(m.x, 406);
    m.dDecel = 0.5;
    double s = 0.3;
    m.Decelerate(s, 1);
    EXPECT_EQ(s, 0);
    s = -1;
    m.Decelerate(s, 0);
    EXPECT_EQ(s, -1);
}

TEST_F(GameObjectTest, ScreenAndRemovalTests) {
    cGameObject o = Object(700, 400);
    lpWorld->ScrollX.dPos = 320;
    lpWorld->ScrollY.dPos = 320;
    o.x2 = 715;
    o.y2 = 415;
    EXPECT_TRUE(o.IsOnScreen());
    o.UpdateScreenRect();
    EXPECT_EQ(o.nScrLeft, 700 - 8 - 320);
    EXPECT_EQ(o.nScrRight, o.nScrLeft + 31);
    o.x = 960;
    o.x2 = 975;
    EXPECT_FALSE(o.IsOnScreen());
    EXPECT_TRUE(o.IsOnScreenAxes(true, false));
    EXPECT_TRUE(o.IsInStage(true));
    EXPECT_FALSE(o.IsInStage(false));

    cStageIntRec rule;
    rule.Set(0, 1, 0, 0, 0, 2, 0, 0);  // right switch, 2 cells beyond the screen
    EXPECT_FALSE(o.IsBeyondScrollEdge(rule));
    o.x = 1024;  // 320 + 640 + 64
    EXPECT_TRUE(o.IsBeyondScrollEdge(rule));
    o.nKeep = 1;
    EXPECT_FALSE(o.IsBeyondScrollEdge(rule));
    o.nKeep = 0;
    rule.Set(0, 0, 0, 0, 0, 0, 0, 0);
    o.x = 0;  // touches the grid edge
    EXPECT_TRUE(o.IsBeyondScrollEdge(rule));
}

// The removal test as every object worked it out from the scroll, an edge
// switched off left untested.
bool BeyondAlone(const cGameObject& o, const cStageIntRec& rule) {
    const cScrollAxis& sx = lpWorld->ScrollX;
    const cScrollAxis& sy = lpWorld->ScrollY;
    const int32_t* v = rule.nValue;
    if (o.nKeep) return false;
    if (v[0] && o.x2 <= static_cast<int32_t>(sx.dPos - v[4] * 32.0)) return true;
    if (v[1] && o.x >= static_cast<int32_t>(v[5] * 32.0 + sx.dPos + 640)) return true;
    if (v[2] && o.y2 <= static_cast<int32_t>(sy.dPos - v[6] * 32.0)) return true;
    if (v[3] && o.y >= static_cast<int32_t>(v[7] * 32.0 + sy.dPos + 480)) return true;
    return o.x <= 0 || o.x2 >= sx.nOuter - 1 || o.y <= 0 || o.y2 >= sy.nOuter - 1;
}

TEST_F(GameObjectTest, EdgeLimitsWorkedOutOnceJudgeAsEachObjectWorkedOutAlone) {
    // The removal test as every object worked it out from the scroll.
    const double kScroll[] = {0, 0.5, 319.75, 320, 640.25, -3.5};
    const double kPos[] = {-40, -0.5, 0, 0.25, 31, 250.5, 288, 320, 639.5, 960, 1000.75, 1263, 1279, 1400};
    int32_t nBeyond = 0, nKept = 0, nHeld = 0;
    for (int32_t edges = 0; edges < 16; ++edges) {
        cStageIntRec rule;
        rule.Set(edges & 1, edges >> 1 & 1, edges >> 2 & 1, edges >> 3 & 1, edges % 3, 2, edges % 5 - 1, 1);
        for (const double scroll : kScroll) {
            lpWorld->ScrollX.dPos = scroll;
            lpWorld->ScrollY.dPos = scroll / 2;
            const cScrollEdgeLimits limits(rule);
            for (const double px : kPos) {
                for (const double py : kPos) {
                    cGameObject o = Object(px, py);
                    o.x2 = px + 15;
                    o.y2 = py + 15;
                    o.nKeep = (px == 960 && py == 0) ? 1 : 0;
                    SCOPED_TRACE(testing::Message() << edges << " " << scroll << " " << px << "," << py);
                    const bool want = BeyondAlone(o, rule);
                    EXPECT_EQ(limits.Beyond(o), want);
                    EXPECT_EQ(o.IsBeyondScrollEdge(rule), want);
                    // Cells around the rectangle, of one more cell each way
                    // or not: when the box holds them, the object is not beyond.
                    for (const int32_t m : {0, 1}) {
                        const double l = (std::floor(px / 32) - m) * 32, r = (std::floor(o.x2 / 32) + 1 + m) * 32;
                        const double t = (std::floor(py / 32) - m) * 32, b = (std::floor(o.y2 / 32) + 1 + m) * 32;
                        if (!cScrollEdgeLimits::HoldsCells(limits.InsideBox(), l, t, r, b)) continue;
                        EXPECT_FALSE(want) << m;
                        ++nHeld;
                    }
                    nBeyond += want;
                    nKept += o.nKeep;
                }
            }
        }
    }
    // Both answers and the keep word were met.
    EXPECT_GT(nBeyond, 1000);
    EXPECT_LT(nBeyond, 16 * 6 * 14 * 14 - 1000);
    EXPECT_GT(nKept, 0);
    EXPECT_GT(nHeld, 1000);
}

TEST_F(GameObjectTest, EdgeLimitsMeetNoCoordinateThatIsNoNumberOnAnEdgeSwitchedOff) {
    // Each coordinate on its own, endless or no number: an edge switched off
    // answers nothing, whatever the others.
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double kOdd[] = {kNaN, -kInf, kInf, 300};
    lpWorld->ScrollX.dPos = 320;
    lpWorld->ScrollY.dPos = 160;
    int32_t nBeyond = 0, nCases = 0;
    for (int32_t edges = 0; edges < 16; ++edges) {
        cStageIntRec rule;
        rule.Set(edges & 1, edges >> 1 & 1, edges >> 2 & 1, edges >> 3 & 1, 1, 2, 0, 1);
        const cScrollEdgeLimits limits(rule);
        for (const double x : kOdd)
            for (const double x2 : kOdd)
                for (const double y : kOdd)
                    for (const double y2 : kOdd) {
                        cGameObject o = Object(0, 0);
                        o.x = x, o.x2 = x2, o.y = y, o.y2 = y2;
                        SCOPED_TRACE(testing::Message() << edges << " " << x << "," << x2 << " " << y << "," << y2);
                        const bool want = BeyondAlone(o, rule);
                        EXPECT_EQ(limits.Beyond(o), want);
                        nBeyond += want;
                        ++nCases;
                    }
    }
    EXPECT_GT(nBeyond, 0);
    EXPECT_LT(nBeyond, nCases);
}

TEST_F(GameObjectTest, JudgeRangesAndWaves) {
    double l = 0, r = 0;
    cGameObject::CalcJudgeRange(l, r, 100, 32, 0, 10, false);
    EXPECT_EQ(l, 116);
    EXPECT_EQ(r, 142);
    cGameObject::CalcJudgeRange(l, r, 100, 32, 0, 0, true);
    EXPECT_EQ(l, 100);
    EXPECT_EQ(r, 132);
    EXPECT_TRUE(cGameObject::JudgeOverlap(100, 132, 132, 140));
    EXPECT_FALSE(cGameObject::JudgeOverlap(100, 132, 133, 140));
    double phase = 359;
    EXPECT_NEAR(cGameObject::CalcWaveCos(10, 90, phase, 2, 0), 10 * std::numbers::pi / 2 * std::cos(359 * std::numbers::pi / 2), 1e-9);
    EXPECT_EQ(phase, 1);
}

// The pitch and the limits of whole stages: stage_limits_test.cpp.
TEST(ScrollAxisTest, BoundsAndClamp) {
    cScrollAxis a;
    a.nView = 640;
    a.nBaseMin = 320;
    a.nBaseMax = 960;
    a.SetBounds(0, 0, false, true);  // one cell: the area is smaller than the view
    EXPECT_EQ(a.nMax, 352);
    a.dPos = 500;
    a.Clamp();
    EXPECT_EQ(a.dPos, 320);
    EXPECT_EQ(a.bClamped, 1);
    a.nBaseMax = 1280;
    a.SetBounds(0, 0, false, false);
    a.dPos = 321;
    a.Clamp();
    EXPECT_EQ(a.bClamped, 0);
    a.SetAutoSpeed(true, 600, 60);  // 60 dots a second
    EXPECT_DOUBLE_EQ(a.dAutoStep, 1.0);
    a.Step();
    EXPECT_EQ(a.dPos, 322);
    EXPECT_TRUE(a.IsScrollingFreely());
    a.dPos = 639.5;
    a.Step();
    EXPECT_EQ(a.dPos, 640);  // held at the far limit
    EXPECT_FALSE(a.IsScrollingFreely());
}

}  // namespace
