#pragma once
// A clock that tests set by hand; sleeping on it moves it to the deadline.
#include "platform/system/clock.h"

class cManualClock : public iClock {
public:
    std::chrono::nanoseconds Now() override { return m_Now; }
    void SleepUntil(std::chrono::nanoseconds deadline) override {
        if (deadline > m_Now) m_Now = deadline;
    }
    void SetMs(long long ms) { m_Now = std::chrono::milliseconds(ms); }
    void AdvanceMs(long long ms) { m_Now += std::chrono::milliseconds(ms); }
    void Advance(std::chrono::nanoseconds d) { m_Now += d; }

private:
    std::chrono::nanoseconds m_Now{0};
};

// Installs a clock for one test and resets every timer around it.
class cClockScope {
public:
    explicit cClockScope(iClock& clock);
    ~cClockScope();
};
