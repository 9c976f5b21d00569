// The real window (X server of the test run): a known frame is presented
// and the window's pixels read back equal the frame dump; other window
// sizes scale by nearest pixels and letterbox.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/graphics/dd_test_support.h"
#include "platform/seam/native_window.h"
#include "platform/seam/owners.h"

using namespace ddtest;

namespace {

class DDWindowTest : public cDDTest {
protected:
    void SetUp() override {
        cDDTest::SetUp();
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server (DISPLAY unset)";
        env.Set("SDL_VIDEODRIVER", "x11");
        // The software renderer reads back exactly what it drew and loads no GL driver.
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        // The shared X server of a parallel test run can refuse a connection
        // for a moment under load: a few tries before the test gives up.
        int rc = -1;
        for (int tries = 0; tries < 10 && (rc = SDL_InitSubSystem(SDL_INIT_VIDEO)) != 0; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_EQ(rc, 0) << SDL_GetError();
        m_Video = true;
    }
    void TearDown() override {
        DDResetForTest();
        m_Windows.clear();
        // Video on x11 ends with the test: later tests of the process choose their own driver.
        // (The sanitizer build runs these tests without the leak checker, which would report
        // the caches of the X libraries that quitting unloads.)
        if (m_Video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
        cDDTest::TearDown();
    }
    NativeWindow* Open(int w, int h) {
        m_Windows.emplace_back(SDL_CreateWindow("qv test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, w, h,
                                                SDL_WINDOW_SHOWN));
        SDL_PumpEvents();
        return NativeWindowOf(m_Windows.back().get());
    }
    // A frame no scaling can fake: every pixel differs from its neighbours.
    static uint32_t Pattern(int x, int y) {
        return 0xFF000000u | static_cast<uint32_t>((x * 7 + y) & 255) << 16 | static_cast<uint32_t>((y * 5) & 255) << 8 |
               static_cast<uint32_t>((x ^ y) & 255);
    }
    void DrawPattern() {
        for (int y = 0; y < BackBuffer.nHeight; ++y)
            for (int x = 0; x < BackBuffer.nWidth; ++x) BackBuffer.Surface.Row32(y)[x] = Pattern(x, y);
    }

    bool m_Video = false;
    std::vector<SdlWindowPtr> m_Windows;
};

TEST_F(DDWindowTest, PresentedFrameReadsBackEqualToTheDump) {
    NativeWindow* win = Open(640, 480);
    ASSERT_NE(win, nullptr) << SDL_GetError();
    ASSERT_TRUE(DDInit(1, win, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    ASSERT_TRUE(DDHasPresenter());
    DrawPattern();
    EXPECT_EQ(DDPresent(60, 0, 0), 1);
    EXPECT_TRUE(DDPresentPending());
    EXPECT_FALSE(DDPresentPending());  // nothing new to show

    const std::string dump = File("dump.bmp");
    {
        cEnvGuard dumpEnv("QV_FRAME_DUMP", dump.c_str());
        ASSERT_TRUE(DDWriteFrameDump());
    }
    BMPIMAGE img;
    ASSERT_TRUE(LoadBmpFile(dump, &img));
    DDFRAME back;
    ASSERT_TRUE(DDReadBackWindow(&back));
    ASSERT_EQ(back.width, 640);
    ASSERT_EQ(back.height, 480);
    EXPECT_TRUE(back.pixels == img.Pixels);
    EXPECT_EQ(back.pixels[240 * 640 + 3], Pattern(3, 240) & 0xFFFFFF);
}

TEST_F(DDWindowTest, LargerWindowsScaleByNearestPixelsAndLetterbox) {
    NativeWindow* win = Open(640, 480);
    ASSERT_NE(win, nullptr);
    ASSERT_TRUE(DDInit(1, win, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    DrawPattern();
    DDPresent(60, 0, 0);

    // Twice the size: every frame pixel becomes a 2 x 2 block.
    ASSERT_TRUE(DDOpenPresenter(Open(1280, 960), 0));
    DDPresent(60, 0, 0);
    ASSERT_TRUE(DDPresentPending());
    DDFRAME back;
    ASSERT_TRUE(DDReadBackWindow(&back));
    ASSERT_EQ(back.width, 1280);
    int wrong = 0;
    for (int y = 0; y < 960; ++y)
        for (int x = 0; x < 1280; ++x) wrong += back.pixels[static_cast<size_t>(y) * 1280 + x] != (Pattern(x / 2, y / 2) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);

    // A wider window: black bars left and right, the picture unscaled between them.
    ASSERT_TRUE(DDOpenPresenter(Open(800, 480), 0));
    DDPresent(60, 0, 0);
    ASSERT_TRUE(DDPresentPending());
    ASSERT_TRUE(DDReadBackWindow(&back));
    ASSERT_EQ(back.width, 800);
    wrong = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 800; ++x) {
            const uint32_t want = x < 80 || x >= 720 ? 0u : Pattern(x - 80, y) & 0xFFFFFF;
            wrong += back.pixels[static_cast<size_t>(y) * 800 + x] != want;
        }
    EXPECT_EQ(wrong, 0);
}

// Frames handed over by another thread while the main thread presents arrive
// whole (every pixel of one frame), in order, and the last one is the one kept.
TEST_F(DDWindowTest, FramesOfAnotherThreadArriveWholeAndTheLastIsKept) {
    NativeWindow* win = Open(640, 480);
    ASSERT_NE(win, nullptr);
    ASSERT_TRUE(DDInit(1, win, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    constexpr uint32_t kFrames = 250;  // one grey per frame
    auto colour = [](uint32_t n) { return n * 0x010101u & 0xFFFFFF; };
    std::atomic<bool> done{false};
    std::thread game([&] {
        for (uint32_t n = 1; n <= kFrames; ++n) {
            for (int y = 0; y < BackBuffer.nHeight; ++y)
                std::fill_n(BackBuffer.Surface.Row32(y), BackBuffer.nWidth, 0xFF000000u | colour(n));
            DDSubmitFrame(&BackBuffer);
        }
        done = true;
    });
    int torn = 0, backwards = 0, seen = 0;
    uint32_t last = 0;
    while (!done) {
        DDPresentPending();
        DDFRAME f;
        if (!DDGetLastFrame(&f)) continue;
        ++seen;
        const uint32_t n = f.pixels[0] & 0xFF;
        torn += std::count(f.pixels.begin(), f.pixels.end(), colour(n)) != static_cast<long>(f.pixels.size());
        backwards += n < last;
        last = n;
    }
    game.join();
    EXPECT_GT(seen, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(backwards, 0);
    DDPresentPending();
    DDFRAME back;
    ASSERT_TRUE(DDReadBackWindow(&back));
    EXPECT_EQ(std::count(back.pixels.begin(), back.pixels.end(), colour(kFrames)), static_cast<long>(back.pixels.size()));
    ASSERT_TRUE(DDGetLastFrame(&back));
    EXPECT_EQ(back.pixels[0], colour(kFrames));
}

TEST_F(DDWindowTest, FullScreenIsTheDesktopMode) {
    NativeWindow* win = Open(640, 480);
    ASSERT_NE(win, nullptr);
    ASSERT_TRUE(DDInit(0, win, 640, 480, 8, 1, 0, 1, 60, 1, nullptr, nullptr, 0));
    EXPECT_EQ(SDL_GetWindowFlags(SdlWindowOf(win)) & SDL_WINDOW_FULLSCREEN_DESKTOP, static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));
    DDClearSurface(&BackBuffer, 0);
    DDFlip();
    EXPECT_TRUE(DDPresentPending());
    DDEnd();
    EXPECT_FALSE(DDHasPresenter());
}

}  // namespace
