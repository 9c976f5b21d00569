#pragma once
// One Ogg Vorbis music player, the object cOgg drives per channel. A decoder
// thread decodes the file ahead of the audio callback into a ring of frames;
// the mixer reads the ring. Loops seek back to the start in the decoder, so
// the loop joins without a gap.
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound/sound_mixer.h"

class cOggStream : public iMixerSource {
public:
    // Loop count that repeats without end.
    static constexpr int LOOP_FOREVER = 2147483647;

    explicit cOggStream(cMixer& mixer);
    ~cOggStream() override;
    cOggStream(const cOggStream&) = delete;
    cOggStream& operator=(const cOggStream&) = delete;

    // Sampling rates a file may have.
    static constexpr long OGG_MIN_RATE = 100;
    static constexpr long OGG_MAX_RATE = 200000;

    // Opens the file (a native path); true when it is Ogg Vorbis at a rate in
    // range, else false with the reason in why (when given).
    bool Load(const std::string& nativePath, std::string* why = nullptr);
    // Starts playing from the start.
    void Play();
    // Stops; the next Play starts from the start.
    void Stop();
    // Closes the file.
    void Unload();
    // Loops after the first play: 0 none, LOOP_FOREVER without end.
    void SetLoop(int count);
    // Linear gain 0.0 ... 1.0.
    void SetVolume(float volume);
    // Whether the stream is in the mix.
    bool IsPlaying() const { return m_bInMix; }

    void Mix(float* out, int frames, bool bMayWait) override;

private:
    struct cDecoder;
    void DecodeThread();
    void StopThread();

    cMixer& m_Mixer;
    std::unique_ptr<cDecoder> m_pDecoder;  // the open file
    std::thread m_Thread;
    int m_nLoop = 0;
    std::atomic<float> m_fGain{1.0f};
    bool m_bInMix = false;

    // Ring of interleaved stereo frames at the mixer's rate, filled by the decoder.
    std::mutex m_RingLock;
    std::condition_variable m_RingCv;
    std::vector<float> m_Ring;
    size_t m_nRead = 0, m_nWrite = 0, m_nFill = 0;  // in frames
    bool m_bEnd = false;    // the decoder has written its last frame
    bool m_bQuit = false;   // the decoder must stop
};
