// Fades and colour tints under both back ends and both depths.
#include <gtest/gtest.h>

#include "platform/graphics/fx_test_support.h"
#include "platform/graphics/fx_fade.h"

using namespace fxtest;

namespace {

class FxFadeTest : public cFxTest {
protected:
    // The frame a scene draws before each fade step: a colour-31 background and the picture.
    void DrawScene() {
        DDClearSurface(&BackBuffer, 31);
        DDBlt(&BackBuffer, 16, 12, 64, 48, &pic, 0, 0, DDBLT_COLORKEY);
    }
    int Out(double speed, int r = 0, int g = 0, int b = 0, uint8_t now = 0) {
        return DDFadeOut(DDScreenPalette, 0, 255, r, g, b, speed, DDBasePalette, now);
    }
    int In(double speed, int r = 0, int g = 0, int b = 0, uint8_t now = 0) {
        return DDFadeIn(DDScreenPalette, 0, 255, r, g, b, speed, DDBasePalette, now);
    }
};

TEST_F(FxFadeTest, FadeOutAtSpeed30StepsThroughTheEasedWeightsAndRearms) {
    ASSERT_TRUE(Start(CFG_DD8));
    // Entry 17 is white: its red shows the weight drawn (255 · weight >> 8).
    const int want[5] = {255, 220, 126, 0, 255};
    const int result[5] = {0, 0, 0, 1, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Out(30), result[i]) << "call " << i;
        EXPECT_EQ(DDScreenPalette[17].peRed, want[i]) << "call " << i;
        EXPECT_EQ(DDScreenPalette[17].peFlags, 1);
        PALETTEENTRY hw;
        DDGetPaletteEntries(17, 1, &hw);
        EXPECT_EQ(hw.peRed, want[i]) << "the screen shows the mixed palette";
    }
    EXPECT_EQ(DDFadeWeight(30.0, 256), 127);
    EXPECT_EQ(DDFadeWeight(60.0, 256), 221);
}

TEST_F(FxFadeTest, FadeInAtSpeed100DrawsTheColourThenThePicture) {
    ASSERT_TRUE(Start(CFG_DD8));
    EXPECT_EQ(In(100, 0, 0, 255), 0);
    EXPECT_EQ(DDScreenPalette[17].peRed, 0);
    EXPECT_EQ(DDScreenPalette[17].peBlue, 255);
    EXPECT_EQ(In(100, 0, 0, 255), 1);
    EXPECT_EQ(DDScreenPalette[17].peRed, 255);
}

TEST_F(FxFadeTest, FinishNowEndsInOneCallAndAnAbandonedFadeContinues) {
    ASSERT_TRUE(Start(CFG_DD8));
    EXPECT_EQ(Out(30, 0, 0, 0, 1), 1);
    EXPECT_EQ(DDScreenPalette[17].peRed, 0);
    // Abandoned after two calls: the next fade-out call goes on from level 30.
    EXPECT_EQ(Out(30), 0);
    EXPECT_EQ(Out(30), 0);
    EXPECT_EQ(Out(30), 0);
    EXPECT_EQ(DDScreenPalette[17].peRed, 126);
    // A fade-in has its own level.
    EXPECT_EQ(In(45, 0, 0, 0, 1), 1);
    EXPECT_EQ(DDScreenPalette[17].peRed, 255);
}

TEST_F(FxFadeTest, TrueColourDirectDrawFadeMixesFromItsFirstFrame) {
    ASSERT_TRUE(Start(CFG_DD32));
    DDClearSurface(&BackBuffer, 17);
    BackBuffer.Surface.Row32(0)[0] = 0xAB000000u | Colour(17);
    EXPECT_EQ(Out(45, 0, 0, 255), 0);
    EXPECT_EQ(BackBuffer.Surface.Row32(0)[1] & 0xFFFFFF, 0xFFFFFFu);
    // The scene draws something else; the fade still mixes the frozen white frame.
    DDClearSurface(&BackBuffer, 16);
    BackBuffer.Surface.Row32(0)[0] = 0xAB000000u;
    EXPECT_EQ(Out(45, 0, 0, 255), 0);
    const uint32_t w = static_cast<uint32_t>(DDFadeWeight(45.0, 256));
    const uint32_t c = (255 * w) >> 8, blue = (255 * w + 255 * (256 - w)) >> 8;
    EXPECT_EQ(BackBuffer.Surface.Row32(5)[5] & 0xFFFFFF, (c << 16) | (c << 8) | blue);
    EXPECT_EQ(Out(45, 0, 0, 255), 1);
    EXPECT_EQ(BackBuffer.Surface.Row32(5)[5] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(BackBuffer.Surface.Row32(0)[0] >> 24, 0xABu) << "the fourth byte is left as it was";
}

TEST_F(FxFadeTest, Direct3DFadeIsABlackOverlayOfTheCurrentTarget) {
    ASSERT_TRUE(Start(CFG_D3D));
    DDClearSurface(&BackBuffer, 17);
    EXPECT_EQ(Out(45, 255, 0, 0), 0);  // level 90: nothing covers the picture
    EXPECT_EQ(BackBuffer.Surface.Row32(3)[3] & 0xFFFFFF, 0xFFFFFFu);
    DDClearSurface(&BackBuffer, 17);
    EXPECT_EQ(Out(45, 255, 0, 0), 0);
    const uint32_t v = BackBuffer.Surface.Row32(3)[3] & 0xFFFFFF;
    EXPECT_EQ(v >> 16, v & 255) << "grey: the colour arguments are not used";
    EXPECT_GT(v & 255, 150u);
    EXPECT_LT(v & 255, 200u);
    DDClearSurface(&BackBuffer, 17);
    EXPECT_EQ(Out(45, 255, 0, 0), 1);
    EXPECT_EQ(BackBuffer.Surface.Row32(3)[3] & 0xFFFFFF, 0u);
    EXPECT_EQ(EC().find("DDFade_UnPal"), std::string::npos);
}

TEST_F(FxFadeTest, Direct3DFadeDrawsIntoTheVirtualBackBufferWhileSelected) {
    ASSERT_TRUE(Start(CFG_D3D));
    DDClearSurfaceRGB(&VirBackBuffer, 0xFFFFFFFFu);
    DDClearSurfaceRGB(&BackBuffer, 0xFFFFFFFFu);
    DDSelectBackBuffer(1);
    EXPECT_EQ(Out(90, 0, 0, 0, 1), 1);
    EXPECT_EQ(VirBackBuffer.Surface.Row32(1)[1] & 0xFFFFFF, 0u);
    EXPECT_EQ(BackBuffer.Surface.Row32(1)[1] & 0xFFFFFF, 0xFFFFFFu);
    DDSelectBackBuffer(0);
}

TEST_F(FxFadeTest, FadeUnPalMixesOnlyWhereBothPicturesAreAndIsRefusedUnderDirect3D) {
    ASSERT_TRUE(Start(CFG_DD32));
    DDSURFACEDATA small;
    ASSERT_TRUE(DDCreateSurface(&small, 8, 4, 0, 1, 0, 0, 0));
    DDClearSurface(&small, 17);
    DDClearSurface(&BackBuffer, 16);
    EXPECT_EQ(DDFade_UnPal(&BackBuffer, 128, 0, 0, 0, &small), 1);
    EXPECT_EQ(BackBuffer.Surface.Row32(3)[7] & 0xFFFFFF, 0x7F7F7Fu);
    EXPECT_EQ(BackBuffer.Surface.Row32(4)[7] & 0xFFFFFF, 0u) << "outside the source nothing changes";
    EXPECT_EQ(DDFade_UnPal(nullptr, 128, 0, 0, 0, &small), 0);
    EXPECT_EQ(DDFade_UnPal(&BackBuffer, 999, 0, 0, 0, &small), 1) << "weights are held to 0..256";
    EXPECT_EQ(BackBuffer.Surface.Row32(0)[0] & 0xFFFFFF, 0xFFFFFFu);
    DDReleaseSurface(&small);
    DDResetForTest();
    ASSERT_TRUE(InitD3D(32, 32));
    EXPECT_EQ(DDFade_UnPal(&BackBuffer, 128, 0, 0, 0, &BackBuffer), 1);
    EXPECT_NE(EC().find("D3DではDDFade_UnPalは未対応"), std::string::npos);
}

TEST_F(FxFadeTest, ChangeColorIsAnOverlayOfTheRectangleUnderDirect3DOnly) {
    ASSERT_TRUE(Start(CFG_D3D));
    DDClearSurfaceRGB(&BackBuffer, 0xFF204060u);
    // Partly off the top-left corner; alpha 64 keeps a quarter of each pixel.
    EXPECT_EQ(DDChangeColor(&BackBuffer, -4, -4, 10, 8, 64, 255, 0, 128), 1);
    const uint32_t want = (((0x20 * 64 + 255 * 192) >> 8) << 16) | (((0x40 * 64) >> 8) << 8) |
                          ((0x60 * 64 + 128 * 192) >> 8);
    EXPECT_EQ(BackBuffer.Surface.Row32(3)[5], 0xFF000000u | want);
    EXPECT_EQ(BackBuffer.Surface.Row32(4)[5], 0xFF204060u);
    EXPECT_EQ(BackBuffer.Surface.Row32(3)[6], 0xFF204060u);
    EXPECT_EQ(DDChangeColor(&BackBuffer, 0, 0, 0, 0, 0, 1, 2, 3), 1);
    EXPECT_EQ(DDChangeColor(&BackBuffer, 500, 500, 10, 10, 0, 1, 2, 3), 1);
    DDResetForTest();
    ASSERT_TRUE(InitDD(32, 32, 32));
    DDClearSurface(&BackBuffer, 0);
    const uint32_t before = BackBuffer.Surface.Row32(0)[0];
    EXPECT_EQ(DDChangeColor(&BackBuffer, 0, 0, 32, 32, 0, 255, 255, 255), 1);
    EXPECT_EQ(BackBuffer.Surface.Row32(0)[0], before);
    EXPECT_NE(EC().find("DDrawでは DDChangeColor"), std::string::npos);
}

TEST_F(FxFadeTest, ChangeColorFromTintsTheWholeTargetFromItsOwnPicture) {
    ASSERT_TRUE(Start(CFG_D3D, 16, 8));
    for (int x = 0; x < 16; ++x) BackBuffer.Surface.Row32(0)[x] = 0xFF000000u | static_cast<uint32_t>(x * 16);
    EXPECT_EQ(DDChangeColorFrom(&BackBuffer, 5, 5, 1, 1, &BackBuffer, 0, 255, 255, 255), 1);
    // Opaque white modulation of itself: every pixel reads itself as it was.
    for (int x = 0; x < 16; ++x) EXPECT_EQ(BackBuffer.Surface.Row32(0)[x] & 0xFF, static_cast<uint32_t>(x * 16));
    DDClearSurfaceRGB(&BackBuffer, 0xFFFFFFFFu);
    EXPECT_EQ(DDChangeColorFrom(&BackBuffer, 0, 0, 0, 0, &BackBuffer, 0, 255, 0, 0), 1);
    EXPECT_EQ(BackBuffer.Surface.Row32(7)[15], 0xFFFF0000u) << "x, y, width and height do not limit the tint";
}

// A whole 640 x 480 screen fades to its end state under every configuration, corners included.
TEST_F(FxFadeTest, FullScreenFadesReachTheirEndState) {
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDResetForTest();
        DDResetFades();
        ASSERT_TRUE(Start(cfg, 640, 480));
        int calls = 0;
        do {
            DDClearSurface(&BackBuffer, 17);
            ++calls;
        } while (!Out(7, 0, 0, 0) && calls < 100);
        EXPECT_EQ(calls, 14) << "ceil(90 / 7) + 1 calls";
        for (const auto& p : {std::pair{0, 0}, std::pair{639, 0}, std::pair{0, 479}, std::pair{639, 479}})
            EXPECT_EQ(Shown(BackBuffer, p.first, p.second), 0u);
        DDClearSurface(&BackBuffer, 17);
        EXPECT_EQ(In(90, 0, 0, 0, 1), 1);
        EXPECT_EQ(Shown(BackBuffer, 639, 479), 0xFFFFFFu);
    }
}

// Every step of a fade out (to black) and in (from white) under each back end and depth.
TEST_F(FxFadeTest, GoldenFadeSteps) {
    for (FXCONFIG cfg : kConfigs) {
        SCOPED_TRACE(ConfigName(cfg));
        DDReleaseSurface(&pic);
        DDResetForTest();
        DDResetFades();
        ASSERT_TRUE(Start(cfg));
        cSheet out, in;
        int done = 0;
        for (int i = 0; i < 4; ++i) {
            DrawScene();
            done = Out(30);
            out.Add(BackBuffer);
        }
        EXPECT_EQ(done, 1);
        for (int i = 0; i < 4; ++i) {
            DrawScene();
            done = In(30, 255, 255, 255);
            in.Add(BackBuffer);
        }
        EXPECT_EQ(done, 1);
        EXPECT_EQ(out.Compare(std::string("fx_fade_out_") + ConfigName(cfg)), "");
        EXPECT_EQ(in.Compare(std::string("fx_fade_in_") + ConfigName(cfg)), "");
    }
}

TEST_F(FxFadeTest, GoldenChangeColorUnderDirect3D) {
    ASSERT_TRUE(Start(CFG_D3D));
    cSheet sheet;
    DrawScene();
    DDChangeColor(&BackBuffer, 8, 8, 40, 30, 128, 255, 0, 0);
    DDChangeColor(&BackBuffer, 60, 40, 100, 100, 32, 0, 0, 255);  // cut at the right and bottom edges
    sheet.Add(BackBuffer);
    DrawScene();
    DDChangeColorFrom(&BackBuffer, 0, 0, 0, 0, &pic, 64, 255, 128, 0);
    sheet.Add(BackBuffer);
    EXPECT_EQ(sheet.Compare("fx_change_color_d3d"), "");
}

}  // namespace
