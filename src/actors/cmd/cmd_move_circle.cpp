// 円移動: a circle of the radius and start angle prepared at set-up.
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

void CircleMoveProc(cChara& chara, cFlowCmdRun& state) {
    if (state.dRadius == 0) return;
    const cEdMove& move = CmdMove(state);
    if (BeginMoveStep(chara, state)) state.Move.dAccX = state.Move.dAccY = state.dAngle;
    int32_t rotation = move.nDir;
    if (rotation == 2) rotation = chara.nFacing != 0 ? 1 : 0;
    else if (rotation == 3) rotation = chara.nFacing == 0 ? 1 : 0;
    state.dVelX = state.dVelY = 0;
    const double scale = StepsPerFrame();
    const double step = scale * state.speed;
    const double dx = CircleDelta(state.Move.dAccX, 0, state.dRadius, scale, step);
    const double dy = CircleDelta(state.Move.dAccY, rotation == 1 ? 90 : 270, state.dRadius, scale, step);
    if (!move.bLockX) state.dVelX -= dx * state.speed;
    if (chara.IsFlying() && !move.bLockY) state.dVelY -= dy * state.speed;
    ApplyMove(chara, state.dVelX, state.dVelY, 0, state, move, false);
}
