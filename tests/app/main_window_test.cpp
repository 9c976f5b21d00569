// The main window's services to the game thread: a dialog request that the
// game thread waits on, served on the main thread with the workers
// suspended; a close that comes from the dialog's nested loop held back
// until the request is done; then the ordered close with every thread ended.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>

#include "app/app_state.h"
#include "app/main_window.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_present.h"
#include "platform/seam/dialog_host.h"
#include "platform/seam/native_window.h"
#include "platform/system/log.h"
#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

std::atomic<uint32_t> g_nResult{99};
std::atomic<bool> g_bOnMain{false};
std::atomic<bool> g_bGameHeld{false};
std::atomic<bool> g_bCloseSeenInDialog{false};

unsigned AskingGame(void*) {
    g_nResult = RequestDialog(WM_PLAY_FILE, 0);
    MSG msg;
    while (GetMessage(&msg)) {
    }
    return 0;
}

// The dialog's work: runs a nested loop of its own, during which the window
// is asked to close.
int ChooserWithACloseMeanwhile(WPARAM) {
    g_bOnMain = IsMainThread();
    g_bGameHeld = thGame.IsRunning();
    PostMessageMain(WM_CLOSE, 0, 0);
    for (int i = 0; i < 20; ++i) WaitMainMessage(1);
    g_bCloseSeenInDialog = MainWindow.Exists();
    return 1;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { ResetAppState(); }
    ~MainWindowTest() override { ResetAppState(); }
    void SetUp() override {
        m_Env.Set("SDL_VIDEODRIVER", "dummy");
        m_Env.Set("SDL_AUDIODRIVER", "dummy");
        m_Cwd.Enter(m_Dir.Path());
        ReportInit(m_Dir.File("Report_Game.txt").c_str());
        ECInit(1, m_Dir.File("EC_Game.txt").c_str());
    }
    cEnvGuard m_Env;
    cTempDir m_Dir;
    cWorkDirGuard m_Cwd;
};

}  // namespace

TEST_F(MainWindowTest, ARequestIsServedWhileTheGameThreadWaitsAndACloseMeanwhileWaitsForIt) {
    cWindowSystem windows;
    ASSERT_TRUE(windows.Ok());
    MainWindow.Layout(640, 480, 100, 100, 640, 480, WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 0);
    SetMainWindow(&MainWindow);
    ASSERT_TRUE(MainWindow.Create("", 0, 0));
    bInitDone = 1;
    SetDialogRequest(WM_PLAY_FILE, ChooserWithACloseMeanwhile);
    ASSERT_TRUE(thGame.Create(AskingGame, nullptr));
    for (int i = 0; i < 5000 && PumpMainMessages(); ++i) WaitMainMessage(1);
    EXPECT_TRUE(IsQuitPosted());
    EXPECT_TRUE(g_bOnMain);
    EXPECT_TRUE(g_bGameHeld);
    EXPECT_TRUE(g_bCloseSeenInDialog);  // the close waited for the request
    EXPECT_EQ(g_nResult.load(), 1u);
    EXPECT_FALSE(thGame.IsRunning());
    EXPECT_FALSE(MainWindow.Exists());
    std::ifstream f(m_Dir.Path() / "EC_Game.txt", std::ios::binary);
    const std::string ec{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    const auto close = ec.find("WM_CLOSE "), exited = ec.find("thGame.Exit()"), destroyed = ec.find("WM_DESTROY");
    ASSERT_NE(close, std::string::npos);
    EXPECT_LT(close, exited);
    EXPECT_LT(exited, destroyed);
    EXPECT_NE(destroyed, std::string::npos);
}

namespace {

std::atomic<uint32_t> g_nUnregistered{99};

unsigned AskingForAReplaySave(void*) {
    g_nUnregistered = RequestDialog(WM_SAVE_REPLAY, 1);
    PostMessageMain(WM_CLOSE, 0, 0);
    MSG msg;
    while (GetMessage(&msg)) {
    }
    return 0;
}

}  // namespace

TEST_F(MainWindowTest, ARequestWithoutItsDialogIsAnsweredZeroWithAReportLine) {
    cWindowSystem windows;
    ASSERT_TRUE(windows.Ok());
    SetMainWindow(&MainWindow);
    ASSERT_TRUE(MainWindow.Create("", 0, 0));
    bInitDone = 1;
    ASSERT_TRUE(thGame.Create(AskingForAReplaySave, nullptr));
    for (int i = 0; i < 5000 && PumpMainMessages(); ++i) WaitMainMessage(1);
    EXPECT_TRUE(IsQuitPosted());
    EXPECT_EQ(g_nUnregistered.load(), 0u);
    EXPECT_EQ(dwRequestDone.load(), 1u);
    std::ifstream f(m_Dir.Path() / "Report_Game.txt", std::ios::binary);
    const std::string report{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    EXPECT_NE(report.find("no dialog for this request yet"), std::string::npos) << report;
}

namespace {

// The colour at the middle of what the window shows now.
uint32_t WindowMiddle(SDL_Renderer* r) {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(r, &w, &h);
    SDL_RenderSetLogicalSize(r, 0, 0);
    uint32_t px = 0;
    const SDL_Rect at{w / 2, h / 2, 1, 1};
    SDL_RenderReadPixels(r, &at, SDL_PIXELFORMAT_RGB888, &px, 4);
    return px & 0xFFFFFF;
}

}  // namespace

TEST_F(MainWindowTest, AnUncoveredInactiveWindowShowsItsLastFrameAgainUnderBothBackEnds) {
    cWindowSystem windows;
    ASSERT_TRUE(windows.Ok());
    SetMainWindow(&MainWindow);
    ASSERT_TRUE(MainWindow.Create("", 0, 0));
    bInitDone = 1;
    bAppActive = 0;  // no frames run
    for (const int direct3D : {1, 0}) {
        ASSERT_TRUE(DDInit(direct3D, MainWindow.GetNativeWindow(), 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
        DDClearSurfaceRGB(&BackBuffer, 0x3060A0);
        if (direct3D)
            DDPresent(60, 0, 0);
        else
            DDFlip();
        ASSERT_TRUE(DDPresentPending());
        DDFRAME frame;
        ASSERT_TRUE(DDGetLastFrame(&frame));
        const uint32_t shown = frame.pixels[240 * 640 + 320];
        ASSERT_NE(shown, 0xC80A0Au);
        // Another window's picture was left on it (a closed message box).
        SDL_Renderer* r = DDPresenterRenderer();
        SDL_SetRenderDrawColor(r, 200, 10, 10, 255);
        SDL_RenderClear(r);
        SDL_RenderPresent(r);
        ASSERT_EQ(WindowMiddle(r), 0xC80A0Au);
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_EXPOSED;
        e.window.windowID = SDL_GetWindowID(SdlWindowOf(MainWindow.GetNativeWindow()));
        SDL_PushEvent(&e);
        PumpMainMessages();
        EXPECT_EQ(WindowMiddle(r), shown) << (direct3D ? "Direct3D" : "DirectDraw");
        DDEnd();
    }
}
