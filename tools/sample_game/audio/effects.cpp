#include "sample_game/audio/effects.h"

#include <algorithm>
#include <cmath>

#include "sample_game/audio/synth.h"

namespace sample {

namespace {

constexpr double PI = 3.14159265358979323846;

// The level of the loudest effect (a quarter of full scale) over the levels
// written per sound. The mixer adds voices as they are, and a hero's death
// starts three effects at once (hit, explosion, damage) over the stage music:
// at this level the three and the loudest tune together stay under full scale.
constexpr float EFFECT_LEVEL = 0.25f / 0.85f;

// A pitched sound: a wave swept from f0 to f1 (exponentially) with an
// attack, an exponential decay and optional vibrato, tremolo and low-pass.
struct cTone {
    eWave wave = eWave::Square;
    double start = 0;
    double length = 0.1;
    double f0 = 440;
    double f1 = 0;            // 0: no sweep
    float vol = 1;
    double attack = 0.002;
    double decay = 0;         // time constant in seconds; 0 holds the level
    double vibDepth = 0;      // semitones
    double vibRate = 0;       // Hz
    double tremDepth = 0;     // 0 ... 1
    double tremRate = 0;
    float lowpass = 0;        // Hz; 0 none
};

// A noise burst, low-passed with a cut-off swept from lp0 to lp1 and
// high-passed at hp; hold > 1 repeats each value for a grainier sound.
struct cBurst {
    double start = 0;
    double length = 0.1;
    float vol = 1;
    double attack = 0.002;
    double decay = 0;
    float lp0 = 8000;
    float lp1 = 0;            // 0: no sweep
    float hp = 0;
    int hold = 1;
};

class cEffect {
public:
    explicit cEffect(uint32_t nSeed) : m_Noise(nSeed) {}

    void Tone(const cTone& t) {
        cOscillator osc;
        cLowPass lp;
        const size_t begin = Frame(t.start), n = Frame(t.length);
        Grow(begin + n);
        const double f1 = t.f1 > 0 ? t.f1 : t.f0;
        for (size_t i = 0; i < n; ++i) {
            const double s = static_cast<double>(i) / RATE;
            double f = t.f0 * std::pow(f1 / t.f0, s / t.length);
            if (t.vibDepth > 0) f *= std::pow(2.0, t.vibDepth * std::sin(2 * PI * t.vibRate * s) / 12.0);
            float v = osc.Run(t.wave, f, RATE);
            if (t.lowpass > 0) v = lp.Run(v, t.lowpass, RATE);
            double amp = Level(s, t.length, t.attack, t.decay);
            if (t.tremDepth > 0) amp *= 1.0 - t.tremDepth * (0.5 + 0.5 * std::sin(2 * PI * t.tremRate * s));
            m_Samples[begin + i] += static_cast<float>(v * amp * t.vol);
        }
    }

    void Noise(const cBurst& b) {
        cLowPass lp;
        cHighPass hp;
        const size_t begin = Frame(b.start), n = Frame(b.length);
        Grow(begin + n);
        const float lp1 = b.lp1 > 0 ? b.lp1 : b.lp0;
        float held = 0;
        for (size_t i = 0; i < n; ++i) {
            const double s = static_cast<double>(i) / RATE;
            if (i % static_cast<size_t>(std::max(b.hold, 1)) == 0) held = m_Noise.Next();
            const float cut = static_cast<float>(b.lp0 * std::pow(lp1 / b.lp0, s / b.length));
            float v = lp.Run(held, cut, RATE);
            if (b.hp > 0) v = hp.Run(v, b.hp, RATE);
            m_Samples[begin + i] += static_cast<float>(v * Level(s, b.length, b.attack, b.decay) * b.vol);
        }
    }

    // Scales the sound so that its loudest sample is fPeak × EFFECT_LEVEL of full scale.
    std::vector<float> Finish(float fPeak) const {
        std::vector<float> out = m_Samples;
        float peak = 0;
        for (float s : out) peak = std::max(peak, std::fabs(s));
        if (peak > 0)
            for (float& s : out) s *= fPeak * EFFECT_LEVEL / peak;
        return out;
    }

private:
    static size_t Frame(double seconds) { return static_cast<size_t>(std::lround(seconds * RATE)); }
    void Grow(size_t n) {
        if (m_Samples.size() < n) m_Samples.resize(n, 0.0f);
    }
    // Attack, decay and a short fade at the very end so that nothing clicks.
    static double Level(double s, double length, double attack, double decay) {
        double a = attack > 0 && s < attack ? s / attack : 1.0;
        if (decay > 0) a *= std::exp(-(s - std::min(s, attack)) / decay);
        const double left = length - s;
        if (left < 0.004) a *= std::max(left, 0.0) / 0.004;
        return a;
    }

    static constexpr int RATE = EFFECT_RATE;
    std::vector<float> m_Samples;
    cNoise m_Noise;
};

// A run of equal notes, each dur long, one after another from start.
void Notes(cEffect& e, eWave wave, double start, double dur, std::initializer_list<double> freqs, float vol, double decay) {
    double at = start;
    for (double f : freqs) {
        e.Tone({.wave = wave, .start = at, .length = dur, .f0 = f, .vol = vol, .decay = decay});
        at += dur;
    }
}

}  // namespace

std::vector<float> SynthesizeEffect(eSound kind) {
    cEffect e(0xC0FFEEu + static_cast<uint32_t>(kind) * 7919u);
    switch (kind) {
    case eSound::Cursor:
        e.Tone({.wave = eWave::Square, .length = 0.05, .f0 = 1760, .decay = 0.02});
        return e.Finish(0.45f);
    case eSound::Decide:
        Notes(e, eWave::Pulse25, 0, 0.07, {1046.5}, 1, 0.06);
        e.Tone({.wave = eWave::Pulse25, .start = 0.07, .length = 0.14, .f0 = 1568, .decay = 0.06});
        return e.Finish(0.55f);
    case eSound::Cancel:
        Notes(e, eWave::Pulse25, 0, 0.07, {784}, 1, 0.06);
        e.Tone({.wave = eWave::Pulse25, .start = 0.07, .length = 0.12, .f0 = 523.3, .decay = 0.05});
        return e.Finish(0.55f);
    case eSound::Buzzer:
        for (double at : {0.0, 0.16}) {
            e.Tone({.wave = eWave::Square, .start = at, .length = 0.12, .f0 = 110});
            e.Tone({.wave = eWave::Saw, .start = at, .length = 0.12, .f0 = 116.5, .vol = 0.8f});
        }
        return e.Finish(0.55f);
    case eSound::Pause:
        Notes(e, eWave::Square, 0, 0.06, {987.8, 1318.5}, 1, 0.05);
        e.Tone({.wave = eWave::Square, .start = 0.12, .length = 0.25, .f0 = 1975.5, .decay = 0.07});
        return e.Finish(0.5f);
    case eSound::Jump:
        e.Tone({.wave = eWave::Pulse25, .length = 0.2, .f0 = 280, .f1 = 840, .decay = 0.12});
        return e.Finish(0.55f);
    case eSound::Land:
        e.Tone({.wave = eWave::Sine, .length = 0.1, .f0 = 130, .f1 = 45, .decay = 0.04});
        e.Noise({.length = 0.05, .vol = 0.6f, .decay = 0.015, .lp0 = 1200, .lp1 = 300});
        return e.Finish(0.7f);
    case eSound::Step:
        e.Noise({.length = 0.035, .decay = 0.008, .lp0 = 2500, .lp1 = 800, .hp = 200});
        e.Tone({.wave = eWave::Triangle, .length = 0.03, .f0 = 220, .f1 = 110, .vol = 0.5f, .decay = 0.01});
        return e.Finish(0.4f);
    case eSound::Shot:
        e.Tone({.wave = eWave::Square, .length = 0.14, .f0 = 1600, .f1 = 320, .decay = 0.06});
        e.Noise({.length = 0.03, .vol = 0.4f, .decay = 0.01, .lp0 = 6000, .hp = 1000});
        return e.Finish(0.5f);
    case eSound::Sword:
        e.Noise({.length = 0.22, .attack = 0.03, .decay = 0.07, .lp0 = 7000, .lp1 = 900, .hp = 1200});
        e.Tone({.wave = eWave::Saw, .length = 0.12, .f0 = 1200, .f1 = 500, .vol = 0.15f, .decay = 0.04});
        return e.Finish(0.6f);
    case eSound::Hit:
        e.Noise({.length = 0.1, .decay = 0.03, .lp0 = 5000, .lp1 = 1000, .hold = 2});
        e.Tone({.wave = eWave::Square, .length = 0.1, .f0 = 420, .f1 = 90, .vol = 0.7f, .decay = 0.04});
        return e.Finish(0.75f);
    case eSound::Damage:
        e.Tone({.wave = eWave::Square, .length = 0.4, .f0 = 700, .f1 = 180, .decay = 0.2, .vibDepth = 1.5, .vibRate = 30});
        return e.Finish(0.6f);
    case eSound::Explosion:
        e.Noise({.length = 1.0, .decay = 0.28, .lp0 = 4000, .lp1 = 150, .hold = 3});
        e.Tone({.wave = eWave::Sine, .length = 0.6, .f0 = 90, .f1 = 35, .vol = 0.8f, .decay = 0.2});
        return e.Finish(0.85f);
    case eSound::Coin:
        e.Tone({.wave = eWave::Square, .length = 0.07, .f0 = 987.8});
        e.Tone({.wave = eWave::Square, .start = 0.07, .length = 0.4, .f0 = 1318.5, .decay = 0.15});
        return e.Finish(0.45f);
    case eSound::PowerUp:
        Notes(e, eWave::Square, 0, 0.055, {523.3, 659.3, 784.0, 1046.5, 1318.5, 1568.0}, 1, 0.08);
        e.Tone({.wave = eWave::Square, .start = 0.33, .length = 0.3, .f0 = 2093, .decay = 0.12, .vibDepth = 0.5, .vibRate = 12});
        return e.Finish(0.5f);
    case eSound::Key:
        e.Tone({.wave = eWave::Sine, .length = 0.5, .f0 = 1568, .decay = 0.15});
        e.Tone({.wave = eWave::Sine, .length = 0.5, .f0 = 3136, .vol = 0.3f, .decay = 0.08});
        e.Tone({.wave = eWave::Sine, .start = 0.1, .length = 0.45, .f0 = 2349.3, .decay = 0.15});
        e.Tone({.wave = eWave::Sine, .start = 0.1, .length = 0.45, .f0 = 4698.6, .vol = 0.3f, .decay = 0.08});
        e.Tone({.wave = eWave::Sine, .start = 0.2, .length = 0.5, .f0 = 3136, .vol = 0.8f, .decay = 0.18});
        return e.Finish(0.6f);
    case eSound::OneUp:
        Notes(e, eWave::Pulse25, 0, 0.07, {1046.5, 1568.0, 1318.5, 2093.0, 1568.0}, 1, 0.1);
        e.Tone({.wave = eWave::Pulse25, .start = 0.35, .length = 0.3, .f0 = 2093, .decay = 0.12});
        return e.Finish(0.5f);
    case eSound::Door:
        e.Tone({.wave = eWave::Pulse25, .length = 0.35, .f0 = 110, .f1 = 220, .tremDepth = 0.6, .tremRate = 18});
        e.Noise({.length = 0.35, .vol = 0.3f, .lp0 = 900});
        e.Tone({.wave = eWave::Square, .start = 0.35, .length = 0.3, .f0 = 880, .decay = 0.1});
        e.Tone({.wave = eWave::Square, .start = 0.35, .length = 0.3, .f0 = 1318.5, .vol = 0.6f, .decay = 0.1});
        return e.Finish(0.55f);
    case eSound::Warp:
        e.Tone({.wave = eWave::Triangle, .length = 0.8, .f0 = 200, .f1 = 1600, .attack = 0.05, .vibDepth = 3, .vibRate = 12});
        e.Tone({.wave = eWave::Pulse12, .length = 0.8, .f0 = 400, .f1 = 3200, .vol = 0.35f, .attack = 0.05, .decay = 0.5,
                .vibDepth = 3, .vibRate = 12});
        return e.Finish(0.55f);
    case eSound::Clear:
        // C E G, a held high C, then G and a long C with vibrato; a bass below.
        Notes(e, eWave::Square, 0, 0.12, {1046.5, 1318.5, 1568.0}, 1, 0.2);
        e.Tone({.wave = eWave::Square, .start = 0.36, .length = 0.5, .f0 = 2093, .decay = 0.6, .vibDepth = 0.3, .vibRate = 6});
        e.Tone({.wave = eWave::Square, .start = 0.86, .length = 0.16, .f0 = 1568, .decay = 0.2});
        e.Tone({.wave = eWave::Square, .start = 1.02, .length = 1.2, .f0 = 2093, .decay = 0.5, .vibDepth = 0.3, .vibRate = 6});
        Notes(e, eWave::Pulse25, 0, 0.12, {659.3, 784.0, 1046.5}, 0.6f, 0.2);
        e.Tone({.wave = eWave::Pulse25, .start = 0.36, .length = 0.5, .f0 = 1318.5, .vol = 0.6f, .decay = 0.6});
        e.Tone({.wave = eWave::Pulse25, .start = 1.02, .length = 1.2, .f0 = 1318.5, .vol = 0.6f, .decay = 0.5});
        e.Tone({.wave = eWave::Triangle, .length = 0.86, .f0 = 130.8, .vol = 1.5f, .decay = 0.8});
        e.Tone({.wave = eWave::Triangle, .start = 0.86, .length = 0.16, .f0 = 196, .vol = 1.5f});
        e.Tone({.wave = eWave::Triangle, .start = 1.02, .length = 1.2, .f0 = 130.8, .vol = 1.5f, .decay = 0.6});
        return e.Finish(0.6f);
    case eSound::GameOver:
        // A slow chromatic fall over a falling bass, the last note sagging.
        Notes(e, eWave::Pulse25, 0, 0.28, {784.0, 740.0, 698.5}, 1, 0.5);
        e.Tone({.wave = eWave::Pulse25, .start = 0.84, .length = 1.3, .f0 = 659.3, .f1 = 622.3, .decay = 0.6,
                .vibDepth = 0.4, .vibRate = 5});
        Notes(e, eWave::Triangle, 0, 0.28, {261.6, 246.9, 233.1}, 1.5f, 0.5);
        e.Tone({.wave = eWave::Triangle, .start = 0.84, .length = 1.3, .f0 = 220, .f1 = 207.7, .vol = 1.5f, .decay = 0.7});
        return e.Finish(0.6f);
    case eSound::BossRoar:
        e.Tone({.wave = eWave::Saw, .length = 1.2, .f0 = 75, .f1 = 45, .attack = 0.08, .decay = 0.5, .vibDepth = 2,
                .vibRate = 9, .tremDepth = 0.5, .tremRate = 25, .lowpass = 900});
        e.Noise({.length = 1.2, .vol = 0.6f, .attack = 0.05, .decay = 0.4, .lp0 = 700, .lp1 = 300, .hold = 2});
        return e.Finish(0.85f);
    case eSound::Count: break;
    }
    return {};
}

}  // namespace sample
