#pragma once
// Writing scores by hand: melodies as short note text, parts made from a
// chord progression (bass lines, arpeggios, held chords) and drum patterns.
//
// Note text: tokens apart by spaces. A note is a letter a-g, an optional
// '#' or 'b', an octave (c4 is middle C, key 60) and an optional ":N", its
// length in sixteenths (the last length when left out); "r" is a rest and
// '>' before a note accents it. '|' marks a bar line, which must fall on a
// whole bar. Chord text: a root (C, F#, Bb), a quality (none, m, 7, m7,
// maj7, dim, sus4) and ":N" likewise.
#include <string>
#include <vector>

#include "sample_game/audio/score.h"

namespace sample {

// One chord of a progression.
struct cChord {
    uint32_t nTick = 0;
    uint32_t nLength = 0;
    int nRoot = 0;                 // pitch class, 0 = C
    std::vector<int> intervals;    // semitones above the root, the root (0) first
};

// How a bass line moves over the chords.
enum class eBassStyle {
    Held,        // the root held through the chord
    Eighths,     // the root in eighth notes
    RootFifth,   // root and fifth in quarters, an octave leap before the next chord
    Walking,     // quarters up the chord, leading into the next root
    Octaves,     // eighths leaping between the root and its octave
    Sixteenths,  // driving sixteenths with accents
};

class cScoreBuilder {
public:
    cScoreBuilder(const char* szTitle, double dBpm, int nBars, bool bLoop);

    // Parses a chord progression that must fill the tune.
    void Chords(const std::string& text);
    // Adds a part and returns it for its notes and settings.
    cPart& AddPart(const char* szName, uint8_t nProgram, eVoice voice, uint8_t nVolume, uint8_t nPan);
    // Gives part the notes of text (which must fill the tune), nTranspose semitones up.
    void Melody(cPart& part, const std::string& text, int nTranspose = 0);
    // The bass line over the chords, nOctave being the octave of the roots.
    void Bass(cPart& part, eBassStyle style, int nOctave);
    // Chord tones held through each chord, voiced upwards from nLowKey.
    void HeldChords(cPart& part, int nLowKey);
    // Chord tones played one after another, nSteps sixteenths each, rising
    // over two octaves from nLowKey and falling again.
    void Arpeggio(cPart& part, int nLowKey, int nSteps);
    // Drum bars: each pattern is a line per drum ("k:x...x..." 16 steps, 'X'
    // accented, any other letter soft); bars lists which pattern each bar plays.
    void Drums(cPart& part, const std::vector<std::string>& patterns, const std::vector<int>& bars);

    // The finished score; every part must end within the tune.
    cScore Finish();

private:
    int NoteKey(const std::string& token, size_t& pos) const;
    void Fail(const std::string& why) const;

    cScore m_Score;
    std::vector<cChord> m_Chords;
    uint8_t m_nNextChannel = 0;
};

}  // namespace sample
