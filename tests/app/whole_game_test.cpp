// The sample game played through its front end by scripted keys (arrows, Z
// confirm, X cancel, space pause), every scene entered and left again:
// a new story in slot 1, the world map walked to the first stage, the map
// menu saving into slot 3, back to the title, the story continued from slot
// 3, the stage played and left by the pause menu, the challenge list, the
// options changed and saved, the end item. The report must hold no error.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/scene_manager.h"
#include "app/win_main.h"
#include "platform/input/input_script.h"
#include "platform/system/mesbox.h"
#include "platform/window/dialog.h"
#include "platform/window/menu_cursor.h"
#include "player/player_records.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// "FRAME:KEY" taps, each held for two frames.
std::string Script(std::initializer_list<const char*> taps) {
    std::ostringstream s;
    for (const char* t : taps) {
        const std::string tap = t;
        const auto colon = tap.find(':');
        const int frame = std::stoi(tap.substr(0, colon));
        const std::string key = tap.substr(colon + 1);
        s << frame << ' ' << key << " down\n" << frame + 2 << ' ' << key << " up\n";
    }
    return s.str();
}

// Lines of the report that tell of a failure.
std::string ErrorLines(const std::string& report) {
    std::string out;
    for (const std::string& line : Lines(report))
        for (const char* word : {"失敗", "読み込めません", "cannot", "failed", "error", "Error", "QV_MAX_FRAMES"})
            if (line.find(word) != std::string::npos) {
                out += line + "\n";
                break;
            }
    return out;
}

}  // namespace

TEST(WholeGame, TheStoryIsSavedContinuedPlayedAndTheOptionsAreSavedBeforeTheEnd) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const std::string script = Script({
        // Title: new story, slot 1; the map; its menu saves into slot 3 and back to the map.
        "40:Z", "100:Z", "200:X", "300:Z", "330:DOWN", "340:DOWN", "350:Z", "380:UP", "390:Z", "420:X", "440:X",
        // The menu again: to the title (the refusal preselected: up, confirm).
        "520:X", "600:DOWN", "610:DOWN", "620:DOWN", "630:Z", "660:UP", "670:Z",
        // Continue from slot 3; the map walked right onto the first stage, accepted.
        "780:DOWN", "790:Z", "830:DOWN", "840:DOWN", "850:Z", "980:RIGHT", "1020:UP", "1040:Z",
        // Played, paused, to the title.
        "1400:SPACE", "1420:UP", "1430:Z",
        // The challenge list and back.
        "1540:DOWN", "1550:Z", "1640:X",
        // Options: volume 7 -> 8, music off, a palette change cancelled, back.
        "1720:DOWN", "1730:DOWN", "1740:DOWN", "1750:Z", "1850:DOWN", "1856:DOWN", "1862:Z", "1870:UP", "1876:Z",
        "1890:UP", "1896:Z", "1902:DOWN", "1908:Z", "1914:UP", "1920:Z", "1926:DOWN", "1932:DOWN", "1938:X", "1950:X",
        // The end item.
        "2040:DOWN", "2050:Z"});
    std::ofstream(dir.Path() / "keys.txt") << script;
    auto env = HeadlessEnv(4000);
    env["QV_INPUT"] = dir.File("keys.txt");
    const GAMERUN run = RunGame(dir.Path(), env);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_NE(run.strReport.find("Message loop : WM_QUIT"), std::string::npos) << run.strReport;
    EXPECT_EQ(ErrorLines(run.strReport), "") << run.strReport;

    // Slot 3 holds the story as the menu saved it: on the start cell, slot index 2.
    const fs::path story = dir.Path() / "user_data" / "story";
    EXPECT_TRUE(fs::exists(story / "Story03.dat"));
    EXPECT_FALSE(fs::exists(story / "Story02.dat"));
    // The stage continued from slot 3 was set up once.
    const auto ec = Lines(ReadText(dir.Path() / "EC_Game.txt"));
    const int setUp = FindLine(ec, "Out SetStage");
    EXPECT_GE(setUp, 0);
    EXPECT_EQ(FindLine(ec, "Out SetStage", setUp + 1), -1);
    // Option.dat as the option scene wrote it: u32 825, palette 0, music 0,
    // volume 8, mode 0, the name "aaa".
    const std::string want("\x39\x03\0\0\x04\0\0\0\0\0\0\0\0\0\0\0\x08\0\0\0\0\0\0\0\x01\0\0\0\x04\0\0\0aaa\0", 36);
    EXPECT_EQ(ReadText(dir.Path() / "user_data" / "Option.dat"), want);
}

// Free play of a stage file chosen in the in-window file chooser and a replay
// of it saved (F1), in this process so that the test answers the
// choosers through the dialog framework's frame hook.
namespace {

std::vector<std::string> g_Choosers;  // what each file dialog was given, in order

class WholeGameInProcess : public ::testing::Test {
protected:
    WholeGameInProcess() { Reset(); }
    ~WholeGameInProcess() override { Reset(); }
    static void Reset() {
        SetDialogFrameHook(nullptr);
        SetMesBoxPresenter(nullptr);
        ResetAppState();
        ResetPlayerRecords();
        ResetInputScript();
        g_MenuCursor.Reset();
        g_Choosers.clear();
    }
};

// Keys pressed from `from` frames on: each entry "DELTA:KEY" (frames after
// the previous press), held two frames; "DELTA:KEY+N" holds it N frames.
void PressFromNow(std::initializer_list<const char*> taps) {
    std::ostringstream s;
    uint32_t at = GetFrameCount();
    for (const char* t : taps) {
        std::string tap = t;
        const auto colon = tap.find(':');
        at += static_cast<uint32_t>(std::stoi(tap.substr(0, colon)));
        std::string key = tap.substr(colon + 1);
        int hold = 2;
        if (const auto plus = key.find('+'); plus != std::string::npos) {
            hold = std::stoi(key.substr(plus + 1));
            key = key.substr(0, plus);
        }
        s << at << ' ' << key << " down\n" << at + static_cast<uint32_t>(hold) << ' ' << key << " up\n";
    }
    ParseInputScript(s.str());
}

}  // namespace

TEST_F(WholeGameInProcess, AStageFileChosenInTheWindowIsPlayedAndItsReplaySaved) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    cEnvGuard env;
    SetWindowRunEnv(env);
    env.Unset("QV_AUTO_ANSWER");
    env.Set("QV_MAX_FRAMES", "900");
    RereadAutoAnswer();
    cWorkDirGuard cwd(dir.Path());
    SetSceneFactory(CreateStandardScene);
    SetMesBoxPresenter([](const std::string& text, const std::string&, unsigned style) {
        g_Choosers.push_back("box " + text);
        return DefaultMesBoxAnswer(style);
    });
    SetDialogFrameHook([&](cDialog& dlg, int frame) {
        if (frame > 600) dlg.Close(0);  // a chooser the script does not end
        if (frame != 2 || (dlg.ResourceId() != 1 && dlg.ResourceId() != 2)) return;
        const size_t n = g_Choosers.size();
        if (n == 0) {
            // Free play: the stage by name; then right held, F1 saves the run,
            // the pause menu goes to the title.
            g_Choosers.push_back(dlg.Title());
            dlg.FindCtrl(1152)->SetText("stage1-1.stg4_825");
            PressFromNow({"300:RIGHT+60", "70:F1+1"});
        } else if (n == 1) {
            // The save chooser's proposal is accepted; the run ends at the frame limit.
            g_Choosers.push_back(dlg.Title() + " " + dlg.FindCtrl(1152)->GetText());
        }
        dlg.OnCommand(1, BN_CLICKED);
    });
    // Title: down to free play, confirm.
    ParseInputScript(Script({"40:DOWN", "50:DOWN", "60:DOWN", "70:Z"}));
    ASSERT_EQ(WinMain("", 1), 0);
    cwd.Restore();
    const std::string report = ReadText(dir.Path() / "Report_Game.txt");
    EXPECT_EQ(ErrorLines(report), "QV_MAX_FRAMES : 900 frames run, closing\n") << report;
    ASSERT_EQ(g_Choosers.size(), 2u) << report;
    EXPECT_EQ(g_Choosers[0], "ステージファイルの読み込み");
    // The replay saved holds the run: the stage and the frames played.
    std::vector<fs::path> replays;
    for (const auto& e : fs::directory_iterator(dir.Path() / "user_data" / "rpl4")) replays.push_back(e.path());
    ASSERT_EQ(replays.size(), 1u);
    // The chooser opened in the replay folder with the proposed file name in its box.
    EXPECT_EQ(g_Choosers[1], std::string("リプレイファイルの保存 ") + replays[0].filename().string());
    EXPECT_GT(fs::file_size(replays[0]), 1000u);
}
