#include "play/effects/effect_params.h"

namespace {

constexpr EFFECTPARAMDEF None{};
// Parameter 1 of every kind: the run time in tenths of a second.
constexpr EFFECTPARAMDEF RunTime(int16_t def) { return MakeParamDef("実行時間(1/10s)", 1, 9999, def); }

#define NOTE(d3d, dd) "Direct3D有効時：" d3d "\nDirect3D無効時：" dd

}  // namespace

const char* const CharaEffectKindNames[CHARA_EFFECT_KIND_NUM + 1] = {
    "破裂", "分割（横）", "分割（縦）", "波（横）", "波（縦）", "点滅",   "回転A",     "回転B", "回転（奥）",
    "円",   "拡大",       "レンズ",     "色変化",   "半透明",   "モザイク", "ぼかし", ""};

const char* const ScrEffectKindNames[SCR_EFFECT_KIND_NUM + 1] = {
    "移動", "振動（横）", "振動（縦）", "分割（横）", "分割（縦）", "波（横）",   "波（縦）",
    "点滅", "回転",       "円",         "拡大",       "レンズ",     "モザイク", ""};

const EFFECTPARAMDEF CharaEffectParamDefs[CHARA_EFFECT_KIND_NUM + 1][EFFECT_PARAM_DEF_NUM] = {
    {None, None, None, None, None},
    {RunTime(5), MakeParamDef("開始位置(dot)", 0, 999, 0), MakeParamDef("終了位置(dot)", 0, 999, 32), None, None},
    {RunTime(5), MakeParamDef("開始位置(dot)", 0, 999, 0), MakeParamDef("終了位置(dot)", 0, 999, 32),
     MakeParamDef("分割数", 2, 16, 4), None},
    {RunTime(5), MakeParamDef("開始位置(dot)", 0, 999, 0), MakeParamDef("終了位置(dot)", 0, 999, 32),
     MakeParamDef("分割数", 2, 16, 4), None},
    {RunTime(5), MakeParamDef("開始幅(dot)", 0, 999, 0), MakeParamDef("終了幅(dot)", 0, 999, 32),
     MakeParamDef("波の数", 2, 16, 2), MakeParamDef("波の粗さ(dot)", 1, 4, 2)},
    {RunTime(5), MakeParamDef("開始幅(dot)", 0, 999, 0), MakeParamDef("終了幅(dot)", 0, 999, 32),
     MakeParamDef("波の数", 2, 16, 2), MakeParamDef("波の粗さ(dot)", 1, 4, 2)},
    {RunTime(10), MakeParamDef("点滅間隔(1/60s)", 1, 9999, 2), None, None, None},
    {RunTime(10), MakeParamDef("開始角度", 0, 9999, 0), MakeParamDef("終了角度", 0, 9999, 1440), None, None},
    {RunTime(10), MakeParamDef("開始角度", 0, 9999, 0), MakeParamDef("終了角度", 0, 9999, 1440), None, None},
    {RunTime(10), MakeParamDef("開始位置(dot)", 0, 9999, 0), MakeParamDef("終了位置(dot)", 0, 9999, 256), None, None},
    {RunTime(5), MakeParamDef("開始半径(dot)", 0, 32, 32), MakeParamDef("終了半径(dot)", 0, 32, 0),
     MakeParamDef("円の粗さ(dot)", 1, 4, 2), None},
    {RunTime(10), MakeParamDef("開始幅(dot)", 0, 320, 32), MakeParamDef("終了幅(dot)", 0, 320, 64), None, None},
    {RunTime(10), MakeParamDef("開始距離", 0, 100, 100), MakeParamDef("終了距離", 0, 100, 5),
     MakeParamDef("ズレX(dot)", -16, 16, 0), MakeParamDef("ズレY(dot)", -16, 16, 0)},
    {RunTime(10), MakeParamDef("開始合成度", 1, 4, 1), MakeParamDef("終了合成度", 1, 4, 1),
     MakeParamDef("色", 16, 207, 16), None},
    {RunTime(10), MakeParamDef("点滅間隔(1/60s)", 1, 9999, 9999), None, None, None},
    {RunTime(10), MakeParamDef("開始強度", 1, 16, 1), MakeParamDef("終了強度", 1, 16, 8), None, None},
    {RunTime(10), MakeParamDef("開始強度", 1, 4, 1), MakeParamDef("終了強度", 1, 4, 4), None, None},
};

const EFFECTPARAMDEF ScrEffectParamDefs[SCR_EFFECT_KIND_NUM + 1][EFFECT_PARAM_DEF_NUM] = {
    {None, None, None, None, None},
    {RunTime(10), MakeParamDef("開始座標X(dot)", -640, 640, 0), MakeParamDef("開始座標Y(dot)", -480, 480, 0),
     MakeParamDef("終了座標X(dot)", -640, 640, 640), MakeParamDef("終了座標Y(dot)", -480, 480, 0)},
    {RunTime(10), MakeParamDef("振動幅(dot)", 1, 640, 4), MakeParamDef("振動回数", 1, 9999, 4), None, None},
    {RunTime(10), MakeParamDef("振動幅(dot)", 1, 480, 4), MakeParamDef("振動回数", 1, 9999, 4), None, None},
    {RunTime(10), MakeParamDef("開始位置(dot)", 0, 640, 0), MakeParamDef("終了位置(dot)", 0, 640, 640),
     MakeParamDef("分割数", 2, 240, 15), None},
    {RunTime(10), MakeParamDef("開始位置(dot)", 0, 480, 0), MakeParamDef("終了位置(dot)", 0, 480, 480),
     MakeParamDef("分割数", 2, 320, 20), None},
    {RunTime(10), MakeParamDef("開始幅(dot)", 0, 640, 0), MakeParamDef("終了幅(dot)", 0, 640, 640),
     MakeParamDef("波の数", 2, 240, 4), MakeParamDef("波の粗さ(dot)", 1, 48, 8)},
    {RunTime(10), MakeParamDef("開始幅(dot)", 0, 480, 0), MakeParamDef("終了幅(dot)", 0, 480, 480),
     MakeParamDef("波の数", 2, 320, 4), MakeParamDef("波の粗さ(dot)", 1, 64, 10)},
    {RunTime(10), MakeParamDef("点滅間隔(1/60s)", 1, 9999, 10), None, None, None},
    {RunTime(10), MakeParamDef("開始角度", 0, 9999, 0), MakeParamDef("終了角度", 0, 9999, 1440), None, None},
    {RunTime(10), MakeParamDef("開始半径(dot)", 0, 640, 640), MakeParamDef("終了半径(dot)", 0, 640, 0),
     MakeParamDef("円の粗さ(dot)", 1, 48, 8), None},
    {RunTime(10), MakeParamDef("開始幅(dot)", 0, 6400, 640), MakeParamDef("終了幅(dot)", 0, 6400, 1280), None, None},
    {RunTime(10), MakeParamDef("開始距離", 0, 1500, 1500), MakeParamDef("終了距離", 0, 1500, 5),
     MakeParamDef("ズレX(dot)", -320, 320, 0), MakeParamDef("ズレY(dot)", -240, 240, 0)},
    {RunTime(10), MakeParamDef("開始強度", 1, 240, 1), MakeParamDef("終了強度", 1, 240, 60), None, None},
};

const char* const CharaEffectNotes[CHARA_EFFECT_KIND_NUM + 1] = {
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("やや遅い", "やや遅い"),
    NOTE("やや遅い", "やや遅い"),
    NOTE("速い", "速い"),
    NOTE("回転Aと回転Bは同じ", "巨大キャラには実行速度重視"),
    NOTE("回転Aと回転Bは同じ", "やや遅い。巨大キャラには描画精度重視"),
    NOTE("", ""),
    NOTE("やや遅い", "やや遅い"),
    NOTE("", ""),
    NOTE("遅過ぎ", "遅い"),
    NOTE("", "画面が8bit色→精度悪い、16bit色以上→やや遅い"),
    NOTE("", "画面が8bit色→精度悪い、16bit色以上→遅過ぎ"),
    NOTE("遅い", "画面が16bit色以上だと遅い"),
    NOTE("遅い", "画面が16bit色以上でのみ有効。遅い"),
    "",
};

const char* const ScrEffectNotes[SCR_EFFECT_KIND_NUM + 1] = {
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("やや遅い", "やや遅い"),
    NOTE("やや遅い", "やや遅い"),
    NOTE("速い", "速い"),
    NOTE("", "遅い"),
    NOTE("やや遅い", "やや遅い"),
    NOTE("", "やや遅い"),
    NOTE("遅過ぎ", "遅過ぎ"),
    NOTE("遅過ぎ", "画面が16bit色以上だと遅過ぎ"),
    "",
};
