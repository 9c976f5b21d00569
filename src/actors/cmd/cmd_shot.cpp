// ショット: every acting step fires the command's whole pattern.
#include "actors/chara.h"
#include "actors/flow_run.h"
#include "actors/shot_cmds.h"
#include "actors/shot_emit.h"
#include "database/global_objects.h"
#include "play/play_scene.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"

void PlayCmdSound(cChara& chara, const cFlowCmdRun& state) {
    if (!state.cmd || state.cmd->nSE == 0) return;
    if (state.cmd->bSEOnScreen && !chara.IsOnScreen()) return;
    PlayDataSE(static_cast<uint16_t>(state.cmd->nSE));
}

bool IsActingStep(cFlowCmdRun& state, bool bWrap) {
    const bool bAct = state.nStepCounter == 0;
    ++state.nStepCounter;
    if (bWrap && state.nStepCounter >= (PlayStage.nSteps6 > 0 ? PlayStage.nSteps6 : 1)) state.nStepCounter = 0;
    return bAct;
}

void ShotCmdStep(cChara& chara, cFlowCmdRun& state) {
    if (!IsActingStep(state, true) || !state.cmd || !state.cmd->spShot || !lpPlayScene) return;
    PlayCmdSound(chara, state);
    FireShot(lpPlayScene->lstShots, chara, &state, *state.cmd->spShot);
}

int ShotProc() {
    if (!lpPlayScene || !lpPlayScene->lpCurChara || !lpPlayScene->lpCurCmd) return 0;
    ShotCmdStep(*lpPlayScene->lpCurChara, *lpPlayScene->lpCurCmd);
    return 0;
}
