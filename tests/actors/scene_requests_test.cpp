// The characters' commands reach the scene only through its services: each
// presentation command asks for what it shows with the values it worked out,
// and the run's record and frame rate are the services' own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/status_ops.h"
#include "cmd_fixture.h"
#include "database/database.h"

namespace {

class SceneRequests : public CmdFixture {};

TEST_F(SceneRequests, PresentationCommandsAskTheSceneWithTheirWorkedOutValues) {
    cStageChara& c = AddChara(200, 100, true);
    Database.vEffect.resize(4);
    Database.vEffect[3].nCellWidth = 40;
    Database.vEffect[3].nCellHeight = 20;
    Database.vEffect[3].vFrame.assign({cPairRecord(0, 2), cPairRecord(0, 3)});

    // Effect 3 at 50 % on screen cell (2, 1) moved by (5, 6), waited for.
    RunEffect(c, MakeCmd(0, {3, 3, 2, 1, 5, 6, 50, 1}), &world, services);
    ShowPicture(c, MakeCmd(0, {5, 1}), &world, services);
    ChangeScreenColor(c, MakeCmd(0, {1, 2, 3, 4, 5, 6, 7, 8}), &world, services);
    PlayBgm(c, MakeCmd(0, {7, 2}), services);
    GameWait(c, MakeCmd(0, {10}), &world, services);
    RunScreenEffect(c, MakeCmd(0, {2, 3, 4}), &world, services);
    cFlowCmd text = MakeCmd(0, {0});
    text.strText = "hello";
    ShowMessage(c, text, 1, &world, services);
    const std::vector<std::string> want = {
        "effect 3 at 69,38 20x10 wait 1",
        "wait sound 0 delay 0 button 0 frames 30",
        "pause wait",
        "picture 5 base 1 anchor " + std::to_string(c.nId),
        "colour change 1 2 3 4 5 6 7 8",
        "music 7 option 2",
        "game wait 60",
        "screen effect 2 3 4",
        "message \"hello\" by " + std::to_string(c.nId) + " flag 1",
    };
    EXPECT_EQ(services.vLog, want);

    // While the program closes nothing more is shown.
    services.vLog.clear();
    services.bQuitting = true;
    RunEffect(c, MakeCmd(0, {3, 3, 2, 1, 5, 6, 50, 1}), &world, services);
    ShowPicture(c, MakeCmd(0, {5, 1}), &world, services);
    ShowMessage(c, text, 1, &world, services);
    EXPECT_TRUE(services.vLog.empty());
}

TEST_F(SceneRequests, TheRunRecordAndTheFrameRateAreTheServicesOwn) {
    services.nScore = 1234;
    services.nLives = 7;
    services.vCommonVars[5] = 55;
    world.vStageVars.assign(STAGE_VAR_NUM + 1, 0);
    EXPECT_EQ(GetSysStatus(SYSROW_SCORE, &world, services), 1234);
    EXPECT_EQ(GetSysStatus(SYSROW_LIFE, &world, services), 7);
    ASSERT_NE(FindVariable(0, 5, &world, services), nullptr);
    EXPECT_EQ(*FindVariable(0, 5, &world, services), 55);
    EXPECT_EQ(FindVariable(1, 5, &world, services), &world.vStageVars[5]);

    // Automatic scrolling of 60 tenths of a dot per second at the services' 30 frames.
    PlayStage.nScrollKindX = 1;
    PlayStage.nAutoScrollX = 60;
    services.nFrameRate = 30;
    ApplySysScroll(SYSROW_SCROLLX, &world, services);
    const double at30 = world.ScrollX.dAutoStep;
    services.nFrameRate = 60;
    ApplySysScroll(SYSROW_SCROLLX, &world, services);
    EXPECT_NE(at30, 0);
    EXPECT_DOUBLE_EQ(at30, 2 * world.ScrollX.dAutoStep);
}

}  // namespace
