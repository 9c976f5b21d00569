// 直線移動 and 地上折り返し移動.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "actors/stage_chara.h"
#include "stage/flow_cmd.h"
#include "world/block_grid.h"
#include "world/world_state.h"

namespace {

// The target point of a point-mode move in `world`, by the setting's origin,
// in stage dots.
void TargetPoint(const cChara& chara, const cEdMove& move, const cWorldState* world, double offX, double offY,
                 double& px, double& py) {
    const cScrollAxis& sx = WorldScrollX(world);
    const cScrollAxis& sy = WorldScrollY(world);
    switch (move.nOrigin) {
    case 0:  // from where the character was placed
        px = (chara.spawnRect[0] + chara.spawnRect[2] + 1) / 2.0 + offX;
        py = (chara.spawnRect[1] + chara.spawnRect[3] + 1) / 2.0 + offY;
        break;
    case 1:
        px = offX;
        py = offY;
        break;
    case 2:
        px = std::floor(sx.dPos / 32) * 32 + offX + 16;
        py = std::floor(sy.dPos / 32) * 32 + offY + 16;
        break;
    default:
        px = sx.dPos + offX + 16;
        py = sy.dPos + offY + 16;
        break;
    }
}

// Velocity toward the move's point; with the arrive flag the command lasts
// until the point is reached.
void PointVelocity(cChara& chara, cFlowCmdRun& state, const cEdMove& move, const cWorldState* world) {
    double offX = 0, offY = 0, px = 0, py = 0, cx = 0, cy = 0;
    MoveOffset(chara, move, offX, offY);
    state.dPosX = offX;
    state.dPosY = offY;
    TargetPoint(chara, move, world, offX, offY, px, py);
    CharaCentre(chara, cx, cy);
    const double dx = move.bEnableX ? px - cx : 0;
    const double dy = move.bEnableY ? py - cy : 0;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double s = state.speed;
    state.dVelX = state.dVelY = 0;
    if (d != 0) {
        if (!move.bLockX) state.dVelX = dx / d * s;
        if (!move.bLockY) state.dVelY = dy / d * s;
    }
    state.nDir = state.dVelX < -1e-8 ? 1 : state.dVelX > 1e-8 ? 2 : 0;
    if (move.bArrive && s != 0) {
        state.counter = static_cast<int32_t>(std::floor(std::fabs(d) / std::fabs(s)));
        if (state.counter < 1 && move.bStopOnArrive) {
            if (move.bEnableX && !move.bLockX) state.dVelX = 0;
            if (move.bEnableY && !move.bLockY) state.dVelY = 0;
        }
    }
}

}  // namespace

void StraightMoveProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    const cEdMove& move = CmdMove(state);
    if (BeginMoveStep(chara, state)) {
        const int32_t angle = MoveAngle(chara, move);
        state.dAngle = angle;
        if (move.nMode == 1) {
            PointVelocity(chara, state, move, step.world);
        } else {
            const int32_t code = ResolveDirection(chara, move.nDir, true, step.flow.startDir);
            DirVelocity(chara, code, state.speed, angle, state.dVelX, state.dVelY, state.nDir);
        }
        if (!chara.IsFlying()) state.dVelY = 0;
    } else {
        if (!chara.IsFlying()) state.dVelY = 0;
        const bool bModeOk = move.nMode == 0 || MoveCompatSwitch(eSysSwitch::ReverseOnTurn);
        if (move.bReverseOnTurn && bModeOk && chara.data.bFixedFacing && chara.nFacing != state.Move.nPrevFacing) {
            state.dVelX = -state.dVelX;
            state.dVelY = -state.dVelY;
        }
    }
    if (!MoveCompatSwitch(eSysSwitch::MoveLock)) {
        if (move.bLockX) state.dVelX = 0;
        if (move.bLockY) state.dVelY = 0;
    }
    ApplyMove(chara, state.dVelX, state.dVelY, state.nDir, state, move, false);
    state.Move.nPrevFacing = chara.nFacing;
}

namespace {

// The walk rule: forward at the command's speed; about-turn at a wall (with
// the carrier's movement), or toward the solid side at a ledge.
void WalkTurnVelocity(cChara& chara, cFlowCmdRun& state, const cWorldState* world) {
    state.dVelX = chara.GetFacingSign() * state.speed;
    state.dVelY = 0;
    state.nDir = 0;
    if (chara.bWallHit) {
        const bool bWasRight = chara.nFacing != 0;
        state.nDir = bWasRight ? 1 : 2;
        state.dVelX = -state.dVelX;
        if (world) {
            for (const cStageChara& c : world->lstStageChara) {
                if (c.nId != chara.nCarrierId || chara.nCarrierId == 0) continue;
                const double d = c.x - chara.dCarrierRect[0];
                const bool bNewWay = bWasRight ? d < 0 : d > 0;
                state.dVelX += bNewWay ? 2 * d : d;
                break;
            }
        }
        chara.bWallHit = 0;
        return;
    }
    const cScrollAxis& sx = WorldScrollX(world);
    const cScrollAxis& sy = WorldScrollY(world);
    int32_t row = static_cast<int32_t>(chara.y2 + 1.1) >> 5;
    if (row > sy.nCells - 1) row = sy.nCells - 1;
    const int32_t pass = chara.Side();
    const bool bLeft = GetBlockHitKindAt((row << sx.nPitchShift) + chara.nColL, pass) != 0;
    const bool bRight = GetBlockHitKindAt((row << sx.nPitchShift) + chara.nColR, pass) != 0;
    if (bLeft == bRight) return;
    const bool bSwap = state.speed < 0 && !MoveCompatSwitch(eSysSwitch::EdgeTurn);
    state.nDir = (bLeft != bSwap) ? 1 : 2;
}

}  // namespace

void GroundTurnMoveStep(cChara& chara, cFlowCmdRun& state, const cWorldState* world) {
    if (chara.IsFlying()) return;
    BeginMoveStep(chara, state);
    if (chara.dAccelX == 0 && chara.dAccelY == 0) {
        WalkTurnVelocity(chara, state, world);
    } else {
        state.dVelX = chara.GetFacingSign() * state.speed;
        state.dVelY = 0;
        state.nDir = 0;
    }
    ApplyMove(chara, state.dVelX, state.dVelY, state.nDir, state, CmdMove(state), true);
}

namespace {

// The hit of `cell` for the walk rule, as GetBlockHitKindAt gives it, into
// `kind`; false for a cell whose block must be asked (its conditions).
inline bool KnownBlockHit(int32_t cell, int32_t pass, int32_t& kind) {
    // One unsigned compare: a cell below 0 is beyond the end too.
    if (static_cast<uint32_t>(cell) >= static_cast<uint32_t>(BlockHits.size())) {
        kind = 0;
        return true;
    }
    const BLOCKHIT h = BlockHits.data()[cell];
    kind = h.byPassGroup == pass ? 0 : h.byKind;
    return h.byKind != BLOCKHIT_ASK;
}

}  // namespace

void GroundTurnMoveProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    // The usual step of a walker in line, with no call: no acceleration, no
    // wall met, no inertia, both cells under its edges known, and a ledge
    // only when walking forward at a speed not below 0. Whatever else takes
    // the whole step (GroundTurnMoveStep), which does the same from the
    // start: nothing is written here before the choice.
    // A command without a move setting takes the whole step too. Both
    // accelerations 0 (either sign): their bits but the signs are all 0.
    const cEdMove* const lpMove = state.cmd && state.cmd->spMove ? &*state.cmd->spMove : nullptr;
    uint64_t nAccelX = 0, nAccelY = 0;
    std::memcpy(&nAccelX, &chara.dAccelX, sizeof nAccelX);
    std::memcpy(&nAccelY, &chara.dAccelY, sizeof nAccelY);
    if (!lpMove || chara.IsFlying() || chara.bWallHit || ((nAccelX | nAccelY) << 1) != 0 || lpMove->bInertia ||
        !step.world)
        return GroundTurnMoveStep(chara, state, step.world);
    const cEdMove& move = *lpMove;
    const cScrollAxis& sx = step.world->ScrollX;
    const cScrollAxis& sy = step.world->ScrollY;
    int32_t row = static_cast<int32_t>(chara.y2 + 1.1) >> 5;
    if (row > sy.nCells - 1) row = sy.nCells - 1;
    const int32_t pass = chara.Side();
    int32_t nLeft = 0, nRight = 0;
    if (!KnownBlockHit((row << sx.nPitchShift) + chara.nColL, pass, nLeft) ||
        !KnownBlockHit((row << sx.nPitchShift) + chara.nColR, pass, nRight))
        return GroundTurnMoveStep(chara, state, step.world);
    const bool bLeft = nLeft != 0;
    int32_t nDir = 0;
    if (bLeft != (nRight != 0)) {
        if (state.speed < 0) return GroundTurnMoveStep(chara, state, step.world);
        nDir = bLeft ? 1 : 2;
    }
    BeginMoveStep(chara, state);
    const double vx = chara.GetFacingSign() * state.speed;
    state.dVelX = vx;
    state.dVelY = 0;
    state.nDir = nDir;
    ApplyMove(chara, vx, 0.0, nDir, state, move, true);
}
