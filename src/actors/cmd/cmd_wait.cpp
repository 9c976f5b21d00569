// The waiting and standing commands: ウエイト, 移動の無効化, 向き変更, ジャンプ.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"

void CancelMoveProc(cChara& chara, cFlowCmdRun& /*state*/) {
    chara.dSpeedX = chara.dSpeedY = 0;
    chara.dPushX = chara.dPushY = 0;
    chara.dAccelX = chara.dAccelY = 0;
    chara.bAnchorX = chara.bAnchorY = 0;
    chara.bMoveCancelled = 1;
}

void TurnProc(cChara& chara, cFlowCmdRun& state) {
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

void JumpProc(cChara& chara, cFlowCmdRun& state) {
    chara.bAnchorX = chara.bAnchorY = 0;
    chara.JumpStep(state);
    ++state.nStepCounter;
}
