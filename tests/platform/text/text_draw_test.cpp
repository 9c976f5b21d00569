#include <gtest/gtest.h>

#include "platform/graphics/dd_test_support.h"
#include "support/golden_bmp.h"
#include "platform/text/text_draw.h"

namespace {

const char* const kFace = "ＭＳ Ｐゴシック";

// Text on surfaces under each back end: one scene of framed boxes, symbol
// icons and a digit strip, drawn at 8 and 32 bits under the DirectDraw rules
// and under the Direct3D rules, must give the same picture.
class TextDrawTest : public ddtest::cDDTest {
protected:
    DDSURFACEDATA box, symbols, screen, digits[1];
    Font font;

    // palette, transparent colour, the box picture and the icon strip
    void Prepare() {
        ddtest::SetBasePalette(ddtest::TestPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);  // palette entry 0
        ASSERT_TRUE(DDCreateSurface(&box, 128, 64, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
        for (int y = 0; y < 64; y += 8) DDFillRect(&box, 0, y, 128, 4, 40 + y);
        ASSERT_TRUE(DDCreateSurface(&symbols, 26 * 16, 16, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
        DDFillRect(&symbols, 0, 0, 26 * 16, 16, 0);
        for (int i = 0; i < 26; ++i) DDFillRect(&symbols, i * 16 + 2 + i % 4, 3, 10, 10, 3 + i % 3);
        ASSERT_TRUE(DDCreateSurface(&screen, 320, 200, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        ASSERT_TRUE(font.Create(kFace, 0, 16, 16, 16, 241, &box, 1, 240, &symbols, 1));
        DDSURFACEINFO info("", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        FONTINFO fi;
        ASSERT_EQ(CreateDigitSurfaces(digits, &info, 1, &font, &fi), 1);
        EXPECT_EQ(digits[0].nWidth, 160);
        EXPECT_EQ(digits[0].nHeight, 16);
    }

    void Scene() {
        DDFillRect(&screen, 0, 0, 320, 200, 16);
        font.DrawTextRect(&screen, 8, 8, 0, 0, "メニュー\nｱｲｳ①", 8);
        font.DrawTextRect(&screen, 10000, 60, 96, 16, "中央", 0);  // centred on the box picture: x = 16
        font.DrawText(&screen, 150, 8, "aあbz\n　c");               // icons for a, b, z and c
        font.DrawText(&screen, 150, 48, "abc", 1);                 // letters, no icons
        font.DrawTextF(&screen, 150, 70, "%d%s", 42, "点");
        DDBlt(&screen, 8, 170, 160, 16, &digits[0], 0, 0, DDBLT_COLORKEY);
    }

    GOLDENFRAME Frame() {
        GOLDENFRAME f;
        f.width = 320;
        f.height = 200;
        const auto pal = ddtest::TestPalette();
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 320; ++x) {
                uint32_t p = ddtest::Px(screen, x, y);
                f.pixels.push_back(0xFF000000u | (screen.Surface.format == DDFMT_INDEX8 ? pal[p & 255] : p));
            }
        return f;
    }
};

TEST_F(TextDrawTest, DirectDraw32BoxesSymbolsAndDigits) {
    ASSERT_TRUE(InitDD(32));
    Prepare();
    Scene();
    EXPECT_EQ(CompareGolden("text_surface_scene", Frame()), "");
}

TEST_F(TextDrawTest, DirectDraw8GivesTheSamePicture) {
    ASSERT_TRUE(InitDD(8));
    Prepare();
    Scene();
    EXPECT_EQ(screen.Surface.format, DDFMT_INDEX8);
    EXPECT_EQ(CompareGolden("text_surface_scene", Frame()), "");
}

TEST_F(TextDrawTest, Direct3DGivesTheSamePicture) {
    ASSERT_TRUE(InitD3D());
    Prepare();
    Scene();
    EXPECT_EQ(CompareGolden("text_surface_scene", Frame()), "");
    // A glyph first drawn now goes into the cache and its texture copy.
    const int before = font.FullCache()->Count();
    font.DrawText(&screen, 0, 100, "鬱");
    EXPECT_EQ(font.FullCache()->Count(), before + 1);
}

TEST_F(TextDrawTest, Direct3DWithoutCacheAndWithATint) {
    ASSERT_TRUE(InitD3D());
    Prepare();
    Font plain;
    ASSERT_TRUE(plain.Create(kFace, 0, 16, 16, 16, 241, &box, 1, 240, &symbols, 0));
    DDFillRect(&screen, 0, 0, 320, 200, 16);
    plain.DrawText(&screen, 150, 8, "aあbz\n　c");
    DDSURFACEDATA other;
    ASSERT_TRUE(DDCreateSurface(&other, 320, 200, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRect(&other, 0, 0, 320, 200, 16);
    font.DrawText(&other, 150, 8, "aあbz\n　c");
    for (int y = 0; y < 40; ++y)
        for (int x = 140; x < 230; ++x) ASSERT_EQ(ddtest::Px(screen, x, y), ddtest::Px(other, x, y)) << x << "," << y;
    // Under the Direct3D rules a diffuse colour tints the text as any blit.
    DDSetDiffuseColor(0xFF000000);
    DDFillRect(&other, 0, 0, 320, 200, 16);
    font.DrawText(&other, 0, 0, "字");
    DDResetDiffuseColor();
    int dark = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) dark += (ddtest::Px(other, x, y) & 0xFFFFFF) == 0;
    EXPECT_GT(dark, 10);
}

TEST_F(TextDrawTest, FontsFromTheirDescriptors) {
    ASSERT_TRUE(InitDD(32));
    Prepare();
    FONTINFO infos[3];
    const uint32_t values[3][10] = {{0, 9, 10, 10, 241, 45, 1, 240, 50, 1},
                                    {0, 16, 16, 16, 241, 45, 1, 240, 50, 1},
                                    {0, 30, 32, 32, 241, 45, 1, 240, 50, 0}};
    for (int i = 0; i < 3; ++i) {
        std::snprintf(infos[i].szFaceName, sizeof infos[i].szFaceName, "%s", kFace);
        uint32_t* v = &infos[i].dwGlyphWidth;
        for (int k = 0; k < 10; ++k) v[k] = values[i][k];
    }
    Font fonts[3];
    ASSERT_EQ(CreateFonts(fonts, infos, 3), 1);
    EXPECT_EQ(fonts[0].LinePitch(), 10);
    EXPECT_NE(fonts[1].FullCache(), nullptr);
    EXPECT_EQ(fonts[2].FullCache(), nullptr);
    EXPECT_EQ(fonts[2].FullCache(), nullptr);
    EXPECT_EQ(fonts[1].BoxSurface(), nullptr);  // no common table loaded: no box picture
    fonts[1].DrawTextRect(&screen, 0, 0, 0, 0, "箱なし", 0);  // draws the text only
}

}  // namespace
