#include "platform/system/clock.h"

#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

std::atomic<iClock*> g_pClock{nullptr};

}  // namespace

std::chrono::nanoseconds cSteadyClock::Now() {
    static const auto origin = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - origin);
}

void cSteadyClock::SleepUntil(std::chrono::nanoseconds deadline) {
    // sleep_for against our own origin; wake-ups a little early sleep again.
    for (auto now = Now(); now < deadline; now = Now()) std::this_thread::sleep_for(deadline - now);
}

void cSimulatedClock::SleepUntil(std::chrono::nanoseconds deadline) {
    long long now = m_nNow.load();
    while (now < deadline.count() && !m_nNow.compare_exchange_weak(now, deadline.count())) {
    }
}

namespace {
std::atomic<int> g_nFastMode{-1};  // -1: not read yet
}  // namespace

bool IsFastMode() {
    int n = g_nFastMode.load();
    if (n < 0) {
        const char* v = std::getenv("QV_FAST");
        n = v && std::strcmp(v, "1") == 0;
        g_nFastMode = n;
    }
    return n != 0;
}

void RereadFastMode() { g_nFastMode = -1; }

iClock& TimerClock() {
    if (iClock* p = g_pClock.load()) return *p;
    if (IsFastMode()) {
        static cSimulatedClock simulated;
        return simulated;
    }
    static cSteadyClock steady;
    return steady;
}

void SetTimerClock(iClock* clock) { g_pClock = clock; }
