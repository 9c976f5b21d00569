// libFuzzer harness over the common palette (CommonPalette.cplt4): refused,
// or loaded whole and saved to bytes that load again to the same bytes.
#include "database/common_palette.h"
#include "fuzz_support.h"
#include "stage/flow_refs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = [] {
        fuzz::Quiet();
        FLOWDBCOUNTS db;
        db.nAnime = db.nAnimeSet = db.nCharaBmp = db.nEffect = db.nCharaEffect = 8;
        db.nScrEffect = db.nPicture = db.nSE = db.nBgm = 8;
        db.vSwordTime.assign(4, 12);
        SetFlowDbCounts(db);
        return true;
    }();
    (void)once;
    return fuzz::FuzzRecord<cCommonPalette>(data, size, "CommonPalette.cplt4");
}
