#include "platform/system/timer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/system/manual_clock.h"
#include "support/env_guard.h"

cClockScope::cClockScope(iClock& clock) {
    SetTimerClock(&clock);
    ResetTimers();
}
cClockScope::~cClockScope() {
    SetTimerClock(nullptr);
    ResetTimers();
}

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

class TimerTest : public ::testing::Test {
protected:
    cManualClock clock;
    cClockScope scope{clock};
};

// Polls gate every millisecond for ms milliseconds; returns the times it opened.
template <typename Gate>
std::vector<long long> DueTimes(cManualClock& clock, long long ms, Gate gate) {
    std::vector<long long> due;
    for (long long t = 0; t < ms; ++t, clock.AdvanceMs(1))
        if (gate()) due.push_back(std::chrono::duration_cast<milliseconds>(clock.Now()).count());
    return due;
}

TEST_F(TimerTest, StopwatchMeasuresRestartsAndKeepsItsLap) {
    clock.SetMs(100);
    EXPECT_EQ(StartStopwatch(), 100u);
    clock.AdvanceMs(16);
    EXPECT_EQ(GetStopwatchTime(0), 16u);
    EXPECT_EQ(LapStopwatch(1), 16u);
    clock.AdvanceMs(4);
    EXPECT_EQ(LapStopwatch(0), 16u);  // the stored lap, not the time now
    EXPECT_EQ(GetStopwatchTime(1), 20u);
    clock.AdvanceMs(5);
    EXPECT_EQ(GetStopwatchTime(0), 5u);  // restarted by the call before
}

TEST_F(TimerTest, TimesDoNotWrapAfterFortyNineDays) {
    clock.SetMs(0xFFFFFFFFLL - 5);
    StartStopwatch();
    clock.AdvanceMs(10);
    EXPECT_EQ(GetStopwatchTime(0), 10u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFFFULL + 5);
}

TEST_F(TimerTest, TickCounterClosesEveryLimitAndReportsTheFreshStart) {
    std::vector<int> got;
    for (int i = 0; i < 6; ++i) got.push_back(TickCounter(1, 3));
    EXPECT_EQ(got, (std::vector<int>{0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(TickCounter(2, 3), 1);  // right after the 1
    TickCounter(1, 3);
    EXPECT_EQ(TickCounter(2, 3), 0);
    EXPECT_EQ(TickCounter(0, 3), 0);
    EXPECT_EQ(TickCounter(2, 3), 1);
}

TEST_F(TimerTest, TickCounterWithALoweredLimitStillCloses) {
    for (int i = 0; i < 4; ++i) TickCounter(1, 10);
    EXPECT_EQ(TickCounter(1, 2), 1);
    EXPECT_EQ(TickCounter(2, 2), 1);
}

TEST_F(TimerTest, FpsMeterReadsZeroInTheFirstSecondThenExactlySixty) {
    std::vector<uint32_t> perSecond;
    uint32_t rate = 0;
    for (int frame = 0; frame < 60 * 4; ++frame) {
        // Frames at their 60 fps deadlines, a little late as real frames are.
        clock.Advance(nanoseconds(frame * 1000000000LL / 60 + 400000) - clock.Now());
        rate = GetFPS(1);
        if (frame < 60) {
            EXPECT_EQ(rate, 0u) << frame;
        }
        if (frame % 60 == 59) perSecond.push_back(rate);
    }
    EXPECT_EQ(perSecond, (std::vector<uint32_t>{0, 60, 60, 60}));
}

TEST_F(TimerTest, FpsMeterWithoutCountingOnlyReports) {
    for (int frame = 0; frame <= 30; ++frame) {
        clock.SetMs(frame * 34);  // 30 frames a second
        GetFPS(1);
    }
    EXPECT_EQ(GetFPS(0), 30u);
    clock.AdvanceMs(5000);
    EXPECT_EQ(GetFPS(0), 30u);
}

TEST_F(TimerTest, FpsMeterAfterAStallStartsItsSecondsAfresh) {
    for (int frame = 0; frame <= 60; ++frame) {
        clock.Advance(nanoseconds(frame * 1000000000LL / 60) - clock.Now());
        GetFPS(1);
    }
    clock.AdvanceMs(5000);
    EXPECT_EQ(GetFPS(1), 1u);  // the second before the stall held one frame
    const nanoseconds start = clock.Now();
    uint32_t rate = 0;
    for (int frame = 1; frame <= 60; ++frame) {
        clock.Advance(start + nanoseconds(frame * 1000000000LL / 60) - clock.Now());
        rate = GetFPS(1);
    }
    EXPECT_EQ(rate, 60u);
}

TEST_F(TimerTest, ZeroFpsNeverHoldsAFrameBack) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(CheckFrameTime(0));
        EXPECT_TRUE(CheckFramePace(0, 0, 0));
    }
}

TEST_F(TimerTest, BothGatesOpenExactlySixtyTimesASecondOnTheSameGrid) {
    const std::vector<long long> a = DueTimes(clock, 10000, [] { return CheckFrameTime(60); });
    ResetTimers();
    clock.SetMs(0);
    const std::vector<long long> b = DueTimes(clock, 10000, [] { return CheckFramePace(60, 0, 0); });
    ASSERT_EQ(a.size(), 600u);
    EXPECT_EQ(a, b);
    // Frame k opens at the first millisecond at or after k * 16.667 ms.
    for (size_t k = 0; k < a.size(); ++k) EXPECT_EQ(a[k], static_cast<long long>((k * 1000 + 59) / 60)) << k;
}

TEST_F(TimerTest, GatesHoldTheirOwnRuns) {
    clock.SetMs(0);
    EXPECT_TRUE(CheckFrameTime(60));
    clock.AdvanceMs(5);
    EXPECT_TRUE(CheckFramePace(60, 0, 0));  // its first call
    EXPECT_FALSE(CheckFrameTime(60));
    clock.AdvanceMs(12);
    EXPECT_TRUE(CheckFrameTime(60));   // 17 >= 16.667
    EXPECT_FALSE(CheckFramePace(60, 0, 0));  // due at 21.667
}

class FramePacerTest : public ::testing::Test {
protected:
    cManualClock clock;
    cFramePacer pacer{&clock};
    static nanoseconds Frame(long long k) { return nanoseconds(k * 1000000000LL / 60); }
};

TEST_F(FramePacerTest, ALateFrameIsMadeUpAndTheGridKept) {
    ASSERT_TRUE(pacer.IsDue(60));
    clock.Advance(Frame(1) + milliseconds(20));  // frame 1 starts 20 ms late
    ASSERT_TRUE(pacer.IsDue(60));
    EXPECT_TRUE(pacer.IsDue(60));  // frame 2 was due at 33.3 ms: no wait
    EXPECT_FALSE(pacer.IsDue(60));
    EXPECT_EQ(pacer.NextDeadline(), Frame(3));
}

TEST_F(FramePacerTest, AStallStartsANewRunInsteadOfABurst) {
    ASSERT_TRUE(pacer.IsDue(60));
    clock.AdvanceMs(500);
    ASSERT_TRUE(pacer.IsDue(60));
    EXPECT_FALSE(pacer.IsDue(60));
    EXPECT_EQ(pacer.NextDeadline(), milliseconds(500) + Frame(1));
}

TEST_F(FramePacerTest, WaitSleepsToEachDeadlineWithoutDrift) {
    for (int k = 0; k < 600; ++k) {
        pacer.Wait(60);
        ASSERT_EQ(clock.Now(), Frame(k)) << k;
    }
    pacer.Wait(60);
    EXPECT_EQ(clock.Now(), std::chrono::seconds(10));
}

TEST_F(FramePacerTest, ANewRateGoesOnFromTheDeadlineAlreadySet) {
    ASSERT_TRUE(pacer.IsDue(60));
    clock.Advance(Frame(1));
    ASSERT_TRUE(pacer.IsDue(60));
    EXPECT_FALSE(pacer.IsDue(30));
    EXPECT_EQ(pacer.NextDeadline(), Frame(2));
    clock.Advance(Frame(2) - clock.Now());
    EXPECT_TRUE(pacer.IsDue(30));
    EXPECT_EQ(pacer.NextDeadline(), Frame(2) + nanoseconds(1000000000LL / 30));
}

TEST(FramePacerSimulated, FramesRunBackToBackOnASixtyFpsTimeLine) {
    cSimulatedClock sim;
    cFramePacer pacer(&sim);
    for (int k = 0; k < 120; ++k) ASSERT_TRUE(pacer.IsDue(60)) << k;  // never held back
    EXPECT_EQ(sim.Now(), nanoseconds(119 * 1000000000LL / 60));
    pacer.Wait(60);
    EXPECT_EQ(sim.Now(), std::chrono::seconds(2));
}

}  // namespace

namespace {

// Runs in a fresh process: QV_FAST is read once, at the first use of the clock.
void RunSixSecondsUnderFastMode() {
    cEnvGuard env("QV_FAST", "1");
    RereadFastMode();
    ResetTimers();
    iClock& clock = TimerClock();
    const std::chrono::nanoseconds start = clock.Now();
    int held = 0;
    for (int k = 0; k <= 360; ++k)
        if (!CheckFrameTime(60)) ++held;
    // Every frame was due at once: the simulated clock jumped to each deadline.
    const bool bSixSeconds = clock.Now() - start == std::chrono::seconds(6);
    std::exit(clock.IsSimulated() && held == 0 && bSixSeconds ? 0 : 1);
}

TEST(FastMode, FramesRunBackToBackOnASimulatedSixtyFpsClock) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunSixSecondsUnderFastMode(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
