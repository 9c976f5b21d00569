// The whole program in this process (under the test's X server when there is
// one): a message box that the game thread asks for while the window runs is
// drawn in the main window on the main thread, answered by a key, and a close
// asked for meanwhile waits until the box is answered.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/main_window.h"
#include "app/standard_scenes.h"
#include "app/title_picture_scene.h"
#include "app/win_main.h"
#include "platform/graphics/dd_present.h"
#include "platform/input/vkey.h"
#include "platform/system/mesbox.h"
#include "platform/window/dialog.h"
#include "platform/window/main_thread_messages.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

constexpr int kAskAt = 20;

std::atomic<int> g_nAnswer{0};
std::atomic<bool> g_bAsked{false};

// The first scene, which asks a question from the game thread after some frames.
class cAskingTitle : public cTitlePictureScene {
public:
    void Run() override {
        cTitlePictureScene::Run();
        if (++m_nFrames == kAskAt) {
            g_bAsked = true;
            g_nAnswer = MesBox("セーブしますか？", "確認", MB_YESNOCANCEL | MB_ICONQUESTION);
        }
    }

private:
    int m_nFrames = 0;
};

cScene* AskingFactory(int n) { return n == SCENE_TITLE ? new cAskingTitle() : CreateStandardScene(n); }

struct BOXSEEN {
    int nFrames = 0;
    bool bOnMain = true;
    bool bInMainWindow = true;
    bool bBackdrop = false;
    bool bWindowKeptOpen = true;
    std::string strTitle;
};

class WindowDialogTest : public ::testing::Test {
protected:
    WindowDialogTest() { ResetAppState(); }
    ~WindowDialogTest() override { ResetAppState(); }
};

}  // namespace

TEST_F(WindowDialogTest, AGameThreadMessageBoxIsDrawnInTheWindowAndACloseWaitsForIt) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), apptest::WindowedIni());
    cEnvGuard env;
    apptest::SetWindowRunEnv(env);
    env.Unset("QV_AUTO_ANSWER");
    RereadAutoAnswer();
    cWorkDirGuard cwd(dir.Path());
    SetSceneFactory(AskingFactory);
    BOXSEEN seen;
    SetDialogFrameHook([&](cDialog& dlg, int frame) {
        ++seen.nFrames;
        seen.bOnMain = seen.bOnMain && IsMainThread();
        seen.bInMainWindow = seen.bInMainWindow && DialogHostWindow() == MainWindow.GetNativeWindow();
        seen.strTitle = dlg.Title();
        if (frame == 1) {
            DDFRAME last;
            seen.bBackdrop = DDGetLastFrame(&last) && last.width == 640;
            PostMessageMain(WM_CLOSE, 0, 0);  // the player closes the window meanwhile
        }
        if (frame > 1) seen.bWindowKeptOpen = seen.bWindowKeptOpen && MainWindow.Exists();
        if (frame == 4) dlg.HookKey(VK_ESCAPE, true);
    });

    EXPECT_EQ(WinMain("", 1), 0);
    ASSERT_TRUE(g_bAsked);
    EXPECT_EQ(g_nAnswer.load(), IDCANCEL);  // Escape is Cancel, not the default Yes
    EXPECT_GE(seen.nFrames, 4);
    EXPECT_TRUE(seen.bOnMain);
    EXPECT_TRUE(seen.bInMainWindow);
    EXPECT_TRUE(seen.bBackdrop);
    EXPECT_EQ(seen.strTitle, "確認");
    EXPECT_TRUE(seen.bWindowKeptOpen);
    // The held close ran once the box was answered, and in order.
    const auto ec = apptest::Lines(apptest::ReadText(dir.Path() / "EC_Game.txt"));
    const int close = apptest::FindLine(ec, "WM_CLOSE ");
    EXPECT_GE(close, 0);
    EXPECT_GT(apptest::FindLine(ec, "WM_DESTROY", close), close);
    EXPECT_FALSE(MainWindow.Exists());
    // After the window went, boxes are SDL's own again.
    EXPECT_EQ(DialogHostWindow(), nullptr);
}
