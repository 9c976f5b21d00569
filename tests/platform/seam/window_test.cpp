#include "platform/window/window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/graphics/dd_present.h"
#include "platform/system/cp932.h"
#include "platform/input/input_keys.h"
#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/platform_state.h"
#include "platform/input/vkey.h"
#include "platform/seam/native_window.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

constexpr uint32_t kMainStyle = 0x80CB0000;  // popup, caption, system menu, minimise and maximise boxes
// The test window's requests: one it answers with twice its wParam, one it only records.
constexpr uint32_t WM_TEST_DOUBLE = WM_USER + 5, WM_TEST_NOTE = WM_USER + 6;

// A main window that closes the way the program's does: WM_CLOSE destroys
// the window, WM_DESTROY ends the main loop.
class cTestWindow : public cWindow {
public:
    LRESULT WndProc(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) override {
        cWindow::WndProc(hWnd, msg, wParam, lParam);
        msgs.push_back(msg);
        switch (msg) {
            case WM_CLOSE: Destroy(); return 0;
            case WM_DESTROY: PostQuitMessageMain(3); return 0;
            case WM_ACTIVATEAPP: bActive = static_cast<int>(wParam); return 0;
            case WM_KEYDOWN:
            case WM_KEYUP: keys.push_back(static_cast<int>(wParam)); return 0;
            case WM_TEST_DOUBLE: return static_cast<LRESULT>(wParam * 2);
            default: return 0;
        }
    }
    std::vector<uint32_t> msgs;
    std::vector<int> keys;
    int bActive = 0;
};

// Pumps the main loop until done() or the time runs out; false on time-out.
template <typename F>
bool PumpUntil(F done, Uint64 limitMs = 5000) {
    const Uint64 end = SDL_GetTicks64() + limitMs;
    while (!done()) {
        if (SDL_GetTicks64() > end) return false;
        PumpMainMessages();
        SDL_Delay(1);
    }
    return true;
}

class WindowTest : public ::testing::Test {
protected:
    virtual const char* Driver() const { return "dummy"; }
    void SetUp() override {
        if (std::string(Driver()) == "x11" && !std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        env.Set("SDL_VIDEODRIVER", Driver());
        ResetPlatformState();
        // The X server a parallel test run shares can refuse a connection
        // for a moment under load (SDL then says "x11 not available"): a few
        // tries before the test gives up.
        bool bInit = InitWindowSystem();
        for (int tries = 1; !bInit && tries < 10; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            bInit = InitWindowSystem();
        }
        ASSERT_TRUE(bInit);
        SetMainWindow(&w);
        w.Layout(640, 480, 100, 100, 640, 480, kMainStyle, 0, 0, 0, 0, 0);
        ASSERT_TRUE(w.Create("", 100, 100));
    }
    void TearDown() override {
        w.Destroy();
        SetMainWindow(nullptr);
        EndWindowSystem();
        ResetPlatformState();
    }

    cEnvGuard env;
    cTestWindow w;
};

class X11WindowTest : public WindowTest {
protected:
    const char* Driver() const override { return "x11"; }
};

TEST_F(X11WindowTest, OpensCentredWithA640x480ClientAndClosesInOrder) {
    w.CenterOnDesktop();
    w.SetTitle("テスト");
    int cw = 0, ch = 0, desktopW = 0, desktopH = 0;
    SDL_DisplayMode mode;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
    desktopW = mode.w;
    desktopH = mode.h;
    const POINT want{(desktopW - w.WindowWidth()) / 2, (desktopH - w.WindowHeight()) / 2};
    EXPECT_TRUE(PumpUntil([&] {
        const POINT p = w.GetPosition();
        return p.x == want.x && p.y == want.y;
    })) << w.GetPosition().x << "," << w.GetPosition().y;
    SDL_GetWindowSize(SdlWindowOf(w.GetNativeWindow()), &cw, &ch);
    EXPECT_EQ(cw, 640);
    EXPECT_EQ(ch, 480);
    const RECT rc = w.GetClientRect();
    EXPECT_EQ(rc.right, 640);
    EXPECT_EQ(rc.bottom, 480);
    EXPECT_STREQ(SDL_GetWindowTitle(SdlWindowOf(w.GetNativeWindow())), U8(u8"テスト").c_str());
    EXPECT_EQ(w.GetHandle(), w.GetNativeWindow());
    EXPECT_EQ(GetMainNativeWindow(), w.GetNativeWindow());

    // The close request comes from another thread, as fatal paths send it.
    std::thread closer([] { PostCloseMain(); });
    closer.join();
    EXPECT_TRUE(PumpUntil([] { return IsQuitPosted(); }));
    EXPECT_EQ(GetQuitCode(), 3);
    EXPECT_FALSE(w.Exists());
    EXPECT_EQ(w.GetHandle(), nullptr);
    ASSERT_GE(w.msgs.size(), 3u);
    EXPECT_EQ(w.msgs.front(), WM_CREATE);
    EXPECT_EQ(w.msgs[w.msgs.size() - 2], WM_CLOSE);
    EXPECT_EQ(w.msgs.back(), WM_DESTROY);
    EXPECT_EQ(PumpMainMessages(), 0) << "the main loop stays ended";
}

TEST_F(X11WindowTest, SwitchesToDesktopFullScreenAndBack) {
    ASSERT_TRUE(w.SetFullScreen(true));
    EXPECT_TRUE(w.IsFullScreen());
    SDL_DisplayMode mode;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0);
    EXPECT_TRUE(PumpUntil([&] {
        int cw = 0, ch = 0;
        SDL_GetWindowSize(SdlWindowOf(w.GetNativeWindow()), &cw, &ch);
        return cw == mode.w && ch == mode.h;
    })) << "covers the desktop";
    ASSERT_TRUE(w.SetFullScreen(false));
    EXPECT_FALSE(w.IsFullScreen());
    PumpUntil([&] {
        int cw = 0, ch = 0;
        SDL_GetWindowSize(SdlWindowOf(w.GetNativeWindow()), &cw, &ch);
        return cw == 640 && ch == 480;
    });
    int cw = 0, ch = 0;
    SDL_GetWindowSize(SdlWindowOf(w.GetNativeWindow()), &cw, &ch);
    EXPECT_EQ(cw, 640);
    EXPECT_EQ(ch, 480);
}

namespace {

// Threads of this process whose name starts with prefix.
int ThreadsNamed(const std::string& prefix) {
    int n = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream f(task.path() / "comm");
        std::string name;
        std::getline(f, name);
        if (name.rfind(prefix, 0) == 0) ++n;
    }
    return n;
}

bool MapsHold(const std::string& text) {
    std::ifstream f("/proc/self/maps");
    const std::string maps{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    return maps.find(text) != std::string::npos;
}

}  // namespace

TEST_F(X11WindowTest, TheSoftwareRendererStartsNoGLDriverNorItsThreads) {
    env.Set("SDL_RENDER_DRIVER", "software");
    const bool driverBefore = MapsHold("_dri.so");
    const int threadsBefore = ThreadsNamed("llvmpipe");
    ASSERT_TRUE(DDOpenPresenter(w.GetNativeWindow(), 0));
    DDSURFACEDATA sd;
    ASSERT_TRUE(sd.Surface.Allocate(DDFMT_ARGB8888, 64, 48));
    sd.nWidth = 64;
    sd.nHeight = 48;
    DDSubmitFrame(&sd);
    EXPECT_TRUE(DDPresentPending());
    DDClosePresenter();
    DDResetFrames();
    if (!driverBefore) {
        EXPECT_FALSE(MapsHold("_dri.so")) << "a GL driver was loaded";
    }
    EXPECT_EQ(ThreadsNamed("llvmpipe"), threadsBefore);
}

TEST_F(WindowTest, CountsAsActiveFromTheStartWithoutAWindowManager) {
    EXPECT_TRUE(IsActiveFromStart());
    EXPECT_TRUE(PumpUntil([&] { return w.bActive == 1; }));
}

TEST_F(WindowTest, BlockingSendFromAnotherThreadIsServedByTheMainLoop) {
    std::atomic<LRESULT> result{-1};
    std::thread game([&] {
        PostMessageMain(WM_TEST_NOTE, 1, 0);
        result = SendMessageMain(WM_TEST_DOUBLE, 21, 0);
    });
    EXPECT_TRUE(PumpUntil([&] { return result.load() != -1; }));
    game.join();
    EXPECT_EQ(result.load(), 42);
    // Posts and sends keep their order.
    std::vector<uint32_t> requests;
    for (uint32_t m : w.msgs)
        if (m > WM_USER) requests.push_back(m);
    EXPECT_EQ(requests, (std::vector<uint32_t>{WM_TEST_NOTE, WM_TEST_DOUBLE}));
    EXPECT_EQ(SendMessageMain(WM_TEST_DOUBLE, 5, 0), 10) << "from the main thread the procedure runs at once";
}

TEST_F(WindowTest, CallsRunOnTheMainThread) {
    std::atomic<LRESULT> result{-1};
    std::atomic<bool> bOnMain{false};
    std::thread worker([&] {
        result = CallOnMainThread([&]() -> LRESULT {
            bOnMain = IsMainThread();
            return 7;
        });
    });
    EXPECT_TRUE(PumpUntil([&] { return result.load() != -1; }));
    worker.join();
    EXPECT_EQ(result.load(), 7);
    EXPECT_TRUE(bOnMain.load());
}

TEST_F(WindowTest, NestedWaitServesRequestsButLeavesWindowEvents) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = SDL_GetWindowID(SdlWindowOf(w.GetNativeWindow()));
    key.key.keysym.scancode = SDL_SCANCODE_Z;
    key.key.state = SDL_PRESSED;
    ASSERT_EQ(SDL_PushEvent(&key), 1);

    std::atomic<bool> bDone{false};
    std::atomic<LRESULT> result{-1};
    std::thread game([&] {
        result = SendMessageMain(WM_TEST_DOUBLE, 4, 0);
        bDone = true;
    });
    // A wait of the main thread (as for a worker thread to end) serving requests only.
    const Uint64 end = SDL_GetTicks64() + 5000;
    while (!bDone && SDL_GetTicks64() < end) {
        ServeMainThreadRequests();
        SDL_Delay(1);
    }
    game.join();
    EXPECT_EQ(result.load(), 8);
    EXPECT_TRUE(w.keys.empty()) << "the key event waits for the main loop";
    EXPECT_TRUE(PumpUntil([&] { return !w.keys.empty(); }));
    EXPECT_EQ(w.keys.front(), 'Z');
    EXPECT_TRUE(IsKeyHeld('Z'));
}

TEST_F(WindowTest, SendsAreAnsweredZeroOnceTheWindowIsGone) {
    std::atomic<LRESULT> result{-1};
    std::thread game([&] { result = SendMessageMain(WM_TEST_DOUBLE, 21, 0); });
    // Let the request reach the queue, then close without serving it.
    SDL_Delay(50);
    w.Destroy();
    game.join();
    EXPECT_EQ(result.load(), 0);
    std::thread late([&] { result = SendMessageMain(WM_TEST_DOUBLE, 21, 0); });
    late.join();
    EXPECT_EQ(result.load(), 0);
    PumpMainMessages();  // the stale request finds nobody waiting
    for (uint32_t m : w.msgs) EXPECT_NE(m, WM_TEST_DOUBLE);
}

TEST_F(WindowTest, KeyboardAndMouseEventsBecomeMessagesAndFeedTheSnapshot) {
    const Uint32 id = SDL_GetWindowID(SdlWindowOf(w.GetNativeWindow()));
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = id;
    e.key.keysym.scancode = SDL_SCANCODE_LEFT;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    SDL_PushEvent(&e);
    SDL_Event m{};
    m.type = SDL_MOUSEBUTTONDOWN;
    m.button.windowID = id;
    m.button.button = SDL_BUTTON_LEFT;
    m.button.clicks = 1;
    m.button.x = 10;
    m.button.y = 20;
    SDL_PushEvent(&m);
    PumpMainMessages();
    EXPECT_EQ(w.keys, (std::vector<int>{VK_LEFT, VK_ESCAPE}));
    EXPECT_TRUE(IsKeyHeld(VK_LEFT));
    EXPECT_TRUE(IsKeyHeld(VK_LBUTTON));
    EXPECT_EQ(w.Mouse().x, 10);
    EXPECT_EQ(w.Mouse().y, 20);
    EXPECT_EQ(w.Mouse().bLDown, 1);
    EXPECT_EQ(w.Mouse().bLPush, 1);
    EXPECT_NE(std::find(w.msgs.begin(), w.msgs.end(), WM_LBUTTONDOWN), w.msgs.end());

    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.windowID = id;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    PumpMainMessages();
    EXPECT_FALSE(IsKeyHeld(VK_LEFT)) << "keys are let go when the focus goes";
    EXPECT_EQ(w.bActive, 0);
}

TEST(WindowFrameTest, LayoutAddsMenuAndScrollBarsAroundTheClient) {
    cWindow w;
    w.Layout(300, 200, 100, 80, 600, 400, WS_CAPTION | WS_VSCROLL | WS_HSCROLL, 1, 0, 0, 0, 3);
    // No window yet: the window manager's frame is unknown (0); menu 19, scroll bars 16.
    EXPECT_EQ(w.WindowWidth(), 300 + 16);
    EXPECT_EQ(w.WindowHeight(), 200 + 19 + 16);
    EXPECT_EQ(w.ClientWidth(), 300 - 16);
    EXPECT_EQ(w.ClientHeight(), 200 - 16);
    MINMAXINFO info;
    w.OnGetMinMaxInfo(&info);
    EXPECT_EQ(info.ptMinTrackSize.x, 100 + 16 + 16);
    EXPECT_EQ(info.ptMaxTrackSize.y, 400 + 16 + 19 + 16);
    w.SetPosition(5, 6);
    EXPECT_EQ(w.GetPosition().x, 5);
    w.Clear();
    EXPECT_EQ(w.WindowWidth(), 0);
}

TEST(WindowFrameTest, TraceLinesNameTheMessage) {
    cTempDir dir;
    const std::string ec = dir.File("EC_Game.txt");
    ResetLogs();
    ECInit(1, ec.c_str());
    cWindow w;
    w.SetTrace("main", 1);
    w.WndProc(nullptr, WM_USER + 1, 0x00020001, -1);
    w.WndProc(nullptr, 13, 0, 0);  // never traced
    w.WndProc(nullptr, WM_PAINT, 7, 0x00050004);
    std::ifstream f(ec, std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(log,
              "main | msg:1025 | wp:131073(2,1) | lp:-1(65535,65535)\r\n"
              "main | msg:WM_PAINT | wp:7(0,7) | lp:327684(5,4)\r\n");
    EXPECT_STREQ(GetMsgName(WM_USER), "WM_USER");
    EXPECT_STREQ(GetMsgName(0x24), "WM_GETMINMAXINFO");
    ResetLogs();
}

TEST(WindowFrameTest, CommandsDoNotNest) {
    struct cCommandWindow : cWindow {
        void OnCommand(WPARAM wParam, LPARAM) override {
            ++count;
            if (wParam == 1) inner = WndProc(nullptr, WM_COMMAND, 2, 0);
        }
        int count = 0;
        LRESULT inner = -1;
    } w;
    EXPECT_EQ(w.WndProc(nullptr, WM_COMMAND, 1, 0), 1);
    EXPECT_EQ(w.count, 1);
    EXPECT_EQ(w.inner, 0);
    EXPECT_EQ(w.WndProc(nullptr, WM_COMMAND, 3, 0), 1) << "the flag is cleared afterwards";
}

}  // namespace
