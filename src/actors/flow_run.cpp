#include "actors/flow_run.h"

#include "stage/flow.h"

void cFlowCmdRun::ClearWork() {
    dVelX = dVelY = 0;
    nDir = 0;
    dPosX = dPosY = 0;
    // The radius, the angles and the jump speed come from the flow set-up and
    // stay for every run of the command.
    nStepCounter = 0;
    for (int32_t& w : nWork) w = 0;
    bCodeErrorShown = 0;
    Move = {};
}

void cFlowRun::Bind(const cFlow& flow) {
    def = &flow;
    trigger = flow.nTrigger;
    const int nKeys = static_cast<int>(flow.vKeyCond.size());
    vKeyStep.resize(nKeys);
    for (int k = 0; k < nKeys; ++k) vKeyStep[k].lpStep = &flow.vKeyCond[k];
    const int nCmds = static_cast<int>(flow.vCmd.size());
    cmds.resize(nCmds);
    for (int k = 0; k < nCmds; ++k) cmds[k].cmd = &flow.vCmd[k];
    // The command list may have changed length: the run passes over its done
    // commands again from the first.
    firstOpen = 0;
    lastDone = nCmds > 0 && cmds[nCmds - 1].done;
}
