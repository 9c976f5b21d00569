#pragma once
// The notes of a tune, shared by the MIDI writer and the synthesiser: parts
// of timed notes on a tick grid, with the General MIDI program each part
// plays and the sound the synthesiser gives it.
#include <cstdint>
#include <string>
#include <vector>

#include "sample_game/audio/audio.h"

namespace sample {

constexpr int SCORE_TICKS_PER_QUARTER = 480;
constexpr int SCORE_TICKS_PER_STEP = SCORE_TICKS_PER_QUARTER / 4;  // a sixteenth note
constexpr int SCORE_TICKS_PER_BAR = SCORE_TICKS_PER_QUARTER * 4;   // every tune is in 4/4
constexpr uint8_t DRUM_CHANNEL = 9;                                // channel 10

// General MIDI drum keys the tunes use.
enum eDrum : uint8_t {
    DRUM_KICK = 36,
    DRUM_SIDE_STICK = 37,
    DRUM_SNARE = 38,
    DRUM_LOW_TOM = 45,
    DRUM_CLOSED_HAT = 42,
    DRUM_OPEN_HAT = 46,
    DRUM_MID_TOM = 47,
    DRUM_HIGH_TOM = 50,
    DRUM_CRASH = 49,
    DRUM_RIDE = 51,
};

// How the synthesiser sounds a part.
enum class eVoice : uint8_t {
    Square,    // 50% pulse
    Pulse25,   // 25% pulse, thinner
    Pulse12,   // 12.5% pulse, nasal
    Triangle,
    Saw,       // low-passed saw, for strings and pads
    Sine,      // soft flute or bell
    Organ,     // sine with octave and fifth above
    Drums,     // the drum kit (noise and pitched thumps)
};

struct cNote {
    uint32_t nTick = 0;    // start
    uint32_t nLength = 0;  // ticks held
    uint8_t nKey = 60;     // MIDI key
    uint8_t nVelocity = 100;
};

struct cPart {
    std::string strName;
    uint8_t nChannel = 0;    // 0-based MIDI channel
    uint8_t nProgram = 0;    // General MIDI program (unused on the drum channel)
    uint8_t nVolume = 100;   // MIDI channel volume, also the synthesiser's part level
    uint8_t nPan = 64;       // 0 left ... 127 right
    eVoice voice = eVoice::Square;
    float fAttack = 0.005f;   // seconds
    float fDecay = 0.15f;     // seconds to fall to the sustain level
    float fSustain = 0.6f;    // level held, 0 ... 1
    float fRelease = 0.08f;   // seconds after the note ends
    float fVibrato = 0.0f;    // depth in semitones (after a short delay)
    float fEcho = 0.0f;       // share sent to the echo, 0 ... 1
    std::vector<cNote> notes;
};

struct cScore {
    std::string strTitle;
    double dBpm = 120;
    uint32_t nLengthTicks = 0;  // where the tune ends (and loops back to the start)
    bool bLoop = false;
    float fEchoSeconds = 0.3f;  // echo delay
    float fEchoFeedback = 0.3f;
    std::vector<cPart> parts;
};

// Seconds from the start to tick.
double TicksToSeconds(const cScore& score, uint32_t nTick);
// The tune's length in seconds (to its end, without tails after it).
inline double ScoreSeconds(const cScore& score) { return TicksToSeconds(score, score.nLengthTicks); }

// The score of a tune, built on first use and kept.
const cScore& TuneScore(eTune tune);

}  // namespace sample
