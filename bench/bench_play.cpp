// Frames of play, in this process with the whole program (window on the
// dummy video driver, no sound card): the sample game's first stage and a
// heavy stage made here, at 500, 1,000 and 2,000 walking characters. Each
// frame of play is timed on the game thread's processor clock: the frame
// (logic and picture), then the picture drawn once more on its own; the
// logic is the difference. Peak resident memory is the process's high-water
// mark, reset before each run.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "actors/shot.h"
#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/heavy_stage.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "platform/input/input_script.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWarmFrames = 90;     // frames of play before the measure (shots build up)
constexpr int kMeasuredFrames = 120;
constexpr double kFrameMs = 1000.0 / 60;

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct PLAYTIMES {
    std::vector<double> vLogic, vDraw;
    std::vector<double> vCharas, vShots;
    uint64_t nSum = 14695981039346656037ull;  // the play's checksum over the measured frames
    int nPlayed = 0;
};
PLAYTIMES g_Times;

class cTimedPlay : public cPlayScene {
public:
    void Run() override {
        if (nState != PLAYSTATE_PLAY || !World.Hero() || g_Times.nPlayed >= kWarmFrames + kMeasuredFrames) {
            cPlayScene::Run();
            return;
        }
        const double t0 = ThreadCpuMs();
        cPlayScene::Run();
        const double t1 = ThreadCpuMs();
        Draw(1, 1, 0, 1);
        const double t2 = ThreadCpuMs();
        if (++g_Times.nPlayed > kWarmFrames) {
            g_Times.vLogic.push_back(std::max(0.0, (t1 - t0) - (t2 - t1)));
            g_Times.vDraw.push_back(t2 - t1);
            g_Times.vCharas.push_back(static_cast<double>(World.lstStageChara.size()));
            g_Times.vShots.push_back(static_cast<double>(World.lstShots.size()));
            apptest::FoldPlay(g_Times.nSum, *this);
        }
        if (g_Times.nPlayed == kWarmFrames + kMeasuredFrames) PostCloseMain();
    }
};

cScene* TimedScenes(int n) { return n == SCENE_PLAY ? new cTimedPlay() : CreateStandardScene(n); }

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The peak resident memory in MB since the last reset.
double PeakMb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void ResetRun() {
    ResetAppState();
    g_Times = PLAYTIMES{};
}

// Plays `stage` (a command-line path in the game folder) once; false when
// the program ended before the frames were measured.
bool PlayOnce(const fs::path& game, const std::string& stage) {
    ResetRun();
    cEnvGuard env;
    apptest::SetWindowRunEnv(env);
    env.Set("QV_EC_LOG", "0");
    env.Set("SDL_VIDEODRIVER", "dummy");
    env.Set("QV_AUTO_ANSWER", "1");
    env.Set("QV_MAX_FRAMES", "3000");  // a run that never reaches play ends
    cWorkDirGuard cwd(game);
    SetSceneFactory(TimedScenes);
    ResetPeak();
    const int code = WinMain(stage, 1);
    SetSceneFactory(CreateStandardScene);
    if (static_cast<int>(g_Times.vLogic.size()) != kMeasuredFrames)
        std::fprintf(stderr, "%s: the program ended with %d after %d frames of play\n", stage.c_str(), code,
                     g_Times.nPlayed);
    return static_cast<int>(g_Times.vLogic.size()) == kMeasuredFrames;
}

void PlayStage(benchmark::State& state, const std::string& name, int charas) {
    cTempDir dir;
    apptest::MakeGameFolder(dir.Path(), apptest::WindowedIni());
    std::string stage = "data\\stg4\\stage1-1.stg4";
    if (charas > 0) {
        if (!apptest::WriteHeavyStage(dir.Path() / "data" / "stg4" / "heavy.stg4", charas)) {
            state.SkipWithError("the heavy stage was not written");
            return;
        }
        stage = "data\\stg4\\heavy.stg4";
    }
    std::vector<double> logic, draw, peak, shots, count;
    uint64_t sum = 0;
    for (auto _ : state) {
        if (!PlayOnce(dir.Path(), stage)) {
            state.SkipWithError("the stage did not play");
            return;
        }
        logic.push_back(Median(g_Times.vLogic));
        draw.push_back(Median(g_Times.vDraw));
        count.push_back(Median(g_Times.vCharas));
        shots.push_back(Median(g_Times.vShots));
        peak.push_back(PeakMb());
        if (sum != 0 && sum != g_Times.nSum) {
            state.SkipWithError("two runs of the stage played differently");
            return;
        }
        sum = g_Times.nSum;
        state.SetIterationTime((logic.back() + draw.back()) / 1e3);
    }
    const double l = Median(logic), d = Median(draw);
    state.counters["logic_ms"] = l;
    state.counters["draw_ms"] = d;
    state.counters["frame_share_pct"] = 100 * (l + d) / kFrameMs;
    state.counters["peak_MB"] = Median(peak);
    state.counters["charas"] = Median(count);
    state.counters["shots"] = Median(shots);
    std::printf("%-24s logic %6.3f ms  drawing %6.3f ms  frame %6.3f ms = %5.1f %% of 16.7 ms  peak %6.1f MB"
                "  (%0.f characters, %0.f shots; median of %zu runs)  checksum %016llx\n",
                name.c_str(), l, d, l + d, 100 * (l + d) / kFrameMs, Median(peak), Median(count), Median(shots),
                logic.size(), static_cast<unsigned long long>(sum));
}

void BM_FirstStage(benchmark::State& state) { PlayStage(state, "first stage", 0); }
void BM_HeavyStage(benchmark::State& state) {
    PlayStage(state, "heavy stage " + std::to_string(state.range(0)), static_cast<int>(state.range(0)));
}

BENCHMARK(BM_FirstStage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HeavyStage)->Arg(500)->Arg(1000)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
