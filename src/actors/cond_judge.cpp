#include "actors/cond_judge.h"

#include <cstdint>
#include <cstdlib>

#include "actors/chara.h"
#include "actors/operand_cond.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "records/version.h"
#include "stage/cond_list.h"
#include "stage/flow.h"
#include "world/block_grid.h"
#include "world/scene_services.h"
#include "world/world_state.h"

bool CompareByOp(int32_t a, int32_t b, int32_t op) {
    switch (op) {
    case 0: return a == b;
    case 1: return a != b;
    case 2: return a >= b;
    case 3: return a <= b;
    case 4: return a > b;
    case 5: return a < b;
    case 6: return b == 0 || std::llabs(static_cast<int64_t>(a)) % b == 0;
    case 7: return b != 0 && std::llabs(static_cast<int64_t>(a)) % b != 0;
    default: return false;
    }
}

namespace {

// A variable compared with the condition's value; a number outside the
// list is false.
bool JudgeVar(const cSafeVector<int32_t>& vars, const cEdCond& cond) {
    const int n = cond.nVarNum;
    if (n < 0 || n >= static_cast<int>(vars.size())) return false;
    return CompareByOp(vars[n], cond.nValue, cond.nCompare);
}

// The character a condition's subject names: 1..4 the targets, else self.
cChara* Subject(const cChara& self, int subject) {
    if (subject >= 1 && subject <= TARGET_SLOT_NUM) return self.vTarget[subject - 1];
    return const_cast<cChara*>(&self);
}

}  // namespace

bool JudgeCond(const cEdCond& cond, cChara* chara, cWorldState* world) {
    switch (cond.nKind) {
    case 1: return JudgeVar(SceneServices().CommonVars(), cond);
    case 2: return world && JudgeVar(world->vStageVars, cond);
    case 3: return chara && JudgeVar(chara->vars, cond);
    case 4: return JudgeOperandCond(cond, chara, world);
    case 5: return chara && chara->JudgeStatusCond(cond);
    case 6: return chara && chara->JudgeStateCond(cond);
    case 7: return chara && chara->JudgeDistanceCond(cond, world);
    default: return false;
    }
}

bool JudgeCondList(int32_t mode, const cCondVector& conds, cChara* chara, cWorldState* world) {
    if (mode == 0) {
        for (const cEdCond& c : conds) {
            if (!JudgeCond(c, chara, world)) return false;
        }
        return true;
    }
    if (mode == 1) {
        for (const cEdCond& c : conds) {
            if (JudgeCond(c, chara, world)) return true;
        }
    }
    return false;
}

bool JudgeCmdCondList(const cCondList* list, cChara* chara, cWorldState* world) {
    if (!list || !list->bUse) return true;
    return JudgeCondList(list->nMode, list->vCond, chara, world);
}

bool JudgeFlowCondList(cChara& chara, cFlowRun& flow, cWorldState* world) {
    const cFlow& f = *flow.def;
    if (f.vCond.empty()) return true;
    if (f.bLatch && flow.condLatched) return true;
    if (!JudgeCondList(f.nCondMode, f.vCond, &chara, world)) return false;
    if (f.bLatch) flow.condLatched = 1;
    return true;
}

bool cChara::JudgeStatusCond(const cEdCond& cond) const {
    int32_t value = 0;
    if (cond.nSubject == 5) {
        if (cond.nStatus == 0) value = PlayStage.nAutoScrollX;
        else if (cond.nStatus == 1) value = PlayStage.nAutoScrollY;
        else return false;
    } else {
        const cChara* s = Subject(*this, cond.nSubject);
        if (!s) return false;
        const cCharaData& d = s->data;
        switch (cond.nStatus) {
        case 1: value = d.bTransparent; break;
        case 2: value = static_cast<int8_t>(d.bFixedFacing); break;
        case 3: value = static_cast<int8_t>(d.byFlying); break;
        case 4: value = static_cast<int8_t>(d.byInvincible); break;
        case 5: value = d.chSize; break;
        case 6: value = d.bAutoScrollSync; break;
        default: return false;
        }
    }
    return CompareByOp(value, cond.nVarNum, cond.nCompare);
}

bool cChara::JudgeStateCond(const cEdCond& cond) const {
    const int sel = cond.nStatus;
    bool r = false;
    if (sel == 4) {
        const int slot = cond.nSubject;
        if (slot >= 1 && slot <= TARGET_SLOT_NUM) {
            const cChara* t = vTarget[slot - 1];
            r = t && !t->dying;
        } else {
            r = true;
        }
    } else {
        const cChara* s = Subject(*this, cond.nSubject);
        if (!s) return false;
        switch (sel) {
        case 0: r = s->nFacing == 0; break;
        case 1: r = s->nFacing == 1; break;
        case 2: r = !s->IsFlying() && (s->standingOnObject || (!s->bJump && !s->bFalling)); break;
        case 3:
            if (const auto* sc = dynamic_cast<const cStageChara*>(s)) r = sc->bOnScreen != 0;
            else r = s->IsOnScreen();
            break;
        default: return false;
        }
    }
    return cond.nCompare == 1 ? !r : r;
}

bool cChara::JudgeDistanceCond(const cEdCond& cond, cWorldState* world) {
    cChara* other = nullptr;
    if (cond.nSubject == 0) other = GetHero(world);
    else if (cond.nSubject <= TARGET_SLOT_NUM) other = vTarget[cond.nSubject - 1];
    if (!other) return false;
    const int32_t r = cond.nValue * 16 + cond.nOpVarNum;
    UpdateHitRectX();
    UpdateHitRectY();
    other->UpdateHitRectX();
    other->UpdateHitRectY();
    const bool bRight = nFacing == 1;
    double l1 = 0, r1 = 0, l2 = 0, r2 = 0;
    bool in = false;
    auto overlap = [&](bool bX, int32_t before, int32_t after) {
        CalcJudgeRange(l1, r1, bX ? x : y, bX ? nHitW : nHitH, before, after, true);
        CalcJudgeRange(l2, r2, bX ? other->x : other->y, bX ? other->nHitW : other->nHitH, 0, 0, true);
        return JudgeOverlap(l1, r1, l2, r2);
    };
    switch (cond.nAxis) {
    case 0: in = overlap(true, r, r); break;
    case 1: in = bRight ? overlap(true, 0, r) : overlap(true, r, 0); break;
    case 2: in = bRight ? overlap(true, r, 0) : overlap(true, 0, r); break;
    case 3: in = overlap(false, r, r); break;
    case 4: in = bRight ? overlap(false, 0, r) : overlap(false, r, 0); break;
    case 5: in = bRight ? overlap(false, r, 0) : overlap(false, 0, r); break;
    case 6: {
        const double dx = (x + nHitW / 2.0) - (other->x + other->nHitW / 2.0);
        const double dy = (y + nHitH / 2.0) - (other->y + other->nHitH / 2.0);
        in = dx * dx + dy * dy <= static_cast<double>(r) * r;
        break;
    }
    default: return false;
    }
    return cond.nCompare == 1 ? !in : in;
}

namespace {

// The grid cell that `b` is, or null when it is another block record.
cBlockCell* GridCellOf(const cBlockData& b) {
    if (BlockGrid.empty()) return nullptr;
    const auto p = reinterpret_cast<uintptr_t>(&b);
    const auto first = reinterpret_cast<uintptr_t>(static_cast<const cBlockData*>(BlockGrid.data()));
    if (p < first) return nullptr;
    const uintptr_t k = (p - first) / sizeof(cBlockCell);
    if (k >= BlockGrid.size() || (p - first) % sizeof(cBlockCell) != 0) return nullptr;
    return &BlockGrid[k];
}

int BlockCondTest(const cBlockData& b) {
    cBlockCell* cell = GridCellOf(b);
    if (cell && b.byCondLatch && cell->bCondLatched) return 1;
    // The stage records call this test with the block alone: it judges in
    // the world in play.
    cWorldState* const world = lpWorld;
    if (!JudgeCondList(b.byCondMode, b.vCond, GetHero(world), world)) return 0;
    if (cell && b.byCondLatch) cell->bCondLatched = 1;
    return 1;
}

}  // namespace

void InstallCondTests() {
    SetBlockCondTest(BlockCondTest);
}
