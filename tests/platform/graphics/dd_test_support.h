#pragma once
// Shared set-up of the graphics tests: a fresh graphics layer and logs in a
// temporary folder for each test, and small pictures made by the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_draw.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_present.h"
#include "platform/graphics/dd_surface.h"
#include "platform/system/log.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace ddtest {

inline std::string ReadText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// A picture of w x h whose colour (0x00RRGGBB) comes from fn; indexed pictures take
// their index from fn's low byte and their colours from palette.
inline BMPIMAGE MakeRgb(int w, int h, const std::function<uint32_t(int, int)>& fn) {
    BMPIMAGE img;
    img.nWidth = w;
    img.nHeight = h;
    img.nBitCount = 24;
    img.Pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Pixels[static_cast<size_t>(y) * w + x] = fn(x, y) & 0xFFFFFF;
    return img;
}

inline BMPIMAGE MakeIndexed(int w, int h, const std::vector<uint32_t>& palette,
                            const std::function<uint8_t(int, int)>& fn) {
    BMPIMAGE img;
    img.nWidth = w;
    img.nHeight = h;
    img.nBitCount = 8;
    img.Palette = palette;
    img.Index.resize(static_cast<size_t>(w) * h);
    img.Pixels.resize(img.Index.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t v = fn(x, y);
            img.Index[static_cast<size_t>(y) * w + x] = v;
            img.Pixels[static_cast<size_t>(y) * w + x] = v < palette.size() ? palette[v] : 0;
        }
    return img;
}

inline bool WriteBmp(const std::string& path, const BMPIMAGE& img, int bits, uint32_t compression = BMP_RGB,
                     bool topDown = false) {
    const auto bytes = EncodeBmp(img, bits, compression, topDown);
    return !bytes.empty() && WriteFileBytes(path, bytes);
}

// A 256-entry palette: entry i = (i, 255 - i, i * 7) except the few the tests name.
inline std::vector<uint32_t> TestPalette() {
    std::vector<uint32_t> p(256);
    for (uint32_t i = 0; i < 256; ++i) p[i] = (i << 16) | ((255 - i) << 8) | ((i * 7) & 255);
    p[0] = 0xFF00FF;  // the transparent colour of the test pictures
    p[1] = 0x000000;
    p[2] = 0xFFFFFF;
    p[3] = 0xFF0000;
    p[4] = 0x00FF00;
    p[5] = 0x0000FF;
    return p;
}

inline void SetBasePalette(const std::vector<uint32_t>& p) {
    PALETTEENTRY e[256];
    for (int i = 0; i < 256; ++i) {
        e[i] = PALETTEENTRY{static_cast<uint8_t>(p[i] >> 16), static_cast<uint8_t>(p[i] >> 8),
                            static_cast<uint8_t>(p[i]), 0};
        DDBasePalette[i] = DDScreenPalette[i] = e[i];
    }
    DDSetPaletteEntries(0, 256, e);
}

inline uint32_t Px(const DDSURFACEDATA& sd, int x, int y) {
    return sd.Surface.format == DDFMT_INDEX8 ? sd.Surface.Row(y)[x] : sd.Surface.Row32(y)[x];
}

// Each test starts with no graphics state and its own logs; message boxes
// take their default answers.
class cDDTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.Set("QV_AUTO_ANSWER", "1");
        env.Set("SDL_VIDEODRIVER", "dummy", false);
        ResetPlatformState();
        ReportInit(dir.File("Report_Game.txt").c_str());
        ECInit(1, dir.File("EC_Game.txt").c_str());
    }
    void TearDown() override {
        env.Restore();
        ResetPlatformState();
    }
    // Starts the Direct3D rules at 32 bits or the DirectDraw rules at depth, on a w x h screen.
    bool InitD3D(int w = 640, int h = 480) {
        return DDInit(1, nullptr, w, h, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
    }
    bool InitDD(int depth, int w = 640, int h = 480) {
        return DDInit(0, nullptr, w, h, depth, 0, 1, 1, 60, 0, nullptr, nullptr, 0);
    }
    std::string Report() const { return ReadText(dir.File("Report_Game.txt")); }
    std::string EC() const { return ReadText(dir.File("EC_Game.txt")); }
    std::string File(const std::string& name) const { return dir.File(name); }

    cTempDir dir;
    cEnvGuard env;
};

}  // namespace ddtest
