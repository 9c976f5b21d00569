#include "platform/sound/wave_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/system/log.h"
#include "records/data_file.h"
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
    if (!FindChunk(b, 12, static_cast<size_t>(riffEnd), "fmt ", fmt)) {
        WriteReport("%s の読み込みに失敗しました…\nfmt チャンクがありません（%zu バイトのファイル）。", name, b.size());
        return false;
    }
    const size_t fmtAvail = fmt.data <= b.size() ? b.size() - fmt.data : 0;
    if (fmt.size >= 19 || fmtAvail < fmt.size) {
        WriteReportEC("%s の読み込みに失敗しました…\n対応していない形式か、不正なwavファイルです。\n"
                      "本ソフトではPCM形式のみ再生できます。",
                      name);
        WriteReport("%s: fmt チャンクのサイズ %u（ファイルに残り %zu バイト、18 バイトまで読めます）", name, fmt.size,
                    fmtAvail);
        return false;
    }
    // A format block of size 0 may sit at the very end of the file: nothing to copy.
    uint8_t raw[18] = {};
    if (fmt.size > 0) std::memcpy(raw, b.data() + fmt.data, fmt.size);
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
        WriteReport("%s: 形式タグ %u（PCM は 1）", name, f.wFormatTag);
        return false;
    }
    const size_t afterFmt = fmt.data + fmt.size + (fmt.size & 1);
    cChunk data;
    if (!FindChunk(b, afterFmt, static_cast<size_t>(riffEnd), "data", data)) {
        WriteReport("%s の読み込みに失敗しました…\nfmt チャンクの後に data チャンクがありません。", name);
        return false;
    }
    // A data chunk that claims more than the file holds keeps what is there.
    const size_t avail = data.data <= b.size() ? b.size() - data.data : 0;
    const size_t len = std::min<size_t>(data.size, avail);
    if (len == 0) {
        WriteReport("%s の読み込みに失敗しました…\ndata チャンクにサンプルがありません（サイズ %u）。", name, data.size);
        return false;
    }
    wave.samples.assign(b.begin() + static_cast<std::ptrdiff_t>(data.data),
                        b.begin() + static_cast<std::ptrdiff_t>(data.data + len));
    return true;
}

bool ReadWaveFile(const char* path, WAVEDATA& wave) {
    wave = WAVEDATA{};
    std::vector<uint8_t> bytes;
    // Larger files are refused unread, as data files are; a missing file is the caller's to report.
    if (!ReadFileBytes(RecNativePath(path, false), bytes, MAX_DATA_FILE_SIZE)) return false;
    return ParseWaveBytes(bytes, path, wave);
}

bool CheckWavePlayable(const WAVEDATA& wave, std::string& why) {
    const WAVEFORMATEX& f = wave.format;
    char text[320];
    auto refuse = [&](const char* what) {
        std::snprintf(text, sizeof text,
                      "%s（チャンネル数 %u、量子化ビット数 %u、サンプリング周波数 %u Hz、ブロックサイズ %u、"
                      "サンプル %zu バイト）",
                      what, f.nChannels, f.wBitsPerSample, f.nSamplesPerSec, f.nBlockAlign, wave.samples.size());
        why = text;
        return false;
    };
    if (f.nChannels < 1 || f.nChannels > 2) return refuse("チャンネル数は 1 か 2 です");
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return refuse("量子化ビット数は 8 か 16 です");
    if (f.nSamplesPerSec < 100 || f.nSamplesPerSec > 200000)
        return refuse("サンプリング周波数は 100 Hz から 200000 Hz までです");
    const size_t block = static_cast<size_t>(f.nChannels) * f.wBitsPerSample / 8;
    if (f.nBlockAlign != block) return refuse("ブロックサイズがチャンネル数と量子化ビット数に合いません");
    if (wave.samples.size() < block) return refuse("サンプルが 1 つもありません");
    why.clear();
    return true;
}

void FreeWaveData(WAVEDATA& wave) {
    wave.samples.clear();
    wave.samples.shrink_to_fit();
}
