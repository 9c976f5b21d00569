// Loading and saving a large stage from memory: a 500 x 100 grid full of
// blocks and 2,000 characters, each with ten flows of ten commands; beside
// them a plain copy of the file's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "records/data_stream.h"
#include "records/version.h"
#include "bench/big_stage.h"

namespace {

// The stage file; `nFlows` flows per character (10, or 0 to time the rest alone).
std::vector<uint8_t> MakeBigStageFile(int nFlows) {
    cDataWriter w;
    w.WriteU32(nDataVersion);
    bench::MakeBigStage(nFlows)->Save(w);
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
