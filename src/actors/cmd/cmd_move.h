#pragma once
// The shared steps of the movement executors: angle and target offset of a
// move setting, direction codes to velocities, aiming, and ApplyMove, which
// hands a velocity to the character.
#include <cstdint>

#include "actors/chara.h"
#include "actors/flow_run.h"
#include "database/system_switches.h"
#include "stage/flow_cmd.h"

// The play's speed scale v (logic steps per frame, at least 1) and frame
// multiplier 6v (steps per tenth of a second).
double StepsPerFrame();
int32_t FrameMultiplier();
// The setting of a command without one.
extern const cEdMove kNoMove;
// The move setting of the running command (a default setting when it has none).
inline const cEdMove& CmdMove(const cFlowCmdRun& state) {
    return state.cmd && state.cmd->spMove ? *state.cmd->spMove : kNoMove;
}
// Screen anchors cleared; true on the command's first step (started flag set).
inline bool BeginMoveStep(cChara& chara, cFlowCmdRun& state) {
    chara.bAnchorX = chara.bAnchorY = 0;
    if (state.Move.bStarted) return false;
    state.Move.bStarted = 1;
    return true;
}
// angle = increment × 分身値 + angle, mirrored (360 − angle) for a character
// placed facing right when the setting mirrors it, reduced below 360.
int32_t MoveAngle(const cChara& chara, const cEdMove& move);
// Target offset in dots (blocks × 32 + dots), mirrored per axis for a
// character placed facing right.
void MoveOffset(const cChara& chara, const cEdMove& move, double& outX, double& outY);
// A direction code resolved against the facing: 0 forward, 1 back, 4 and 5
// up/down by facing, 12 the input direction held when the flow started
// (startDir); without bDiagonal the diagonals become left or right.
int32_t ResolveDirection(const cChara& chara, int32_t code, bool bDiagonal, int32_t startDir);
// Velocity of a resolved code (2, 3, 6..11) at speed s; with a nonzero angle
// the code's base angle plus it. Vertical only for flying characters. The
// facing request (0 none, 1 left, 2 right) unless the facing is fixed.
void DirVelocity(const cChara& chara, int32_t code, double s, int32_t angle, double& vx, double& vy,
                 int32_t& facingReq);
// The character's hit-box centre in stage dots.
void CharaCentre(const cChara& chara, double& cx, double& cy);
// Velocity toward the target of a charge or homing move by the locks:
// aim point = the target's centre + offset (stage dots).
void AimByLocks(cChara& chara, cFlowCmdRun& state, const cEdMove& move, const cChara& target, double aimX,
                double aimY, cWorldState* world);
// Inertia: the velocity accelerates the inertial speeds (harder by the
// setting's factor against their current sense), within ± the second speed.
void ApplyInertia(cChara& chara, double vx, double vy, const cFlowCmdRun& state, const cEdMove& move);
// Applies a velocity: the facing request, then the displacement (or the
// inertial speed with inertia), then the walking animation. Inline: every
// move step of every moving character ends here.
inline void ApplyMove(cChara& chara, double vx, double vy, int32_t facingReq, cFlowCmdRun& state,
                      const cEdMove& move, bool bForceFacing) {
    const bool bMayTurn = (!chara.data.bFixedFacing || bForceFacing) && !move.bNoTurn;
    if (bMayTurn && facingReq == 1) chara.nFacing = 0;
    if (bMayTurn && facingReq == 2) chara.nFacing = 1;
    if (!move.bInertia) {
        chara.dSpeedX += vx;
        chara.dSpeedY += vy;
    } else {
        ApplyInertia(chara, vx, vy, state, move);
    }
    if (!move.bAnime) {
        chara.bWalking = 1;
        chara.Anime.SetAnime(chara.IsFlying() ? 3 : 1, true);
    }
}

// A compatibility switch of older projects that the movement executors read
// (the project's system settings; 0 for current data).
int32_t MoveCompatSwitch(eSysSwitch s);
