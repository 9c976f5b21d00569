// The whole program in this process with a real window (under the test's X
// server when there is one): it opens, shows frames of the first scene, and
// closes in order when the window's close button is pressed.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/main_window.h"
#include "app/standard_scenes.h"
#include "app/title_picture_scene.h"
#include "app/win_main.h"
#include "records/data_file.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

constexpr int kCloseAt = 30;

// The first scene, which presses the window's close button after some frames.
class cClosingTitle : public cTitlePictureScene {
public:
    void Run() override {
        cTitlePictureScene::Run();
        if (++m_nFrames == kCloseAt) PushCloseButtonEvent(MainWindow);
    }

private:
    int m_nFrames = 0;
};

cScene* ClosingFactory(int n) { return n == SCENE_TITLE ? new cClosingTitle() : CreateStandardScene(n); }

// The whole program in a new game folder, closed by its first scene; its exit code.
int RunClosingGame(const cTempDir& dir) {
    apptest::MakeGameFolder(dir.Path(), apptest::WindowedIni());
    cEnvGuard env;
    apptest::SetWindowRunEnv(env);
    env.Set("QV_AUTO_ANSWER", "1");
    cWorkDirGuard cwd(dir.Path());
    SetSceneFactory(ClosingFactory);
    return WinMain("", 1);
}

class WindowCloseTest : public ::testing::Test {
protected:
    WindowCloseTest() { ResetAppState(); }
    ~WindowCloseTest() override {
        SetFileStepHook(nullptr);
        ResetAppState();
    }
};

// A save that is slow to reach the disk: the frame counts before and after
// its sync of the last file saved.
std::atomic<uint32_t> g_nFrameBeforeSync{0}, g_nFrameAfterSync{0};
bool SlowSync(int nStep, size_t) {
    if (nStep != FILESTEP_SYNC) return true;
    g_nFrameBeforeSync = GetFrameCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    g_nFrameAfterSync = GetFrameCount();
    return true;
}

}  // namespace

TEST_F(WindowCloseTest, TheCloseButtonEndsTheProgramInOrder) {
    cTempDir dir;
    EXPECT_EQ(RunClosingGame(dir), 0);
    EXPECT_GE(GetFrameCount(), static_cast<uint32_t>(kCloseAt));
    const auto report = apptest::Lines(apptest::ReadText(dir.Path() / "Report_Game.txt"));
    const int renderer = apptest::FindLine(report, "Renderer : ");
    const int init = apptest::FindLine(report, "InitApp : done", renderer);
    const int end = apptest::FindLine(report, "App : end", init);
    EXPECT_GE(renderer, 0);
    EXPECT_GT(init, renderer);
    EXPECT_GT(end, init);
    const auto ec = apptest::Lines(apptest::ReadText(dir.Path() / "EC_Game.txt"));
    const int close = apptest::FindLine(ec, "WM_CLOSE ");
    const int exited = apptest::FindLine(ec, "thGame.Exit()", close);
    EXPECT_GE(close, 0);
    EXPECT_GT(apptest::FindLine(ec, "WM_DESTROY", exited), exited);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "user_data" / "Window.dat"));
    EXPECT_FALSE(MainWindow.Exists());
}

TEST_F(WindowCloseTest, NoFrameRunsWhileTheCloseSavesTheWindowsPlace) {
    SetFileStepHook(SlowSync);
    cTempDir dir;
    EXPECT_EQ(RunClosingGame(dir), 0);
    ASSERT_TRUE(std::filesystem::exists(dir.Path() / "user_data" / "Window.dat"));
    // The window's place was the last file saved: the game stood still while
    // it went to disk and ran no frame after it.
    EXPECT_GE(g_nFrameBeforeSync.load(), static_cast<uint32_t>(kCloseAt));
    EXPECT_EQ(g_nFrameAfterSync.load(), g_nFrameBeforeSync.load());
    EXPECT_EQ(GetFrameCount(), g_nFrameAfterSync.load());
}
