// The frame driver and the scene base with scenes made by the test: the
// order within a frame, fades, the hand-over to the next scene one frame
// later, the previous scene, fresh objects on return, a failing entry.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/graphics/dd_init.h"
#include "platform/system/clock.h"
#include "platform/system/log.h"
#include "platform/system/timer.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> g_Log;
int g_nLeaveAfter = 3;  // steps of phase 1 before a scene leaves
int g_nTarget[6] = {5, 0, 0, 0, 0, 0};
bool g_bThrow = false;
uint32_t g_nRateKept = 0;  // the frame rate the play scene was given last

std::string Event(const char* what, int n) { return std::string(what) + " " + std::to_string(n); }

// A scene that logs what happens to it and, in its one own phase, leaves for
// its target after a few frames.
class cProbeScene : public cScene {
public:
    explicit cProbeScene(int n) : cScene(n, -1) {
        SetPhases({static_cast<PHASEPROC>(&cProbeScene::Wait)});
        g_Log.push_back(Event("make", n));
    }
    ~cProbeScene() override { g_Log.push_back(Event("delete", SceneNo())); }
    void Init() override {
        g_Log.push_back(Event("init", SceneNo()));
        if (g_bThrow) throw "the scene's pictures are missing";
    }
    void FadeIn() override {
        cScene::FadeIn();
        if (GetPhase() == 1) g_Log.push_back(Event("shown", SceneNo()));
    }
    void SetMeasuredRate(uint32_t nFps) override { g_nRateKept = nFps; }
    void Exit() override {
        cScene::Exit();
        if (SceneManager.nCurrent != SceneNo()) g_Log.push_back(Event("handed over", SceneNo()));
    }

private:
    void Wait() {
        if (++m_nStep >= g_nLeaveAfter) Leave(g_nTarget[SceneNo()]);
    }
};

cScene* ProbeFactory(int n) { return new cProbeScene(n); }

class SceneFrameTest : public ::testing::Test {
protected:
    SceneFrameTest() { ResetAppState(); }
    ~SceneFrameTest() override { ResetAppState(); }
    void SetUp() override {
        m_Cwd.Enter(m_Dir.Path());
        ReportInit(m_Dir.File("Report_Game.txt").c_str());
        ECInit(1, m_Dir.File("EC_Game.txt").c_str());
        SetTimerClock(&m_Clock);
        ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
        SceneManager.nFrameRate = 60;
        SceneManager.nFadeSpeed = 10;
        SetSceneFactory(ProbeFactory);
        g_Log.clear();
        g_nLeaveAfter = 3;
        g_bThrow = false;
    }
    void TearDown() override {
        SceneManager.Release();
        DDEnd();
        SetTimerClock(nullptr);
    }
    // Runs frames until the log holds event, at most limit; the frame number it came in, or -1.
    int RunUntil(const std::string& event, int limit = 200) {
        for (int i = 0; i < limit; ++i) {
            EXPECT_EQ(SceneManager.Frame(), 1u);
            for (const std::string& e : g_Log)
                if (e == event) return static_cast<int>(GetFrameCount());
        }
        return -1;
    }
    size_t IndexOf(const std::string& event) {
        for (size_t i = 0; i < g_Log.size(); ++i)
            if (g_Log[i] == event) return i;
        return g_Log.size();
    }

    cTempDir m_Dir;
    cWorkDirGuard m_Cwd;
    cSimulatedClock m_Clock;
};

}  // namespace

TEST_F(SceneFrameTest, ScenesFadeInRunTheirPhasesFadeOutAndHandOverOneFrameLater) {
    const int shown = RunUntil("shown 0");
    ASSERT_GT(shown, 1);  // the fade-in takes frames
    EXPECT_EQ(g_Log[0], "make 0");
    EXPECT_EQ(g_Log[1], "init 0");
    const int handed = RunUntil("handed over 0");
    ASSERT_GT(handed, shown + g_nLeaveAfter);  // the own phase, then the fade-out's frames
    EXPECT_EQ(SceneManager.nCurrent, 5);
    EXPECT_EQ(SceneManager.nPrevious, 0);
    EXPECT_NE(SceneManager.Scene(0), nullptr);  // deleted only by the next frame's switch
    EXPECT_EQ(SceneManager.Scene(5), nullptr);
    const int made = RunUntil("make 5");
    EXPECT_EQ(made, handed + 1);
    // In that frame: the old object goes, the new one is made and entered.
    EXPECT_LT(IndexOf("delete 0"), IndexOf("make 5"));
    EXPECT_LT(IndexOf("make 5"), IndexOf("init 5"));
    EXPECT_EQ(SceneManager.Scene(0), nullptr);
    // Back to the title: a fresh object, entered again from its first phase.
    g_Log.clear();
    RunUntil("handed over 5");
    EXPECT_EQ(SceneManager.nPrevious, 5);
    RunUntil("init 0");
    EXPECT_EQ(SceneManager.Scene(0)->GetPhase(), 0);
}

TEST_F(SceneFrameTest, TheFadeSpeedSetsEveryFadesLength) {
    const int atTen = RunUntil("shown 0");
    SceneManager.Reset();
    ResetTimers();
    SceneManager.nFrameRate = 60;
    SceneManager.nFadeSpeed = 30;
    SetSceneFactory(ProbeFactory);
    g_Log.clear();
    const int atThirty = RunUntil("shown 0");
    EXPECT_GT(atThirty, 0);
    EXPECT_LT(atThirty, atTen);
}

TEST_F(SceneFrameTest, AFailedEntryIsLoggedAndTheSceneGoesOn) {
    g_bThrow = true;
    ASSERT_GT(RunUntil("shown 0"), 0);
    std::ifstream f(m_Dir.Path() / "EC_Game.txt", std::ios::binary);
    const std::string ec{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    EXPECT_NE(ec.find("the scene's pictures are missing"), std::string::npos);
}

TEST_F(SceneFrameTest, ThePlaySceneKeepsTheFrameRateOfTheLastSecond) {
    SceneManager.nCurrent = SCENE_PLAY;
    g_nLeaveAfter = 1000;
    for (int i = 0; i < 150; ++i) ASSERT_EQ(SceneManager.Frame(), 1u);
    ASSERT_NE(SceneManager.Scene(SCENE_PLAY), nullptr);
    // A steady 60 on the simulated clock reads 60 once a second has passed.
    EXPECT_EQ(GetMeasuredFps(), 60u);
    EXPECT_EQ(g_nRateKept, 60u);
}

TEST_F(SceneFrameTest, BothBackEndsPaceTheFramesOnTheClock) {
    g_nLeaveAfter = 1000;
    for (const int direct3D : {0, 1}) {
        SceneManager.Release();
        ASSERT_TRUE(DDInit(direct3D, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
        ResetTimers();
        const auto start = m_Clock.Now();
        for (int i = 0; i < 181; ++i) ASSERT_EQ(SceneManager.Frame(), 1u);
        // 181 frames at 60 a second span three seconds of the clock, and the meter reads 60.
        EXPECT_EQ(m_Clock.Now() - start, std::chrono::seconds(3)) << "Direct3D=" << direct3D;
        EXPECT_EQ(GetMeasuredFps(), 60u) << "Direct3D=" << direct3D;
        DDEnd();
    }
}
