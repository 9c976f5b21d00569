// Replays through the whole program: each sample stage played from a key
// script is saved with F1 through the program's own chooser, then played back
// from the command line; both runs end in the same state and on the same
// picture (but for the test play's hint line). A kept replay of the first stage must go on playing back to its
// recorded end state and picture as the engine changes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>
#include <utility>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/title_scene.h"
#include "app/win_main.h"
#include "platform/graphics/dd_init.h"
#include "platform/input/input_script.h"
#include "platform/system/mesbox.h"
#include "platform/window/ctrl.h"
#include "platform/window/dialog.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/replay_service.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

struct REPLAYEND {
    std::string strLine;   // the "Replay end" report line after its kind word
    std::string strFrame;  // the BMP of the last picture
    std::string strReport;
};

// The report's "Replay end : KIND ..." line without "KIND".
std::string EndState(const std::string& report, const std::string& kind) {
    for (const std::string& line : Lines(report)) {
        const auto at = line.find("Replay end : " + kind + " ");
        if (at != std::string::npos) return line.substr(at + 14 + kind.size());
    }
    return {};
}

REPLAYEND RunToReplayEnd(const cTempDir& dir, const std::string& kind, const std::string& script,
                         const std::string& file) {
    auto env = HeadlessEnv(6000);
    const std::string frame = dir.File(kind + ".bmp");
    env["QV_REPLAY_END"] = frame;
    if (!script.empty()) {
        std::ofstream(dir.Path() / "keys.txt") << script;
        env["QV_INPUT"] = dir.File("keys.txt");
    }
    const GAMERUN run = RunGame(dir.Path(), env, {file});
    return {EndState(run.strReport, kind), ReadText(frame), run.strReport};
}

// The frame without the hint line (screen rows 456..471): a stage played
// from the command line is a test play, which shows "end with the space key"
// there, and its replay is not.
std::string WithoutHintLine(std::string bmp) {
    constexpr size_t kPixels = 54, kStride = 640 * 3, kRows = 480;
    if (bmp.size() != kPixels + kStride * kRows) return {};
    for (size_t y = 456; y < 472; ++y) bmp.replace(kPixels + (kRows - 1 - y) * kStride, kStride, kStride, '\0');
    return bmp;
}

uint64_t Fnv1a(const std::string& bytes) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

// Runs right with jumps (Z) and a turn back; F1 saves the run at `end`.
std::string WalkScript(int end) {
    std::string s = "180 RIGHT down\n";
    for (int f = 200; f < end - 60; f += 45) s += std::to_string(f) + " Z down\n" + std::to_string(f + 12) + " Z up\n";
    s += std::to_string(end - 50) + " RIGHT up\n" + std::to_string(end - 45) + " LEFT down\n" +
         std::to_string(end - 20) + " LEFT up\n";
    return s + std::to_string(end) + " F1 down\n" + std::to_string(end + 1) + " F1 up\n";
}

const char* const kFixture = "replay/stage1-1.rpl4_825";
const char* const kFixtureEnd = "replay/stage1-1.end.txt";
// The kept replay's last picture, beside its hash, so that a failure shows what
// changed: a run that ends on another picture writes it as NAME.got.bmp.
const char* const kFixturePicture = "replay/stage1-1.end.bmp";
const char* const kFixtureGot = "replay/stage1-1.end.got.bmp";


fs::path TestData(const std::string& name) {
    const char* root = std::getenv("QV_TEST_DATA");
    return fs::path(root ? root : "tests/data") / name;
}

// Compares the picture a run of the kept replay ended on with the kept one's
// hash; a mismatch leaves the picture beside the kept one.
std::string CompareKeptPicture(const std::string& frame, const std::string& hash) {
    if (std::to_string(Fnv1a(frame)) == hash) return "";
    std::ofstream(TestData(kFixtureGot), std::ios::binary | std::ios::trunc) << frame;
    return std::string("the last picture differs from ") + TestData(kFixturePicture).string() + "; the run's is " +
           TestData(kFixtureGot).string();
}

}  // namespace

TEST(ReplayRun, EachSampleStageRecordedWithF1PlaysBackToTheSameEndAndPicture) {
    // F1 comes while the hero is alive: before the first stage's pit and the boss's reach.
    const std::pair<const char*, int> runs[] = {{"stage1-1", 500}, {"stage2-1", 700}, {"stage3-1", 700}, {"stage4-1", 420}};
    for (const auto& [stage, end] : runs) {
        SCOPED_TRACE(stage);
        cTempDir dir;
        MakeGameFolder(dir.Path(), WindowedIni());
        const std::string file = std::string("data\\stg4\\") + stage + ".stg4";
        const REPLAYEND rec = RunToReplayEnd(dir, "saved", WalkScript(end), file);
        ASSERT_NE(rec.strLine, "") << rec.strReport;
        const fs::path replay = SavedReplay(dir.Path());
        ASSERT_FALSE(replay.empty()) << rec.strReport;
        // The replay from the command line: its own banner, its seed, the log as input.
        const std::string name = "user_data\\rpl4\\" + replay.filename().string();
        const REPLAYEND play = RunToReplayEnd(dir, "played", "", name);
        EXPECT_EQ(play.strLine, rec.strLine) << play.strReport;
        const std::string recFrame = WithoutHintLine(rec.strFrame);
        EXPECT_TRUE(!recFrame.empty() && WithoutHintLine(play.strFrame) == recFrame) << "the last pictures differ";
        if (std::getenv("QV_UPDATE_GOLDEN") && std::string(stage) == "stage1-1") {
            fs::create_directories(TestData("replay"));
            fs::copy_file(replay, TestData(kFixture), fs::copy_options::overwrite_existing);
            std::ofstream(TestData(kFixtureEnd), std::ios::binary | std::ios::trunc)
                << play.strLine << "\n" << Fnv1a(play.strFrame) << "\n";
            std::ofstream(TestData(kFixturePicture), std::ios::binary | std::ios::trunc) << play.strFrame;
        }
    }
}

TEST(ReplayRun, TheKeptFirstStageReplayPlaysBackToItsRecordedEnd) {
    std::ifstream expected(TestData(kFixtureEnd));
    std::string line, hash;
    ASSERT_TRUE(std::getline(expected, line) && std::getline(expected, hash)) << TestData(kFixtureEnd);
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    fs::create_directories(dir.Path() / "user_data" / "rpl4");
    fs::copy_file(TestData(kFixture), dir.Path() / "user_data" / "rpl4" / "kept.rpl4_825");
    const REPLAYEND play = RunToReplayEnd(dir, "played", "", "user_data\\rpl4\\kept.rpl4_825");
    EXPECT_EQ(play.strLine, line) << play.strReport;
    EXPECT_EQ(CompareKeptPicture(play.strFrame, hash), "");
}

namespace {

class ReplayTitleTest : public ::testing::Test {
protected:
    ReplayTitleTest() { ResetAppState(); }
    ~ReplayTitleTest() override { ResetAppState(); }
};

}  // namespace

TEST_F(ReplayTitleTest, TheTitlesReplayItemPlaysTheChosenReplayAsTheCommandLineDoes) {
    std::ifstream expected(TestData(kFixtureEnd));
    std::string line, hash;
    ASSERT_TRUE(std::getline(expected, line) && std::getline(expected, hash));
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    fs::create_directories(dir.Path() / "user_data" / "rpl4");
    fs::copy_file(TestData(kFixture), dir.Path() / "user_data" / "rpl4" / "kept.rpl4_825");
    // The title's cursor down to the replay item (row 4), confirmed.
    std::ofstream(dir.Path() / "keys.txt")
        << "40 DOWN down\n41 DOWN up\n46 DOWN down\n47 DOWN up\n52 DOWN down\n53 DOWN up\n"
           "58 DOWN down\n59 DOWN up\n72 Z down\n74 Z up\n";
    cEnvGuard env;
    SetWindowRunEnv(env);
    env.Unset("QV_AUTO_ANSWER");
    RereadAutoAnswer();
    env.Set("QV_INPUT", dir.File("keys.txt").c_str());
    env.Set("QV_MAX_FRAMES", "3000");
    env.Set("QV_REPLAY_END", dir.File("end.bmp").c_str());
    cWorkDirGuard cwd(dir.Path());
    std::string title;
    SetDialogFrameHook([&](cDialog& dlg, int frame) {
        if (dlg.ResourceId() != 1 || frame != 2) return;
        title = dlg.Title();
        dlg.FindCtrl(1152)->SetText("kept.rpl4_825");
        dlg.OnCommand(1, BN_CLICKED);
    });
    EXPECT_EQ(WinMain("", 1), 0);
    EXPECT_EQ(title, "リプレイファイルの読み込み");
    const std::string report = ReadText(dir.Path() / "Report_Game.txt");
    EXPECT_EQ(EndState(report, "played"), line) << report;
    EXPECT_EQ(CompareKeptPicture(ReadText(dir.Path() / "end.bmp"), hash), "");
}

namespace {

// Play that watches a replay past its end: on the first frame of play after
// the end it keeps the hint line and taps space, then up and Z in the pause
// menu; the title, once reached, ends the program.
GOLDENFRAME g_HintLine;
bool g_bTitleAfterPlay = false;

class cReplayWatch : public cPlayScene {
public:
    void Run() override {
        cPlayScene::Run();
        if (!bReplayEnded || nState != PLAYSTATE_PLAY || m_bSeen) return;
        m_bSeen = true;
        g_HintLine.width = 640;
        g_HintLine.height = 20;
        for (int y = 452; y < 472; ++y)
            for (int x = 0; x < 640; ++x) g_HintLine.pixels.push_back(BackBuffer.Surface.Row32(y)[x]);
        const uint32_t at = GetFrameCount() + 1;
        std::ostringstream keys;
        for (const auto& [key, delta] : std::vector<std::pair<const char*, uint32_t>>{{"SPACE", 0}, {"UP", 20}, {"Z", 30}})
            keys << at + delta << ' ' << key << " down\n" << at + delta + 2 << ' ' << key << " up\n";
        ParseInputScript(keys.str());
    }

private:
    bool m_bSeen = false;
};

class cTitleReached : public cTitleScene {
public:
    void Init() override {
        cTitleScene::Init();
        g_bTitleAfterPlay = true;
        PostCloseMain();
    }
};

cScene* ReplayWatchScenes(int n) {
    if (n == SCENE_PLAY) return new cReplayWatch();
    if (n == SCENE_TITLE) return new cTitleReached();
    return CreateStandardScene(n);
}

}  // namespace

TEST_F(ReplayTitleTest, PastItsEndAReplayShowsTheWayOutWhichSpaceAndThePauseMenuTake) {
    // The kept replay from the command line plays again from its banner
    // once it has reached its end; the hint line then reads "end with the
    // space key". Space opens the pause menu, whose first item ("end", up
    // from "continue") goes to the title.
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    fs::create_directories(dir.Path() / "user_data" / "rpl4");
    fs::copy_file(TestData(kFixture), dir.Path() / "user_data" / "rpl4" / "kept.rpl4_825");
    cEnvGuard env;
    SetWindowRunEnv(env);
    env.Set("QV_MAX_FRAMES", "3000");
    cWorkDirGuard cwd(dir.Path());
    g_HintLine = GOLDENFRAME{};
    g_bTitleAfterPlay = false;
    SetSceneFactory(ReplayWatchScenes);
    EXPECT_EQ(WinMain("user_data\\rpl4\\kept.rpl4_825", 1), 0);
    cwd.Restore();
    const std::string report = ReadText(dir.Path() / "Report_Game.txt");
    EXPECT_EQ(CompareGolden("replay_end_hint", g_HintLine), "");
    EXPECT_TRUE(g_bTitleAfterPlay) << report;
    EXPECT_EQ(report.find("QV_MAX_FRAMES"), std::string::npos) << report;
}
