// libFuzzer harness over stage loading: any byte string is a stage file,
// loaded while a common palette is set, so that definitions of template kind
// 1 inherit from it. A stream is either refused (the reader failed) or it
// loads whole, and then it saves and loads again to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "database/common_palette.h"
#include "fuzz_support.h"
#include "records/data_stream.h"
#include "records/services.h"
#include "records/version.h"
#include "stage/definition_context.h"
#include "stage/flow_refs.h"
#include "stage/stage_data.h"
#include "stage/sample_stage.h"

namespace {

// The common palette of every load: the sample stage's palette entries, so
// that a template of kind 1 and index 1 finds a floor, an enemy with a flow
// and a coin with a command.
cCommonPalette& Palette() {
    static cCommonPalette palette;
    return palette;
}

void Init() {
    fuzz::Quiet();
    FLOWDBCOUNTS db;
    db.nAnime = db.nAnimeSet = db.nCharaBmp = db.nEffect = db.nCharaEffect = 8;
    db.nScrEffect = db.nPicture = db.nSE = db.nBgm = 8;
    db.vSwordTime.assign(4, 12);
    SetFlowDbCounts(db);
    cStageData sample;
    BuildSampleStage(sample);
    cCommonPalette& p = Palette();
    p.vBlock.resize(1);
    p.vChara.resize(1);
    p.vItem.resize(1);
    for (auto& b : sample.vBlock) p.vBlock.push_back(b);
    for (auto& c : sample.vChara) p.vChara.push_back(c);
    for (auto& i : sample.vItem) p.vItem.push_back(i);
    p.CheckAndPad();
    SetCommonPalette(p.Lists());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = (Init(), true);
    (void)once;
    return fuzz::FuzzRecord<cStageData>(data, size, "stage");
}
