// Aiming and nearest-object search of cGameObject, in screen coordinates of
// the drawn cells' centres.
#include <cmath>

#include "actors/chara.h"
#include "actors/flow_run.h"
#include "database/global_objects.h"
#include "world/game_object.h"
#include "world/world_state.h"

void cGameObject::GetTargetPoint(double& outX, double& outY, const cGameObject& target, bool bKeepX,
                                 bool bKeepY) {
    if (!bKeepX) outX = target.nScrLeft + target.nCellW / 2.0;
    if (!bKeepY) outY = target.nScrTop + target.nCellH / 2.0;
}

int32_t cGameObject::AimAtTarget(cFlowCmdRun& state, double aimX, double aimY, bool bCallerFollows, bool bSnap,
                                 cWorldState* world) {
    double cx = 0, cy = 0;
    GetCentre(cx, cy);
    const int32_t arrived =
        CalcAimVelocity(state.dVelX, state.dVelY, state.nDir, cx, cy, aimX, aimY, state.speed, true, bCallerFollows);
    if (arrived && bSnap) {
        UpdateScreenRect();
        SetPosByCentre(static_cast<int32_t>(aimX), static_cast<int32_t>(aimY), &state, world);
    }
    return arrived;
}

int32_t cGameObject::TurnToTarget(cFlowCmdRun& state, double aimX, bool bSnap, cWorldState* world) {
    double cx = 0, cy = 0;
    GetCentre(cx, cy);
    const int32_t arrived = StepToward(state.dVelX, state.dVelY, state.nDir, cx, aimX, state.speed, true);
    if (arrived && bSnap) {
        UpdateScreenRect();
        SetXByCentre(static_cast<int32_t>(aimX), &state, world);
    }
    return arrived;
}

int32_t cGameObject::ChaseTarget(cFlowCmdRun& state, double aimY, bool bSnap, cWorldState* world) {
    double cx = 0, cy = 0;
    GetCentre(cx, cy);
    int32_t dir = 0;
    const int32_t arrived = StepToward(state.dVelY, state.dVelX, dir, cy, aimY, state.speed, true);
    state.nDir = 0;
    if (arrived && bSnap) {
        UpdateScreenRect();
        SetYByCentre(static_cast<int32_t>(aimY), &state, world);
    }
    return arrived;
}

namespace {

bool Searchable(const cGameObject* o, int32_t side, int32_t excludeId, uint32_t skipKinds) {
    if (!o) return false;
    if (side >= 0 && o->nKind3 != side) return false;
    if (const auto* c = dynamic_cast<const cChara*>(o); c && (c->hp <= 0 || c->dying)) return false;
    if (o->nId == excludeId) return false;
    if ((skipKinds & 1) && o->nKind == 1) return false;
    if ((skipKinds & 2) && o->nKind == 2) return false;
    if ((skipKinds & 4) && o->nKind3 != 0) return false;
    return true;
}

cGameObject* Nearest(const std::list<cGameObject*>& lst, double px, double py, int32_t side, int32_t excludeId,
                     uint32_t skipKinds, int onScreen) {
    cGameObject* best = nullptr;
    double bestD = 0;
    for (cGameObject* o : lst) {
        if (!Searchable(o, side, excludeId, skipKinds)) continue;
        if (onScreen >= 0 && o->IsOnScreen() != (onScreen != 0)) continue;
        double ox = 0, oy = 0;
        o->GetCentre(ox, oy);
        const double d = std::fabs(ox - px) + std::fabs(oy - py);
        if (!best || d < bestD) {
            best = o;
            bestD = d;
        }
    }
    return best;
}

}  // namespace

cGameObject* cGameObject::FindNearestObject(const std::list<cGameObject*>& lst, double px, double py, int32_t side,
                                            int32_t excludeId, uint32_t skipKinds, int32_t mode) {
    if (mode != 2) return Nearest(lst, px, py, side, excludeId, skipKinds, -1);
    cGameObject* o = Nearest(lst, px, py, side, excludeId, skipKinds, 1);
    return o ? o : Nearest(lst, px, py, side, excludeId, skipKinds, 0);
}

cGameObject* cGameObject::FindNearestAtCenter(const std::list<cGameObject*>& lst, int32_t side,
                                              uint32_t skipKinds) const {
    double cx = 0, cy = 0;
    GetCentre(cx, cy);
    return FindNearestObject(lst, cx, cy, side, nId, skipKinds, PlayStage.bSearchSwitch ? 2 : 0);
}
