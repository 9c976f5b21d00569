// The start of the game program, headless, on the sample game written by its
// generator: from the process's start to the first presented frame, and the
// peak resident memory at that point, beside the time of the system report
// alone (which measures the processor's clock). The program writes these
// times itself when QV_STARTUP_LOG names a file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_folder.h"
#include "support/temp_dir.h"

namespace {

// The number after prefix in the log; -1 when the line is missing.
double LogNumber(const std::string& log, const std::string& prefix) {
    const auto at = log.find(prefix);
    return at == std::string::npos ? -1 : std::atof(log.c_str() + at + prefix.size());
}

void BM_StartToFirstFrame(benchmark::State& state) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), apptest::WindowedIni());
    auto env = apptest::HeadlessEnv(10);
    env.erase("QV_EC_LOG");
    env["QV_STARTUP_LOG"] = dir.File("startup.txt");
    double sumMs = 0, sumReportMs = 0, sumMainMs = 0, peakMb = 0;
    int runs = 0;
    for (auto _ : state) {
        const apptest::GAMERUN run = apptest::RunGame(dir.Path(), env);
        const std::string log = apptest::ReadText(dir.Path() / "startup.txt");
        const double frame = LogNumber(log, "first frame ");
        const double memKb = LogNumber(log, "peak memory ");
        if (run.nExitCode != 0 || frame < 0 || memKb < 0) {
            state.SkipWithError("the game did not present a frame");
            return;
        }
        state.SetIterationTime(frame / 1000.0);
        sumMs += frame;
        sumMainMs += LogNumber(log, "main ");
        sumReportMs += LogNumber(log, " took ");
        peakMb = std::max(peakMb, memKb / 1024.0);
        ++runs;
    }
    state.counters["first_frame_ms"] = sumMs / runs;
    state.counters["main_ms"] = sumMainMs / runs;
    state.counters["system_report_ms"] = sumReportMs / runs;
    state.counters["peak_rss_MB"] = peakMb;
    std::printf("process start to first frame %.1f ms (to main %.1f ms, system report alone %.1f ms), "
                "peak memory %.1f MB\n",
                sumMs / runs, sumMainMs / runs, sumReportMs / runs, peakMb);
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
