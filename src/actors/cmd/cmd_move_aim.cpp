// 突撃移動 (aimed once, then straight on) and 誘導移動 (re-aimed, optionally
// following the target's path some steps late).
#include <cmath>
#include <numbers>

#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "stage/flow_cmd.h"

namespace {

// The target in the move's slot while it can be aimed at, else null.
cChara* MoveTarget(const cChara& chara, const cEdMove& move) {
    if (move.nTargetSlot >= TARGET_SLOT_NUM) return nullptr;
    cChara* t = chara.GetTarget(move.nTargetSlot);
    return t && !t->dying ? t : nullptr;
}

void FacingFromVelocity(cFlowCmdRun& state) {
    state.nDir = state.dVelX < 0 ? 1 : state.dVelX > 0 ? 2 : 0;
}

// Aims at (ax, ay), a point in stage dots: flying characters by the locks,
// walking ones horizontally only.
void AimAt(cChara& chara, cFlowCmdRun& state, const cEdMove& move, const cChara& target, double ax, double ay,
           cWorldState* world) {
    if (chara.IsFlying()) {
        AimByLocks(chara, state, move, target, ax, ay, world);
        return;
    }
    double cx = 0, cy = 0;
    CharaCentre(chara, cx, cy);
    state.dVelX = move.bLockX ? 0 : (ax <= cx ? -state.speed : state.speed);
    state.dVelY = 0;
    FacingFromVelocity(state);
}

}  // namespace

void ChargeMoveProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    const cEdMove& move = CmdMove(state);
    if (BeginMoveStep(chara, state)) {
        const int32_t angle = MoveAngle(chara, move);
        state.dAngle = angle;
        MoveOffset(chara, move, state.dPosX, state.dPosY);
        if (move.nTargetSlot >= TARGET_SLOT_NUM || !chara.GetTarget(move.nTargetSlot)) {
            state.dVelX = state.dVelY = 0;
            return;
        }
        const cChara* target = MoveTarget(chara, move);
        if (!target) return;
        double tx = 0, ty = 0;
        CharaCentre(*target, tx, ty);
        AimAt(chara, state, move, *target, tx + state.dPosX, ty + state.dPosY, step.world);
        if (angle != 0) {
            constexpr double kRad = std::numbers::pi / 180.0;
            const double s = state.speed;
            if (!MoveCompatSwitch(eSysSwitch::ChargeAim)) {
                const double theta = angle + std::atan2(state.dVelY, state.dVelX) / kRad + 180;
                state.dVelX = -std::cos(theta * kRad) * s;
                if (chara.IsFlying()) state.dVelY = -std::sin(theta * kRad) * s;
            } else {
                const double theta = angle + std::atan2(state.dVelX, state.dVelY) / kRad + 90;
                state.dVelX = std::cos(theta * kRad) * s;
                if (chara.IsFlying()) state.dVelY = -std::sin(theta * kRad) * s;
            }
            FacingFromVelocity(state);
        }
    }
    if (!chara.IsFlying()) state.dVelY = 0;
    ApplyMove(chara, state.dVelX, state.dVelY, state.nDir, state, move, false);
}

void HomingMoveProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    const cEdMove& move = CmdMove(state);
    const bool bFirst = BeginMoveStep(chara, state);
    if (bFirst) MoveOffset(chara, move, state.dPosX, state.dPosY);
    const cChara* target = MoveTarget(chara, move);
    if (!target) return;
    double tx = 0, ty = 0;
    CharaCentre(*target, tx, ty);
    const int32_t lag = static_cast<int32_t>(state.dRadius);
    if (lag <= 0) {
        AimAt(chara, state, move, *target, tx + state.dPosX, ty + state.dPosY, step.world);
    } else if (state.nStepCounter % lag == 0) {
        // Aim where the target was `lag` steps ago, then remember where it is now.
        const double ax = state.Move.bLagSet ? state.Move.dLagX : tx;
        const double ay = state.Move.bLagSet ? state.Move.dLagY : ty;
        AimAt(chara, state, move, *target, ax + state.dPosX, ay + state.dPosY, step.world);
        state.Move.dLagX = tx;
        state.Move.dLagY = ty;
        state.Move.bLagSet = 1;
    }
    ApplyMove(chara, state.dVelX, state.dVelY, state.nDir, state, move, false);
    ++state.nStepCounter;
}
