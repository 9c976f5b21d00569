// Loading a stage file for play on the loading thread: the good file, damaged
// and missing files, a stage without hero, numbered series files, the header
// copy and the caller's message pump.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/app_state.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/thread.h"
#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"
#include "records/data_file.h"
#include "records/version.h"
#include "scene/stage_loader.h"
#include "stage/flow_refs.h"
#include "stage/sample_stage.h"
#include "stage/stage_bytes.h"
#include "support/env_guard.h"
#include "support/record_services_spy.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string>* g_pBoxes = nullptr;
std::atomic<int> g_nPumps{0};
std::atomic<bool> g_bPumpOnLoader{false};
cThread* g_pLoader = nullptr;

int CountingPump() {
    ++g_nPumps;
    if (g_pLoader && g_pLoader->IsRunning()) g_bPumpOnLoader = true;
    return 1;
}

// Every test starts and ends with the frame and the layers below it as at
// start-up; the reset runs before the members (the service spy) are made and
// after they are gone.
class cAppTest : public ::testing::Test {
protected:
    cAppTest() { ResetAppState(); }
    ~cAppTest() override { ResetAppState(); }
};

class StageLoadTest : public cAppTest {
protected:
    void SetUp() override {
        m_WorkDir.Enter(m_Dir.Path());
        ReportInit((m_Dir.Path() / "Report_Game.txt").c_str());
        ECInit(1, (m_Dir.Path() / "EC_Game.txt").c_str());
        g_pBoxes = &boxes;
        SetMesBoxPresenter([](const std::string& text, const std::string&, unsigned) {
            g_pBoxes->push_back(text);
            return static_cast<int>(IDOK);
        });
        g_nPumps = 0;
        g_bPumpOnLoader = false;
        g_pLoader = &loader;
        SetStageLoadPump(CountingPump);
    }
    void TearDown() override {
        g_pBoxes = nullptr;
        g_pLoader = nullptr;
        m_WorkDir.Restore();
    }

    static void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream f(name, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> Sample(const char* text = "sample") {
        cStageData s;
        BuildSampleStage(s);
        s.strText = text;
        return StageFile(s);
    }
    std::string ECLog() const {
        std::ifstream f(m_Dir.Path() / "EC_Game.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    cTempDir m_Dir;
    cWorkDirGuard m_WorkDir;
    cEnvGuard m_Env;
    cRecordServicesSpy spy;
    std::vector<std::string> boxes;
    cThread loader;
    cStageData stage;
};

TEST_F(StageLoadTest, GoodFileLoadsOnTheThreadAndHandsBackTheHeader) {
    const std::vector<uint8_t> bytes = Sample();
    Write("a.stg4_825", bytes);
    cStageData out;
    BuildSampleStage(out);  // objects that the copy must empty
    out.strText = "old";

    ASSERT_EQ(LoadStageFileInto(stage, loader, "a.stg4_825", 0, &out), 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(spy.closes, 0);
    EXPECT_EQ(StageFile(stage), bytes);
    EXPECT_EQ(stage.strFileName, "a.stg4_825");
    EXPECT_EQ(stage.bLoaded, 1);
    EXPECT_EQ(stage.bNumbered, 0);
    EXPECT_FALSE(loader.IsRunning());

    EXPECT_EQ(out.strText, "sample");
    EXPECT_EQ(out.nWidth, 40);
    EXPECT_EQ(out.nHitLevel, 13);
    EXPECT_EQ(out.dGravity, 0.5);
    EXPECT_EQ(out.vRankSwitch, stage.vRankSwitch);
    ASSERT_EQ(out.vBg.size(), stage.vBg.size());
    EXPECT_EQ(out.vBg.back().strText, "bmp\\far.bmp");
    ASSERT_EQ(out.vText.size(), static_cast<size_t>(STAGE_TEXT_NUM));
    EXPECT_EQ(out.vText[999].strText, "end");
    EXPECT_TRUE(out.vPlacedBlock.empty() && out.vPlacedChara.empty() && out.vPlacedItem.empty());
    EXPECT_TRUE(out.vBlock.empty() && out.vChara.empty() && out.vItem.empty());
}

TEST_F(StageLoadTest, CallerPumpsWhileTheThreadLoads) {
    // A larger stage keeps the thread busy for a while; the caller pumps
    // until it ends, and the stage is whole afterwards.
    cStageData big;
    BuildSampleStage(big);
    big.nWidth = 400;
    for (uint16_t x = 40; x < 400; ++x)
        for (uint16_t y = 0; y < 19; y += 2) {
            cBlockData b = big.vPlacedBlock[0];
            b.wCellX = x;
            b.wCellY = y;
            big.vPlacedBlock.push_back(b);
        }
    const std::vector<uint8_t> bytes = StageFile(big);
    Write("big.stg4_825", bytes);
    ASSERT_EQ(LoadStageFileInto(stage, loader, "big.stg4_825", 0, nullptr), 1);
    EXPECT_EQ(StageFile(stage), bytes);
    if (g_nPumps > 0) {
        EXPECT_TRUE(g_bPumpOnLoader);
    }
}

// The caller loads other files while it waits: each pass opens a file newer
// than the program, so the caller's own version state says "too new".
std::atomic<bool> g_bPumpSawOtherState{false};
int LoadingPump() {
    ++g_nPumps;
    auto file = OpenDataFileRead("newer.dat");
    if (file || bVersionTooNew != 1 || nReadVersion != DATA_VERSION + 1) g_bPumpSawOtherState = true;
    return 1;
}

TEST_F(StageLoadTest, VersionStateOfTheLoadIsTheCallersAndComesBack) {
    // Carriage returns are kept when the caller says so: the loading thread
    // reads with the caller's settings, not with a thread's start-up state.
    std::vector<uint8_t> bytes = Sample("two\r\nlines");
    Write("cr.stg4_825", bytes);
    bRemoveCR = 0;
    ASSERT_EQ(LoadStageFileInto(stage, loader, "cr.stg4_825", 0, nullptr), 1);
    EXPECT_EQ(stage.strText, "two\r\nlines");
    bRemoveCR = 1;

    // Other files opened by the caller meanwhile change neither the load
    // nor, afterwards, what the caller learns of the stage file.
    std::vector<uint8_t> newer = {0x3A, 0x03, 0, 0, 1, 2, 3, 4};  // version 826
    Write("newer.dat", newer);
    cStageData big;
    BuildSampleStage(big);
    big.nWidth = 400;
    for (uint16_t x = 40; x < 400; ++x) {
        cBlockData b = big.vPlacedBlock[0];
        b.wCellX = x;
        big.vPlacedBlock.push_back(b);
    }
    bytes = StageFile(big);
    Write("big.stg4_825", bytes);
    g_bPumpSawOtherState = false;
    SetStageLoadPump(LoadingPump);
    ASSERT_EQ(LoadStageFileInto(stage, loader, "big.stg4_825", 0, nullptr), 1);
    EXPECT_EQ(StageFile(stage), bytes);
    EXPECT_FALSE(g_bPumpSawOtherState);
    EXPECT_EQ(nReadVersion, DATA_VERSION);
    EXPECT_EQ(bVersionTooNew, 0);
}

TEST_F(StageLoadTest, DamagedFilesAreReportedAndTheStageKeepsItsContent) {
    BuildSampleStage(stage);
    stage.strFileName = "before.stg4_825";
    const std::vector<uint8_t> before = StageFile(stage);

    // Wrong trailer: damaged; the program is asked to close.
    std::vector<uint8_t> bytes = Sample("other");
    bytes.back() ^= 0x55;
    Write("bad.stg4_825", bytes);
    EXPECT_EQ(LoadStageFileInto(stage, loader, "bad.stg4_825", 0, nullptr), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "ステージファイル bad.stg4_825 が破損しています！");
    EXPECT_EQ(spy.closes, 1);

    // Cut short after the version word: damaged as well.
    Write("short.stg4_825", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4));
    EXPECT_EQ(LoadStageFileInto(stage, loader, "short.stg4_825", 0, nullptr), 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "ステージファイル short.stg4_825 が破損しています！");
    EXPECT_EQ(spy.closes, 2);

    // A whole file whose content the load refuses: the read failure, no close.
    cStageData refused;
    BuildSampleStage(refused);
    refused.nHitLevel = 0;
    Write("refused.stg4_825", StageFile(refused));
    EXPECT_EQ(LoadStageFileInto(stage, loader, "refused.stg4_825", 0, nullptr), 0);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2], "ステージファイル refused.stg4_825 の読み込みに失敗しました！");
    EXPECT_EQ(spy.closes, 2);
    EXPECT_EQ(stage.bLoaded, 0);

    // A missing file: the read failure.
    EXPECT_EQ(LoadStageFileInto(stage, loader, "none.stg4_825", 0, nullptr), 0);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3], "ステージファイル none.stg4_825 の読み込みに失敗しました！");
    EXPECT_EQ(spy.closes, 2);

    EXPECT_EQ(StageFile(stage), before);
    EXPECT_EQ(stage.strFileName, "before.stg4_825");
}

TEST_F(StageLoadTest, TrailerIsCheckedFromVersion174On) {
    cStageData s;
    BuildSampleStage(s);
    s.vBlock.resize(1);
    s.vChara.resize(1);
    s.vItem.resize(1);
    for (auto& c : s.vPlacedChara) c.vFlow.clear();
    for (auto& i : s.vPlacedItem) i.vCmd.clear();
    std::vector<uint8_t> bytes = StageFileAtVersion(s, 173);
    bytes.back() ^= 0x55;
    Write("old.stg4_173", bytes);
    EXPECT_EQ(CheckStageTrailer("old.stg4_173"), 1);
    EXPECT_TRUE(boxes.empty());

    bytes = StageFileAtVersion(s, 174);
    bytes.back() ^= 0x55;
    Write("new.stg4_174", bytes);
    EXPECT_EQ(CheckStageTrailer("new.stg4_174"), 0);
    EXPECT_EQ(boxes.size(), 1u);
    // Missing: left to the load, which reports it.
    EXPECT_EQ(CheckStageTrailer("missing.stg4_825"), 1);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(StageLoadTest, StageWithoutHeroIsRefusedAndTheProgramCloses) {
    cStageData s;
    BuildSampleStage(s);
    s.vPlacedChara.erase(s.vPlacedChara.begin());  // only computer-controlled characters left
    Write("nohero.stg4_825", StageFile(s));
    cStageData out;
    out.strText = "untouched";
    EXPECT_EQ(LoadStageFileInto(stage, loader, "nohero.stg4_825", 0, &out), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "主人公が配置されていないのでプレイできません！");
    EXPECT_EQ(spy.closes, 1);
    EXPECT_EQ(out.strText, "untouched");
    // The stage holds what was read, under its own name.
    EXPECT_EQ(stage.bLoaded, 1);
    EXPECT_EQ(stage.vPlacedChara.size(), 3u);
    EXPECT_EQ(stage.strFileName, "nohero.stg4_825");
}

TEST_F(StageLoadTest, NumberedSeriesLoadsTheHighestNumber) {
    Write("x.stg4_100", Sample("hundred"));
    Write("x.stg4_825", Sample("newest"));
    Write("y.stg4_007", Sample("seven"));
    ASSERT_EQ(LoadStageFileInto(stage, loader, "x.stg4", 1, nullptr), 1);
    EXPECT_EQ(stage.strText, "newest");
    EXPECT_EQ(stage.strFileName, "x.stg4_825");
    EXPECT_EQ(stage.bNumbered, 1);

    // Any extension is replaced by the search extension.
    ASSERT_EQ(LoadStageFileInto(stage, loader, "y.rpl4_825", 1, nullptr), 1);
    EXPECT_EQ(stage.strText, "seven");
    EXPECT_EQ(stage.strFileName, "y.stg4_007");

    // No file of the series: 0 without a message.
    EXPECT_EQ(LoadStageFileInto(stage, loader, "z.stg4", 1, nullptr), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(stage.strText, "seven");
}

TEST_F(StageLoadTest, GlobalTargetAndCurrentFileName) {
    Write("a.stg4_825", Sample());
    EXPECT_EQ(LoadStageFile("a.stg4_825", 0, nullptr), 0);  // no target yet
    EXPECT_EQ(GetCurrentStageFileName(), "");
    SetStageLoadTarget(&stage, &loader);
    EXPECT_EQ(LoadStageFile("a.stg4_825", 0, nullptr), 1);
    EXPECT_EQ(GetCurrentStageFileName(), "a.stg4_825");
    SetCurrentStageFileName("user_data\\rpl4\\r.rpl4_825");
    EXPECT_EQ(stage.strFileName, "user_data\\rpl4\\r.rpl4_825");
}

// A thread that runs until released (or asked to end).
std::atomic<bool> g_bRelease{false};
unsigned HeldBody(void*) {
    while (!g_bRelease && !IsQuitRequested()) Sleep(1);
    return 0;
}
std::atomic<int> g_nPumpsUntilRelease{0};
int ReleasingPump() {
    if (--g_nPumpsUntilRelease <= 0) g_bRelease = true;
    return 1;
}
int QuitPump() {
    g_bRelease = true;
    return 0;
}
// The main window closing ends the loading thread from inside the pump.
int ExitingPump() {
    g_pLoader->Exit();
    return 1;
}

TEST_F(StageLoadTest, PumpRunsUntilTheThreadEndsAndStopsOnQuit) {
    g_bRelease = false;
    g_nPumpsUntilRelease = 5;
    SetStageLoadPump(ReleasingPump);
    ASSERT_EQ(loader.Create(HeldBody, nullptr), 1u);
    EXPECT_EQ(PumpUntilThreadEnds(loader), 1);
    EXPECT_LE(g_nPumpsUntilRelease, 0);
    EXPECT_FALSE(loader.IsRunning());

    g_bRelease = false;
    SetStageLoadPump(QuitPump);
    ASSERT_EQ(loader.Create(HeldBody, nullptr), 1u);
    EXPECT_EQ(PumpUntilThreadEnds(loader), 0);
    EXPECT_FALSE(loader.IsRunning());
    EXPECT_NE(ECLog().find("msg.message == WM_QUIT"), std::string::npos);

    g_bRelease = false;
    SetStageLoadPump(ExitingPump);
    ASSERT_EQ(loader.Create(HeldBody, nullptr), 1u);
    EXPECT_EQ(PumpUntilThreadEnds(loader), 1);
    EXPECT_FALSE(loader.IsRunning());
}

TEST_F(StageLoadTest, UsualPumpOfAWorkerThreadStopsAtWMQuit) {
    // The test runs on a thread that owns no window.
    EXPECT_EQ(PumpStageLoadCaller(), 1);
    PostThreadMessage(GetCurrentThreadId(), WM_APP, 0, 0);
    EXPECT_EQ(PumpStageLoadCaller(), 1);
    PostThreadMessage(GetCurrentThreadId(), WM_QUIT, 0, 0);
    EXPECT_EQ(PumpStageLoadCaller(), 0);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, PM_REMOVE));
}

TEST_F(StageLoadTest, MainThreadKeepsServingRequestsWhileItWaits) {
    m_Env.Set("SDL_VIDEODRIVER", "dummy");
    cWindowSystem sdl;
    ASSERT_TRUE(sdl.Ok());
    SetStageLoadPump(nullptr);

    // A request of another thread is answered from inside the wait.
    std::atomic<LRESULT> answer{0};
    std::thread asker([&] { answer = CallOnMainThread([] { return static_cast<LRESULT>(5); }); });
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (answer == 0 && std::chrono::steady_clock::now() < end) EXPECT_EQ(PumpStageLoadCaller(), 1);
    asker.join();
    EXPECT_EQ(answer, 5);

    Write("a.stg4_825", Sample());
    EXPECT_EQ(LoadStageFileInto(stage, loader, "a.stg4_825", 0, nullptr), 1);
    EXPECT_EQ(stage.strText, "sample");

    // Once a quit is posted the main thread's wait stops.
    PostQuitMessageMain(0);
    EXPECT_EQ(PumpStageLoadCaller(), 0);
}

TEST_F(StageLoadTest, LoadErrorMessageOfDataFiles) {
    bVersionTooNew = 0;
    ShowLoadErrorMes("data\\database\\Anime.dat");
    bVersionTooNew = 1;
    ShowLoadErrorMes("");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "data\\database\\Anime.dat の読み込みに失敗しました！");
    EXPECT_EQ(boxes[1], " の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。");
}

}  // namespace
