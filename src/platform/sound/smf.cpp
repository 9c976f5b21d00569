#include "platform/sound/smf.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/system/log.h"
#include "records/data_file.h"
#include "records/services.h"

namespace {

uint32_t Be32(const uint8_t* p) { return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// One event while converting: its absolute time, status, and where the bytes
// after the status lie in the file (a channel event's data bytes are kept to
// 7 bits when the image is written).
struct cSmfEvent {
    uint64_t time = 0;
    uint8_t status = 0;
    size_t data = 0;
    size_t len = 0;
};

// Reads one track's events from [pos, end); false when the track is damaged.
// endTime gets the time of its end-of-track event.
bool ReadTrack(const uint8_t* b, size_t pos, size_t end, std::vector<cSmfEvent>& out, uint64_t& endTime) {
    uint64_t time = 0;
    uint8_t last = 0;
    while (pos < end) {
        uint32_t delta;
        const int n = ReadVarLen(b + pos, end - pos, delta);
        if (n == 0) return false;
        pos += static_cast<size_t>(n);
        time += delta;
        if (pos >= end) return false;
        uint8_t status = last;
        if (b[pos] & 0x80) status = b[pos++];
        if (status == 0) return false;  // running status with nothing to run on
        // Only channel events set the running status: meta and system-exclusive
        // events between them leave it as it was, as MIDI readers at large do.
        if (status < 0xF0) last = status;
        cSmfEvent e;
        e.time = time;
        e.status = status;
        size_t len;
        if (status == 0xFF) {
            if (pos >= end) return false;
            uint32_t dataLen;
            const int m = ReadVarLen(b + pos + 1, end - pos - 1, dataLen);
            if (m == 0) return false;
            if (b[pos] == 0x2F && dataLen == 0) {
                endTime = time;
                return true;
            }
            len = 1 + static_cast<size_t>(m) + dataLen;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t dataLen;
            const int m = ReadVarLen(b + pos, end - pos, dataLen);
            if (m == 0) return false;
            len = static_cast<size_t>(m) + dataLen;
        } else {
            len = (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
        }
        if (len > end - pos) return false;
        e.data = pos;
        e.len = len;
        pos += len;
        out.push_back(std::move(e));
    }
    return false;  // the chunk ended without an end-of-track event
}

void PutBe32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x >> 24);
    v[at + 1] = static_cast<uint8_t>(x >> 16);
    v[at + 2] = static_cast<uint8_t>(x >> 8);
    v[at + 3] = static_cast<uint8_t>(x);
}

}  // namespace

int ReadVarLen(const uint8_t* bytes, size_t avail, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (static_cast<size_t>(i) >= avail) return 0;
        value = (value << 7) | (bytes[i] & 0x7F);
        if (!(bytes[i] & 0x80)) return i + 1;
    }
    return 0;
}

int WriteVarLen(uint8_t* out, uint32_t value) {
    if (value >= 0x10000000) return 0;
    int n = 1;
    while (n < 4 && (value >> (7 * n))) ++n;
    for (int i = 0; i < n; ++i) {
        const uint8_t group = static_cast<uint8_t>((value >> (7 * (n - 1 - i))) & 0x7F);
        out[i] = static_cast<uint8_t>(group | (i < n - 1 ? 0x80 : 0));
    }
    return n;
}

std::vector<uint8_t> ConvertToFormat0(const std::vector<uint8_t>& bytes) {
    const uint8_t* b = bytes.data();
    const size_t size = bytes.size();
    const int nTracks = Be16(b + 10);
    if (nTracks == 0) return {};
    // Every track's events after one another, then stably ordered by time:
    // events at the same tick keep the order of their track numbers.
    std::vector<cSmfEvent> events;
    uint64_t latestEnd = 0;
    size_t pos = 14;
    for (int found = 0; found < nTracks;) {
        if (size - pos < 8) return {};
        const uint32_t len = Be32(b + pos + 4);
        if (len > size - pos - 8) return {};
        const size_t begin = pos + 8;
        pos = begin + len;
        if (std::memcmp(b + begin - 8, "MTrk", 4) != 0) continue;  // unknown chunks are skipped
        uint64_t endTime = 0;
        if (!ReadTrack(b, begin, begin + len, events, endTime)) return {};
        latestEnd = std::max(latestEnd, endTime);
        ++found;
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const cSmfEvent& x, const cSmfEvent& y) { return x.time < y.time; });
    cSmfEvent endOfTrack;
    endOfTrack.time = latestEnd;
    endOfTrack.status = 0xFF;
    events.push_back(endOfTrack);

    std::vector<uint8_t> image = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, b[12], b[13], 'M', 'T', 'r', 'k', 0, 0, 0, 0};
    uint64_t prev = 0;
    for (const cSmfEvent& e : events) {
        uint8_t var[4];
        const int n = WriteVarLen(var, static_cast<uint32_t>(std::min<uint64_t>(e.time - prev, 0xFFFFFFFF)));
        if (n == 0) return {};  // a gap no delta time can hold
        prev = e.time;
        image.insert(image.end(), var, var + n);
        image.push_back(e.status);
        if (&e == &events.back()) {
            image.push_back(0x2F);
            image.push_back(0x00);
        } else if (e.status < 0xF0) {
            // A damaged data byte (a control value above 127) keeps its low 7 bits.
            for (size_t i = 0; i < e.len; ++i) image.push_back(b[e.data + i] & 0x7F);
        } else {
            image.insert(image.end(), b + e.data, b + e.data + e.len);
        }
    }
    PutBe32(image, 18, static_cast<uint32_t>(image.size() - SMF_FIRST_EVENT));
    return image;
}

std::vector<uint8_t> cSmf::Init(const std::vector<uint8_t>& bytes, const std::string& name) {
    const char* n = name.c_str();
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "MThd", 4) != 0) {
        WriteReportEC("Midi %s Init 標準MIDIでない(4)", n);
        return {};
    }
    if (bytes.size() < 8 || Be32(&bytes[4]) != 6) {
        WriteReportEC("Midi %s Init 標準MIDIでない(6)", n);
        return {};
    }
    if (bytes.size() < 14) {
        WriteReportEC("Midi %s Init 標準MIDIでない(6)", n);
        return {};
    }
    const uint16_t format = Be16(&bytes[8]);
    if (format == 2) {
        WriteReportEC("Midi %s Init 対応フォーマットが2でない", n);
        return {};
    }
    if (format > 2) {
        WriteReportEC("Midi %s Init 対応フォーマットが0または1でない", n);
        return {};
    }
    if (bytes.size() < 18 || std::memcmp(&bytes[14], "MTrk", 4) != 0) {
        WriteReportEC("Midi %s Init 標準MIDIでない(4)", n);
        return {};
    }
    std::vector<uint8_t> image = ConvertToFormat0(bytes);
    if (image.empty()) WriteReportEC("Midi %s Init トラックが壊れている", n);
    return image;
}

cSmf::cSmf(const char* path) { Create(path); }

void cSmf::Create(const char* path) {
    m_Name = path ? path : "";
    m_Image.clear();
    std::vector<uint8_t> bytes;
    // Missing, unreadable, or larger than SMF_MAX_FILE_SIZE.
    if (!ReadFileBytes(RecNativePath(m_Name, false), bytes, SMF_MAX_FILE_SIZE)) {
        WriteReportEC("Midi %s Create ファイルが開けません", m_Name.c_str());
        return;
    }
    m_Image = Init(bytes, m_Name);
}
