#include "platform/system/timer.h"

#include "platform/system/chrono_types.h"
#include <mutex>

#include "platform/system/clock.h"

namespace {

constexpr uint64_t METER_SECOND_MS = 1000;

struct TIMERSTATE {
    uint64_t nStopwatchStart = 0;
    uint64_t nLastLap = 0;
    uint32_t nTickCount = 0;
    bool bMeterStarted = false;
    uint64_t nMeterSecondStart = 0;
    uint32_t nMeterFrames = 0;
    uint32_t nMeterRate = 0;
};

std::mutex g_TimerLock;
TIMERSTATE g_Timer;

cFramePacer g_FrameTimePacer;
cFramePacer g_FramePacePacer;

}  // namespace

uint64_t timeGetTime() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(TimerClock().Now()).count());
}

uint64_t StartStopwatch() {
    const uint64_t now = timeGetTime();
    std::lock_guard<std::mutex> lock(g_TimerLock);
    g_Timer.nStopwatchStart = now;
    return now;
}

uint64_t GetStopwatchTime(int bRestart) {
    const uint64_t now = timeGetTime();
    std::lock_guard<std::mutex> lock(g_TimerLock);
    const uint64_t elapsed = now - g_Timer.nStopwatchStart;
    if (bRestart) g_Timer.nStopwatchStart = now;
    return elapsed;
}

uint64_t LapStopwatch(int bStore) {
    const uint64_t now = timeGetTime();
    std::lock_guard<std::mutex> lock(g_TimerLock);
    if (bStore) g_Timer.nLastLap = now - g_Timer.nStopwatchStart;
    return g_Timer.nLastLap;
}

int TickCounter(int mode, uint32_t limit) {
    std::lock_guard<std::mutex> lock(g_TimerLock);
    if (mode == 0) {
        g_Timer.nTickCount = 0;
        return 0;
    }
    if (mode == 2) return g_Timer.nTickCount == 0 ? 1 : 0;
    // A limit lowered below the count still closes the period.
    if (++g_Timer.nTickCount >= limit) {
        g_Timer.nTickCount = 0;
        return 1;
    }
    return 0;
}

uint32_t GetFPS(int bCount) {
    const uint64_t now = timeGetTime();
    std::lock_guard<std::mutex> lock(g_TimerLock);
    TIMERSTATE& t = g_Timer;
    if (!t.bMeterStarted) {
        t.bMeterStarted = true;
        t.nMeterSecondStart = now;
    }
    if (!bCount) return t.nMeterRate;
    if (now - t.nMeterSecondStart >= METER_SECOND_MS) {
        // The frame that closes a second opens the next one, and seconds
        // follow each other exactly, so a steady 60 reads 60.
        t.nMeterRate = t.nMeterFrames;
        t.nMeterSecondStart += METER_SECOND_MS;
        if (now - t.nMeterSecondStart >= METER_SECOND_MS) t.nMeterSecondStart = now;  // after a stall
        t.nMeterFrames = 1;
    } else {
        ++t.nMeterFrames;
    }
    return t.nMeterRate;
}

bool CheckFrameTime(uint32_t fps) { return g_FrameTimePacer.IsDue(fps); }

bool CheckFramePace(uint32_t fps, uint32_t, uint32_t) { return g_FramePacePacer.IsDue(fps); }

cFramePacer& FrameTimePacer() { return g_FrameTimePacer; }
cFramePacer& FramePacePacer() { return g_FramePacePacer; }

void ResetTimers() {
    {
        std::lock_guard<std::mutex> lock(g_TimerLock);
        g_Timer = TIMERSTATE{};
    }
    g_FrameTimePacer.Reset();
    g_FramePacePacer.Reset();
}
