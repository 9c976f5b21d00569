#pragma once
// The generator's small synthesiser: band-limited oscillators, envelopes,
// noise from a fixed-seed generator and one-pole filters, used both for the
// sound effects and for rendering tunes.
#include <cstdint>
#include <vector>

#include "sample_game/audio/score.h"

namespace sample {

// A fixed-seed noise source (xorshift32): the same seed gives the same noise.
class cNoise {
public:
    explicit cNoise(uint32_t nSeed = 0x12345678u) : m_nState(nSeed ? nSeed : 1u) {}
    // The next value in -1 ... 1.
    float Next() {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return static_cast<float>(m_nState) * (2.0f / 4294967295.0f) - 1.0f;
    }

private:
    uint32_t m_nState;
};

// A one-pole low-pass filter; its cut-off may change per sample.
class cLowPass {
public:
    float Run(float x, float fCutoff, int nRate);

private:
    float m_fY = 0;
};

// A one-pole high-pass filter (the input minus its low-passed self).
class cHighPass {
public:
    float Run(float x, float fCutoff, int nRate) { return x - m_Low.Run(x, fCutoff, nRate); }

private:
    cLowPass m_Low;
};

// Oscillator waveforms.
enum class eWave : uint8_t { Square, Pulse25, Pulse12, Triangle, Saw, Sine };

// A phase-accumulating oscillator; pulse and saw edges are smoothed (PolyBLEP)
// so that high notes do not alias harshly.
class cOscillator {
public:
    // One sample at frequency fHz, then the phase moves on.
    float Run(eWave wave, double fHz, int nRate);
    // Phase 0 ... 1.
    double Phase() const { return m_dPhase; }

private:
    double m_dPhase = 0;
};

// Frequency of MIDI key nKey (69 = 440 Hz), fractional keys allowed.
double KeyToHz(double nKey);

// Renders the score as interleaved stereo floats at nRate. A looping score is
// exactly its length long, with the sound ringing past the end folded back
// onto the start so that the loop joins; otherwise the ringing is kept. The
// result is scaled so that its peak is fPeak.
std::vector<float> RenderScore(const cScore& score, int nRate, float fPeak);

}  // namespace sample
