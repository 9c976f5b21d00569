#pragma once
// A MIDI stream: queued buffers of timed events played to a MIDI port by a
// thread of its own, the way the system's MIDI stream device plays them.
// Buffers hold MIDIEVENT records (delta ticks, stream id, event word, then for
// long messages the parameter bytes padded to 4). An event carrying
// MEVT_F_CALLBACK reports its position once played; a buffer is marked done
// before the position of its last event is reported.
#include <atomic>
#include <condition_variable>  // steady_clock (<chrono> itself does not build with the CP932 charset)
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/sound/midi_out.h"

constexpr uint32_t MHDR_DONE = 0x1;
constexpr uint32_t MHDR_INQUEUE = 0x4;
constexpr uint32_t MEVT_F_CALLBACK = 0x40000000;
constexpr uint32_t MEVT_F_LONG = 0x80000000;
constexpr uint8_t MEVT_SHORTMSG = 0x00;
constexpr uint8_t MEVT_TEMPO = 0x01;
constexpr uint32_t MIDIEVENT_HEADER = 12;  // delta, stream id, event word

// A stream buffer's header.
struct MIDIHDR {
    uint8_t* lpData = nullptr;
    uint32_t dwBufferLength = 0;
    uint32_t dwBytesRecorded = 0;
    uint32_t dwUser = 0;
    std::atomic<uint32_t> dwFlags{0};
    uint32_t dwOffset = 0;  // offset of the event last reported
};

class cMidiStream {
public:
    // Called on the stream's thread when an event with the callback flag was
    // played: its buffer, its event word, and the generation (Stop count) it was played in.
    using PositionCallback = std::function<void(MIDIHDR* hdr, uint32_t word, uint64_t generation)>;

    // bVirtualClock: waits take no time, the clock jumps to each event (tests).
    cMidiStream(std::unique_ptr<iMidiOut> out, bool bVirtualClock, PositionCallback callback);
    ~cMidiStream();
    cMidiStream(const cMidiStream&) = delete;
    cMidiStream& operator=(const cMidiStream&) = delete;

    // Opens the port; false with a reason (the stream then plays to nothing).
    bool Open(std::string& error);
    // Sets the time division of the events' delta times.
    void SetTimeDiv(uint16_t division);
    // Queues a buffer (its bytes recorded are played).
    void Out(MIDIHDR* hdr);
    // Starts or resumes playing.
    void Restart();
    // Pauses; Restart resumes where it stopped. Sounding notes are silenced.
    void Pause();
    // Stops, silences, hands back every queued buffer and rewinds the clock of the stream.
    void Stop();
    // Number of Stop calls so far; reports of an older generation are stale.
    uint64_t Generation();
    // The stream's clock in microseconds.
    int64_t NowMicros();

private:
    enum class eState { Stopped, Playing, Paused };
    void ThreadProc();
    int64_t NowLocked() const;
    double MicrosPerTick() const;
    void FinishFrontLocked();

    std::unique_ptr<iMidiOut> m_pOut;
    bool m_bPortOpen = false;
    const bool m_bVirtual;
    PositionCallback m_Callback;
    std::mutex m_Lock;
    std::condition_variable m_Cv;
    std::deque<MIDIHDR*> m_Queue;
    uint32_t m_nPos = 0;  // offset of the next event in the front buffer
    eState m_eState = eState::Stopped;
    uint16_t m_nDivision = 96;
    uint32_t m_nTempo = 500000;  // microseconds per quarter note
    double m_dLast = 0;          // clock time of the event last played
    double m_dDue = 0;           // clock time of the next event
    bool m_bHaveDue = false;
    int64_t m_nPausedAt = 0;
    int64_t m_nVirtualNow = 0;
    uint64_t m_nGeneration = 0;
    bool m_bQuit = false;
    std::chrono::steady_clock::time_point m_Epoch;
    std::thread m_Thread;
};
