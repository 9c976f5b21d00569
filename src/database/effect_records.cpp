#include "database/effect_records.h"

#include <span>

#include "records/text_rows.h"
#include "records/version.h"

// A current stream needs no parameter fix-up: runs of it are taken in bulk.
static_assert(DATA_VERSION >= EFFECT_PARAM_FIX_VERSION);

namespace {

// A parameter that old files hold with another meaning, and the default of
// the effect kind's parameter table that replaces it.
struct OLDPARAMFIX {
    int32_t nKind;
    int nParam;      // index into nParam
    int16_t nValue;  // the table default
};

// Character effects: the wave coarseness of kinds 4 and 5, the circle coarseness of kind 10.
constexpr OLDPARAMFIX CharaEffectFix[] = {{4, 4, 2}, {5, 4, 2}, {10, 3, 2}};
// Screen effects: kinds 6 and 7 (parameter 5) and 10 (parameter 4).
constexpr OLDPARAMFIX ScrEffectFix[] = {{6, 4, 8}, {7, 4, 10}, {10, 3, 8}};

void FixOldParams(cEffectData& e, std::span<const OLDPARAMFIX> fixes) {
    if (nReadVersion >= EFFECT_PARAM_FIX_VERSION) return;
    for (const OLDPARAMFIX& f : fixes)
        if (e.nKind == f.nKind) e.nParam[f.nParam] = f.nValue;
}

constexpr FIELDROW<cEffectData> g_Rows[] = {
    {&cEffectData::strName, 0},
    {&cEffectData::nKind, 4, 0, 0, 1},
    {&cEffectData::nParam, 4},  // one field of five
};
static_assert(WidthsMatch(g_Rows), "a width column disagrees with its member");

}  // namespace

std::span<const FIELDROW<cEffectData>> cEffectData::Rows() { return g_Rows; }

cEffectData::cEffectData() { DefaultRows<g_Rows>(this); }

void cEffectData::Layout(uint32_t version) { LayoutRows(Rows(), version, this); }

void cEffectData::Load(cDataReader& file) { LoadRows<g_Rows>(file, this); }

void cEffectData::Save(cDataWriter& file) { SaveRows<g_Rows>(file, this); }

void cCharaEffect::Load(cDataReader& file) {
    cEffectData::Load(file);
    if (!file.Failed()) FixOldParams(*this, CharaEffectFix);
}

void cScrEffect::Load(cDataReader& file) {
    cEffectData::Load(file);
    if (!file.Failed()) FixOldParams(*this, ScrEffectFix);
}

void cCharaEffect::LoadRun(cDataReader& file, cCharaEffect* elems, size_t n) {
    LoadTextRowRecords<g_Rows>(file, elems, n);
}

void cCharaEffect::SaveRun(cDataWriter& file, cCharaEffect* elems, size_t n) {
    SaveTextRowRecords<g_Rows>(file, elems, n);
}

void cScrEffect::LoadRun(cDataReader& file, cScrEffect* elems, size_t n) { LoadTextRowRecords<g_Rows>(file, elems, n); }

void cScrEffect::SaveRun(cDataWriter& file, cScrEffect* elems, size_t n) { SaveTextRowRecords<g_Rows>(file, elems, n); }

void cCharaEffect::AppendLoaded(cDataReader& file, std::vector<cCharaEffect>& v, size_t n) {
    AppendTextRows<g_Rows>(file, v, n, UNTAKEN{});
}

void cScrEffect::AppendLoaded(cDataReader& file, std::vector<cScrEffect>& v, size_t n) {
    AppendTextRows<g_Rows>(file, v, n, UNTAKEN{});
}
