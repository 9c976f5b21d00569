#include "stage/label_tables.h"

#include <initializer_list>

namespace {

// A table of the given rows and the empty terminator.
LABELTABLE Table(std::initializer_list<const char*> rows) {
    LABELTABLE t;
    t.reserve(rows.size() + 1);
    for (const char* r : rows) t.emplace_back(r);
    t.emplace_back();
    return t;
}

OBJECTLABELS BuildObjectLabels() {
    OBJECTLABELS l;
    l.vSwitch = Table({"OFF", "ON"});
    l.vTemplateSource = Table({"ステージパレット", "コモンパレット"});
    l.vTemplateKind = Table({"継承しない", "コモンパレット", "ステージパレット"});
    l.vTemplateKindCommon = Table({"継承しない", "コモンパレット"});
    l.vTemplateKindStage = Table({"継承しない", "ステージパレット"});
    l.vTemplateKindNone = Table({"継承しない"});
    l.vGraphicSource = Table({"ブロック", "キャラ", "アイテム", "ショット", "専用bmp"});
    l.vGraphicSource2 = l.vGraphicSource;
    l.vSwitch2 = Table({"OFF", "ON"});
    l.vDisplay = Table({"表示しない", "表示する", "エディターでのみ表示"});
    l.vBlockHitKind = Table({"当たらない", "当たる", "主人公が当たると即死"});
    l.vPassGroup = Table({"なし", "0", "1", "2", "3", "4", "5", "6", "7"});
    l.vBlockEffect = Table({"なし", "ジャンプ X=高さ(hbl)", "ジャンプ禁止", "移動速度変更 X=％", "左移動 X=移動速度",
                            "右移動 X=移動速度"});
    l.vHeldItemSource = Table({"なし", "コモンパレット", "ステージパレット"});
    l.vHeldItemSourceCommon = Table({"なし", "コモンパレット"});
    l.vController = Table({"プレイヤー", "コンピューター"});
    l.vPlayerNumber = Table({"1"});
    l.vBlockHit = Table({"OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)"});
    l.vShotHit = Table({"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)"});
    l.vSwitch3 = Table({"OFF", "ON"});
    l.vEnlarge = Table({"しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"});
    l.vEnlargeNoNone = Table({"×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"});
    l.vSightShape = Table({"画面内全て", "キャラを中心とした円形", "キャラの前方に円形", "キャラを中心とした正方形",
                           "キャラの前方に正方形"});
    l.vHitRangeKind = Table({"キャラ対キャラの当たり判定範囲（推奨）", "キャラ対ショットの当たり判定範囲",
                             "ショット対キャラの当たり判定範囲", "32×32"});
    l.vActivityArea = Table({"画面内", "X座標のみ画面内", "Y座標のみ画面内", "全範囲"});
    l.vConditionMode = Table({"範囲かグループが真なら成立", "一度範囲かグループが真になると、以後無条件で成立",
                              "範囲とグループが偽なら成立"});
    l.vItemTakeMode = Table({"1回だけ取れる", "何回でも取れる", "取れない"});
    l.vEditOperation = Table({"追加", "変更", "削除"});
    l.vLetter = Table({"全て削除"});
    l.vLetter.pop_back();
    for (char c = 'A'; c <= 'Z'; ++c) l.vLetter.emplace_back(1, c);
    l.vLetter.emplace_back();
    return l;
}

STAGELABELS BuildStageLabels() {
    STAGELABELS l;
    l.vScrollKind = Table({"主人公の位置に合わせてスクロール", "オートスクロール"});
    l.vResizeX = Table({"右方向へ拡張（または右を削除）", "左方向へ拡張（または左を削除）"});
    l.vResizeY = Table({"下方向へ拡張（または下を削除）", "上方向へ拡張（または上を削除）"});
    l.vHitLevel = Table({"レベル1 (速度制限=60)", "レベル2 (速度制限=120)", "レベル3 (速度制限=180)",
                         "レベル4 (速度制限=240)", "レベル5 (速度制限=300)", "レベル6 (速度制限=360)",
                         "レベル7 (速度制限=420)", "レベル8 (速度制限=480)", "レベル9 (速度制限=540)",
                         "レベル10 (速度制限=600)", "レベル1 (速度制限=600)", "レベル2 (速度制限=600)",
                         "レベル3 (速度制限=600)", "レベル4 (速度制限=600)", "レベル5 (速度制限=600)",
                         "レベル6 (速度制限=600)", "レベル7 (速度制限=600)", "レベル8 (速度制限=600)",
                         "レベル9 (速度制限=600)"});
    l.vStepLevel = Table({"最大 (当たり判定レベルと同じ)", "1 (対応速度=60)", "2 (対応速度=最大120)",
                          "3 (対応速度=最大180)", "4 (対応速度=最大240)", "5 (対応速度=最大300)"});
    l.vBoxAlign = Table({"中央", "下"});
    l.vBoxAlignShort = Table({"中", "下"});
    l.vDisplayFrame = Table({"表示しない", "表示する", "枠のみ表示"});
    l.vColour = Table({"赤", "緑", "青", "黄", "赤紫", "青紫", "黒", "虹"});
    l.vDirection = Table({"水平方向", "垂直方向"});
    return l;
}

}  // namespace

const OBJECTLABELS& ObjectLabels() {
    static const OBJECTLABELS labels = BuildObjectLabels();
    return labels;
}

const STAGELABELS& StageLabels() {
    static const STAGELABELS labels = BuildStageLabels();
    return labels;
}

int PassGroupLabelRow(uint8_t group) {
    if (group == 255) return 0;
    return group <= 7 ? group + 1 : -1;
}

const std::string& LabelOf(const LABELTABLE& table, int code) {
    static const std::string empty;
    if (code < 0 || static_cast<size_t>(code) + 1 >= table.size()) return empty;
    return table[static_cast<size_t>(code)];
}
