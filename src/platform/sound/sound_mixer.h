#pragma once
// The one software mixer behind the audio device. It mixes sound-effect
// buffers (each a voice over shared PCM data) and music sources into 44.1 kHz
// stereo float frames. Every member is safe to call from any thread: one lock
// guards the voices and sources, and Render takes it for one block.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

constexpr int MIXER_RATE = 44100;   // frames per second of the mixed output
constexpr int MIXER_CHANNELS = 2;   // interleaved left, right

// Hundredths of a decibel (-10000 ... 0) as a linear gain; -10000 and below is silence.
float VolumeToGain(int volume);

// Sample data shared by a sound's buffer and its duplicates: float samples,
// interleaved, 1 or 2 channels, at their own rate.
struct cPcm {
    std::vector<float> samples;
    int channels = 1;
    int rate = MIXER_RATE;
    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
};

// Something that adds music into the mix (Ogg stream, synthesiser).
class iMixerSource {
public:
    virtual ~iMixerSource() = default;
    // Adds frames stereo frames into out. bMayWait: rendered offline, the
    // source may wait for data it is still producing instead of leaving a gap.
    virtual void Mix(float* out, int frames, bool bMayWait) = 0;
};

class cMixer;

// One playable buffer over shared PCM data, the stand-in of a sound buffer.
class cSoundBuffer {
public:
    cSoundBuffer(cMixer& mixer, std::shared_ptr<const cPcm> pcm);
    ~cSoundBuffer();
    cSoundBuffer(const cSoundBuffer&) = delete;
    cSoundBuffer& operator=(const cSoundBuffer&) = delete;

    // A new buffer sharing this one's data, with its volume.
    std::unique_ptr<cSoundBuffer> Duplicate() const;
    // Starts playing from the present position (bLoop: repeat without end).
    void Play(bool bLoop);
    // Stops; the position stays.
    void Stop();
    // Moves the play position to frame n of the data.
    void SetCurrentPosition(size_t frame);
    // Sets the volume in hundredths of a decibel (clamped to -10000 ... 0).
    void SetVolume(int volume);
    // The volume last set.
    int GetVolume() const;
    // Whether it is playing now.
    bool IsPlaying() const;
    // The play position in frames of the data.
    size_t GetCurrentPosition() const;

private:
    friend class cMixer;
    // Adds this voice into out; false when it reached its end. Mixer lock held.
    bool MixLocked(float* out, int frames);

    cMixer& m_Mixer;
    std::shared_ptr<const cPcm> m_pPcm;
    double m_dPos = 0;       // position in source frames
    double m_dStep = 1;      // source frames per output frame
    bool m_bPlaying = false;
    bool m_bLoop = false;
    int m_nVolume = 0;
    float m_fGain = 1;
};

class cMixer {
public:
    cMixer() = default;
    cMixer(const cMixer&) = delete;
    cMixer& operator=(const cMixer&) = delete;

    // Mixes frames stereo frames into out (overwritten), clipped to -1 ... 1.
    void Render(float* out, int frames);
    // Adds a source to the mix (once); it must outlive its membership.
    void AddSource(iMixerSource* source);
    // Takes a source out of the mix; when this returns it is not being mixed.
    void RemoveSource(iMixerSource* source);
    // Whether Render runs offline (tests, benchmarks): sources may wait for data.
    void SetOffline(bool bOffline);
    // The lock held while mixing; take it to change what sources read.
    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(m_Lock); }
    // Number of sound buffers playing now.
    int PlayingCount();

private:
    friend class cSoundBuffer;
    void StartLocked(cSoundBuffer* buffer);
    void StopLocked(cSoundBuffer* buffer);

    std::mutex m_Lock;
    std::vector<cSoundBuffer*> m_Playing;
    std::vector<iMixerSource*> m_Sources;
    bool m_bOffline = false;
};

// The process's mixer, fed to the audio device when one is open.
cMixer& SoundMixer();
