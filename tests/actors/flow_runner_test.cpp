#include "actors/flow_setup.h"
#include "flow_test_support.h"

using FlowRunner = cFlowTest;

// Trigger 0 flows of one group run one at a time, the first in list order;
// id filters, and the once-per-frame start guard.
TEST_F(FlowRunner, TriggersGroupsIdsAndGuards) {
    FlowCmdTable[1].proc = Record;
    cStageChara& c = Chara({Flow(0, {Cmd(1, 1)}, 1), Flow(0, {Cmd(1, 1)}, 1), Flow(5, {Cmd(1)}, 0, 5),
                            Flow(5, {Cmd(1)}, 0, 6)});
    c.StartTriggeredFlows(0, lpWorld);
    EXPECT_TRUE(c.flows[0].running);
    EXPECT_FALSE(c.flows[1].running);
    c.StartTriggeredFlowsBy(5, nullptr, 5, lpWorld);
    EXPECT_TRUE(c.flows[2].running);
    EXPECT_FALSE(c.flows[3].running);
    c.Update(0, lpWorld);  // flow 2 ends; flow 0 has 5 of its 6 sub-steps left
    EXPECT_FALSE(c.flows[2].running);
    c.StartTriggeredFlowsBy(5, nullptr, 5, lpWorld);  // started once this frame already
    EXPECT_FALSE(c.flows[2].running);
    c.ClearFlowFrameFlags();
    c.StartTriggeredFlowsBy(5, nullptr, 0, lpWorld);
    EXPECT_TRUE(c.flows[2].running && c.flows[3].running);
    for (int f = 0; f < 5; ++f) Frame(c);
    EXPECT_FALSE(c.flows[1].running);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), 100), 0);
    // Once the first has finished, the first in the list starts again.
    Frame(c);
    EXPECT_TRUE(c.flows[0].running);
    EXPECT_FALSE(c.flows[1].running);
}

// Waiting commands take a frame each; no-wait commands chain in one frame;
// a paused flow keeps its command and the sub-steps it has left.
TEST_F(FlowRunner, ChainsAndPauseResume) {
    FlowCmdTable[1].proc = Record;
    cStageChara& c = Chara({Flow(4, {Cmd(1, 0, true), Cmd(1, 0, true), Cmd(1, 1), Cmd(1, 0)})});
    c.StartTriggeredFlows(4, lpWorld);
    c.Update(0, lpWorld);
    EXPECT_EQ(Log(), (std::vector<int>{0, 1, 2}));
    c.Update(0, lpWorld);
    c.flows[0].Pause();
    for (int f = 0; f < 10; ++f) c.Update(0, lpWorld);
    EXPECT_EQ(Log().size(), 4u);
    EXPECT_EQ(c.flows[0].current, 2);
    EXPECT_EQ(c.flows[0].cmds[2].counter, 4);
    c.flows[0].Resume();
    for (int f = 0; f < 4; ++f) c.Update(0, lpWorld);
    EXPECT_TRUE(c.flows[0].running);
    c.Update(0, lpWorld);
    EXPECT_FALSE(c.flows[0].running);
    EXPECT_EQ(Log(), (std::vector<int>{0, 1, 2, 2, 2, 2, 2, 2, 3}));
}

// Trigger-21 flows run their instant commands within the start; a flow that
// starts itself (or two that start each other) at once does not recurse.
TEST_F(FlowRunner, BeforeStartFlowsRunAtOnceWithoutRecursion) {
    static int calls = 0;
    calls = 0;
    FlowCmdTable[16].proc = [](const FLOWSTEP& step) {
        cChara& ch = step.chara;
        ++calls;
        const int other = ch.flows.size() > 1 ? 1 - step.flow.index : 0;
        ch.flows[other].Start(ch, lpWorld);
        ch.StartTriggeredFlows(21, lpWorld);
    };
    FlowCmdTable[1].proc = Record;
    cStageChara& c = Chara({Flow(21, {Cmd(1, 0, true), Cmd(16, 0, true)})});
    c.StartTriggeredFlows(21, lpWorld);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(Log().empty());  // codes below 16 are passed over
    EXPECT_FALSE(c.flows[0].running);

    calls = 0;
    cStageChara& d = Chara({Flow(21, {Cmd(16, 0, true)}), Flow(21, {Cmd(16, 0, true)})});
    d.StartTriggeredFlows(21, lpWorld);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(d.flows[0].running || d.flows[1].running);
}

// Loops are unrolled when the flows are set up; a span past the end is cut.
TEST_F(FlowRunner, LoopsUnrolledAtSetup) {
    cStageChara& c = Chara({Flow(0, {Cmd(39, 0, false, {3, 2}), Cmd(1), Cmd(2), Cmd(9)}),
                            Flow(0, {Cmd(1), Cmd(39, 0, false, {2, 5}), Cmd(2)})});
    auto codes = [&](int f) {
        std::vector<int> v;
        for (const cFlowCmd& k : c.FlowDefs()[f].vCmd) v.push_back(k.nCode);
        return v;
    };
    EXPECT_EQ(codes(0), (std::vector<int>{1, 2, 1, 2, 1, 2, 9}));
    EXPECT_EQ(codes(1), (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(c.flows[0].cmds.size(), 7u);
}

// A trigger start by claim rule and by the state of the flow it meets: which
// flows start and which end up claimed. The second flow is always idle and
// starts: the pass goes on past a flow it leaves alone.
TEST_F(FlowRunner, TriggerStartsByClaimRuleAndState) {
    enum { IDLE, RUNNING, PAUSED, HALTED, STARTED, CLAIMED };
    enum { LATE, EARLY, NONE };
    struct CASE {
        int state, rule;
        bool bStarts, bClaimed;
    };
    const CASE cases[] = {
        {IDLE, LATE, true, true},       {IDLE, EARLY, true, true},       {IDLE, NONE, true, false},
        {RUNNING, LATE, false, false},  {RUNNING, EARLY, false, true},   {RUNNING, NONE, false, false},
        {PAUSED, LATE, false, false},   {PAUSED, EARLY, false, true},    {PAUSED, NONE, false, false},
        {HALTED, LATE, false, false},   {HALTED, EARLY, false, true},    {HALTED, NONE, false, false},
        {STARTED, LATE, false, false},  {STARTED, EARLY, false, true},   {STARTED, NONE, false, false},
        {CLAIMED, LATE, false, true},   {CLAIMED, EARLY, false, true},   {CLAIMED, NONE, true, true},
    };
    for (const CASE& k : cases) {
        SCOPED_TRACE(testing::Message() << "state " << k.state << " rule " << k.rule);
        m_Scene->lstStageChara.clear();
        cStageChara& c = Chara({Flow(0, {Cmd(1, 1)}), Flow(5, {Cmd(1, 1)}), Flow(5, {Cmd(1, 1)})});
        lpWorld->bEarlyClaim = k.rule == EARLY;
        lpWorld->bNoClaim = k.rule == NONE;
        cFlowRun& f = c.flows[1];
        // A start sets the frame count back to 0.
        f.frame = 5;
        f.running = k.state == RUNNING;
        f.paused = k.state == PAUSED;
        f.halted = k.state == HALTED;
        f.started = k.state == STARTED;
        f.claimed = k.state == CLAIMED;
        c.StartTriggeredFlows(5, lpWorld);
        EXPECT_EQ(f.running && f.frame == 0, k.bStarts);
        EXPECT_EQ(f.claimed != 0, k.bClaimed);
        EXPECT_TRUE(c.flows[2].running);
        EXPECT_FALSE(c.flows[0].running);
        EXPECT_EQ(c.flows[0].claimed, 0);
    }
}

// The character's flow loop runs its flows as each flow's own run does
// (cFlowRun::Run, then the reset of a flow that ended): commands with and
// without an executor, waiting and not, of lengths 0 to 3 tenths, a flow without
// commands; every flow's state and the executor calls agree frame by frame.
TEST_F(FlowRunner, LoopRunsFlowsAsTheirOwnRunsDo) {
    FlowCmdTable[1].proc = nullptr;
    FlowCmdTable[2].proc = Record;
    const std::vector<cFlow> flows = {
        Flow(0, {Cmd(1, 3), Cmd(2, 1)}),
        Flow(0, {Cmd(2, 2), Cmd(1, 0, true), Cmd(1, 1, true), Cmd(2, 1)}),
        Flow(0, {}),
        Flow(0, {Cmd(1, 0, true), Cmd(2, 0, true), Cmd(1, 2), Cmd(2, 3, true), Cmd(1, 1)}),
        Flow(0, {Cmd(2, 3, true), Cmd(1, 2)}),
        Flow(0, {Cmd(1, 1)}),
        Flow(0, {Cmd(2, 0), Cmd(1, 1, true)}),
        Flow(4, {Cmd(2, 1)}),
    };
    cStageChara& a = Chara(flows);
    cStageChara& b = Chara(flows);
    const auto byOwnRuns = [](cChara& c) {
        for (std::size_t i = 0; i < c.flows.size(); ++i) {
            cFlowRun& fr = c.flows[i];
            if (!fr.running) continue;
            if (fr.cmds.empty()) {
                fr.Reset(c);
                continue;
            }
            if ((fr.paused | fr.halted | fr.changedThisFrame) != 0) continue;
            if (fr.Run(c, lpWorld)) fr.Reset(c);
        }
    };
    std::size_t nCalls = 0;
    for (int f = 0; f < 48; ++f) {
        for (cStageChara* c : {&a, &b}) {
            c->ClearFlowFrameFlags();
            c->StartTriggeredFlows(0, lpWorld);
            if (f % 7 == 2) c->StartTriggeredFlows(4, lpWorld);
        }
        Log().clear();
        a.Update(0, lpWorld);
        const std::vector<int> logA = Log();
        nCalls += logA.size();
        Log().clear();
        byOwnRuns(b);
        EXPECT_EQ(logA, Log()) << "frame " << f;
        for (std::size_t i = 0; i < flows.size(); ++i) {
            const cFlowRun& x = a.flows[i];
            const cFlowRun& y = b.flows[i];
            EXPECT_EQ((std::vector<int>{x.running, x.current, x.firstOpen, x.lastDone, x.frame, x.messageWait}),
                      (std::vector<int>{y.running, y.current, y.firstOpen, y.lastDone, y.frame, y.messageWait}))
                << "frame " << f << " flow " << i;
            for (std::size_t k = 0; k < x.cmds.size(); ++k)
                EXPECT_EQ((std::vector<int>{x.cmds[k].done, x.cmds[k].counter}),
                          (std::vector<int>{y.cmds[k].done, y.cmds[k].counter}))
                    << "frame " << f << " flow " << i << " command " << k;
        }
    }
    EXPECT_GT(nCalls, 40u);
}
