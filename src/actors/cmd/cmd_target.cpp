// ターゲットの設定: points one of the character's four target slots at a
// character chosen by one of eleven kinds.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "actors/chara.h"
#include "actors/chara_lookup.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"
#include "actors/player.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

namespace {

enum eTargetKind : int32_t {
    TGKIND_HERO = 0, TGKIND_SELF = 1, TGKIND_NEAREST = 2, TGKIND_BY_ID = 3, TGKIND_PARENT = 4,
    TGKIND_LAST_CHILD = 5, TGKIND_CHILD_IF = 6, TGKIND_SLOT1 = 7, TGKIND_SLOT4 = 10,
};
constexpr int32_t SUMMONED_CHARA = 4;
constexpr int32_t kAllGroups = 8;

// The candidate filter of parameters 5 to 14.
struct cTargetFilter {
    const cChara* lpSelf;
    int32_t p[16];

    static bool Compare(int32_t value, int32_t with, int32_t code) {
        switch (code) {
        case 0: return value == with;
        case 1: return value != with;
        case 2: return value >= with;
        case 3: return value <= with;
        case 4: return value > with;
        case 5: return value < with;
        case 6: return with == 0 || std::llabs(static_cast<long long>(value)) % with == 0;
        case 7: return with != 0 && std::llabs(static_cast<long long>(value)) % with != 0;
        default: return false;
        }
    }

    bool Passes(const cChara* c) const {
        if (!c || c->dying) return false;
        if (p[9] && c->data.byCharaId != p[10]) return false;
        if (p[5] && c->nId == lpSelf->nId) return false;
        if (p[6] && c->data.byInvincible == 1) return false;
        if (p[7] && c->data.byInvincible == 2) return false;
        if (p[8] && c->bTargetExcluded) return false;
        if (p[11]) {
            const int32_t var = static_cast<int16_t>(p[12]);
            if (var < 0 || var >= static_cast<int32_t>(c->vars.size())) return false;
            if (!Compare(c->vars[var], p[13], p[14])) return false;
        }
        return true;
    }
};

const cHitBucket* Group(const cWorldState* world, int32_t g) {
    if (!world || g < 0 || g >= static_cast<int32_t>(world->vCharaBucket.size())) return nullptr;
    return &world->vCharaBucket[g];
}

void Centre(const cChara& c, double& cx, double& cy) {
    cx = c.x + c.nHitW / 2.0;
    cy = c.y + c.nHitH / 2.0;
}

// Nearest by |dx| + |dy|; the first one wins a tie. onScreen: -1 any, 0 off, 1 on.
cChara* NearestIn(const cHitBucket& lst, double px, double py, const cTargetFilter& f, int onScreen,
                  double& bestD) {
    cChara* best = nullptr;
    for (cGameObject* o : lst) {
        auto* c = dynamic_cast<cChara*>(o);
        if (!f.Passes(c)) continue;
        if (onScreen >= 0 && c->IsOnScreen() != (onScreen != 0)) continue;
        double cx = 0, cy = 0;
        Centre(*c, cx, cy);
        const double d = std::fabs(cx - px) + std::fabs(cy - py);
        if (!best || d < bestD) {
            best = c;
            bestD = d;
        }
    }
    return best;
}

// The nearest passing character of `lst` to (px, py) within the search range
// (0 on screen first, 1 all, 2 on screen only).
cChara* FindNearestChara(double px, double py, const cHitBucket& lst, int32_t range,
                         const cTargetFilter& f, double& bestD) {
    if (range == 1) return NearestIn(lst, px, py, f, -1, bestD);
    cChara* c = NearestIn(lst, px, py, f, 1, bestD);
    if (c || range == 2) return c;
    return NearestIn(lst, px, py, f, 0, bestD);
}

cChara* FindFirstChara(const cHitBucket& lst, const cTargetFilter& f) {
    for (cGameObject* o : lst) {
        auto* c = dynamic_cast<cChara*>(o);
        if (f.Passes(c)) return c;
    }
    return nullptr;
}

cChara* ChooseTarget(cChara& chara, const cFlowCmd& cmd, const cTargetFilter& f, cWorldState* world) {
    const int32_t kind = CmdParam(cmd, 1);
    const int32_t group = CmdParam(cmd, 2);
    const bool bAll = CmdParam(cmd, 3) != 0;
    const int32_t range = CmdParam(cmd, 4);
    switch (kind) {
    case TGKIND_HERO: return world ? world->Hero() : nullptr;
    case TGKIND_SELF: return &chara;
    case TGKIND_NEAREST: {
        double cx = 0, cy = 0, bestD = 0;
        Centre(chara, cx, cy);
        cChara* best = nullptr;
        for (int64_t g = bAll ? 0 : group; g < (bAll ? int64_t{kAllGroups} : int64_t{group} + 1); ++g) {
            const cHitBucket* lst = Group(world, static_cast<int32_t>(g));
            if (!lst) continue;
            double d = 0;
            cChara* c = FindNearestChara(cx, cy, *lst, range, f, d);
            if (c && (!best || d < bestD)) {
                best = c;
                bestD = d;
            }
        }
        return best;
    }
    case TGKIND_BY_ID:
        for (int64_t g = bAll ? 0 : group; g < (bAll ? int64_t{kAllGroups} : int64_t{group} + 1); ++g) {
            const cHitBucket* lst = Group(world, static_cast<int32_t>(g));
            if (cChara* c = lst ? FindFirstChara(*lst, f) : nullptr) return c;
        }
        return nullptr;
    case TGKIND_PARENT: return chara.tg;
    case TGKIND_LAST_CHILD:
    case TGKIND_CHILD_IF:
        for (auto it = chara.vSummoned.rbegin(); it != chara.vSummoned.rend(); ++it) {
            if (it->nKind != SUMMONED_CHARA) continue;
            cChara* c = FindCharaById(it->nId, world);
            if (!c) continue;
            if (kind == TGKIND_LAST_CHILD) return c;
            if (f.Passes(c) && (bAll || c->nKind == group)) return c;
        }
        return nullptr;
    default:
        if (kind >= TGKIND_SLOT1 && kind <= TGKIND_SLOT4) return chara.GetTarget(kind - TGKIND_SLOT1);
        return nullptr;
    }
}

void RemoveBackLink(cChara& target, cChara* holder, int32_t slot) {
    auto& v = target.targetedBy;
    v.erase(std::remove(v.begin(), v.end(), TARGETLINK{holder, slot}), v.end());
}

}  // namespace

void SetTargetSlot(cChara& chara, int32_t slot, cChara* lpNew, bool bClearFirst) {
    if (slot < 0 || slot >= TARGET_SLOT_NUM || slot >= static_cast<int32_t>(chara.vTarget.size())) return;
    if (!bClearFirst && !lpNew) return;
    if (cChara* old = chara.vTarget[slot]) RemoveBackLink(*old, &chara, slot);
    chara.vTarget[slot] = nullptr;
    if (!lpNew) return;
    chara.vTarget[slot] = lpNew;
    const TARGETLINK link{&chara, slot};
    if (std::find(lpNew->targetedBy.begin(), lpNew->targetedBy.end(), link) == lpNew->targetedBy.end())
        lpNew->targetedBy.push_back(link);
}

int32_t SetTarget(cChara& chara, const cFlowCmd& cmd, cWorldState* world) {
    cTargetFilter f{&chara, {}};
    for (int i = 0; i < 16; ++i) f.p[i] = CmdParam(cmd, i);
    const int32_t ifNone = f.p[15];
    if (ifNone != 0 && ifNone != 1) return 0;
    cChara* found = ChooseTarget(chara, cmd, f, world);
    SetTargetSlot(chara, f.p[0], found, ifNone == 0);
    return 0;
}

void SetTargetProc(const FLOWSTEP& step) {
    if (step.state.cmd) SetTarget(step.chara, *step.state.cmd, step.world);
}
