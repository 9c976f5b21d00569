// The flow runner: starting flows by trigger, running them frame by frame
// and the commands' common frame.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>

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
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

// Nested at-once passes of trigger-21 flows (one flow starting another
// at once); beyond this a start does not run its commands at once.
constexpr int32_t MAX_INSTANT_DEPTH = 16;
int32_t g_nInstantDepth = 0;

// A message that holds its flow: parameters 15 and 6 both 0.
inline bool IsHoldingMessage(const cFlowCmd& c) {
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

void cFlowCmdRun::Begin(cChara& chara, cFlowRun& flow, cWorldState* world) {
    counter = total;
    ClearWork();
    if (cmd->IsItemCmd() || cmd->nCode != CMD_ARRANGE) {
        // Arrangements change the command for good: the character's own copy.
        if (!flow.pending.empty()) ResolveFlowParams(chara.OwnCmd(*this), chara, flow.pending, world);
        flow.pending.clear();
    }
}

namespace {

// Runs the executor of command state `st` of flow `fr` in `world`, if its
// code has one. A code past the commands finds a null slot: it runs nothing.
[[gnu::always_inline]] inline void DispatchFlowCmd(cChara& chara, cFlowRun& fr, cFlowCmdRun& st, cWorldState* world) {
    static_assert(sizeof(st.cmd->nCode) == 1 && FLOW_CMD_PROC_SLOTS == 256, "every code byte has its slot");
    if (const FLOWCMDPROC proc = FlowCmdTable[st.cmd->nCode].proc)
        proc(FLOWSTEP{chara, fr, st, world, SceneServices()});
}

// One sub-step of a command (cFlowCmdRun::Step), for the runner's loop: the
// executor, then the count (a command ends by its length).
[[gnu::always_inline]] inline int32_t StepCmd(cFlowCmdRun& st, cFlowRun& fr, cChara& chara, cWorldState* world) {
    DispatchFlowCmd(chara, fr, st, world);
    if (--st.counter <= 0) {
        st.counter = 0;
        return 1;
    }
    return 0;
}

}  // namespace

int32_t cFlowCmdRun::Step(cChara& chara, cFlowRun& flow, cWorldState* world) {
    return StepCmd(*this, flow, chara, world);
}

void cFlowRun::Start(cChara& chara, cWorldState* world) {
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
    for (int i = 0; i < static_cast<int>(cmds.size()); ++i) {
        cFlowCmdRun& st = cmds[i];
        if (st.cmd->nCode < CMD_FLOW_OP || !st.cmd->bNoWait) continue;
        st.Begin(chara, *this, world);
        if (!st.Step(chara, *this, world)) DebugMesBoxF("使用時間0なので、ここにくることはあり得ないはず！");
        if (breakFrame) break;
        MarkDone(i);
    }
    --chara.nFlowRunDepth;
    --g_nInstantDepth;
    --instantDepth;
    Reset(chara);
}

namespace {

// What the end of a command's step means for the rest of its flow's frame.
enum eAfterCmd { AFTER_GO_ON, AFTER_STOP, AFTER_FLOW_END };

// The bookkeeping after command i of `fr` ran a step that ended with `fin`.
// Read after the command ran: writing its command gives the character a
// copy of its own flows.
inline eAfterCmd AfterCmd(cFlowRun& fr, int i, int n, int32_t fin) {
    const cFlowCmd& c = *fr.cmds.data()[i].cmd;
    if (c.bNoWait) {
        if (fin) {
            fr.MarkDone(i);
            if (i == n - 1) return AFTER_FLOW_END;
        }
        if (i == fr.current) ++fr.current;
        return AFTER_GO_ON;
    }
    if (!fin) return AFTER_GO_ON;
    fr.MarkDone(i);
    if (IsHoldingMessage(c)) fr.messageWait = 1;
    if (i == n - 1) return AFTER_FLOW_END;
    ++fr.current;
    return AFTER_STOP;
}

// The end of a flow's frame that did not finish it.
inline int32_t EndFlowFrame(cFlowRun& fr) {
    if (fr.lastDone) return 1;
    ++fr.frame;
    return 0;
}

// Command i of `fr` begins: a waiting command that is not a holding message
// ends the flow's message wait.
[[gnu::noinline]] void BeginOpenCmd(cFlowRun& fr, cFlowCmdRun& st, cChara& chara, cWorldState* world) {
    if (!IsHoldingMessage(*st.cmd) && !st.cmd->bNoWait) fr.messageWait = 0;
    st.Begin(chara, fr, world);
}

// The flow's commands from i to its current one, each not yet done taking a
// step, then the end of the frame: 1 when the last command has finished.
// The command states stay where they are while their commands run (a
// command that writes its command rebinds them in place).
[[gnu::noinline]] int32_t RunFlowCmds(cFlowRun& fr, cChara& chara, int i, int n, cWorldState* world) {
    cFlowCmdRun* const all = fr.cmds.data();
    for (; i <= fr.current && i < n; ++i) {
        cFlowCmdRun& st = all[i];
        if (st.done) continue;
        if (st.counter == 0) BeginOpenCmd(fr, st, chara, world);
        const int32_t fin = StepCmd(st, fr, chara, world);
        if (fr.changedThisFrame || !fr.running) return 0;
        if (fr.breakFrame) break;
        const eAfterCmd after = AfterCmd(fr, i, n, fin);
        if (after == AFTER_FLOW_END) return 1;
        if (after == AFTER_STOP) break;
    }
    return EndFlowFrame(fr);
}

// The rest of a flow's frame after no-wait command i took its step.
[[gnu::noinline]] int32_t AfterOpenCmd(cFlowRun& fr, cChara& chara, int i, int n, int32_t fin, cWorldState* world) {
    const eAfterCmd after = AfterCmd(fr, i, n, fin);
    if (after == AFTER_FLOW_END) return 1;
    if (after == AFTER_STOP) return EndFlowFrame(fr);
    return RunFlowCmds(fr, chara, i + 1, n, world);
}

// The rest of a flow's frame after command i, the first open one, ran its
// executor: the count of its sub-steps, then what its end means for the
// flow. Out of line: the usual frame ends in RunFlow.
// lpEnd: the end of the flow's commands as the step began.
[[gnu::noinline]] int32_t EndOpenCmdStep(cFlowRun& fr, cFlowCmdRun& st, cChara& chara, int i,
                                         const cFlowCmdRun* lpEnd, cWorldState* world) {
    const int n = i + static_cast<int>(lpEnd - &st);
    int32_t fin = 0;
    if (--st.counter <= 0) {
        st.counter = 0;
        fin = 1;
    }
    if (fr.changedThisFrame || !fr.running) return 0;
    if (fr.breakFrame) return EndFlowFrame(fr);
    // Read after the command ran: writing its command gives the character a
    // copy of its own flows.
    const cFlowCmd& c = *st.cmd;
    if (c.bNoWait) return AfterOpenCmd(fr, chara, i, n, fin, world);
    if (fin) {
        fr.MarkDone(i);
        if (IsHoldingMessage(c)) fr.messageWait = 1;
        if (i == n - 1) return 1;
        ++fr.current;
        return EndFlowFrame(fr);
    }
    // Commands up to the current one after it (no-wait ones running beside
    // it) take their steps too.
    if (i + 1 <= fr.current && i + 1 < n) return RunFlowCmds(fr, chara, i + 1, n, world);
    return EndFlowFrame(fr);
}

// One frame of a flow with commands (cFlowRun::Run), for the character's
// flow loop. The usual frame runs in line: the first open command, not past
// the current one, begins if it must and takes its step, and goes on; the
// flow's frame ends there. Whatever else its step leads to (its end, a
// no-wait command, more open commands after it, a flow operation) goes on
// out of line (EndOpenCmdStep).
// From the flow loop (bLoop) the flow is known to be running, not paused,
// halted nor changed this frame; a flow without commands returns -1 before
// anything is written (the loop resets it), and a frame that ran nothing (no
// executor, no command begun) adds RUN_QUIET: the flow list cannot have
// changed.
constexpr int32_t RUN_QUIET = 2;
template <bool bLoop>
[[gnu::always_inline]] inline int32_t RunFlow(cFlowRun& fr, cChara& chara, cWorldState* world) {
    // The commands as pointers: lpSt stands at command i, below lpEnd while
    // i is below the count.
    cFlowCmdRun* const all = fr.cmds.data();
    cFlowCmdRun* const lpEnd = std::to_address(fr.cmds.end());
    // The done commands at the front are passed over without reading them.
    int i = fr.firstOpen;
    cFlowCmdRun* lpSt = all + i;
    constexpr int32_t kQuiet = bLoop ? RUN_QUIET : 0;
    if (lpSt >= lpEnd) {
        if (bLoop && all == lpEnd) return -1;
        fr.breakFrame = 0;
        return EndFlowFrame(fr) | kQuiet;
    }
    if (lpSt->done) {
        do ++i, ++lpSt;
        while (lpSt < lpEnd && lpSt->done);
        fr.firstOpen = i;
        if (lpSt >= lpEnd) {
            fr.breakFrame = 0;
            return EndFlowFrame(fr) | kQuiet;
        }
    }
    fr.breakFrame = 0;
    if (i > fr.current) return EndFlowFrame(fr) | kQuiet;
    cFlowCmdRun& st = *lpSt;
    if (st.counter == 0) {
        BeginOpenCmd(fr, st, chara, world);
    } else if (bLoop && !FlowCmdTable[st.cmd->nCode].proc) {
        // A command with no executor, already begun: nothing runs, so nothing
        // the loop found of the flow changes. It goes on unless it ends now,
        // is a no-wait one or has a command after it to step beside it.
        const int32_t left = st.counter - 1;
        if (left > 0 && !st.cmd->bNoWait && !(i + 1 <= fr.current && lpSt + 1 < lpEnd)) {
            st.counter = left;
            return EndFlowFrame(fr) | kQuiet;
        }
        return EndOpenCmdStep(fr, st, chara, i, lpEnd, world);
    }
    DispatchFlowCmd(chara, fr, st, world);
    // The command goes on, nothing stopped the flow's frame, and no command
    // after it takes a step beside it: StepCmd's count and EndFlowFrame.
    const int32_t left = st.counter - 1;
    if (left > 0 && (fr.changedThisFrame | fr.breakFrame) == 0 && fr.running && !st.cmd->bNoWait &&
        !(i + 1 <= fr.current && lpSt + 1 < lpEnd)) {
        st.counter = left;
        if (fr.lastDone) return 1;
        ++fr.frame;
        return 0;
    }
    return EndOpenCmdStep(fr, st, chara, i, lpEnd, world);
}

}  // namespace

int32_t cFlowRun::Run(cChara& chara, cWorldState* world) {
    if (cmds.empty()) {
        breakFrame = 0;
        return 1;
    }
    return RunFlow<false>(*this, chara, world);
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

namespace {

// The first flow that waits for `trigger` and is neither running, paused,
// halted nor started this frame; -1 when there is none. Without early claims
// a trigger start passes over every other flow without touching it, so its
// pass may begin there.
// The trigger lies before the four flags, side by side: one 8-byte read
// tests the trigger and the running flag (every flow of the trigger running:
// one read each), two more the other flags. (GCC takes the offsets of this
// class, whose vectors make it no standard layout.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(cFlowRun, running) == offsetof(cFlowRun, trigger) + 4 &&
                  offsetof(cFlowRun, paused) == offsetof(cFlowRun, running) + 4 &&
                  offsetof(cFlowRun, halted) == offsetof(cFlowRun, running) + 8 &&
                  offsetof(cFlowRun, started) == offsetof(cFlowRun, running) + 12,
              "trigger, running, paused, halted and started are read together");
#pragma GCC diagnostic pop
static_assert(std::endian::native == std::endian::little, "the trigger is the low half of its 8-byte read");
inline bool IsIdleFor(const cFlowRun& f, uint64_t triggerIdle) {
    uint64_t t = 0, a = 0;
    uint32_t b = 0;
    std::memcpy(&t, &f.trigger, sizeof t);
    if (t != triggerIdle) return false;
    std::memcpy(&a, &f.paused, sizeof a);
    std::memcpy(&b, &f.started, sizeof b);
    return (a | b) == 0;
}

int32_t FirstIdleFlow(const cSafeVector<cFlowRun>& flows, int32_t trigger) {
    // The trigger and a running flag of 0, as the 8-byte read finds them.
    const uint64_t triggerIdle = static_cast<uint32_t>(trigger);
    const cFlowRun* const all = flows.data();
    const cFlowRun* const end = all + flows.size();
    for (const cFlowRun* f = all; f != end; ++f) {
        if (IsIdleFor(*f, triggerIdle)) return static_cast<int32_t>(f - all);
    }
    return -1;
}

// The trigger start's pass from flow `first` on. Out of line: the look for an
// idle flow stays small.
[[gnu::noinline]] void StartIdleFlows(cChara& c, int32_t first, int32_t trigger, cChara* lpPartner, int32_t idFilter, bool bNoClaim,
                    bool bEarly, cWorldState* world) {
    for (int i = first; i < static_cast<int>(c.flows.size()); ++i) {
        cFlowRun& fr = c.flows[i];
        if (!fr.def || fr.trigger != trigger) continue;
        if (!bNoClaim && bEarly) {
            if (fr.claimed) continue;
            fr.claimed = 1;
        }
        if (fr.running || fr.paused || fr.halted || fr.started) continue;
        const int g = fr.def->nGroup;
        if (trigger == TRIGGER_ALWAYS && g > 0 && g < FLOW_GROUP_NUM && (c.groupStartedA[g] || c.groupStartedB[g]))
            continue;
        if (idFilter >= 1 && fr.def->nFlowID != idFilter) continue;
        if (!bNoClaim && !bEarly) {
            if (fr.claimed) continue;
            fr.claimed = 1;
        }
        if (fr.def->bTargetPartner && lpPartner) {
            const int slot = std::clamp<int>(fr.def->nPartnerSlot, 0, TARGET_SLOT_NUM - 1);
            cChara* old = c.vTarget[slot];
            c.SetTarget(slot, lpPartner);
            if (!JudgeFlowCondList(c, fr, world) || !c.JudgeFlowConds(fr, world)) {
                c.SetTarget(slot, old);
                continue;
            }
        } else if (!JudgeFlowCondList(c, fr, world) || !c.JudgeFlowConds(fr, world)) {
            continue;
        }
        fr.startDir = FirstHeldDirection(c.KeyInput());
        fr.Start(c, world);
    }
}

}  // namespace

void cChara::StartTriggeredFlowsBy(int32_t trigger, cChara* lpPartner, int32_t idFilter, cWorldState* world) {
    if (!(nFlowTriggerMask & TriggerBit(trigger))) return;
    // An early claim marks every flow of the trigger, idle or not: that pass
    // reads them all. Otherwise a pass that could start nothing (every flow
    // of the trigger running, say) ends after one look at each flow.
    const cWorldState* const w = world;
    if (w && w->bEarlyClaim && !w->bNoClaim) {
        StartIdleFlows(*this, 0, trigger, lpPartner, idFilter, false, true, world);
        return;
    }
    const int32_t first = FirstIdleFlow(flows, trigger);
    if (first < 0) return;
    StartIdleFlows(*this, first, trigger, lpPartner, idFilter, w && w->bNoClaim, w && w->bEarlyClaim, world);
}

namespace {

// The flow loop. A dying character runs its death flows only; a living one
// may stop when a flow other than a death flow left it without HP. The
// plain loop, of a living character that does not stop without HP (every
// stage character's step), looks at neither.
template <bool bPlain>
[[gnu::always_inline]] inline int32_t RunFlowLoop(cChara& c, int32_t bDying, int32_t bStopWithoutHp,
                                                  cWorldState* world) {
    const bool bHpStop = bStopWithoutHp && !bDying;
    // Only a flow's run may change the list (a reset leaves it as it is), and
    // every change binds the flows again, counting it: the list is read again
    // after a run that changed it.
    cFlowRun* lpFr = c.flows.data();
    cFlowRun* lpEnd = std::to_address(c.flows.end());
    uint32_t nChanges = c.nFlowListChanges;
    cFlowRun* lpBase = lpFr;
    for (; lpFr != lpEnd; ++lpFr) {
        cFlowRun& fr = *lpFr;
        if (!fr.running) continue;
        // A running flow without commands ends at once (asked on the way out
        // of the usual path: the run finds it has no open command).
        const bool bDeathFlow = fr.trigger == TRIGGER_DEATH;
        if ((fr.paused | fr.halted | fr.changedThisFrame) != 0 || (!bPlain && bDying && !bDeathFlow)) {
            if (fr.cmds.empty()) fr.Reset(c);
            continue;
        }
        const int32_t nRun = RunFlow<true>(fr, c, world);
        if (nRun < 0) {
            fr.Reset(c);
            continue;
        }
        const bool bEnded = (nRun & 1) != 0;
        if (!(nRun & RUN_QUIET) && c.nFlowListChanges != nChanges) [[unlikely]] {
            // The place of this flow in the list as it was (the list may have
            // moved: its address is only counted from).
            cFlowRun* const lpOldBase = lpBase;
            const std::size_t i = (reinterpret_cast<uintptr_t>(lpFr) - reinterpret_cast<uintptr_t>(lpOldBase)) /
                                  sizeof(cFlowRun);
            nChanges = c.nFlowListChanges;
            const std::size_t size = c.flows.size();
            if (i >= size) break;
            lpBase = c.flows.data();
            lpFr = lpBase + i;
            lpEnd = lpBase + size;
        }
        if (bEnded) lpFr->Reset(c);
        if (!bPlain && bHpStop && !bDeathFlow && c.hp <= 0) return 1;
    }
    return 0;
}

}  // namespace

int32_t cChara::RunFlows(int32_t bDying, int32_t bStopWithoutHp, cWorldState* world) {
    ++nFlowRunDepth;
    const int32_t result = (bDying | bStopWithoutHp) == 0 ? RunFlowLoop<true>(*this, 0, 0, world)
                                                          : RunFlowLoop<false>(*this, bDying, bStopWithoutHp, world);
    --nFlowRunDepth;
    // Checked here: a step with no removal asked makes no call.
    if (deletePending) RemoveRequestedFlows();
    return result;
}

int32_t cChara::RunStepFlows(int32_t bDying, cWorldState* world) {
    if (bDying) {
        RunFlows(bDying, 0, world);
    } else {
        // RunFlows(0, 0) in line: the step of every living stage character.
        ++nFlowRunDepth;
        RunFlowLoop<true>(*this, 0, 0, world);
        --nFlowRunDepth;
        if (deletePending) RemoveRequestedFlows();
    }
    return !bDying && bErase ? 1 : 0;
}
