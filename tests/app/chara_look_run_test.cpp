// A stage built for how characters and the status strip look, played
// headless under both back ends to one picture: a flying knight and a 無敵
// knight drawn from the state rows of their animation set beside a plain one;
// the hero just hurt by the slime it crushed, its HP gauge at the new width
// with the strip of the loss (under Direct3D the hero brightened by its
// blinking colour while it is invincible, never hidden); and the slime's
// score as the stage's score in the status strip.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/game_folder.h"
#include "database/data_paths.h"
#include "database/database.h"
#include "database/system_data.h"
#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "sample_game/stages/stage_kit.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// Rows of the knight's column that the look set adds: 飛行 its jump row, 無敵 its crouching row.
constexpr int FLYING_ROW = sample::CROW_JUMP, INVINCIBLE_ROW = sample::CROW_CROUCH;

// The sample's database with one more animation set that adds the state rows; its index.
int WriteLookDatabase(const fs::path& data) {
    auto db = std::make_unique<cDatabase>();
    sample::BuildDatabase(*db);
    cAnimeSetData set = db->vAnimeSet[sample::ASET_WALKER];
    set.strName = "状態の行";
    set.nOffsetA = INVINCIBLE_ROW;
    set.nOffsetC = FLYING_ROW;
    db->vAnimeSet.push_back(set);
    const std::string path = (data / "database" / "AnimeSet.dat").string();
    EXPECT_EQ(db->SaveListFile(DBFILE_ANIME_SET, path), 1);
    return static_cast<int>(db->vAnimeSet.size()) - 1;
}

// The sample's system settings with the stage score shown in the status strip.
void WriteLookSystem(const fs::path& data) {
    auto sys = std::make_unique<cSystemData>();
    sample::BuildSystemData(*sys);
    sys->vStatusItem[1].bShow = 1;
    EXPECT_EQ(sys->SaveFile((data / "System.dat").string()), 1);
}

// One screen of grass; the hero with a slime in its own cell (power 5 each,
// the slime 1 HP and worth 500), three knights further right.
void BuildLookStage(cStageData& s, int lookSet) {
    sample::cStageKit k(s, 20, 15, "見た目");
    s.bStageBanner = s.bStartBanner = 0;
    s.nHeroInvincible = 120;  // two seconds of invincibility after a hit
    k.AddBlock('G', "草地", sample::BG_GRASS);
    k.Fill(0, 13, 20, 2, 'G');
    k.PlaceBlocks();
    cCharaData slime;
    slime.strName = "スライム";
    slime.wGraphic = sample::CG_SLIME;
    slime.byForce = 1;
    slime.nMaxHP = 1;
    slime.nBodyPower = 5;
    slime.nScore = 500;
    cCharaData knight;
    knight.strName = "騎士";
    knight.wGraphic = sample::CG_KNIGHT;
    knight.wAnimeSet = static_cast<uint16_t>(lookSet);
    knight.byForce = 2;
    cCharaData flying = knight, invincible = knight;
    flying.byFlying = 1;
    invincible.byInvincible = 1;
    const int slimeAt = k.AddChara(slime), plainAt = k.AddChara(knight);
    const int flyingAt = k.AddChara(flying), invincibleAt = k.AddChara(invincible);
    k.PlaceHero(3, 12);
    s.vPlacedChara.back().nBodyPower = 5;
    k.PlaceChara(slimeAt, 3, 12);
    k.PlaceChara(plainAt, 9, 12);
    k.PlaceChara(flyingAt, 12, 10);
    k.PlaceChara(invincibleAt, 15, 12);
}

// The picture after `frames` frames of a command-line play of the look stage.
bool RunLookStage(bool d3d, int frames, GOLDENFRAME& picture, std::string& report) {
    cTempDir dir;
    std::string ini = WindowedIni();
    if (d3d) ini.replace(0, 10, "Direct3D=1");
    MakeGameFolder(dir.Path(), ini);
    const fs::path data = dir.Path() / "data";
    const int lookSet = WriteLookDatabase(data);
    WriteLookSystem(data);
    auto stage = std::make_unique<cStageData>();
    BuildLookStage(*stage, lookSet);
    EXPECT_EQ(stage->SaveToFile((data / "stg4" / "look.stg4").string()), 1);
    auto env = HeadlessEnv(frames);
    env["QV_FRAME_DUMP"] = dir.File("last.bmp");
    const int code = WaitGame(StartGame(dir.Path(), env, {"data\\stg4\\look.stg4"}), 120000);
    report = ReadText(dir.Path() / "Report_Game.txt") + ReadText(dir.Path() / "EC_Game.txt");
    return code == 0 && ReadBmp24(dir.File("last.bmp"), picture);
}

}  // namespace

TEST(CharaLookRun, StateRowsInvincibleHeroGaugeAndStageScoreUnderBothBackEnds) {
    for (const bool d3d : {false, true}) {
        const std::string name = d3d ? "play_chara_look_d3d" : "play_chara_look";
        GOLDENFRAME picture;
        std::string report;
        ASSERT_TRUE(RunLookStage(d3d, 40, picture, report)) << name << "\n" << report;
        EXPECT_EQ(CompareGolden(name, picture), "") << name;
    }
}
