// Blits under both back ends: exact clipping on every edge, colour keys,
// transparency, stretching and mirroring, tints, batches, the virtual back
// buffer, and the primitives drawn through them.
#include <gtest/gtest.h>

#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

class BlitTest : public cDDTest {
protected:
    // A blank w x h surface whose pixels come from fn (x, y).
    void Make(DDSURFACEDATA& sd, int w, int h, int colorKey, const std::function<uint32_t(int, int)>& fn) {
        ASSERT_TRUE(DDCreateSurface(&sd, w, h, colorKey, 0, 0, 0, 0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (sd.Surface.format == DDFMT_INDEX8) sd.Surface.Row(y)[x] = static_cast<uint8_t>(fn(x, y));
                else sd.Surface.Row32(y)[x] = fn(x, y);
            }
    }
    void Fill(DDSURFACEDATA& sd, uint32_t v) {
        for (int y = 0; y < sd.Surface.height; ++y)
            for (int x = 0; x < sd.Surface.width; ++x) {
                if (sd.Surface.format == DDFMT_INDEX8) sd.Surface.Row(y)[x] = static_cast<uint8_t>(v);
                else sd.Surface.Row32(y)[x] = v;
            }
    }
    // Pixel colour of a source made by Position(): x in red, y in green.
    static uint32_t Position(int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | 1; }
    int CountNot(const DDSURFACEDATA& sd, uint32_t v) {
        int n = 0;
        for (int y = 0; y < sd.nHeight; ++y)
            for (int x = 0; x < sd.nWidth; ++x) n += Px(sd, x, y) != v;
        return n;
    }
};

TEST_F(BlitTest, PartlyOffTheLeftEdgeCopiesTheRightmostColumnsToZero) {
    for (bool d3d : {false, true}) {
        SCOPED_TRACE(d3d ? "Direct3D" : "DirectDraw");
        ASSERT_TRUE(d3d ? InitD3D(100, 50) : InitDD(32, 100, 50));
        DDSURFACEDATA src;
        Make(src, 40, 40, 0, Position);
        Fill(BackBuffer, 0xFF000000u);
        DDBlt(&BackBuffer, -10, 5, 30, 8, &src, 4, 6, 0);
        EXPECT_EQ(Px(BackBuffer, 0, 5) & 0xFFFFFF, Position(14, 6) & 0xFFFFFF);   // source column 4 + 10
        EXPECT_EQ(Px(BackBuffer, 19, 12) & 0xFFFFFF, Position(33, 13) & 0xFFFFFF);
        EXPECT_EQ(Px(BackBuffer, 20, 5) & 0xFFFFFF, 0u);
        EXPECT_EQ(CountNot(BackBuffer, 0xFF000000u), 20 * 8);
        DDEnd();
    }
}

TEST_F(BlitTest, EveryEdgeAndNegativeSourceKeepsPixelsInPlace) {
    ASSERT_TRUE(InitDD(32, 64, 48));
    DDSURFACEDATA src;
    Make(src, 16, 16, 0, Position);
    struct { int x, y, w, h, sx, sy; } cases[] = {
        {60, 44, 16, 16, 0, 0},    // off the right and bottom
        {-5, -7, 16, 16, 0, 0},    // off the left and top
        {10, 10, 16, 16, -4, -3},  // source rectangle starts before the picture
        {10, 10, 16, 16, 8, 9},    // source rectangle runs past the picture
        {-100, 10, 16, 16, 0, 0},  // wholly off
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " from " << c.sx << "," << c.sy);
        Fill(BackBuffer, 0);
        DDBlt(&BackBuffer, c.x, c.y, c.w, c.h, &src, c.sx, c.sy, 0);
        // Every pixel drawn shows the source pixel it would show unclipped, and every
        // source pixel that lands inside the screen is drawn.
        int drawn = 0, expected = 0;
        for (int j = 0; j < c.h; ++j)
            for (int i = 0; i < c.w; ++i) {
                const int sx = c.sx + i, sy = c.sy + j, dx = c.x + i, dy = c.y + j;
                if (sx < 0 || sy < 0 || sx >= 16 || sy >= 16 || dx < 0 || dy < 0 || dx >= 64 || dy >= 48) continue;
                ++expected;
                EXPECT_EQ(Px(BackBuffer, dx, dy), Position(sx, sy)) << dx << "," << dy;
            }
        drawn = CountNot(BackBuffer, 0);
        EXPECT_EQ(drawn, expected);
    }
}

TEST_F(BlitTest, ZeroOrNegativeSizesDrawNothing) {
    for (bool d3d : {false, true}) {
        ASSERT_TRUE(d3d ? InitD3D(32, 32) : InitDD(32, 32, 32));
        DDSURFACEDATA src;
        Make(src, 8, 8, 0, Position);
        Fill(BackBuffer, 0);
        DDBlt(&BackBuffer, 0, 0, 0, 8, &src, 0, 0, 0);
        DDBlt(&BackBuffer, 0, 0, 8, -1, &src, 0, 0, 0);
        DDStretchBlt(&BackBuffer, 0, 0, 8, 8, &src, 0, 0, 0, 8, 0);
        DDBlt(&BackBuffer, 0, 0, 8, 8, nullptr, 0, 0, 0);
        EXPECT_EQ(CountNot(BackBuffer, 0), 0);
        DDEnd();
    }
}

TEST_F(BlitTest, DirectDrawColourKeysAt32And8Bits) {
    ASSERT_TRUE(InitDD(32, 16, 16));
    DDSetTransmit(255, 0, 0);  // red, compared with pixels that hold red in bits 16-23
    DDSURFACEDATA src, plain;
    Make(src, 4, 1, 1, [](int x, int) { return x == 1 ? 0xFF0000u : 0x00FF00u; });
    Make(plain, 4, 1, 0, [](int, int) { return 0x0000FFu; });
    Fill(BackBuffer, 0x123456);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 4, 1, &src, 0, 0, DDBLT_COLORKEY), 0);
    EXPECT_EQ(Px(BackBuffer, 0, 0), 0x00FF00u);
    EXPECT_EQ(Px(BackBuffer, 1, 0), 0x123456u);
    DDBlt(&BackBuffer, 0, 1, 4, 1, &src, 0, 0, DDBLT_COPY);
    EXPECT_EQ(Px(BackBuffer, 1, 1), 0xFF0000u);
    // A source without a colour key is drawn whole by a keyed blit.
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 2, 4, 1, &plain, 0, 0, DDBLT_COLORKEY), 0);
    EXPECT_EQ(Px(BackBuffer, 0, 2), 0x0000FFu);
    DDStretchBlt(&BackBuffer, 0, 3, 8, 1, &plain, 0, 0, 4, 1, DDBLT_COLORKEY);
    EXPECT_EQ(Px(BackBuffer, 7, 3), 0x0000FFu);
    DDEnd();

    ASSERT_TRUE(InitDD(8, 16, 16));
    DDG.dwColorKey = 7;
    DDSURFACEDATA s8;
    Make(s8, 20, 1, 1, [](int x, int) { return x % 3 == 0 ? 7u : static_cast<uint32_t>(x + 20); });
    Fill(BackBuffer, 200);
    DDBlt(&BackBuffer, -2, 0, 20, 1, &s8, 0, 0, DDBLT_COLORKEY);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(Px(BackBuffer, x, 0), (x + 2) % 3 == 0 ? 200u : static_cast<uint32_t>(x + 22)) << x;
}

// Rows long enough for the wide kernels (16 pixels a step), with every mix of
// drawn, left-out and (Direct3D) half-transparent pixels in a group, give each
// pixel by the one-pixel rule.
TEST_F(BlitTest, LongKeyedRowsFollowThePixelRuleUnderBothBackEnds) {
    const int w = 53, h = 3;
    // A pattern that runs through all-drawn, all-clear and mixed groups.
    const auto kind = [](int x, int y) { return (x / 16 + y) % 3 == 0 ? 0 : (x / 16 + y) % 3 == 1 ? 1 : (x * 7 + y) % 3; };
    const auto colour = [](int x, int y) { return static_cast<uint32_t>(0x102030 + x * 0x10101 + y * 0x30000) & 0xFFFFFF; };
    ASSERT_TRUE(InitDD(32, 64, 8));
    DDSetTransmit(255, 0, 255);
    DDSURFACEDATA dd;
    Make(dd, w, h, 1, [&](int x, int y) { return kind(x, y) == 0 ? 0xFF00FFu : colour(x, y); });
    Fill(BackBuffer, 0x445566);
    DDBlt(&BackBuffer, 3, 1, w, h, &dd, 0, 0, DDBLT_COLORKEY);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(Px(BackBuffer, x + 3, y + 1), kind(x, y) == 0 ? 0x445566u : colour(x, y)) << x << "," << y;
    DDEnd();

    ASSERT_TRUE(InitD3D(64, 8));
    DDSetTransmit(255, 0, 255);
    DDSURFACEDATA tex, target;
    // Kind 0 clear, 1 opaque, 2 half transparent.
    Make(tex, w, h, 1, [&](int x, int y) {
        const int k = kind(x, y);
        return k == 0 ? 0u : (k == 1 ? 0xFF000000u : 0x80000000u) | colour(x, y);
    });
    Make(target, 64, 8, 1, [](int, int) { return 0xFF000000u; });
    DDBlt(&target, 3, 1, w, h, &tex, 0, 0, DDBLT_COLORKEY);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int k = kind(x, y);
            const uint32_t c = colour(x, y);
            // Half: (v * 128 + 0 * 127 + 127) / 255 per channel, alpha (128 * 128 + 255 * 127 + 127) / 255.
            const auto half = [](uint32_t v) { return (v * 128 + 127) / 255; };
            const uint32_t want = k == 0   ? 0xFF000000u
                                  : k == 1 ? 0xFF000000u | c
                                           : 0xBF000000u | half(c >> 16 & 255) << 16 | half(c >> 8 & 255) << 8 | half(c & 255);
            ASSERT_EQ(Px(target, x + 3, y + 1), want) << x << "," << y;
        }
}

TEST_F(BlitTest, KeyedRectanglesOfEverySizeAndPlaceFollowThePixelRule) {
    // Widths across the eight-pixel groups and their remainders, at places cut by every edge of
    // the destination and of the source, under both back ends; the whole destination is compared
    // with the rule applied pixel by pixel, so a write past a row's end shows. The Direct3D
    // texture mixes clear, opaque and half-transparent texels in its groups.
    constexpr int DW = 72, DH = 40, SW = 50, SH = 45;
    const auto colour = [](int x, int y) { return static_cast<uint32_t>(0x204060 + x * 0x10307 + y * 0x70301) & 0xFFFFFF; };
    const auto kind = [](int x, int y) { return (x * 5 + y * 3) % 7 < 2 || (x / 9 + y / 4) % 5 == 0 ? 0 : 1 + (x / 8 + y) % 4 % 2; };
    const auto ground = [](int x, int y) { return static_cast<uint32_t>(0x01000000u * ((x + y) & 255) + x * 0x300 + y); };
    struct { int x, y, sx, sy; } places[] = {{0, 0, 0, 0}, {5, 3, 7, 2}, {-6, -2, 0, 0}, {60, 30, 3, 4},
                                             {20, 10, -5, -3}, {1, 7, 40, 38}, {-3, 35, 9, 1}};
    for (bool d3d : {false, true}) {
        SCOPED_TRACE(d3d ? "Direct3D" : "DirectDraw");
        ASSERT_TRUE(d3d ? InitD3D(DW, DH) : InitDD(32, DW, DH));
        DDSetTransmit(255, 0, 255);
        DDSURFACEDATA src;
        Make(src, SW, SH, 1, [&](int x, int y) {
            const int k = kind(x, y);
            if (!d3d) return k == 0 ? 0x12FF00FFu : 0x34000000u | colour(x, y);
            return (k == 0 ? 0x00000000u : k == 1 ? 0xFF000000u : 0x80000000u) | colour(x, y);
        });
        for (int w = 1; w <= 41; ++w)
            for (int h : {1, 2, 7})
                for (const auto& p : places) {
                    SCOPED_TRACE(testing::Message() << w << " x " << h << " at " << p.x << "," << p.y << " from "
                                                    << p.sx << "," << p.sy);
                    for (int y = 0; y < DH; ++y)
                        for (int x = 0; x < DW; ++x) BackBuffer.Surface.Row32(y)[x] = ground(x, y);
                    DDBlt(&BackBuffer, p.x, p.y, w, h, &src, p.sx, p.sy, DDBLT_COLORKEY);
                    for (int y = 0; y < DH; ++y)
                        for (int x = 0; x < DW; ++x) {
                            const int sx = p.sx + x - p.x, sy = p.sy + y - p.y;
                            const bool in = x >= p.x && x < p.x + w && y >= p.y && y < p.y + h && sx >= 0 &&
                                            sy >= 0 && sx < SW && sy < SH;
                            uint32_t want = ground(x, y);
                            if (in && d3d) want = DDShadePixel(src.Surface.Row32(sy)[sx], want, 0xFFFFFFFFu, 4, 2);
                            else if (in && kind(sx, sy) != 0) want = src.Surface.Row32(sy)[sx];
                            ASSERT_EQ(BackBuffer.Surface.Row32(y)[x], want) << x << "," << y;
                        }
                }
        DDReleaseSurface(&src);
        DDEnd();
    }
}

TEST_F(BlitTest, Direct3DTransparencyFollowsAlphaAndTheFlagsZeroClear) {
    ASSERT_TRUE(InitD3D(16, 16));
    DDSetTransmit(255, 0, 255);
    DDSURFACEDATA keyed, target;
    Make(keyed, 4, 4, 1, [](int x, int) { return x < 2 ? 0u : 0xFF00FF00u; });  // left half transparent
    Make(target, 8, 8, 1, [](int, int) { return 0xFF0000FFu; });
    DDBlt(&target, 0, 0, 4, 4, &keyed, 0, 0, DDBLT_COLORKEY);
    EXPECT_EQ(Px(target, 0, 0), 0xFF0000FFu);  // flags 1: the destination shows through
    EXPECT_EQ(Px(target, 2, 0), 0xFF00FF00u);
    DDBlt(&target, 4, 4, 4, 4, &keyed, 0, 0, DDBLT_COPY);
    EXPECT_EQ(Px(target, 4, 4), 0u);  // flags 0: cleared to transparency first
    EXPECT_EQ(Px(target, 6, 4), 0xFF00FF00u);
    // On BackBuffer the clear value is the opaque key colour.
    DDBlt(&BackBuffer, 0, 0, 4, 4, &keyed, 0, 0, DDBLT_COPY);
    EXPECT_EQ(Px(BackBuffer, 0, 0), 0xFFFF00FFu);
    // Half-transparent texels blend.
    DDSURFACEDATA half;
    Make(half, 1, 1, 0, [](int, int) { return 0x80FFFFFFu; });
    Fill(target, 0xFF000000u);
    DDBlt(&target, 0, 0, 1, 1, &half, 0, 0, DDBLT_COLORKEY);
    // Colour: (255 * 128 + 0 * 127 + 127) / 255 = 128; alpha: (128 * 128 + 255 * 127 + 127) / 255 = 191.
    EXPECT_EQ(Px(target, 0, 0), 0xBF808080u);
}

TEST_F(BlitTest, SoftwarePathOutsideRenderTargetsCopiesWhereAlphaIsSet) {
    ASSERT_TRUE(InitD3D(16, 16));
    DDSURFACEDATA src, sys;
    Make(src, 4, 1, 1, [](int x, int) { return x == 0 ? 0x00112233u : 0x80445566u; });
    ASSERT_TRUE(DDCreateSurface(&sys, 4, 1, 0, 0, DTMEMORYTYPE_SYSTEM, 0, 0));
    Fill(sys, 0xFF000000u);
    DDBlt(&sys, 0, 0, 4, 1, &src, 0, 0, DDBLT_COLORKEY);
    EXPECT_EQ(Px(sys, 0, 0), 0xFF000000u);
    EXPECT_EQ(Px(sys, 1, 0), 0x80445566u);  // copied whole, not blended
    DDBlt(&sys, 0, 0, 4, 1, &src, 0, 0, DDBLT_COPY);
    EXPECT_EQ(Px(sys, 0, 0), 0x00112233u);
}

TEST_F(BlitTest, StretchAndMirrorPickNearestPixels) {
    ASSERT_TRUE(InitD3D(16, 16));
    DDSURFACEDATA src;
    Make(src, 4, 2, 0, Position);
    DDStretchBlt(&BackBuffer, 0, 0, 8, 4, &src, 0, 0, 4, 2, 0);  // doubled
    EXPECT_EQ(Px(BackBuffer, 0, 0), Position(0, 0));
    EXPECT_EQ(Px(BackBuffer, 1, 1), Position(0, 0));
    EXPECT_EQ(Px(BackBuffer, 7, 3), Position(3, 1));
    DDStretchBlt(&BackBuffer, 0, 8, 4, 2, &src, 4, 0, -4, 2, 0);  // mirrored left-right
    EXPECT_EQ(Px(BackBuffer, 0, 8), Position(3, 0));
    EXPECT_EQ(Px(BackBuffer, 3, 9), Position(0, 1));
    DDStretchBlt(&BackBuffer, 8, 8, 2, 1, &src, 0, 0, 4, 2, 0);  // halved: pixel centres
    EXPECT_EQ(Px(BackBuffer, 8, 8), Position(1, 1));
    EXPECT_EQ(Px(BackBuffer, 9, 8), Position(3, 1));
    DDEnd();
    // DirectDraw cannot mirror: an inverted source draws nothing.
    ASSERT_TRUE(InitDD(32, 16, 16));
    DDSURFACEDATA dsrc;
    Make(dsrc, 4, 2, 0, Position);
    Fill(BackBuffer, 0);
    DDStretchBlt(&BackBuffer, 0, 0, 4, 2, &dsrc, 4, 0, -4, 2, 0);
    EXPECT_EQ(CountNot(BackBuffer, 0), 0);
    DDStretchBlt(&BackBuffer, 0, 0, 2, 1, &dsrc, 0, 0, 4, 2, 0);  // pixel copies step by whole pixels
    EXPECT_EQ(Px(BackBuffer, 1, 0), Position(2, 0));
}

TEST_F(BlitTest, MirroredViewDrawsTheCellFromItsOtherSide) {
    ASSERT_TRUE(InitD3D(128, 32));
    DDSURFACEDATA sheet, view;
    Make(sheet, 128, 32, 0, Position);
    ASSERT_TRUE(DDCreateSurface(&view, 128, 32, 0, 0, 0, 1, 0));
    view.lpViewSD = &sheet;
    view.nMirrorWidth = 32;
    DDBlt(&BackBuffer, 0, 0, 32, 1, &view, 64, 0, 0);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(Px(BackBuffer, i, 0), Position(95 - i, 0)) << i;
    DDBlt(&BackBuffer, 0, 1, 10, 1, &view, 68, 0, 0);  // part of a cell: its mirror image
    EXPECT_EQ(Px(BackBuffer, 0, 1), Position(91, 0));
    EXPECT_EQ(Px(BackBuffer, 9, 1), Position(82, 0));
}

TEST_F(BlitTest, TintsModulateAddAndSubtract) {
    ASSERT_TRUE(InitD3D(8, 8));
    DDSURFACEDATA src;
    Make(src, 1, 1, 0, [](int, int) { return 0xFF804020u; });
    const DDCOLORPAIR modulate{0xFF808080u, D3DTOP_MODULATE}, add{0xFF101010u, D3DTOP_ADD},
        sub{0xFF303030u, D3DTOP_SUBTRACT};
    DDBltEx(&BackBuffer, 0, 0, 1, 1, &src, 0, 0, 1, &modulate);
    EXPECT_EQ(Px(BackBuffer, 0, 0), 0xFF402010u);
    DDBltEx(&BackBuffer, 1, 0, 1, 1, &src, 0, 0, 1, &add);
    EXPECT_EQ(Px(BackBuffer, 1, 0), 0xFF905030u);
    DDBltEx(&BackBuffer, 2, 0, 1, 1, &src, 0, 0, 1, &sub);
    EXPECT_EQ(Px(BackBuffer, 2, 0), 0xFF501000u);
    EXPECT_EQ(lpDTCon->dwDiffuse, 0xFFFFFFFFu);  // states are reset after the blit
    EXPECT_EQ(lpDTCon->dwColorOp, static_cast<uint32_t>(D3DTOP_MODULATE));
    // Diffuse alpha counts only with the alpha operation set to modulate.
    DDSetAlphaOp(D3DTOP_MODULATE);
    const DDCOLORPAIR faded{0x80FFFFFFu, D3DTOP_MODULATE};
    Fill(BackBuffer, 0xFF000000u);
    DDBltEx(&BackBuffer, 0, 0, 1, 1, &src, 0, 0, 1, &faded);
    EXPECT_EQ(Px(BackBuffer, 0, 0) & 0xFFFFFF, 0x402010u);
    DDResetAlphaOp();
}

TEST_F(BlitTest, SpriteBatchGroupsByRegisteredTexture) {
    ASSERT_TRUE(InitD3D(8, 8));
    DDSURFACEDATA red, green;
    Make(red, 2, 2, 0, [](int, int) { return 0xFFFF0000u; });
    Make(green, 2, 2, 0, [](int, int) { return 0xFF00FF00u; });
    auto draw = [&](int mode) {
        Fill(BackBuffer, 0xFF000000u);
        DDBeginBatch(mode);
        DDAddBatchTexture(&green);
        DDAddBatchTexture(&red);
        DDBlt(&BackBuffer, 0, 0, 2, 2, &red, 0, 0, 1);
        DDBlt(&BackBuffer, 1, 0, 2, 2, &green, 0, 0, 1);
        DDBlt(&BackBuffer, 2, 0, 2, 2, &red, 0, 0, 1);
        EXPECT_EQ(Px(BackBuffer, 0, 0), 0xFF000000u);  // nothing drawn before the end
        DDEndBatch();
    };
    draw(0);  // call order: red, green, red
    EXPECT_EQ(Px(BackBuffer, 1, 0), 0xFF00FF00u);
    EXPECT_EQ(Px(BackBuffer, 2, 0), 0xFFFF0000u);
    draw(1);  // green's key is smaller: green first, then both reds
    EXPECT_EQ(Px(BackBuffer, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(Px(BackBuffer, 2, 0), 0xFFFF0000u);
}

TEST_F(BlitTest, VirtualBackBufferTakesTheDrawingAndIsCopiedAtPresent) {
    ASSERT_TRUE(InitD3D(8, 8));
    DDSURFACEDATA src;
    Make(src, 2, 2, 0, [](int, int) { return 0xFF112233u; });
    DDSelectBackBuffer(0);  // already off: nothing copied
    Fill(BackBuffer, 0xFF000000u);
    DDSelectBackBuffer(1);
    Fill(VirBackBuffer, 0x00000000u);
    DDBlt(&BackBuffer, 0, 0, 2, 2, &src, 0, 0, 1);
    EXPECT_EQ(Px(BackBuffer, 0, 0), 0xFF000000u);
    EXPECT_EQ(Px(VirBackBuffer, 0, 0), 0xFF112233u);
    EXPECT_EQ(DDPresent(60, 0, 0), 1);
    EXPECT_EQ(Px(BackBuffer, 0, 0), 0xFF112233u);
    EXPECT_EQ(Px(BackBuffer, 5, 5), 0xFF000000u);  // transparent parts copied opaque
    EXPECT_EQ(DDG.bLastVirtualMode, 1);
    DDSelectBackBuffer(0);
    EXPECT_EQ(lpDTCon->lpCurrentTarget, &BackBuffer);
}

TEST_F(BlitTest, BlitWithinOneSurfaceReadsThePictureAsItWas) {
    ASSERT_TRUE(InitDD(32, 8, 1));
    for (int x = 0; x < 8; ++x) BackBuffer.Surface.Row32(0)[x] = static_cast<uint32_t>(x);
    DDBlt(&BackBuffer, 1, 0, 7, 1, &BackBuffer, 0, 0, 0);
    for (int x = 1; x < 8; ++x) EXPECT_EQ(Px(BackBuffer, x, 0), static_cast<uint32_t>(x - 1));
}

TEST_F(BlitTest, ClipBltReportsTheDrawnRectangles) {
    ASSERT_TRUE(InitDD(32, 64, 48));
    DDSURFACEDATA src;
    Make(src, 16, 16, 0, Position);
    int x = -10, y = 40, w = 30, h = 30, sx = -2, sy = 0, sw = 30, sh = 30;
    ASSERT_TRUE(DDClipBlt(&BackBuffer, &x, &y, &w, &h, &src, &sx, &sy, &sw, &sh));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(sx, 8);  // destination 0 shows source -2 + 10
    EXPECT_EQ(w, 8);
    EXPECT_EQ(sw, 8);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(h, 8);
    int zw = 0;
    EXPECT_FALSE(DDClipBlt(&BackBuffer, &x, &y, &zw, &h, &src, &sx, &sy, &sw, &sh));
}

TEST_F(BlitTest, PixelsAndCircles) {
    ASSERT_TRUE(InitDD(8, 16, 16));
    Fill(BackBuffer, 0);
    DDDrawCircle(&BackBuffer, 5, 5, 1, 9);
    EXPECT_EQ(CountNot(BackBuffer, 0), 4);
    for (auto [x, y] : {std::pair{4, 5}, {6, 5}, {5, 4}, {5, 6}}) EXPECT_EQ(Px(BackBuffer, x, y), 9u);
    DDDrawCircle(&BackBuffer, 5, 5, 0, 9);
    EXPECT_EQ(CountNot(BackBuffer, 0), 4);
    DDDrawCircle(&BackBuffer, 0, 0, 6, 3);  // partly outside: the rest is skipped
    DDPutPixel(&BackBuffer, -1, 3, 4);
    DDPutPixel(&BackBuffer, 16, 3, 4);
    DDPutPixel(&BackBuffer, 15, 15, 4);
    EXPECT_EQ(Px(BackBuffer, 15, 15), 4u);
    EXPECT_EQ(Px(BackBuffer, 6, 0), 3u);
}

TEST_F(BlitTest, BitmapTextPicksCellsAndWraps) {
    ASSERT_TRUE(InitD3D(32, 32));
    DDSURFACEDATA font;
    // 16 columns x 16 rows of 2 x 2 cells; each cell is coloured by its column and row.
    Make(font, 32, 32, 1, [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x / 2) << 8 | static_cast<uint32_t>(y / 2); });
    DDDrawBitmapText(&BackBuffer, 0, 0, 2, 2, &font, "A\n\xA6\xC1");
    EXPECT_EQ(Px(BackBuffer, 0, 0), 0xFF000104u);  // 'A' = 0x41: column 1, row 4
    EXPECT_EQ(Px(BackBuffer, 0, 2), 0xFF000600u);  // 0xA6: column 6, row 10 - 10 = 0
    EXPECT_EQ(Px(BackBuffer, 2, 2), 0xFF000108u);  // 0xC1: column 1, row 12 - 4 = 8
    // Sixteen cells of 2 reach the screen width of 32: the 17th goes to the next line.
    DDDrawBitmapTextF(&BackBuffer, 0, 10, 2, 2, &font, "%s", "0123456789ABCDEFG");
    EXPECT_EQ(Px(BackBuffer, 0, 12), 0xFF000704u);  // 'G' = 0x47
}

TEST_F(BlitTest, LockGivesThePixelsUnderDirectDrawOnly) {
    ASSERT_TRUE(InitDD(32, 8, 8));
    DDSURFACEDESC2 desc;
    void* pixels = nullptr;
    ASSERT_TRUE(DDLock(&BackBuffer, &desc, &pixels, 32));
    EXPECT_EQ(pixels, BackBuffer.Surface.bits.data());
    EXPECT_EQ(desc.dwRGBBitCount, 32u);
    EXPECT_EQ(desc.lPitch, 32);
    DDUnlock(&BackBuffer);
    DDSURFACEDATA none;
    EXPECT_FALSE(DDLock(&none, &desc, &pixels, 32));
    DDEnd();
    ASSERT_TRUE(InitD3D(8, 8));
    pixels = nullptr;
    EXPECT_TRUE(DDLock(&BackBuffer, &desc, &pixels, 32));
    EXPECT_EQ(pixels, nullptr);
    EXPECT_NE(EC().find("D3DではDDLockは未対応"), std::string::npos);
    EXPECT_TRUE(DDLockPixels(&BackBuffer, &desc));
}

}  // namespace
