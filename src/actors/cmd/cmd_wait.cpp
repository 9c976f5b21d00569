// The waiting and standing commands: ウエイト, 移動の無効化, 向き変更, ジャンプ.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"

void CancelMoveProc(const FLOWSTEP& step) {
    cChara& c = step.chara;
    c.dSpeedX = c.dSpeedY = 0;
    c.dPushX = c.dPushY = 0;
    c.dAccelX = c.dAccelY = 0;
    c.bAnchorX = c.bAnchorY = 0;
    c.bMoveCancelled = 1;
}

void TurnProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    if (!chara.data.bFixedFacing || !state.cmd || !CmdActingStep(state)) return;
    const cFlowCmd& cmd = *state.cmd;
    if (cmd.nSE != 0) PlayDataSE(static_cast<uint16_t>(cmd.nSE));
    const int32_t v = CmdParam(cmd, 0);
    if (v == 0 || v == 1) {
        chara.nFacing = v;
    } else if (v >= 2 && v <= 9) {
        const cChara* t = chara.GetTarget((v - 2) / 2);
        if (!t) return;
        const double tc = t->x + t->nHitW / 2.0;
        const double cc = chara.x + chara.nHitW / 2.0;
        const bool bToward = v % 2 == 0;
        chara.nFacing = bToward ? (tc <= cc ? 0 : 1) : (tc > cc ? 0 : 1);
    } else if ((v == 10 || v == 11) && (chara.nLastBlockSide == 0 || chara.nLastBlockSide == 1)) {
        chara.nFacing = v == 10 ? chara.nLastBlockSide : 1 - chara.nLastBlockSide;
    }
}

void JumpProc(const FLOWSTEP& step) {
    step.chara.bAnchorX = step.chara.bAnchorY = 0;
    step.chara.JumpStep(step.state, &step.flow);
    ++step.state.nStepCounter;
}
