#pragma once
// The vocabulary of the two effect kinds: their names, the definition of
// each of the five parameters (label, range, default) and the two-line note
// on the speed of each kind under the two graphics back ends. The editor
// shows them; the runtime reads only the defaults. Texts are UTF-8.
#include <cstdint>

constexpr int CHARA_EFFECT_KIND_NUM = 16;  // kinds 1..16 (0 = none)
constexpr int SCR_EFFECT_KIND_NUM = 13;    // kinds 1..13 (0 = none)
constexpr int EFFECT_PARAM_DEF_NUM = 5;    // run time, then parameters 2 to 5

// One parameter: an empty label marks a parameter the kind does not use.
struct EFFECTPARAMDEF {
    const char* lpLabel = "";
    int32_t nMin = 0, nMax = 0;
    int16_t nDefault = 0;
};

constexpr EFFECTPARAMDEF MakeParamDef(const char* label, int32_t min, int32_t max, int16_t def) {
    return EFFECTPARAMDEF{label, min, max, def};
}

// Kind names, index kind - 1, closed by an empty string.
extern const char* const CharaEffectKindNames[CHARA_EFFECT_KIND_NUM + 1];
extern const char* const ScrEffectKindNames[SCR_EFFECT_KIND_NUM + 1];
// Parameter definitions, row = kind (row 0: five empty definitions).
extern const EFFECTPARAMDEF CharaEffectParamDefs[CHARA_EFFECT_KIND_NUM + 1][EFFECT_PARAM_DEF_NUM];
extern const EFFECTPARAMDEF ScrEffectParamDefs[SCR_EFFECT_KIND_NUM + 1][EFFECT_PARAM_DEF_NUM];
// Notes, index kind - 1, closed by an empty string: "Direct3D有効時：…\nDirect3D無効時：…".
extern const char* const CharaEffectNotes[CHARA_EFFECT_KIND_NUM + 1];
extern const char* const ScrEffectNotes[SCR_EFFECT_KIND_NUM + 1];
