// Palette operations: blending, rotation, variants, blend tables, palettes from pictures, the channel table.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/graphics/fx_test_support.h"
#include "platform/graphics/fx_palette.h"

using namespace fxtest;

namespace {

using FxPaletteTest = cFxTest;

void Numbered(PALETTEENTRY* p) {
    for (int i = 0; i < 256; ++i) p[i] = PALETTEENTRY{static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i), 0};
}

TEST_F(FxPaletteTest, BlendMixesTheRangeTowardTheColourAndMarksItsEntries) {
    PALETTEENTRY src[256], dst[256];
    Numbered(src);
    Numbered(dst);
    DDBlendPalette(dst, 10, 20, 256, 9, 9, 9, src);
    EXPECT_EQ(dst[10].peRed, 10);
    EXPECT_EQ(dst[10].peBlue, 245);
    EXPECT_EQ(dst[10].peFlags, 1) << "weight 256 copies the entries and sets their flags";
    EXPECT_EQ(dst[9].peFlags, 0);
    DDBlendPalette(dst, 0, 255, 0, 7, 8, 9, src);
    EXPECT_EQ(dst[200].peRed, 7);
    EXPECT_EQ(dst[200].peGreen, 8);
    DDBlendPalette(dst, 200, 200, 64, 100, 0, 0, src);
    EXPECT_EQ(dst[200].peRed, (200 * 64 + 100 * 192) >> 8);
    // Ranges are cut to the palette and weights to 0..256.
    DDBlendPalette(dst, -50, 400, 1000, 0, 0, 0, src);
    EXPECT_EQ(dst[0].peRed, 0);
    EXPECT_EQ(dst[255].peRed, 255);
    DDBlendPalette(dst, 30, 20, 0, 0, 0, 0, src);
}

TEST_F(FxPaletteTest, RotationMovesTheRangeAndHoldsCountsAndRangesInBounds) {
    ASSERT_TRUE(InitDD(8, 32, 32));
    PALETTEENTRY src[256], dst[256];
    Numbered(src);
    DDRotatePalette(dst, 16, 207, 16, 0, src);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dst[16 + i].peRed, 192 + i);
    EXPECT_EQ(dst[32].peRed, 16);
    EXPECT_EQ(dst[15].peRed, 15);
    EXPECT_EQ(dst[208].peRed, 208);
    DDRotatePalette(dst, 16, 207, 16, 1, src);
    EXPECT_EQ(dst[16].peRed, 32);
    EXPECT_EQ(dst[207].peRed, 31);
    // A count beyond the range goes round again; a negative count turns the other way.
    PALETTEENTRY again[256];
    DDRotatePalette(again, 16, 207, 16 + 192 * 3, 1, src);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(again[i].peRed, dst[i].peRed);
    DDRotatePalette(again, 16, 207, -16, 0, src);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(again[i].peRed, dst[i].peRed);
    // Another direction only copies; so does a range outside the palette; in place works.
    DDRotatePalette(dst, 16, 207, 5, 2, src);
    EXPECT_EQ(dst[16].peRed, 16);
    DDRotatePalette(dst, 300, 400, 5, 0, src);
    EXPECT_EQ(dst[16].peRed, 16);
    DDRotatePalette(dst, 250, 999, 1, 0, dst);
    EXPECT_EQ(dst[250].peRed, 255);
    EXPECT_EQ(dst[251].peRed, 250);
}

TEST_F(FxPaletteTest, VariantsRotateOrRepeatTheColourGroups) {
    ASSERT_TRUE(InitDD(8, 32, 32));
    PALETTEENTRY p[256], base[256];
    Numbered(base);
    std::copy(base, base + 256, p);
    ASSERT_TRUE(DDMakePaletteVariant(p, 0));
    EXPECT_EQ(p[16].peRed, 16);
    ASSERT_TRUE(DDMakePaletteVariant(p, 2));
    EXPECT_EQ(p[16].peRed, 48);
    EXPECT_EQ(p[207].peRed, 47);
    std::copy(base, base + 256, p);
    ASSERT_TRUE(DDMakePaletteVariant(p, 12));
    for (int i = 16; i <= 207; ++i) EXPECT_EQ(p[i].peRed, 16 + i % 16);
    std::copy(base, base + 256, p);
    ASSERT_TRUE(DDMakePaletteVariant(p, 23));
    EXPECT_EQ(p[16].peRed, 192);
    EXPECT_EQ(p[207].peRed, 207);
    EXPECT_EQ(p[208].peRed, 208);
    EXPECT_FALSE(DDMakePaletteVariant(p, 24));
    EXPECT_FALSE(DDMakePaletteVariant(p, -1));
    EXPECT_EQ(DDHbtTablePath(5), "bmp\\hbt\\hbt05.dat");
    EXPECT_EQ(DDHbtTablePath(23), "bmp\\hbt\\hbt23.dat");
}

TEST_F(FxPaletteTest, BlendTablesLoadWholeOrNotAtAll) {
    ASSERT_TRUE(InitDD(8, 32, 32));
    std::vector<uint8_t> buf(HBT_TABLE_SIZE, 0xEE);
    EXPECT_FALSE(DDLoadHbtTable(buf.data(), File("missing.dat").c_str()));
    EXPECT_EQ(buf[0], 0xEE);
    {
        std::ofstream f(File("short.dat"), std::ios::binary);
        f << std::string(1000, '\x01');
    }
    EXPECT_FALSE(DDLoadHbtTable(buf.data(), File("short.dat").c_str())) << "a short table is refused";
    EXPECT_EQ(buf[0], 0xEE);
    {
        std::ofstream f(File("hbt00.dat"), std::ios::binary);
        for (int i = 0; i < HBT_TABLE_SIZE; ++i) f.put(static_cast<char>(i * 7));
    }
    EXPECT_TRUE(DDLoadHbtTable(buf.data(), File("hbt00.dat").c_str()));
    EXPECT_EQ(buf[1], 7);
    EXPECT_EQ(buf[65535], static_cast<uint8_t>(65535 * 7));
    DDResetForTest();
    ASSERT_TRUE(InitD3D(32, 32));
    std::fill(buf.begin(), buf.end(), 0xEE);
    EXPECT_TRUE(DDLoadHbtTable(buf.data(), File("missing.dat").c_str())) << "Direct3D needs no table";
    EXPECT_EQ(buf[0], 0xEE);
}

// A 24-bit picture holding palette cells: entry i is colour (i, 255 - i, i / 2) at column i % 16, row 8 + i / 16.
void WriteCellPicture(const std::string& path, int w, int h) {
    auto fn = [](int x, int y) -> uint32_t {
        if (y < 8 || y >= 24 || x >= 16) return 0x123456;
        const uint32_t i = static_cast<uint32_t>((y - 8) * 16 + x);
        return (i << 16) | ((255 - i) << 8) | (i / 2);
    };
    ASSERT_TRUE(WriteBmp(path, MakeRgb(w, h, fn), 24));
}

TEST_F(FxPaletteTest, TrueColourPalettesComeFromThePicturesCells) {
    DDSetPaletteUnPalHook(DDSetPalette_UnPal);
    WriteCellPicture(File("cells.bmp"), 20, 24);
    for (FXCONFIG cfg : {CFG_DD32, CFG_D3D}) {
        SCOPED_TRACE(ConfigName(cfg));
        DDResetForTest();
        ASSERT_TRUE(cfg == CFG_D3D ? InitD3D(32, 32) : InitDD(32, 32, 32));
        PALETTEENTRY p[256];
        ASSERT_TRUE(DDLoadPaletteFromFile(p, File("cells.bmp").c_str(), 0));
        EXPECT_EQ(p[0].peRed, 0);
        EXPECT_EQ(p[0].peGreen, 255);
        EXPECT_EQ(p[201].peRed, 201);
        EXPECT_EQ(p[201].peGreen, 54);
        EXPECT_EQ(p[201].peBlue, 100);
    }
    // A picture too small for the cells keeps the entries it cannot hold.
    WriteCellPicture(File("small.bmp"), 8, 10);
    PALETTEENTRY p[256];
    Numbered(p);
    ASSERT_TRUE(DDLoadPaletteFromFile(p, File("small.bmp").c_str(), 0));
    EXPECT_EQ(p[1].peGreen, 254);
    EXPECT_EQ(p[40].peRed, 40);
    EXPECT_EQ(p[40].peBlue, 215);
    EXPECT_EQ(DDSetPalette_UnPal(p, nullptr), 1);
    // Under Direct3D only pixels with alpha change their entry.
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 16, 24, 1, 1, 1, 0, 0));
    DDClearSurfaceRGB(&sd, 0);
    sd.Surface.Row32(8)[3] = 0xFF102030u;
    Numbered(p);
    EXPECT_EQ(DDSetPalette_UnPal(p, &sd), 1);
    EXPECT_EQ(p[3].peRed, 0x10);
    EXPECT_EQ(p[3].peFlags, 0xFF);
    EXPECT_EQ(p[4].peRed, 4);
    DDReleaseSurface(&sd);
    DDSetPaletteUnPalHook(nullptr);
}

TEST_F(FxPaletteTest, ChannelTableAndSixteenBitPixels) {
    ASSERT_TRUE(InitDD(32, 32, 32));
    PIXELLAYOUT l;
    DDReadPixelFormat(&l);
    EXPECT_EQ(l.dwRShift, 16u);
    EXPECT_EQ(l.dwGShift, 8u);
    EXPECT_EQ(l.dwBShift, 0u);
    EXPECT_EQ(l.dwRMax, 255u);
    uint32_t shift = 0, max = 0;
    DDChannelFromMask(0xF800, 16, &shift, &max);
    EXPECT_EQ(shift, 11u);
    EXPECT_EQ(max, 0x1Fu);
    DDChannelFromMask(0, 16, &shift, &max);
    EXPECT_EQ(shift, 16u);
    EXPECT_EQ(max, 0u);
    const PIXELLAYOUT saved = PixelLayout;
    PixelLayout = PIXELLAYOUT{11, 5, 0, 0, 0x1F, 0x3F, 0x1F, 0};
    EXPECT_EQ(DDPalToRGB16(PALETTEENTRY{0x1F, 0x3F, 0x1F, 0}), 0xFFFF);
    EXPECT_EQ(DDPalToRGB16(PALETTEENTRY{1, 2, 3, 0}), (1 << 11) | (2 << 5) | 3);
    PixelLayout = saved;
    DDResetForTest();
    ASSERT_TRUE(InitDD(8, 32, 32));
    DDReadPixelFormat(&l);
    EXPECT_EQ(l.dwRShift, 8u);
    EXPECT_EQ(l.dwRMax, 0u);
    DDResetForTest();
    ASSERT_TRUE(InitD3D(32, 32));
    EXPECT_EQ(DDPalToRGB16(PALETTEENTRY{1, 2, 3, 0}), 0);
    EXPECT_NE(EC().find("DDPalToRGB16はDirect3Dでは未対応"), std::string::npos);
}

}  // namespace
