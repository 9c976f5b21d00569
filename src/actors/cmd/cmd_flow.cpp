// Flow operation, stage clear, game wait and message commands.
#include <algorithm>
#include <memory>

#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/next_stage.h"
#include "actors/cond_judge.h"
#include "actors/damage.h"
#include "actors/player.h"
#include "database/global_objects.h"
#include "database/world_map.h"
#include "platform/system/file_name.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "records/utility.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "world/scene_services.h"
#include "world/world_state.h"

NEXTSTAGESTART NextStageStart;

namespace {

enum { FLOWOP_START, FLOWOP_END, FLOWOP_PAUSE, FLOWOP_RESUME, FLOWOP_DELETE, FLOWOP_HALT };
enum { FLOWSCOPE_THIS, FLOWSCOPE_OTHERS, FLOWSCOPE_ID };

void RemoveFlowOverlays(cChara& owner, int32_t uid) {
    owner.overlays.remove_if([uid](const OVERLAYANIME& a) { return a.nFlowUid == uid; });
}

// Applies `op` to flow `index` of `owner` in `world`; bAtOnce: a deletion
// removes the flow now. 1 when the flow was removed (the later flows moved
// down).
int32_t ApplyFlowOp(cChara& owner, int32_t index, int32_t op, bool bAtOnce, cWorldState* world) {
    cFlowRun& f = owner.flows[index];
    switch (op) {
    case FLOWOP_START:
        f.Reset(owner);
        RemoveFlowOverlays(owner, f.uid);
        f.changedThisFrame = 1;
        f.Start(owner, world);
        break;
    case FLOWOP_END:
        f.Reset(owner);
        RemoveFlowOverlays(owner, f.uid);
        f.changedThisFrame = 1;
        break;
    case FLOWOP_PAUSE:
        f.Pause();
        owner.overlays.remove_if([&f](const OVERLAYANIME& a) { return a.nFlowUid == f.uid && a.nRemain <= 0; });
        for (OVERLAYANIME& a : owner.overlays)
            if (a.nFlowUid == f.uid) a.bPaused = 1;
        f.changedThisFrame = 1;
        break;
    case FLOWOP_RESUME:
        f.Resume();
        for (OVERLAYANIME& a : owner.overlays)
            if (a.nFlowUid == f.uid) a.bPaused = 0;
        break;
    case FLOWOP_DELETE:
        owner.deletePending = 1;
        f.deleteRequest = 1;
        f.changedThisFrame = 1;
        if (bAtOnce) {
            owner.RemoveFlow(index);
            return 1;
        }
        break;
    case FLOWOP_HALT:
        f.Halt(owner);
        RemoveFlowOverlays(owner, f.uid);
        f.changedThisFrame = 1;
        break;
    default: break;
    }
    return 0;
}

}  // namespace

void FlowOperationProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    if (!state.cmd) return;
    const cFlowCmd& cmd = *state.cmd;
    const int32_t op = CmdParam(cmd, 0), scope = CmdParam(cmd, 1), id = CmdParam(cmd, 2), whose = CmdParam(cmd, 3);
    if (op < FLOWOP_START || op > FLOWOP_HALT) return;
    if (!JudgeCmdCondList(cmd.CondList().get(), &chara, step.world)) return;
    cChara* owner = nullptr;
    if (whose == 0)
        owner = &chara;
    else if (whose >= 1 && whose <= TARGET_SLOT_NUM)
        owner = chara.GetTarget(whose - 1);
    if (!owner) return;
    const cFlowRun* running = &step.flow;
    if (scope == FLOWSCOPE_THIS) {
        for (int32_t i = 0; i < static_cast<int32_t>(chara.flows.size()); ++i)
            if (&chara.flows[i] == running) ApplyFlowOp(chara, i, op, false, step.world);
        return;
    }
    if (scope != FLOWSCOPE_OTHERS && scope != FLOWSCOPE_ID) return;
    // Another character's flows go at once, unless that character is in the
    // middle of running its flows: then they go when its flow loop ends.
    const bool bAtOnce = scope == FLOWSCOPE_ID && owner != &chara && owner->nFlowRunDepth == 0;
    for (int32_t i = 0; i < static_cast<int32_t>(owner->flows.size());) {
        const cFlowRun& f = owner->flows[i];
        bool bSkip = false;
        if (scope == FLOWSCOPE_OTHERS) {
            bSkip = &f == running;
        } else {
            const int8_t flowId = f.def ? static_cast<int8_t>(f.def->nFlowID) : 0;
            bSkip = id == 0 || flowId != id;
        }
        if (bSkip || !ApplyFlowOp(*owner, i, op, bAtOnce, step.world)) ++i;
    }
}

int32_t CurrentStageNumber() {
    // The save record keeps the series' base name; the stage in play is the
    // file loaded last.
    std::string name = PlayStage.strFileName;
    RemoveExtensionStr(name);
    while (!name.empty() && name.back() == '.') name.pop_back();
    const size_t dash = name.rfind('-');
    if (dash == std::string::npos || dash + 1 >= name.size()) return 1;
    int32_t n = 0;
    for (size_t i = dash + 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || n > 99999) return 1;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

void ResetNextStageStart() { NextStageStart = NEXTSTAGESTART(); }

int32_t StageClear(cChara& /*chara*/, cFlowCmd& cmd, cWorldState* world) {
    if (!world) return 1;
    cWorldState& s = *world;
    switch (CmdParam(cmd, 0)) {
    case 0:
        s.nNextStage = CurrentStageNumber() + 1;
        s.strNextStageFile.clear();
        break;
    case 1:
        s.nNextStage = CmdParam(cmd, 1);
        s.strNextStageFile.clear();
        break;
    case 2:
        s.nNextStage = CurrentStageNumber();
        if (cmd.strText.empty()) {
            ErrMesBoxF("ステージファイル %s が不正です。\nステージファイルとして認識できません。", cmd.strText.c_str());
            s.strNextStageFile.clear();
        } else {
            // The stored text keeps the name up to its dot, so a second run gives the same name.
            RemoveExtensionStr(cmd.strText.Edit());
            cmd.strText += ".";
            s.strNextStageFile = cmd.strText;
        }
        break;
    case 3:
        s.nNextStage = 0;
        s.strNextStageFile.clear();
        break;
    default: break;
    }
    if (CmdParam(cmd, 2) != 0) {
        NextStageStart.bMapPos = 1;
        NextStageStart.nMapX = std::clamp(CmdParam(cmd, 3), 0, std::max(WorldMap.nWidth - 1, 0));
        NextStageStart.nMapY = std::clamp(CmdParam(cmd, 4), 0, std::max(WorldMap.nHeight - 1, 0));
        NextStageStart.nMapValue = 0;
    }
    NextStageStart.bOverride = CmdParam(cmd, 5) != 0;
    if (NextStageStart.bOverride) {
        NextStageStart.nStartX = CmdParam(cmd, 6);
        NextStageStart.nStartY = CmdParam(cmd, 7);
        const int32_t facing = CmdParam(cmd, 8);
        const cPlayer* hero = s.Hero();
        NextStageStart.nFacing = facing == 2 ? (hero ? hero->nFacing : 0) : facing;
    }
    return 1;
}

void StageClearProc(const FLOWSTEP& step) {
    if (!step.state.cmd || !step.world) return;
    // The path form rewrites the command's text: the character's own copy.
    step.world->nStageEnd = StageClear(step.chara, step.chara.OwnCmd(step.state), step.world);
}

void GameWait(cChara& /*chara*/, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    if (!world) return;
    if (cmd.vParam.empty()) {
        WriteECf("ゲームウエイト: パラメータがありません");
        return;
    }
    services.GameWait(cmd.vParam.data()[0] * 6);
}

void GameWaitProc(const FLOWSTEP& step) {
    if (step.state.cmd) GameWait(step.chara, *step.state.cmd, step.world, step.services);
}

void ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag, cWorldState* world,
                 cSceneServices& services) {
    if (!world || services.Quitting()) return;
    services.ShowMessage(chara, cmd, flowFlag);
}

void MessageProc(const FLOWSTEP& step) {
    if (!step.state.cmd) return;
    ShowMessage(step.chara, *step.state.cmd, step.flow.messageWait, step.world, step.services);
}
