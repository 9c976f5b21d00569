// The play scene's sub-states and worker threads on a scene made by the test:
// the step table, lives, the results' confirm delay, the pause menu's latch,
// a timed wait of the pause thread and a close during a wait, timed on a
// clock of the test.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/system/clock.h"
#include "platform/system/timer.h"
#include "play/play_draw_test_support.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/window_requests.h"

namespace {

class PlaySceneTest : public playtest::cPlayDrawTest {
protected:
    void SetUp() override {
        playtest::cPlayDrawTest::SetUp();
        ASSERT_TRUE(InitDD(32));
        bAppActive = 1;
        scene = std::make_unique<cPlayScene>();
    }
    // One frame of `state` with the confirm button down (pressed) or up.
    void Frame(void (cPlayScene::*state)(), bool confirm) {
        InputList[0].m_nButton = confirm ? 1 : 0;
        (scene.get()->*state)();
    }
};

}  // namespace

TEST(PlaySceneSteps, ActiveSubStepsAreSpreadEvenly) {
    const cSafeVector<int32_t> three = MakeStepActiveTable(4, 3);
    EXPECT_EQ(std::vector<int32_t>(three.begin(), three.end()), (std::vector<int32_t>{1, 1, 1, 0}));
    for (int speed : {0, 4}) {
        const cSafeVector<int32_t> all = MakeStepActiveTable(4, speed);
        EXPECT_EQ(std::vector<int32_t>(all.begin(), all.end()), (std::vector<int32_t>{1, 1, 1, 1})) << speed;
    }
    // 10 steps at speed 3: 0, 3.33, 6.67 → 0, 3, 6.
    const cSafeVector<int32_t> ten = MakeStepActiveTable(10, 3);
    EXPECT_EQ(std::vector<int32_t>(ten.begin(), ten.end()), (std::vector<int32_t>{1, 0, 0, 1, 0, 0, 1, 0, 0, 0}));
}

TEST_F(PlaySceneTest, LivesRunOutUnlessUnlimitedOrATestPlay) {
    SaveData.nLives = 1;
    EXPECT_EQ(scene->TakeLife(), 1);
    EXPECT_EQ(SaveData.nLives, 0);
    EXPECT_EQ(scene->TakeLife(), 0);
    // Unlimited lives: every death goes on, and the stock stays.
    SaveData.nLives = UNLIMITED_LIVES;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(scene->TakeLife(), 1);
    EXPECT_EQ(SaveData.nLives, UNLIMITED_LIVES);
    SaveData.nLives = 0;
    bStageTest = 1;
    EXPECT_EQ(scene->TakeLife(), 1);
}

TEST_F(PlaySceneTest, TheResultsTakeConfirmOnlyAfterTwoHundredCounts) {
    scene->nState = PLAYSTATE_AFTERPLAY;
    PlayStage.bClearBanner = 1;
    // With the clear banner the count grows by 4 a frame: 50 frames.
    int frames = 0;
    while (scene->nState == PLAYSTATE_AFTERPLAY && frames < 100) {
        Frame(&cPlayScene::AfterPlay, frames % 2 == 0);
        Frame(&cPlayScene::AfterPlay, false);
        frames += 2;
    }
    EXPECT_EQ(scene->nState, PLAYSTATE_EXIT);
    EXPECT_GE(frames, 50);
    EXPECT_LE(frames, 54);
    // Without it the count jumps to 200 at once: the second press is taken.
    scene->nState = PLAYSTATE_AFTERPLAY;
    scene->nPhase = 0;
    PlayStage.bClearBanner = 0;
    Frame(&cPlayScene::AfterPlay, false);
    Frame(&cPlayScene::AfterPlay, true);
    EXPECT_EQ(scene->nState, PLAYSTATE_EXIT);
}

TEST_F(PlaySceneTest, ContinuingFromThePauseMenuLatchesTheButtons) {
    scene->nSavedState = PLAYSTATE_PLAY;
    scene->nSavedPhase = 1;
    scene->nState = PLAYSTATE_PAUSE;
    Frame(&cPlayScene::PauseMenu, false);  // the menu opens on "continue"
    EXPECT_EQ(scene->nState, PLAYSTATE_PAUSE);
    Frame(&cPlayScene::PauseMenu, true);
    EXPECT_EQ(scene->nState, PLAYSTATE_PLAY);
    EXPECT_EQ(scene->nPhase, 1);
    EXPECT_EQ(scene->bMenuLatch, 1);
}

TEST_F(PlaySceneTest, RetryInAChallengeIsOfferedOnlyForAStageClearedBefore) {
    SceneManager.nGameType = GAME_CHALLENGE;
    SystemData.bPauseRetryChallenge = 1;
    SaveData.vPair.assign(3, cPairRecord());
    ClearFlagIndex(SaveData) = 2;  // the second challenge stage
    scene->nSavedState = PLAYSTATE_PLAY;
    scene->nState = PLAYSTATE_PAUSE;
    Frame(&cPlayScene::PauseMenu, false);
    ASSERT_EQ(scene->cmdPause.size(), 4u);
    EXPECT_EQ(scene->cmdPause[2].nEnable, 0);
    SaveData.vPair[1].nValue1 = 1;  // cleared in an earlier play
    Frame(&cPlayScene::PauseMenu, false);
    EXPECT_NE(scene->cmdPause[2].nEnable, 0);
    EXPECT_EQ(scene->cmdPause[3].nEnable, 0);  // no map in a challenge
    SystemData.bPauseRetryChallenge = 0;
    Frame(&cPlayScene::PauseMenu, false);
    EXPECT_EQ(scene->cmdPause[2].nEnable, 0);
}

TEST_F(PlaySceneTest, ATimedWaitDrawsDelayPlusFramesAndEndsWithoutDrawing) {
    scene->nWaitDelay = 3;
    scene->bWaitButton = 0;
    scene->nWaitFrames = 5;
    InputList[0].m_nButton = 1;
    EXPECT_EQ(scene->RunPauseWait(), 1);
    EXPECT_EQ(scene->nWaitDrawn, 8);
    EXPECT_FALSE(thPause.IsRunning());
    // The game thread finds its input as it left it.
    EXPECT_EQ(InputList[0].m_nButton, 1);
}

TEST_F(PlaySceneTest, AWaitClosedWithoutItsQuitMessageEndsTwoSecondsOfTimerTimeAfterTheClose) {
    scene->bWaitButton = 1;  // never confirmed
    // Timer time moves only when somebody sleeps on it: the time from the
    // close to the end is what the pause thread waited, however long it took.
    cSimulatedClock clock;
    SetTimerClock(&clock);
    ResetTimers();
    std::atomic<long long> closeAt{-1};
    std::atomic<bool> looping{false};
    const uint32_t framesBefore = GetFrameCount();
    std::thread closer([&] {
        // Once the pause thread's loop runs: it counts the frames meanwhile.
        // A loop that never starts fails the test after ten seconds, and the
        // close comes anyway, so that nothing hangs.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (GetFrameCount() == framesBefore && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::yield();
        looping = GetFrameCount() != framesBefore;
        closeAt = clock.Now().count();
        scene->bQuit = 1;  // as the main window does, without the WM_QUIT
    });
    EXPECT_EQ(scene->RunPauseWait(), 0);
    closer.join();
    ASSERT_TRUE(looping) << "the pause thread's loop never ran";
    const std::chrono::nanoseconds waited = clock.Now() - std::chrono::nanoseconds(closeAt.load());
    SetTimerClock(nullptr);
    ResetTimers();
    ASSERT_GE(closeAt.load(), 0);
    // The grace of two seconds, looked at every millisecond (and at most a
    // frame that was under way at the close).
    EXPECT_GE(waited, std::chrono::seconds(2));
    EXPECT_LT(waited, std::chrono::milliseconds(2001) + std::chrono::milliseconds(17));
    // A wait that starts after the close returns at once.
    EXPECT_EQ(scene->RunPauseWait(), 0);
    EXPECT_EQ(scene->nWaitDrawn, 0);
}

TEST_F(PlaySceneTest, EachExtraLifeOfTheTallyIsShownForThirtyFramesOnThePauseThread) {
    SystemData.bTallyDivide = 1;
    SystemData.nTallyDivisor = 100;
    SaveData.nScoreBackup = 90;  // the score at the stage's start
    SaveData.nLives = 98;
    SaveData.nScore = 320;       // three steps of 100 earned in the stage
    scene->TallyResults();
    EXPECT_EQ(SaveData.nLives, 99);  // never above 99
    EXPECT_EQ(scene->nWaitDrawn, 30);
    EXPECT_TRUE(scene->lstStageWork.empty());
    EXPECT_FALSE(thPause.IsRunning());
    SaveData.nLives = 999999;  // unlimited lives earn nothing
    scene->nWaitDrawn = 0;
    scene->TallyResults();
    EXPECT_EQ(SaveData.nLives, 999999);
    EXPECT_EQ(scene->nWaitDrawn, 0);
}
