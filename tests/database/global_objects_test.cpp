#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "db_test_support.h"
#include "platform/graphics/dd_init.h"
#include "platform/window/menu_cursor.h"

namespace {

void ExpectFont(int i, const uint32_t (&want)[10]) {
    const FONTINFO& f = FontInfo[i];
    const uint32_t got[10] = {f.dwGlyphWidth,  f.dwGlyphHeight, f.dwCharPitch,     f.dwLinePitch,     f.dwColourNumber,
                              f.dwBoxSurface,  f.dwBoxParam[0], f.dwBoxParam[1],   f.dwSymbolSurface, f.dwCache};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(got[k], want[k]) << "font " << i << " value " << k + 1;
}

class CommonFonts : public dbtest::cDbTest {};
class GlobalObjects : public dbtest::cDbTest {};

TEST_F(CommonFonts, DescriptorsStartWithTheListedValues) {
    ResetCommonFonts();
    ExpectFont(0, {0, 9, 10, 10, 241, 45, 1, 240, 50, 2});
    ExpectFont(1, {0, 16, 16, 16, 241, 45, 1, 240, 50, 2});
    ExpectFont(2, {0, 30, 32, 32, 241, 45, 1, 240, 50, 0});
    // "ＭＳ ゴシック" in Shift-JIS.
    for (const FONTINFO& f : FontInfo) EXPECT_STREQ(f.szFaceName, "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
    for (const DDSURFACEINFO& d : DigitStripInfo) {
        EXPECT_STREQ(d.szPath, "");
        EXPECT_EQ(d.dwColorKey, 1u);
        EXPECT_EQ(d.dwDDMemory + d.dwDTMemory + d.dwNoTexture + d.dwIndexMap + d.dwTolerate + d.dwWidth + d.dwHeight, 0u);
    }
}

TEST_F(CommonFonts, SettingsReplaceTheFaceAndTheCacheModeTwo) {
    ResetCommonFonts();
    ApplyFontSettings("IPAGothic", 1);
    EXPECT_STREQ(FontInfo[1].szFaceName, "IPAGothic");
    EXPECT_EQ(FontInfo[0].dwCache, 1u);
    EXPECT_EQ(FontInfo[1].dwCache, 1u);
    EXPECT_EQ(FontInfo[2].dwCache, 0u);  // off stays off
    const std::string longFace(300, 'f');
    ApplyFontSettings(longFace.c_str(), 0);
    EXPECT_EQ(std::strlen(FontInfo[2].szFaceName), 255u);
    EXPECT_EQ(FontInfo[0].dwCache, 1u);  // no 2 left to replace
    ResetCommonFonts();
    EXPECT_EQ(FontInfo[0].dwCache, 2u);
}

TEST_F(CommonFonts, FontsAndDigitStripsAreMadeOnTheCommonSurfaces) {
    cEnvGuard env;
    env.Set("SDL_VIDEODRIVER", "dummy", false);
    dbtest::cWorkFolder work;
    DDResetForTest();
    ResetCommonBitmaps();
    ResetCommonFonts();
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, CommonSurfaces, CommonBitmapInfo,
                       COMMON_BITMAP_NUM));
    ApplyFontSettings("ＭＳ ゴシック", 0);
    ASSERT_EQ(CreateFonts(Fonts, FontInfo, FONT_NUM), 1);
    EXPECT_EQ(Fonts[FONT_MEDIUM].BoxSurface(), &CommonSurfaces[CB_WINDOW]);
    EXPECT_EQ(Fonts[FONT_MEDIUM].SymbolSurface(), &CommonSurfaces[CB_SYMBOL]);
    ASSERT_EQ(CreateDigitSurfaces(DigitSurfaces, DigitStripInfo, FONT_NUM, Fonts, FontInfo), 1);
    const int sizes[FONT_NUM][2] = {{100, 10}, {160, 16}, {320, 32}};  // ten pitches by one line
    for (int i = 0; i < FONT_NUM; ++i) {
        EXPECT_EQ(DigitSurfaces[i].nWidth, sizes[i][0]) << i;
        EXPECT_EQ(DigitSurfaces[i].nHeight, sizes[i][1]) << i;
    }
    ResetCommonFonts();
    EXPECT_FALSE(DigitSurfaces[0].HasSurface());
    DDResetForTest();
    ResetCommonBitmaps();
}

TEST_F(GlobalObjects, ResetLeavesThemAsMade) {
    cEnvGuard env;
    env.Set("SDL_VIDEODRIVER", "dummy", false);
    DDResetForTest();
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    EXPECT_EQ(InputList.size(), 1u);
    InputList.emplace_back();
    ASSERT_TRUE(DDAddSurface(CharaSurface, CharaSurfaceInfo, 32, 32, 1, 0, 0, 0));
    ASSERT_TRUE(DDAddSurfaceList(Off_Msg, Off_MsgInfo, 64, 16, 1, 0, 0, 0));
    SoundInfoList.resize(17);
    SoundList.resize(17);
    PlayStage.nFps = 120;
    g_MenuCursor.PushLevel();
    ASSERT_EQ(thGame.Create([](void*) -> unsigned { return 0; }, nullptr), 1u);

    ResetAllGlobalObjects();
    EXPECT_EQ(InputList.size(), 1u);
    EXPECT_TRUE(CharaSurface.empty());
    EXPECT_TRUE(CharaSurfaceInfo.empty());
    EXPECT_TRUE(Off_Msg.empty());
    EXPECT_TRUE(Off_MsgInfo.empty());
    EXPECT_TRUE(SoundList.empty());
    EXPECT_TRUE(SoundInfoList.empty());
    EXPECT_EQ(PlayStage.nFps, 60);
    EXPECT_FALSE(thGame.IsRunning());
    EXPECT_STREQ(CommonBitmapInfo[CB_TITLE].szPath, "bmp\\Title.bmp");
    DDResetForTest();
}

}  // namespace
