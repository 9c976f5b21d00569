#include "stage/stage_file.h"

#include "records/data_file.h"
#include "records/version.h"
#include "stage/stage_data.h"

bool IsStageTrailerWhole(const std::string& path) {
    auto file = OpenDataFileRead(path.c_str());
    if (!file) return true;
    if (nReadVersion < STAGE_TRAILER_CHECK_VERSION) {
        CloseDataFile(file);
        return true;
    }
    uint32_t trailer = 0;
    if (file->Remaining() >= 4) {
        file->Skip(file->Remaining() - 4);
        trailer = file->ReadU32();
    }
    CloseDataFile(file);
    return trailer == STAGE_TRAILER;
}

void CopyStageHeader(cStageData& out, cStageData& src) {
    out.CopyValues(src);
    out.vBg = src.vBg;
    out.vText = src.vText;
    for (int i = 0; i < INTREC_NUM; ++i) out.StageIntRec[i] = src.StageIntRec[i];
    out.vRankSwitch = src.vRankSwitch;
    out.vPlacedBlock.clear();
    out.vPlacedChara.clear();
    out.vPlacedItem.clear();
    out.vBlock.clear();
    out.vChara.clear();
    out.vItem.clear();
}
