// Characters on the play screen drawn by cPlayScene::Draw under each back
// end: facing left and right (the mirrored sheet), an HP gauge after a loss,
// a character burst by its effect, a flying and a 無敵 one drawn from the rows
// their animation sets add (golden frame play_charas), an invincible
// character darkened by its blinking colour, and a frozen picture that
// advances nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "actors/chara_draw.h"
#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/database.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/graphics/dd_test_support.h"
#include "play/effects/effect_params.h"
#include "play/play_scene.h"
#include "play_screen_fixture.h"
#include "scene/editor_notice.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "support/play_screen_test.h"

using namespace ddtest;

namespace {

constexpr int TOP = 64, W = 288, H = 64;  // the part of the screen the characters stand in

class CharaDrawTest : public cPlayScreenTest {
protected:
    // A stage seen from its top-left corner; a sheet whose cell 0 is a red arrow pointing left
    // (cell 1 a blue square), its mirrored twin, and gauge rows in the accessory picture.
    void Prepare(bool d3d) {
        SetBasePalette(TestPalette());
        DDSetTransmit(0xFF, 0x00, 0xFF);
        const auto sheet = [](int x, int y) {
            if (y >= 32) return uint8_t(x < 32 && x % 32 > 4 && x % 32 < 28 && y % 32 > 4 && y % 32 < 28 ? 5 : 0);
            const int cx = x % 32, cy = y % 32, half = cy < 16 ? 16 - cy : cy - 15;
            return uint8_t(x < 32 && cx >= 2 + half && cx < 30 && cy > 2 && cy < 29 ? (cx < 10 ? 2 : 3) : 0);
        };
        playscreen::PictureWithTwin(File("sheet.bmp"), File("sheet_mirror.bmp"), CB_CHARACTER1, 64, 64, 32, d3d, sheet);
        playscreen::CommonPicture(File("accessory.bmp"), CB_ACCESSORY, 128, 208, 0, [](int x, int y) {
            if (x >= 50) return uint8_t(0);
            return uint8_t(y == 128 || y == 129 ? 1 : y == 144 || y == 145 ? 4 : y == 176 || y == 177 ? 3 : y == 192 || y == 193 ? 2 : 0);
        });
        scene = playscreen::MakeScene();
        playscreen::ShowStageOnly(*scene, 320);
        cCharaEffect none, burst;
        burst.nKind = 1;
        for (int i = 0; i < EFFECT_PARAM_DEF_NUM; ++i) burst.nParam[i] = CharaEffectParamDefs[1][i].nDefault;
        burst.nParam[1] = burst.nParam[2] = 6;  // a burst that stays 6 dots apart
        Database.vCharaEffect = {none, burst};
        ResizeCharaEffectWork();
        // Animation sets: none adds a row; the flying row 1; the 無敵 row 1.
        Database.vAnimeSet.assign(3, cAnimeSetData());
        Database.vAnimeSet[1].nOffsetC = 1;
        Database.vAnimeSet[2].nOffsetA = 1;
    }

    // A 32 x 32 character at screen (sx, sy), with an animation of cells 0 and 1 of one tick each.
    cStageChara& Add(int sx, int sy, int facing) {
        cStageChara c;
        c.nKind = 1;
        c.x = 320 + sx, c.y = 320 + sy;
        c.nCellW = c.nCellH = c.nBaseCellW = c.nBaseCellH = c.nHitW = c.nHitH = 32;
        c.nFacing = facing;
        c.hp = c.data.nMaxHP = 10;
        c.Anime.Init(std::vector<std::vector<FRAMEITEM>>{{{0, 1, 0}, {1, 1, 0}, {FRAMEITEM_LOOP, 0, 0}}});
        c.Anime.nTicks = -1000;  // holds cell 0 for the golden frame
        return scene->World.lstStageChara.emplace_back(c);
    }

    GOLDENFRAME Frame() { return playscreen::ScreenBand(TOP, W, H); }

    void Scene() {
        Add(16, 80, 0);
        Add(64, 80, 1);
        Add(112, 80, 0).ChangeHp(-3, true, true);
        Add(160, 80, 1).effect.Start(1, 0, 1);
        // A flying and a 無敵 character drawn from the row their sets add (the blue square).
        cStageChara& flying = Add(208, 80, 0);
        flying.data.byFlying = 1;
        flying.data.wAnimeSet = 1;
        cStageChara& invincible = Add(256, 80, 0);
        invincible.data.byInvincible = 1;
        invincible.data.wAnimeSet = 2;
        scene->Draw(PLAYDRAW_IN_PLAY);
    }
};

TEST_F(CharaDrawTest, FacingGaugeAndEffectUnderEachBackEnd) {
    for (int mode : {0, 32, 8}) {
        StartOver();
        ASSERT_TRUE(mode == 0 ? InitD3D() : InitDD(mode));
        Prepare(mode == 0);
        Scene();
        EXPECT_EQ(CompareGolden("play_charas", Frame()), "") << "mode " << mode;
        // The gauge counts down; its fill is the new width and the strip of the change shrinks.
        const cStageChara& hurt = *std::next(scene->World.lstStageChara.begin(), 2);
        EXPECT_EQ(hurt.hpGauge.nTimer, GAUGE_SHOW_FRAMES - 1);
        EXPECT_EQ(hurt.hpGauge.nFill, 35);
        EXPECT_DOUBLE_EQ(hurt.hpGauge.dChange, -15.0 + 15.0 / GAUGE_FADE_FRAMES);
    }
}

TEST_F(CharaDrawTest, InvincibleBlinkAndFrozenPictures) {
    ASSERT_TRUE(InitD3D());
    Prepare(true);
    cStageChara& c = Add(16, 80, 0);
    const uint32_t body = TestPalette()[3];
    // While invincible the character stays drawn, darkened by the blinking
    // colour of its kind, which every picture steps on (64 a picture here).
    SystemData.nBlinkStep = 64;
    const auto darkened = [&](int v) {
        const auto ch = [&](int shift) { return static_cast<uint32_t>(std::max(int((body >> shift) & 0xFF) - v, 0)); };
        return ch(16) << 16 | ch(8) << 8 | ch(0);
    };
    c.invincible = 4;
    scene->Draw(PLAYDRAW_IN_PLAY | PLAYDRAW_FROZEN);
    EXPECT_EQ(Px(BackBuffer, 36, 96) & 0xFFFFFF, body);  // the colour starts at 0
    c.invincible = 3;
    scene->Draw(PLAYDRAW_IN_PLAY | PLAYDRAW_FROZEN);
    EXPECT_EQ(Px(BackBuffer, 36, 96) & 0xFFFFFF, darkened(64));
    c.invincible = 2;
    scene->Draw(PLAYDRAW_IN_PLAY | PLAYDRAW_FROZEN);
    EXPECT_EQ(Px(BackBuffer, 36, 96) & 0xFFFFFF, darkened(128));

    // Frozen: the same picture twice and no animation, effect or gauge moves.
    c.invincible = 0;
    c.Anime.nTicks = 0;
    c.ChangeHp(-3, true, true);
    c.effect.Start(1, 0, 1);
    scene->Draw(PLAYDRAW_IN_PLAY | PLAYDRAW_FROZEN);
    const GOLDENFRAME first = Frame();
    const auto state = [&] {
        return std::tuple(c.Anime.nFrame, c.Anime.nTicks, c.effect.m_nFrame, c.hpGauge.nTimer, c.hpGauge.dChange);
    };
    const auto before = state();
    scene->Draw(PLAYDRAW_IN_PLAY | PLAYDRAW_FROZEN);
    EXPECT_EQ(Frame().pixels, first.pixels);
    EXPECT_EQ(state(), before);
    scene->Draw(PLAYDRAW_IN_PLAY);  // live play moves them all
    EXPECT_NE(Frame().pixels, first.pixels);
    EXPECT_NE(std::get<0>(state()), std::get<0>(before));
    EXPECT_NE(std::get<2>(state()), std::get<2>(before));
    EXPECT_NE(std::get<3>(state()), std::get<3>(before));
}

}  // namespace

namespace {

TEST_F(CharaDrawTest, DistanceRangesShowForEveryCharacterWhoseFlowsAskForThem) {
    ASSERT_TRUE(InitDD(32));
    Prepare(false);
    // Flows with a band 16 dots wider than the character on both sides (always shown, or only in
    // a test play), shared by the characters given them; a character without any.
    const auto defs = [](uint8_t show) {
        cSafeVector<cFlow> flows(2);
        cEdCond& cond = flows[1].vCond.emplace_back();
        cond.nKind = 7, cond.nValue = 1, cond.nShowRange = show;
        return ShareFlowDefs(std::move(flows));
    };
    const FLOWDEFS always = defs(1), testOnly = defs(2), none = ShareFlowDefs(cSafeVector<cFlow>(1));
    const auto give = [](cStageChara& c, const FLOWDEFS& d) -> cStageChara& {
        c.spFlowDefs = d;
        c.flows.resize(d->size());
        c.RebindFlows();
        c.x2 = c.x + 31, c.y2 = c.y + 31;
        return c;
    };
    give(Add(208, 80, 0), none);
    give(Add(16, 80, 0), always);
    give(Add(112, 80, 0), testOnly);
    give(Add(304, 80, 0), always);
    give(Add(400, 80, 0), always).dying = 1;
    for (uint32_t editor : {0u, 1u}) {
        SCOPED_TRACE(editor);
        bEditorStart = editor;
        DDFillRect(&BackBuffer, 0, 0, 640, 480, 0);
        const uint32_t ground = Px(BackBuffer, 0, 0);
        scene->DrawDistanceConds(&BackBuffer, 1);
        for (int x = 0; x < 640; ++x) {
            const bool shown = x < 64 || (editor && x >= 96 && x < 160) || (x >= 288 && x < 352);
            ASSERT_EQ(Px(BackBuffer, x, 10) != ground, shown) << x;
        }
    }
    bEditorStart = 0;
}

}  // namespace
