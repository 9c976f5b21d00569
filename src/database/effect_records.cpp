#include "database/effect_records.h"

#include <span>

#include "records/version.h"

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

}  // namespace

cEffectData::cEffectData() {
    Clear();
    nKind = 1;
}

void cEffectData::Layout(uint32_t) {
    ClearAllFields();
    AddStringField(&strName);
    AddIntField(&nKind);
    AddIntField(nParam, EFFECT_PARAM_NUM);
}

void cCharaEffect::Load(cDataReader& file) {
    cRecord::Load(file);
    if (!file.Failed()) FixOldParams(*this, CharaEffectFix);
}

void cScrEffect::Load(cDataReader& file) {
    cRecord::Load(file);
    if (!file.Failed()) FixOldParams(*this, ScrEffectFix);
}
