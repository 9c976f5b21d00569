#include "stage/flow_arrange.h"

#include <atomic>
#include <cmath>
#include <string>

#include "records/services.h"
#include "stage/code_table.h"
#include "stage/flow_cmd.h"
#include "stage/flow_params.h"
#include "stage/shot.h"

namespace {

// The variable `n` of a list, or false when the number may not be read
// (`first` is the lowest number that is an operand).
bool ReadVar(std::span<const int32_t> vars, int32_t n, int32_t first, int32_t& out) {
    if (n < first || static_cast<size_t>(n) >= vars.size()) return false;
    out = vars[static_cast<size_t>(n)];
    return true;
}

// First arrangeable index of the three formation values of a kind, or -1.
int FormationFirst(int kind) {
    switch (kind) {
        case CMD_SHOT: return 2;
        case CMD_SUMMON_BLOCK: return 0;
        case CMD_SUMMON_CHARA: return 2;
        case CMD_SUMMON_ITEM: return 1;
        default: return -1;
    }
}

// First arrangeable index of the three movement values of a shot.
constexpr int SHOT_MOVE_FIRST = 15;

}  // namespace

int32_t ArrangeValue(int32_t value, int32_t op, int32_t operand, int32_t nMin, int32_t nMax) {
    // 64-bit arithmetic: a result beyond 32 bits is clamped like any other,
    // never wrapped to the other sign.
    const int64_t v = value, o = operand;
    int64_t r = v;
    switch (op) {
        case ARRANGE_SET: r = o; break;
        case ARRANGE_ADD: r = v + o; break;
        case ARRANGE_SUB: r = v - o; break;
        case ARRANGE_MUL: r = v * o; break;
        case ARRANGE_DIV:
            if (o != 0) r = v / o;
            break;
        case ARRANGE_MOD:
            if (o != 0) r = v % o;
            break;
        case ARRANGE_PERCENT:
            // Halves go away from zero.
            r = static_cast<int64_t>(std::round(static_cast<double>(v * o) * 0.01));
            break;
        default:
            break;
    }
    if (r < nMin) r = nMin;
    if (r > nMax) r = nMax;
    return static_cast<int32_t>(r);
}

void ApplyFlowArrangement(cFlowCmd& cmd, std::span<const int32_t> e, const ARRANGECONTEXT& ctx) {
    if (e.size() < 5) return;
    const int kind = cmd.GetCharaCode();
    if (e[0] != kind || !HasFlowParamAccess(kind)) return;
    const int32_t index = e[1];
    int32_t value = 0;
    GetFlowParam(cmd, kind, index, value);

    int32_t operand = value;
    switch (e[3]) {
        case ARRANGE_COMMON_VAR:
            if (!ReadVar(ctx.vCommonVar, e[4], 1, operand)) return;
            break;
        case ARRANGE_STAGE_VAR:
            if (!ReadVar(ctx.vStageVar, e[4], 1, operand)) return;
            break;
        case ARRANGE_CHARA_VAR:
            if (!ReadVar(ctx.vCharaVar, e[4], 0, operand)) return;
            break;
        default:
            break;
    }

    // The three moves without numbers have an empty row: nothing to change.
    const cSafeVector<FLOWPARAMLABEL>& row = FlowParamLabels[kind];
    if (row.empty()) return;
    // A number beyond the kind's row comes from the stage file: it is
    // reported and changes nothing, and play goes on.
    if (index < 0 || static_cast<size_t>(index) >= row.size()) {
        RecWriteEC("arrangement of number " + std::to_string(index) + " beyond the " + std::to_string(row.size()) +
                   " numbers of command " + std::to_string(kind) + " ignored");
        return;
    }
    const FLOWPARAMLABEL& d = row[index];
    int32_t nMin = d.nMin, nMax = d.nMax;

    if (const cEdShot* shot = cmd.spShot.get()) {
        const int first = FormationFirst(kind);
        if (first >= 0 && index >= first && index < first + 3) {
            const int r = index - first + 3 * shot->nFormation;
            if (r < 3 * FORMATION_NUM) nMin = FormationParamTable[r].nMin, nMax = FormationParamTable[r].nMax;
        }
        if (kind == CMD_SHOT && index >= SHOT_MOVE_FIRST && index < SHOT_MOVE_FIRST + 3) {
            const int r = index - SHOT_MOVE_FIRST + 3 * shot->nMoveType;
            if (r < 3 * SHOT_MOVE_NUM) nMin = ShotMoveParamTable[r].nMin, nMax = ShotMoveParamTable[r].nMax;
        }
    }

    value = ArrangeValue(value, e[2], operand, nMin, nMax);
    // A dedicated character bitmap that does not exist falls back to picture 1.
    if (kind == CMD_CHANGE_GRAPHIC && index == 0 && !cmd.vParam.empty() && cmd.vParam.data()[0] == 4 &&
        value >= ctx.nCharaBitmapNum)
        value = 1;
    SetFlowParam(cmd, kind, index, value);
}

void ApplyFlowArrangements(cFlowCmd& cmd, const PENDINGARRANGELIST& pending, const ARRANGECONTEXT& ctx) {
    for (const PENDINGARRANGE& e : pending) ApplyFlowArrangement(cmd, std::span<const int32_t>(e.data(), e.size()), ctx);
}

// --- input directions ---

namespace {

std::atomic<bool> g_bPlayback{false};
std::atomic<uint32_t> g_nReplayVersion{0};

// Replay data versions that changed the reading of index 9.
constexpr uint32_t INPUTDIR_RULE2_VERSION = 778;
constexpr uint32_t INPUTDIR_FLAG_VERSION = 780;

// Direction codes of the input-direction indices 0..9: 前, 左, 右, 上, 下,
// 左上, 左下, 右上, 右下, 前.
constexpr int kInputDir[10] = {0, 2, 3, 6, 7, 8, 9, 10, 11, 0};

}  // namespace

void SetInputDirPlayback(int bPlayback, uint32_t nReplayVersion) {
    g_nReplayVersion = nReplayVersion;
    g_bPlayback = bPlayback != 0;
}

int GetInputDirCode(int index, int flag, int facing) {
    const int def = facing ? 3 : 2;  // 右 or 左
    bool rule1 = flag != 0;
    if (g_bPlayback) {
        const uint32_t v = g_nReplayVersion;
        if (v < INPUTDIR_RULE2_VERSION) rule1 = true;
        else if (v < INPUTDIR_FLAG_VERSION) rule1 = false;
    }
    if (index <= 0 || index > 9) return def;
    if (index == 9 && !rule1) return def;
    return kInputDir[index];
}
