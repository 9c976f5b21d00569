// Flow commands and flows written by older versions: each repair row,
// loaded back and checked after the repairs.
#include <gtest/gtest.h>

#include "stage/code_table.h"
#include "stage/flow_fixture.h"
#include "stage/old_streams.h"

namespace {

using FlowCmdRepairTest = FlowTest;

std::vector<int32_t> Seq(int n) {
    std::vector<int32_t> v;
    for (int i = 1; i <= n; ++i) v.push_back(i);
    return v;
}

// Writes `c` as version v stored it and loads it back.
cFlowCmd RoundTripAt(cFlowCmd c, uint32_t v) {
    cDataWriter w;
    oldstream::Cmd(w, c, v);
    cFlowCmd out;
    EXPECT_TRUE(oldstream::LoadAt(out, w.Bytes(), v)) << "version " << v;
    return out;
}

struct CMDCASE {
    const char* what;
    uint32_t v;
    int numbering, code;
    std::vector<int32_t> in;
    int outCode;
    std::vector<int32_t> out;
};

TEST_F(FlowCmdRepairTest, ParameterRepairsInVersionOrder) {
    std::vector<int32_t> status(18, 0);
    status[3] = 1;
    status[4] = 10;
    status[6] = 2;
    status[13] = 12;
    std::vector<int32_t> statusOut = status;
    statusOut[4] = 12;   // +1 below 168, +1 below 203
    statusOut[13] = 14;
    std::vector<int32_t> status202 = status;
    status202[13] = 13;
    std::vector<int32_t> status202Out = status202;
    status202Out[4] = 11;
    status202Out[13] = 14;
    std::vector<int32_t> status766(18, 0);
    status766[3] = 2;
    status766[6] = 2;
    status766[12] = 2;
    std::vector<int32_t> status766Out = status766;
    status766Out[3] = 5;
    status766Out[12] = 5;

    std::vector<int32_t> mes(18, 9);
    mes[0] = 3;
    const std::vector<int32_t> mesOut = {3, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0, 0, 1, 0, 1, 0};
    std::vector<int32_t> mes0 = mes;
    mes0[0] = 7;
    std::vector<int32_t> mes0Out = mesOut;
    mes0Out[0] = 7;
    mes0Out[10] = 1;

    const std::vector<CMDCASE> cases = {
        {"stage clear sized to 9", 144, 0, 17, {1, 2}, 17, {1, 2, 0, 0, 0, 0, 0, 0, 0}},
        {"item stage clear sized to 9", 144, 1, 2, {1, 2}, 2, {1, 2, 0, 0, 0, 0, 0, 0, 0}},
        {"music gets p1 = 1, renumbered", 165, 0, 35, {5}, 36, {5, 1}},
        {"item music", 165, 1, 20, {5, 0, 7}, 21, {5, 1}},
        {"status statuses shifted twice", 167, 0, 22, status, 22, statusOut},
        {"status statuses shifted once", 202, 0, 22, status202, 22, status202Out},
        {"target insert at 2, then 747, then insert at 0", 188, 0, 21, Seq(16), 21,
         {0, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
        {"picture insert 1 at 6, then 545, 547, 723", 193, 0, 31, Seq(15), 32,
         {1, 2, 3, 4, 5, 6, 1, 7, 8, 9, 10, 0, 0, 0, 0}},
        {"character effect insert 0 at 1", 194, 0, 29, {7, 8, 9}, 30, {7, 0, 8}},
        {"item screen effect insert 0 at 1", 194, 1, 15, {7, 8, 9}, 16, {7, 0, 8}},
        {"character summon loses its parameters", 202, 0, 14, {1, 2}, 14, {}},
        {"flow operation sized to 4 and p3 = 0", 202, 0, 16, {1, 2, 3, 4, 5, 6}, 16, {1, 2, 3, 0}},
        {"item flow change is not a flow operation", 202, 1, 1, {1, 2}, 1, {1, 2}},
        {"status 2 below 210", 209, 0, 23, {1, 6, 0, 0, 0}, 23, {1, 7, 0, 0, 0}},
        {"status 2 selector 2 then +3 below 767", 209, 0, 23, {2, 6, 0, 0, 0}, 23, {5, 6, 0, 0, 0}},
        {"graphic change +1", 218, 0, 25, {3, 117, 5}, 26, {3, 118, 5}},
        {"graphic change at most 119", 218, 0, 25, {3, 119, 5}, 26, {3, 119, 5}},
        {"graphic change other mode", 218, 0, 25, {2, 117, 5}, 26, {2, 117, 5}},
        {"message rows 545 to 723", 544, 0, 19, mes, 19, mesOut},
        {"message at the screen centre shows its frame", 544, 1, 4, mes0, 4, mes0Out},
        {"stage clear choice from 2 on", 721, 0, 17, {2, 0, 0, 0, 0, 0, 0, 0, 0}, 17, {3, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"stage clear choice 1 stays", 721, 0, 17, {1, 0, 0, 0, 0, 0, 0, 0, 0}, 17, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"arrange becomes a status-2 arrangement, then 727 shifts it", 725, 0, 37, {0, 3, 0, 0, 0}, 38, {11, 6, 0, 0, 0}},
        {"arrange index shifted through every test", 726, 0, 37, {11, 14, 0, 0, 0}, 38, {11, 21, 0, 0, 0}},
        {"arrange index 3 shifted by the low tests", 726, 0, 37, {11, 3, 0, 0, 0}, 38, {11, 6, 0, 0, 0}},
        {"arrange index 1 stays", 726, 1, 22, {11, 1, 0, 0, 0}, 23, {11, 1, 0, 0, 0}},
        {"arrange other kind untouched by 727", 726, 0, 37, {5, 14, 0, 0, 0}, 38, {5, 14, 0, 0, 0}},
        {"arrange kind from 24 on follows the renumbering", 733, 0, 37, {24, 0, 0, 0, 0}, 38, {25, 0, 0, 0, 0}},
        {"arrange kind below 24 stays", 733, 0, 37, {23, 0, 0, 0, 0}, 38, {23, 0, 0, 0, 0}},
        {"old code 24 is today's item taking", 733, 0, 24, {0, 1}, 25, {0, 1}},
        {"item code 9 becomes 10", 733, 1, 9, {0, 1}, 10, {0, 1}},
        {"item code 8 stays", 733, 1, 8, {0, 0, 0, 0, 0}, 8, {0, 0, 0, 0, 0}},
        {"code 24 of 734 is vanish", 734, 0, 24, {1, 2, 3}, 24, {1, 2, 3}},
        {"target 747 then insert", 746, 0, 21, Seq(16), 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 13, 14, 0}},
        {"flow operation p3 = 0", 759, 0, 16, {1, 2, 3, 4}, 16, {1, 2, 3, 0}},
        {"facing toward targets moves up 6", 766, 0, 9, {4}, 9, {10}},
        {"facing left stays", 766, 0, 9, {3}, 9, {3}},
        {"target insert 0 at 0", 766, 0, 21, Seq(16), 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"status subjects from 2 on +3", 766, 0, 22, status766, 22, status766Out},
        {"status 2 selector +3", 766, 1, 8, {2, 0, 0, 0, 0}, 8, {5, 0, 0, 0, 0}},
        {"status 2 sized to 5", 819, 0, 23, Seq(7), 23, {1, 2, 3, 4, 5}},
        {"current version: untouched", 825, 0, 23, {2, 6, 0, 0, 0}, 23, {2, 6, 0, 0, 0}},
    };
    for (const auto& tc : cases) {
        cFlowCmd c = RoundTripAt(MakeCmd(tc.numbering, tc.code, tc.in), tc.v);
        EXPECT_EQ(c.nCode, tc.outCode) << tc.what;
        EXPECT_EQ(std::vector<int32_t>(c.vParam.begin(), c.vParam.end()), tc.out) << tc.what;
    }
}

TEST_F(FlowCmdRepairTest, ShotGraphicBefore220) {
    cFlowCmd c = MakeCmd(0, CMD_SHOT);
    cEdShot::Create(c.spShot);
    c.spShot->nGraphic = 5;
    EXPECT_EQ(RoundTripAt(c, 219).spShot->nGraphic, 6);
    EXPECT_EQ(RoundTripAt(c, 220).spShot->nGraphic, 5);
    c.spShot->nGraphic = 119;
    EXPECT_EQ(RoundTripAt(c, 219).spShot->nGraphic, 119);
    // A sword's shot setting is not a shot's.
    c.nCode = CMD_SWORD;
    c.spShot->nGraphic = 5;
    EXPECT_EQ(RoundTripAt(c, 219).spShot->nGraphic, 5);
}

TEST_F(FlowCmdRepairTest, ChargeMoveBefore514) {
    cFlowCmd c = MakeCmd(0, CMD_CHARGE_MOVE);
    cEdMove::Create(c.spMove);
    c.spMove->nAngle = 90;
    c.spMove->nAngleInc = 5;
    c.spMove->bMirrorAngle = 0;
    cFlowCmd d = RoundTripAt(c, 513);
    EXPECT_EQ(d.spMove->nAngle, 0);
    EXPECT_EQ(d.spMove->nAngleInc, 0);
    EXPECT_EQ(d.spMove->bMirrorAngle, 1);
    cFlowCmd e = RoundTripAt(c, 514);
    EXPECT_EQ(e.spMove->nAngle, 90);
    EXPECT_EQ(e.spMove->bMirrorAngle, 0);
}

TEST_F(FlowCmdRepairTest, WarpModesBefore767) {
    for (int numbering : {0, 1}) {
        cFlowCmd c = MakeCmd(numbering, numbering ? 5 : CMD_WARP);
        cEdMove::Create(c.spMove);
        c.spMove->nMode = 2;
        EXPECT_EQ(RoundTripAt(c, 766).spMove->nMode, 5);
        EXPECT_EQ(RoundTripAt(c, 767).spMove->nMode, 2);
        c.spMove->nMode = 1;
        EXPECT_EQ(RoundTripAt(c, 766).spMove->nMode, 1);
    }
}

TEST_F(FlowCmdRepairTest, FlowOperationGetsAConditionListBefore764) {
    cFlowCmd c = MakeCmd(0, CMD_FLOW_OP, {1, 2, 3, 4});
    cFlowCmd d = RoundTripAt(c, 763);
    ASSERT_TRUE(d.CondList());
    EXPECT_EQ(d.CondList()->nMode, 0);
    EXPECT_EQ(d.CondList()->bUse, 0);
    EXPECT_TRUE(d.CondList()->vCond.empty());
    // From 764 the file decides.
    EXPECT_FALSE(RoundTripAt(c, 764).CondList());
    // Other commands get none.
    EXPECT_FALSE(RoundTripAt(MakeCmd(0, CMD_WAIT), 763).CondList());
}

TEST_F(FlowCmdRepairTest, Version763HasNoConditionListFlag) {
    cFlowCmd c = MakeCmd(0, CMD_WAIT);
    c.EditSubFlows().resize(1);
    c.EditSubFlows()[0].nFlowID = 4;
    cDataWriter w763, w764;
    oldstream::Cmd(w763, c, 763);
    oldstream::Cmd(w764, c, 764);
    EXPECT_EQ(w763.Size() + 4, w764.Size());
    cFlowCmd d = RoundTripAt(c, 763);
    ASSERT_EQ(d.SubFlows().size(), 1u);
    EXPECT_EQ(d.SubFlows()[0].nFlowID, 4);
}

TEST_F(FlowCmdRepairTest, CommandsOfSubFlowsAreRepairedToo) {
    cFlowCmd c = MakeCmd(1, 1, {0, 0});
    c.EditSubFlows().resize(1);
    c.EditSubFlows()[0].vCmd.push_back(MakeCmd(0, 24, {0, 1}));
    cFlowCmd d = RoundTripAt(c, 733);
    EXPECT_EQ(d.SubFlows()[0].vCmd[0].nCode, 25);
}

cFlow RoundTripFlowAt(cFlow f, uint32_t v) {
    cDataWriter w;
    oldstream::Flow(w, f, v);
    cFlow out;
    EXPECT_TRUE(oldstream::LoadAt(out, w.Bytes(), v)) << "version " << v;
    return out;
}

TEST_F(FlowCmdRepairTest, FlowTriggerAndGroupRepairs) {
    struct {
        uint32_t v;
        uint8_t trigger, group, outTrigger, outGroup;
    } cases[] = {
        {130, 12, 3, 15, 0},   // +1 (≤131), group 0 (<163), +2 (<164)
        {131, 10, 3, 12, 0},   // not ≥ 11 at step 1; ≥ 5 at step 3
        {131, 0, 3, 0, 3},     // trigger 0 keeps its group
        {132, 11, 3, 13, 0},
        {162, 4, 5, 4, 0},
        {163, 5, 5, 7, 5},
        {164, 5, 5, 5, 5},
        {761, 18, 1, 21, 1},
        {761, 17, 1, 17, 1},
        {762, 18, 1, 18, 1},
    };
    for (auto& tc : cases) {
        cFlow f;
        f.nTrigger = tc.trigger;
        f.nGroup = tc.group;
        cFlow g = RoundTripFlowAt(f, tc.v);
        EXPECT_EQ(g.nTrigger, tc.outTrigger) << tc.v << " " << int(tc.trigger);
        EXPECT_EQ(g.nGroup, tc.outGroup) << tc.v << " " << int(tc.trigger);
    }
}

TEST_F(FlowCmdRepairTest, FlowFieldsByVersion) {
    cFlow f;
    f.strName = "名前";
    f.bTargetPartner = 1;
    f.nPartnerSlot = 3;
    f.nKeyInterval = 8;
    cDataWriter w675;
    oldstream::Flow(w675, f, 675);
    // Version 675: no name; the stream has an empty string list.
    EXPECT_EQ(w675.Bytes()[0], 8);
    EXPECT_EQ(w675.Bytes()[4 + 8], 0);

    cFlow a = RoundTripFlowAt(f, 761);
    EXPECT_EQ(a.bTargetPartner, 0);
    EXPECT_EQ(a.nPartnerSlot, 0);
    EXPECT_EQ(a.nKeyInterval, 8);
    cFlow b = RoundTripFlowAt(f, 766);
    EXPECT_EQ(b.bTargetPartner, 1);
    EXPECT_EQ(b.nPartnerSlot, 0);
    cFlow c = RoundTripFlowAt(f, 767);
    EXPECT_EQ(c.nPartnerSlot, 3);
    EXPECT_EQ(c.strName, "");
}

TEST_F(FlowCmdRepairTest, OldSampleFlowLoadsAndSavesAtTheCurrentVersion) {
    cFlow f = MakeSampleFlow();
    cFlow g = RoundTripFlowAt(f, 767);
    cFlow h = RoundTripFlowAt(f, 825);
    // A 767 stream lacks nothing that this flow uses; saved now, both agree.
    EXPECT_EQ(SaveBytes(g), SaveBytes(h));
}

}  // namespace
