#pragma once
// Paces frames on absolute deadlines: frame k of a run is due at
// start + k / fps seconds, so rounding never adds up and 60 means 60.
// A run starts at the first call, and again after a stall of more than a
// few frames (a dialog, a load), so that a stall is not made up for by a
// burst of frames. On a simulated clock a frame that is not yet due moves
// the clock to its deadline, so frames run back to back.
#include "platform/system/chrono_types.h"
#include <cstdint>
#include <mutex>

#include "platform/system/clock.h"

class cFramePacer {
public:
    // clock null: the timer clock in use at each call (TimerClock()).
    explicit cFramePacer(iClock* clock = nullptr) : m_pClock(clock) {}

    // True when the next frame is due, and then counts it; fps 0 is always due.
    bool IsDue(uint32_t fps);
    // Sleeps until the next frame is due and counts it.
    void Wait(uint32_t fps);
    // Forgets the run: the next call is due at once and starts a new one.
    void Reset();
    // When the next frame is due (the clock's time line); 0 before a run.
    std::chrono::nanoseconds NextDeadline() const;
    // When the last due frame was let through (the clock's time line); 0 before a run.
    std::chrono::nanoseconds LastDue() const;

    // More than this many frames late starts a new run at the current time.
    static constexpr int MAX_LATE_FRAMES = 3;

private:
    iClock& Clock() const { return m_pClock ? *m_pClock : TimerClock(); }
    std::chrono::nanoseconds DeadlineLocked() const;

    iClock* m_pClock;
    mutable std::mutex m_Lock;
    bool m_bRunning = false;
    uint32_t m_nFps = 0;
    std::chrono::nanoseconds m_SecondStart{0};  // start of the current whole second of the run
    uint32_t m_nFrame = 0;                      // frames counted in that second
    std::chrono::nanoseconds m_LastDue{0};      // when IsDue last returned true
};
