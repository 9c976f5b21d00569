// Loading and saving a large stage from memory: a 500 x 100 grid full of
// blocks and 2,000 characters, each with ten flows of ten commands; beside
// them a plain copy of the file's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "records/data_stream.h"
#include "records/version.h"
#include "stage/shared_records.h"
#include "stage/stage_data.h"

namespace {

cFlow BenchFlow(int n) {
    cFlow f;
    f.nTrigger = static_cast<uint8_t>(1 + n % 5);
    f.nFlowID = static_cast<uint8_t>(n);
    cEdCond cond;
    cond.nKind = 1;
    cond.nValue = n;
    f.vCond.push_back(cond);
    for (int k = 0; k < 10; ++k) {
        cFlowCmd c;
        c.nTime = static_cast<int16_t>(k + 1);
        switch (k % 4) {
        case 0:
            c.nCode = CMD_STRAIGHT_MOVE;
            cEdMove::Create(c.spMove);
            c.spMove->nAngle = static_cast<int16_t>(k * 30);
            break;
        case 1:
            c.nCode = CMD_SHOT;
            cEdShot::Create(c.spShot);
            c.spShot->nShotNum = 2;
            break;
        case 2:
            c.nCode = CMD_JUMP;
            c.vParam.assign(5, k);
            break;
        default:
            c.nCode = CMD_WAIT;
            break;
        }
        f.vCmd.push_back(c);
    }
    return f;
}

// The stage file; `nFlows` flows per character (10, or 0 to time the rest alone).
std::vector<uint8_t> MakeBigStageFile(int nFlows) {
    cStageData s;
    s.nWidth = 500;
    s.nHeight = 100;
    cBlockData wall;
    wall.wGraphic = 3;
    s.vBlock.push_back(wall);
    cCharaData enemy;
    enemy.wGraphic = 5;
    for (int i = 0; i < nFlows; ++i) enemy.vFlow.push_back(BenchFlow(i));
    s.vChara.push_back(enemy);
    s.vPlacedBlock.reserve(500 * 100);
    for (uint16_t y = 0; y < 100; ++y)
        for (uint16_t x = 0; x < 500; ++x) {
            cBlockData b = wall;
            b.wCellX = x;
            b.wCellY = y;
            s.vPlacedBlock.push_back(b);
        }
    s.vPlacedChara.reserve(2000);
    for (int i = 0; i < 2000; ++i) {
        cCharaData c = enemy;
        c.byController = i == 0 ? CONTROLLER_PLAYER : CONTROLLER_COMPUTER;
        c.wCellX = static_cast<uint16_t>(i % 500);
        c.wCellY = static_cast<uint16_t>(i / 500);
        c.nItem = -1;
        s.vPlacedChara.push_back(c);
    }
    cDataWriter w;
    w.WriteU32(nDataVersion);
    s.Save(w);
    return w.TakeBytes();
}

const std::vector<uint8_t>& BigStageFile(int nFlows = 10) {
    static const std::vector<uint8_t> full = MakeBigStageFile(10);
    static const std::vector<uint8_t> noFlows = MakeBigStageFile(0);
    return nFlows ? full : noFlows;
}

void BM_LoadStage(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = BigStageFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        cDataReader r(bytes.data(), bytes.size());
        nReadVersion = r.ReadU32();
        auto s = std::make_unique<cStageData>();
        s->Load(r);
        if (r.Failed() || s->vPlacedChara.size() != 2000) state.SkipWithError("the stage did not load");
        benchmark::DoNotOptimize(s->vPlacedBlock.data());
        // Freeing the stage is not part of loading it.
        state.PauseTiming();
        s.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_SaveStage(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = BigStageFile();
    cDataReader r(bytes.data(), bytes.size());
    nReadVersion = r.ReadU32();
    cStageData s;
    s.Load(r);
    for (auto _ : state) {
        cDataWriter w;
        w.WriteU32(nDataVersion);
        s.Save(w);
        if (w.Size() != bytes.size()) state.SkipWithError("the saved stage differs in size");
        benchmark::DoNotOptimize(w.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = BigStageFile();
    std::vector<uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

}  // namespace

// Argument: flows per character (0 times the blocks and characters alone).
BENCHMARK(BM_LoadStage)->Arg(10)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveStage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
