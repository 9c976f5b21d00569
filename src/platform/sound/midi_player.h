#pragma once
// The stream MIDI player: streams a loaded file's format-0 image to a MIDI
// stream (midi_stream.h) through two 24,000-byte buffers that its own thread
// refills on the stream's position reports, and rewinds at the end of the
// track (restarting when looping). Every member is safe from any thread.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sound/midi_out.h"
#include "platform/sound/midi_stream.h"
#include "platform/sound/smf.h"

class cMidi : public cSmf {
public:
    static constexpr int BUFFER_COUNT = 2;
    static constexpr uint32_t BUFFER_SIZE = 24000;
    enum { STATE_STOPPED = 0, STATE_PLAYING = 1, STATE_PAUSED = 2 };

    // Loads path; when it loaded, opens the stream on out (null: the default
    // port) with the first buffer queued. bVirtualClock: see cMidiStream.
    explicit cMidi(const char* path, std::unique_ptr<iMidiOut> out = nullptr, bool bVirtualClock = false);
    ~cMidi() override;

    // Starts (queuing the second buffer) or resumes playing; loop: restart at the end.
    void Restart(int loop);
    // pause 0: stops, rewinds and queues the first buffer again; else pauses while playing.
    void Stop(int pause);
    // 0 stopped, 1 playing, 2 paused.
    int State();
    // Offset of the next event of the image to be put into a buffer.
    uint32_t ReadOffset();
    // Number of buffers the stream holds now.
    int QueuedBuffers();

private:
    struct cMessage {
        bool bQuit = false;
        MIDIHDR* hdr = nullptr;
        uint32_t word = 0;  // the reported event's word
        uint64_t generation = 0;
    };
    void Open(std::unique_ptr<iMidiOut> out, bool bVirtualClock);
    void SendBufferLocked();
    uint32_t FillBuffer(MIDIHDR& hdr, uint32_t from);
    void StopLocked(int pause);
    void RestartLocked(int loop);
    void HandleReportLocked(uint32_t word);
    void ThreadProc();
    void Post(const cMessage& m);
    uint32_t DataEnd() const;

    std::mutex m_Lock;
    int m_nNextBuffer = 0;
    MIDIHDR m_Headers[BUFFER_COUNT];
    std::vector<uint8_t> m_Data[BUFFER_COUNT];
    uint32_t m_nReadOffset = SMF_FIRST_EVENT;
    int m_nState = STATE_STOPPED;
    int m_nLoop = 0;
    bool m_bEndWhilePaused = false;  // the end of the track was reported after a pause
    std::unique_ptr<cMidiStream> m_pStream;

    std::mutex m_QueueLock;
    std::condition_variable m_QueueCv;
    std::deque<cMessage> m_Messages;
    std::thread m_Thread;
};

// Writes the events of a loaded image from offset `from` into hdr's buffer
// (as the player fills its two buffers); returns the offset after the last
// event written. Skipped meta events pass their delta times on to the next
// event written; an event that does not fit is left for the next buffer.
uint32_t FillMidiBuffer(const std::vector<uint8_t>& image, MIDIHDR& hdr, uint32_t from);

// cMidi::Stop (pause) on every player there is.
void StopMidiPlayers(std::vector<std::unique_ptr<cMidi>>& players, int pause);
// Replaces every player by a new one for path on channel and plays it; 1
// playing, 0 not (the extension must be "mid", the file must load). A channel
// out of range is refused.
int PlayMidiFile(std::vector<std::unique_ptr<cMidi>>& players, std::vector<int>& loops, int channel,
                 const char* path, int loop);
