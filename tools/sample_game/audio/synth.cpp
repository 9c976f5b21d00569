#include "sample_game/audio/synth.h"

#include <algorithm>
#include <cmath>

namespace sample {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TAIL_SECONDS = 3.0;  // rendered past the end for releases and echoes

// The PolyBLEP correction for a step at phase 0 of a wave with phase step dt.
double Blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Pulse(double t, double dt, double duty) {
    double v = t < duty ? 1.0 : -1.0;
    v += Blep(t, dt);
    v -= Blep(std::fmod(t + 1.0 - duty, 1.0), dt);
    return v - (2.0 * duty - 1.0);  // centred on zero
}

// The level of an ADSR envelope t seconds into a note held for len seconds;
// negative once the release is over.
float Envelope(const cPart& p, double t, double len) {
    auto held = [&](double u) {
        if (u < p.fAttack) return u / p.fAttack;
        const double d = u - p.fAttack;
        return p.fSustain + (1.0 - p.fSustain) * std::exp(-3.0 * d / std::max(p.fDecay, 0.001f));
    };
    if (t < len) return static_cast<float>(held(t));
    const double r = std::max(p.fRelease, 0.01f);
    const double after = t - len;
    if (after >= r) return -1.0f;
    return static_cast<float>(held(len) * (1.0 - after / r));
}

// Level of each synthesiser voice against the others.
float VoiceGain(eVoice v) {
    switch (v) {
    case eVoice::Square: return 0.20f;
    case eVoice::Pulse25: return 0.22f;
    case eVoice::Pulse12: return 0.22f;
    case eVoice::Triangle: return 0.50f;
    case eVoice::Saw: return 0.28f;
    case eVoice::Sine: return 0.45f;
    case eVoice::Organ: return 0.26f;
    case eVoice::Drums: return 0.9f;
    }
    return 0.2f;
}

// Adds one pitched note of part p into mono at its start frame.
void RenderNote(const cPart& p, const cNote& n, size_t nStart, size_t nFrames, int nRate, std::vector<float>& mono) {
    cOscillator osc, osc2, osc3;
    cLowPass lp;
    const double len = static_cast<double>(nFrames) / nRate;
    const double hz = KeyToHz(n.nKey);
    const float gain = VoiceGain(p.voice) * (n.nVelocity / 127.0f);
    for (size_t i = 0;; ++i) {
        const size_t at = nStart + i;
        if (at >= mono.size()) break;
        const double t = static_cast<double>(i) / nRate;
        const float env = Envelope(p, t, len);
        if (env < 0) break;
        double f = hz;
        if (p.fVibrato > 0) {
            const double ramp = std::clamp((t - 0.15) / 0.25, 0.0, 1.0);
            f *= std::pow(2.0, p.fVibrato * ramp * std::sin(2 * PI * 5.5 * t) / 12.0);
        }
        float s = 0;
        switch (p.voice) {
        case eVoice::Square: s = osc.Run(eWave::Square, f, nRate); break;
        case eVoice::Pulse25: s = osc.Run(eWave::Pulse25, f, nRate); break;
        case eVoice::Pulse12: s = osc.Run(eWave::Pulse12, f, nRate); break;
        case eVoice::Triangle: s = osc.Run(eWave::Triangle, f, nRate); break;
        case eVoice::Sine: s = osc.Run(eWave::Sine, f, nRate); break;
        case eVoice::Saw:
            // Brighter while the note is loud, like a bowed or blown attack.
            s = lp.Run(osc.Run(eWave::Saw, f, nRate), static_cast<float>(900.0 + 2600.0 * env), nRate);
            break;
        case eVoice::Organ:
            s = osc.Run(eWave::Sine, f, nRate) + 0.5f * osc2.Run(eWave::Sine, 2 * f, nRate) +
                0.3f * osc3.Run(eWave::Sine, 3 * f, nRate);
            break;
        case eVoice::Drums: break;
        }
        mono[at] += s * env * gain;
    }
}

// Adds one drum hit (a General MIDI drum key) into mono at its start frame.
void RenderDrum(const cNote& n, size_t nStart, int nRate, std::vector<float>& mono) {
    cNoise noise(0x9E3779B9u ^ (n.nTick * 2654435761u) ^ n.nKey);
    cHighPass hp;
    cLowPass lp;
    double phase = 0, phase2 = 0;
    const float vel = n.nVelocity / 127.0f;
    double seconds = 0.3;
    switch (n.nKey) {
    case DRUM_CRASH: seconds = 2.0; break;
    case DRUM_RIDE: seconds = 1.0; break;
    case DRUM_OPEN_HAT: seconds = 0.45; break;
    case DRUM_LOW_TOM: case DRUM_MID_TOM: case DRUM_HIGH_TOM: seconds = 0.5; break;
    default: break;
    }
    const size_t frames = static_cast<size_t>(seconds * nRate);
    for (size_t i = 0; i < frames && nStart + i < mono.size(); ++i) {
        const double t = static_cast<double>(i) / nRate;
        const float w = noise.Next();
        float s = 0;
        switch (n.nKey) {
        case DRUM_KICK: {
            const double f = 48.0 + 110.0 * std::exp(-t / 0.03);
            phase += f / nRate;
            s = static_cast<float>(std::sin(2 * PI * phase) * std::exp(-t / 0.13) + 0.3 * w * std::exp(-t / 0.004));
            break;
        }
        case DRUM_SNARE:
            phase += 185.0 / nRate;
            s = static_cast<float>(0.55 * hp.Run(w, 1500, nRate) * std::exp(-t / 0.08) +
                                   0.45 * std::sin(2 * PI * phase) * std::exp(-t / 0.045));
            break;
        case DRUM_SIDE_STICK:
            phase += 820.0 / nRate;
            s = static_cast<float>(0.5 * lp.Run(hp.Run(w, 1500, nRate), 4000, nRate) * std::exp(-t / 0.012) +
                                   0.4 * std::sin(2 * PI * phase) * std::exp(-t / 0.01));
            break;
        case DRUM_CLOSED_HAT: s = static_cast<float>(0.35 * hp.Run(w, 7000, nRate) * std::exp(-t / 0.018)); break;
        case DRUM_OPEN_HAT: s = static_cast<float>(0.3 * hp.Run(w, 6500, nRate) * std::exp(-t / 0.12)); break;
        case DRUM_CRASH:
            s = static_cast<float>(0.3 * hp.Run(w, 4000, nRate) * std::exp(-t / 0.5) * std::min(1.0, t / 0.002));
            break;
        case DRUM_RIDE:
            phase += 3100.0 / nRate;
            phase2 += 4730.0 / nRate;
            s = static_cast<float>(0.15 * hp.Run(w, 5000, nRate) * std::exp(-t / 0.2) +
                                   0.05 * (std::sin(2 * PI * phase) + std::sin(2 * PI * phase2)) * std::exp(-t / 0.3));
            break;
        case DRUM_LOW_TOM:
        case DRUM_MID_TOM:
        case DRUM_HIGH_TOM: {
            const double base = n.nKey == DRUM_LOW_TOM ? 90.0 : n.nKey == DRUM_MID_TOM ? 125.0 : 165.0;
            phase += base * (1.0 + 0.5 * std::exp(-t / 0.04)) / nRate;
            s = static_cast<float>(0.7 * std::sin(2 * PI * phase) * std::exp(-t / 0.16) + 0.1 * w * std::exp(-t / 0.01));
            break;
        }
        default: break;
        }
        mono[nStart + i] += s * vel * VoiceGain(eVoice::Drums);
    }
}

}  // namespace

float cLowPass::Run(float x, float fCutoff, int nRate) {
    const float a = 1.0f - std::exp(static_cast<float>(-2.0 * PI * fCutoff / nRate));
    m_fY += a * (x - m_fY);
    return m_fY;
}

float cOscillator::Run(eWave wave, double fHz, int nRate) {
    const double dt = std::min(fHz / nRate, 0.5);
    const double t = m_dPhase;
    double v = 0;
    switch (wave) {
    case eWave::Square: v = Pulse(t, dt, 0.5); break;
    case eWave::Pulse25: v = Pulse(t, dt, 0.25); break;
    case eWave::Pulse12: v = Pulse(t, dt, 0.125); break;
    case eWave::Triangle: v = 4.0 * std::fabs(t - 0.5) - 1.0; break;
    case eWave::Saw: v = 2.0 * t - 1.0 - Blep(t, dt); break;
    case eWave::Sine: v = std::sin(2 * PI * t); break;
    }
    m_dPhase += dt;
    if (m_dPhase >= 1.0) m_dPhase -= 1.0;
    return static_cast<float>(v);
}

double KeyToHz(double nKey) { return 440.0 * std::pow(2.0, (nKey - 69.0) / 12.0); }

double TicksToSeconds(const cScore& score, uint32_t nTick) {
    return static_cast<double>(nTick) * 60.0 / (score.dBpm * SCORE_TICKS_PER_QUARTER);
}

std::vector<float> RenderScore(const cScore& score, int nRate, float fPeak) {
    auto frameOf = [&](uint32_t tick) { return static_cast<size_t>(std::llround(TicksToSeconds(score, tick) * nRate)); };
    const size_t length = frameOf(score.nLengthTicks);
    const size_t total = length + static_cast<size_t>(TAIL_SECONDS * nRate);
    std::vector<float> out(total * 2, 0.0f);
    std::vector<float> send(total, 0.0f);
    std::vector<float> mono(total);
    for (const cPart& p : score.parts) {
        std::fill(mono.begin(), mono.end(), 0.0f);
        for (const cNote& n : p.notes) {
            const size_t start = frameOf(n.nTick);
            if (p.voice == eVoice::Drums)
                RenderDrum(n, start, nRate, mono);
            else
                RenderNote(p, n, start, frameOf(n.nTick + n.nLength) - start, nRate, mono);
        }
        // Constant-power panning.
        const double angle = (p.nPan / 127.0) * PI / 2;
        const float level = p.nVolume / 127.0f;
        const float left = static_cast<float>(std::cos(angle) * std::sqrt(2.0)) * level;
        const float right = static_cast<float>(std::sin(angle) * std::sqrt(2.0)) * level;
        for (size_t i = 0; i < total; ++i) {
            out[2 * i] += mono[i] * left;
            out[2 * i + 1] += mono[i] * right;
            send[i] += mono[i] * level * p.fEcho;
        }
    }
    // A ping-pong echo: left after one delay, right after two, fed back.
    const size_t delay = static_cast<size_t>(score.fEchoSeconds * nRate);
    if (delay > 0) {
        std::vector<float> wetL(total, 0.0f), wetR(total, 0.0f);
        for (size_t i = delay; i < total; ++i) {
            wetL[i] = send[i - delay] + score.fEchoFeedback * wetR[i - delay];
            wetR[i] = wetL[i - delay];
        }
        for (size_t i = 0; i < total; ++i) {
            out[2 * i] += 0.6f * wetL[i];
            out[2 * i + 1] += 0.6f * wetR[i];
        }
    }
    size_t keep = total;
    if (score.bLoop && length > 0) {
        for (size_t i = length; i < total; ++i) {
            const size_t to = i % length;
            out[2 * to] += out[2 * i];
            out[2 * to + 1] += out[2 * i + 1];
        }
        keep = length;
    }
    out.resize(keep * 2);
    float peak = 0;
    for (float s : out) peak = std::max(peak, std::fabs(s));
    const float scale = peak > 0 ? fPeak / peak : 0.0f;
    for (float& s : out) s *= scale;
    if (!score.bLoop) {
        // The ringing is kept until it is 60 dB down, then faded out.
        size_t last = length;
        for (size_t i = length; i < keep; ++i)
            if (std::fabs(out[2 * i]) > 1e-3f || std::fabs(out[2 * i + 1]) > 1e-3f) last = i;
        const size_t fade = static_cast<size_t>(nRate / 50);
        keep = std::min(keep, last + fade);
        out.resize(keep * 2);
        for (size_t i = 0; i < fade && i < keep; ++i) {
            const float g = static_cast<float>(i) / fade;
            out[2 * (keep - 1 - i)] *= g;
            out[2 * (keep - 1 - i) + 1] *= g;
        }
    }
    return out;
}

}  // namespace sample
