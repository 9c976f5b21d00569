// Stages with values no stage can mean, written by the project's writer,
// loaded by the game from the command line and played headless: each value
// is brought into range at load with a line in the report log, and the run
// plays as the stage with the value at its limit does (the same last
// picture). Endless shots and summons stop at the live limits with a line in
// the error log; a block summoned far below the stage names no cell. Under
// the sanitizer build these runs also show that no sum or product wraps.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "actors/shot_emit.h"
#include "app/game_folder.h"
#include "play/message/message.h"
#include "sample_game/art/sheets.h"
#include "sample_game/data/game_data.h"
#include "sample_game/stages/stage_kit.h"
#include "stage/code_table.h"
#include "stage/flow_cmd.h"
#include "stage/stage_clamp.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"
#include "world/live_limits.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

using STAGEEDIT = std::function<void(cStageData&)>;

// A still character of the sample's slime picture.
cCharaData StillChara(const char* name) {
    cCharaData c;
    c.strName = name;
    c.wGraphic = sample::CG_SLIME;
    c.byForce = 1;
    c.nMaxHP = 1;
    return c;
}

// One screen of grass (or `width` blocks), the hero at (3, 12), a slime in
// the hero's cell, and `flows` run by a still character at (12, 12).
void BuildStage(cStageData& s, int width, std::initializer_list<cFlow> flows) {
    sample::cStageKit k(s, width, 15, "敵対的");
    s.bStageBanner = s.bStartBanner = 0;
    k.AddBlock('G', "草地", sample::BG_GRASS);
    k.Fill(0, 13, width, 2, 'G');
    k.PlaceBlocks();
    const int slime = k.AddChara(StillChara("スライム"));
    cCharaData actor = StillChara("役者");
    actor.nMaxHP = 10;
    actor.vFlow.assign(flows.begin(), flows.end());
    const int actorAt = k.AddChara(actor);
    k.PlaceHero(3, 12);
    k.PlaceChara(slime, 3, 12);
    k.PlaceChara(actorAt, 12, 12);
}

struct HOSTILERUN {
    GAMERUN run;
    std::string strEC;
    GOLDENFRAME picture;
    bool bPictured = false;
};

// Plays the stage built by `build` then changed by `edit` for `frames` frames.
HOSTILERUN RunStage(const STAGEEDIT& build, const STAGEEDIT& edit, int frames) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    auto stage = std::make_unique<cStageData>();
    build(*stage);
    edit(*stage);
    EXPECT_EQ(stage->SaveToFile((dir.Path() / "data" / "stg4" / "hostile.stg4").string()), 1);
    auto env = HeadlessEnv(frames);
    env["QV_FRAME_DUMP"] = dir.File("last.bmp");
    HOSTILERUN out;
    out.run = RunGame(dir.Path(), env, {"data\\stg4\\hostile.stg4"}, 120000);
    out.strEC = ReadText(dir.Path() / "EC_Game.txt");
    out.bPictured = ReadBmp24(dir.File("last.bmp"), out.picture);
    return out;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The palette index of the entry named `name`.
template <class T>
int IndexOf(const cSafeVector<T>& list, const char* name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list.data()[i].strName == name) return static_cast<int>(i);
    return -1;
}

// Sets parameter k of the first command of the actor's first flow, in its
// palette entry and in its placed copy.
void SetActorParam(cStageData& s, size_t k, int64_t v) {
    for (cCharaData* c : {&s.vChara[IndexOf(s.vChara, "役者")], &s.vPlacedChara[IndexOf(s.vPlacedChara, "役者")]})
        c->vFlow[0].vCmd[0].vParam[k] = static_cast<int32_t>(v);
}

void Plain(cStageData& s, std::initializer_list<cFlow> flows) { BuildStage(s, 20, flows); }

}  // namespace

TEST(HostileStageRun, ValuesNoStageCanMeanAreClampedAtLoadAndPlayAsAtTheirLimit) {
    using sample::Flow;
    using sample::Cmd;
    const cFlow wait = Flow(sample::TRG_ALWAYS, {Cmd(CMD_WAIT, 10)});
    cFlowCmd message = Cmd(CMD_MESSAGE, 0, {MESPOS_SCREEN_CENTRE, 0, 0, 0, 0, 1, MESEND_STAGE});
    message.vParam[12] = message.vParam[13] = 1;  // one window by its id
    message.strText = "はみ出す窓";
    struct ROW {
        const char* name;
        cFlow flow;                              // the actor's
        std::function<void(cStageData&, int64_t)> set;  // puts the value into the stage
        int64_t hostile, limit;
        const char* report;                      // the report line's start
    };
    const ROW rows[] = {
        {"outer sizes", wait,
         [](cStageData& s, int64_t v) { s.nOuterX = s.nOuterY = static_cast<int32_t>(v); }, INT_MAX,
         STAGE_OUTER_MAX, "outer width 2147483647 set to 1000000"},
        {"hero range width", wait, [](cStageData& s, int64_t v) { s.nHeroRange0W = static_cast<int32_t>(v); },
         INT_MIN, -STAGE_BOX_LIMIT, "box size -2147483648 set to -65536"},
        {"hero body power", wait,
         [](cStageData& s, int64_t v) { s.vPlacedChara[0].nBodyPower = static_cast<int32_t>(v); }, INT_MIN,
         -BODY_POWER_LIMIT, "character body power -2147483648 set to -999999999"},
        // The hero's gauge, started by the slime's touch, would multiply the HP by its width.
        {"maximum HP and SP", wait,
         [](cStageData& s, int64_t v) {
             for (cCharaData& c : s.vPlacedChara) {
                 c.nMaxHP = c.nMaxSP = static_cast<int32_t>(v);
                 c.nBodyPower = 1;
             }
         },
         INT_MAX, CHARA_POINTS_MAX, "character maximum HP 2147483647 set to 999999"},
        {"character side", wait,
         [](cStageData& s, int64_t v) { s.vPlacedChara[1].byForce = static_cast<uint8_t>(v); }, 255,
         CHARA_SIDE_NUM - 1, "character side 255 set to 7"},
        // 2^27 cells of 32 dots wrap to 0 in 32 bits: the effect would show at the screen's left.
        {"effect cell", Flow(sample::TRG_ALWAYS, {Cmd(CMD_RUN_EFFECT, 0, {sample::EFF_SPARKLE, 3, 0, 5, 0, 0, 100}),
                                                  Cmd(CMD_WAIT, 10)}),
         [](cStageData& s, int64_t v) { SetActorParam(s, 2, v); }, int64_t{1} << 27,
         CMD_CELL_LIMIT, "command cell X 134217728 set to 32768"},
        // Six times it wraps to 2 frames: the screen would turn red at once.
        {"screen colour time",
         Flow(sample::TRG_ALWAYS, {Cmd(CMD_SCREEN_COLOR, 0, {255, 0, 0, 100, 0, 0}), Cmd(CMD_WAIT, 10)}),
         [](cStageData& s, int64_t v) { SetActorParam(s, 5, v); }, 715827883,
         CMD_TENTHS_LIMIT, "screen colour time 715827883 set to 3600000"},
        // Kept inside the screen: at its right edge, not wrapped to the left.
        {"message offset", Flow(sample::TRG_ALWAYS, {message, Cmd(CMD_WAIT, 10)}),
         [](cStageData& s, int64_t v) { SetActorParam(s, 3, v); }, INT_MAX,
         CMD_DOT_LIMIT, "command offset X 2147483647 set to 1048576"},
    };
    for (const ROW& r : rows) {
        const cFlow flow = r.flow;
        const STAGEEDIT build = [&flow](cStageData& s) { Plain(s, {flow}); };
        const HOSTILERUN hostile = RunStage(build, [&r](cStageData& s) { r.set(s, r.hostile); }, 60);
        const HOSTILERUN limit = RunStage(build, [&r](cStageData& s) { r.set(s, r.limit); }, 60);
        // Each row is checked whatever the others gave.
        EXPECT_EQ(hostile.run.nExitCode, 0) << r.name << "\n" << hostile.run.strReport;
        EXPECT_EQ(limit.run.nExitCode, 0) << r.name << "\n" << limit.run.strReport;
        EXPECT_TRUE(Contains(hostile.run.strReport, std::string("stage value out of range: ") + r.report))
            << r.name << "\n" << hostile.run.strReport;
        EXPECT_FALSE(Contains(limit.run.strReport, "stage value out of range")) << r.name;
        EXPECT_TRUE(Contains(hostile.run.strReport, "QV_MAX_FRAMES : 60 frames run")) << r.name << "\n"
                                                                                        << hostile.strEC;
        EXPECT_TRUE(hostile.bPictured && limit.bPictured && hostile.picture.pixels == limit.picture.pixels) << r.name;
    }
}

TEST(HostileStageRun, AGameWaitBeyondItsLimitIsClampedByTheLoader) {
    cTempDir dir;
    cStageData s;
    Plain(s, {sample::Flow(sample::TRG_ALWAYS, {sample::Cmd(CMD_GAME_WAIT, 0, {715827883})})});
    const std::string file = dir.File("wait.stg4");
    ASSERT_EQ(s.SaveToFile(file), 1);
    cStageData loaded;
    ASSERT_EQ(loaded.LoadFromFile(file), 1);
    const int actor = IndexOf(loaded.vPlacedChara, "役者");
    ASSERT_GE(actor, 0);
    EXPECT_EQ(loaded.vPlacedChara[actor].vFlow[0].vCmd[0].vParam[0], CMD_TENTHS_LIMIT);
}

TEST(HostileStageRun, EndlessShotsAndSummonsStopAtTheLiveLimitsAndFarSummonsNameNoCell) {
    using sample::Flow;
    using sample::Cmd;
    // 256 volleys of 255 shots that never move.
    cFlowCmd shots = sample::ShotCmd(0, sample::SG_SPARK, 255, 0, 0, 0, 360);
    shots.spShot->nRange = 0;
    shots.spShot->nCloneNum = 255;
    // A character summoned on top of its summoner that summons the same again.
    cFlowCmd summon = Cmd(CMD_SUMMON_CHARA, 0);
    cEdShot::Create(summon.spShot);
    summon.spShot->nShotNum = 1;
    summon.spShot->nByte5 = SHOTDIR_UP;
    summon.spShot->nOfsY = 32;
    summon.spShot->nSummonKind = 1;
    // 255 grass blocks in a row down from the actor, 2^19 dots apart: the far
    // ones lie beyond the stage, rows whose cell index wraps in 32 bits on a
    // stage with a row pitch of 2048.
    cFlowCmd blocks = Cmd(CMD_SUMMON_BLOCK, 0);
    cEdShot::Create(blocks.spShot);
    blocks.spShot->nShotNum = 255;
    blocks.spShot->nFormParam[0] = 32767;
    blocks.spShot->nByte5 = SHOTDIR_LEFT;
    blocks.spShot->nSummonKind = 1;
    struct ROW {
        const char* name;
        int width;
        cFlowCmd cmd;
        const char* ecLine;  // "" none expected
    };
    const ROW rows[] = {
        {"endless shots", 20, shots, "live shots at the limit of 20000"},  // 65280 asked
        {"summons in a loop", 20, summon, "live characters at the limit of"},
        {"blocks far below", 2000, blocks, ""},
    };
    for (const ROW& r : rows) {
        const cFlow flow = Flow(sample::TRG_ALWAYS, {r.cmd, Cmd(CMD_WAIT, 1)});
        const int width = r.width;
        // Summons name the grass block, or a copy of the actor that summons itself.
        const STAGEEDIT names = [](cStageData& s) {
            const int actor = IndexOf(s.vChara, "役者"), grass = IndexOf(s.vBlock, "草地");
            const int child = static_cast<int>(s.vChara.size());
            s.vChara.push_back(s.vChara[actor]);
            s.vChara.back().strName = "子";
            for (cCharaData* c : {&s.vChara[actor], &s.vChara[child], &s.vPlacedChara[IndexOf(s.vPlacedChara, "役者")]}) {
                cEdShot& shot = *c->vFlow[0].vCmd[0].spShot;
                shot.nSummonIndex = static_cast<int16_t>(shot.nShotNum == 1 ? child : grass);
            }
        };
        const HOSTILERUN run = RunStage([&](cStageData& s) { BuildStage(s, width, {flow}); }, names, 40);
        EXPECT_EQ(run.run.nExitCode, 0) << r.name << "\n" << run.run.strReport;
        EXPECT_TRUE(Contains(run.run.strReport, "QV_MAX_FRAMES : 40 frames run")) << r.name << "\n"
                                                                                  << run.run.strReport;
        EXPECT_FALSE(Contains(run.strEC, "err V[") || Contains(run.strEC, "err L[")) << r.name << "\n" << run.strEC;
        if (*r.ecLine) {
            EXPECT_TRUE(Contains(run.strEC, r.ecLine)) << r.name << "\n" << run.strEC.substr(0, 4000);
        }
    }
}
