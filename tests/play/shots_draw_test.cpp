// Shots, a sword and running effects on the play screen, drawn by
// cPlayScene::Draw under each back end and compared with one reviewed frame
// (play_shots): a burst fired by a stage character (the right-moving shot from
// the mirrored sheet), a doubled shot stretched to 32 x 32, the hero's sword
// in front of it and two effects, one stretched.
#include <gtest/gtest.h>

#include "actors/chara_draw.h"
#include "actors/shot_emit.h"
#include "actors/sword.h"
#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/database.h"
#include "database/database_work.h"
#include "database/global_objects.h"
#include "database/sword_type.h"
#include "database/system_data.h"
#include "platform/graphics/dd_test_support.h"
#include "play/effect_instance.h"
#include "play/play_scene.h"
#include "play_screen_fixture.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "support/play_screen_test.h"
#include "world/block_grid.h"

using namespace ddtest;

namespace {

constexpr int TOP = 32, W = 288, H = 96;  // the part of the screen the stage stands in
constexpr double ORIGIN = 320;            // the scroll position: stage dot 320 is screen dot 0

class ShotsDrawTest : public cPlayScreenTest {
protected:
    std::string Picture(const std::string& name, int w, int h, const std::function<uint8_t(int, int)>& fn) {
        const std::string path = File(name);
        EXPECT_TRUE(WriteBmp(path, MakeIndexed(w, h, TestPalette(), fn), 8));
        return path;
    }

    // The shot picture (graphic g: a left-pointing dart, its tip coloured by g
    // and the row pair, frame rows below), its mirrored twin, a character
    // sheet, a sword picture and an effect strip; the stage and its scene.
    void Prepare(bool d3d) {
        SetBasePalette(TestPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);
        const auto shots = [](int x, int y) {
            const int cx = x % 16, cy = y % 16, half = cy < 8 ? 8 - cy : cy - 7;
            if (cx < 1 + half || cx > 14 || cy < 1 || cy > 14) return uint8_t(0);
            return uint8_t(cx < 7 ? 30 + 40 * (y / 32) + 12 * (x / 16) : 220 - 80 * (y / 16 % 2));
        };
        static_assert(CB_SHOT_MIRROR == CB_SHOT + 1);
        playscreen::PictureWithTwin(File("shots.bmp"), File("shots_mirror.bmp"), CB_SHOT, 480, 64, 16, d3d, shots);
        const auto body = [](int x, int y) { return uint8_t(x > 3 && x < 28 && y > 3 ? (x < 10 ? 9 : 5) : 0); };
        playscreen::PictureWithTwin(File("body.bmp"), File("body_mirror.bmp"), CB_CHARACTER1, 32, 32, 32, d3d, body);

        PlayStage.nShotRangeW = PlayStage.nShotRangeH = 12;
        PlayStage.nHeroRange2W = PlayStage.nHeroRange2H = 12;
        scene = playscreen::MakeScene();
        playscreen::ShowStageOnly(*scene, ORIGIN);
        BlockGrid.assign(static_cast<size_t>(scene->World.ScrollY.nCells) * scene->World.ScrollX.nPitch, cBlockCell());
        for (cBlockCell& c : BlockGrid) c.wGraphic = 0, c.byHitKind = 0;
        RebuildBlockHits();

        // A sword of one long frame, 24 x 8: hilt and blade.
        cSwordTypeData sword;
        sword.strFile = Picture("sword.bmp", 32, 16, [](int x, int y) {
            return uint8_t(y >= 8 || x >= 24 ? 0 : x < 4 ? 9 : (y == 0 || y == 7 ? 0 : 170));
        });
        cSwordFrameData& f = sword.vFrame.at(0);
        f.nValue[SWORDFRAME_WIDTH] = 24, f.nValue[SWORDFRAME_HEIGHT] = 8, f.nValue[SWORDFRAME_TIME] = 50;
        Database.vSwordType.assign(1, sword);
        LoadSwordBitmaps(scene->SwordBmp);

        // Effect 1: four 16 x 16 cells, squares of four colours, one tenth each.
        cEffectBmpData fx;
        fx.strName = "fx";
        fx.strFile = Picture("fx.bmp", 64, 16, [](int x, int y) {
            const int cx = x % 16;
            return uint8_t(cx < 2 || cx > 13 || y < 2 || y > 13 ? 0 : 120 + 25 * (x / 16));
        });
        fx.nCellWidth = fx.nCellHeight = 16;
        for (int k = 0; k < 4; ++k) fx.vFrame.emplace_back(k, 1);
        Database.vEffect.resize(1);
        Database.vEffect.push_back(fx);
        PrepareDatabaseWork(Database);
        LoadEffectBitmaps(scene->EffectBmp);
    }

    // A 32 x 32 character at screen (sx, sy).
    static void Place(cChara& c, int32_t id, int sx, int sy, int facing) {
        c.nId = id;
        c.nKind = id == 0 ? 0 : 1;
        c.x = ORIGIN + sx, c.y = ORIGIN + sy;
        c.nCellW = c.nCellH = c.nBaseCellW = c.nBaseCellH = c.nHitW = c.nHitH = 32;
        c.x2 = c.x + 31, c.y2 = c.y + 31;
        c.nFacing = facing;
        c.hp = c.data.nMaxHP = 10;
        c.Anime.Init(std::vector<std::vector<FRAMEITEM>>{{{0, 1, 0}, {FRAMEITEM_LOOP, 0, 0}}});
        c.UpdateScreenRect();
    }

    // The shooter fires a burst of four; the hero a doubled shot upward, then swings its sword.
    void Stage() {
        scene->World.vPlayer.resize(1);
        Place(scene->World.vPlayer[0], 0, 16, 72, 1);
        cStageChara shooter;
        Place(shooter, 5, 176, 56, 0);
        shooter.nKind3 = 1;
        cStageChara& s = scene->World.lstStageChara.emplace_back(shooter);

        cEdShot burst;
        burst.nShotNum = 4;
        burst.nFormation = FORMATION_BURST;
        burst.nByte5 = SHOTDIR_LEFT;
        burst.nSpeed = 50;
        burst.nGraphic = 1;
        FireShot(scene->World.lstShots, s, nullptr, burst, lpWorld);
        for (int n = 0; n < 5; ++n) UpdateShots(lpWorld);
        cEdShot big = burst;
        big.nShotNum = 1;
        big.nFormation = FORMATION_ROW;
        big.nByte5 = SHOTDIR_UP;
        big.nGraphic = 31;  // second row pair
        big.nByte26 = 2;
        FireShot(scene->World.lstShots, scene->World.vPlayer[0], nullptr, big, lpWorld);
        ASSERT_NE(SwingSword(scene->World.vPlayer[0], cEdShot(), lpWorld), nullptr);
        UpdateShots(lpWorld);
        ASSERT_EQ(scene->World.lstShots.size(), 6u);

        scene->lstEffect.push_back(std::make_shared<cEffectInstance>(int16_t{1}, ORIGIN + 240, ORIGIN + 40, 16, 16, 0));
        scene->lstEffect.push_back(std::make_shared<cEffectInstance>(int16_t{1}, ORIGIN + 240, ORIGIN + 80, 32, 32, 0));
        scene->Draw(PLAYDRAW_IN_PLAY);
    }

    GOLDENFRAME Frame() { return playscreen::ScreenBand(TOP, W, H); }
};

TEST_F(ShotsDrawTest, ShotsSwordAndEffectsUnderEachBackEnd) {
    for (int mode : {0, 32, 8}) {
        StartOver();
        ASSERT_TRUE(mode == 0 ? InitD3D() : InitDD(mode));
        Prepare(mode == 0);
        Stage();
        EXPECT_EQ(CompareGolden("play_shots", Frame()), "") << "mode " << mode;
        // The effects stepped once and stay; a frozen picture steps nothing and draws the same.
        ASSERT_EQ(scene->lstEffect.size(), 2u);
        const std::vector<uint8_t> before = BackBuffer.Surface.bits;
        scene->Draw(PLAYDRAW_FROZEN);
        EXPECT_TRUE(BackBuffer.Surface.bits == before) << "mode " << mode;
        // A hidden shot and a shot of another depth pass are not drawn.
        for (auto& shot : scene->World.lstShots) shot->settings.nByte22 = shot->bFlying;
        PlayStage.nDrawSwitch = 1;
        scene->World.lstShots.back()->settings.nZ = 9;  // the sword: beyond the passes
        scene->lstEffect.clear();
        scene->Draw(PLAYDRAW_FROZEN);
        const GOLDENFRAME bare = Frame();
        for (uint32_t p : bare.pixels) {
            const uint32_t rgb = p & 0xFFFFFF;
            ASSERT_NE(rgb, TestPalette()[170]) << "mode " << mode << ": no blade";
            ASSERT_NE(rgb, TestPalette()[220]) << "mode " << mode << ": no shot";
        }
    }
}

}  // namespace
