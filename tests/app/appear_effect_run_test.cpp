// Stages built for the appearance effect of a character record: placed
// characters, a summoned one and the hero start it at set-up on the effect
// run that the effect command uses, in the record's run mode and with its
// repeat switch; and a headless play of the game program draws them through it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "actors/chara_effect_run.h"
#include "actors/shot_emit.h"
#include "app/built_stage.h"
#include "app/game_folder.h"
#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

using namespace sample;

namespace {

cCharaData Knight(int effect, int mode, int repeat) {
    cCharaData c;
    c.strName = "騎士";
    c.wGraphic = CG_KNIGHT;
    c.byForce = 2;
    c.wAppearEffect = static_cast<uint16_t>(effect);
    c.byAppearEffectMode = static_cast<uint8_t>(mode);
    c.bAppearEffectRepeat = static_cast<uint8_t>(repeat);
    return c;
}

void ExpectRun(const cChara& c, int id, int mode, int repeat, int direction, const char* what) {
    EXPECT_EQ(c.effect.m_nId, id) << what;
    EXPECT_EQ(c.effect.m_nMode, mode) << what;
    EXPECT_EQ(c.effect.m_bRepeat, repeat) << what;
    EXPECT_EQ(c.effect.m_nDirection, direction) << what;
    EXPECT_EQ(c.effect.m_lpDef != nullptr, id != 0) << what;
}

class AppearEffect : public cBuiltStageTest {
protected:
    AppearEffect() { ResizeCharaEffectWork(); }
};

TEST_F(AppearEffect, PlacedSummonedAndHeroStartTheirRecordsEffectAtSetUp) {
    Start(30, 12, [&](cStageKit& kit, cStageData& s) {
        kit.AddBlock('#', "floor", 1);
        kit.Fill(0, 10, 30, 1, '#');
        kit.PlaceHero(2, 9);
        s.vPlacedChara.back().wAppearEffect = CEFF_FADE;
        s.vPlacedChara.back().byAppearEffectMode = 2;
        kit.PlaceChara(kit.AddChara(Knight(0, 0, 1)), 6, 9);
        kit.PlaceChara(kit.AddChara(Knight(CEFF_SPIN, 0, 1)), 9, 9);
        kit.PlaceChara(kit.AddChara(Knight(CEFF_BURST, 1, 0)), 12, 9);
        // A summoner that places a blinking, there-and-back knight two cells to its right.
        const int summoned = kit.AddChara(Knight(CEFF_BLINK, 2, 0));
        cFlowCmd summon = Cmd(CMD_SUMMON_CHARA, 0);
        cEdShot::Create(summon.spShot);
        summon.spShot->nShotNum = 1;
        summon.spShot->nFormation = FORMATION_BURST;
        summon.spShot->nSummonKind = 1;
        summon.spShot->nSummonIndex = static_cast<int16_t>(summoned);
        summon.spShot->nOfsX = 64;
        cCharaData summoner = Knight(0, 0, 1);
        summoner.vFlow.push_back(Flow(TRG_ALWAYS, {summon, Cmd(CMD_WAIT, 9999)}));
        kit.PlaceChara(kit.AddChara(summoner), 18, 9);
    });
    ASSERT_NE(Placed(6, 9), nullptr);
    ASSERT_NE(Placed(9, 9), nullptr);
    ASSERT_NE(Placed(12, 9), nullptr);
    ExpectRun(Hero(), CEFF_FADE, 2, 1, 0, "hero");
    ExpectRun(*Placed(6, 9), 0, 0, 0, 0, "plain");
    ExpectRun(*Placed(9, 9), CEFF_SPIN, 0, 1, 0, "spin");
    // Reversed: the run starts from the end, going back.
    ExpectRun(*Placed(12, 9), CEFF_BURST, 1, 0, 1, "burst");
    EXPECT_EQ(Placed(12, 9)->effect.m_nStart, 24);
    Frames(5);
    ASSERT_EQ(Scene().World.lstStageChara.size(), 5u);
    ExpectRun(Scene().World.lstStageChara.back(), CEFF_BLINK, 2, 0, 0, "summoned");
}

// One screen of grass under the sample's sky; the hero, translucent, and
// three knights: plain, turning (repeating) and bursting backwards into shape.
void BuildAppearStage(cStageData& s) {
    cStageKit k(s, 20, 15, "登場");
    s.bStageBanner = s.bStartBanner = 0;
    k.Layer(kBackSky, 0.0, 0.0);
    k.AddBlock('G', "草地", BG_GRASS);
    k.Fill(0, 13, 20, 2, 'G');
    k.PlaceBlocks();
    const int plainAt = k.AddChara(Knight(0, 0, 1));
    const int spinAt = k.AddChara(Knight(CEFF_SPIN, 0, 1));
    const int burstAt = k.AddChara(Knight(CEFF_BURST, 1, 0));
    k.PlaceHero(3, 12);
    s.vPlacedChara.back().wAppearEffect = CEFF_FADE;
    k.PlaceChara(plainAt, 8, 12);
    k.PlaceChara(spinAt, 12, 12);
    k.PlaceChara(burstAt, 16, 12);
}

}  // namespace

TEST(AppearEffectRun, KnightsAndHeroAreDrawnThroughTheirAppearanceEffects) {
    using namespace apptest;
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    auto stage = std::make_unique<cStageData>();
    BuildAppearStage(*stage);
    ASSERT_EQ(stage->SaveToFile((dir.Path() / "data" / "stg4" / "appear.stg4").string()), 1);
    auto env = HeadlessEnv(30);
    env["QV_FRAME_DUMP"] = dir.File("last.bmp");
    const int code = WaitGame(StartGame(dir.Path(), env, {"data\\stg4\\appear.stg4"}), 120000);
    const std::string report = ReadText(dir.Path() / "Report_Game.txt") + ReadText(dir.Path() / "EC_Game.txt");
    ASSERT_EQ(code, 0) << report;
    GOLDENFRAME picture;
    ASSERT_TRUE(ReadBmp24(dir.File("last.bmp"), picture)) << report;
    EXPECT_EQ(CompareGolden("play_appear_effect", picture), "");
}
