// Pixel effects on locked surfaces: blur, mosaic, translucency, colour blends, lens and rotation.
#include <gtest/gtest.h>


#include "platform/graphics/fx_test_support.h"
#include "platform/graphics/fx_pixel.h"
#include "platform/graphics/fx_warp.h"

using namespace fxtest;

namespace {

const std::vector<uint8_t>& BlendTable() {
    static const std::vector<uint8_t> table = MakeBlendTable(FxPalette());
    return table;
}

class FxPixelTest : public cFxTest {
protected:
    void TearDown() override {
        DDReleaseSurface(&a);
        DDReleaseSurface(&b);
        cFxTest::TearDown();
    }
    // Makes a and b: system-memory pictures of w x h (b keyed), filled by fn with 32-bit colours.
    void MakePair(int w, int h, uint32_t (*fn)(int, int)) {
        ASSERT_TRUE(DDCreateSurface(&a, w, h, 0, 1, 1, 0, 0));
        ASSERT_TRUE(DDCreateSurface(&b, w, h, 1, 1, 1, 0, 0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) a.Surface.Row32(y)[x] = b.Surface.Row32(y)[x] = fn(x, y);
    }
    static uint32_t At(const DDSURFACEDATA& sd, int x, int y) { return sd.Surface.Row32(y)[x] & 0xFFFFFF; }

    DDSURFACEDATA a, b;
};

uint32_t Ramp(int x, int y) { return 0xFF000000u | static_cast<uint32_t>((x * 10) << 16 | (y * 10) << 8 | (x + y)); }

TEST_F(FxPixelTest, BlurAveragesTheBlockEndingAtEachPixelWithinTheRegion) {
    for (FXCONFIG cfg : {CFG_DD32, CFG_D3D}) {
        SCOPED_TRACE(ConfigName(cfg));
        DDResetForTest();
        ASSERT_TRUE(cfg == CFG_D3D ? InitD3D(32, 32) : InitDD(32, 32, 32));
        MakePair(8, 8, Ramp);
        DDSURFACEDATA out;
        ASSERT_TRUE(DDCreateSurface(&out, 8, 8, 0, 1, 1, 0, 0));
        ASSERT_TRUE(DDBltBlur(&out, 0, 0, 8, 8, 1, 1, &a, 0, 0, 0));
        // (3, 3): pixel, left, upper and upper-left neighbours.
        EXPECT_EQ(At(out, 3, 3) >> 16, (20u + 30 + 20 + 30) / 4);
        EXPECT_EQ((At(out, 3, 3) >> 8) & 255, (20u + 20 + 30 + 30) / 4);
        EXPECT_EQ(At(out, 0, 0), At(a, 0, 0)) << "at the region's corner only the pixel itself counts";
        EXPECT_EQ(At(out, 0, 5) >> 8 & 255, (40u + 50) / 2);
        // The region starts at (2, 2): its first row and column have no neighbours above or left.
        DDClearSurfaceRGB(&out, 0);
        ASSERT_TRUE(DDBltBlur(&out, 0, 0, 4, 4, 1, 1, &a, 2, 2, 0));
        EXPECT_EQ(At(out, 0, 0), At(a, 2, 2));
        // Zero radii draw nothing; blurring a picture onto itself reads it as it was.
        DDClearSurfaceRGB(&out, 0xFF123456u);
        ASSERT_TRUE(DDBltBlur(&out, 0, 0, 8, 8, 0, 3, &a, 0, 0, 0));
        EXPECT_EQ(At(out, 4, 4), 0x123456u);
        ASSERT_TRUE(DDBltBlur(&out, 0, 0, 8, 8, 3, 2, &a, 0, 0, 0));
        ASSERT_TRUE(DDBltBlur(&a, 0, 0, 8, 8, 3, 2, &a, 0, 0, 0));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(At(a, x, y), At(out, x, y));
        DDReleaseSurface(&out);
        DDReleaseSurface(&a);
        DDReleaseSurface(&b);
    }
}

// The blur against a plain sum over each pixel's block, with transparent pixels and a region cut by both surfaces.
TEST_F(FxPixelTest, BlurMatchesAPlainBlockSum) {
    ASSERT_TRUE(InitDD(32, 40, 30));
    DDSetTransmit(255, 0, 255);
    MakePair(40, 30, [](int x, int y) {
        return (x * 7 + y * 3) % 11 == 0 ? 0xFF00FFu : static_cast<uint32_t>((x * 37 + y * 91) % 256 << 16 | (x * y) % 256 << 8 | (x + 5 * y) % 256);
    });
    DDSURFACEDATA out;
    ASSERT_TRUE(DDCreateSurface(&out, 40, 30, 0, 1, 1, 0, 0));
    const int rx = 3, ry = 2, dx = -4, dy = 3, sx = 6, sy = -2, w = 38, h = 31;
    ASSERT_TRUE(DDBltBlur(&out, dx, dy, w, h, rx, ry, &b, sx, sy, 1));
    auto keyed = [&](int x, int y) { return At(b, x, y) == 0xFF00FFu; };
    int checked = 0;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int ox = dx + i, oy = dy + j, px = sx + i, py = sy + j;
            if (ox < 0 || oy < 0 || ox >= 40 || oy >= 30 || px < 0 || py < 0 || px >= 40 || py >= 30) continue;
            if (keyed(px, py)) {
                EXPECT_EQ(At(out, ox, oy), 0u);
                continue;
            }
            uint32_t sum[3] = {}, n = 0;
            for (int bb = -ry; bb < ry; ++bb)
                for (int aa = -rx; aa < rx; ++aa) {
                    const int ri = i + aa, rj = j + bb, qx = sx + ri, qy = sy + rj;
                    if (ri < 0 || rj < 0 || ri >= w || rj >= h || qx < 0 || qy < 0 || qx >= 40 || qy >= 30) continue;
                    if (keyed(qx, qy)) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += (At(b, qx, qy) >> (8 * c)) & 255;
                    ++n;
                }
            ASSERT_GT(n, 0u);
            const uint32_t want = (sum[2] / n) << 16 | (sum[1] / n) << 8 | (sum[0] / n);
            ASSERT_EQ(At(out, ox, oy), want) << i << "," << j;
            ++checked;
        }
    EXPECT_GT(checked, 500);
    DDReleaseSurface(&out);
}

// The Direct3D translucent quad against the renderer's own quad arithmetic, for every alpha of the texel.
TEST_F(FxPixelTest, Direct3DTranslucentQuadUsesTheRenderersBlending) {
    ASSERT_TRUE(InitD3D(256, 4));
    DDSURFACEDATA tex;
    ASSERT_TRUE(DDCreateSurface(&tex, 256, 4, 1, 0, DTMEMORYTYPE_SYSTEM, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 256; ++x) {
            tex.Surface.Row32(y)[x] = static_cast<uint32_t>(x) << 24 | static_cast<uint32_t>(y * 80 + x % 7) << 16 |
                                      static_cast<uint32_t>(255 - x) << 8 | static_cast<uint32_t>(x * 3 % 256);
        }
    for (int level : {0, 77, 200}) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 256; ++x)
                BackBuffer.Surface.Row32(y)[x] = static_cast<uint32_t>((x * 5) % 256) << 24 | (0x00406080u + static_cast<uint32_t>(y));
        ASSERT_TRUE(DDBltTranslucent(&BackBuffer, 0, 0, 256, 4, &tex, 0, 0, 1, nullptr, level));
        const uint32_t diffuse = static_cast<uint32_t>(255 - level) << 24 | 0xFFFFFFu;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 256; ++x) {
                const uint32_t dst = static_cast<uint32_t>((x * 5) % 256) << 24 | (0x00406080u + static_cast<uint32_t>(y));
                ASSERT_EQ(BackBuffer.Surface.Row32(y)[x],
                          DDShadePixel(tex.Surface.Row32(y)[x], dst, diffuse, D3DTOP_MODULATE, D3DTOP_MODULATE))
                    << "level " << level << " at " << x << "," << y;
            }
    }
    DDReleaseSurface(&tex);
}

TEST_F(FxPixelTest, BlurIsRefusedAt8Bits) {
    ASSERT_TRUE(Start(CFG_DD8));
    DDClearSurface(&BackBuffer, 20);
    EXPECT_TRUE(DDBltBlur(&BackBuffer, 0, 0, 64, 48, 2, 2, &pic, 0, 0, 1));
    EXPECT_EQ(BackBuffer.Surface.Row(10)[10], 20);
    EXPECT_NE(EC().find("8ビットぼかしは不可能！"), std::string::npos);
}

TEST_F(FxPixelTest, MosaicOfOneCopiesAndLargerCellsAverage) {
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDResetForTest();
        ASSERT_TRUE(Start(cfg));
        DDClearSurface(&BackBuffer, 16);
        ASSERT_TRUE(DDBltMosaic(&BackBuffer, 0, 0, 64, 48, 1, &pic, 0, 0, 0));
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                if (cfg == CFG_D3D && PictureIndex(x, y) == 0) continue;  // Direct3D keeps them as clear black
                ASSERT_EQ(Shown(BackBuffer, x, y), Colour(PictureIndex(x, y))) << x << "," << y;
            }
        DDClearSurface(&BackBuffer, 16);
        ASSERT_TRUE(DDBltMosaic(&BackBuffer, 0, 0, 64, 48, 0, &pic, 0, 0, 0));
        ASSERT_TRUE(DDBltMosaic(&BackBuffer, 0, 0, 64, 48, -3, &pic, 0, 0, 0));
        EXPECT_EQ(Shown(BackBuffer, 5, 5), Colour(16));
    }
    // 32 bits: a 2 x 2 cell of 0, 10, 20, 30 in red becomes 15.
    DDResetForTest();
    ASSERT_TRUE(InitDD(32, 32, 32));
    MakePair(4, 4, [](int x, int y) { return static_cast<uint32_t>(((x % 2) * 10 + (y % 2) * 20) << 16); });
    DDSURFACEDATA out;
    ASSERT_TRUE(DDCreateSurface(&out, 4, 4, 0, 1, 1, 0, 0));
    out.Surface.Row32(0)[0] = 0x7F000000u;
    ASSERT_TRUE(DDBltMosaic(&out, 0, 0, 4, 4, 2, &a, 0, 0, 0));
    EXPECT_EQ(out.Surface.Row32(0)[0], 0x7F0F0000u) << "the fourth byte is left as it was";
    EXPECT_EQ(At(out, 3, 3), 0x0F0000u);
    DDReleaseSurface(&out);
}

TEST_F(FxPixelTest, TranslucencyMixesHalfAndHalf) {
    for (FXCONFIG cfg : {CFG_DD32, CFG_D3D}) {
        SCOPED_TRACE(ConfigName(cfg));
        DDResetForTest();
        ASSERT_TRUE(cfg == CFG_D3D ? InitD3D(32, 32) : InitDD(32, 32, 32));
        DDSetTransmit(255, 0, 255);
        MakePair(4, 1, [](int x, int) { return x == 3 ? 0u : 0xFFFFFFFFu; });
        DDSURFACEDATA out;
        ASSERT_TRUE(DDCreateSurface(&out, 4, 1, 0, 1, 1, 0, 0));
        DDClearSurfaceRGB(&out, 0xFF000000u);
        out.Surface.Row32(0)[1] = cfg == CFG_D3D ? 0u : 0xFF00FFu;  // transparent: takes the source pixel whole
        ASSERT_TRUE(DDBltTranslucent(&out, 0, 0, 4, 1, &a, 0, 0, 0, nullptr, 128));
        EXPECT_EQ(At(out, 0, 0), 0x7F7F7Fu) << "white over black";
        EXPECT_EQ(out.Surface.Row32(0)[1], 0xFFFFFFFFu);
        ASSERT_TRUE(DDBltPixelEffect(&out, 0, 0, 4, 1, &a, 0, 0, 0, nullptr));
        EXPECT_EQ(At(out, 0, 0), 0xBFBFBFu);
        DDReleaseSurface(&out);
        DDReleaseSurface(&a);
        DDReleaseSurface(&b);
    }
    // Direct3D onto a render target from a system-memory picture: one quad at the given opacity.
    ASSERT_TRUE(Start(CFG_D3D));
    DDClearSurfaceRGB(&BackBuffer, 0xFF000000u);
    ASSERT_TRUE(DDBltTranslucent(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, nullptr, 0));
    EXPECT_EQ(Shown(BackBuffer, 10, 10), Colour(PictureIndex(10, 10))) << "level 0 is opaque";
    DDClearSurfaceRGB(&BackBuffer, 0xFF000000u);
    ASSERT_TRUE(DDBltTranslucent(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, nullptr, 255));
    EXPECT_EQ(Shown(BackBuffer, 10, 10), 0u) << "level 255 is invisible";
}

TEST_F(FxPixelTest, EightBitTranslucencyAndColourBlendsGoThroughTheBlendTable) {
    ASSERT_TRUE(Start(CFG_DD8));
    const auto& t = BlendTable();
    DDClearSurface(&BackBuffer, 17);
    BackBuffer.Surface.Row(5)[5] = 0;
    ASSERT_TRUE(DDBltTranslucent(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, t.data(), 128));
    EXPECT_EQ(BackBuffer.Surface.Row(0)[0], 17) << "index 0 of the source is left out";
    EXPECT_EQ(BackBuffer.Surface.Row(5)[5], PictureIndex(5, 5)) << "index 0 of the destination takes the source";
    EXPECT_EQ(BackBuffer.Surface.Row(7)[3], t[PictureIndex(3, 7) + 256 * 17]);
    DDClearSurface(&BackBuffer, 17);
    ASSERT_TRUE(DDBltTranslucent(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, nullptr, 128));
    EXPECT_EQ(BackBuffer.Surface.Row(7)[3], 17) << "no table, no mixing";
    // Colour blends: steps times through the table; 0 steps copy.
    ASSERT_TRUE(DDBltBlendColor(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, DDBasePalette, t.data(), 18, 2));
    const uint8_t p = PictureIndex(3, 7);
    EXPECT_EQ(BackBuffer.Surface.Row(7)[3], t[t[p * 256 + 18] * 256 + 18]);
    ASSERT_TRUE(DDBltBlendColor(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, DDBasePalette, t.data(), 18, 0));
    EXPECT_EQ(BackBuffer.Surface.Row(7)[3], p);
    ASSERT_TRUE(DDBltBlendColor(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, DDBasePalette, t.data(), 18, 2000000000));
    ASSERT_TRUE(DDBltBlendColor(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, DDBasePalette, t.data(), 300, 1));
}

TEST_F(FxPixelTest, ColourBlendHalvesTheDistancePerStepOrMixesByTheDirect3DWeights) {
    ASSERT_TRUE(InitDD(32, 32, 32));
    PALETTEENTRY pal[256] = {};
    pal[9] = PALETTEENTRY{255, 255, 255, 0};
    MakePair(2, 1, [](int x, int) { return x ? 0x00400000u : 0u; });
    DDSURFACEDATA out;
    ASSERT_TRUE(DDCreateSurface(&out, 2, 1, 0, 1, 1, 0, 0));
    ASSERT_TRUE(DDBltBlendColor(&out, 0, 0, 2, 1, &a, 0, 0, 0, pal, nullptr, 9, 1));
    EXPECT_EQ(At(out, 0, 0), 0x7F7F7Fu);
    ASSERT_TRUE(DDBltBlendColor(&out, 0, 0, 2, 1, &a, 0, 0, 0, pal, nullptr, 9, 3));
    EXPECT_EQ(At(out, 0, 0), 0xDFDFDFu);
    ASSERT_TRUE(DDBltBlendColor(&out, 0, 0, 2, 1, &a, 0, 0, 0, pal, nullptr, 9, 0));
    EXPECT_EQ(At(out, 1, 0), 0x400000u);
    DDReleaseSurface(&out);
    DDReleaseSurface(&a);
    DDReleaseSurface(&b);
    DDResetForTest();
    ASSERT_TRUE(InitD3D(32, 32));
    DDSetTransmit(255, 0, 255);
    MakePair(2, 1, [](int x, int) { return x ? 0u : 0xFF000000u; });
    ASSERT_TRUE(DDCreateSurface(&out, 2, 1, 0, 1, 1, 0, 0));
    DDClearSurfaceRGB(&out, 0xFF010203u);
    const int weights[5] = {0, 128, 64, 32, 16};
    for (int steps = 1; steps <= 4; ++steps) {
        ASSERT_TRUE(DDBltBlendColor(&out, 0, 0, 2, 1, &b, 0, 0, 1, pal, nullptr, 9, steps));
        EXPECT_EQ(At(out, 0, 0) & 255, static_cast<uint32_t>(255 * weights[steps] / 255));
        EXPECT_EQ(At(out, 1, 0), 0x010203u) << "a pixel without alpha is left out";
    }
    DDReleaseSurface(&out);
}

TEST_F(FxPixelTest, LensMagnifiesTowardItsMiddleAndJoinsAtTheRim) {
    ASSERT_TRUE(InitDD(32, 64, 64));
    MakePair(64, 64, [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x << 8 | y); });
    DDSURFACEDATA out;
    ASSERT_TRUE(DDCreateSurface(&out, 64, 64, 0, 1, 1, 0, 0));
    DDClearSurfaceRGB(&out, 0xFFFFFFFFu);
    ASSERT_TRUE(DDBltLens(&out, 32, 32, 10, 20, &a, 32, 32, 0, 0));
    // R = 22: q = 22 at the middle, so an offset u reads u * 20 / q pixels away.
    EXPECT_EQ(At(out, 32, 32), At(a, 32, 32));
    EXPECT_EQ(At(out, 37, 32), At(a, 32 + 5 * 20 / 21, 32));
    EXPECT_EQ(At(out, 42, 32), At(a, 42, 32)) << "the rim reads its own place";
    EXPECT_EQ(At(out, 43, 32), 0xFFFFFFu);
    EXPECT_EQ(At(out, 40, 40), 0xFFFFFFu) << "outside the circle";
    // No height or a negative size draws nothing; partly off every edge stays inside.
    DDClearSurfaceRGB(&out, 0xFFFFFFFFu);
    ASSERT_TRUE(DDBltLens(&out, 32, 32, 0, 5, &a, 32, 32, 0, 0));
    ASSERT_TRUE(DDBltLens(&out, 32, 32, -4, 5, &a, 32, 32, 0, 0));
    EXPECT_EQ(At(out, 32, 32), 0xFFFFFFu);
    ASSERT_TRUE(DDBltLens(&out, 0, 63, 30, 10, &a, 63, 0, 0, 0));
    ASSERT_TRUE(DDBltLens(&out, 32, 32, 1 << 20, 1 << 20, &a, 32, 32, 0, 0));
    DDReleaseSurface(&out);
}

TEST_F(FxPixelTest, RotationTurnsTheRegionAboutItsCentre) {
    ASSERT_TRUE(InitDD(32, 64, 64));
    MakePair(64, 64, [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x << 8 | y); });
    DDSURFACEDATA out;
    ASSERT_TRUE(DDCreateSurface(&out, 64, 64, 0, 1, 1, 0, 0));
    // 0 degrees: the centre (5, 4) of the region at (10, 10) lands on (30, 30).
    DDClearSurfaceRGB(&out, 0xFFFFFFFFu);
    ASSERT_TRUE(DDBltRotatePixel(&out, 30, 30, 12, 8, 5, 4, 0, &a, 10, 10, 0));
    EXPECT_EQ(At(out, 30, 30), At(a, 15, 14));
    EXPECT_EQ(At(out, 25, 26), At(a, 10, 10));
    EXPECT_EQ(At(out, 36, 33), At(a, 21, 17));
    EXPECT_EQ(At(out, 37, 33), 0xFFFFFFu);
    EXPECT_EQ(At(out, 24, 26), 0xFFFFFFu);
    // 180 degrees: the corner opposite (0, 0) of a region centred on its middle.
    DDClearSurfaceRGB(&out, 0xFFFFFFFFu);
    ASSERT_TRUE(DDBltRotatePixel(&out, 30, 30, 9, 9, 4, 4, 180, &a, 10, 10, 0));
    EXPECT_EQ(At(out, 26, 26), At(a, 18, 18));
    EXPECT_EQ(At(out, 34, 34), At(a, 10, 10));
    // Rotating a picture onto itself reads it as it was.
    DDBlt(&out, 0, 0, 64, 64, &a, 0, 0, 0);
    ASSERT_TRUE(DDBltRotatePixel(&out, 32, 32, 64, 64, 32, 32, 37, &a, 0, 0, 0));
    ASSERT_TRUE(DDBltRotatePixel(&a, 32, 32, 64, 64, 32, 32, 37, &a, 0, 0, 0));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(At(a, x, y), At(out, x, y));
    // Empty and enormous regions.
    ASSERT_TRUE(DDBltRotatePixel(&out, 0, 0, 0, 5, 0, 0, 45, &a, 0, 0, 0));
    ASSERT_TRUE(DDBltRotatePixel(&out, 0, 0, 1 << 30, 1 << 30, 1 << 29, 1 << 29, 45, &a, 0, 0, 1));
    DDReleaseSurface(&out);
}

// Regions off every border of both surfaces, empty regions and whole screens, under every configuration.
TEST_F(FxPixelTest, EveryEffectStaysInsideBothSurfaces) {
    const auto& t = BlendTable();
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDResetForTest();
        ASSERT_TRUE(Start(cfg, 640, 480));
        DDSURFACEDATA screen;
        ASSERT_TRUE(DDCreateSurface(&screen, 640, 480, 0, 1, 1, 0, 0));
        DDBlt(&screen, 100, 100, 64, 48, &pic, 0, 0, 0);
        const int places[][4] = {{-30, -20, 0, 0},   {600, 460, 0, 0},  {10, 10, -30, -20}, {10, 10, 40, 30},
                                 {-5, 470, 50, -10}, {0, 0, 0, 0},      {0, 0, 640, 480}};
        for (const auto& p : places) {
            for (int full = 0; full < 2; ++full) {
                const int w = full ? 640 : 64, h = full ? 480 : 48;
                DDSURFACEDATA* src = full ? &screen : &pic;
                EXPECT_TRUE(DDBltBlur(&BackBuffer, p[0], p[1], w, h, 2, 3, src, p[2], p[3], 1));
                EXPECT_TRUE(DDBltMosaic(&BackBuffer, p[0], p[1], w, h, 7, src, p[2], p[3], 1));
                EXPECT_TRUE(DDBltTranslucent(&BackBuffer, p[0], p[1], w, h, src, p[2], p[3], 1, t.data(), 100));
                EXPECT_TRUE(DDBltBlendColor(&BackBuffer, p[0], p[1], w, h, src, p[2], p[3], 1, DDBasePalette,
                                            t.data(), 20, 2));
                EXPECT_TRUE(DDBltLens(&BackBuffer, p[0], p[1], w / 2, 40, src, p[2], p[3], 0, 0));
                EXPECT_TRUE(DDBltRotatePixel(&BackBuffer, p[0], p[1], w, h, w / 2, h / 2, 73, src, p[2], p[3], 1));
            }
            for (int zero = 0; zero < 2; ++zero) {
                const int w = zero ? 0 : -5, h = zero ? 48 : 0;
                EXPECT_TRUE(DDBltBlur(&BackBuffer, p[0], p[1], w, h, 2, 3, &pic, p[2], p[3], 1));
                EXPECT_TRUE(DDBltMosaic(&BackBuffer, p[0], p[1], w, h, 7, &pic, p[2], p[3], 1));
                EXPECT_TRUE(DDBltTranslucent(&BackBuffer, p[0], p[1], w, h, &pic, p[2], p[3], 1, t.data(), 100));
                EXPECT_TRUE(DDBltRotatePixel(&BackBuffer, p[0], p[1], w, h, 0, 0, 10, &pic, p[2], p[3], 1));
            }
        }
        EXPECT_FALSE(DDBltMosaic(nullptr, 0, 0, 5, 5, 2, &pic, 0, 0, 0)) << "no surface to lock";
        EXPECT_FALSE(DDBltBlur(&BackBuffer, 0, 0, 5, 5, 2, 2, nullptr, 0, 0, 0));
        DDReleaseSurface(&screen);
    }
}

// Each effect on one sheet per back end and depth.
TEST_F(FxPixelTest, GoldenPixelEffects) {
    const auto& t = BlendTable();
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDResetForTest();
        ASSERT_TRUE(Start(cfg));
        cSheet sheet;
        auto scene = [&] {
            DDClearSurface(&BackBuffer, 31);
            DDFillRect(&BackBuffer, 0, 36, 96, 36, 21);
        };
        scene();
        DDBltBlur(&BackBuffer, 0, 0, 48, 48, 2, 2, &pic, 0, 0, 1);
        DDBltBlur(&BackBuffer, 50, 30, 64, 48, 1, 4, &pic, 0, 0, 0);  // off the right and bottom edges
        sheet.Add(BackBuffer);
        scene();
        DDBltMosaic(&BackBuffer, -10, 4, 64, 48, 5, &pic, 0, 0, 1);
        DDBltMosaic(&BackBuffer, 56, 30, 40, 40, 3, &pic, 24, 8, 0);
        sheet.Add(BackBuffer);
        scene();
        DDBltTranslucent(&BackBuffer, 16, 12, 64, 48, &pic, 0, 0, 1, t.data(), 128);
        sheet.Add(BackBuffer);
        scene();
        DDBltBlendColor(&BackBuffer, 0, 0, 64, 48, &pic, 0, 0, 1, DDBasePalette, t.data(), 20, 1);
        DDBltBlendColor(&BackBuffer, 40, 30, 64, 48, &pic, 0, 0, 1, DDBasePalette, t.data(), 22, 3);
        sheet.Add(BackBuffer);
        scene();
        DDBlt(&BackBuffer, 16, 12, 64, 48, &pic, 0, 0, DDBLT_COLORKEY);
        DDBltLens(&BackBuffer, 48, 36, 20, 24, &BackBuffer, 48, 36, 0, 0);  // the lens reads the screen itself
        DDBltLens(&BackBuffer, 90, 4, 12, 6, &pic, 10, 10, 0, 0);
        sheet.Add(BackBuffer);
        scene();
        DDBltRotatePixel(&BackBuffer, 30, 30, 64, 48, 32, 24, 30, &pic, 0, 0, 1);
        DDBltRotatePixel(&BackBuffer, 80, 60, 64, 48, 10, 10, 200, &pic, 0, 0, 0);
        sheet.Add(BackBuffer);
        EXPECT_EQ(sheet.Compare(std::string("fx_pixel_") + ConfigName(cfg)), "");
    }
}

}  // namespace
