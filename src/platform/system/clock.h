#pragma once
// The clock that timers and frame pacing read. The default is the steady
// clock of the machine; with QV_FAST=1 (read once) it is a simulated clock
// that jumps to every deadline at once, so frames run back to back on a
// 60 fps time line. Tests install a clock of their own.
#include <atomic>
#include "platform/system/chrono_types.h"

class iClock {
public:
    virtual ~iClock() = default;
    // Time since an arbitrary fixed origin; never goes back.
    virtual std::chrono::nanoseconds Now() = 0;
    // Returns once Now() has reached deadline.
    virtual void SleepUntil(std::chrono::nanoseconds deadline) = 0;
    // True when SleepUntil only moves time on (nothing waits).
    virtual bool IsSimulated() const { return false; }
};

// The machine's steady clock, counted from the first use in this process.
class cSteadyClock : public iClock {
public:
    std::chrono::nanoseconds Now() override;
    void SleepUntil(std::chrono::nanoseconds deadline) override;
};

// Time that moves only when somebody sleeps: SleepUntil jumps to the deadline.
class cSimulatedClock : public iClock {
public:
    std::chrono::nanoseconds Now() override { return std::chrono::nanoseconds(m_nNow.load()); }
    void SleepUntil(std::chrono::nanoseconds deadline) override;
    bool IsSimulated() const override { return true; }
    // Moves time on by d (tests).
    void Advance(std::chrono::nanoseconds d) { m_nNow += d.count(); }

private:
    std::atomic<long long> m_nNow{0};
};

// Whether QV_FAST=1 is in force (read at the first call).
bool IsFastMode();
// Makes the next IsFastMode read the variable again (tests).
void RereadFastMode();
// The clock in use: the one installed, else the simulated clock under
// QV_FAST=1, else the steady clock.
iClock& TimerClock();
// Installs a clock (null: back to the default). The caller keeps it alive.
void SetTimerClock(iClock* clock);
