// The sample game's eight tunes.
#include <array>
#include <mutex>

#include "sample_game/audio/score.h"
#include "sample_game/audio/score_builder.h"

namespace sample {

namespace {

// Envelope and effect settings of a part.
void Shape(cPart& p, float fAttack, float fDecay, float fSustain, float fRelease, float fVibrato = 0, float fEcho = 0) {
    p.fAttack = fAttack;
    p.fDecay = fDecay;
    p.fSustain = fSustain;
    p.fRelease = fRelease;
    p.fVibrato = fVibrato;
    p.fEcho = fEcho;
}

// A bright march in C major.
cScore Title() {
    cScoreBuilder b("Title", 132, 16, true);
    b.Chords("C:16 | Am | F | G | C | Am | Dm7:8 G7 | C:16 | F | G | Em | Am | F | G | Dm7:8 Fm | G7:16");
    cPart& lead = b.AddPart("Lead", 80, eVoice::Square, 100, 60);
    Shape(lead, 0.01f, 0.2f, 0.7f, 0.08f, 0.15f, 0.2f);
    b.Melody(lead,
             "g4:2 c5 e5 g5:6 e5:2 c5 | a5:6 g5:2 e5:4 c5 | f5:2 e5 f5 a5:6 g5:2 f5 | g5:6 f5:2 e5 d5 b4:4 |"
             "c5:2 e5 g5 c6:6 b5:2 a5 | a5:6 e5:2 a5:4 c6 | d6:4 c6:2 a5 g5:4 f5:2 d5 | e5:2 d5 c5:8 r:4 |"
             "a5:4 a5:2 c6 a5:4 f5 | g5:4 g5:2 b5 g5:4 d5 | e5:2 g5 b5:4 a5:2 g5 e5:4 | a5:6 b5:2 c6:8 |"
             "c6:4 a5 f5 a5 | b5:4 g5 d5 g5 | f5:4 a5:2 d6 ab5:6 f5:2 | g5:8 f5:2 d5 b4:4 |");
    cPart& arp = b.AddPart("Arpeggio", 4, eVoice::Pulse12, 62, 92);
    Shape(arp, 0.003f, 0.12f, 0.2f, 0.05f);
    b.Arpeggio(arp, 60, 2);
    cPart& pad = b.AddPart("Strings", 48, eVoice::Saw, 52, 36);
    Shape(pad, 0.2f, 0.5f, 0.8f, 0.3f);
    b.HeldChords(pad, 55);
    cPart& bass = b.AddPart("Bass", 38, eVoice::Triangle, 112, 64);
    Shape(bass, 0.005f, 0.1f, 0.8f, 0.04f);
    b.Bass(bass, eBassStyle::Eighths, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 100, 64);
    b.Drums(drums,
            {"k:X.....x.X.......\ns:....X.......X...\nh:x.x.x.x.x.x.x.x.\n",
             "k:X.....x.X.......\ns:....X...x.xXxXXX\nh:x.x.x.x.........\n",
             "c:X...............\nk:X.....x.X.......\ns:....X.......X...\nh:..x.x.x.x.x.x.x.\n"},
            {2, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 1});
    return b.Finish();
}

// A calm walk in F major.
cScore WorldMap() {
    cScoreBuilder b("WorldMap", 100, 16, true);
    b.Chords("F:16 | C | Dm | Bb | F | Gm7 | C7 | F | Bb | C | Am | Dm | Gm7 | C | Bbmaj7 | C7");
    cPart& lead = b.AddPart("Flute", 73, eVoice::Sine, 108, 56);
    Shape(lead, 0.04f, 0.3f, 0.8f, 0.15f, 0.25f, 0.25f);
    b.Melody(lead,
             "c5:4 f5 a5:6 g5:2 | g5:8 e5:4 c5 | d5:4 f5 a5 d6 | c6:6 bb5:2 a5:4 f5 |"
             "a5:6 g5:2 f5:4 a5 | bb5:6 a5:2 g5:4 f5 | e5:4 g5 c6 bb5 | a5:12 r:4 |"
             "d6:6 c6:2 bb5:4 f5 | c6:6 bb5:2 a5:4 g5 | a5:4 c6 e6 c6 | d6:8 a5 |"
             "bb5:4 a5:2 g5 f5:4 g5 | e5:4 f5:2 g5 c6:8 | d6:6 c6:2 a5:4 f5 | g5:8 e5:4 c5 |");
    cPart& harp = b.AddPart("Harp", 46, eVoice::Triangle, 78, 84);
    Shape(harp, 0.003f, 0.3f, 0.15f, 0.25f, 0, 0.15f);
    b.Arpeggio(harp, 53, 2);
    cPart& bass = b.AddPart("Bass", 32, eVoice::Triangle, 112, 64);
    Shape(bass, 0.01f, 0.25f, 0.6f, 0.06f);
    b.Bass(bass, eBassStyle::Walking, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 70, 64);
    b.Drums(drums,
            {"k:x.......x.......\nt:....x.......x...\nh:g.g.g.g.g.g.g.g.\n",
             "k:x.......x.....x.\nt:....x.......x.x.\nh:g.g.g.g.g.g.g.g.\n"},
            {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1});
    return b.Finish();
}

// A lively run in G major: two verses of a tune and its refrain.
cScore Field() {
    cScoreBuilder b("Field", 150, 32, true);
    const std::string chordsA = "G:16 | Em | C | D | G | Em | C:8 D | G:16 |";
    const std::string chordsB = "C | D | Bm | Em | C | D | Am7:8 D |";
    b.Chords(chordsA + chordsB + "G:16 |" + chordsA + chordsB + "D7:16");
    const std::string verse =
        "d5:2 g5 b5 d6 b5 g5 a5 b5 | g5:4 e5:2 g5 b5:4 e5 | c6:2 b5 a5 g5 e5 g5 c6:4 | a5:6 f#5:2 d5:4 r |"
        "d5:2 g5 b5 d6 e6 d6 b5 g5 | e6:4 d6:2 b5 g5:4 b5 | c6:2 b5 a5 g5 f#5 g5 a5:4 | g5:8 r:2 d5 e5 f#5 |";
    const std::string refrain =
        "g5:4 e5:2 g5 c6:6 g5:2 | a5:4 f#5:2 a5 d6:6 a5:2 | b5:2 a5 b5 d6 f#6:4 d6 | e6:8 r:4 b5 |"
        "c6:2 b5 c6 e6 g6:4 e6 | f#6:2 e6 d6 a5 f#5:4 a5 | c6:4 b5:2 a5 d6:4 c6 |";
    cPart& lead = b.AddPart("Lead", 80, eVoice::Square, 96, 60);
    Shape(lead, 0.005f, 0.15f, 0.65f, 0.06f, 0.12f, 0.15f);
    b.Melody(lead, verse + refrain + "b5:8 g5:4 r |" + verse + refrain + "a5:4 f#5:2 a5 c6:4 f#5 |");
    cPart& arp = b.AddPart("Arpeggio", 81, eVoice::Pulse25, 50, 96);
    Shape(arp, 0.003f, 0.1f, 0.25f, 0.04f);
    b.Arpeggio(arp, 55, 2);
    cPart& bass = b.AddPart("Bass", 33, eVoice::Triangle, 115, 64);
    Shape(bass, 0.005f, 0.1f, 0.8f, 0.03f);
    b.Bass(bass, eBassStyle::Octaves, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 100, 64);
    b.Drums(drums,
            {"k:X.....x.x.....x.\ns:....X.......X...\nh:x.x.x.x.x.x.x.x.\n",
             "k:X.....x.x.......\ns:....X.....x.XxXX\nh:x.x.x.x.x.x.....\n",
             "c:X...............\nk:X.....x.x.....x.\ns:....X.......X...\nh:..x.x.x.x.x.x.x.\n"},
            {2, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 1});
    return b.Finish();
}

// Slow bells over a dark pad in D minor, with a long echo.
cScore Cave() {
    cScoreBuilder b("Cave", 80, 16, true);
    b.Chords("Dm:16 | Dm | Bb | A | Gm | Dm | Eb | A7 | Dm | Gm | Dm | Eb | Gm | A | Bb | A7");
    cPart& bell = b.AddPart("Bells", 11, eVoice::Sine, 100, 70);
    Shape(bell, 0.004f, 1.2f, 0.0f, 0.5f, 0, 0.5f);
    b.Melody(bell,
             "a5:6 f5:2 d5:8 | e5:4 f5 c#5:8 | d5:6 f5:2 bb5:8 | a5:12 r:4 |"
             "g5:6 bb5:2 d6:8 | c#6:4 d6 a5:8 | g5:6 eb5:2 bb4:8 | c#5:4 e5 g5 a5 |"
             "d6:6 a5:2 f5:4 d5 | bb5:6 a5:2 g5:8 | f5:4 e5 d5 a4 | bb4:6 eb5:2 g5:8 |"
             "d6:6 c6:2 bb5:8 | c#6:8 a5 | f5:6 g5:2 d5:8 | e5:8 c#5:4 a4 |");
    cPart& pad = b.AddPart("Pad", 95, eVoice::Saw, 62, 50);
    Shape(pad, 1.0f, 1.0f, 0.8f, 1.0f, 0, 0.3f);
    b.HeldChords(pad, 50);
    cPart& bass = b.AddPart("Bass", 39, eVoice::Triangle, 110, 64);
    Shape(bass, 0.05f, 0.5f, 0.8f, 0.3f);
    b.Bass(bass, eBassStyle::Held, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 80, 64);
    b.Drums(drums,
            {"k:x.........x.....\nt:........g.......\nh:......g.......g.\n",
             "k:x.........x.....\nt:........x.......\nL:............g.x.\n"},
            {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1});
    cScore s = b.Finish();
    s.fEchoSeconds = 0.45f;
    s.fEchoFeedback = 0.45f;
    return s;
}

// An organ over a marching snare in E minor.
cScore Castle() {
    cScoreBuilder b("Castle", 126, 16, true);
    b.Chords("Em:16 | Em | C | B | Em | Am | F#dim:8 B | Em:16 | Am | Em | D | G | C | Am | F#dim | B7");
    cPart& organ = b.AddPart("Organ", 19, eVoice::Organ, 96, 56);
    Shape(organ, 0.02f, 0.1f, 0.9f, 0.1f, 0, 0.2f);
    b.Melody(organ,
             "e5:4 g5 b5:6 a5:2 | g5:2 f#5 e5:4 d#5 e5 | e5:4 g5 c6:6 b5:2 | b5:8 d#5:4 f#5 |"
             "e6:6 d6:2 b5:4 g5 | a5:6 c6:2 e6:4 c6 | c6:2 a5 f#5:4 d#6 b5 | e6:12 r:4 |"
             "a5:2 b5 c6:4 b5:2 a5 e5:4 | g5:2 a5 b5:4 a5:2 g5 e5:4 | f#5:2 g5 a5:4 d6 a5 | b5:6 a5:2 g5:8 |"
             "g5:4 e5 c6 b5 | a5:4 c6 e6 d6:2 c6 | c6:4 a5 f#5 a5 | b5:4 d#6 f#6 a5 |");
    cPart& strings = b.AddPart("Strings", 48, eVoice::Saw, 64, 30);
    Shape(strings, 0.15f, 0.4f, 0.8f, 0.2f);
    b.HeldChords(strings, 52);
    cPart& bass = b.AddPart("Bass", 33, eVoice::Pulse25, 92, 64);
    Shape(bass, 0.005f, 0.1f, 0.5f, 0.04f);
    b.Bass(bass, eBassStyle::Octaves, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 95, 64);
    b.Drums(drums,
            {"k:X.......X.......\ns:....X..x....X.xx\nh:x.x.x.x.x.x.x.x.\n",
             "k:X.......X.......\ns:....X..x..xxXXXX\nh:x.x.x.x.........\n",
             "c:X...............\nk:X.......X.......\ns:....X..x....X.xx\nh:..x.x.x.x.x.x.x.\n"},
            {2, 0, 0, 1, 0, 0, 0, 1, 2, 0, 0, 1, 0, 0, 0, 1});
    return b.Finish();
}

// A driving fight in A minor: galloping bass and tom fills.
cScore Boss() {
    cScoreBuilder b("Boss", 168, 16, true);
    b.Chords("Am:16 | F | G | E | Am | F | Dm | E | Am | Bb | Am | Bb | F | G | Dm:8 F | E7:16");
    cPart& lead = b.AddPart("Lead", 81, eVoice::Saw, 100, 58);
    Shape(lead, 0.01f, 0.15f, 0.7f, 0.05f, 0.1f, 0.15f);
    b.Melody(lead,
             "a5:2 a5 c6 a5 e6:4 d6:2 c6 | c6:4 a5 f5 a5 | b5:2 b5 d6 b5 g6:4 f6:2 d6 | e6:8 g#5:4 b5 |"
             "a6:4 g6:2 e6 a6:4 g6:2 e6 | f6:4 e6:2 c6 a5:8 | d6:2 e6 f6:4 a6 f6 | e6:4 d6:2 c6 b5:4 g#5 |"
             "e5:2 a5 c6 e6 a6:8 | f6:4 d6 bb5:8 | e6:2 c6 a5 c6 e6:8 | d6:4 f6 bb6:8 |"
             "a6:4 g6:2 f6 c6:4 f6 | g6:4 f6:2 d6 b5:4 d6 | f6:2 e6 d6:4 c6:2 d6 f6:4 | g#6:8 e6:4 d6 |",
             -12);
    cPart& strings = b.AddPart("Strings", 48, eVoice::Saw, 56, 32);
    Shape(strings, 0.08f, 0.3f, 0.8f, 0.15f);
    b.HeldChords(strings, 57);
    cPart& bass = b.AddPart("Bass", 38, eVoice::Pulse25, 96, 64);
    Shape(bass, 0.003f, 0.08f, 0.5f, 0.03f);
    b.Bass(bass, eBassStyle::Sixteenths, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 100, 64);
    b.Drums(drums,
            {"k:X.x.X.x.X.x.X.x.\ns:....X.......X...\nh:xgxgxgxgxgxgxgxg\n",
             "k:X.......X.......\ns:....X...........\nH:........xx......\nM:..........xx....\nL:............xxxx\n",
             "c:X...............\nk:X.x.X.x.X.x.X.x.\ns:....X.......X...\nh:..xgxgxgxgxgxgxg\n"},
            {2, 0, 0, 1, 0, 0, 0, 1, 2, 0, 0, 1, 0, 0, 0, 1});
    return b.Finish();
}

// A short fanfare in C major.
cScore Clear() {
    cScoreBuilder b("Clear", 150, 3, false);
    b.Chords("C:16 | F:8 G | C:16");
    cPart& lead = b.AddPart("Trumpet", 56, eVoice::Square, 105, 58);
    Shape(lead, 0.01f, 0.2f, 0.75f, 0.25f, 0.2f, 0.2f);
    b.Melody(lead, "g4:2 c5 e5 g5 c6:4 g5:2 c6 | e6:4 d6:2 c6 d6:4 e6 | c6:12 r:4 |");
    cPart& second = b.AddPart("Brass", 61, eVoice::Pulse25, 78, 76);
    Shape(second, 0.01f, 0.2f, 0.7f, 0.25f, 0.2f);
    b.Melody(second, "e4:2 g4 c5 e5 g5:4 e5:2 g5 | c6:4 b5:2 a5 b5:4 c6 | g5:12 r:4 |");
    cPart& bass = b.AddPart("Bass", 38, eVoice::Triangle, 110, 64);
    Shape(bass, 0.005f, 0.2f, 0.7f, 0.2f);
    b.Bass(bass, eBassStyle::RootFifth, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 95, 64);
    b.Drums(drums,
            {"k:X.......X.......\ns:....x.x.X.x.xxxx\n",
             "k:X.......X...X...\ns:X.x.X.x.X.xxXXXX\n",
             "c:X...............\nk:X...............\n"},
            {0, 1, 2});
    return b.Finish();
}

// A slow falling phrase in C minor.
cScore GameOver() {
    cScoreBuilder b("GameOver", 76, 2, false);
    b.Chords("Cm:8 Fm | G7:8 Cm");
    cPart& lead = b.AddPart("Oboe", 68, eVoice::Pulse25, 100, 60);
    Shape(lead, 0.03f, 0.3f, 0.75f, 0.4f, 0.2f, 0.3f);
    b.Melody(lead, "g5:6 f#5:2 f5:4 eb5 | d5:4 b4 c5:8 |");
    cPart& strings = b.AddPart("Strings", 48, eVoice::Saw, 66, 36);
    Shape(strings, 0.3f, 0.6f, 0.8f, 0.8f);
    b.HeldChords(strings, 55);
    cPart& bass = b.AddPart("Bass", 32, eVoice::Triangle, 110, 64);
    Shape(bass, 0.02f, 0.6f, 0.6f, 0.6f);
    b.Bass(bass, eBassStyle::Held, 2);
    cPart& drums = b.AddPart("Drums", 0, eVoice::Drums, 85, 64);
    b.Drums(drums, {"L:X.......x.......\n", "k:x.......X.......\nL:x.......X.......\n"}, {0, 1});
    return b.Finish();
}

}  // namespace

const cScore& TuneScore(eTune tune) {
    static std::once_flag once;
    static std::array<cScore, static_cast<size_t>(eTune::Count)> scores;
    std::call_once(once, [] {
        scores[static_cast<size_t>(eTune::Title)] = Title();
        scores[static_cast<size_t>(eTune::WorldMap)] = WorldMap();
        scores[static_cast<size_t>(eTune::Field)] = Field();
        scores[static_cast<size_t>(eTune::Cave)] = Cave();
        scores[static_cast<size_t>(eTune::Castle)] = Castle();
        scores[static_cast<size_t>(eTune::Boss)] = Boss();
        scores[static_cast<size_t>(eTune::Clear)] = Clear();
        scores[static_cast<size_t>(eTune::GameOver)] = GameOver();
    });
    return scores[static_cast<size_t>(tune)];
}

}  // namespace sample
