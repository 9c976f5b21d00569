// The game program on the sample game with its own System.ini (Direct3D)
// and again with DirectDraw, headless, on the machine's clock (no QV_FAST):
// 600 frames of the title each, and the rate they were presented at, from
// the report log's frame-limit line. Exit status 1 when a back end is off
// 60 by 1 % or more.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/game_folder.h"
#include "support/temp_dir.h"

namespace {

constexpr int FRAMES = 600;

// The rate of one run; -1 when the run failed.
double RunAt(bool direct3D) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), "");
    std::string ini = apptest::ReadText(dir.Path() / "System.ini");
    const auto at = ini.find("Direct3D=1");
    if (at == std::string::npos) return -1;
    if (!direct3D) ini.replace(at, 10, "Direct3D=0");
    std::ofstream(dir.Path() / "System.ini", std::ios::binary | std::ios::trunc) << ini;
    auto env = apptest::HeadlessEnv(FRAMES);
    env.erase("QV_FAST");
    env.erase("QV_EC_LOG");
    const apptest::GAMERUN run = apptest::RunGame(dir.Path(), env);
    const auto line = run.strReport.find("frames run, closing (");
    if (run.nExitCode != 0 || line == std::string::npos) return -1;
    return std::atof(run.strReport.c_str() + line + 21);
}

}  // namespace

int main() {
    bool ok = true;
    for (const bool direct3D : {true, false}) {
        const double fps = RunAt(direct3D);
        const bool within = fps > 0 && std::fabs(fps - 60.0) < 0.6;
        std::printf("%-10s %d frames of the sample game in real time: %.3f fps %s\n",
                    direct3D ? "Direct3D" : "DirectDraw", FRAMES, fps, within ? "OK" : "OUT OF BOUNDS");
        ok = ok && within;
    }
    return ok ? 0 : 1;
}
