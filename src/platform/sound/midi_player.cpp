#include "platform/sound/midi_player.h"

#include <cstring>

#include "platform/system/log.h"
#include "platform/system/file_name.h"
#include "records/safe_container.h"

namespace {

void PutLe32(uint8_t* p, uint32_t x) {
    p[0] = static_cast<uint8_t>(x);
    p[1] = static_cast<uint8_t>(x >> 8);
    p[2] = static_cast<uint8_t>(x >> 16);
    p[3] = static_cast<uint8_t>(x >> 24);
}

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint32_t Be32(const uint8_t* p) { return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

}  // namespace

cMidi::cMidi(const char* path, std::unique_ptr<iMidiOut> out, bool bVirtualClock) : cSmf(path) {
    if (HasImage()) Open(std::move(out), bVirtualClock);
}

cMidi::~cMidi() {
    if (m_Thread.joinable()) {
        Post(cMessage{true, nullptr, 0, 0});
        m_Thread.join();
    }
    m_pStream.reset();  // stops and silences the port before the buffers go
}

void cMidi::Open(std::unique_ptr<iMidiOut> out, bool bVirtualClock) {
    for (int i = 0; i < BUFFER_COUNT; ++i) {
        m_Data[i].assign(BUFFER_SIZE, 0);
        m_Headers[i].lpData = m_Data[i].data();
        m_Headers[i].dwBufferLength = BUFFER_SIZE;
        m_Headers[i].dwUser = static_cast<uint32_t>(i);
    }
    m_Thread = std::thread(&cMidi::ThreadProc, this);
    m_pStream = std::make_unique<cMidiStream>(out ? std::move(out) : CreateMidiOut(), bVirtualClock,
                                              [this](MIDIHDR* hdr, uint32_t word, uint64_t generation) {
                                                  Post(cMessage{false, hdr, word, generation});
                                              });
    std::string error;
    if (!m_pStream->Open(error)) WriteReportEC("Midi %s Open %s", m_Name.c_str(), error.c_str());
    m_pStream->SetTimeDiv(static_cast<uint16_t>((m_Image[12] << 8) | m_Image[13]));
    std::lock_guard<std::mutex> lock(m_Lock);
    m_nReadOffset = SMF_FIRST_EVENT;
    m_nState = STATE_STOPPED;
    SendBufferLocked();
}

uint32_t cMidi::DataEnd() const { return SMF_FIRST_EVENT + Be32(m_Image.data() + 18); }

void cMidi::SendBufferLocked() {
    if (!m_pStream || m_nReadOffset >= DataEnd()) return;
    MIDIHDR& hdr = m_Headers[m_nNextBuffer];
    if (hdr.dwFlags & MHDR_INQUEUE) return;
    m_nReadOffset = FillBuffer(hdr, m_nReadOffset);
    if (hdr.dwBytesRecorded > 0) m_pStream->Out(&hdr);
    m_nNextBuffer = (m_nNextBuffer + 1) % BUFFER_COUNT;
}

uint32_t cMidi::FillBuffer(MIDIHDR& hdr, uint32_t from) { return FillMidiBuffer(m_Image, hdr, from); }

uint32_t FillMidiBuffer(const std::vector<uint8_t>& image, MIDIHDR& hdr, uint32_t from) {
    const uint8_t* img = image.data();
    const uint32_t end = SMF_FIRST_EVENT + Be32(img + 18);
    uint8_t* buf = hdr.lpData;
    std::memset(buf, 0, hdr.dwBufferLength);
    uint32_t w = 0;
    int64_t lastEvent = -1;  // buffer offset of the last event written
    uint32_t consumed = from;
    uint32_t pending = 0;  // delta times of skipped events
    uint32_t pos = from;
    auto put = [&](uint32_t delta, uint32_t word) {
        PutLe32(buf + w, delta);
        PutLe32(buf + w + 4, 0);
        PutLe32(buf + w + 8, word);
        lastEvent = w;
        w += MIDIEVENT_HEADER;
    };
    while (pos < end) {
        uint32_t delta;
        const int n = ReadVarLen(img + pos, end - pos, delta);
        if (n == 0 || pos + static_cast<uint32_t>(n) >= end) {
            consumed = end;  // damaged: nothing more can be read
            break;
        }
        uint32_t p = pos + static_cast<uint32_t>(n);
        const uint8_t status = img[p];
        delta += pending;
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            const uint32_t lenAt = status == 0xFF ? p + 2 : p + 1;
            uint32_t len = 0;
            const int m = lenAt < end ? ReadVarLen(img + lenAt, end - lenAt, len) : 0;
            if (m == 0 || len > end - lenAt - static_cast<uint32_t>(m)) {
                consumed = end;
                break;
            }
            const uint32_t data = lenAt + static_cast<uint32_t>(m);
            const uint32_t next = data + len;
            if (status == 0xFF && img[p + 1] == 0x2F && len == 0) {
                if (w + MIDIEVENT_HEADER > hdr.dwBufferLength) break;
                put(delta, MEVT_F_CALLBACK | 0x2FFF);
                pending = 0;
                consumed = next;
                break;
            }
            if (status == 0xFF && img[p + 1] == 0x51 && len == 3) {
                if (w + MIDIEVENT_HEADER > hdr.dwBufferLength) break;
                put(delta, (static_cast<uint32_t>(MEVT_TEMPO) << 24) | (img[data] << 16) | (img[data + 1] << 8) |
                               img[data + 2]);
            } else if (status == 0xFF || 12 + ((len + 1 + 3) & ~3u) > hdr.dwBufferLength) {
                // Other meta events, and messages no buffer can hold, are skipped.
                pending = delta;
                pos = next;
                continue;
            } else {
                const uint32_t params = len + 1;
                const uint32_t size = MIDIEVENT_HEADER + ((params + 3) & ~3u);
                if (w + size > hdr.dwBufferLength) break;
                put(delta, MEVT_F_LONG | params);
                buf[w] = status;
                std::memcpy(buf + w + 1, img + data, len);
                w += size - MIDIEVENT_HEADER;
            }
            pending = 0;
            pos = consumed = next;
            continue;
        }
        const uint32_t bytes = (status >= 0xC0 && status <= 0xDF) ? 2 : 3;
        if (p + bytes > end) {
            consumed = end;
            break;
        }
        if (w + MIDIEVENT_HEADER > hdr.dwBufferLength) break;
        // Data bytes of 7 bits only: the port must never see a damaged value as a status.
        uint32_t word = status | ((img[p + 1] & 0x7F) << 8);
        if (bytes == 3) word |= (img[p + 2] & 0x7F) << 16;
        put(delta, word);
        pending = 0;
        pos = consumed = p + bytes;
    }
    if (lastEvent >= 0) PutLe32(buf + lastEvent + 8, Le32(buf + lastEvent + 8) | MEVT_F_CALLBACK);
    hdr.dwBytesRecorded = w;
    hdr.dwFlags = 0;
    hdr.dwOffset = 0;
    return consumed;
}

void cMidi::Restart(int loop) {
    std::lock_guard<std::mutex> lock(m_Lock);
    RestartLocked(loop);
}

void cMidi::RestartLocked(int loop) {
    m_nLoop = loop;
    if (!m_pStream || m_nState == STATE_PLAYING) return;
    m_pStream->Restart();
    const int old = m_nState;
    m_nState = STATE_PLAYING;
    if (old != STATE_PAUSED && m_nReadOffset < DataEnd()) SendBufferLocked();
    if (old == STATE_PAUSED && m_bEndWhilePaused) {
        m_bEndWhilePaused = false;
        HandleReportLocked(0x2FFF);
    }
}

void cMidi::Stop(int pause) {
    std::lock_guard<std::mutex> lock(m_Lock);
    StopLocked(pause);
}

void cMidi::StopLocked(int pause) {
    if (!m_pStream) return;
    if (pause == 0) {
        m_bEndWhilePaused = false;
        m_pStream->Stop();
        m_nState = STATE_STOPPED;
        m_nReadOffset = SMF_FIRST_EVENT;
        SendBufferLocked();
    } else if (m_nState == STATE_PLAYING) {
        m_pStream->Pause();
        m_nState = STATE_PAUSED;
    }
}

int cMidi::State() {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_nState;
}

uint32_t cMidi::ReadOffset() {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_nReadOffset;
}

int cMidi::QueuedBuffers() {
    std::lock_guard<std::mutex> lock(m_Lock);
    int n = 0;
    for (const MIDIHDR& h : m_Headers) n += (h.dwFlags & MHDR_INQUEUE) ? 1 : 0;
    return n;
}

void cMidi::Post(const cMessage& m) {
    {
        std::lock_guard<std::mutex> lock(m_QueueLock);
        m_Messages.push_back(m);
    }
    m_QueueCv.notify_one();
}

void cMidi::ThreadProc() {
    for (;;) {
        cMessage m;
        {
            std::unique_lock<std::mutex> lock(m_QueueLock);
            m_QueueCv.wait(lock, [&] { return !m_Messages.empty(); });
            m = m_Messages.front();
            m_Messages.pop_front();
        }
        if (m.bQuit) return;
        std::lock_guard<std::mutex> lock(m_Lock);
        // A report from before the last stop belongs to a play that is over.
        if (!m_pStream || m.generation != m_pStream->Generation()) continue;
        // The end reached just as the player paused is handled when it resumes.
        if (m_nState == STATE_PAUSED && (m.word & 0xFFFFFF) == 0x2FFF)
            m_bEndWhilePaused = true;
        else
            HandleReportLocked(m.word);
    }
}

void cMidi::HandleReportLocked(uint32_t word) {
    if ((word & 0xFFFFFF) == 0x2FFF) {
        StopLocked(0);
        if (m_nLoop) RestartLocked(m_nLoop);
    } else if (m_nReadOffset < DataEnd()) {
        SendBufferLocked();
    }
}

void StopMidiPlayers(std::vector<std::unique_ptr<cMidi>>& players, int pause) {
    for (auto& p : players)
        if (p) p->Stop(pause);
}

int PlayMidiFile(std::vector<std::unique_ptr<cMidi>>& players, std::vector<int>& loops, int channel,
                 const char* path, int loop) {
    for (auto& p : players) {
        if (p) p->Stop(0);
        p.reset();
    }
    if (std::string ext; !GetExtensionStr(ext, path ? path : "") || ext != "mid") return 0;
    if (loops.size() < players.size()) loops.resize(players.size());
    if (channel < 0 || channel >= static_cast<int>(players.size())) {
        ReportBadIndex('V', channel, static_cast<int>(players.size()), static_cast<int>(sizeof(players[0])));
        if (players.empty()) return 0;
        channel = 0;
    }
    auto& slot = players[static_cast<size_t>(channel)];
    slot = std::make_unique<cMidi>(path);
    if (!slot->HasImage()) return 0;
    loops[static_cast<size_t>(channel)] = loop;
    slot->Restart(loop);
    return 1;
}
