// libFuzzer harness over Option.dat: refused, or loaded whole and saved to
// bytes that load again to the same bytes; the clamped values stay in range.
#include <algorithm>

#include "database/option_data.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (fuzz::Quiet(), true);
    (void)once;
    cOptionData rec;
    if (fuzz::LoadRecordBytes(rec, data, size)) {
        fuzz::RequireRoundTrip(rec, "Option.dat");
        rec.ClampValues();
        if (rec.nPalette < 0 || rec.nPalette > OPTION_PALETTE_MAX || rec.nSEVolume < 0 ||
            rec.nSEVolume > OPTION_SE_VOLUME_MAX || rec.nRankMode < 0 || rec.nRankMode > OPTION_RANK_MODE_MAX)
            fuzz::Fail("Option.dat: a value out of range after clamping");
    }
    ResetVersionState();
    return 0;
}
