// libFuzzer harness over the player's record files: the first byte picks the
// record (a story save slot, a stage's ranking file, or a replay file), the
// rest is the file. Save slots and rankings are refused, or loaded whole and
// saved to bytes that load again to the same bytes; a replay is read through
// its own file reader, which must refuse it or load it without fault.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "player/key_log.h"
#include "player/ranking.h"
#include "records/version.h"
#include "player/save_data.h"
#include "stage/stage_data.h"

namespace {

// The replay reader reads a file: one scratch file per process, removed at exit.
struct SCRATCH {
    std::string path = "/tmp/fuzz_replay_" + std::to_string(getpid()) + ".rpl4_825";
    ~SCRATCH() { std::remove(path.c_str()); }
};

int FuzzReplay(const uint8_t* data, size_t size) {
    static const SCRATCH scratch;
    const std::string& path = scratch.path;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    cKeyLog log;
    cStageData stage, copy;
    cSaveData save;
    log.LoadReplay(path, stage, copy, save);
    ResetVersionState();
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    if (size < 1) return 0;
    if (data[0] % 3 == 0) return fuzz::FuzzRecord<cSaveData>(data + 1, size - 1, "save slot");
    if (data[0] % 3 == 1) return fuzz::FuzzRecord<cRankingList>(data + 1, size - 1, "ranking file");
    return FuzzReplay(data + 1, size - 1);
}
