#include "platform/graphics/fx_palette.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/graphics/dd_internal.h"
#include "platform/graphics/fx_lock.h"
#include "platform/system/file_owner.h"
#include "platform/system/log.h"
#include "records/services.h"

namespace {

// Entries first..last cut to the palette; false when nothing of the range is left.
bool ClipRange(int* first, int* last) {
    *first = std::max(*first, 0);
    *last = std::min(*last, 255);
    return *first <= *last;
}

uint8_t Mix(uint8_t s, uint8_t c, int weight) { return static_cast<uint8_t>((s * weight + c * (256 - weight)) >> 8); }

}  // namespace

void DDBlendPalette(PALETTEENTRY* dst, int first, int last, int weight, uint8_t r, uint8_t g, uint8_t b,
                    const PALETTEENTRY* src) {
    if (!dst || !src || !ClipRange(&first, &last)) return;
    weight = std::clamp(weight, 0, 256);
    for (int i = first; i <= last; ++i) {
        const PALETTEENTRY s = src[i];
        dst[i] = PALETTEENTRY{Mix(s.peRed, r, weight), Mix(s.peGreen, g, weight), Mix(s.peBlue, b, weight), 1};
    }
}

void DDRotatePalette(PALETTEENTRY* dst, int first, int last, int count, int direction, const PALETTEENTRY* src) {
    if (!dst || !src) return;
    const int depth = DDGetColorBit();
    if (depth != 8 && depth != 16 && depth != 32) return;
    PALETTEENTRY old[256];
    std::copy(src, src + 256, old);
    std::copy(old, old + 256, dst);
    if ((direction != 0 && direction != 1) || !ClipRange(&first, &last)) return;
    // A count beyond the range turns it round more than once: only the remainder moves.
    const int n = last - first + 1;
    count = ((count % n) + n) % n;
    for (int i = 0; i < n; ++i) {
        if (direction == 0) dst[first + (i + count) % n] = old[first + i];
        else dst[first + i] = old[first + (i + count) % n];
    }
}

bool DDMakePaletteVariant(PALETTEENTRY* palette, int n) {
    if (!palette || n < 0 || n > 23) return false;
    if (n < 12) {
        DDRotatePalette(palette, 16, 207, n * 16, 1, palette);
        return true;
    }
    PALETTEENTRY group[16];
    std::copy(palette + (n - 11) * 16, palette + (n - 11) * 16 + 16, group);
    for (int i = 16; i <= 207; ++i) palette[i] = group[i % 16];
    return true;
}

std::string DDHbtTablePath(int n) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "bmp\\hbt\\hbt%02d.dat", n);
    return buf;
}

bool DDLoadHbtTable(uint8_t* buffer, const char* path) {
    if (DDIsD3D()) return true;
    if (!buffer || !path) return false;
    const FilePtr f = OpenFile(RecNativePath(path, false).c_str(), "rb");
    if (!f) return false;
    // A short file is refused whole: a half-read table would mix with stale entries.
    std::vector<uint8_t> table(HBT_TABLE_SIZE);
    if (std::fread(table.data(), HBT_TABLE_SIZE, 1, f.get()) != 1) return false;
    std::copy(table.begin(), table.end(), buffer);
    return true;
}

uint8_t* DDHbtTable() {
    static std::vector<uint8_t> table(HBT_TABLE_SIZE);
    return table.data();
}

int DDSetPalette_UnPal(PALETTEENTRY* palette, DDSURFACEDATA* sd) {
    if (!palette || !sd) return 1;
    cSurfaceLock lock(sd);
    if (!lock.Locked()) {
        if (DDIsD3D()) WriteECf("DDSetPalette_UnPal Lock Err");
        return 1;
    }
    if (lock.m_nBitCount != 32) return 1;
    const bool d3d = DDIsD3D();
    for (int i = 0; i < 256; ++i) {
        const int x = i % 16, y = 8 + i / 16;
        // A picture too small to hold the cell leaves the entry as it was.
        if (!lock.Inside(x, y)) continue;
        const uint32_t p = lock.Row32(y)[x];
        if (d3d && (p >> 24) == 0) continue;
        palette[i] = PALETTEENTRY{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p),
                                  static_cast<uint8_t>(p >> 24)};
    }
    return 1;
}

uint16_t DDPalToRGB16(const PALETTEENTRY& e) {
    if (DDIsD3D()) {
        WriteECf("DDPalToRGB16はDirect3Dでは未対応");
        return 0;
    }
    const PIXELLAYOUT& l = PixelLayout;
    auto put = [](uint32_t v, uint32_t max, uint32_t shift) { return shift < 32 ? (v & max) << shift : 0u; };
    return static_cast<uint16_t>(put(e.peRed, l.dwRMax, l.dwRShift) | put(e.peGreen, l.dwGMax, l.dwGShift) |
                                 put(e.peBlue, l.dwBMax, l.dwBShift));
}

void DDChannelFromMask(uint32_t mask, uint32_t bitCount, uint32_t* shift, uint32_t* max) {
    uint32_t s = 0;
    while (s < bitCount && s < 32 && !((mask >> s) & 1)) ++s;
    *shift = s;
    *max = s < 32 ? mask >> s : 0;
}

void DDReadPixelFormat(PIXELLAYOUT* layout) {
    if (!layout || DDIsD3D()) return;
    // The primary holds 0x00RRGGBB pixels at 32 bits and palette indices at 8.
    const bool rgb = PrimarySD.Surface.format == DDFMT_ARGB8888;
    const uint32_t bits = rgb ? 32 : 8;
    DDChannelFromMask(rgb ? 0xFF0000u : 0, bits, &layout->dwRShift, &layout->dwRMax);
    DDChannelFromMask(rgb ? 0x00FF00u : 0, bits, &layout->dwGShift, &layout->dwGMax);
    DDChannelFromMask(rgb ? 0x0000FFu : 0, bits, &layout->dwBShift, &layout->dwBMax);
}
