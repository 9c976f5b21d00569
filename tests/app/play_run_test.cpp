// Whole runs of a sample stage given on the command line: the stage set-up's
// trace in the error log, the banners, play, the pause menu and back, and
// the pause menu's to-title item closing a test play.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/game_folder.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// Runs the first sample stage from the command line with a key script.
GAMERUN RunStage(const cTempDir& dir, const std::string& script, int maxFrames,
                 std::map<std::string, std::string> extra = {}) {
    MakeGameFolder(dir.Path(), WindowedIni());
    std::ofstream(dir.Path() / "input.txt") << script;
    auto env = HeadlessEnv(maxFrames);
    env["QV_INPUT"] = dir.File("input.txt");
    for (auto& [k, v] : extra) env[k] = v;
    return RunGame(dir.Path(), env, {"data\\stg4\\stage1-1.stg4"});
}

}  // namespace

TEST(PlayRun, AStageFromTheCommandLineIsSetUpPlayedPausedAndResumed) {
    cTempDir dir;
    // After the banners space opens the pause menu and X (cancel) goes back to
    // play, where space opens it again; down to "retry" and confirm sets the
    // stage up once more.
    const GAMERUN run = RunStage(dir,
                                 "400 SPACE down\n402 SPACE up\n430 X down\n432 X up\n460 SPACE down\n462 SPACE up\n"
                                 "470 DOWN down\n471 DOWN up\n480 Z down\n482 Z up\n",
                                 500);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    const auto ec = Lines(ReadText(dir.Path() / "EC_Game.txt"));
    // The set-up's trace lines in order (a line of another part may come between).
    auto trace = [&](int at) {
        for (const char* line : {"A", "B", "10", "11", "12", "C", "D", "Out SetStage"}) {
            const int next = FindLine(ec, line, at + 1);
            EXPECT_GT(next, at) << line;
            at = next;
        }
        return at;
    };
    const int first = FindLine(ec, "In SetStage bLoadStage = 0");
    ASSERT_GE(first, 0) << ReadText(dir.Path() / "EC_Game.txt");
    const int end = trace(first);
    const int retry = FindLine(ec, "In SetStage bLoadStage = 1", end);
    ASSERT_GT(retry, end);
    trace(retry);
    EXPECT_NE(run.strReport.find("QV_MAX_FRAMES : 500 frames run"), std::string::npos) << run.strReport;
}

TEST(PlayRun, AnEditorTestPlayShowsNoBannersAndToTitleClosesTheProgram) {
    cTempDir dir;
    // Straight into play without banners, so the space key at 100 is already in
    // play; the menu opens on "continue": up to "to title", confirm.
    // (With banners the space key would come while they show and be ignored.)
    const GAMERUN run = RunStage(dir, "100 SPACE down\n102 SPACE up\n110 UP down\n111 UP up\n120 Z down\n122 Z up\n",
                                 1000, {{"QV_EDITOR", dir.File("editor.txt")}});
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_EQ(run.strReport.find("QV_MAX_FRAMES"), std::string::npos) << run.strReport;
    EXPECT_NE(ReadText(dir.Path() / "EC_Game.txt").find("WM_CLOSE "), std::string::npos);
}


TEST(PlayRun, TheHeroWalksIntoThePitDiesAndTheStageIsBuiltAgainTheSameWayEachRun) {
    // Right is held from the first frames of play: the hero walks past the
    // first enemies (hurt on the way) and falls into the pit at cells 30..33.
    // A test play has unlimited lives, so each death builds the stage again.
    const std::string script = "200 RIGHT down\n";
    cTempDir first, second;
    const GAMERUN a = RunStage(first, script, 1300, {{"QV_FRAME_DUMP", first.File("last.bmp")}});
    const GAMERUN b = RunStage(second, script, 1300, {{"QV_FRAME_DUMP", second.File("last.bmp")}});
    ASSERT_EQ(a.nExitCode, 0) << a.strReport;
    ASSERT_EQ(b.nExitCode, 0) << b.strReport;
    const auto ec = Lines(ReadText(first.Path() / "EC_Game.txt"));
    const int setUp = FindLine(ec, "Out SetStage");
    ASSERT_GE(setUp, 0);
    // No load complaint about rows or entries without a picture.
    for (int i = 0; i < setUp; ++i) EXPECT_EQ(ec[i].find("LOADIMAGE_ERR"), std::string::npos) << ec[i];
    const int dead = FindLine(ec, "Dead 2", setUp);
    ASSERT_GT(dead, setUp) << ReadText(first.Path() / "EC_Game.txt");
    EXPECT_GT(FindLine(ec, "In SetStage bLoadStage = 1", dead), dead);
    EXPECT_NE(a.strReport.find("QV_MAX_FRAMES : 1300 frames run"), std::string::npos) << a.strReport;
    // The same script gives the same log and the same last picture.
    EXPECT_EQ(ReadText(first.Path() / "EC_Game.txt"), ReadText(second.Path() / "EC_Game.txt"));
    const std::string pictureA = ReadText(first.Path() / "last.bmp");
    EXPECT_GT(pictureA.size(), 640u * 480u);
    EXPECT_TRUE(pictureA == ReadText(second.Path() / "last.bmp"));
}
