// Stored records saved to memory and loaded back: a large database (the ten
// lists, thousands of entries), the system settings and a large stage (a
// 500 x 100 grid of blocks, 2,000 characters with ten flows of ten commands).
// Beside each round trip a plain copy of as many bytes as it saves, and the
// stage's round trip once more with its save, load and free timed apart.
//
// A round trip is: the record saved into a new stream, then loaded from it
// into a new record, which is freed at the end of the iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/big_stage.h"
#include "database/database.h"
#include "database/system_data.h"
#include "records/data_stream.h"
#include "records/version.h"

namespace {

// Arguments of both benchmarks.
enum : int { CASE_DATABASE = 0, CASE_SYSTEM = 1, CASE_STAGE = 2 };

// ---- database ----

std::string Name(const char* kind, int i) { return std::string(kind) + std::to_string(i) + ".bmp"; }

// Every list of the database a few thousand entries long (fewer sets and
// sword types, which hold lists of their own).
std::unique_ptr<cDatabase> MakeBigDatabase() {
    auto db = std::make_unique<cDatabase>();
    db->vAnimeSet.resize(200);
    for (int i = 0; i < 200; ++i) InitAnimeSetEntry(db->vAnimeSet[i]);
    db->vAnime.resize(2000);
    for (int i = 0; i < 2000; ++i) {
        db->vAnime[i].strName = Name("anime", i);
        db->vAnime[i].ResizeFrames(8);
    }
    db->vCharaBmp.resize(2000);
    for (int i = 0; i < 2000; ++i) db->vCharaBmp[i].strFile = Name("chara", i);
    db->vSwordType.resize(500);
    for (int i = 0; i < 500; ++i) {
        db->vSwordType[i].strName = Name("sword", i);
        db->vSwordType[i].vFrame.resize(8);
    }
    db->vEffect.resize(1000);
    for (int i = 0; i < 1000; ++i) {
        db->vEffect[i].strFile = Name("effect", i);
        db->vEffect[i].vFrame.resize(8, cPairRecord(i, 1));
    }
    db->vCharaEffect.resize(2000);
    db->vScrEffect.resize(2000);
    for (int i = 0; i < 2000; ++i) {
        db->vCharaEffect[i].strName = Name("ce", i);
        db->vScrEffect[i].strName = Name("se", i);
    }
    db->vPicture.resize(2000);
    db->vSound.resize(2000);
    db->vBgm.resize(2000);
    for (int i = 0; i < 2000; ++i) {
        db->vPicture[i].strFile = Name("picture", i);
        db->vSound[i].strFile = Name("sound", i);
        db->vBgm[i].strFile = Name("bgm", i);
    }
    return db;
}

// The ten lists one after the other, each as its list file holds it.
void SaveDatabase(cDataWriter& w, cDatabase& db) {
    SaveRecordVector(w, db.vAnimeSet);
    SaveRecordVector(w, db.vAnime);
    SaveRecordVector(w, db.vCharaBmp);
    SaveRecordVector(w, db.vSwordType);
    SaveRecordVector(w, db.vEffect);
    SaveRecordVector(w, db.vCharaEffect);
    SaveRecordVector(w, db.vScrEffect);
    SaveRecordVector(w, db.vPicture);
    SaveRecordVector(w, db.vSound);
    SaveRecordVector(w, db.vBgm);
}

void LoadDatabase(cDataReader& r, cDatabase& db) {
    LoadRecordVector(r, db.vAnimeSet);
    LoadRecordVector(r, db.vAnime);
    LoadRecordVector(r, db.vCharaBmp);
    LoadRecordVector(r, db.vSwordType);
    LoadRecordVector(r, db.vEffect);
    LoadRecordVector(r, db.vCharaEffect);
    LoadRecordVector(r, db.vScrEffect);
    LoadRecordVector(r, db.vPicture);
    LoadRecordVector(r, db.vSound);
    LoadRecordVector(r, db.vBgm);
}

// ---- the cases ----

// One case: saves its record into a stream; loads a stream into a new record
// (false when the load failed).
struct CASE {
    std::function<void(cDataWriter&)> save;
    std::function<bool(cDataReader&)> load;
};

cStageData& BigStage() {
    static const std::unique_ptr<cStageData> stage = bench::MakeBigStage();
    return *stage;
}

const CASE& GetCase(int which) {
    static const std::unique_ptr<cDatabase> db = MakeBigDatabase();
    static const auto sys = std::make_unique<cSystemData>();
    static const CASE cases[] = {
        {[](cDataWriter& w) { SaveDatabase(w, *db); },
         [](cDataReader& r) {
             auto d = std::make_unique<cDatabase>();
             LoadDatabase(r, *d);
             benchmark::DoNotOptimize(d->vBgm.data());
             return !r.Failed();
         }},
        {[](cDataWriter& w) { sys->Save(w); },
         [](cDataReader& r) {
             auto s = std::make_unique<cSystemData>();
             s->Load(r);
             benchmark::DoNotOptimize(s.get());
             return !r.Failed();
         }},
        {[](cDataWriter& w) { BigStage().Save(w); },
         [](cDataReader& r) {
             auto s = std::make_unique<cStageData>();
             s->Load(r);
             benchmark::DoNotOptimize(s->vPlacedBlock.data());
             return !r.Failed() && s->vPlacedChara.size() == 2000;
         }},
    };
    return cases[which];
}

// Bytes that a case saves.
size_t SavedBytes(int which) {
    cDataWriter w;
    GetCase(which).save(w);
    return w.Size();
}

void SetLabel(benchmark::State& state, size_t bytes) {
    static const char* const names[] = {"database", "system", "stage"};
    state.SetLabel(std::string(names[state.range(0)]) + ", " + std::to_string(bytes) + " bytes");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_SaveLoadRoundTrip(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const CASE& c = GetCase(which);
    nReadVersion = nDataVersion;
    size_t bytes = 0;
    for (auto _ : state) {
        cDataWriter w;
        c.save(w);
        bytes = w.Size();
        cDataReader r(w.Bytes().data(), w.Size());
        if (!c.load(r) || r.Remaining() != 0) {
            state.SkipWithError("the saved record did not load back whole");
            break;
        }
    }
    SetLabel(state, bytes);
}

void BM_Memcpy(benchmark::State& state) {
    const size_t bytes = SavedBytes(static_cast<int>(state.range(0)));
    std::vector<uint8_t> src(bytes, 0x5A), dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    SetLabel(state, bytes);
}

// The stage's round trip in its three steps, each one's mean time a counter
// in milliseconds: where the time of the round trip goes.
void BM_StageRoundTripSteps(benchmark::State& state) {
    using CLOCK = std::chrono::steady_clock;
    const auto ms = [](CLOCK::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    cStageData& stage = BigStage();
    nReadVersion = nDataVersion;
    double save = 0, load = 0, free = 0;
    for (auto _ : state) {
        const auto t0 = CLOCK::now();
        cDataWriter w;
        stage.Save(w);
        const auto t1 = CLOCK::now();
        cDataReader r(w.Bytes().data(), w.Size());
        auto s = std::make_unique<cStageData>();
        s->Load(r);
        benchmark::DoNotOptimize(s->vPlacedBlock.data());
        const auto t2 = CLOCK::now();
        if (r.Failed()) {
            state.SkipWithError("the saved stage did not load back");
            break;
        }
        s.reset();
        const auto t3 = CLOCK::now();
        save += ms(t1 - t0);
        load += ms(t2 - t1);
        free += ms(t3 - t2);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["save_ms"] = save / n;
    state.counters["load_ms"] = load / n;
    state.counters["free_ms"] = free / n;
}

}  // namespace

// Argument: 0 the database, 1 the system settings, 2 the stage.
BENCHMARK(BM_SaveLoadRoundTrip)->DenseRange(CASE_DATABASE, CASE_STAGE)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memcpy)->DenseRange(CASE_DATABASE, CASE_STAGE)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StageRoundTripSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
