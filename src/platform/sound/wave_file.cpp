#include "platform/sound/wave_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/system/file_owner.h"
#include "platform/system/log.h"
#include "records/services.h"

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

struct cChunk {
    size_t data = 0;    // offset of the chunk's data
    uint32_t size = 0;  // size as stored (may run past the end of the file)
};

// Looks for chunk id among the chunks in [begin, end); chunks are padded to even sizes.
bool FindChunk(const std::vector<uint8_t>& b, size_t begin, size_t end, const char* id, cChunk& out) {
    size_t pos = begin;
    while (pos + 8 <= end) {
        const uint32_t size = Le32(&b[pos + 4]);
        if (std::memcmp(&b[pos], id, 4) == 0) {
            out.data = pos + 8;
            out.size = size;
            return true;
        }
        const uint64_t next = static_cast<uint64_t>(pos) + 8 + size + (size & 1);
        if (next > end) return false;
        pos = static_cast<size_t>(next);
    }
    return false;
}

}  // namespace

bool ParseWaveBytes(const std::vector<uint8_t>& b, const char* name, WAVEDATA& wave) {
    wave = WAVEDATA{};
    // The RIFF chunk of form type WAVE.
    if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0) {
        WriteReportEC("%s の読み込みに失敗しました…\n不正なファイルです。", name);
        return false;
    }
    const uint64_t riffEnd = std::min<uint64_t>(b.size(), 8ull + Le32(&b[4]));
    cChunk fmt;
    if (!FindChunk(b, 12, static_cast<size_t>(riffEnd), "fmt ", fmt)) return false;
    const size_t fmtAvail = fmt.data <= b.size() ? b.size() - fmt.data : 0;
    if (fmt.size >= 19 || fmtAvail < fmt.size) {
        WriteReportEC("%s の読み込みに失敗しました…\n対応していない形式か、不正なwavファイルです。\n"
                      "本ソフトではPCM形式のみ再生できます。",
                      name);
        return false;
    }
    uint8_t raw[18] = {};
    std::memcpy(raw, &b[fmt.data], fmt.size);
    WAVEFORMATEX& f = wave.format;
    f.wFormatTag = Le16(raw);
    f.nChannels = Le16(raw + 2);
    f.nSamplesPerSec = Le32(raw + 4);
    f.nAvgBytesPerSec = Le32(raw + 8);
    f.nBlockAlign = Le16(raw + 12);
    f.wBitsPerSample = Le16(raw + 14);
    f.cbSize = Le16(raw + 16);
    if (f.wFormatTag != WAVE_FORMAT_PCM) {
        WriteReportEC("%s の読み込みに失敗しました…\nPCM形式以外の形式です。\n本ソフトではPCM形式のみ再生できます。", name);
        return false;
    }
    const size_t afterFmt = fmt.data + fmt.size + (fmt.size & 1);
    cChunk data;
    if (!FindChunk(b, afterFmt, static_cast<size_t>(riffEnd), "data", data)) return false;
    // A data chunk that claims more than the file holds keeps what is there.
    const size_t avail = data.data <= b.size() ? b.size() - data.data : 0;
    const size_t len = std::min<size_t>(data.size, avail);
    if (len == 0) return false;
    wave.samples.assign(b.begin() + static_cast<std::ptrdiff_t>(data.data),
                        b.begin() + static_cast<std::ptrdiff_t>(data.data + len));
    return true;
}

bool ReadWaveFile(const char* path, WAVEDATA& wave) {
    wave = WAVEDATA{};
    const FilePtr f = OpenFile(RecNativePath(path, false).c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.insert(bytes.end(), buf, buf + n);
    return ParseWaveBytes(bytes, path, wave);
}

void FreeWaveData(WAVEDATA& wave) {
    wave.samples.clear();
    wave.samples.shrink_to_fit();
}
