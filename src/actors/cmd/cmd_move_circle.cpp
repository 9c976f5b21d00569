// 円移動: a circle of the radius, start angle and angular speed prepared at set-up.
#include <cmath>
#include <numbers>

#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "stage/flow_cmd.h"

namespace {

// One step of an axis: the velocity share of angle a (degrees × scale) at
// `phase` degrees, then a moves on by step and wraps at scale × 360.
double CircleDelta(double& a, double phase, double radius, double scale, double step) {
    constexpr double kRad = std::numbers::pi / 180.0;
    const double d = std::cos((a / scale + phase) * kRad) * radius * kRad / scale;
    a += step;
    if (a >= scale * 360) a -= scale * 360;
    return d;
}

}  // namespace

void CircleMoveProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    if (state.dRadius == 0) return;
    const cEdMove& move = CmdMove(state);
    if (BeginMoveStep(chara, state)) state.Move.dAccX = state.Move.dAccY = state.dAngle;
    // The turning sense: as stored (swapped for a character placed facing
    // right when the move mirrors), or by the facing now.
    int32_t rotation = move.nDir;
    if (rotation <= 1 && move.bMirrorX && chara.data.byFacing == 1) rotation ^= 1;
    else if (rotation == 2) rotation = chara.nFacing != 0 ? 1 : 0;
    else if (rotation == 3) rotation = chara.nFacing == 0 ? 1 : 0;
    state.dVelX = state.dVelY = 0;
    // dAngleStep: the angular speed the set-up derived (degrees per step).
    const double speed = state.dAngleStep;
    const double scale = StepsPerFrame();
    const double turn = scale * speed;
    const double dx = CircleDelta(state.Move.dAccX, 0, state.dRadius, scale, turn);
    const double dy = CircleDelta(state.Move.dAccY, rotation == 1 ? 90 : 270, state.dRadius, scale, turn);
    if (!move.bLockX) state.dVelX -= dx * speed;
    if (chara.IsFlying() && !move.bLockY) state.dVelY -= dy * speed;
    ApplyMove(chara, state.dVelX, state.dVelY, 0, state, move, false);
}
