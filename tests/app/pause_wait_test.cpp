// A wait for the confirm button on the pause thread (as a message or a
// button-wait command runs it) in the whole program: scripted keys reach it
// and the frame limit ends a run that stands in it.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "platform/input/input_script.h"
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

cScene* WaitScenes(int n) { return n == SCENE_PLAY ? new cButtonWaitPlay() : CreateStandardScene(n); }

class PauseWaitRun : public ::testing::Test {
protected:
    PauseWaitRun() { Reset(); }
    ~PauseWaitRun() override { Reset(); }
    static void Reset() {
        ResetAppState();
        g_nWaitFrom = g_nWaitEnd = 0;
        g_bPress = true;
    }
    // The first sample stage from the command line; the report log.
    std::string Run(const char* maxFrames) {
        MakeGameFolder(m_Dir.Path(), WindowedIni());
        SetWindowRunEnv(m_Env);
        m_Env.Set("QV_MAX_FRAMES", maxFrames);
        m_Cwd.Enter(m_Dir.Path());
        SetSceneFactory(WaitScenes);
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
}
