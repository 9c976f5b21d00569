// Stages built here and set up for play: appearance conditions, the start a
// clear asks of the next stage, the stage music's loop word, the colour
// change after a retry, the held direction of old replays and the run
// totals of a replay playback.
#include <gtest/gtest.h>

#include "actors/cmd/next_stage.h"
#include "actors/stage_chara.h"
#include "database/system_data.h"
#include "platform/input/input.h"
#include "play/draw/color_change.h"
#include "play/play_fixture.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"
#include "scene/window_requests.h"
#include "stage/flow_arrange.h"
#include "stage_setup_fixture.h"

namespace {

using namespace stagetest;

class StageSetupRulesTest : public cStageSetupTest {};

TEST_F(StageSetupRulesTest, AppearanceConditionsDecideActivityAndTheBeforeStartFlows) {
    // Common variable 7 is 0: a character and an item that ask for 1 do not
    // appear, and the before-start flow of that character does not run; one
    // that asks for 0 appears and runs its flow.
    cCharaData absent = Enemy(5, 5, {BeforeStart("C5 = 1")});
    absent.vCond.push_back(CommonVarIs(7, 1));
    cCharaData present = Enemy(8, 5, {BeforeStart("C6 = 1")});
    present.vCond.push_back(CommonVarIs(7, 0));
    PlaceHero(2, 5);
    PlayStage.vPlacedChara.push_back(absent);
    PlayStage.vPlacedChara.push_back(present);
    cItemData item;
    item.wGraphic = 1;
    item.wCellX = 4;
    item.wCellY = 5;
    item.vCond.push_back(CommonVarIs(7, 1));
    PlayStage.vPlacedItem.push_back(item);

    m_lpScene->SetStage(0, 1);
    ASSERT_EQ(m_lpScene->World.lstStageChara.size(), 2u);
    EXPECT_EQ(m_lpScene->World.lstStageChara.front().bActive, 0);
    EXPECT_EQ(m_lpScene->World.lstStageChara.back().bActive, 1);
    ASSERT_EQ(m_lpScene->World.lstItem.size(), 1u);
    EXPECT_EQ(m_lpScene->World.lstItem.front().bActive, 0);
    EXPECT_EQ(SaveData.vVar[5], 0);
    EXPECT_EQ(SaveData.vVar[6], 1);
    // Once the variable holds 1, the absent ones appear in the next frame.
    SaveData.vVar[7] = 1;
    m_lpScene->Play();
    EXPECT_EQ(m_lpScene->World.lstStageChara.front().bActive, 1);
    EXPECT_EQ(m_lpScene->World.lstItem.front().bActive, 1);
}

TEST_F(StageSetupRulesTest, TheHeroStartsWhereTheClearAskedWithItsPlacementOffset) {
    cCharaData& hero = PlaceHero(2, 5);
    hero.byFacing = 0;
    m_lpScene->SetStage(0, 1);
    const double x0 = m_lpScene->World.Hero()->x, y0 = m_lpScene->World.Hero()->y;

    // The record's placement offset moves the hero off its cell.
    PlayStage.vPlacedChara[0].nOffsetXBase = 5;
    PlayStage.vPlacedChara[0].nOffsetYBase = -4;
    m_lpScene->SetStage(1, 0);
    EXPECT_EQ(m_lpScene->World.Hero()->x, x0 + 5);
    EXPECT_EQ(m_lpScene->World.Hero()->y, y0 - 4);
    EXPECT_EQ(m_lpScene->World.Hero()->nFacing, 0);

    // A clear that set the next stage's start: cell (7, 3), facing right.
    NextStageStart.bOverride = 1;
    NextStageStart.nStartX = 7;
    NextStageStart.nStartY = 3;
    NextStageStart.nFacing = 1;
    m_lpScene->SetStage(1, 1);
    const cPlayer& h = *m_lpScene->World.Hero();
    EXPECT_EQ(h.nFacing, 1);
    EXPECT_EQ(h.x, x0 + 5 * 32 + 5);
    EXPECT_EQ(h.y, y0 - 2 * 32 - 4);
    // A new run starts every stage from its own start again.
    m_lpScene->ResetStageRun();
    EXPECT_EQ(NextStageStart.bOverride, 0);
}

TEST_F(StageSetupRulesTest, TheStageMusicIsAskedWithItsLoopWordAsStored) {
    PlaceHero(2, 5);
    PlayStage.nBgm = 1;
    for (int32_t loop : {1, 0}) {
        PlayStage.nBgmValue2 = loop;
        nStageBgmLoop = 7;
        m_lpScene->SetStage(0, 1);
        EXPECT_EQ(nStageBgmLoop.load(), loop);
    }
}

TEST_F(StageSetupRulesTest, AColourChangeEndsWithTheRunItWasStartedIn) {
    PlaceHero(2, 5);
    m_lpScene->SetStage(0, 1);
    const int32_t red[8] = {255, 0, 0, 100, 0, 1, 0, 0};
    StartColorChange(m_lpScene->ColorChange, red);
    ASSERT_EQ(m_lpScene->ColorChange.bActive, 1);
    m_lpScene->SetStage(1, 0);  // a retry
    EXPECT_EQ(m_lpScene->ColorChange.bActive, 0);
    EXPECT_EQ(m_lpScene->ColorChange.nAlpha, 255);
    EXPECT_EQ(m_lpScene->ColorChange.nStrength, 0);
}

TEST_F(StageSetupRulesTest, AReplayReadsHeldDirectionsByTheRuleOfItsVersionAndKeepsItsStartingTotals) {
    PlaceHero(2, 5);
    // Pattern 9 (any direction) under the flag of rule 1: "前" live and in a
    // replay of 780 or later, the facing's side in a replay of 778 or 779.
    m_lpScene->SetStage(0, 1);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 0);
    SceneManager.nTitleChoice = TITLE_REPLAY;
    SceneManager.nGameType = GAME_REPLAY;
    KeyLog.nFileVersion = 779;
    SaveData.nTimeLeft = 50;  // as the replay's save record began
    m_lpScene->SetStage(0, 1);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 3);
    // The totals start from 0 in every playback, as the first one does
    // after the run's reset.
    EXPECT_EQ(SaveData.nTimeLeft, 0);
    KeyLog.nFileVersion = 825;
    m_lpScene->SetStage(0, 1);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 0);
    SceneManager.nTitleChoice = TITLE_NEW_STORY;
    SceneManager.nGameType = 0;
    m_lpScene->SetStage(0, 1);
    EXPECT_EQ(GetInputDirCode(9, 1, 1), 0);
}

}  // namespace
