// Frames of play on stages built here: the item a block gives, the old
// projects' reverse-on-turn switch, shots aimed at the held direction, the
// error box of a faulty code text, the ranking of a series' last stage and a
// stage smaller than the screen with its scroll area switched on.
#include <gtest/gtest.h>

#include <fstream>

#include "actors/shot.h"
#include "actors/stage_chara.h"
#include "database/system_data.h"
#include "platform/system/mesbox.h"
#include "play/play_run.h"
#include "stage/move.h"
#include "stage/shot.h"
#include "stage_setup_fixture.h"
#include "support/temp_dir.h"

namespace {

using namespace stagetest;

class StagePlayRulesTest : public cStageSetupTest {
protected:
    static int& Boxes() {
        static int n = 0;
        return n;
    }
    static int CountBox(const std::string&, const std::string&, unsigned style) {
        ++Boxes();
        return DefaultMesBoxAnswer(style);
    }
};

TEST_F(StagePlayRulesTest, ABlockThatNamesAnItemGivesItToTheHeroStandingOnIt) {
    cItemData counter;
    cFlowCmd add = Cmd(22, 0, "C4 = C4 + 1");  // the item's code command
    add.nNumbering = CMDNUMBERING_ITEM;
    counter.vCmd.push_back(add);
    if (PlayStage.vItem.empty()) PlayStage.vItem.emplace_back();  // entry 0 names no item
    PlayStage.vItem.push_back(counter);
    PlaceHero(2, 3);
    cBlockData& floor = PlaceBlock(2, 6);
    floor.byItemKind = 2;  // the stage's own item list
    floor.wItemIndex = static_cast<uint16_t>(PlayStage.vItem.size() - 1);
    PlaceBlock(3, 6);
    m_lpScene->SetStage(0, 1);
    Frames(40);
    // Given once; the cooldown of a second keeps it from being given again.
    EXPECT_EQ(SaveData.vVar[4], 1);
}

TEST_F(StagePlayRulesTest, AnOldProjectsMoveReversesWhenItsFixedFacingTurns) {
    // A flying character moves toward a point 10 blocks ahead; its facing is
    // turned while it moves. With the switch of projects older than 783 its
    // move reverses; a current project's does not.
    for (int32_t old : {0, 1}) {
        SystemData.bReverseOnTurn = old;
        cFlowCmd move = Cmd(2, 50);
        cEdMove::Create(move.spMove);
        move.spMove->nMode = 1;
        move.spMove->nTargetXBl = 10;
        move.spMove->bEnableY = 0;
        move.spMove->bArrive = 0;
        PlayStage.vPlacedChara.clear();
        PlaceHero(2, 5);
        PlayStage.vPlacedChara.push_back(Enemy(8, 5, {Flow(0, {move})}));
        m_lpScene->SetStage(0, 1);
        cStageChara& c = m_lpScene->World.lstStageChara.front();
        const double x0 = c.x;
        Frames(5);
        const double x1 = c.x;
        EXPECT_GT(x1, x0) << old;
        c.nFacing = 1 - c.nFacing;
        Frames(5);
        if (old) EXPECT_LT(c.x, x1);
        else EXPECT_GT(c.x, x1);
    }
}

TEST_F(StagePlayRulesTest, AShotAimedAtTheHeldDirectionGoesThatWay) {
    cFlowCmd shoot = Cmd(11, 0);
    cEdShot::Create(shoot.spShot);
    shoot.spShot->nShotNum = 1;
    shoot.spShot->nSpeed = 50;
    shoot.spShot->nByte26 = 1;
    shoot.spShot->nByte5 = 12;  // 入力方向
    PlaceHero(5, 12).vFlow.push_back(Flow(0, {shoot}));
    m_lpScene->SetStage(0, 1);
    InputList[0].m_nDir = INPUT_UP;
    Frames(1);
    ASSERT_FALSE(m_lpScene->World.lstShots.empty());
    const cShot& up = *m_lpScene->World.lstShots.back();
    EXPECT_EQ(up.dVelX, 0);
    EXPECT_LT(up.dVelY, 0);
}

TEST_F(StagePlayRulesTest, AFaultyCodeTextShowsOneErrorBoxPerRunOfItsCommand) {
    SetMesBoxPresenter(CountBox);
    Boxes() = 0;
    PlaceHero(2, 5);
    PlayStage.vPlacedChara.push_back(Enemy(6, 5, {Flow(0, {Cmd(37, 10, "C1 = 1 / 0")})}));
    m_lpScene->SetStage(0, 1);
    Frames(20);
    EXPECT_EQ(Boxes(), 1);
}

TEST_F(StagePlayRulesTest, TheLastStageOfASeriesClearedToTheNextIsRanked) {
    // 次のステージへ from stage 1 of a series whose stage 2 does not exist:
    // the play is the series' last and its results are taken; once stage 2
    // exists they are not.
    cTempDir dir;
    for (bool bNextExists : {false, true}) {
        if (bNextExists) std::ofstream(dir.File("series-2.stg4")) << "x";
        cFlowCmd clear = Cmd(17, 0);
        clear.vParam.assign(1, 0);
        PlayStage.vPlacedChara.clear();
        PlaceHero(2, 5).vFlow.push_back(Flow(0, {clear}));
        PlayStage.strFileName = dir.File("series-1.stg4");
        SaveData.strStage = dir.File("series.");
        SeriesFlag(SaveData) = 1;
        SceneManager.nRankSwitch = 1;
        SaveData.nScore = 123;
        m_lpScene->vResult.clear();
        m_lpScene->SetStage(0, 1);
        Frames(3);
        ASSERT_EQ(m_lpScene->nState, PLAYSTATE_AFTERPLAY) << bNextExists;
        EXPECT_EQ(m_lpScene->World.nNextStage, 2);
        if (bNextExists) {
            EXPECT_TRUE(m_lpScene->vResult.empty());
        } else {
            ASSERT_EQ(m_lpScene->vResult.size(), static_cast<size_t>(RESULT_KIND_NUM));
            EXPECT_EQ(m_lpScene->vResult[0], 123);
        }
    }
}

TEST_F(StagePlayRulesTest, AStageSmallerThanTheScreenWithItsScrollAreaOnLoadsAndPlays) {
    // The first column and row the stage's own check gives a stage this
    // small (size - 20, size - 15) are below 0. The view then ends at the
    // stage's far edges; one that would begin before the grid is held at 0.
    struct ROW {
        int32_t w, h;
        double x, y;  // the view's position after the set-up
    };
    for (const ROW& r : {ROW{12, 8, 64, 96}, ROW{6, 4, 0, 0}}) {
        cTempDir dir;
        PlayStage = cStageData();
        PlayStage.nWidth = r.w;
        PlayStage.nHeight = r.h;
        PlayStage.nOuterX = 32 * r.w;
        PlayStage.nOuterY = 32 * r.h;
        PlayStage.nHeroBodyAW = PlayStage.nHeroBodyAH = 32;
        PlayStage.bHeroBodyAAlign = 1;
        PlayStage.bScrollLeft = PlayStage.bScrollRight = PlayStage.bScrollTop = PlayStage.bScrollBottom = 1;
        PlayStage.nScrollLeft = PlayStage.nScrollTop = 0;
        PlayStage.nScrollRight = PlayStage.nScrollBottom = 99;
        PlayStage.Validate();
        EXPECT_EQ(PlayStage.nScrollLeft, r.w - 20);
        EXPECT_EQ(PlayStage.nScrollTop, r.h - 15);
        PlaceHero(1, 1);
        for (int x = 0; x < r.w; ++x) PlaceBlock(x, r.h - 1);
        const std::string file = dir.File("small.stg4_825");
        ASSERT_EQ(PlayStage.SaveToFile(file), 1);
        cStageData loaded;
        ASSERT_EQ(loaded.LoadFromFile(file), 1) << r.w;
        EXPECT_EQ(loaded.nScrollLeft, r.w - 20);
        PlayStage = loaded;
        m_lpScene->SetStage(0, 1);
        EXPECT_EQ(m_lpScene->World.ScrollX.dPos, r.x) << r.w;
        EXPECT_EQ(m_lpScene->World.ScrollY.dPos, r.y) << r.w;
        Frames(60);
        // Following the hero keeps the view within a dot of its limits.
        EXPECT_NEAR(m_lpScene->World.ScrollX.dPos, r.x, 1) << r.w;
        EXPECT_NEAR(m_lpScene->World.ScrollY.dPos, r.y, 1) << r.w;
        EXPECT_EQ(m_lpScene->World.Hero()->dying, 0) << r.w;
        EXPECT_EQ(m_lpScene->World.Hero()->landed, 1) << r.w;
    }
}

}  // namespace

TEST_F(StagePlayRulesTest, ScoreEarnedInTheStageEarnsExtraLivesAtItsClear) {
    // 250 points earned before the clear, one extra life per 100: two lives.
    SystemData.bTallyDivide = 1;
    SystemData.nTallyDivisor = 100;
    cFlowCmd earn = Cmd(37, 0, "score = score + 250");
    earn.bNoWait = 1;
    cFlowCmd clear = Cmd(17, 0);
    clear.vParam.assign(1, 0);
    PlaceHero(2, 5).vFlow.push_back(Flow(0, {earn, clear}));
    SaveData.nScore = 40;
    SaveData.nLives = 3;
    bAppActive = 1;  // the tally waits while the program is in the background
    m_lpScene->SetStage(0, 1);
    m_lpScene->nState = PLAYSTATE_PLAY;
    for (int i = 0; i < 10 && m_lpScene->nState == PLAYSTATE_PLAY; ++i) m_lpScene->Play();
    bAppActive = 0;
    ASSERT_EQ(m_lpScene->nState, PLAYSTATE_AFTERPLAY);
    EXPECT_EQ(SaveData.nScore, 290);
    EXPECT_EQ(SaveData.nLives, 5);
}
