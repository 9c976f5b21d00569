#pragma once
// Shared set-up of the effect tests: the three back-end configurations, a
// test picture and palette, blend tables, and frames of a surface laid out
// side by side on one sheet for the golden comparisons.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/golden_bmp.h"
#include "platform/graphics/dd_test_support.h"
#include "platform/graphics/fx_fade.h"
#include "platform/graphics/fx_palette.h"

namespace fxtest {

using namespace ddtest;

// Back end and depth of one run.
enum FXCONFIG { CFG_DD8, CFG_DD32, CFG_D3D };
inline const char* ConfigName(FXCONFIG c) { return c == CFG_DD8 ? "dd8" : c == CFG_DD32 ? "dd32" : "d3d"; }
inline const FXCONFIG kConfigs[] = {CFG_DD8, CFG_DD32, CFG_D3D};

// The palette: 0 transparent magenta, 16..31 strong colours, 32..231 a smooth ramp, 232..255 greys.
inline std::vector<uint32_t> FxPalette() {
    std::vector<uint32_t> p = TestPalette();
    const uint32_t strong[16] = {0x000000, 0xFFFFFF, 0xE02020, 0x20C020, 0x2040E0, 0xF0D020, 0x20D0D0, 0xC040C0,
                                 0x804000, 0x808080, 0x404040, 0xFF8080, 0x80FF80, 0x8080FF, 0xFFC080, 0x102040};
    for (int i = 0; i < 16; ++i) p[static_cast<size_t>(16 + i)] = strong[i];
    for (int t = 0; t < 200; ++t) {
        const uint32_t r = static_cast<uint32_t>(t * 255 / 199), g = static_cast<uint32_t>(255 - t * 255 / 199);
        const uint32_t b = static_cast<uint32_t>(128 + 127 * std::sin(t * 0.0628));
        p[static_cast<size_t>(32 + t)] = (r << 16) | (g << 8) | b;
    }
    for (int i = 232; i < 256; ++i) {
        const uint32_t v = static_cast<uint32_t>((i - 232) * 255 / 23);
        p[static_cast<size_t>(i)] = (v << 16) | (v << 8) | v;
    }
    return p;
}

// The test picture (64 x 48): a diagonal ramp, a white bar, a black cross and a transparent
// disc in the lower right; its top-left pixel is transparent so that it names the transparent colour.
inline uint8_t PictureIndex(int x, int y) {
    if (x == 0 && y == 0) return 0;
    const int dx = x - 50, dy = y - 36;
    if (dx * dx + dy * dy < 64) return 0;
    if (y >= 6 && y < 10) return 17;
    if (x == 20 || y == 24) return 16;
    if (x >= 40 && x < 48 && y >= 12 && y < 20) return static_cast<uint8_t>(18 + (x + y) % 4);
    return static_cast<uint8_t>(32 + (x * 2 + y * 2) % 200);
}

// Blend table of a palette: entry [a + 256 * b] is the entry nearest to the mean of a and b.
inline std::vector<uint8_t> MakeBlendTable(const std::vector<uint32_t>& pal) {
    std::vector<uint8_t> t(HBT_TABLE_SIZE);
    auto ch = [](uint32_t c, int s) { return static_cast<int>((c >> s) & 255); };
    for (int a = 0; a < 256; ++a)
        for (int b = a; b < 256; ++b) {
            const int r = (ch(pal[a], 16) + ch(pal[b], 16)) / 2, g = (ch(pal[a], 8) + ch(pal[b], 8)) / 2,
                      bl = (ch(pal[a], 0) + ch(pal[b], 0)) / 2;
            int best = 1, bestD = 1 << 30;
            for (int k = 1; k < 256; ++k) {
                const int d = (ch(pal[k], 16) - r) * (ch(pal[k], 16) - r) + (ch(pal[k], 8) - g) * (ch(pal[k], 8) - g) +
                              (ch(pal[k], 0) - bl) * (ch(pal[k], 0) - bl);
                if (d < bestD) bestD = d, best = k;
            }
            t[static_cast<size_t>(a + 256 * b)] = t[static_cast<size_t>(b + 256 * a)] = static_cast<uint8_t>(best);
        }
    return t;
}

// A sheet of frames side by side, each a copy of a surface as shown on screen.
class cSheet {
public:
    // Appends the picture of sd (8 bits through the hardware palette).
    void Add(const DDSURFACEDATA& sd) {
        const int w = sd.nWidth, h = sd.nHeight;
        const uint32_t* pal = DDHardwarePaletteRGB();
        if (m_Frame.height == 0) m_Frame.height = h;
        const int x0 = m_Frame.width, width = x0 + w + (x0 ? 2 : 0), left = x0 ? x0 + 2 : 0;
        std::vector<uint32_t> px(static_cast<size_t>(width) * m_Frame.height, 0x00406080);
        for (int y = 0; y < m_Frame.height; ++y)
            for (int x = 0; x < x0; ++x)
                px[static_cast<size_t>(y) * width + x] = m_Frame.pixels[static_cast<size_t>(y) * x0 + x];
        for (int y = 0; y < std::min(h, m_Frame.height); ++y)
            for (int x = 0; x < w; ++x)
                px[static_cast<size_t>(y) * width + left + x] =
                    sd.Surface.format == DDFMT_INDEX8 ? pal[sd.Surface.Row(y)[x]] : sd.Surface.Row32(y)[x] & 0xFFFFFF;
        m_Frame.width = width;
        m_Frame.pixels = std::move(px);
    }
    // Empty when the sheet equals the reviewed frame NAME.
    std::string Compare(const std::string& name) const { return CompareGolden(name, m_Frame); }
    const GOLDENFRAME& Frame() const { return m_Frame; }

private:
    GOLDENFRAME m_Frame;
};

// Graphics started under one configuration, with the test picture loaded (keyed) and the palette set.
class cFxTest : public cDDTest {
protected:
    void TearDown() override {
        DDReleaseSurface(&pic);
        cDDTest::TearDown();
    }
    // Starts cfg on a w x h screen, sets the palette and loads the picture; false when anything failed.
    bool Start(FXCONFIG cfg, int w = 96, int h = 72) {
        config = cfg;
        const bool ok = cfg == CFG_D3D ? InitD3D(w, h) : InitDD(cfg == CFG_DD8 ? 8 : 32, w, h);
        if (!ok) return false;
        palette = FxPalette();
        SetBasePalette(palette);
        picPath = File("picture.bmp");
        if (!WriteBmp(picPath, MakeIndexed(64, 48, palette, PictureIndex), 8)) return false;
        if (DDSetTransmitFromFile(picPath.c_str()) != 1) return false;
        return DDCreateSurfaceFromFile(&pic, picPath.c_str(), 1, DDGetColorBit(), 1, 1, 0, 0, 0, 0, 0) == DD_OK;
    }
    // Palette colour n as the screen shows it (0x00RRGGBB).
    uint32_t Colour(int n) const { return palette[static_cast<size_t>(n)]; }
    // The pixel at (x, y) of sd as the screen shows it.
    static uint32_t Shown(const DDSURFACEDATA& sd, int x, int y) {
        return sd.Surface.format == DDFMT_INDEX8 ? DDHardwarePaletteRGB()[sd.Surface.Row(y)[x]]
                                                 : sd.Surface.Row32(y)[x] & 0xFFFFFF;
    }

    FXCONFIG config = CFG_DD32;
    std::vector<uint32_t> palette;
    std::string picPath;
    DDSURFACEDATA pic;
};

}  // namespace fxtest
