// Palette numbers, the transparent colour, fills and palette tables under
// both back ends and at 8 and 32 bits.
#include <gtest/gtest.h>

#include "platform/graphics/dd_test_support.h"

using namespace ddtest;

namespace {

class PaletteTest : public cDDTest {
protected:
    void SetUp() override {
        cDDTest::SetUp();
        SetBasePalette(TestPalette());
    }
};

TEST_F(PaletteTest, PaletteNumbersForEachBackEndAndDepth) {
    ASSERT_TRUE(InitD3D());
    DDSetTransmit(255, 0, 255);
    EXPECT_EQ(PalNumToRGB(0), 0u);  // the picture clear colour, not entry 0
    EXPECT_EQ(PalNumToRGB(3), 0xFFFF0000u);
    EXPECT_EQ(PalNumToRGB(256), 0u);
    EXPECT_NE(EC().find("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = 256"), std::string::npos);
    DDEnd();
    ASSERT_TRUE(InitDD(32));
    SetBasePalette(TestPalette());
    EXPECT_EQ(PalNumToRGB(0), 0xFF00FFu);
    EXPECT_EQ(PalNumToRGB(5), 0x0000FFu);
    DDEnd();
    ASSERT_TRUE(InitDD(8));
    EXPECT_EQ(PalNumToRGB(200), 200u);
}

TEST_F(PaletteTest, TransparentColourFromBytes) {
    ASSERT_TRUE(InitD3D());
    DDSetTransmit(255, 0, 255);
    EXPECT_EQ(lpDTCon->dwKeyColor, 0xFFFF00FFu);
    EXPECT_EQ(lpDTCon->dwClearColor, 0u);
    EXPECT_EQ(lpDTCon->rgbTransmit.rgbtRed, 255);
    EXPECT_EQ(lpDTCon->rgbTransmit.rgbtBlue, 255);
    EXPECT_NE(EC().find("SetTrans lpDTCon->rgbTransmit.rgbtRed = 255,lpDTCon->rgbTransmit.rgbtGreen = 0,"
                        "lpDTCon->rgbTransmit.rgbtBlue = 255"),
              std::string::npos);
    DDEnd();
    // DirectDraw at 32 bits: red in bits 16-23, as the pixels hold it.
    ASSERT_TRUE(InitDD(32));
    DDSetTransmit(0x12, 0x34, 0x56);
    EXPECT_EQ(DDG.dwColorKey, 0x123456u);
    EXPECT_EQ(lpDDCon->rgbTransmit.rgbtRed, 0x12);
}

TEST_F(PaletteTest, TransparentColourFromTheTopLeftPixel) {
    const std::string black = File("black.bmp"), indexed = File("indexed.bmp");
    WriteBmp(black, MakeRgb(4, 4, [](int x, int y) { return x + y == 0 ? 0u : 0x102030u; }), 24);
    WriteBmp(indexed, MakeIndexed(4, 4, TestPalette(), [](int x, int) { return uint8_t(x == 0 ? 9 : 1); }), 8);
    ASSERT_TRUE(InitD3D());
    DDSetTransmit(255, 0, 255);
    EXPECT_EQ(DDSetTransmitFromFile(black.c_str()), 1);
    EXPECT_EQ(lpDTCon->dwKeyColor, 0xFF000000u);  // black is now transparent
    // A picture loaded after that turns black into transparent black.
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, black.c_str(), 1, 32, 0, 0, 0, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(Px(sd, 0, 0), 0u);
    EXPECT_EQ(Px(sd, 1, 0), 0xFF102030u);
    EXPECT_EQ(DDSetTransmitFromFile(File("none.bmp").c_str()), 0);
    EXPECT_NE(EC().find("none.bmp 作成失敗！"), std::string::npos);
    DDEnd();
    ASSERT_TRUE(InitDD(8));
    EXPECT_EQ(DDSetTransmitFromFile(indexed.c_str()), 1);
    EXPECT_EQ(DDG.dwColorKey, 9u);  // the palette index of the top-left pixel
    DDEnd();
    ASSERT_TRUE(InitDD(32));
    EXPECT_EQ(DDSetTransmitFromFile(indexed.c_str()), 1);
    EXPECT_EQ(DDG.dwColorKey, TestPalette()[9]);
}

TEST_F(PaletteTest, FillsClipOnEverySideAndLogBadNumbers) {
    for (int depth : {8, 32}) {
        SCOPED_TRACE(depth);
        ASSERT_TRUE(InitDD(depth, 32, 16));
        DDClearSurface(&BackBuffer, 2);
        DDFillRect(&BackBuffer, -10, -3, 30, 5, 3);
        const uint32_t three = depth == 8 ? 3u : 0xFF0000u, two = depth == 8 ? 2u : 0xFFFFFFu;
        EXPECT_EQ(Px(BackBuffer, 19, 1), three);
        EXPECT_EQ(Px(BackBuffer, 20, 1), two);  // the far edge stays where it was
        EXPECT_EQ(Px(BackBuffer, 0, 2), two);
        DDFillRect(&BackBuffer, 30, 14, 10, 10, 300);
        EXPECT_EQ(Px(BackBuffer, 31, 15), depth == 8 ? 0u : 0xFF00FFu);  // colour 0 for a bad number
        DDEnd();
    }
    EXPECT_NE(EC().find("dwPalNum = 300"), std::string::npos);
}

TEST_F(PaletteTest, Direct3DFillsOfRenderTargets) {
    ASSERT_TRUE(InitD3D(16, 16));
    DDSetTransmit(255, 0, 255);
    SetBasePalette(TestPalette());
    DDSURFACEDATA keyed, plain;
    ASSERT_TRUE(DDCreateSurface(&keyed, 8, 8, 1, 0, 0, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&plain, 8, 8, 0, 0, 0, 0, 0));
    DDClearSurface(&keyed, 3);
    DDFillRect(&keyed, 2, 2, 2, 2, 0);  // the transparent value clears to transparency
    EXPECT_EQ(Px(keyed, 2, 2), 0u);
    EXPECT_EQ(Px(keyed, 4, 4), 0xFFFF0000u);
    DDClearSurface(&plain, 3);
    DDFillRect(&plain, 2, 2, 2, 2, 0);  // on an unkeyed target it is an invisible quad
    EXPECT_EQ(Px(plain, 2, 2), 0xFFFF0000u);
    DDFillRectRGB(&plain, 0, 0, 1, 1, 0x800000FFu);  // half-transparent quads blend
    EXPECT_EQ(Px(plain, 0, 0) & 0xFFFFFF, 0x7F0080u);
    // The fill batch draws at its end.
    DDBeginFillBatch();
    DDFillRect(&plain, 6, 6, 2, 2, 4);
    EXPECT_EQ(Px(plain, 6, 6), 0xFFFF0000u);
    DDEndFillBatch();
    EXPECT_EQ(Px(plain, 6, 6), 0xFF00FF00u);
    // Pixels go through the fill.
    DDPutPixel(&plain, 7, 0, 5);
    EXPECT_EQ(Px(plain, 7, 0), 0xFF0000FFu);
}

TEST_F(PaletteTest, PaletteFromFile) {
    const std::string pal = File("pal.bmp");
    auto colours = TestPalette();
    WriteBmp(pal, MakeIndexed(16, 24, colours, [](int x, int y) { return static_cast<uint8_t>(y * 16 + x); }), 8);
    PALETTEENTRY p[256];
    ASSERT_TRUE(InitDD(8));
    ASSERT_TRUE(DDLoadPaletteFromFile(p, pal.c_str(), 1));
    EXPECT_EQ(p[3].peRed, 255);
    EXPECT_EQ(p[9].peFlags, PC_EXPLICIT);
    EXPECT_EQ(p[10].peFlags, PC_RESERVED);
    EXPECT_EQ(p[246].peFlags, PC_EXPLICIT);
    EXPECT_EQ(DDHardwarePaletteRGB()[4], 0x00FF00u);  // set on the screen at 8 bits
    EXPECT_FALSE(DDLoadPaletteFromFile(p, File("none.bmp").c_str(), 1));
    DDEnd();

    static int hookCalls = 0;
    DDSetPaletteUnPalHook([](PALETTEENTRY*, DDSURFACEDATA* sd) {
        ++hookCalls;
        return sd->HasSurface() ? 1 : 0;
    });
    ASSERT_TRUE(InitD3D());
    ASSERT_TRUE(DDLoadPaletteFromFile(p, pal.c_str(), 1));
    EXPECT_EQ(p[5].peBlue, 255);
    EXPECT_EQ(p[5].peFlags, 255);
    EXPECT_EQ(hookCalls, 1);  // true colour: the picture's cells are read as well
    DDSetPaletteUnPalHook(nullptr);
}

TEST_F(PaletteTest, PaletteIndexMapNamesTheFirstEqualEntry) {
    ASSERT_TRUE(InitD3D());
    auto colours = TestPalette();
    colours[40] = colours[3];  // a second red: the first one wins
    SetBasePalette(colours);
    const std::string path = File("m.bmp");
    WriteBmp(path, MakeRgb(3, 1, [](int x, int) { return x == 0 ? 0xFF0000u : x == 1 ? 0x0000FFu : 0x123457u; }), 24);
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, path.c_str(), 0, 32, 0, 0, 0, 1, 0, 0, 0), DD_OK);
    ASSERT_FALSE(sd.lpDT->PalIndexMap.empty());
    EXPECT_EQ(sd.lpDT->PalIndexMap[0], 3);
    EXPECT_EQ(sd.lpDT->PalIndexMap[1], 5);
    EXPECT_EQ(sd.lpDT->PalIndexMap[2], 0);  // no entry has this colour
}

TEST_F(PaletteTest, HardwarePaletteRefusesEntriesOutsideTheTable) {
    PALETTEENTRY e[4] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}};
    DDSetPaletteEntries(254, 4, e);  // only two entries fit
    EXPECT_EQ(DDHardwarePaletteRGB()[255], 0x040506u);
    DDSetPaletteEntries(-1, 4, e);
    DDSetPaletteEntries(256, 1, e);
    PALETTEENTRY out[2];
    DDGetPaletteEntries(254, 2, out);
    EXPECT_EQ(out[0].peRed, 1);
}

}  // namespace
