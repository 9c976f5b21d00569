// 画面外回避移動: brings a character that is off screen back onto it.
#include <cmath>

#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

namespace {

enum : uint32_t { DIR_L = 1, DIR_R = 2, DIR_U = 4, DIR_D = 8 };

uint32_t DirFlags(const cChara& chara, int32_t code) {
    const bool bRight = chara.nFacing != 0;
    switch (code) {
    case 0: return bRight ? DIR_R : DIR_L;
    case 1: return bRight ? DIR_L : DIR_R;
    case 4: return bRight ? DIR_D : DIR_U;
    case 5: return bRight ? DIR_U : DIR_D;
    case 2: return DIR_L;
    case 3: return DIR_R;
    case 6: return DIR_U;
    case 7: return DIR_D;
    case 8: return DIR_L | DIR_U;
    case 9: return DIR_L | DIR_D;
    case 10: return DIR_R | DIR_U;
    case 11: return DIR_R | DIR_D;
    default: return 0;
    }
}

// One axis of the rule. lo/hi: the rectangle's near and far edges on the
// screen; far: 608 or 448; view: 640 or 480.
double AvoidAxis(const cScrollAxis& ax, bool bBack, bool bFore, double s, int32_t lo, int32_t hi, int32_t far,
                 int32_t view) {
    if (ax.dAutoStep == 0 || ax.bClamped) {
        if (bBack && lo > far) return -s;
        if (!bBack && bFore && hi < 32) return s;
        return 0;
    }
    const double a = ax.dAutoStep;
    if (bBack && far - std::fabs(a + 1) < lo && ax.dPos > 0 && ax.dPos + a <= ax.nOuter - view) return a - s;
    if (!bBack && bFore && std::fabs(a + 1) + 32 > hi && ax.dPos + a > 0 && ax.dPos < ax.nOuter - view)
        return a + s;
    return 0;
}

}  // namespace

void AvoidOffscreenMoveProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    const cEdMove& move = CmdMove(state);
    BeginMoveStep(chara, state);
    chara.UpdateScreenRect();
    const uint32_t f = DirFlags(chara, move.nDir);
    const double s = state.speed;
    const cScrollAxis& sx = WorldScrollX(step.world);
    const cScrollAxis& sy = WorldScrollY(step.world);
    state.dVelX = AvoidAxis(sx, f & DIR_L, f & DIR_R, s, chara.nScrLeft, chara.nScrRight, 608, 640);
    state.dVelY = AvoidAxis(sy, f & DIR_U, f & DIR_D, s, chara.nScrTop, chara.nScrBottom, 448, 480);
    if (!chara.IsFlying()) state.dVelY = 0;
    ApplyMove(chara, state.dVelX, state.dVelY, state.nDir, state, move, false);
    ++state.nStepCounter;
}
