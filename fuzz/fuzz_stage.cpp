// libFuzzer harness over stage loading: any byte string is a stage file. A
// stream is either refused (the reader failed) or it loads whole, and then it
// saves and loads again to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "records/data_stream.h"
#include "records/services.h"
#include "records/version.h"
#include "stage/flow_refs.h"
#include "stage/stage_data.h"

namespace {

void Init() {
    RECORDSERVICES s;
    s.WriteEC = [](const char*) {};
    s.WriteReport = [](const char*) {};
    s.PostClose = [] {};
    SetRecordServices(s);
    FLOWDBCOUNTS db;
    db.nAnime = db.nAnimeSet = db.nCharaBmp = db.nEffect = db.nCharaEffect = 8;
    db.nScrEffect = db.nPicture = db.nSE = db.nBgm = 8;
    db.vSwordTime.assign(4, 12);
    SetFlowDbCounts(db);
}

std::vector<uint8_t> Save(cStageData& s) {
    cDataWriter w;
    w.WriteU32(nDataVersion);
    s.Save(w);
    return w.TakeBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (Init(), true);
    (void)once;
    ResetVersionState();
    cDataReader r(data, size);
    nReadVersion = r.ReadU32();
    if (r.Failed() || nReadVersion > nDataVersion) return 0;
    cStageData stage;
    stage.Load(r);
    if (r.Failed()) return 0;

    // A stage that loaded saves, and what it saves loads back to the same bytes.
    std::vector<uint8_t> first = Save(stage);
    cDataReader again(first.data(), first.size());
    nReadVersion = again.ReadU32();
    cStageData back;
    back.Load(again);
    if (again.Failed()) {
        std::fprintf(stderr, "saved stage refused on reload: %s\n", again.FailReason().c_str());
        std::abort();
    }
    const std::vector<uint8_t> second = Save(back);
    if (second != first) {
        size_t i = 0;
        while (i < first.size() && i < second.size() && first[i] == second[i]) ++i;
        std::fprintf(stderr, "saved stage changed on reload at byte %zu (%zu, %zu bytes)\n", i, first.size(),
                     second.size());
        std::abort();
    }
    return 0;
}
