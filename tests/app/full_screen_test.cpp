// The game program in full screen (WindowMode=0) under the test's X server,
// which has no window manager: the window itself covers the display, so the
// whole picture shows, and the report log says what was chosen.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/game_folder.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// The output of a shell command.
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// "WxH+X+Y" of the game's top window as the X server has it; "" when none.
std::string GameWindowGeometry() {
    for (const std::string& line : Lines(Output("xwininfo -root -children 2>/dev/null"))) {
        if (line.find("(\"game\" \"game\")") == std::string::npos) continue;
        const auto close = line.rfind(')');
        std::string rest = line.substr(close + 1);
        rest.erase(0, rest.find_first_not_of(' '));
        return rest.substr(0, rest.find(' '));
    }
    return std::string();
}

// "WxH" of the X screen.
std::string ScreenSize() {
    for (const std::string& line : Lines(Output("xdpyinfo 2>/dev/null"))) {
        const auto at = line.find("dimensions:");
        if (at == std::string::npos) continue;
        std::string rest = line.substr(at + 11);
        rest.erase(0, rest.find_first_not_of(' '));
        return rest.substr(0, rest.find(' '));
    }
    return std::string();
}

}  // namespace

TEST(FullScreenRun, TheWindowCoversTheDisplayAndTheReportSaysFullscreen) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display";
    for (const char* backEnd : {"Direct3D=1", "Direct3D=0"}) {
        cTempDir dir;
        MakeGameFolder(dir.Path(), std::string(backEnd) + "\r\nWindowMode=0\r\nBpp=32\r\nShowFps=0\r\nExit\r\n");
        auto env = HeadlessEnv(0);
        env.erase("SDL_VIDEODRIVER");  // the test's X server
        const int pid = StartGame(dir.Path(), env);
        ASSERT_GT(pid, 0);
        std::string report;
        for (int t = 0; t < 3000 && report.find("InitApp : done") == std::string::npos; ++t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            report = ReadText(dir.Path() / "Report_Game.txt");
        }
        // Give the X server a moment to carry out the window's resize.
        std::string size;
        const std::string want = ScreenSize();
        for (int t = 0; t < 200 && size != want; ++t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const std::string geometry = GameWindowGeometry();
            size = geometry.substr(0, geometry.find('+'));
        }
        ::kill(pid, SIGTERM);
        EXPECT_EQ(WaitGame(pid, 30000), 0);
        report = ReadText(dir.Path() / "Report_Game.txt");
        EXPECT_EQ(size, want) << backEnd;  // not the 640x480 window of before
        const auto lines = Lines(report);
        EXPECT_GE(FindLine(lines, "Mode : Fullscreen"), 0) << backEnd << "\n" << report;
        EXPECT_EQ(FindLine(lines, "Mode : Window"), -1) << backEnd;
        // Memory for DirectDraw's surfaces is reported under DirectDraw only.
        EXPECT_EQ(FindLine(lines, "VRAM Total : ") >= 0, std::string(backEnd) == "Direct3D=0") << backEnd;
        EXPECT_EQ(FindLine(lines, "---デバイス0") >= 0, std::string(backEnd) == "Direct3D=1") << backEnd;
    }
}
