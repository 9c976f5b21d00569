#pragma once
// Sound media made by the tests: wave files, Standard MIDI Files and Ogg
// Vorbis files (encoded here with libvorbisenc), and a MIDI port that records.
#include <cstdint>
#include <mutex>
#include <condition_variable>
#include <string>
#include <vector>

#include "platform/sound/midi_out.h"

using Bytes = std::vector<uint8_t>;

void WriteBytes(const std::string& path, const Bytes& bytes);
std::string ReadText(const std::string& path);

// A RIFF wave file: "fmt " chunk of fmtSize bytes (16 or more, the PCM fields
// first), then "data" with the given sample bytes.
Bytes MakeWave(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples,
               uint32_t fmtSize = 16);
// 16-bit mono samples of a sine wave (amplitude 0 ... 1).
Bytes Sine16(int frames, int rate, double freq, double amplitude);

// A Standard MIDI File track under construction.
struct cTrack {
    Bytes bytes;
    // Appends an event: delta ticks, then its bytes as they stand.
    cTrack& Ev(uint32_t delta, std::initializer_list<uint8_t> b);
    cTrack& End(uint32_t delta = 0) { return Ev(delta, {0xFF, 0x2F, 0x00}); }
};
// The file: header of the given format and division, then one MTrk per track.
Bytes MakeSmf(uint16_t format, uint16_t division, const std::vector<cTrack>& tracks);
// The variable-length form of v.
Bytes VarLen(uint32_t v);

// Encodes seconds of a sine wave (freq Hz) as Ogg Vorbis at path.
void WriteOggSine(const std::string& path, int rate, int channels, double seconds, double freq);

// Root mean square of frames stereo frames (both channels).
double Rms(const float* samples, size_t frames);

// A MIDI port that records what it is sent, with the stream's clock.
class cMidiRecorder : public iMidiOut {
public:
    struct cEvent {
        int64_t micros;
        Bytes bytes;
    };
    struct cLog {
        std::mutex lock;
        std::condition_variable cv;
        std::vector<cEvent> events;
        int resets = 0;
        // Waits until at least n events arrived; false on timeout (5 s).
        bool WaitFor(size_t n);
        std::vector<cEvent> Snapshot();
    };
    explicit cMidiRecorder(cLog& log) : m_Log(log) {}
    bool Open(std::string&) override { return true; }
    void ShortMsg(uint32_t msg, int64_t nMicros) override;
    void LongMsg(const uint8_t* bytes, size_t n, int64_t nMicros) override;
    void Reset(int64_t nMicros) override;

private:
    void Add(int64_t micros, Bytes bytes);
    cLog& m_Log;
};
