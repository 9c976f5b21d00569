#include "database/option_data.h"

#include <algorithm>

#include "database/data_paths.h"
#include "records/version.h"

cOptionData OptionData;

namespace {

using O = cOptionData;
constexpr FIELDROW<O> g_Rows[] = {
    {&O::nPalette, 4},
    {&O::bBgm, 4, 0, 0, 1},
    {&O::nSEVolume, 4, 0, 0, 7},
    {&O::nRankMode, 4},
    {&O::strRankName, 0, 0, 0, 0, "aaa"},
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cOptionData>> cOptionData::Rows() { return g_Rows; }

cOptionData::cOptionData() { Reset(); }

void cOptionData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cOptionData::Load(cDataReader& file) { LoadRows<g_Rows>(file, this); }

void cOptionData::Save(cDataWriter& file) { SaveRows<g_Rows>(file, this); }

void cOptionData::Reset() { DefaultRows<g_Rows>(this); }

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
