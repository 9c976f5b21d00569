// Stand-ins for the executors that other areas provide; each ends its
// command at once. Replaced one by one as those executors land.
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"

namespace {

void EndAtOnce(cFlowCmdRun& state) {
    state.counter = 0;
}

}  // namespace

void FlowOperationProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void StageClearProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void GameWaitProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void MessageProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void WarpProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void StatusOperationProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void StatusOperation2Proc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void VanishProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void GetItemProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void ChangeGraphicProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void ChangeAnimeSetProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void RunAnimeProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void RunEffectProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void RunCharaEffectProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void RunScreenEffectProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void ShowPictureProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void ChangeScreenColorProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void ChangeBackgroundProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void PlaySoundProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void PlayBgmProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void RunCodeProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void ArrangeProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}

void LoopProc(cChara& /*chara*/, cFlowCmdRun& state) {
    EndAtOnce(state);
}
