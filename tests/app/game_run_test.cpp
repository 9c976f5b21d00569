// Whole runs of the game program, headless on a simulated 60 fps clock:
// the report log's lines in order, the first frames of the first scene,
// an orderly end; the refused starts with their messages and exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/game_folder.h"
#include "platform/graphics/bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// Whether a frame dump shows more than one colour.
bool ShowsSomething(const fs::path& dump) {
    BMPIMAGE img;
    const std::string bytes = ReadText(dump);
    if (!DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &img)) return false;
    for (uint32_t px : img.Pixels)
        if (px != img.Pixels[0]) return true;
    return false;
}

}  // namespace

TEST(GameRun, StartsRunsTheFirstSceneAndEndsInOrder) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    auto env = HeadlessEnv(40);
    env["QV_FRAME_DUMP"] = dir.File("last.bmp");
    const GAMERUN run = RunGame(dir.Path(), env);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    const auto lines = Lines(run.strReport);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "App : ver 825");
    const int init = FindLine(lines, "InitApp : done");
    const int frames = FindLine(lines, "QV_MAX_FRAMES : 40 frames run", init);
    const int quit = FindLine(lines, "Message loop : WM_QUIT", frames);
    const int end = FindLine(lines, "App : end", quit);
    EXPECT_GT(init, 0) << run.strReport;
    EXPECT_GT(frames, init);
    EXPECT_GT(quit, frames);
    EXPECT_GT(end, quit);
    // The first start made data\ from default\ and the player's folders.
    EXPECT_TRUE(fs::exists(dir.Path() / "data" / "System.dat"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "user_data"));
    // The orderly close saved the window's placement and ended every thread.
    EXPECT_TRUE(fs::exists(dir.Path() / "user_data" / "Window.dat"));
    const auto ec = Lines(ReadText(dir.Path() / "EC_Game.txt"));
    const int close = FindLine(ec, "WM_CLOSE ");
    const int game = FindLine(ec, "GameLoop WM_QUIT!", close);
    const int exited = FindLine(ec, "thGame.Exit()", game);
    const int destroyed = FindLine(ec, "WM_DESTROY", exited);
    EXPECT_GE(close, 0);
    EXPECT_GT(game, close);
    EXPECT_GT(exited, game);
    EXPECT_GT(destroyed, exited);
    // The first scene faded in and shows the game's title.
    EXPECT_TRUE(ShowsSomething(dir.Path() / "last.bmp"));
}

TEST(GameRun, AnEmptyFolderIsRefusedWithTheMessage) {
    cTempDir dir;
    const GAMERUN run = RunGame(dir.Path(), HeadlessEnv(10));
    EXPECT_NE(run.nExitCode, 0);
    EXPECT_NE(run.strReport.find("「data」フォルダの作成に失敗"), std::string::npos) << run.strReport;
    EXPECT_NE(run.strReport.find("InitApp : failed"), std::string::npos);
}

TEST(GameRun, ADamagedSystemDatIsRefusedWithTheMessage) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    fs::create_directories(dir.Path() / "data");
    fs::copy(dir.Path() / "default", dir.Path() / "data", fs::copy_options::recursive);
    const fs::path system = dir.Path() / "data" / "System.dat";
    fs::resize_file(system, fs::file_size(system) / 2);
    const GAMERUN run = RunGame(dir.Path(), HeadlessEnv(10));
    EXPECT_NE(run.nExitCode, 0);
    EXPECT_NE(run.strReport.find("data\\System.dat の読み込みに失敗"), std::string::npos) << run.strReport;
}
