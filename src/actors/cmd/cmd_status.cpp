// ステータスの操作 and ステータスの操作2.
#include <algorithm>
#include <cmath>

#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/status_ops.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "stage/code_table.h"
#include "stage/flow_cmd.h"
#include "stage/stage_data.h"
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

int32_t Percent(int32_t base, int32_t operand) {
    return static_cast<int32_t>(std::llround(static_cast<double>(base) * operand / 100.0));
}

int32_t ApplyInWidth(int32_t value, int32_t op, int32_t operand, const STATUSFIELD& r) {
    if (r.nBits == 8) return ApplyStatusOp8(static_cast<int8_t>(value), op, operand, r.nMin, r.nMax);
    if (r.nBits == 16) return ApplyStatusOp16(static_cast<int16_t>(value), op, operand, r.nMin, r.nMax);
    return ApplyStatusOp32(value, op, operand, r.nMin, r.nMax);
}

void RequestDeathCheckIf(const cChara& object, const cChara& runner, cWorldState* world) {
    if (&object != &runner && object.hp < 1 && world) world->bDeathCheck = 1;
}

void OperateSystem(int32_t row, int32_t op, int32_t operand, bool bPercent, cWorldState* world,
                   cSceneServices& services) {
    if (row < 0 || row >= SYSROW_NUM) return;
    if (row == SYSROW_LIFE && services.RunLives() == LIVES_UNLIMITED) return;
    const STATUSFIELD& r = SysStatusRows[row];
    int32_t* field = nullptr;
    switch (row) {
    case SYSROW_TIME: field = world ? &world->nStageTime : nullptr; break;
    case SYSROW_SCROLLX: field = &PlayStage.nAutoScrollX; break;
    case SYSROW_SCROLLY: field = &PlayStage.nAutoScrollY; break;
    case SYSROW_SCORE: field = &services.RunScore(); break;
    case SYSROW_LIFE: field = &services.RunLives(); break;
    default: break;
    }
    if (!field) return;
    if (bPercent) operand = Percent(*field, operand);
    *field = ApplyStatusOp32(*field, op, operand, r.nMin, r.nMax);
    if (row == SYSROW_SCROLLX || row == SYSROW_SCROLLY) ApplySysScroll(row, world, services);
}

// HP or SP through the character's change, from a base chosen by `base`.
void OperatePoints(cChara& o, cChara& runner, bool bHp, int32_t op, int32_t operand, int32_t base, bool bGauge,
                   cWorldState* world) {
    const int32_t cur = bHp ? o.hp : o.sp, max = bHp ? o.data.nMaxHP : o.data.nMaxSP;
    int32_t diff = 0;
    if (base <= 2) {
        if (base == 1) operand = Percent(max, operand);
        if (base == 2) operand = Percent(cur, operand);
        diff = ApplyStatusOp32(cur, op, operand, 0, 999999) - cur;
    }
    if (bHp) {
        o.ChangeHp(diff, true, bGauge);
        RequestDeathCheckIf(o, runner, world);
    } else {
        o.ChangeSp(diff, bGauge);
    }
}

}  // namespace

void StatusOperation(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    auto P = [&cmd](int i) { return CmdParam(cmd, i); };
    const OPERAND operandDef{P(6), P(7), P(8), P(9), P(10), P(11), P(12), P(13)};
    const std::optional<int32_t> operand = EvaluateOperand(chara, operandDef, world, services);
    if (!operand) return;
    const int32_t op = P(5), row = P(4);
    const bool bPercent = P(14) != 0;
    if (P(0) == 1) {
        int32_t* v = FindVariable(P(1), P(2), world, services);
        if (!v) return;
        *v = ApplyStatusOp32(*v, op, bPercent ? Percent(*v, *operand) : *operand, -999999, 999999);
        return;
    }
    if (P(0) != 0) return;
    if (P(3) == 5) {
        OperateSystem(row, op, *operand, bPercent, world, services);
        return;
    }
    cChara* o = StatusObject(chara, P(3));
    if (!o || row < 0 || row >= STROW_NUM) return;
    if (P(17) && o->data.byInvincible != 0) return;
    if (row == STROW_HP || row == STROW_SP) {
        OperatePoints(*o, chara, row == STROW_HP, op, *operand, P(15), P(16) != 0, world);
        return;
    }
    if (row == STROW_SIGHT && o->nKind != 0) return;
    const std::optional<int32_t> cur = GetCharaStatus(*o, row, P(2));
    if (!cur) return;
    const int32_t value = ApplyInWidth(*cur, op, bPercent ? Percent(*cur, *operand) : *operand, CharaStatusRows[row]);
    SetCharaStatus(*o, row, P(2), value);
    switch (row) {
    case STROW_MAXHP:
        o->hp = std::min(o->hp, value);
        RequestDeathCheckIf(*o, chara, world);
        break;
    case STROW_MAXSP: o->sp = std::min(o->sp, value); break;
    case STROW_SIGHT: o->sight = value * 16; break;
    case STROW_STOP: {
        const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
        o->maxSpeed = value * 0.01 / v;
        o->dDecel = o->maxSpeed;
        break;
    }
    default: break;
    }
}

void StatusOperationProc(const FLOWSTEP& step) {
    if (step.state.cmd) StatusOperation(step.chara, *step.state.cmd, step.world, step.services);
}

void StatusOperation2(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    const int32_t object = CmdParam(cmd, 0), flag = CmdParam(cmd, 1), value = CmdParam(cmd, 2);
    if (object == 5) {
        if (flag == 0) {
            PlayStage.nAutoScrollX = std::clamp(value, -480, 480);
            ApplySysScroll(SYSROW_SCROLLX, world, services);
        } else if (flag == 1) {
            PlayStage.nAutoScrollY = std::clamp(value, -480, 480);
            ApplySysScroll(SYSROW_SCROLLY, world, services);
        }
        return;
    }
    cChara* o = object >= 1 && object <= TARGET_SLOT_NUM ? chara.GetTarget(object - 1) : &chara;
    if (!o) return;
    switch (flag) {
    case 0:
        if (o->nKind == 0)
            o->hp = 0;
        else
            o->bErase = 1;
        if (o != &chara && world) world->bDeathCheck = 1;
        break;
    case 1: o->data.bTransparent = static_cast<uint8_t>(value); break;
    case 2: o->data.bFixedFacing = static_cast<uint8_t>(value); break;
    case 3:
        // Only players fly by command: block mode, boxes and guides follow.
        if (auto* player = dynamic_cast<cPlayer*>(o))
            player->SetFlying(value, true, CmdParam(cmd, 3) != 0, CmdParam(cmd, 4) != 0);
        break;
    case 4: o->data.byInvincible = static_cast<uint8_t>(value); break;
    case 5:
        // A stored value beyond the flag's range is its largest size: the
        // boxes are the size times their base, in 32 bits.
        if (value >= 1) {
            const int32_t size = std::min(value, StateFlagTable[5].nMax);
            o->SetScale(size, o->data.chSize, world);
            o->data.chSize = static_cast<int8_t>(size);
        }
        break;
    case 6:
        o->data.bAutoScrollSync = static_cast<uint8_t>(value);
        o->bCentreFollow = value;
        break;
    default: break;
    }
}

void StatusOperation2Proc(const FLOWSTEP& step) {
    if (step.state.cmd) StatusOperation2(step.chara, *step.state.cmd, step.world, step.services);
}
