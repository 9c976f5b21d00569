// The flow runner alone: 2,000 stage characters, each running one flow of
// ten commands (straight moves, status operations, a code command with an
// expression), for 600 frames of ten logic steps, beside a loop over the same
// characters that runs nothing. The stage is set up headless (no window):
// the characters' flows run as a frame of play runs them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "actors/flow_run.h"
#include "actors/flow_setup.h"
#include "database/global_objects.h"
#include "play/play_scene.h"
#include "sample_game/stages/stage_kit.h"
#include "stage/code_table.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

namespace {

constexpr int kCharas = 2000;
constexpr int kFrames = 600;
constexpr double kFrameMs = 1000.0 / 60;

// Status operation: the character's variable 1 (row 0, number 1) plus 3.
cFlowCmd AddToVariable() {
    cFlowCmd c = sample::Cmd(CMD_STATUS_OP, 0);
    c.vParam.assign(18, 0);
    c.vParam[2] = 1;   // variable number
    c.vParam[4] = 0;   // row: variables
    c.vParam[5] = 1;   // op: add
    c.vParam[7] = 3;   // operand: the constant 3
    return c;
}

cFlowCmd Code() {
    cFlowCmd c = sample::Cmd(CMD_CODE, 0);
    c.strText = "my.v2 = ( my.v1 + 7 ) * 2 - my.v2 / 3";
    return c;
}

// The flow: ten commands, each lasting one logic step or none.
void BuildFlowStage(cStageData& s) {
    sample::cStageKit k(s, 200, 15, "flows");
    k.AddBlock('G', "grass", 1);
    k.Fill(0, 13, 200, 2, 'G');
    k.PlaceBlocks();
    k.PlaceHero(2, 12);
    cCharaData c;
    c.strName = "runner";
    c.wGraphic = 2;
    c.byForce = 1;
    c.nMaxHP = 10;
    c.byFlying = 1;
    c.bySetting52 = 3;
    c.vFlow.push_back(sample::Flow(sample::TRG_ALWAYS,
                                   {sample::MoveCmd(CMD_STRAIGHT_MOVE, 0, 0, 10), AddToVariable(), Code(),
                                    sample::MoveCmd(CMD_STRAIGHT_MOVE, 0, 90, 10), AddToVariable(), Code(),
                                    sample::MoveCmd(CMD_STRAIGHT_MOVE, 0, 180, 10), AddToVariable(), Code(),
                                    sample::MoveCmd(CMD_STRAIGHT_MOVE, 0, 270, 10)}));
    const int p = k.AddChara(c);
    for (int i = 0; i < kCharas; ++i) k.PlaceChara(p, 5 + i % 190, 2 + (i / 190) % 10);
}

struct FLOWSCENE {
    std::unique_ptr<cPlayScene> lpScene;
    FLOWSCENE() {
        ResetPlayState();
        BuildFlowStage(PlayStage);
        lpScene = std::make_unique<cPlayScene>();
        SetCurrentPlayScene(lpScene.get());
        lpScene->SetStage(0, 1);
    }
    ~FLOWSCENE() {
        lpScene.reset();
        ResetPlayState();
    }
};

void BM_Flows(benchmark::State& state) {
    FLOWSCENE s;
    cPlayScene& scene = *s.lpScene;
    const int steps = PlayStage.nSteps;
    int64_t commands = 0;
    for (auto _ : state) {
        for (int f = 0; f < kFrames; ++f) {
            for (cStageChara& c : scene.World.lstStageChara) c.ClearFlowFrameFlags();
            for (int i = 1; i <= steps; ++i) {
                scene.nSubStep = i;
                for (cStageChara& c : scene.World.lstStageChara) {
                    const int64_t before = c.flows.empty() ? 0 : c.flows[0].current;
                    c.StartTriggeredFlows(TRIGGER_ALWAYS, lpWorld);
                    c.Update(0, lpWorld);
                    const int64_t after = c.flows.empty() ? 0 : c.flows[0].current;
                    // Each command lasts one step: the flow moves on by one each step.
                    if (after != before) ++commands;
                }
            }
        }
    }
    state.counters["commands_per_s"] = benchmark::Counter(static_cast<double>(commands), benchmark::Counter::kIsRate);
    state.counters["frames"] = benchmark::Counter(static_cast<double>(kFrames) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
    state.counters["charas"] = static_cast<double>(scene.World.lstStageChara.size());
}
BENCHMARK(BM_Flows)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

// The same walk over the characters, running nothing.
void BM_EmptyLoop(benchmark::State& state) {
    FLOWSCENE s;
    cPlayScene& scene = *s.lpScene;
    const int steps = PlayStage.nSteps;
    int64_t sum = 0;
    for (auto _ : state) {
        for (int f = 0; f < kFrames; ++f)
            for (int i = 1; i <= steps; ++i)
                for (cStageChara& c : scene.World.lstStageChara) {
                    benchmark::DoNotOptimize(c.nFrameValue1);
                    sum += c.nId;
                }
    }
    benchmark::DoNotOptimize(sum);
    state.counters["frames"] = benchmark::Counter(static_cast<double>(kFrames) * state.iterations(),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EmptyLoop)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("share of a frame: the time per frame (Time / %d) against %.1f ms\n", kFrames, kFrameMs);
    return 0;
}
