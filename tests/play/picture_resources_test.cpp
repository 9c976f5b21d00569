// Shown pictures, the stage's picture tables and the sight mask, and one
// golden frame of a picture and running effects drawn together.
#include <gtest/gtest.h>

#include "play/effect_instance.h"
#include "play/picture.h"
#include "play/stage_resources.h"
#include "play_draw_test_support.h"
#include "records/crt_rand.h"
#include "support/golden_bmp.h"

namespace {

using namespace playtest;
using ddtest::Px;
using PictureTest = cPlayDrawTest;

// The top-left corner of the non-key pixels of BackBuffer, and the size of their box.
struct BOX {
    int x = -1, y = -1, w = 0, h = 0;
};
BOX DrawnBox() {
    BOX b;
    int x1 = -1, y1 = -1;
    for (int y = 0; y < BackBuffer.nHeight; ++y)
        for (int x = 0; x < BackBuffer.nWidth; ++x)
            if ((Px(BackBuffer, x, y) & 0xFFFFFF) != 0) {
                if (b.x < 0 || x < b.x) b.x = x;
                if (b.y < 0 || y < b.y) b.y = y;
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (b.x >= 0) b = {b.x, b.y, x1 - b.x + 1, y1 - b.y + 1};
    return b;
}

TEST_F(PictureTest, TimedPicturesRunDownUnlessFrozenAndFollowTheirCharacter) {
    PICTUREENTRY e;
    SetPicture(e, 1, PICBASE_SCREEN, 0, 0, 0, 0, 100, 60, 1, 0, 100, PICMODE_TIMED, 6, 0, 0, 0, 0);
    PICTUREVIEW view;
    for (int k = 0; k < 6; ++k) ASSERT_EQ(DrawPicture(e, nullptr, nullptr, 0, view), 0) << k;
    for (int k = 0; k < 10; ++k) ASSERT_EQ(DrawPicture(e, nullptr, nullptr, 1, view), 0);
    EXPECT_EQ(DrawPicture(e, nullptr, nullptr, 0, view), 1);  // the 7th running draw ends it
    e.bCountWhileWaiting = 1;
    e.nFrames = 0;
    EXPECT_EQ(DrawPicture(e, nullptr, nullptr, 1, view), 1);

    // A character that goes away leaves its picture at its last centre.
    ASSERT_TRUE(InitD3D(160, 120));
    DDSURFACEDATA pic;
    ASSERT_TRUE(DDCreateSurface(&pic, 20, 10, 1, 0, 0, 0, 0));
    DDFillRectRGB(&pic, 0, 0, 20, 10, 0xFF20C020);
    SetPicture(e, 1, PICBASE_CHARA, 0, 0, 3, 0, 20, 10, 0, 0, 100, 0, 0, 0, 42, 0, 0);
    bool alive = true;
    view.dScrollX = 10.7;
    view.FindCharaCentre = [&](int32_t id, double& cx, double& cy) {
        if (!alive || id != 42) return false;
        cx = 100.5, cy = 50.0;
        return true;
    };
    alive = true;
    DrawPicture(e, &BackBuffer, &pic, 0, view);
    alive = false;
    DDClearSurfaceRGB(&BackBuffer, 0xFF000000);
    DrawPicture(e, &BackBuffer, &pic, 0, view);
    const BOX b = DrawnBox();
    EXPECT_EQ(b.x, 83);  // trunc(100.5 - 10 - 10) + 3
    EXPECT_EQ(b.y, 45);
}

TEST_F(PictureTest, ScalesStayOnTheStageAndMissingFilesAreLogged) {
    ASSERT_TRUE(InitD3D(320, 240));
    WriteStrip(File("pic.bmp"), 1, 100, 60);
    ASSERT_EQ(DDSetTransmitFromFile(File("pic.bmp").c_str()), 1);
    Database.vPicture.resize(3);
    Database.vPicture[1].strFile = File("pic.bmp");
    Database.vPicture[2].strFile = File("gone.bmp");
    cPictureList list;
    EXPECT_EQ(list.Load(2), nullptr);
    EXPECT_NE(EC().find(File("gone.bmp") + " 読み込み失敗！"), std::string::npos);
    EXPECT_EQ(list.Count(), 0u);

    cPictureList::ITEM* item = list.Load(1);
    ASSERT_NE(item, nullptr);
    // Scale 50 of 100 x 60 is 50 x 30 (the frame of 2 dots becomes 1), at cell (2, 1) + (4, 0).
    SetPicture(item->Entry, 1, PICBASE_CELL, 2, 1, 4, 0, item->Surface.nWidth, item->Surface.nHeight, 0, 1, 50, 0, 0,
               0, 0, 0, 0);
    EXPECT_EQ(item->Entry.nWidth, 50);
    EXPECT_EQ(item->Entry.nHeight, 30);
    PICTUREVIEW view;
    DDClearSurfaceRGB(&BackBuffer, 0xFF000000);
    list.Draw(&BackBuffer, 0, 0, view);  // layer 0: not this one
    EXPECT_EQ(DrawnBox().x, -1);
    list.Draw(&BackBuffer, 1, 0, view);
    BOX b = DrawnBox();
    EXPECT_EQ(b.x, 69);
    EXPECT_EQ(b.y, 33);
    EXPECT_EQ(b.w, 48);
    EXPECT_EQ(b.h, 28);
    // Without the hold flag it stays where it appeared on the stage when the screen scrolls.
    view.dScrollX = 30;
    DDClearSurfaceRGB(&BackBuffer, 0xFF000000);
    list.Draw(&BackBuffer, 1, 0, view);
    EXPECT_EQ(DrawnBox().x, 39);
    // At scale 100 it is drawn 1:1 from its top left.
    SetPicture(item->Entry, 1, PICBASE_CELL, 0, 0, 0, 0, 100, 60, 1, 1, 100, 0, 0, 0, 0, 0, 0);
    DDClearSurfaceRGB(&BackBuffer, 0xFF000000);
    list.Draw(&BackBuffer, 1, 0, view);
    b = DrawnBox();
    EXPECT_EQ(b.x, 2);
    EXPECT_EQ(b.w, 96);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
}

TEST_F(PictureTest, TablesGroupTheirSurfacesAndTheSightMaskHasItsHole) {
    ASSERT_TRUE(InitDD(8));
    Database.vEffect.resize(1);
    STAGESURFACES effects, charas;
    LoadEffectBitmaps(effects);
    EXPECT_TRUE(effects.vSurface.empty());
    WriteStrip(File("c.bmp"), 2, 32, 32);
    Database.vCharaBmp.resize(2);
    for (auto& c : Database.vCharaBmp) c.strFile = File("c.bmp");
    LoadDedicatedBitmaps(charas);
    ASSERT_EQ(charas.vSurface.size(), 8u);
    EXPECT_TRUE(charas.vSurface[4].HasSurface());
    for (int k = 5; k < 8; ++k) EXPECT_EQ(charas.vSurface[k].lpViewSD, &charas.vSurface[4]);
    ReleaseStageSurfaces(charas);

    DDSURFACEDATA mask, stencil;
    ASSERT_TRUE(BuildSightMask(&mask, &stencil, 0, 0, 0));
    EXPECT_EQ(mask.nWidth, 1280);
    EXPECT_EQ(mask.nHeight, 960);
    EXPECT_EQ(Px(mask, 640, 480), 16u);
    // A square sight of 100: a 200 x 200 hole at the centre of 1480 x 1160.
    ASSERT_TRUE(BuildSightMask(&mask, &stencil, 100, 0, 0));
    EXPECT_EQ(mask.nWidth, 1480);
    EXPECT_EQ(Px(mask, 640, 480), 0u);
    EXPECT_EQ(Px(mask, 839, 679), 0u);
    EXPECT_EQ(Px(mask, 639, 480), 16u);
    EXPECT_EQ(Px(mask, 840, 679), 16u);
    // A round sight: the square's corner stays dark.
    ASSERT_TRUE(BuildSightMask(&mask, &stencil, 100, 1, 0));
    EXPECT_EQ(Px(mask, 740, 580), 0u);
    EXPECT_EQ(Px(mask, 645, 485), 16u);
}

TEST_F(PictureTest, GoldenFrameOfAPictureAndRunningEffects) {
    ASSERT_TRUE(InitD3D(160, 120));
    WriteStrip(File("fx.bmp"), 4, 16, 16);
    WriteStrip(File("pic.bmp"), 1, 40, 30);
    ASSERT_EQ(DDSetTransmitFromFile(File("fx.bmp").c_str()), 1);
    const int fx = AddEffect(File("fx.bmp"), 4, 16, 16, 1, 1);
    STAGESURFACES table;
    LoadEffectBitmaps(table);
    Database.vPicture.resize(2);
    Database.vPicture[1].strFile = File("pic.bmp");
    cPictureList pictures;
    cPictureList::ITEM* item = pictures.Load(1);
    ASSERT_NE(item, nullptr);
    SetPicture(item->Entry, 1, PICBASE_SCREEN, 0, 0, -250, -190, 40, 30, 1, 0, 150, 0, 0, 0, 0, 0, 0);

    std::list<cEffectInstance> effects;
    effects.emplace_back(static_cast<int16_t>(fx), 120.0, 20.0, 16, 16, 0);  // 1:1, at stage (120, 20)
    effects.emplace_back(static_cast<int16_t>(fx), 120.0, 60.0, 32, 32, 0);  // stretched to 32 x 32
    crt::srand(3);
    effects.emplace_back(static_cast<int16_t>(fx), EFFECTRECT{150, 80, 190, 120}, EFFECTRECT{170, 90, 200, 110}, 2);
    PICTUREVIEW view;
    view.dScrollX = 40.0;
    for (int frame = 0; frame < 13; ++frame) {
        DDClearSurfaceRGB(&BackBuffer, 0xFF203040);
        pictures.Draw(&BackBuffer, 0, 0, view);
        DrawEffectInstances(effects, &BackBuffer, table, view.dScrollX, view.dScrollY, 0);
    }
    ASSERT_EQ(effects.size(), 3u);
    DDSubmitFrame(&BackBuffer);
    DDFRAME f;
    ASSERT_TRUE(DDGetLastFrame(&f));
    GOLDENFRAME g{f.width, f.height, f.pixels};
    EXPECT_EQ(CompareGolden("play_effects_picture", g), "");
    ReleaseStageSurfaces(table);
}

}  // namespace
