// The operand condition: a status or variable compared with an operand.
#include "actors/operand_cond.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "actors/chara.h"
#include "actors/cmd/status_ops.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "stage/cond.h"
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

bool Compare(int64_t side, int64_t operand, int32_t code) {
    switch (code) {
    case 0: return side == operand;
    case 1: return side != operand;
    case 2: return side >= operand;
    case 3: return side <= operand;
    case 4: return side > operand;
    case 5: return side < operand;
    case 6: return operand == 0 || std::llabs(side) % operand == 0;
    case 7: return operand != 0 && std::llabs(side) % operand != 0;
    default: return false;
    }
}

// Narrows v to the width of a row, as the comparison in that width reads it.
int32_t InWidth(int32_t v, int32_t bits) {
    if (bits == 8) return static_cast<int8_t>(v);
    if (bits == 16) return static_cast<int16_t>(v);
    return v;
}

}  // namespace

bool JudgeOperandCond(const cEdCond& cond, cChara* chara, cWorldState* world) {
    if (!chara) return false;
    cSceneServices& services = SceneServices();
    const OPERAND def{cond.nOperandKind, cond.nValue, cond.nRandMin, cond.nRandMax,
                      cond.nOpVarKind, cond.nOpVarNum, cond.nOpSubject, cond.nOpStatus};
    const std::optional<int32_t> operand = EvaluateOperand(*chara, def, world, services);
    if (!operand) return false;
    int32_t side = 0, bits = 32, min = -999999, max = 999999;
    const cChara* subject = nullptr;
    if (cond.nTestWhat == 1) {
        const int32_t* v = FindVariable(cond.nVarKind, cond.nVarNum, world, services);
        if (!v) return false;
        side = *v;
    } else if (cond.nSubject == 5) {
        if (cond.nStatus >= SYSROW_NUM) return false;
        if (cond.nStatus == SYSROW_LIFE && services.RunLives() == LIVES_UNLIMITED &&
            GetSysSwitch(SystemData, eSysSwitch::LivesSwitch))
            return false;
        side = GetSysStatus(cond.nStatus, world, services);
        min = SysStatusRows[cond.nStatus].nMin < 0 ? SysStatusRows[cond.nStatus].nMin : 0;
        max = SysStatusRows[cond.nStatus].nMax;
    } else {
        subject = StatusObject(*chara, cond.nSubject <= 4 ? cond.nSubject : 0);
        if (!subject || cond.nStatus >= STROW_NUM) return false;
        const std::optional<int32_t> v = GetCharaStatus(*subject, cond.nStatus, cond.nVarNum);
        if (!v) return false;
        side = *v;
        bits = CharaStatusRows[cond.nStatus].nBits;
        min = CharaStatusRows[cond.nStatus].nMin;
        max = CharaStatusRows[cond.nStatus].nMax;
    }
    int32_t value = *operand;
    if (cond.nShowRange != 0) {
        // A percentage of the maximum for HP and SP, of 0 for every other row.
        int32_t base = 0;
        if (subject && cond.nTestWhat == 0 && cond.nStatus == STROW_HP) base = subject->data.nMaxHP;
        if (subject && cond.nTestWhat == 0 && cond.nStatus == STROW_SP) base = subject->data.nMaxSP;
        value = static_cast<int32_t>(std::llround(static_cast<double>(base) * value / 100.0));
        value = std::clamp(value, min, max);
    }
    return Compare(InWidth(side, bits), InWidth(value, bits), cond.nCompare);
}
