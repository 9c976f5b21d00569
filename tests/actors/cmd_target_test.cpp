#include "actors/chara.h"
#include "cmd_fixture.h"

namespace {

class CmdTargetTest : public CmdFixture {
protected:
    // ターゲットの設定 into slot 0: kind, group, all groups, range, then parameter 15.
    void SetTo(cChara& c, int kind, int group, int all, int range, int ifNone) {
        const cFlowCmd cmd = MakeCmd(CMD_SET_TARGET, {0, kind, group, all, range, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                      ifNone});
        cFlowCmdRun st;
        Run(c, cmd, st, 0, 1);
    }
    static int Links(const cChara& target, const cChara& holder) {
        int n = 0;
        for (const TARGETLINK& l : target.targetedBy) n += l.lpChara == &holder;
        return n;
    }
};

}  // namespace

TEST_F(CmdTargetTest, NearestPrefersTheScreenAndTheEarlierOfATie) {
    cStageChara& me = AddChara(300, 200, false, true, 0);
    cStageChara& far1 = AddChara(2000, 200, false, true, 2);
    // Nobody on screen: range 2 finds nothing (and empties the slot), range 0 falls back.
    me.vTarget[0] = &me;
    SetTo(me, 2, 2, 0, 2, 0);
    EXPECT_EQ(me.vTarget[0], nullptr);
    SetTo(me, 2, 0, 1, 0, 0);
    EXPECT_EQ(me.vTarget[0], &far1);
    EXPECT_EQ(Links(far1, me), 1);
    // Two at the same distance in one group, and one as near in a later group:
    // the earlier in the list, then the earlier group, wins.
    cStageChara& a = AddChara(200, 200, false, true, 3);
    AddChara(400, 200, false, true, 3);
    AddChara(300, 100, false, true, 5);
    SetTo(me, 2, 0, 1, 0, 0);
    EXPECT_EQ(me.vTarget[0], &a);
    EXPECT_EQ(Links(far1, me), 0);
    // Off-screen characters only count for range 0 when none on screen passes.
    SetTo(me, 2, 2, 0, 0, 0);
    EXPECT_EQ(me.vTarget[0], &far1);
}

TEST_F(CmdTargetTest, SlotKindsAndTheRuleForNothingFound) {
    cStageChara& me = AddChara(300, 200, false, true, 0);
    cStageChara& other = AddChara(100, 200, false, true, 1);
    SetTargetSlot(me, 0, &other, true);
    SetTargetSlot(me, 1, &other, true);
    EXPECT_EQ(Links(other, me), 2);  // one per slot
    // ターゲット1 into slot 0 leaves it as it was, with one link.
    SetTo(me, 7, 0, 0, 0, 0);
    EXPECT_EQ(me.vTarget[0], &other);
    EXPECT_EQ(Links(other, me), 2);
    // Last summoned child with none summoned: 1 keeps the slot, 0 empties it, 2 never touches it.
    SetTo(me, 5, 0, 0, 0, 1);
    EXPECT_EQ(me.vTarget[0], &other);
    SetTo(me, 5, 0, 0, 0, 2);
    EXPECT_EQ(me.vTarget[0], &other);
    SetTo(me, 5, 0, 0, 0, 0);
    EXPECT_EQ(me.vTarget[0], nullptr);
    EXPECT_EQ(Links(other, me), 1);
    // A summoned child is found by its id, the newest first.
    me.vSummoned.push_back({4, other.nId});
    me.vSummoned.push_back({4, 999});
    SetTo(me, 5, 0, 0, 0, 0);
    EXPECT_EQ(me.vTarget[0], &other);
    // A short parameter list reads as zeros: slot 0, kind 主人公 (none here), emptied.
    const cFlowCmd shortCmd = MakeCmd(CMD_SET_TARGET, {0});
    cFlowCmdRun st;
    Run(me, shortCmd, st, 0, 1);
    EXPECT_EQ(me.vTarget[0], nullptr);
    EXPECT_EQ(Links(other, me), 1);
}
