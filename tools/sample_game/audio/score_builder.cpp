#include "sample_game/audio/score_builder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace sample {

namespace {

constexpr uint8_t VELOCITY = 96;
constexpr uint8_t ACCENT = 120;
constexpr size_t MAX_PARTS = 15;

int PitchClass(char letter) {
    switch (letter) {
    case 'c': case 'C': return 0;
    case 'd': case 'D': return 2;
    case 'e': case 'E': return 4;
    case 'f': case 'F': return 5;
    case 'g': case 'G': return 7;
    case 'a': case 'A': return 9;
    case 'b': case 'B': return 11;
    default: return -1;
    }
}

std::vector<std::string> Tokens(std::string text) {
    // Bar lines stand alone even when written against a note.
    for (size_t at = text.find('|'); at != std::string::npos; at = text.find('|', at + 3)) text.replace(at, 1, " | ");
    std::istringstream in(text);
    std::vector<std::string> out;
    std::string t;
    while (in >> t) out.push_back(t);
    return out;
}

uint8_t DrumKey(char c) {
    switch (c) {
    case 'k': return DRUM_KICK;
    case 's': return DRUM_SNARE;
    case 't': return DRUM_SIDE_STICK;
    case 'h': return DRUM_CLOSED_HAT;
    case 'o': return DRUM_OPEN_HAT;
    case 'c': return DRUM_CRASH;
    case 'r': return DRUM_RIDE;
    case 'L': return DRUM_LOW_TOM;
    case 'M': return DRUM_MID_TOM;
    case 'H': return DRUM_HIGH_TOM;
    default: return 0;
    }
}

// The chord tone i steps up from the root (wrapping into higher octaves).
int ChordTone(const cChord& c, int i) {
    const int n = static_cast<int>(c.intervals.size());
    return c.intervals[static_cast<size_t>(i % n)] + 12 * (i / n);
}

}  // namespace

cScoreBuilder::cScoreBuilder(const char* szTitle, double dBpm, int nBars, bool bLoop) {
    m_Score.strTitle = szTitle;
    m_Score.dBpm = dBpm;
    m_Score.nLengthTicks = static_cast<uint32_t>(nBars) * SCORE_TICKS_PER_BAR;
    m_Score.bLoop = bLoop;
    m_Score.parts.reserve(MAX_PARTS);  // AddPart hands out references that must stay valid
}

void cScoreBuilder::Fail(const std::string& why) const {
    std::fprintf(stderr, "sample tune %s: %s\n", m_Score.strTitle.c_str(), why.c_str());
    std::abort();
}

int cScoreBuilder::NoteKey(const std::string& t, size_t& pos) const {
    const int pc = PitchClass(t[pos]);
    if (pc < 0) Fail("not a note: " + t);
    ++pos;
    int key = pc;
    if (pos < t.size() && t[pos] == '#') ++key, ++pos;
    else if (pos < t.size() && t[pos] == 'b') --key, ++pos;
    if (pos >= t.size() || t[pos] < '0' || t[pos] > '9') Fail("no octave: " + t);
    key += 12 * (t[pos] - '0' + 1);
    ++pos;
    return key;
}

void cScoreBuilder::Chords(const std::string& text) {
    uint32_t tick = 0, len = SCORE_TICKS_PER_BAR;
    for (const std::string& t : Tokens(text)) {
        if (t == "|") {
            if (tick % SCORE_TICKS_PER_BAR) Fail("chord bar line off the bar at " + std::to_string(tick));
            continue;
        }
        cChord c;
        size_t pos = 0;
        c.nRoot = PitchClass(t[pos++]);
        if (c.nRoot < 0) Fail("not a chord: " + t);
        if (pos < t.size() && t[pos] == '#') ++c.nRoot, ++pos;
        else if (pos < t.size() && t[pos] == 'b') --c.nRoot, ++pos;
        c.nRoot = (c.nRoot + 12) % 12;
        const size_t colon = t.find(':');
        const std::string quality = t.substr(pos, colon == std::string::npos ? std::string::npos : colon - pos);
        if (colon != std::string::npos) len = static_cast<uint32_t>(std::atoi(t.c_str() + colon + 1)) * SCORE_TICKS_PER_STEP;
        if (quality.empty()) c.intervals = {0, 4, 7};
        else if (quality == "m") c.intervals = {0, 3, 7};
        else if (quality == "7") c.intervals = {0, 4, 7, 10};
        else if (quality == "m7") c.intervals = {0, 3, 7, 10};
        else if (quality == "maj7") c.intervals = {0, 4, 7, 11};
        else if (quality == "dim") c.intervals = {0, 3, 6};
        else if (quality == "sus4") c.intervals = {0, 5, 7};
        else Fail("unknown chord quality: " + t);
        c.nTick = tick;
        c.nLength = len;
        tick += len;
        m_Chords.push_back(c);
    }
    if (tick != m_Score.nLengthTicks) Fail("the chords do not fill the tune");
}

cPart& cScoreBuilder::AddPart(const char* szName, uint8_t nProgram, eVoice voice, uint8_t nVolume, uint8_t nPan) {
    if (m_Score.parts.size() == MAX_PARTS) Fail("too many parts");
    cPart p;
    p.strName = szName;
    p.voice = voice;
    p.nProgram = nProgram;
    p.nVolume = nVolume;
    p.nPan = nPan;
    if (voice == eVoice::Drums) {
        p.nChannel = DRUM_CHANNEL;
    } else {
        p.nChannel = m_nNextChannel++;
        if (p.nChannel == DRUM_CHANNEL) p.nChannel = m_nNextChannel++;
    }
    m_Score.parts.push_back(p);
    return m_Score.parts.back();
}

void cScoreBuilder::Melody(cPart& part, const std::string& text, int nTranspose) {
    if (!part.notes.empty()) Fail("a second melody for part " + part.strName);
    uint32_t tick = 0;
    uint32_t len = SCORE_TICKS_PER_STEP * 4;
    for (const std::string& t : Tokens(text)) {
        if (t == "|") {
            if (tick % SCORE_TICKS_PER_BAR) Fail("melody bar line off the bar at " + std::to_string(tick));
            continue;
        }
        size_t pos = 0;
        uint8_t velocity = VELOCITY;
        if (t[pos] == '>') velocity = ACCENT, ++pos;
        const bool bRest = t[pos] == 'r';
        int key = 0;
        if (bRest) ++pos;
        else key = NoteKey(t, pos) + nTranspose;
        if (pos < t.size()) {
            if (t[pos] != ':') Fail("bad note: " + t);
            len = static_cast<uint32_t>(std::atoi(t.c_str() + pos + 1)) * SCORE_TICKS_PER_STEP;
            if (len == 0) Fail("no length: " + t);
        }
        if (!bRest) part.notes.push_back({tick, len, static_cast<uint8_t>(key), velocity});
        tick += len;
    }
    if (tick != m_Score.nLengthTicks) Fail("melody of " + part.strName + " does not fill the tune: " + std::to_string(tick));
}

void cScoreBuilder::Bass(cPart& part, eBassStyle style, int nOctave) {
    const int base = 12 * (nOctave + 1);
    for (size_t ci = 0; ci < m_Chords.size(); ++ci) {
        const cChord& c = m_Chords[ci];
        const cChord& next = m_Chords[(ci + 1) % m_Chords.size()];
        const int root = base + c.nRoot;
        const int fifth = root + c.intervals[2];
        auto add = [&](uint32_t at, uint32_t len, int key, uint8_t vel) {
            part.notes.push_back({c.nTick + at, len, static_cast<uint8_t>(key), vel});
        };
        const uint32_t q = SCORE_TICKS_PER_QUARTER, e = q / 2, s = q / 4;
        switch (style) {
        case eBassStyle::Held: add(0, c.nLength, root, VELOCITY); break;
        case eBassStyle::Eighths:
            for (uint32_t t = 0; t < c.nLength; t += e) add(t, e - 20, root, t % q ? VELOCITY - 16 : VELOCITY);
            break;
        case eBassStyle::RootFifth:
            for (uint32_t t = 0; t < c.nLength; t += q) {
                const bool bLast = t + q >= c.nLength;
                const int key = bLast && c.nLength >= 2 * q ? root + 12 : (t / q) % 2 ? fifth : root;
                add(t, q - 40, key, t == 0 ? ACCENT : VELOCITY);
            }
            break;
        case eBassStyle::Walking: {
            const int target = base + next.nRoot;
            for (uint32_t t = 0; t < c.nLength; t += q) {
                const uint32_t beat = t / q;
                int key = root + ChordTone(c, static_cast<int>(beat));
                if (t + q >= c.nLength && c.nLength >= 2 * q) key = target + (target > root ? -1 : 1);  // lead in
                add(t, q - 30, key, beat == 0 ? ACCENT : VELOCITY);
            }
            break;
        }
        case eBassStyle::Octaves:
            for (uint32_t t = 0; t < c.nLength; t += e) add(t, e - 30, (t / e) % 2 ? root + 12 : root, (t / e) % 2 ? VELOCITY - 10 : VELOCITY + 10);
            break;
        case eBassStyle::Sixteenths:
            for (uint32_t t = 0; t < c.nLength; t += s) {
                const uint32_t step = (t / s) % 8;
                if (step == 1 || step == 5) continue;  // a gallop: x.xx x.xx
                add(t, s - 15, step == 7 ? fifth : root, step == 0 || step == 4 ? ACCENT : VELOCITY - 20);
            }
            break;
        }
    }
}

void cScoreBuilder::HeldChords(cPart& part, int nLowKey) {
    for (const cChord& c : m_Chords) {
        int root = c.nRoot;
        while (root < nLowKey) root += 12;
        // The nearest inversion: every tone from nLowKey up within an octave.
        for (int iv : c.intervals) {
            int key = root + iv;
            while (key - 12 >= nLowKey) key -= 12;
            part.notes.push_back({c.nTick, c.nLength, static_cast<uint8_t>(key), VELOCITY - 16});
        }
    }
    std::stable_sort(part.notes.begin(), part.notes.end(),
                     [](const cNote& a, const cNote& b) { return a.nTick < b.nTick; });
}

void cScoreBuilder::Arpeggio(cPart& part, int nLowKey, int nSteps) {
    const uint32_t len = static_cast<uint32_t>(nSteps) * SCORE_TICKS_PER_STEP;
    for (const cChord& c : m_Chords) {
        int root = c.nRoot;
        while (root < nLowKey) root += 12;
        const int n = static_cast<int>(c.intervals.size());
        const int top = 2 * n;  // two octaves of chord tones, up then down
        int i = 0;
        for (uint32_t t = 0; t < c.nLength; t += len, ++i) {
            const int period = 2 * top;
            const int k = i % period;
            const int step = k <= top ? k : period - k;
            part.notes.push_back({c.nTick + t, len, static_cast<uint8_t>(root + ChordTone(c, step)),
                                  static_cast<uint8_t>(i % 4 == 0 ? VELOCITY : VELOCITY - 20)});
        }
    }
}

void cScoreBuilder::Drums(cPart& part, const std::vector<std::string>& patterns, const std::vector<int>& bars) {
    for (size_t b = 0; b < bars.size(); ++b) {
        const std::string& pattern = patterns[static_cast<size_t>(bars[b])];
        std::istringstream lines(pattern);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.empty()) continue;
            const uint8_t key = DrumKey(line[0]);
            if (key == 0 || line.size() != 18 || line[1] != ':') Fail("bad drum line: " + line);
            for (uint32_t step = 0; step < 16; ++step) {
                const char c = line[2 + step];
                if (c == '.') continue;
                const uint32_t tick = static_cast<uint32_t>(b) * SCORE_TICKS_PER_BAR + step * SCORE_TICKS_PER_STEP;
                part.notes.push_back({tick, SCORE_TICKS_PER_STEP, key, c == 'X' ? ACCENT : c == 'x' ? VELOCITY : uint8_t(64)});
            }
        }
    }
    std::stable_sort(part.notes.begin(), part.notes.end(),
                     [](const cNote& a, const cNote& b) { return a.nTick < b.nTick; });
}

cScore cScoreBuilder::Finish() {
    for (const cPart& p : m_Score.parts)
        for (const cNote& n : p.notes)
            if (n.nTick + n.nLength > m_Score.nLengthTicks) Fail("part " + p.strName + " runs past the end");
    return m_Score;
}

}  // namespace sample
