#include <algorithm>
#include <cmath>
#include <numbers>

#include "actors/chara.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

int32_t MoveCompatSwitch(eSysSwitch s) { return GetSysSwitch(SystemData, s); }

int32_t FrameMultiplier() {
    return PlayStage.nSteps6 > 0 ? PlayStage.nSteps6 : 6;
}

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

// Base angle of a resolved direction code (left 0°, up 90°, right 180°, down 270°).
bool BaseAngle(int32_t code, int32_t& angle) {
    switch (code) {
    case 2: angle = 0; return true;
    case 3: angle = 180; return true;
    case 6: angle = 90; return true;
    case 7: angle = 270; return true;
    case 8: angle = 45; return true;
    case 9: angle = 315; return true;
    case 10: angle = 135; return true;
    case 11: angle = 225; return true;
    default: return false;
    }
}

}  // namespace

const cEdMove kNoMove;

int32_t MoveAngle(const cChara& chara, const cEdMove& move) {
    int32_t angle = move.nAngleInc * chara.nCloneIndex + move.nAngle;
    if (move.bMirrorAngle && chara.data.byFacing == 1) angle = 360 - angle;
    while (angle >= 360) angle -= 360;
    return angle;
}

void MoveOffset(const cChara& chara, const cEdMove& move, double& outX, double& outY) {
    outX = move.nTargetXBl * 32 + move.nTargetXDot;
    outY = move.nTargetYBl * 32 + move.nTargetYDot;
    if (chara.data.byFacing == 1) {
        if (move.bMirrorX) outX = -outX;
        if (move.bMirrorY) outY = -outY;
    }
}

int32_t ResolveDirection(const cChara& chara, int32_t code, bool bDiagonal, int32_t startDir) {
    const bool bRight = chara.nFacing > 0;
    if (code == 12) {
        // The input direction held when the flow started (0 neutral and 9 any: forward).
        static const int32_t kInputDir[10] = {0, 2, 3, 6, 7, 8, 9, 10, 11, 0};
        code = startDir >= 0 && startDir < 10 ? kInputDir[startDir] : 0;
    }
    switch (code) {
    case 0: code = bRight ? 3 : 2; break;
    case 1: code = bRight ? 2 : 3; break;
    case 4: code = bRight ? 7 : 6; break;
    case 5: code = bRight ? 6 : 7; break;
    default: break;
    }
    if (!bDiagonal) {
        if (code == 8 || code == 9) code = 2;
        if (code == 10 || code == 11) code = 3;
    }
    return code;
}

void DirVelocity(const cChara& chara, int32_t code, double s, int32_t angle, double& vx, double& vy,
                 int32_t& facingReq) {
    vx = vy = 0;
    int32_t base = 0;
    if (!BaseAngle(code, base)) return;
    if (angle == 0) {
        const double k = dHalfRoot2;
        switch (code) {
        case 2: vx = -s; break;
        case 3: vx = s; break;
        case 6: vy = -s; break;
        case 7: vy = s; break;
        case 8: vx = -k * s; vy = -k * s; break;
        case 9: vx = -k * s; vy = k * s; break;
        case 10: vx = k * s; vy = -k * s; break;
        default: vx = k * s; vy = k * s; break;
        }
    } else {
        const double theta = (base + angle) * kDegToRad;
        vx = -std::cos(theta) * s;
        vy = -std::sin(theta) * s;
    }
    if (!chara.IsFlying()) vy = 0;
    if (!chara.data.bFixedFacing) {
        if (code == 2 || code == 8 || code == 9) facingReq = 1;
        else if (code == 3 || code == 10 || code == 11) facingReq = 2;
    }
}

void CharaCentre(const cChara& chara, double& cx, double& cy) {
    cx = chara.x + chara.nHitW / 2.0;
    cy = chara.y + chara.nHitH / 2.0;
}

void AimByLocks(cChara& chara, cFlowCmdRun& state, const cEdMove& move, const cChara& target, double aimX,
                double aimY, cWorldState* world) {
    // The aiming helpers work between drawn-cell centres on the screen: the
    // aim point moves with the target's offset from its own centre.
    chara.UpdateScreenRect();
    double tx = 0, ty = 0, tcx = 0, tcy = 0;
    CharaCentre(target, tcx, tcy);
    const_cast<cChara&>(target).UpdateScreenRect();
    cGameObject::GetTargetPoint(tx, ty, target);
    tx += aimX - tcx;
    ty += aimY - tcy;
    const bool bSnap = move.bStopOnArrive != 0;
    if (!move.bLockX && !move.bLockY) {
        chara.AimAtTarget(state, tx, ty, chara.bCentreFollow != 0, bSnap, world);
    } else if (move.bLockY && !move.bLockX) {
        chara.TurnToTarget(state, tx, bSnap, world);
    } else if (move.bLockX && !move.bLockY) {
        chara.ChaseTarget(state, ty, bSnap, world);
    } else {
        state.dVelX = state.dVelY = 0;
        state.nDir = 0;
    }
}

void ApplyInertia(cChara& chara, double vx, double vy, const cFlowCmdRun& state, const cEdMove& move) {
    auto accelerate = [&](double v, double& push, int32_t& decel) {
        if (v == 0) return;
        double step = v / StepsPerFrame() / 60.0;
        if (v * push < 0) step *= move.dFactor;
        else decel = 0;
        push = std::clamp(push + step, -std::fabs(state.speed2), std::fabs(state.speed2));
    };
    accelerate(vx, chara.dPushX, chara.bDecelPushX);
    accelerate(vy, chara.dPushY, chara.bDecelPushY);
}
