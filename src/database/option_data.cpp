#include "database/option_data.h"

#include <algorithm>

#include "database/data_paths.h"
#include "records/version.h"

cOptionData OptionData;

cOptionData::cOptionData() { Reset(); }

void cOptionData::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nPalette);
    AddIntField(&bBgm);
    AddIntField(&nSEVolume);
    AddIntField(&nRankMode);
    AddStringField(&strRankName);
}

void cOptionData::Reset() {
    Clear();
    bBgm = 1;
    nSEVolume = 7;
    strRankName = "aaa";
}

void cOptionData::ClampValues() {
    nPalette = std::clamp(nPalette, 0, OPTION_PALETTE_MAX);
    bBgm = bBgm ? 1 : 0;
    nSEVolume = std::clamp(nSEVolume, 0, OPTION_SE_VOLUME_MAX);
    nRankMode = std::clamp(nRankMode, 0, OPTION_RANK_MODE_MAX);
}

int LoadOptionData() {
    const int ok = LoadRecordFileWhole(OptionData, PathTable[PATH_OPTION]);
    OptionData.ClampValues();
    return ok;
}

int SaveOptionData() { return OptionData.SaveToFile(PathTable[PATH_OPTION]); }
