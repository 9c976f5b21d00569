// ソード: the first step of the command swings the sword.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"
#include "actors/shot_cmds.h"
#include "actors/sword.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"

void SwordProc(const FLOWSTEP& step) {
    // The first step of the run only.
    if (step.state.nStepCounter++ != 0 || !step.state.cmd || !step.state.cmd->spShot) return;
    PlayCmdSound(step.chara, step.state);
    SwingSword(step.chara, *step.state.cmd->spShot, step.world, step.flow.def ? step.flow.def->nFlowID : 0);
}

