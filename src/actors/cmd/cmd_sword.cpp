// ソード: the first step of the command swings the sword.
#include "actors/chara.h"
#include "actors/flow_run.h"
#include "actors/shot_cmds.h"
#include "actors/sword.h"
#include "play/play_scene.h"
#include "stage/flow_cmd.h"

void SwordCmdStep(cChara& chara, cFlowCmdRun& state) {
    if (!IsActingStep(state, false) || !state.cmd || !state.cmd->spShot) return;
    PlayCmdSound(chara, state);
    SwingSword(chara, *state.cmd->spShot);
}

int SwordProc() {
    if (!lpPlayScene || !lpPlayScene->lpCurChara || !lpPlayScene->lpCurCmd) return 0;
    SwordCmdStep(*lpPlayScene->lpCurChara, *lpPlayScene->lpCurCmd);
    return 0;
}
