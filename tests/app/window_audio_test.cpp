// The sample game with a real window (the test's X server) and the real
// audio path: SDL's disk driver writes the mixed output to a file while the
// title's music plays and the first stage starts; the file must hold sound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/game_folder.h"
#include "support/temp_dir.h"

using namespace apptest;

TEST(WindowAudioTest, TheMusicReachesTheAudioDeviceFromTitleToPlay) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X server";
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    // A new story in slot 1, the map walked right onto the first stage, accepted.
    std::ofstream(dir.Path() / "keys.txt") << "40 Z down\n42 Z up\n100 Z down\n102 Z up\n200 RIGHT down\n"
                                              "202 RIGHT up\n240 UP down\n242 UP up\n260 Z down\n262 Z up\n";
    const std::map<std::string, std::string> env = {{"SDL_VIDEODRIVER", ""},
                                                     {"SDL_AUDIODRIVER", "disk"},
                                                     {"SDL_DISKAUDIOFILE", dir.File("audio.raw")},
                                                     {"SDL_RENDER_DRIVER", "software"},
                                                     {"QV_FAST", "1"},
                                                     {"QV_AUTO_ANSWER", "1"},
                                                     {"QV_EC_LOG", "1"},
                                                     {"QV_INPUT", dir.File("keys.txt")},
                                                     {"QV_MAX_FRAMES", "500"}};
    const GAMERUN run = RunGame(dir.Path(), env);
    ASSERT_EQ(run.nExitCode, 0) << run.strReport;
    EXPECT_NE(ReadText(dir.Path() / "EC_Game.txt").find("Out SetStage"), std::string::npos) << "play was not reached";
    // The device takes 32-bit float samples: the output's loudness (RMS) must
    // be well above silence.
    size_t n = 0;
    const double rms = AudioRms(dir.File("audio.raw"), n);
    ASSERT_GT(n, 11025u) << "less than a quarter second written";
    EXPECT_GT(rms, 0.01) << n << " samples";
}
