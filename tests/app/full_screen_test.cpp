// The game program in full screen (WindowMode=0) under the test's X server,
// which has no window manager: the window itself covers the display, so the
// whole picture shows, with SDL's software renderer and with the one it
// chooses itself; a window is centred. The report log says what was chosen.
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
    struct CASE {
        const char* backEnd;
        const char* renderer;  // SDL_RENDER_DRIVER; "" lets SDL choose (OpenGL where it can)
        bool bFullScreen;
    };
    const CASE cases[] = {{"Direct3D=1", "software", true},
                          {"Direct3D=0", "software", true},
                          {"Direct3D=1", "", true},
                          {"Direct3D=1", "", false}};
    const std::string screen = ScreenSize();
    const int screenW = std::atoi(screen.c_str()), screenH = std::atoi(screen.c_str() + screen.find('x') + 1);
    for (const CASE& c : cases) {
        const std::string name = std::string(c.backEnd) + " renderer " + c.renderer + (c.bFullScreen ? " full" : " window");
        cTempDir dir;
        MakeGameFolder(dir.Path(), std::string(c.backEnd) + "\r\nWindowMode=" + (c.bFullScreen ? "0" : "1") +
                                       "\r\nBpp=32\r\nShowFps=0\r\nExit\r\n");
        auto env = HeadlessEnv(0);
        env.erase("SDL_VIDEODRIVER");  // the test's X server
        env["SDL_RENDER_DRIVER"] = c.renderer;
        const int pid = StartGame(dir.Path(), env);
        ASSERT_GT(pid, 0);
        std::string report;
        for (int t = 0; t < 3000 && report.find("InitApp : done") == std::string::npos; ++t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            report = ReadText(dir.Path() / "Report_Game.txt");
        }
        // Full screen covers the display; a window is centred on it. The X
        // server is given time to carry out the moves: on a loaded machine
        // mapping and moving the window can take seconds.
        const std::string want = c.bFullScreen ? screen + "+0+0"
                                               : "640x480+" + std::to_string((screenW - 640) / 2) + "+" +
                                                     std::to_string((screenH - 480) / 2);
        std::string geometry;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (geometry != want && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            geometry = GameWindowGeometry();
        }
        const std::string windows = geometry == want ? std::string() : Output("xwininfo -root -children 2>&1");
        ::kill(pid, SIGTERM);
        EXPECT_EQ(WaitGame(pid, 30000), 0) << name;
        report = ReadText(dir.Path() / "Report_Game.txt");
        EXPECT_EQ(geometry, want) << name << "\n" << windows;
        const auto lines = Lines(report);
        EXPECT_GE(FindLine(lines, c.bFullScreen ? "Mode : Fullscreen" : "Mode : Window"), 0) << name << "\n" << report;
        EXPECT_EQ(FindLine(lines, c.bFullScreen ? "Mode : Window" : "Mode : Fullscreen"), -1) << name;
        // Memory for DirectDraw's surfaces is reported under DirectDraw only.
        const bool directDraw = std::string(c.backEnd) == "Direct3D=0";
        EXPECT_EQ(FindLine(lines, "VRAM Total : ") >= 0, directDraw) << name;
        EXPECT_EQ(FindLine(lines, "---デバイス0") >= 0, !directDraw) << name;
    }
}
