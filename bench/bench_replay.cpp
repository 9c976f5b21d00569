// Replay playback of the sample game's first stage, headless with drawing:
// the kept replay (tests/data/replay) played from the command line, looping
// as a replay does at the end of its log. Two runs of different lengths are
// timed and their difference divided by the difference of their frames, so
// that the program's start and end fall out of the measure.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/game_folder.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr int kShortRun = 600;
constexpr int kLongRun = 6600;

// Seconds that a run of `frames` frames takes; negative when it failed.
double TimedRun(const fs::path& game, int frames) {
    auto env = apptest::HeadlessEnv(frames);
    env.erase("QV_EC_LOG");
    const auto start = std::chrono::steady_clock::now();
    const apptest::GAMERUN run = apptest::RunGame(game, env, {"user_data\\rpl4\\kept.rpl4_825"}, 600000);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (run.nExitCode != 0 || run.strReport.find("QV_MAX_FRAMES") == std::string::npos) return -1;
    return took.count();
}

void BM_ReplayPlayback(benchmark::State& state) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), apptest::WindowedIni());
    fs::create_directories(dir.Path() / "user_data" / "rpl4");
    fs::copy_file(fs::path(QV_TEST_DATA_DIR) / "replay" / "stage1-1.rpl4_825",
                  dir.Path() / "user_data" / "rpl4" / "kept.rpl4_825");
    double sum = 0;
    int runs = 0;
    for (auto _ : state) {
        const double a = TimedRun(dir.Path(), kShortRun);
        const double b = TimedRun(dir.Path(), kLongRun);
        if (a < 0 || b < 0 || b <= a) {
            state.SkipWithError("the replay did not play");
            return;
        }
        state.SetIterationTime(b - a);
        sum += (kLongRun - kShortRun) / (b - a);
        ++runs;
    }
    state.counters["fps"] = sum / runs;
    std::printf("replay playback of the first stage, headless with drawing: %.0f frames per second\n", sum / runs);
}
BENCHMARK(BM_ReplayPlayback)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
