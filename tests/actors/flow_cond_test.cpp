#include "actors/cond_judge.h"
#include "actors/key_cond.h"
#include "flow_test_support.h"
#include "platform/input/input.h"

using FlowCond = cFlowTest;

namespace {

cEdCond StageVarCond(int var, int value, int op) {
    cEdCond c;
    c.nKind = 2;
    c.nVarNum = static_cast<int16_t>(var);
    c.nValue = value;
    c.nCompare = static_cast<uint8_t>(op);
    return c;
}

// Feeds `frames` frames of these direction and button bits into player 0's history.
void Hold(uint16_t dir, uint16_t buttons, int frames) {
    cInput& in = InputList[0];
    for (int i = 0; i < frames; ++i) {
        in.m_nDir = dir;
        in.m_nButton = buttons;
        in.RecordPatternHistory();
    }
}

cEdCmdList Step(std::vector<uint8_t> keys, uint8_t mode = 0) {
    cEdCmdList s;
    s.vKey.assign(keys.begin(), keys.end());
    s.bAnyLength = 1;
    s.nMode = mode;
    return s;
}

}  // namespace

TEST_F(FlowCond, ComparisonsAndLists) {
    EXPECT_TRUE(CompareByOp(-9, 3, 6));
    EXPECT_TRUE(CompareByOp(5, 0, 6));
    EXPECT_FALSE(CompareByOp(5, 0, 7));
    EXPECT_FALSE(CompareByOp(5, 5, 8));
    EXPECT_TRUE(CompareByOp(7, 3, 7));

    m_Scene->vStageVars.assign(STAGE_VAR_NUM, 0);
    m_Scene->vStageVars[4] = 3;
    const cCondVector none;
    const cCondVector mixed{StageVarCond(4, 3, 0), StageVarCond(4, 3, 1)};
    EXPECT_TRUE(JudgeCondList(0, none, nullptr, lpWorld));
    EXPECT_FALSE(JudgeCondList(1, none, nullptr, lpWorld));
    EXPECT_FALSE(JudgeCondList(0, mixed, nullptr, lpWorld));
    EXPECT_TRUE(JudgeCondList(1, mixed, nullptr, lpWorld));
    EXPECT_FALSE(JudgeCondList(2, mixed, nullptr, lpWorld));

    // A flow's empty list holds in any mode; a latched list holds once it has held.
    cFlow empty = Flow(4, {Cmd(1)});
    empty.nCondMode = 1;
    cFlow latched = Flow(4, {Cmd(1)});
    latched.vCond.push_back(StageVarCond(4, 3, 0));
    latched.bLatch = 1;
    cStageChara& c = Chara({empty, latched});
    c.StartTriggeredFlows(4, lpWorld);
    EXPECT_TRUE(c.flows[0].running && c.flows[1].running);
    c.Update(0, lpWorld);
    c.ClearFlowFrameFlags();
    m_Scene->vStageVars[4] = 0;
    c.StartTriggeredFlows(4, lpWorld);
    EXPECT_TRUE(c.flows[1].running);
}

// Block conditions are judged for the hero; a latched block stays present
// until another block is put in its cell.
TEST_F(FlowCond, BlockConditionsWithLatch) {
    InstallCondTests();
    Hero();
    m_Scene->vStageVars.assign(STAGE_VAR_NUM, 0);
    m_Scene->vStageVars[1] = 1;
    cBlockData b;
    b.vCond.push_back(StageVarCond(1, 1, 0));
    b.byCondLatch = 1;
    b.wGraphic = 1;
    BlockGrid.resize(2);
    BlockGrid[1] = b;
    EXPECT_EQ(BlockGrid[1].ConditionsHold(), 1);
    m_Scene->vStageVars[1] = 0;
    EXPECT_EQ(BlockGrid[1].ConditionsHold(), 1);
    EXPECT_EQ(b.ConditionsHold(), 0);
    EXPECT_EQ(GetBlockHitKind(BlockGrid[1], 0), 1);
    BlockGrid[1] = b;
    EXPECT_EQ(GetBlockHitKind(BlockGrid[1], 0), 0);
}

// A step target on the right, then button 1: read back through the history
// with and without time between the steps; a step stored with three slots.
TEST_F(FlowCond, KeySequencesWithHistory) {
    cFlow f = Flow(4, {Cmd(1)});
    f.vKeyCond.push_back(Step({0, 0, 1}));  // right, three slots stored
    f.vKeyCond.push_back(Step({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));  // button 1
    f.bKeyHold = 1;
    cStageChara& c = Chara({f});
    Hold(INPUT_RIGHT, 0, 3);
    Hold(0, 1, 1);
    EXPECT_TRUE(c.JudgeFlowConds(c.flows[0], lpWorld));

    Hold(0, 0, 2);  // button released: the last step fails
    EXPECT_FALSE(c.JudgeFlowConds(c.flows[0], lpWorld));
    Hold(INPUT_RIGHT, 0, 2);
    Hold(0, 0, 2);
    Hold(0, 1, 1);  // two frames between the steps
    EXPECT_FALSE(c.JudgeFlowConds(c.flows[0], lpWorld));
    c.OwnFlowDefs()[0].nKeyInterval = 3;
    EXPECT_TRUE(c.JudgeFlowConds(c.flows[0], lpWorld));

    // Facing-relative: slot 1 (left) of a left-facing character reads right.
    cEdCmdList mirrored = Step({0, 1});
    mirrored.bMirror = 1;
    Hold(INPUT_RIGHT, 0, 1);
    EXPECT_TRUE(JudgeKeysNow(InputList[0], mirrored, true));
    EXPECT_FALSE(JudgeKeysNow(InputList[0], mirrored, false));
}

// An edge-triggered key condition held for ten frames starts its flow once.
TEST_F(FlowCond, EdgeTriggeredKeysStartOnce) {
    FlowCmdTable[1].proc = Record;
    cFlow f = Flow(0, {Cmd(1)});
    f.vKeyCond.push_back(Step({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    cStageChara& c = Chara({f});
    for (int i = 0; i < 10; ++i) {
        Hold(0, 1, 1);
        Frame(c);
    }
    EXPECT_EQ(Log().size(), 1u);
    Hold(0, 0, 1);
    Frame(c);
    Hold(0, 1, 1);
    Frame(c);
    EXPECT_EQ(Log().size(), 2u);
}
