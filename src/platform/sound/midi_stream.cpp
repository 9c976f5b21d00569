#include "platform/sound/midi_stream.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

}  // namespace

cMidiStream::cMidiStream(std::unique_ptr<iMidiOut> out, bool bVirtualClock, PositionCallback callback)
    : m_pOut(std::move(out)), m_bVirtual(bVirtualClock), m_Callback(std::move(callback)),
      m_Epoch(std::chrono::steady_clock::now()) {
    m_Thread = std::thread(&cMidiStream::ThreadProc, this);
}

cMidiStream::~cMidiStream() {
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_bQuit = true;
    }
    m_Cv.notify_all();
    m_Thread.join();
}

bool cMidiStream::Open(std::string& error) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_bPortOpen = m_pOut && m_pOut->Open(error);
    if (!m_pOut) error = "no MIDI port";
    return m_bPortOpen;
}

void cMidiStream::SetTimeDiv(uint16_t division) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_nDivision = division;
}

void cMidiStream::Out(MIDIHDR* hdr) {
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        hdr->dwFlags = (hdr->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
        m_Queue.push_back(hdr);
    }
    m_Cv.notify_all();
}

void cMidiStream::Restart() {
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_eState == eState::Playing) return;
        const int64_t now = NowLocked();
        if (m_eState == eState::Paused) {
            // The waits left over from the pause go on from now.
            const double shift = static_cast<double>(now - m_nPausedAt);
            m_dLast += shift;
            m_dDue += shift;
        } else {
            m_dLast = static_cast<double>(now);
            m_bHaveDue = false;
        }
        m_eState = eState::Playing;
    }
    m_Cv.notify_all();
}

void cMidiStream::Pause() {
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_eState != eState::Playing) return;
        m_eState = eState::Paused;
        m_nPausedAt = NowLocked();
        if (m_bPortOpen) m_pOut->Reset(m_nPausedAt);
    }
    m_Cv.notify_all();
}

void cMidiStream::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        const bool bWasPlaying = m_eState == eState::Playing;
        m_eState = eState::Stopped;
        for (MIDIHDR* h : m_Queue) h->dwFlags = (h->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        m_Queue.clear();
        m_nPos = 0;
        m_bHaveDue = false;
        m_nTempo = 500000;
        ++m_nGeneration;
        if (bWasPlaying && m_bPortOpen) m_pOut->Reset(NowLocked());
    }
    m_Cv.notify_all();
}

uint64_t cMidiStream::Generation() {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_nGeneration;
}

int64_t cMidiStream::NowMicros() {
    std::lock_guard<std::mutex> lock(m_Lock);
    return NowLocked();
}

int64_t cMidiStream::NowLocked() const {
    if (m_bVirtual) return m_nVirtualNow;
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_Epoch).count();
}

double cMidiStream::MicrosPerTick() const {
    if (m_nDivision & 0x8000) {
        // SMPTE: frames per second (negative in the high byte) times ticks per frame.
        const int fps = -static_cast<int8_t>(m_nDivision >> 8);
        const int tpf = m_nDivision & 0xFF;
        return fps > 0 && tpf > 0 ? 1e6 / (fps * tpf) : 1e6 / 24;
    }
    return static_cast<double>(m_nTempo) / (m_nDivision ? m_nDivision : 1);
}

void cMidiStream::FinishFrontLocked() {
    MIDIHDR* h = m_Queue.front();
    m_Queue.pop_front();
    h->dwFlags = (h->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    m_nPos = 0;
}

void cMidiStream::ThreadProc() {
    std::unique_lock<std::mutex> lock(m_Lock);
    while (!m_bQuit) {
        if (m_eState != eState::Playing || m_Queue.empty()) {
            m_Cv.wait(lock);
            continue;
        }
        MIDIHDR* h = m_Queue.front();
        if (m_nPos + MIDIEVENT_HEADER > h->dwBytesRecorded) {
            FinishFrontLocked();
            continue;
        }
        const uint8_t* ev = h->lpData + m_nPos;
        const uint32_t delta = Le32(ev);
        const uint32_t word = Le32(ev + 8);
        if (!m_bHaveDue) {
            m_dDue = m_dLast + delta * MicrosPerTick();
            m_bHaveDue = true;
        }
        if (m_bVirtual) {
            m_nVirtualNow = std::max(m_nVirtualNow, static_cast<int64_t>(m_dDue + 0.5));
        } else {
            const auto due = m_Epoch + std::chrono::microseconds(static_cast<int64_t>(m_dDue + 0.5));
            if (std::chrono::steady_clock::now() < due) {
                m_Cv.wait_until(lock, due);
                continue;  // the state may have changed meanwhile
            }
        }
        m_dLast = m_dDue;
        m_bHaveDue = false;
        const int64_t now = static_cast<int64_t>(m_dDue + 0.5);
        uint32_t size = MIDIEVENT_HEADER;
        if (word & MEVT_F_LONG) {
            const uint32_t len = word & 0xFFFFFF;
            size += (len + 3) & ~3u;
            if (m_nPos + size > h->dwBytesRecorded) {
                FinishFrontLocked();  // a damaged event ends its buffer
                continue;
            }
            if (m_bPortOpen) m_pOut->LongMsg(ev + MIDIEVENT_HEADER, len, now);
        } else if (((word >> 24) & 0x3F) == MEVT_TEMPO) {
            m_nTempo = word & 0xFFFFFF;
        } else if (((word >> 24) & 0x3F) == MEVT_SHORTMSG) {
            // Channel messages only: the end-of-track marker (0xFF) is never sent.
            const uint8_t status = word & 0xFF;
            if (status >= 0x80 && status < 0xF0 && m_bPortOpen) m_pOut->ShortMsg(word & 0xFFFFFF, now);
        }
        h->dwOffset = m_nPos;
        m_nPos += size;
        if (m_nPos + MIDIEVENT_HEADER > h->dwBytesRecorded) FinishFrontLocked();
        if ((word & MEVT_F_CALLBACK) && m_Callback) m_Callback(h, word, m_nGeneration);
    }
}
