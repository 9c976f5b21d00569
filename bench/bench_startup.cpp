// The start of the game program, headless: from the process's start to the
// first presented frame, and the peak resident memory at that point, beside
// the time of the system report alone (which measures the processor's clock).
// The game folder is the tests' minimal game.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_folder.h"
#include "support/temp_dir.h"

namespace {

long long MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// The number after prefix in the report; -1 when the line is missing.
long long ReportNumber(const std::string& report, const std::string& prefix) {
    const auto at = report.find(prefix);
    return at == std::string::npos ? -1 : std::atoll(report.c_str() + at + prefix.size());
}

void BM_StartToFirstFrame(benchmark::State& state) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), apptest::WindowedIni());
    auto env = apptest::HeadlessEnv(10);
    env.erase("QV_EC_LOG");
    double sumMs = 0, sumReportMs = 0, peakMb = 0;
    int runs = 0;
    for (auto _ : state) {
        const long long start = MonotonicNs();
        const apptest::GAMERUN run = apptest::RunGame(dir.Path(), env);
        const long long frame = ReportNumber(run.strReport, "Startup : first frame at ");
        const auto memAt = run.strReport.find("peak memory ");
        if (run.nExitCode != 0 || frame < 0 || memAt == std::string::npos) {
            state.SkipWithError("the game did not present a frame");
            return;
        }
        const double ms = static_cast<double>(frame - start) / 1e6;
        state.SetIterationTime(ms / 1000.0);
        sumMs += ms;
        sumReportMs += static_cast<double>(ReportNumber(run.strReport, "Startup : system report ")) / 1000.0;
        peakMb = std::max(peakMb, std::atof(run.strReport.c_str() + memAt + 12) / 1024.0);
        ++runs;
    }
    state.counters["first_frame_ms"] = sumMs / runs;
    state.counters["system_report_ms"] = sumReportMs / runs;
    state.counters["peak_rss_MB"] = peakMb;
    std::printf("start to first frame %.1f ms (system report alone %.1f ms), peak memory %.1f MB\n", sumMs / runs,
                sumReportMs / runs, peakMb);
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
