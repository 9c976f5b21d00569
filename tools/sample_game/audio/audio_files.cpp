#include "sample_game/audio/audio_files.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <tuple>

namespace sample {

namespace {

void Le16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Le32(std::vector<uint8_t>& v, uint32_t x) {
    Le16(v, x & 0xFFFF);
    Le16(v, x >> 16);
}
void Be16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x >> 8));
    v.push_back(static_cast<uint8_t>(x));
}
void Be32(std::vector<uint8_t>& v, uint32_t x) {
    Be16(v, x >> 16);
    Be16(v, x & 0xFFFF);
}
void Tag(std::vector<uint8_t>& v, const char* id) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(id[i]));
}

void VarLen(std::vector<uint8_t>& v, uint32_t x) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(x & 0x7F);
        x >>= 7;
    } while (x);
    while (n > 1) v.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
    v.push_back(groups[0]);
}

// A track's events in order: each an absolute tick and its bytes.
class cTrackWriter {
public:
    void Meta(uint8_t type, const std::string& data) {
        Event(0, 0, {0xFF, type});
        std::vector<uint8_t>& bytes = m_Events.back().bytes;
        VarLen(bytes, static_cast<uint32_t>(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    // rank orders events at the same tick: note-offs (0) before the rest (1).
    void Event(uint32_t tick, int rank, std::initializer_list<uint8_t> bytes) {
        m_Events.push_back({tick, rank, m_Events.size(), bytes});
    }
    // The MTrk chunk ending at nEnd.
    void AppendTo(std::vector<uint8_t>& file, uint32_t nEnd) {
        std::sort(m_Events.begin(), m_Events.end(), [](const cEvent& a, const cEvent& b) {
            return std::tie(a.tick, a.rank, a.order) < std::tie(b.tick, b.rank, b.order);
        });
        std::vector<uint8_t> body;
        uint32_t now = 0;
        for (const cEvent& e : m_Events) {
            VarLen(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        VarLen(body, nEnd - now);
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        Tag(file, "MTrk");
        Be32(file, static_cast<uint32_t>(body.size()));
        file.insert(file.end(), body.begin(), body.end());
    }

private:
    struct cEvent {
        uint32_t tick;
        int rank;
        size_t order;
        std::vector<uint8_t> bytes;
    };
    std::vector<cEvent> m_Events;
};

}  // namespace

std::vector<uint8_t> MakeWaveFile(const std::vector<float>& samples, int nChannels, int nRate) {
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    const uint32_t blockAlign = static_cast<uint32_t>(nChannels) * 2;
    std::vector<uint8_t> v;
    v.reserve(44 + dataSize);
    Tag(v, "RIFF");
    Le32(v, 36 + dataSize);
    Tag(v, "WAVE");
    Tag(v, "fmt ");
    Le32(v, 16);
    Le16(v, 1);  // PCM
    Le16(v, static_cast<uint32_t>(nChannels));
    Le32(v, static_cast<uint32_t>(nRate));
    Le32(v, static_cast<uint32_t>(nRate) * blockAlign);
    Le16(v, blockAlign);
    Le16(v, 16);
    Tag(v, "data");
    Le32(v, dataSize);
    for (float s : samples) {
        const long q = std::clamp(std::lround(s * 32767.0f), -32767L, 32767L);
        Le16(v, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(q))));
    }
    return v;
}

std::vector<uint8_t> MakeMidiFile(const cScore& score) {
    std::vector<uint8_t> file;
    Tag(file, "MThd");
    Be32(file, 6);
    Be16(file, 1);
    Be16(file, static_cast<uint32_t>(score.parts.size() + 1));
    Be16(file, SCORE_TICKS_PER_QUARTER);

    cTrackWriter tempo;
    tempo.Meta(0x03, score.strTitle);
    tempo.Event(0, 1, {0xFF, 0x58, 0x04, 4, 2, 24, 8});  // 4/4, a click per quarter
    const uint32_t micros = static_cast<uint32_t>(std::lround(60000000.0 / score.dBpm));
    tempo.Event(0, 1, {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
                       static_cast<uint8_t>(micros)});
    tempo.AppendTo(file, score.nLengthTicks);

    for (const cPart& p : score.parts) {
        cTrackWriter t;
        const uint8_t ch = p.nChannel;
        t.Meta(0x03, p.strName);
        t.Event(0, 1, {static_cast<uint8_t>(0xC0 | ch), p.nProgram});
        t.Event(0, 1, {static_cast<uint8_t>(0xB0 | ch), 7, p.nVolume});
        t.Event(0, 1, {static_cast<uint8_t>(0xB0 | ch), 10, p.nPan});
        t.Event(0, 1, {static_cast<uint8_t>(0xB0 | ch), 91, static_cast<uint8_t>(20 + 60 * p.fEcho)});  // reverb
        for (const cNote& n : p.notes) {
            t.Event(n.nTick, 1, {static_cast<uint8_t>(0x90 | ch), n.nKey, n.nVelocity});
            t.Event(n.nTick + n.nLength, 0, {static_cast<uint8_t>(0x80 | ch), n.nKey, 64});
        }
        t.AppendTo(file, score.nLengthTicks);
    }
    return file;
}

bool WriteFileBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace sample
