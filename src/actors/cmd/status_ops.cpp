// Operators in a field's width, the status rows and the operand.
#include "actors/cmd/status_ops.h"

#include <algorithm>
#include <cmath>

#include "actors/chara.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/system/log.h"
#include "records/utility.h"
#include "stage/stage_data.h"
#include "world/scene_services.h"
#include "world/world_state.h"

const STATUSFIELD CharaStatusRows[STROW_NUM] = {
    {32, -999999, 999999}, {32, 0, 999999}, {32, 0, 999999}, {32, 0, 999999}, {32, 0, 999999},
    {8, 0, 99},            {8, 0, 7},       {16, 0, 119},    {8, 0, 40},      {32, -999999, 999999},
    {8, -20, 20},          {32, 0, 999999}, {8, 0, 20},      {16, 0, 200},    {32, -999999, 999999},
};
const STATUSFIELD SysStatusRows[SYSROW_NUM] = {
    {32, 0, 999}, {32, -480, 480}, {32, -480, 480}, {32, 0, 999999}, {32, 0, 99},
};

namespace {

// Wraps v into T the way a store of that width does.
template <class T>
T Wrap(int64_t v) {
    return static_cast<T>(v);
}

template <class T>
T ApplyOp(T field, int32_t op, int32_t operand, int32_t min, int32_t max) {
    const T o = Wrap<T>(operand);
    int64_t r = field;
    switch (op) {
    case 0: r = o; break;
    case 1: r = Wrap<T>(int64_t{field} + o); break;
    case 2: r = Wrap<T>(int64_t{field} - o); break;
    case 3: {
        const T p = Wrap<T>(int64_t{field} * o);
        const bool sameSign = (field < 0) == (o < 0);
        if (field != 0 && o != 0 && sameSign && p < 0)
            r = max;
        else if (field != 0 && o != 0 && !sameSign && p > 0)
            r = min;
        else
            r = p;
        break;
    }
    case 4:
        if (o != 0) r = Wrap<T>(int64_t{field} / o);
        break;
    case 5:
        if (o != 0) r = Wrap<T>(int64_t{field} % o);
        break;
    case 6: r = Wrap<T>(std::llround(static_cast<double>(field) * o / 100.0)); break;
    default: break;
    }
    return static_cast<T>(std::clamp<int64_t>(r, min, max));
}

}  // namespace

int32_t ApplyStatusOp32(int32_t field, int32_t op, int32_t operand, int32_t min, int32_t max) {
    return ApplyOp<int32_t>(field, op, operand, min, max);
}
int16_t ApplyStatusOp16(int16_t field, int32_t op, int32_t operand, int32_t min, int32_t max) {
    return ApplyOp<int16_t>(field, op, operand, min, max);
}
int8_t ApplyStatusOp8(int8_t field, int32_t op, int32_t operand, int32_t min, int32_t max) {
    return ApplyOp<int8_t>(field, op, operand, min, max);
}

bool ReadCharaStatus(const cChara& c, int32_t row, int32_t n, int32_t& value) {
    const cCharaData& d = c.data;
    switch (row) {
    case STROW_VAR:
        if (n < 0 || n >= static_cast<int32_t>(c.vars.size())) {
            WriteECf("キャラ変数 %d がありません（%d 個）", n, static_cast<int>(c.vars.size()));
            return false;
        }
        value = c.vars.data()[n];
        break;
    case STROW_HP: value = c.hp; break;
    case STROW_SP: value = c.sp; break;
    case STROW_MAXHP: value = d.nMaxHP; break;
    case STROW_MAXSP: value = d.nMaxSP; break;
    case STROW_CID: value = static_cast<int8_t>(d.byCharaId); break;
    case STROW_Z: value = static_cast<int8_t>(d.byZ); break;
    case STROW_MARK: value = static_cast<int16_t>(d.wMark); break;
    case STROW_SIGHT: value = static_cast<int8_t>(d.bySightRange); break;
    case STROW_POWER: value = d.nBodyPower; break;
    case STROW_IMPACT: value = static_cast<int8_t>(d.byBodyImpact); break;
    case STROW_DEFENCE: value = d.nDefence; break;
    case STROW_IMPACTRES: value = static_cast<int8_t>(d.byImpactResist); break;
    case STROW_STOP: value = static_cast<int16_t>(d.wStopEase); break;
    case STROW_SCORE: value = d.nScore; break;
    default: return false;
    }
    return true;
}

void SetCharaStatus(cChara& c, int32_t row, int32_t n, int32_t v) {
    cCharaData& d = c.data;
    switch (row) {
    case STROW_VAR:
        if (n >= 0 && n < static_cast<int32_t>(c.vars.size())) c.vars.data()[n] = v;
        break;
    case STROW_HP: c.hp = v; break;
    case STROW_SP: c.sp = v; break;
    case STROW_MAXHP: d.nMaxHP = v; break;
    case STROW_MAXSP: d.nMaxSP = v; break;
    case STROW_CID: d.byCharaId = static_cast<uint8_t>(v); break;
    case STROW_Z: d.byZ = static_cast<uint8_t>(v); break;
    case STROW_MARK: d.wMark = static_cast<uint16_t>(v); break;
    case STROW_SIGHT: d.bySightRange = static_cast<uint8_t>(v); break;
    case STROW_POWER: d.nBodyPower = v; break;
    case STROW_IMPACT: d.byBodyImpact = static_cast<uint8_t>(v); break;
    case STROW_DEFENCE: d.nDefence = v; break;
    case STROW_IMPACTRES: d.byImpactResist = static_cast<uint8_t>(v); break;
    case STROW_STOP: d.wStopEase = static_cast<uint16_t>(v); break;
    case STROW_SCORE: d.nScore = v; break;
    default: break;
    }
}

int32_t GetSysStatus(int32_t row, const cWorldState* world, cSceneServices& services) {
    switch (row) {
    case SYSROW_TIME: return world && !world->bTimeStop ? world->nStageTime : 0;
    case SYSROW_SCROLLX: return PlayStage.nAutoScrollX;
    case SYSROW_SCROLLY: return PlayStage.nAutoScrollY;
    case SYSROW_SCORE: return services.RunScore();
    case SYSROW_LIFE:
        if (services.RunLives() != LIVES_UNLIMITED) return services.RunLives();
        return GetSysSwitch(SystemData, eSysSwitch::LivesSwitch) ? 0 : 100;
    default: return 0;
    }
}

int32_t* FindVariable(int32_t kind, int32_t n, cWorldState* world, cSceneServices& services) {
    cSafeVector<int32_t>* v = nullptr;
    if (kind == 0)
        v = &services.CommonVars();
    else if (world)
        v = &world->vStageVars;
    if (!v || n < 0 || n >= static_cast<int32_t>(v->size())) {
        WriteECf("%s変数 %d がありません", kind == 0 ? "共通" : "ステージ", n);
        return nullptr;
    }
    return &v->data()[n];
}

void ApplySysScroll(int32_t row, cWorldState* world, cSceneServices& services) {
    if (!world) return;
    const int32_t fps = services.FrameRate();
    const int32_t rate = fps > 0 ? fps : 60;
    if (row == SYSROW_SCROLLX)
        world->ScrollX.SetAutoSpeed(PlayStage.nScrollKindX != 0, PlayStage.nAutoScrollX, rate);
    else if (row == SYSROW_SCROLLY)
        world->ScrollY.SetAutoSpeed(PlayStage.nScrollKindY != 0, PlayStage.nAutoScrollY, rate);
}

cChara* StatusObject(cChara& chara, int32_t object) {
    if (object == 0) return &chara;
    if (object >= 1 && object <= TARGET_SLOT_NUM) return chara.GetTarget(object - 1);
    return nullptr;
}

std::optional<int32_t> EvaluateOperand(cChara& chara, const OPERAND& op, cWorldState* world, cSceneServices& services) {
    switch (op.nKind) {
    case 0: return op.nConst;
    case 1: return RandRange(op.nLow, op.nHigh);
    case 2: {
        if (op.nObject == 5) return GetSysStatus(op.nRow, world, services);
        cChara* o = StatusObject(chara, op.nObject);
        if (!o) return std::nullopt;
        if (op.nRow == STROW_SIGHT && o->nKind != 0) return std::nullopt;
        if (op.nRow == STROW_STOP) {
            const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
            o->maxSpeed = o->data.wStopEase * 0.01 / v;
            o->dDecel = o->maxSpeed;
        }
        return GetCharaStatus(*o, op.nRow, op.nVarNo);
    }
    case 3: {
        const int32_t* v = FindVariable(op.nVarKind, op.nVarNo, world, services);
        if (!v) return std::nullopt;
        return *v;
    }
    default: return 0;
    }
}
