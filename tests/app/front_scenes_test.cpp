// Whole runs of the front-end scenes on the sample game with scripted keys
// (arrows, Z confirm, X cancel): the title menu, the options saved to
// Option.dat, the challenge list, the end item; the hand-over to play; the
// first settled frame of each scene against its golden frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/game_folder.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace apptest;

namespace {

// Script lines for taps of key at the given frames (down, up two frames later).
std::string Taps(const char* key, std::initializer_list<int> frames) {
    std::ostringstream s;
    for (int f : frames) s << f << ' ' << key << " down\n" << f + 2 << ' ' << key << " up\n";
    return s.str();
}

GAMERUN RunScript(const cTempDir& dir, const std::string& script, int maxFrames, const std::string& dump = {}) {
    MakeGameFolder(dir.Path(), WindowedIni());
    std::ofstream(dir.Path() / "keys.txt") << script;
    auto env = HeadlessEnv(maxFrames);
    env["QV_INPUT"] = dir.File("keys.txt");
    if (!dump.empty()) env["QV_FRAME_DUMP"] = dump;
    return RunGame(dir.Path(), env);
}

// The title's cursor to the options (row 5) and confirmed.
const std::string kToOptions = Taps("DOWN", {40, 46, 52, 58, 64}) + Taps("Z", {72});
const std::string kToChallenge = Taps("DOWN", {40, 46}) + Taps("Z", {52});

}  // namespace

TEST(FrontScenes, OptionsAreSavedAndTheEndItemClosesTheProgram) {
    cTempDir dir;
    // Options: volume 7 -> 8, music on -> off (down from 1 wraps to 0), then
    // a palette change cancelled; X back to the title, up three to the
    // challenge list, X back, down four to the end item.
    const std::string script = kToOptions + Taps("DOWN", {140, 146}) + Taps("Z", {152}) + Taps("UP", {160}) +
                               Taps("Z", {166}) + Taps("UP", {180}) + Taps("Z", {186}) + Taps("DOWN", {192}) +
                               Taps("Z", {198}) + Taps("UP", {204}) + Taps("Z", {210}) + Taps("DOWN", {216, 222}) +
                               Taps("X", {228}) + Taps("X", {240}) + Taps("UP", {300, 306, 312}) + Taps("Z", {320}) +
                               Taps("X", {390}) + Taps("DOWN", {460, 466, 472, 478}) + Taps("Z", {486});
    const GAMERUN run = RunScript(dir, script, 2000);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_EQ(run.strReport.find("QV_MAX_FRAMES"), std::string::npos) << "the end item did not close:\n"
                                                                      << run.strReport;
    EXPECT_NE(run.strReport.find("Message loop : WM_QUIT"), std::string::npos);
    // u32 825, four fields: palette 0 (its change cancelled), music 0, volume 8, mode 0; the name "aaa".
    const std::string want("\x39\x03\0\0\x04\0\0\0\0\0\0\0\0\0\0\0\x08\0\0\0\0\0\0\0\x01\0\0\0\x04\0\0\0aaa\0", 36);
    EXPECT_EQ(ReadText(dir.Path() / "user_data" / "Option.dat"), want);
    // The challenge record was made for the list (no file yet): nothing written by looking.
    EXPECT_FALSE(fs::exists(dir.Path() / "user_data" / "challenge" / "Challenge.dat"));
}

TEST(FrontScenes, AChallengeStageIsLoadedAndHandedToPlay) {
    cTempDir dir;
    const GAMERUN run = RunScript(dir, kToChallenge + Taps("Z", {130}), 400);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_EQ(run.strReport.find("読み込めません"), std::string::npos) << run.strReport;
    // The play scene takes the stage over and sets it up.
    EXPECT_EQ(run.strReport.find("no scene object"), std::string::npos) << run.strReport;
    EXPECT_NE(ReadText(dir.Path() / "EC_Game.txt").find("Out SetStage"), std::string::npos);
}

TEST(FrontScenes, ADamagedStageEnteredFromTheMapClosesTheProgramWithAFailure) {
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    const fs::path stage = dir.Path() / "data" / "stg4" / "stage1-1.stg4_825";
    ASSERT_TRUE(fs::exists(stage));
    fs::resize_file(stage, fs::file_size(stage) / 2);
    // A new story in slot 1; on the map a step right onto the first stage, accepted.
    std::ofstream(dir.Path() / "keys.txt") << Taps("Z", {40, 100}) + Taps("RIGHT", {220}) + Taps("UP", {250}) +
                                                  Taps("Z", {265});
    auto env = HeadlessEnv(600);
    env["QV_INPUT"] = dir.File("keys.txt");
    const GAMERUN run = RunGame(dir.Path(), env);
    // An orderly close, but no success: the exit code and the report log say why.
    EXPECT_NE(run.nExitCode, 0) << run.strReport;
    EXPECT_NE(run.nExitCode, -1) << "not an orderly close";
    EXPECT_EQ(run.strReport.find("QV_MAX_FRAMES"), std::string::npos) << run.strReport;
    EXPECT_NE(run.strReport.find("App : closed because of a fault : ステージファイル data\\stg4\\stage1-1"),
              std::string::npos)
        << run.strReport;
}

TEST(FrontScenes, FirstSettledFramesMatchTheGoldenFramesUnderBothBackEnds) {
    struct CASE {
        const char* name;
        std::string script;
        int frames;
        std::vector<std::string> args;
    };
    // A new story in slot 1 reaches the map; X opens its menu; a stage file
    // given on the command line is in play after its banners.
    const std::string toMap = Taps("Z", {40, 100});
    const CASE cases[] = {{"front_title", "", 160, {}},
                          {"front_option", kToOptions, 160, {}},
                          {"front_challenge", kToChallenge, 160, {}},
                          {"front_world_map", toMap, 260, {}},
                          {"front_map_menu", toMap + Taps("X", {200}), 300, {}},
                          {"front_play", "", 400, {"data\\stg4\\stage1-1.stg4_825"}}};
    for (const bool d3d : {false, true}) {
        for (const CASE& c : cases) {
            const std::string name = std::string(c.name) + (d3d ? "_d3d" : "");
            cTempDir dir;
            std::string ini = WindowedIni();
            if (d3d) ini.replace(0, 10, "Direct3D=1");
            MakeGameFolder(dir.Path(), ini);
            std::ofstream(dir.Path() / "keys.txt") << c.script;
            auto env = HeadlessEnv(c.frames);
            env["QV_INPUT"] = dir.File("keys.txt");
            env["QV_FRAME_DUMP"] = dir.File("frame.bmp");
            const GAMERUN run = RunGame(dir.Path(), env, c.args);
            ASSERT_EQ(run.nExitCode, 0) << name << "\n" << run.strReport;
            GOLDENFRAME frame, half;
            ASSERT_TRUE(ReadBmp24(dir.File("frame.bmp"), frame)) << name;
            // Every second pixel of every second row keeps the golden files small.
            half.width = frame.width / 2;
            half.height = frame.height / 2;
            for (int y = 0; y < half.height; ++y)
                for (int x = 0; x < half.width; ++x) half.pixels.push_back(frame.pixels[2 * y * frame.width + 2 * x]);
            EXPECT_EQ(CompareGolden(name, half), "") << name;
        }
    }
}
