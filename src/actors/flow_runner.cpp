// The flow runner: starting flows by trigger, running them frame by frame
// and the commands' common frame.
#include <algorithm>

#include "actors/cond_judge.h"
#include "actors/flow_exec.h"
#include "actors/flow_resolve.h"
#include "actors/flow_setup.h"
#include "actors/key_cond.h"
#include "actors/player.h"
#include "database/global_objects.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "stage/flow.h"
#include "world/world_state.h"

namespace {

// Nested at-once passes of trigger-21 flows (one flow starting another
// at once); beyond this a start does not run its commands at once.
constexpr int32_t MAX_INSTANT_DEPTH = 16;
int32_t g_nInstantDepth = 0;

void PublishChara(cChara* c) {
    if (lpWorld) lpWorld->lpCurChara = c;
}
void PublishFlow(cFlowRun* f) {
    if (lpWorld) lpWorld->lpCurFlow = f;
}
void PublishCmd(cFlowCmdRun* s) {
    if (lpWorld) lpWorld->lpCurCmd = s;
}

// A message that holds its flow: parameters 15 and 6 both 0.
bool IsHoldingMessage(const cFlowCmd& c) {
    if (c.IsItemCmd() || c.nCode != CMD_MESSAGE) return false;
    const int n = static_cast<int>(c.vParam.size());
    return (n <= 15 || c.vParam[15] == 0) && (n <= 6 || c.vParam[6] == 0);
}

void MarkGroupFinished(cChara& chara, const cFlowRun& fr) {
    const int g = fr.def ? fr.def->nGroup : 0;
    if (g <= 0 || g >= FLOW_GROUP_NUM) return;
    chara.groupFinished[g] = 1;
    chara.anyGroupFinished = 1;
    // The group may run its next trigger-0 flow.
    chara.groupStartedA[g] = 0;
}

}  // namespace

void cFlowCmdRun::Begin(cChara& chara, cFlowRun& flow) {
    counter = total;
    ClearWork();
    if (cmd->IsItemCmd() || cmd->nCode != CMD_ARRANGE) {
        // Arrangements change the command for good: the character's own copy.
        if (!flow.pending.empty()) ResolveFlowParams(chara.OwnCmd(*this), chara, flow.pending);
        flow.pending.clear();
    }
}

int32_t cFlowCmdRun::Step(cChara& chara) {
    PublishCmd(this);
    const int code = cmd->nCode;
    FLOWCMDPROC proc = code >= 0 && code < CHARA_CMD_NUM ? FlowCmdProcTable[code] : nullptr;
    // A code outside the table runs nothing and ends by its length.
    if (proc) proc(chara, *this);
    if (--counter <= 0) {
        counter = 0;
        return 1;
    }
    return 0;
}

void cFlowRun::Start(cChara& chara) {
    // A flow whose at-once pass is running cannot start itself again.
    if (instantDepth) {
        WriteECf("フロー %d は実行中に自分自身を開始しました", index);
        return;
    }
    running = 1;
    current = 0;
    frame = 0;
    breakFrame = 0;
    for (cFlowCmdRun& st : cmds) st.done = 0;
    firstOpen = 0;
    lastDone = 0;
    started = 1;
    const int g = def->nGroup;
    if (def->nTrigger == TRIGGER_ALWAYS && g > 0 && g < FLOW_GROUP_NUM) {
        chara.groupStartedA[g] = 1;
        chara.groupStartedB[g] = 1;
    }
    if (def->nTrigger != TRIGGER_BEFORE_START || cmds.empty()) return;
    if (g_nInstantDepth >= MAX_INSTANT_DEPTH) {
        WriteECf("フローの即時実行が %d 段を超えました", MAX_INSTANT_DEPTH);
        return;
    }
    ++instantDepth;
    ++g_nInstantDepth;
    ++chara.nFlowRunDepth;
    cFlowRun* prevFlow = lpWorld ? lpWorld->lpCurFlow : nullptr;
    PublishFlow(this);
    for (int i = 0; i < static_cast<int>(cmds.size()); ++i) {
        cFlowCmdRun& st = cmds[i];
        if (st.cmd->nCode < CMD_FLOW_OP || !st.cmd->bNoWait) continue;
        st.Begin(chara, *this);
        if (!st.Step(chara)) DebugMesBoxF("使用時間0なので、ここにくることはあり得ないはず！");
        if (breakFrame) break;
        MarkDone(i);
    }
    PublishFlow(prevFlow);
    --chara.nFlowRunDepth;
    --g_nInstantDepth;
    --instantDepth;
    Reset(chara);
}

int32_t cFlowRun::Run(cChara& chara) {
    PublishFlow(this);
    breakFrame = 0;
    const int n = static_cast<int>(cmds.size());
    if (n == 0) return 1;
    // The done commands at the front are passed over without reading them.
    const cFlowCmdRun* const all = cmds.data();
    while (firstOpen < n && all[firstOpen].done) ++firstOpen;
    for (int i = firstOpen; i <= current && i < n; ++i) {
        cFlowCmdRun& st = cmds[i];
        if (st.done) continue;
        if (st.counter == 0) {
            if (!IsHoldingMessage(*st.cmd) && !st.cmd->bNoWait) messageWait = 0;
            st.Begin(chara, *this);
        }
        const int32_t fin = st.Step(chara);
        if (changedThisFrame || !running) return 0;
        if (breakFrame) break;
        // Read after the command ran: writing its command gives the
        // character a copy of its own flows.
        const cFlowCmd& c = *st.cmd;
        if (c.bNoWait) {
            if (fin) {
                MarkDone(i);
                if (i == n - 1) return 1;
            }
            if (i == current) ++current;
        } else if (fin) {
            MarkDone(i);
            if (IsHoldingMessage(c)) messageWait = 1;
            if (i == n - 1) return 1;
            ++current;
            break;
        }
    }
    if (lastDone) return 1;
    ++frame;
    return 0;
}

void cFlowRun::Reset(cChara& chara) {
    if (!running) return;
    running = 0;
    pending.clear();
    for (cFlowCmdRun& st : cmds) st.counter = 0;
    MarkGroupFinished(chara, *this);
}

void cFlowRun::Halt(cChara& chara) {
    halted = 1;
    if (!running) return;
    for (cFlowCmdRun& st : cmds) st.counter = 0;
    MarkGroupFinished(chara, *this);
}

const cInput* cChara::KeyInput() const {
    return InputList.empty() ? nullptr : &InputList[0];
}

void cChara::StartTriggeredFlowsBy(int32_t trigger, cChara* lpPartner, int32_t idFilter) {
    if (!(nFlowTriggerMask & TriggerBit(trigger))) return;
    // Restored, not cleared, at the end: a start from inside a running flow
    // keeps that flow's context. The character is published only when a flow
    // gets as far as its conditions: a pass that starts nothing (every flow
    // of the trigger running) touches no more than the flows' first lines.
    cChara* prevChara = nullptr;
    cFlowRun* prevFlow = nullptr;
    cFlowCmdRun* prevCmd = nullptr;
    bool bPublished = false;
    const bool bNoClaim = lpWorld && lpWorld->bNoClaim;
    const bool bEarly = lpWorld && lpWorld->bEarlyClaim;
    for (int i = 0; i < static_cast<int>(flows.size()); ++i) {
        cFlowRun& fr = flows[i];
        if (!fr.def || fr.trigger != trigger) continue;
        if (!bNoClaim && bEarly) {
            if (fr.claimed) continue;
            fr.claimed = 1;
        }
        if (fr.running || fr.paused || fr.halted || fr.started) continue;
        const int g = fr.def->nGroup;
        if (trigger == TRIGGER_ALWAYS && g > 0 && g < FLOW_GROUP_NUM && (groupStartedA[g] || groupStartedB[g]))
            continue;
        if (idFilter >= 1 && fr.def->nFlowID != idFilter) continue;
        if (!bNoClaim && !bEarly) {
            if (fr.claimed) continue;
            fr.claimed = 1;
        }
        if (!bPublished) {
            bPublished = true;
            if (lpWorld) {
                prevChara = lpWorld->lpCurChara;
                prevFlow = lpWorld->lpCurFlow;
                prevCmd = lpWorld->lpCurCmd;
            }
            PublishChara(this);
        }
        if (fr.def->bTargetPartner && lpPartner) {
            const int slot = std::clamp<int>(fr.def->nPartnerSlot, 0, TARGET_SLOT_NUM - 1);
            cChara* old = vTarget[slot];
            SetTarget(slot, lpPartner);
            if (!JudgeFlowCondList(*this, fr) || !JudgeFlowConds(fr)) {
                SetTarget(slot, old);
                continue;
            }
        } else if (!JudgeFlowCondList(*this, fr) || !JudgeFlowConds(fr)) {
            continue;
        }
        fr.startDir = FirstHeldDirection(KeyInput());
        fr.Start(*this);
    }
    if (bPublished && lpWorld) {
        lpWorld->lpCurChara = prevChara;
        lpWorld->lpCurFlow = prevFlow;
        lpWorld->lpCurCmd = prevCmd;
    }
}

int32_t cChara::RunFlows(int32_t bDying, int32_t bStopWithoutHp) {
    int32_t result = 0;
    ++nFlowRunDepth;
    for (int i = 0; i < static_cast<int>(flows.size()); ++i) {
        cFlowRun& fr = flows[i];
        if (!fr.running) continue;
        if (fr.cmds.empty()) {
            fr.Reset(*this);
            continue;
        }
        if (fr.paused || fr.halted || fr.changedThisFrame) continue;
        const bool bDeathFlow = fr.trigger == TRIGGER_DEATH;
        if (bDying && !bDeathFlow) continue;
        if (fr.Run(*this) && i < static_cast<int>(flows.size())) flows[i].Reset(*this);
        if (bStopWithoutHp && !bDying && !bDeathFlow && hp <= 0) {
            result = 1;
            break;
        }
    }
    --nFlowRunDepth;
    // Checked here: a step with no removal asked makes no call.
    if (deletePending) RemoveRequestedFlows();
    return result;
}
