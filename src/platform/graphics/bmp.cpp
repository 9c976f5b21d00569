#include "platform/graphics/bmp.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

#include "platform/system/log.h"
#include "platform/system/prepared_files.h"
#include "records/services.h"

namespace {

// Sets the reason of a refusal; false.
bool Refuse(std::string* why, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool Refuse(std::string* why, const char* format, ...) {
    if (why) {
        char text[256];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        *why = text;
    }
    return false;
}

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
int32_t LeS32(const uint8_t* p) { return static_cast<int32_t>(Le32(p)); }

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// One channel of a bit-field pixel scaled to 0..255.
struct CHANNEL {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    explicit CHANNEL(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    uint32_t Get(uint32_t p) const { return max ? ((p & mask) >> shift) * 255 / max : 0; }
};

struct HEADER {
    int width = 0, height = 0, bits = 0;
    uint32_t compression = BMP_RGB, colours = 0;
    uint32_t rMask = 0, gMask = 0, bMask = 0;
    bool topDown = false;
    size_t paletteAt = 0, paletteEntrySize = 4;
    size_t bitsAt = 0;
};

bool ReadHeader(const uint8_t* d, size_t size, HEADER* h, std::string* why) {
    if (size < 14 + 12) return Refuse(why, "BMP のヘッダーより短いファイルです（%zu バイト）", size);
    if (d[0] != 'B' || d[1] != 'M') return Refuse(why, "BMP ファイルではありません（先頭が BM でない）");
    const uint32_t offBits = Le32(d + 10);
    const uint32_t hdrSize = Le32(d + 14);
    if (hdrSize < 12 || hdrSize > size - 14)
        return Refuse(why, "情報ヘッダーのサイズ %u が不正です（ファイル %zu バイト）", hdrSize, size);
    const uint8_t* ih = d + 14;
    if (hdrSize == 12) {  // core header: 16-bit sizes, 3-byte colour entries
        h->width = static_cast<int>(Le16(ih + 4));
        h->height = static_cast<int>(Le16(ih + 6));
        h->bits = static_cast<int>(Le16(ih + 10));
        h->paletteEntrySize = 3;
    } else {
        if (hdrSize < 40) return Refuse(why, "情報ヘッダーのサイズ %u に対応していません", hdrSize);
        h->width = LeS32(ih + 4);
        const int32_t height = LeS32(ih + 8);
        if (height == INT32_MIN) return Refuse(why, "高さ %d が不正です", height);
        h->topDown = height < 0;
        h->height = height < 0 ? -height : height;
        h->bits = static_cast<int>(Le16(ih + 14));
        h->compression = Le32(ih + 16);
        h->colours = Le32(ih + 32);
        if (h->compression == BMP_BITFIELDS) {
            // Masks follow a 40-byte header, or sit inside a V4/V5 header.
            const size_t at = 14 + 40;
            if (size < at + 12) return Refuse(why, "ビットフィールドのマスクがファイルに収まりません");
            h->rMask = Le32(d + at);
            h->gMask = Le32(d + at + 4);
            h->bMask = Le32(d + at + 8);
        }
    }
    if (const uint32_t planes = Le16(ih + (hdrSize == 12 ? 8 : 12)); planes != 1)
        return Refuse(why, "プレーン数 %u（1 のみ）", planes);
    if (h->width < 1 || h->height < 1 || h->width > BMP_MAX_SIDE || h->height > BMP_MAX_SIDE)
        return Refuse(why, "サイズ %d x %d（1 から %d まで）", h->width, h->height, BMP_MAX_SIDE);
    if (static_cast<long long>(h->width) * h->height > BMP_MAX_PIXELS)
        return Refuse(why, "サイズ %d x %d が大きすぎます（%lld 画素まで）", h->width, h->height, BMP_MAX_PIXELS);
    switch (h->bits) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return Refuse(why, "色数 %d ビットに対応していません（1, 4, 8, 16, 24, 32）", h->bits);
    }
    const uint32_t c = h->compression;
    const bool ok = c == BMP_RGB || (c == BMP_RLE8 && h->bits == 8) || (c == BMP_RLE4 && h->bits == 4) ||
                    (c == BMP_BITFIELDS && (h->bits == 16 || h->bits == 32));
    if (!ok) return Refuse(why, "圧縮形式 %u は %d ビットの画像に使えません", c, h->bits);
    if (h->topDown && (c == BMP_RLE4 || c == BMP_RLE8))
        return Refuse(why, "圧縮形式 %u の画像は上から下へ並べられません", c);
    h->paletteAt = 14 + hdrSize + (c == BMP_BITFIELDS && hdrSize == 40 ? 12 : 0);
    h->bitsAt = offBits;
    if (h->bitsAt > size) return Refuse(why, "画素の位置 %u がファイル（%zu バイト）の外です", offBits, size);
    return true;
}

bool ReadPalette(const uint8_t* d, size_t size, const HEADER& h, std::vector<uint32_t>* pal, std::string* why) {
    size_t n = 0;
    if (h.bits <= 8) {
        n = h.colours ? h.colours : (1u << h.bits);
        if (n > 256) return Refuse(why, "パレットの色数 %zu（256 まで）", n);
    }
    // The table ends where the pixels begin; files that leave entries out are cut short.
    const size_t room = h.bitsAt > h.paletteAt ? (h.bitsAt - h.paletteAt) / h.paletteEntrySize : 0;
    if (h.bits <= 8 && n > room) n = room;
    if (h.paletteAt + n * h.paletteEntrySize > size) return Refuse(why, "パレットがファイルに収まりません");
    pal->resize(n);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* e = d + h.paletteAt + i * h.paletteEntrySize;
        (*pal)[i] = (e[2] << 16) | (e[1] << 8) | e[0];
    }
    return true;
}

// Expands RLE8/RLE4 data into indices, bottom row first; unwritten pixels stay 0.
bool DecodeRle(const uint8_t* p, size_t n, const HEADER& h, std::vector<uint8_t>* idx) {
    const int w = h.width, hh = h.height;
    const bool four = h.compression == BMP_RLE4;
    idx->assign(static_cast<size_t>(w) * hh, 0);
    int x = 0, y = 0;
    size_t i = 0;
    // Pixels past the end of a row are dropped; x stays at the row's end.
    auto put = [&](uint8_t v) {
        if (x >= w) return;
        if (y < hh) (*idx)[static_cast<size_t>(y) * w + x] = v;
        ++x;
    };
    while (i + 1 < n) {
        const uint8_t count = p[i], value = p[i + 1];
        i += 2;
        if (count) {
            for (int k = 0; k < count; ++k) put(four ? ((k & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            return true;
        } else if (value == 2) {  // delta
            if (i + 1 >= n) return false;
            x = std::min(x + p[i], w);
            y += p[i + 1];
            i += 2;
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const size_t bytes = four ? (value + 1) / 2 : value;
            if (i + bytes > n) return false;
            for (int k = 0; k < value; ++k) put(four ? ((k & 1) ? p[i + k / 2] & 15 : p[i + k / 2] >> 4) : p[i + k]);
            i += (bytes + 1) & ~size_t(1);
        }
        if (y > hh) return false;
    }
    return true;  // data ended without an end mark: keep what was drawn
}

}  // namespace

bool DecodeBmp(const uint8_t* d, size_t size, BMPIMAGE* out, std::string* why) {
    HEADER h;
    if (!d) return Refuse(why, "データがありません");
    if (!ReadHeader(d, size, &h, why)) return false;
    BMPIMAGE img;
    img.nWidth = h.width;
    img.nHeight = h.height;
    img.nBitCount = h.bits;
    if (!ReadPalette(d, size, h, &img.Palette, why)) return false;
    const size_t w = h.width, hh = h.height;
    const uint8_t* bits = d + h.bitsAt;
    const size_t avail = size - h.bitsAt;
    // Uncompressed pixels must all be in the file before anything is allocated for them.
    const size_t stride = ((w * h.bits + 31) / 32) * 4;
    if (h.compression != BMP_RLE8 && h.compression != BMP_RLE4 && stride * hh > avail)
        return Refuse(why, "%d x %d、%d ビットの画素には %zu バイト要りますが、%zu バイトしかありません", h.width,
                      h.height, h.bits, stride * hh, avail);
    img.Pixels.resize(w * hh);

    if (h.bits <= 8) {
        std::vector<uint8_t> rows;  // bottom row first
        if (h.compression == BMP_RLE8 || h.compression == BMP_RLE4) {
            if (!DecodeRle(bits, avail, h, &rows))
                return Refuse(why, "圧縮形式 %u のデータが壊れています", h.compression);
        } else {
            rows.resize(w * hh);
            for (size_t r = 0; r < hh; ++r) {
                const uint8_t* src = bits + stride * (h.topDown ? hh - 1 - r : r);
                uint8_t* dst = &rows[r * w];
                for (size_t x = 0; x < w; ++x) {
                    if (h.bits == 8) dst[x] = src[x];
                    else if (h.bits == 4) dst[x] = (x & 1) ? src[x / 2] & 15 : src[x / 2] >> 4;
                    else dst[x] = (src[x / 8] >> (7 - (x & 7))) & 1;
                }
            }
        }
        img.Index.resize(w * hh);
        for (size_t r = 0; r < hh; ++r)
            for (size_t x = 0; x < w; ++x) {
                const uint8_t v = rows[r * w + x];
                img.Index[(hh - 1 - r) * w + x] = v;
                img.Pixels[(hh - 1 - r) * w + x] = v < img.Palette.size() ? img.Palette[v] : 0;
            }
    } else {
        uint32_t rm = 0x7C00, gm = 0x03E0, bm = 0x001F;
        if (h.bits == 32) rm = 0xFF0000, gm = 0xFF00, bm = 0xFF;
        if (h.compression == BMP_BITFIELDS) rm = h.rMask, gm = h.gMask, bm = h.bMask;
        const CHANNEL r(rm), g(gm), b(bm);
        for (size_t row = 0; row < hh; ++row) {
            const uint8_t* src = bits + stride * (h.topDown ? row : hh - 1 - row);
            uint32_t* dst = &img.Pixels[row * w];
            for (size_t x = 0; x < w; ++x) {
                if (h.bits == 24) {
                    const uint8_t* s = src + x * 3;
                    dst[x] = (s[2] << 16) | (s[1] << 8) | s[0];
                } else {
                    const uint32_t p = h.bits == 16 ? Le16(src + x * 2) : Le32(src + x * 4);
                    dst[x] = (r.Get(p) << 16) | (g.Get(p) << 8) | b.Get(p);
                }
            }
        }
    }
    *out = std::move(img);
    return true;
}

namespace {

bool ReadNative(const std::string& path, std::vector<uint8_t>* bytes, size_t limit) {
    std::ifstream f(RecNativePath(path, false), std::ios::binary);
    if (!f) return false;
    bytes->resize(limit);
    f.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(limit));
    bytes->resize(static_cast<size_t>(f.gcount()));
    return true;
}

// The pictures decoded ahead (never destroyed: a worker may still add one at exit).
cPreparedFiles<BMPIMAGE>& Prepared() {
    static auto* prepared = new cPreparedFiles<BMPIMAGE>;
    return *prepared;
}

}  // namespace

void PrepareBmpFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        const std::string native = RecNativePath(path, false);
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        if (!StampPreparedFile(native, std::uintmax_t(1) << 30, &size, &time)) continue;
        std::vector<uint8_t> bytes;
        BMPIMAGE image;
        if (!ReadNative(path, &bytes, static_cast<size_t>(size)) || bytes.size() != size ||
            !DecodeBmp(bytes.data(), bytes.size(), &image))
            continue;
        Prepared().Put(native, size, time, std::move(image));
    }
}

void DiscardPreparedBmpFiles() { Prepared().Clear(); }

bool LoadBmpFile(const std::string& path, BMPIMAGE* out) {
    if (path.empty()) return false;
    std::error_code ec;
    const std::string native = RecNativePath(path, false);
    const auto size = std::filesystem::file_size(native, ec);
    if (ec) return false;  // missing: the caller knows whether that matters
    // A file present but refused is reported with its reason, for the game's author.
    if (size > (size_t(1) << 30)) {
        WriteReport("%s を読み込めません：%ju バイトは大きすぎます", path.c_str(), static_cast<uintmax_t>(size));
        return false;
    }
    if (Prepared().Take(native, size, out)) return true;
    std::vector<uint8_t> bytes;
    if (!ReadNative(path, &bytes, static_cast<size_t>(size))) {
        WriteReport("%s を読み込めません：ファイルが開けません", path.c_str());
        return false;
    }
    std::string why;
    if (!DecodeBmp(bytes.data(), bytes.size(), out, &why)) {
        WriteReport("%s を読み込めません：%s", path.c_str(), why.c_str());
        return false;
    }
    return true;
}

bool ReadBmpSize(const std::string& path, int* width, int* height) {
    BMPIMAGE img;
    if (!LoadBmpFile(path, &img)) return false;
    *width = img.nWidth;
    *height = img.nHeight;
    return true;
}

namespace {

void EncodeRleRow(const uint8_t* row, int w, bool four, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < w) {
        int run = 1;
        if (four) {  // runs of an alternating pair are one encoded run in RLE4
            while (x + run < w && run < 255 && row[x + run] == row[x + (run & 1)]) ++run;
        } else {
            while (x + run < w && run < 255 && row[x + run] == row[x]) ++run;
        }
        if (run >= 3 || w - x < 3) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(four ? static_cast<uint8_t>((row[x] << 4) | (run > 1 ? row[x + 1] : 0)) : row[x]);
            x += run;
            continue;
        }
        // Absolute run: gather pixels up to the next run of three.
        int n = 0;
        while (x + n < w && n < 255) {
            if (x + n + 2 < w && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2]) break;
            ++n;
        }
        if (n < 3) {
            out.push_back(1);
            out.push_back(four ? static_cast<uint8_t>(row[x] << 4) : row[x]);
            ++x;
            continue;
        }
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(n));
        size_t bytes = 0;
        for (int k = 0; k < n; k += four ? 2 : 1, ++bytes) {
            if (four) out.push_back(static_cast<uint8_t>((row[x + k] << 4) | (k + 1 < n ? row[x + k + 1] : 0)));
            else out.push_back(row[x + k]);
        }
        if (bytes & 1) out.push_back(0);
        x += n;
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const BMPIMAGE& img, int bitCount, uint32_t compression, bool topDown) {
    const int w = img.nWidth, h = img.nHeight;
    const bool indexed = bitCount <= 8;
    if (w < 1 || h < 1 || img.Pixels.size() != static_cast<size_t>(w) * h) return {};
    if (indexed && img.Index.size() != img.Pixels.size()) return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return {};
    if (compression == BMP_RLE8 && bitCount != 8) return {};
    if (compression == BMP_RLE4 && bitCount != 4) return {};
    if (compression != BMP_RGB && compression != BMP_RLE8 && compression != BMP_RLE4) return {};
    if (compression != BMP_RGB && topDown) return {};

    const size_t colours = indexed ? (size_t(1) << bitCount) : 0;
    std::vector<uint8_t> pixels;
    const size_t stride = ((static_cast<size_t>(w) * bitCount + 31) / 32) * 4;
    for (int r = 0; r < h; ++r) {
        const int y = topDown ? r : h - 1 - r;
        if (compression != BMP_RGB) {
            EncodeRleRow(&img.Index[static_cast<size_t>(y) * w], w, compression == BMP_RLE4, pixels);
            continue;
        }
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            const uint32_t c = img.Pixels[i];
            switch (bitCount) {
                case 1: row[x / 8] |= (img.Index[i] & 1) << (7 - (x & 7)); break;
                case 4: row[x / 2] |= (img.Index[i] & 15) << ((x & 1) ? 0 : 4); break;
                case 8: row[x] = img.Index[i]; break;
                case 16: {
                    const uint32_t v = ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
                    row[x * 2] = v & 0xFF;
                    row[x * 2 + 1] = v >> 8;
                    break;
                }
                case 24:
                    row[x * 3] = c & 0xFF;
                    row[x * 3 + 1] = (c >> 8) & 0xFF;
                    row[x * 3 + 2] = (c >> 16) & 0xFF;
                    break;
                default:
                    for (int k = 0; k < 4; ++k) row[x * 4 + k] = (c >> (8 * k)) & 0xFF;
                    break;
            }
        }
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    if (compression != BMP_RGB) {
        pixels.push_back(0);
        pixels.push_back(1);
    }

    std::vector<uint8_t> out;
    const uint32_t offBits = 14 + 40 + static_cast<uint32_t>(colours) * 4;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + static_cast<uint32_t>(pixels.size()));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(topDown ? -h : h));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitCount));
    Put32(out, compression);
    Put32(out, static_cast<uint32_t>(pixels.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(colours));
    Put32(out, 0);
    for (size_t i = 0; i < colours; ++i) Put32(out, i < img.Palette.size() ? img.Palette[i] & 0xFFFFFF : 0);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

bool WriteFileBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes) {
    const std::string tmp = nativePath + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!f) {
            f.close();
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), nativePath.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}
