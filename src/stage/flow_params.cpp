#include "stage/flow_params.h"

#include <array>
#include <climits>
#include <cstring>
#include <span>

#include "stage/code_table.h"
#include "stage/flow_cmd.h"
#include "stage/move.h"
#include "stage/shot.h"

cSafeVector<cSafeVector<FLOWPARAMLABEL>> FlowParamLabels;

namespace {

// Where a number lives in a command: its address and width in bytes, or
// nothing when the command lacks it.
struct PARAMSLOT {
    void* p = nullptr;
    int nWidth = 0;
};
using PARAMREF = PARAMSLOT (*)(cFlowCmd& cmd);

template <auto M>
PARAMSLOT MoveRef(cFlowCmd& c) {
    if (!c.spMove) return {};
    auto* m = &(c.spMove.get()->*M);  // an address only: the setting is packed
    return {m, static_cast<int>(sizeof *m)};
}

template <auto M>
PARAMSLOT ShotRef(cFlowCmd& c) {
    if (!c.spShot) return {};
    auto* m = &(c.spShot.get()->*M);  // an address only: the setting is packed
    return {m, static_cast<int>(sizeof *m)};
}

template <int I>
PARAMSLOT FormRef(cFlowCmd& c) {
    if (!c.spShot) return {};
    return {&c.spShot->nFormParam[I], 2};
}

template <int I>
PARAMSLOT MoveTypeRef(cFlowCmd& c) {
    if (!c.spShot) return {};
    return {&c.spShot->nMoveParam[I], 2};
}

template <int I>
PARAMSLOT ParamRef(cFlowCmd& c) {
    if (static_cast<size_t>(I) >= c.vParam.size()) return {};
    return {c.vParam.data() + I, 4};
}

// Members by kind, in arrangeable-number order.
constexpr PARAMREF kStraight[] = {
    MoveRef<&cEdMove::nTargetXBl>, MoveRef<&cEdMove::nTargetXDot>, MoveRef<&cEdMove::nTargetYBl>,
    MoveRef<&cEdMove::nTargetYDot>, MoveRef<&cEdMove::nAngle>, MoveRef<&cEdMove::nAngleInc>,
};
constexpr PARAMREF kHoming[] = {
    MoveRef<&cEdMove::nHoming>, MoveRef<&cEdMove::nHomingInc>, MoveRef<&cEdMove::nTargetXBl>,
    MoveRef<&cEdMove::nTargetXDot>, MoveRef<&cEdMove::nTargetYBl>, MoveRef<&cEdMove::nTargetYDot>,
};
constexpr PARAMREF kShot[] = {
    ShotRef<&cEdShot::nGraphic>, ShotRef<&cEdShot::nZ>, FormRef<0>, FormRef<1>, FormRef<2>,
    ShotRef<&cEdShot::nShotNum>, ShotRef<&cEdShot::nCloneNum>, ShotRef<&cEdShot::nAngleOfs>,
    ShotRef<&cEdShot::nAngleOfsInc>, ShotRef<&cEdShot::nSpread>, ShotRef<&cEdShot::nOfsX>,
    ShotRef<&cEdShot::nOfsXInc>, ShotRef<&cEdShot::nOfsY>, ShotRef<&cEdShot::nOfsYInc>, ShotRef<&cEdShot::nForce>,
    MoveTypeRef<0>, MoveTypeRef<1>, MoveTypeRef<2>, ShotRef<&cEdShot::nSpeed>, ShotRef<&cEdShot::nSpeedInc>,
    ShotRef<&cEdShot::nAccel>, ShotRef<&cEdShot::nAccelInc>, ShotRef<&cEdShot::nRange>,
    ShotRef<&cEdShot::nRangeInc>, ShotRef<&cEdShot::nLife>, ShotRef<&cEdShot::nLifeInc>,
    ShotRef<&cEdShot::nVanish>, ShotRef<&cEdShot::nPower>, ShotRef<&cEdShot::nImpact>,
};
constexpr PARAMREF kSword[] = {
    ShotRef<&cEdShot::nForce>, ShotRef<&cEdShot::nZ>, ShotRef<&cEdShot::nPower>, ShotRef<&cEdShot::nImpact>,
};
constexpr PARAMREF kSummonBlock[] = {
    FormRef<0>, FormRef<1>, FormRef<2>, ShotRef<&cEdShot::nShotNum>, ShotRef<&cEdShot::nOfsX>,
    ShotRef<&cEdShot::nOfsY>,
};
constexpr PARAMREF kSummonChara[] = {
    ShotRef<&cEdShot::nRange>, ShotRef<&cEdShot::nForce>, FormRef<0>, FormRef<1>, FormRef<2>,
    ShotRef<&cEdShot::nShotNum>, ShotRef<&cEdShot::nOfsX>, ShotRef<&cEdShot::nOfsY>,
};
constexpr PARAMREF kSummonItem[] = {
    ShotRef<&cEdShot::nRange>, FormRef<0>, FormRef<1>, FormRef<2>,
    ShotRef<&cEdShot::nShotNum>, ShotRef<&cEdShot::nOfsX>, ShotRef<&cEdShot::nOfsY>,
};
constexpr PARAMREF kStageClear[] = {ParamRef<1>, ParamRef<6>, ParamRef<7>, ParamRef<3>, ParamRef<4>};
constexpr PARAMREF kMessage[] = {ParamRef<13>, ParamRef<1>, ParamRef<2>, ParamRef<3>, ParamRef<4>};
constexpr PARAMREF kWarp[] = {
    MoveRef<&cEdMove::nDist>, MoveRef<&cEdMove::nDistInc>, MoveRef<&cEdMove::nTargetXBl>,
    MoveRef<&cEdMove::nTargetYBl>, MoveRef<&cEdMove::nTargetXDot>, MoveRef<&cEdMove::nTargetYDot>,
};
constexpr PARAMREF kSetTarget[] = {ParamRef<2>, ParamRef<10>, ParamRef<13>};
constexpr PARAMREF kStatusOp[] = {ParamRef<8>, ParamRef<9>};
constexpr PARAMREF kVanish[] = {ParamRef<1>};
constexpr PARAMREF kGraphic[] = {ParamRef<1>, ParamRef<2>};
constexpr PARAMREF kEffect[] = {ParamRef<2>, ParamRef<3>, ParamRef<4>, ParamRef<5>, ParamRef<6>};
constexpr PARAMREF kPicture[] = {ParamRef<13>, ParamRef<2>, ParamRef<3>, ParamRef<4>, ParamRef<5>, ParamRef<7>};
constexpr PARAMREF kScreenColor[] = {ParamRef<0>, ParamRef<1>, ParamRef<2>, ParamRef<3>};
constexpr PARAMREF kChangeBg[] = {ParamRef<0>};

struct PARAMKIND {
    bool bAccess = false;              // arrangements naming the kind are looked at
    std::span<const PARAMREF> refs;    // its numbers (empty for the three moves without)
};

constexpr std::array<PARAMKIND, CHARA_CMD_NUM> MakeKinds() {
    std::array<PARAMKIND, CHARA_CMD_NUM> k{};
    k[CMD_STRAIGHT_MOVE] = {true, kStraight};
    k[CMD_GROUND_TURN_MOVE] = {true, {}};
    k[CMD_CIRCLE_MOVE] = {true, {}};
    k[CMD_CHARGE_MOVE] = {true, kStraight};
    k[CMD_HOMING_MOVE] = {true, kHoming};
    k[CMD_AVOID_MOVE] = {true, {}};
    k[CMD_SHOT] = {true, kShot};
    k[CMD_SWORD] = {true, kSword};
    k[CMD_SUMMON_BLOCK] = {true, kSummonBlock};
    k[CMD_SUMMON_CHARA] = {true, kSummonChara};
    k[CMD_SUMMON_ITEM] = {true, kSummonItem};
    k[CMD_STAGE_CLEAR] = {true, kStageClear};
    k[CMD_MESSAGE] = {true, kMessage};
    k[CMD_WARP] = {true, kWarp};
    k[CMD_SET_TARGET] = {true, kSetTarget};
    k[CMD_STATUS_OP] = {true, kStatusOp};
    k[CMD_VANISH] = {true, kVanish};
    k[CMD_CHANGE_GRAPHIC] = {true, kGraphic};
    k[CMD_RUN_EFFECT] = {true, kEffect};
    k[CMD_PICTURE] = {true, kPicture};
    k[CMD_SCREEN_COLOR] = {true, kScreenColor};
    k[CMD_CHANGE_BG] = {true, kChangeBg};
    return k;
}
constexpr std::array<PARAMKIND, CHARA_CMD_NUM> kKinds = MakeKinds();

PARAMSLOT FindSlot(cFlowCmd& cmd, int kind, int index) {
    if (kind < 0 || kind >= CHARA_CMD_NUM) return {};
    const std::span<const PARAMREF> refs = kKinds[kind].refs;
    if (index < 0 || static_cast<size_t>(index) >= refs.size()) return {};
    return refs[index](cmd);
}

// Row builders of the label table.
using ROW = cSafeVector<FLOWPARAMLABEL>;
void Add(ROW& row, const char* label, int32_t nMin, int32_t nMax) { row.push_back({label, nMin, nMax}); }

// Formation and movement values: their true bounds come from the shot tables.
constexpr int32_t OPEN_MAX = INT_MAX;

void AddFormation(ROW& row) {
    Add(row, "フォーメーション固有1", 0, OPEN_MAX);
    Add(row, "フォーメーション固有2", 0, OPEN_MAX);
    Add(row, "フォーメーション固有3", 0, OPEN_MAX);
}

void AddTargets(ROW& row) {
    Add(row, "目標X(bl)", -640, 640);
    Add(row, "目標X(dot)", -640, 640);
    Add(row, "目標Y(bl)", -640, 640);
    Add(row, "目標Y(dot)", -640, 640);
}

void AddSummonTail(ROW& row) {
    Add(row, "数", 1, 127);
    Add(row, "召喚位置のズレX(dot)", -640, 640);
    Add(row, "召喚位置のズレY(dot)", -640, 640);
}

}  // namespace

void InitFlowParamLabels() {
    cSafeVector<cSafeVector<FLOWPARAMLABEL>> t(CHARA_CMD_NUM);
    for (int kind : {CMD_STRAIGHT_MOVE, CMD_CHARGE_MOVE}) {
        ROW& r = t[kind];
        AddTargets(r);
        Add(r, "角度", -7200, 7200);
        Add(r, "分身値による増加角度", -7200, 7200);
    }
    {
        ROW& r = t[CMD_HOMING_MOVE];
        Add(r, "誘導性能の悪さ", 0, 10);
        Add(r, "分身値による増加誘導性能の悪さ", 0, 10);
        AddTargets(r);
    }
    {
        ROW& r = t[CMD_SHOT];
        Add(r, "グラフィック", 1, 120);
        Add(r, "Z座標", 0, 7);
        AddFormation(r);
        Add(r, "発射数", 1, 127);
        Add(r, "発射数に対する分身数", 0, 20);
        Add(r, "角度のズレ", -7200, 7200);
        Add(r, "分身値による角度のズレ", -7200, 7200);
        Add(r, "分散角度", 0, 180);
        Add(r, "発射位置のズレX(dot)", -640, 640);
        Add(r, "分身値による発射位置のズレX(dot)", -640, 640);
        Add(r, "発射位置のズレY(dot)", -640, 640);
        Add(r, "分身値による発射位置のズレY(dot)", -640, 640);
        Add(r, "勢力", 0, 7);
        Add(r, "移動タイプ固有1", 0, OPEN_MAX);
        Add(r, "移動タイプ固有2", 0, OPEN_MAX);
        Add(r, "移動タイプ固有3", 0, OPEN_MAX);
        Add(r, "速度", -200, 200);
        Add(r, "分身値による増加速度", -200, 200);
        Add(r, "加速度", -200, 200);
        Add(r, "分身値による増加加速度", -200, 200);
        Add(r, "飛距離(hbl)", 0, 64);
        Add(r, "分身値による増加飛距離", -40, 40);
        Add(r, "存在時間(1/10s)", 1, 999);
        Add(r, "分身値よる増加存在時間", -99, 99);
        Add(r, "消滅値", 1, 9);
        Add(r, "威力", -999999, 999999);
        Add(r, "衝撃", -20, 20);
    }
    {
        ROW& r = t[CMD_SWORD];
        Add(r, "勢力", 0, 7);
        Add(r, "Z座標", 0, 7);
        Add(r, "威力", -999999, 999999);
        Add(r, "衝撃", -20, 20);
    }
    {
        ROW& r = t[CMD_SUMMON_BLOCK];
        AddFormation(r);
        AddSummonTail(r);
    }
    {
        ROW& r = t[CMD_SUMMON_CHARA];
        Add(r, "存在時間(1/10s)", 1, 9999);
        Add(r, "勢力", 0, 7);
        AddFormation(r);
        AddSummonTail(r);
    }
    {
        ROW& r = t[CMD_SUMMON_ITEM];
        Add(r, "存在時間(1/10s)", 1, 9999);
        AddFormation(r);
        AddSummonTail(r);
    }
    {
        ROW& r = t[CMD_STAGE_CLEAR];
        Add(r, "次のステージの番号", 1, 99);
        Add(r, "次のステージの初期位置X(bl)", 0, 999);
        Add(r, "次のステージの初期位置Y(bl)", 0, 999);
        Add(r, "クリア後のワールドマップの位置X", 0, 999);
        Add(r, "クリア後のワールドマップの位置Y", 0, 999);
    }
    {
        ROW& r = t[CMD_MESSAGE];
        Add(r, "メッセージID", 0, 999);
        Add(r, "座標X(bl)", 0, 20);
        Add(r, "座標Y(bl)", 0, 15);
        Add(r, "表示位置のズレX(dot)", -999, 999);
        Add(r, "表示位置のズレY(dot)", -999, 999);
    }
    {
        ROW& r = t[CMD_WARP];
        Add(r, "距離(hbl)", 0, 64);
        Add(r, "分身値による増加距離(hbl)", -40, 40);
        Add(r, "目標X(bl)", -640, 640);
        Add(r, "目標Y(bl)", -640, 640);
        Add(r, "目標Xのズレ(dot)", -640, 640);
        Add(r, "目標Yのズレ(dot)", -640, 640);
    }
    {
        ROW& r = t[CMD_SET_TARGET];
        Add(r, "対象勢力", 0, 7);
        Add(r, "対象キャラID", 0, 99);
        Add(r, "キャラ変数と比較する数値", -999999, 999999);
    }
    {
        ROW& r = t[CMD_STATUS_OP];
        Add(r, "乱数の最小値", -999999, 999999);
        Add(r, "乱数の最大値", -999999, 999999);
    }
    Add(t[CMD_VANISH], "対象勢力", 0, 7);
    {
        ROW& r = t[CMD_CHANGE_GRAPHIC];
        Add(r, "グラフィック", 1, 119);
        Add(r, "ズレ", -999, 999);
    }
    {
        ROW& r = t[CMD_RUN_EFFECT];
        Add(r, "座標X(bl)", 0, 511);
        Add(r, "座標Y(bl)", 0, 511);
        Add(r, "表示位置のズレX(dot)", -999, 999);
        Add(r, "表示位置のズレY(dot)", -999, 999);
        Add(r, "表示倍率(%)", 1, 1000);
    }
    {
        ROW& r = t[CMD_PICTURE];
        Add(r, "ピクチャーID", 0, 999);
        Add(r, "座標X(bl)", 0, 511);
        Add(r, "座標Y(bl)", 0, 511);
        Add(r, "表示位置のズレX(dot)", -999, 999);
        Add(r, "表示位置のズレY(dot)", -999, 999);
        Add(r, "表示倍率(%)", 1, 1000);
    }
    {
        ROW& r = t[CMD_SCREEN_COLOR];
        Add(r, "R", 0, 255);
        Add(r, "G", 0, 255);
        Add(r, "B", 0, 255);
        Add(r, "%", 0, 100);
    }
    Add(t[CMD_CHANGE_BG], "背景番号", 1, 8);
    FlowParamLabels = std::move(t);
}

bool HasFlowParamAccess(int kind) { return kind >= 0 && kind < CHARA_CMD_NUM && kKinds[kind].bAccess; }

int GetFlowParamCount(int kind) {
    if (kind < 0 || kind >= CHARA_CMD_NUM) return 0;
    return static_cast<int>(kKinds[kind].refs.size());
}

bool GetFlowParam(cFlowCmd& cmd, int kind, int index, int32_t& value) {
    const PARAMSLOT s = FindSlot(cmd, kind, index);
    switch (s.nWidth) {
        case 1: {
            int8_t v;
            std::memcpy(&v, s.p, 1);
            value = v;
            return true;
        }
        case 2: {
            int16_t v;
            std::memcpy(&v, s.p, 2);
            value = v;
            return true;
        }
        case 4: {
            int32_t v;
            std::memcpy(&v, s.p, 4);
            value = v;
            return true;
        }
        default:
            return false;
    }
}

bool SetFlowParam(cFlowCmd& cmd, int kind, int index, int32_t value) {
    const PARAMSLOT s = FindSlot(cmd, kind, index);
    switch (s.nWidth) {
        case 1: {
            const auto v = static_cast<int8_t>(value);
            std::memcpy(s.p, &v, 1);
            return true;
        }
        case 2: {
            const auto v = static_cast<int16_t>(value);
            std::memcpy(s.p, &v, 2);
            return true;
        }
        case 4:
            std::memcpy(s.p, &value, 4);
            return true;
        default:
            return false;
    }
}
