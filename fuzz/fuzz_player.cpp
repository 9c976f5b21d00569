// libFuzzer harness over the player's record files: the first byte picks the
// record (a story save slot, or a stage's ranking file), the rest is the
// file. Refused, or loaded whole and saved to bytes that load again to the
// same bytes.
#include "fuzz_support.h"
#include "player/ranking.h"
#include "player/save_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    if (size < 1) return 0;
    if (data[0] % 2 == 0) return fuzz::FuzzRecord<cSaveData>(data + 1, size - 1, "save slot");
    return fuzz::FuzzRecord<cRankingList>(data + 1, size - 1, "ranking file");
}
