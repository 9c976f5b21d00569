// ソード: the first step of the command swings the sword.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"
#include "actors/shot_cmds.h"
#include "actors/sword.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

void SwordProc(cChara& chara, cFlowCmdRun& state) {
    // The first step of the run only.
    if (state.nStepCounter++ != 0 || !state.cmd || !state.cmd->spShot) return;
    PlayCmdSound(chara, state);
    SwingSword(chara, *state.cmd->spShot);
}

