// ショット: every acting step fires the command's whole pattern.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"
#include "actors/shot_cmds.h"
#include "actors/shot_emit.h"
#include "database/global_objects.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

void PlayCmdSound(cChara& chara, const cFlowCmdRun& state) {
    if (!state.cmd || state.cmd->nSE == 0) return;
    if (state.cmd->bSEOnScreen && !chara.IsOnScreen()) return;
    PlayDataSE(static_cast<uint16_t>(state.cmd->nSE));
}

void ShotProc(const FLOWSTEP& step) {
    if (!CmdActingStep(step.state) || !step.state.cmd || !step.state.cmd->spShot || !step.world) return;
    PlayCmdSound(step.chara, step.state);
    FireShot(step.world->lstShots, step.chara, &step.flow, *step.state.cmd->spShot, step.world);
}

