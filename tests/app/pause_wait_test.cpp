// A wait for the confirm button on the pause thread (as a message or a
// button-wait command runs it) in the whole program: scripted keys reach it
// and the frame limit ends a run that stands in it.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "platform/graphics/dd_present.h"
#include "platform/input/input_script.h"
#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

using namespace apptest;

namespace {

uint32_t g_nWaitFrom = 0, g_nWaitEnd = 0;  // frame counts when the wait began and ended
bool g_bPress = true;                       // Z is pressed on the 30th frame of the wait

// Play whose tenth frame of play waits for the confirm button on the pause
// thread, as a message does; the program ends right after the wait.
class cButtonWaitPlay : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        if (nState != PLAYSTATE_PLAY || nElapsedFrames != 10 || m_bWaited) return;
        m_bWaited = true;
        nWaitSound = 0;
        nWaitDelay = 0;
        bWaitButton = 1;
        g_nWaitFrom = GetFrameCount();
        if (g_bPress)
            ParseInputScript(std::to_string(g_nWaitFrom + 30) + " Z down\n" + std::to_string(g_nWaitFrom + 32) + " Z up\n");
        if (RunPauseWait()) g_nWaitEnd = GetFrameCount();
        PostCloseMain();
    }

private:
    bool m_bWaited = false;
};

uint32_t g_nCloseAt = 0;  // the frame on which the window is closed (0: never)
int g_nCloseAfter = -1;   // the wait after which, before the next, it is closed (-1: never)

// Play whose tenth frame of play runs waits of two frames back to back, as
// messages one after another do, until one of them is ended by a close.
class cWaitChainPlay : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        if (nState != PLAYSTATE_PLAY || nElapsedFrames != 10 || m_bWaited) return;
        m_bWaited = true;
        g_nWaitFrom = GetFrameCount();
        for (int i = 0; i < 40; ++i) {
            nWaitSound = 0;
            nWaitDelay = 0;
            bWaitButton = 0;
            nWaitFrames = 1;
            if (!RunPauseWait()) return;
            if (i == g_nCloseAfter) {
                // Between two waits: the main window takes the close before the next wait starts.
                PostCloseMain();
                for (int t = 0; t < 2000 && !FramesStoppedForClose(); ++t) Sleep(1);
            }
        }
        PostCloseMain();
    }

private:
    bool m_bWaited = false;
};

// The close as a person's click would send it, on the frame g_nCloseAt.
void CloseOnItsFrame() {
    if (g_nCloseAt != 0 && GetFrameCount() == g_nCloseAt) PostCloseMain();
}

cScene* WaitScenes(int n) { return n == SCENE_PLAY ? new cButtonWaitPlay() : CreateStandardScene(n); }
cScene* ChainScenes(int n) { return n == SCENE_PLAY ? new cWaitChainPlay() : CreateStandardScene(n); }

class PauseWaitRun : public ::testing::Test {
protected:
    PauseWaitRun() { Reset(); }
    ~PauseWaitRun() override { Reset(); }
    static void Reset() {
        ResetAppState();
        g_nWaitFrom = g_nWaitEnd = g_nCloseAt = 0;
        g_nCloseAfter = -1;
        g_bPress = true;
        DDSetFrameNotify(nullptr);
    }
    // The first sample stage from the command line; the report log.
    std::string Run(const char* maxFrames, cScene* (*scenes)(int) = WaitScenes) {
        MakeGameFolder(m_Dir.Path(), WindowedIni());
        SetWindowRunEnv(m_Env);
        m_Env.Set("QV_MAX_FRAMES", maxFrames);
        m_Cwd.Enter(m_Dir.Path());
        SetSceneFactory(scenes);
        EXPECT_EQ(WinMain("data\\stg4\\stage1-1.stg4", 1), 0);
        m_Cwd.Restore();
        return ReadText(m_Dir.Path() / "Report_Game.txt");
    }
    cTempDir m_Dir;
    cEnvGuard m_Env;
    cWorkDirGuard m_Cwd;
};

}  // namespace

TEST_F(PauseWaitRun, TheScriptedConfirmButtonEndsTheWaitOnItsFrame) {
    const std::string report = Run("3000");
    ASSERT_GT(g_nWaitFrom, 0u) << report;
    // Down on the 30th frame of the wait: the wait ends there.
    EXPECT_EQ(g_nWaitEnd, g_nWaitFrom + 30) << report;
    EXPECT_EQ(report.find("QV_MAX_FRAMES"), std::string::npos) << report;
}

TEST_F(PauseWaitRun, TheFrameLimitEndsARunThatStandsInTheWait) {
    // The stage's tenth frame of play comes long before frame 300, the button never.
    g_bPress = false;
    const std::string report = Run("300");
    ASSERT_GT(g_nWaitFrom, 0u) << report;
    ASSERT_LT(g_nWaitFrom, 250u);
    EXPECT_NE(report.find("QV_MAX_FRAMES : 300 frames run"), std::string::npos) << report;
    EXPECT_EQ(g_nWaitEnd, 0u);
    // The limit on the frame that starts the wait (the game thread's), on the
    // wait's first frame and on its second: each run ends there.
    const uint32_t from = g_nWaitFrom;
    for (const uint32_t limit : {from, from + 1, from + 2}) {
        Reset();
        g_bPress = false;
        const std::string limited = Run(std::to_string(limit).c_str());
        EXPECT_EQ(g_nWaitFrom, from);
        EXPECT_NE(limited.find("QV_MAX_FRAMES : " + std::to_string(limit) + " frames run"), std::string::npos)
            << limited;
    }
}

TEST_F(PauseWaitRun, AWindowClosedAnywhereInAChainOfWaitsEndsTheGameInOrder) {
    // Closed on each frame of the chain's first waits: on a wait's frame or
    // between two waits, the program ends in order (no worker left running
    // on the freed scene, which the sanitizer builds would report).
    const std::string first = Run("3000", ChainScenes);
    const uint32_t from = g_nWaitFrom;
    ASSERT_GT(from, 0u) << first;
    for (int k = 0; k < 12; ++k) {
        Reset();
        if (k % 2 == 0) {
            g_nCloseAt = from + static_cast<uint32_t>(k / 2);
            DDSetFrameNotify(CloseOnItsFrame);
        } else {
            g_nCloseAfter = k / 2;
        }
        const std::string report = Run("3000", ChainScenes);
        EXPECT_NE(report.find("App : end"), std::string::npos) << "close " << k << "\n" << report;
        EXPECT_EQ(report.find("QV_MAX_FRAMES"), std::string::npos) << "close " << k;
        EXPECT_EQ(report.find("did not end"), std::string::npos) << "close " << k << "\n" << report;
    }
}
