// The limits a stage sets up for play: the block grid's row pitch and the
// scroll limits of stages from smaller than one screen to wider than one
// pitch, and the stage timer with and without a time limit.
#include <gtest/gtest.h>

#include "play/play_fixture.h"
#include "world/scroll_axis.h"

namespace {

// Where the axis is held when asked to show the far end and the near end.
void ExpectHeldAt(cScrollAxis& a, double far, const char* what) {
    a.dPos = 1e6;
    a.Clamp();
    EXPECT_EQ(a.dPos, far) << what;
    a.dPos = -1e6;
    a.Clamp();
    EXPECT_EQ(a.dPos, 320) << what;
}

TEST(StageScrollLimits, PitchAndLimitsFollowTheStageSize) {
    struct ROW {
        int32_t w, h;
        int32_t shift, pitch;  // the grid's row pitch on X
        double farX, farY;     // the far limit: (size + 10) * 32 - view, never below 320
    };
    const ROW rows[] = {
        {12, 15, 5, 32, 320, 320},    // 32 cells fill a pitch of 32; one screen high
        {13, 30, 6, 64, 320, 800},    // 33 cells need 64
        {45, 9, 7, 128, 1120, 320},   // 65 cells need 128
        {3, 2, 5, 32, 320, 320},      // smaller than one screen both ways
    };
    for (const ROW& r : rows) {
        cStageData st;
        st.nWidth = r.w;
        st.nHeight = r.h;
        st.nScrollKindX = st.nScrollKindY = 1;  // automatic scrolling, 60 dots a second
        st.nAutoScrollX = st.nAutoScrollY = 600;
        cScrollAxis x, y;
        x.SetupX(st, 60);
        y.SetupY(st, 60);
        const std::string what = std::to_string(r.w) + " x " + std::to_string(r.h);
        EXPECT_EQ(x.nPitchShift, r.shift) << what;
        EXPECT_EQ(x.nPitch, r.pitch) << what;
        EXPECT_EQ(x.nCells, r.w + 20) << what;
        EXPECT_EQ(y.nPitch, r.h + 20) << what;
        ExpectHeldAt(x, r.farX, what.c_str());
        ExpectHeldAt(y, r.farY, what.c_str());
        // Automatic scrolling moves an axis only while the stage is longer than the screen.
        for (cScrollAxis* a : {&x, &y}) {
            a->Step();
            const bool longer = (a == &x ? r.farX : r.farY) > 320;
            EXPECT_EQ(a->dPos, longer ? 321 : 320) << what;
            EXPECT_EQ(a->IsScrollingFreely(), longer) << what;
        }
    }
}

class StageTimerTest : public cPlayTest {};

TEST_F(StageTimerTest, AStageWithoutATimeLimitShows999AndNeverRunsOut) {
    struct ROW {
        int32_t bLimit, nLimit;
        int32_t shown;    // the time shown after the set-up
        int32_t outAt;    // the frame the time runs out at (-1: never)
        int32_t after;    // the time shown then
    };
    const ROW rows[] = {{0, 5, 999, -1, 999}, {1, 2, 2, 120, 0}};
    for (const ROW& r : rows) {
        PlayStage.bTimeLimit = r.bLimit;
        PlayStage.nTimeLimit = r.nLimit;
        m_lpScene->SetStage(0, 1);
        EXPECT_EQ(m_lpScene->World.nStageTime, r.shown) << r.bLimit;
        // Longer than the 999 seconds a limit can show.
        int32_t out = -1;
        for (int32_t f = 1; f <= 60 * 1000 && out < 0; ++f)
            if (m_lpScene->StepStageTimer(-1)) out = f;
        EXPECT_EQ(out, r.outAt) << r.bLimit;
        EXPECT_EQ(m_lpScene->World.nStageTime, r.after) << r.bLimit;
    }
}

}  // namespace
