// A stage built for the character effects that mix colours through the blend
// table, played headless on an 8-bit DirectDraw screen: a knight drawn
// translucent (半透明) over the sky and a knight pulled toward red (色変化),
// beside a plain knight.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/game_folder.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "sample_game/stages/stage_kit.h"
#include "stage/code_table.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

constexpr int kRed = 44; // a red of the sample palette: the colour the 色変化 knight is pulled toward

struct EFFECTIDS {
    int nTranslucent = 0, nColour = 0;
};

// The sample's database with two more character effects: translucent for
// good (its visible flag never turns) and two steps toward red.
EFFECTIDS WriteEffectDatabase(const fs::path& data) {
    auto db = std::make_unique<cDatabase>();
    sample::BuildDatabase(*db);
    EFFECTIDS ids;
    cCharaEffect translucent;
    translucent.strName = "ずっと半透明";
    translucent.nKind = 14;
    translucent.nParam[0] = 10;
    translucent.nParam[1] = 9999;
    db->vCharaEffect.push_back(translucent);
    ids.nTranslucent = static_cast<int>(db->vCharaEffect.size()) - 1;
    cCharaEffect colour;
    colour.strName = "赤へ";
    colour.nKind = 13;
    colour.nParam[0] = 10;
    colour.nParam[1] = colour.nParam[2] = 2;
    colour.nParam[3] = kRed;
    db->vCharaEffect.push_back(colour);
    ids.nColour = static_cast<int>(db->vCharaEffect.size()) - 1;
    EXPECT_EQ(db->SaveListFile(DBFILE_CHARA_EFFECT, (data / "database" / "CharaEffect.dat").string()), 1);
    return ids;
}

// One screen of grass under the sample's sky and hills; the hero at the left,
// three standing knights: plain, translucent, red.
void BuildEffectStage(cStageData& s, const EFFECTIDS& ids) {
    sample::cStageKit k(s, 20, 15, "半透明と色変化");
    s.bStageBanner = s.bStartBanner = 0;
    k.Layer(sample::kBackSky, 0.0, 0.0);
    k.Layer(sample::kBackHills, 0.3, 0.0);
    k.AddBlock('G', "草地", sample::BG_GRASS);
    k.Fill(0, 13, 20, 2, 'G');
    k.PlaceBlocks();
    cCharaData knight;
    knight.strName = "騎士";
    knight.wGraphic = sample::CG_KNIGHT;
    knight.byForce = 2;
    knight.chSize = 2;
    cCharaData translucent = knight, red = knight;
    // Each starts its effect, repeating, on its first frame of play.
    translucent.vFlow.push_back(sample::Flow(
        sample::TRG_ALWAYS, {sample::Cmd(CMD_CHARA_EFFECT, 0, {ids.nTranslucent, 0, 1}), sample::Cmd(CMD_WAIT, 9999)}));
    red.vFlow.push_back(sample::Flow(
        sample::TRG_ALWAYS, {sample::Cmd(CMD_CHARA_EFFECT, 0, {ids.nColour, 0, 1}), sample::Cmd(CMD_WAIT, 9999)}));
    const int plainAt = k.AddChara(knight), translucentAt = k.AddChara(translucent), redAt = k.AddChara(red);
    k.PlaceHero(2, 12);
    k.PlaceChara(plainAt, 7, 11);
    k.PlaceChara(translucentAt, 11, 11);
    k.PlaceChara(redAt, 15, 11);
}

}  // namespace

TEST(EightBitEffectRun, TranslucentAndColourChangedKnightsMixThroughTheBlendTable) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), "Direct3D=0\r\nWindowMode=0\r\nBpp=8\r\nShowFps=0\r\nExit\r\n");
    const fs::path data = dir.Path() / "data";
    const EFFECTIDS ids = WriteEffectDatabase(data);
    auto stage = std::make_unique<cStageData>();
    BuildEffectStage(*stage, ids);
    ASSERT_EQ(stage->SaveToFile((data / "stg4" / "mix.stg4").string()), 1);
    auto env = HeadlessEnv(40);
    env["QV_FRAME_DUMP"] = dir.File("last.bmp");
    const int code = WaitGame(StartGame(dir.Path(), env, {"data\\stg4\\mix.stg4"}), 120000);
    const std::string report = ReadText(dir.Path() / "Report_Game.txt") + ReadText(dir.Path() / "EC_Game.txt");
    ASSERT_EQ(code, 0) << report;
    EXPECT_EQ(report.find("の読み込みに失敗"), std::string::npos) << report;
    GOLDENFRAME picture;
    ASSERT_TRUE(ReadBmp24(dir.File("last.bmp"), picture)) << report;
    EXPECT_EQ(CompareGolden("play_blend_dd8", picture), "");
}
