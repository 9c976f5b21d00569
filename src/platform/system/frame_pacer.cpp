#include "platform/system/frame_pacer.h"

using std::chrono::nanoseconds;

namespace {

constexpr long long NS_PER_SECOND = 1000000000LL;

}  // namespace

nanoseconds cFramePacer::DeadlineLocked() const {
    return m_SecondStart + nanoseconds(m_nFrame * NS_PER_SECOND / m_nFps);
}

bool cFramePacer::IsDue(uint32_t fps) {
    if (fps == 0) {
        Reset();
        return true;
    }
    iClock& clock = Clock();
    std::lock_guard<std::mutex> lock(m_Lock);
    nanoseconds now = clock.Now();
    if (!m_bRunning) {
        m_bRunning = true;
        m_SecondStart = now;
        m_nFrame = 0;
    } else if (fps != m_nFps) {
        // A new rate takes over from the deadline already set.
        m_SecondStart = DeadlineLocked();
        m_nFrame = 0;
    }
    m_nFps = fps;
    const nanoseconds deadline = DeadlineLocked();
    if (now < deadline) {
        if (!clock.IsSimulated()) return false;
        clock.SleepUntil(deadline);
        now = deadline;
    }
    if (now - deadline > nanoseconds(MAX_LATE_FRAMES * NS_PER_SECOND / fps)) {
        m_SecondStart = now;
        m_nFrame = 0;
    }
    m_LastDue = now;
    if (++m_nFrame >= fps) {
        // A whole second: it starts the next one exactly.
        m_SecondStart += nanoseconds(NS_PER_SECOND);
        m_nFrame = 0;
    }
    return true;
}

void cFramePacer::Wait(uint32_t fps) {
    while (!IsDue(fps)) Clock().SleepUntil(NextDeadline());
}

void cFramePacer::Reset() {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_bRunning = false;
    m_nFps = 0;
    m_SecondStart = nanoseconds(0);
    m_nFrame = 0;
    m_LastDue = nanoseconds(0);
}

nanoseconds cFramePacer::LastDue() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_LastDue;
}

nanoseconds cFramePacer::NextDeadline() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_bRunning ? DeadlineLocked() : nanoseconds(0);
}
