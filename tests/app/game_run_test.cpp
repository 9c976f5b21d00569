// Whole runs of the game program on the sample game, headless on a
// simulated 60 fps clock: the report log's lines in order, the title picture
// on the screen, an orderly end; the refused starts with their messages and
// exit codes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#include "app/game_folder.h"
#include "platform/graphics/bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

BMPIMAGE ReadBmp(const fs::path& file) {
    BMPIMAGE img;
    const std::string bytes = ReadText(file);
    if (!DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &img)) return BMPIMAGE{};
    return img;
}

}  // namespace

TEST(GameRun, StartsTheSampleGameShowsItsTitleAndEndsInOrder) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    fs::remove_all(dir.Path() / "data");  // a first start: data\ comes from default\ (the question answered Yes)
    auto env = HeadlessEnv(60);
    env["QV_FRAME_DUMP"] = dir.File("last.bmp");
    const GAMERUN run = RunGame(dir.Path(), env);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    const auto lines = Lines(run.strReport);
    ASSERT_FALSE(lines.empty());
    // The report log's lines in order: the system report, data\ made, the
    // graphics, the end of the start, the frames, the close, the frame dump,
    // the glyph counts of ExitApp, the end.
    EXPECT_EQ(lines[0], "App : ver 825");
    int at = 0;
    for (const char* prefix : {"OS : ", "CPU : ", "Mem Total : ", "HD Free : ", "MesBox [デフォルトデータ作成の確認]",
                               "Renderer : ", "Mode : Window", "Bpp : 32", "InitApp : done",
                               "QV_MAX_FRAMES : 60 frames run", "Message loop : WM_QUIT after ", "Frame dump : ",
                               "Font10 : ", "Font16 : ", "App : end"}) {
        const int next = FindLine(lines, prefix, at);
        EXPECT_GE(next, at) << prefix << "\n" << run.strReport;
        if (next >= 0) at = next;
    }
    EXPECT_EQ(lines.back(), "App : end");
    EXPECT_EQ(run.strReport.find("Startup : "), std::string::npos);  // start-up times only when asked for
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
    // The first scene faded in: the last frame is the sample's title picture
    // around the title menu.
    const BMPIMAGE frame = ReadBmp(dir.Path() / "last.bmp"), title = ReadBmp(dir.Path() / "bmp" / "Title.bmp");
    ASSERT_EQ(frame.nWidth, 640);
    ASSERT_EQ(frame.nHeight, 480);
    ASSERT_EQ(title.nWidth, 640);
    ASSERT_EQ(title.nHeight, 480);
    std::set<uint32_t> colours;
    for (int y = 5; y < 480; y += 59)
        for (int x = 3; x < 640; x += 71) {
            if (x >= 180 && x < 430 && y >= 230) continue;  // the menu panel
            EXPECT_EQ(frame.RGB(x, y) & 0xFFFFFF, title.RGB(x, y) & 0xFFFFFF) << x << "," << y;
            colours.insert(title.RGB(x, y) & 0xFFFFFF);
        }
    EXPECT_GE(colours.size(), 3u);  // the points see the picture, not one plain colour
}

// The rate the report log's frame-limit line gives; -1 when it is missing.
static double ReportedFps(const std::string& report) {
    const auto at = report.find("frames run, closing (");
    return at == std::string::npos ? -1 : std::atof(report.c_str() + at + 21);
}

TEST(GameRun, TheSampleGamesOwnSettingsArePacedInRealTimeUnderBothBackEnds) {
    for (const bool direct3D : {true, false}) {
        cTempDir dir;
        MakeGameFolder(dir.Path(), "");
        std::string ini = ReadText(dir.Path() / "System.ini");
        ASSERT_NE(ini.find("Direct3D=1"), std::string::npos);  // the sample's own choice
        if (!direct3D) ini.replace(ini.find("Direct3D=1"), 10, "Direct3D=0");
        std::ofstream(dir.Path() / "System.ini", std::ios::binary | std::ios::trunc) << ini;
        auto env = HeadlessEnv(120);
        env.erase("QV_FAST");  // the machine's clock
        const GAMERUN run = RunGame(dir.Path(), env);
        ASSERT_EQ(run.nExitCode, 0) << run.strReport;
        // Paced at 60 the 120 frames take two seconds; a slow machine may take
        // longer, but never less.
        const double fps = ReportedFps(run.strReport);
        ASSERT_GT(fps, 0) << run.strReport;
        EXPECT_LE(fps, 60.5) << (direct3D ? "Direct3D" : "DirectDraw");
    }
}

TEST(GameRun, TemporaryFilesOfKilledWritesAreRemovedAtTheStart) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    fs::create_directories(dir.Path() / "user_data" / "replay");
    std::ofstream(dir.Path() / "user_data" / "Option.dat.tmp~") << "half";
    std::ofstream(dir.Path() / "user_data" / "replay" / "a.rep825.tmp~") << "half";
    std::ofstream(dir.Path() / "user_data" / "keep.tmp") << "not ours";
    const GAMERUN run = RunGame(dir.Path(), HeadlessEnv(5));
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_FALSE(fs::exists(dir.Path() / "user_data" / "Option.dat.tmp~"));
    EXPECT_FALSE(fs::exists(dir.Path() / "user_data" / "replay" / "a.rep825.tmp~"));
    EXPECT_TRUE(fs::exists(dir.Path() / "user_data" / "keep.tmp"));
    EXPECT_NE(run.strReport.find("Leftover temporary file removed : user_data/replay/a.rep825.tmp~"),
              std::string::npos)
        << run.strReport;
}

TEST(GameRun, OnTheOffscreenDriverFramesAreMadeInSoftwareAndTheRunEndsCleanly) {
    // No renderer is named: the program picks one for a driver that draws nowhere.
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    auto env = HeadlessEnv(30);
    env["SDL_VIDEODRIVER"] = "offscreen";
    env["SDL_RENDER_DRIVER"] = "";  // set empty: the test command names one for every other run
    const GAMERUN run = RunGame(dir.Path(), env);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_NE(run.strReport.find("Renderer : software"), std::string::npos) << run.strReport;
    EXPECT_EQ(Lines(run.strReport).back(), "App : end");
}

TEST(GameRun, AnEmptyFolderIsRefusedWithTheMessage) {
    cTempDir dir;
    const GAMERUN run = RunGame(dir.Path(), HeadlessEnv(10));
    EXPECT_NE(run.nExitCode, 0);
    EXPECT_NE(run.strReport.find("「data」フォルダの作成に失敗"), std::string::npos) << run.strReport;
    EXPECT_NE(run.strReport.find("InitApp : failed"), std::string::npos);
}

namespace {

// A run where nobody answers and no box can be shown: no display at all.
std::map<std::string, std::string> NoDisplayEnv(int maxFrames) {
    auto env = HeadlessEnv(maxFrames);
    env.erase("QV_AUTO_ANSWER");
    env["DISPLAY"] = "";
    env["WAYLAND_DISPLAY"] = "";
    return env;
}

}  // namespace

TEST(GameRun, APreWindowErrorWithNoBoxGoesToTheTerminalAndNamesTheLog) {
    for (const bool withData : {false, true}) {
        cTempDir dir;
        if (withData) {
            // A folder with default\ but a data\ that cannot be made: a file stands in its place.
            MakeGameFolder(dir.Path(), WindowedIni());
            fs::remove_all(dir.Path() / "data");
            std::ofstream(dir.Path() / "data") << "x";
        }
        const GAMERUN run = RunGame(dir.Path(), NoDisplayEnv(10));
        EXPECT_NE(run.nExitCode, 0);
        const std::u8string text = u8"「data」フォルダの作成に失敗";  // the terminal's text is UTF-8
        EXPECT_NE(run.strError.find(std::string(text.begin(), text.end())), std::string::npos) << run.strError;
        const std::string log = fs::absolute(dir.Path() / "Report_Game.txt").string();
        EXPECT_NE(run.strError.find("this message is also in the log " + log), std::string::npos) << run.strError;
        EXPECT_NE(run.strReport.find("(no box could be shown"), std::string::npos) << run.strReport;
    }
}

TEST(GameRun, ADamagedSystemDatIsRefusedWithTheMessage) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const fs::path system = dir.Path() / "data" / "System.dat";
    fs::resize_file(system, fs::file_size(system) / 2);
    const GAMERUN run = RunGame(dir.Path(), HeadlessEnv(10));
    EXPECT_NE(run.nExitCode, 0);
    EXPECT_NE(run.strReport.find("data\\System.dat の読み込みに失敗"), std::string::npos) << run.strReport;
    EXPECT_NE(run.strReport.find("InitApp : failed"), std::string::npos);
}

namespace {

// Waits until the report log of folder holds text; false after timeoutMs.
bool WaitForReport(const fs::path& folder, const std::string& text, int timeoutMs = 30000) {
    for (int t = 0; t < timeoutMs; t += 10) {
        if (ReadText(folder / "Report_Game.txt").find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

TEST(GameRun, SigtermClosesInOrder) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const int pid = StartGame(dir.Path(), HeadlessEnv(0));
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitForReport(dir.Path(), "InitApp : done"));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(WaitGame(pid, 30000), 0);
    const std::string report = ReadText(dir.Path() / "Report_Game.txt");
    EXPECT_NE(report.find("Message loop : WM_QUIT"), std::string::npos);
    EXPECT_NE(report.find("App : end"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.Path() / "user_data" / "Window.dat"));
    EXPECT_NE(ReadText(dir.Path() / "EC_Game.txt").find("thGame.Exit()"), std::string::npos);
}

TEST(GameRun, ASecondStartEndsTheRunningOneOnYes) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const int first = StartGame(dir.Path(), HeadlessEnv(0));
    ASSERT_GT(first, 0);
    ASSERT_TRUE(WaitForReport(dir.Path(), "InitApp : done"));
    // The question's default answer is Yes: the running game is ended in order.
    const GAMERUN second = RunGame(dir.Path(), HeadlessEnv(5));
    EXPECT_EQ(WaitGame(first, 30000), 0);
    EXPECT_EQ(second.nExitCode, 0);
    EXPECT_NE(second.strReport.find("MesBox [二重起動] 既に起動しています。"), std::string::npos) << second.strReport;
    EXPECT_NE(second.strReport.find("QV_MAX_FRAMES : 5 frames run"), std::string::npos);
}

TEST(GameRun, ASecondStartWhoseQuestionCannotBeShownLeavesTheRunningOne) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const int first = StartGame(dir.Path(), HeadlessEnv(0));
    ASSERT_GT(first, 0);
    ASSERT_TRUE(WaitForReport(dir.Path(), "InitApp : done"));
    // Nobody can be asked: the answer is No, and the running game goes on.
    const GAMERUN second = RunGame(dir.Path(), NoDisplayEnv(5));
    EXPECT_EQ(second.nExitCode, 0);
    int status = 0;
    EXPECT_EQ(::waitpid(first, &status, WNOHANG), 0) << "the running game was ended";
    // The running game's logs are left whole; the refused start's lines go to its standard error.
    EXPECT_NE(second.strReport.find("InitApp : done"), std::string::npos) << second.strReport;
    EXPECT_EQ(second.strReport.find("MesBox"), std::string::npos) << second.strReport;
    EXPECT_EQ(second.strReport.find("QV_MAX_FRAMES"), std::string::npos);
    EXPECT_NE(second.strError.find("MesBox ["), std::string::npos) << second.strError;
    EXPECT_NE(second.strError.find("-> 7 (no box could be shown"), std::string::npos) << second.strError;  // IDNO
    EXPECT_NE(second.strError.find("the answer is \"No\""), std::string::npos) << second.strError;
    EXPECT_EQ(ReadText(dir.Path() / "EC_Game.txt").find("MesBox"), std::string::npos);
    ::kill(first, SIGTERM);
    EXPECT_EQ(WaitGame(first, 30000), 0);
}

TEST(GameRun, TheStartUpDialogWritesBootDatAndIsSkippedWhenAskedTo) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), "Direct3D=2\r\nWindowMode=1\r\nExit\r\n");
    ASSERT_EQ(RunGame(dir.Path(), HeadlessEnv(5)).nExitCode, 0);
    // Start pressed with the dialog's choices: DirectDraw, asked again next time.
    const std::string boot = ReadText(dir.Path() / "user_data" / "Boot.dat");
    EXPECT_EQ(boot, std::string("\x39\x03\0\0\x02\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
    // Do-not-show-again and Direct3D stored: the next start takes them without a dialog.
    std::ofstream(dir.Path() / "user_data" / "Boot.dat", std::ios::binary)
        << std::string("\x39\x03\0\0\x02\0\0\0\x01\0\0\0\x01\0\0\0\0\0\0\0", 20);
    const GAMERUN run = RunGame(dir.Path(), HeadlessEnv(5));
    EXPECT_EQ(run.nExitCode, 0);
    EXPECT_NE(run.strReport.find("Renderer : "), std::string::npos);
    EXPECT_EQ(ReadText(dir.Path() / "user_data" / "Boot.dat").substr(8, 4), std::string("\x01\0\0\0", 4));
}
