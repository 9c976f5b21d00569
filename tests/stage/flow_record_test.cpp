// Stored fields, streams and round trips of flows, commands, conditions,
// key steps and settings at the current version.
#include <gtest/gtest.h>

#include "stage/flow_fixture.h"
#include "stage/shared_records.h"

namespace {

template <class C>
size_t NumericBytes(uint32_t v) {
    size_t n = 0;
    for (const auto& row : C::Rows())
        if (row.StoredIn(v) && !row.IsString()) n += static_cast<size_t>(row.nWidth) * row.Count();
    return n;
}

template <class C>
void ExpectWidthsMatch() {
    int i = 1;
    for (const auto& row : C::Rows()) EXPECT_TRUE(row.WidthMatches()) << "row " << i++;
}

using FlowRecordTest = FlowTest;

TEST_F(FlowRecordTest, EveryTableRowWidthMatchesItsMember) {
    ExpectWidthsMatch<cFlow>();
    ExpectWidthsMatch<cFlowCmd>();
    ExpectWidthsMatch<cEdCond>();
    ExpectWidthsMatch<cCondList>();
    ExpectWidthsMatch<cEdCmdList>();
    ExpectWidthsMatch<cEdMove>();
    ExpectWidthsMatch<cEdShot>();
}

TEST_F(FlowRecordTest, FieldCountsAndSizesAtTheCurrentVersion) {
    EXPECT_EQ(CountNumericRows(cFlow::Rows(), 825), 10);
    EXPECT_EQ(CountNumericRows(cFlowCmd::Rows(), 825), 8);
    EXPECT_EQ(NumericBytes<cFlowCmd>(825), 12u);
    EXPECT_EQ(CountNumericRows(cEdCond::Rows(), 825), 17);
    EXPECT_EQ(NumericBytes<cEdCond>(825), 28u);
    EXPECT_EQ(CountNumericRows(cEdCmdList::Rows(), 825), 5);
    // The move setting stores its factor: 33 fields, 53 bytes.
    EXPECT_EQ(CountNumericRows(cEdMove::Rows(), 825), 33);
    EXPECT_EQ(NumericBytes<cEdMove>(825), 53u);
    EXPECT_EQ(CountNumericRows(cEdShot::Rows(), 825), 64);
    EXPECT_EQ(NumericBytes<cEdShot>(825), 97u);
}

TEST_F(FlowRecordTest, CommandStreamBytes) {
    cFlowCmd c = MakeCmd(0, CMD_FACING, {0x11223344});
    c.nTime = 0x0102;
    c.nSE = 0;
    c.strText = "ab";
    const std::vector<uint8_t> expect = {
        8, 0, 0, 0,                     // field count
        0, 9,                           // numbering, code
        0x02, 0x01, 0, 0,               // time, time increment
        0, 0, 0, 1, 0, 0,               // no wait, sound, byte 11 (1 when cleared), animation
        1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 0,  // one string: "ab"
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   // no move, shot or condition list: three flags 0
        0, 0, 0, 0,                     // no sub-flows
        1, 0, 0, 0, 0x44, 0x33, 0x22, 0x11,   // one parameter
    };
    EXPECT_EQ(SaveBytes(c), expect);
}

TEST_F(FlowRecordTest, KeyStepStreamAndDefault) {
    cEdCmdList k;
    EXPECT_EQ(k.vKey.size(), 19u);
    k.nHoldMax = -1;
    const std::vector<uint8_t> bytes = SaveBytes(k);
    ASSERT_EQ(bytes.size(), 4u + 7 + 4 + 4 + 19);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(bytes[7], 0xFF);
    EXPECT_EQ(bytes[15], 19);
}

TEST_F(FlowRecordTest, SampleFlowRoundTrips) {
    cFlow src = MakeSampleFlow();
    const std::vector<uint8_t> bytes = SaveBytes(src);
    cFlow dst;
    cDataReader r(bytes.data(), bytes.size());
    dst.Load(r);
    ASSERT_FALSE(r.Failed()) << r.FailReason();
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_EQ(SaveBytes(dst), bytes);

    EXPECT_EQ(dst.nPartnerSlot, 2);
    EXPECT_EQ(dst.bKeyHold, 1);
    ASSERT_EQ(dst.vCond.size(), 1u);
    EXPECT_EQ(dst.vCond[0].nOpVarNum, -2);
    EXPECT_EQ(dst.vCond[0].nRandMax, 70000);
    ASSERT_EQ(dst.vKeyCond.size(), 2u);
    EXPECT_EQ(dst.vKeyCond[0].vKey[12], 2);
    EXPECT_EQ(dst.vKeyCond[0].nHoldMax, 300);
    ASSERT_EQ(dst.vCmd.size(), 5u);
    ASSERT_TRUE(dst.vCmd[0].spMove);
    EXPECT_EQ(dst.vCmd[0].spMove->dFactor, 0.25);
    EXPECT_EQ(dst.vCmd[0].spMove->nTargetSlot, 3);
    EXPECT_EQ(dst.vCmd[0].bSEOnScreen, 0);
    EXPECT_FALSE(dst.vCmd[0].spShot);
    EXPECT_EQ(dst.vCmd[1].spShot->nPower, 1000000);
    EXPECT_EQ(dst.vCmd[1].spShot->nFormParam[2], -5);
    ASSERT_TRUE(dst.vCmd[2].CondList());
    EXPECT_EQ(dst.vCmd[2].CondList()->bUse, 1);
    EXPECT_EQ(dst.vCmd[2].CondList()->vCond.size(), 2u);
    EXPECT_EQ(dst.vCmd[3].strText, "こんにちは\nworld");
    EXPECT_EQ(dst.vCmd[3].vParam[17], -1);
    ASSERT_EQ(dst.vCmd[4].SubFlows().size(), 1u);
    EXPECT_EQ(dst.vCmd[4].SubFlows()[0].vCmd[1].vParam[1], 6);
}

TEST_F(FlowRecordTest, LoadEmptiesTheFlowName) {
    cFlow f;
    f.strName = "編集用";
    const auto bytes = SaveBytes(f);
    cFlow g;
    g.strName = "old";
    cDataReader r(bytes.data(), bytes.size());
    g.Load(r);
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(g.strName, "");
}

TEST_F(FlowRecordTest, SavedCommandAlwaysWritesThreeFlags) {
    cFlowCmd c = MakeCmd(0, CMD_WAIT);
    // Record stream (4 + 12 + 4 + 4), three flags, two counts.
    EXPECT_EQ(SaveBytes(c).size(), 24u + 12 + 8);
}

TEST_F(FlowRecordTest, ReadingACommandIntoOneWithSettingsReleasesAbsentOnes) {
    cFlowCmd plain = MakeCmd(0, CMD_WAIT);
    const auto bytes = SaveBytes(plain);
    cFlowCmd c = MakeCmd(0, CMD_WAIT);
    cEdMove::Create(c.spMove);
    cEdShot::Create(c.spShot);
    cCondList::Create(c.EditCondList());
    cDataReader r(bytes.data(), bytes.size());
    c.Load(r);
    EXPECT_FALSE(r.Failed());
    EXPECT_FALSE(c.spMove);
    EXPECT_FALSE(c.spShot);
    EXPECT_FALSE(c.CondList());
}

TEST_F(FlowRecordTest, ClearedCommandHoldsByteElevenOneAndNoSettings) {
    cFlowCmd c = MakeCmd(0, CMD_SHOT, {1});
    cEdShot::Create(c.spShot);
    c.bSEOnScreen = 0;
    c.nTime = 4;
    c.EditSubFlows().resize(2);
    c.Clear();
    EXPECT_EQ(c.bSEOnScreen, 1);
    EXPECT_EQ(c.nTime, 0);
    EXPECT_EQ(c.nCode, 0);
    EXPECT_FALSE(c.spShot);
    EXPECT_TRUE(c.vParam.empty());
    EXPECT_TRUE(c.SubFlows().empty());
}

TEST_F(FlowRecordTest, ClearedKeyStepHasNineteenSlots) {
    cEdCmdList k;
    k.vKey.resize(3);
    k.vKey[0] = 2;
    k.nMode = 2;
    k.Clear();
    EXPECT_EQ(k.vKey.size(), 19u);
    EXPECT_EQ(k.nMode, 0);
}

TEST_F(FlowRecordTest, KeyStepWithAnotherSlotCountIsBroughtToNineteen) {
    cEdCmdList k;
    k.vKey.resize(4);
    k.vKey[3] = 1;
    auto bytes = SaveBytes(k);
    cEdCmdList l;
    cDataReader r(bytes.data(), bytes.size());
    l.Load(r);
    EXPECT_FALSE(r.Failed());
    ASSERT_EQ(l.vKey.size(), 19u);
    EXPECT_EQ(l.vKey[3], 1);
    EXPECT_EQ(l.vKey[4], 0);
}

TEST_F(FlowRecordTest, EditorOnlyFlowsAreRemovedUnlessTheEditorFlagIsSet) {
    cSafeVector<cFlow> flows(3);
    flows[0].nFlowID = 1;
    flows[1].nFlowID = 2;
    flows[1].bEditorOnly = 1;
    flows[2].nFlowID = 3;
    cDataWriter w;
    SaveFlowList(w, flows);
    const auto bytes = w.TakeBytes();

    cSafeVector<cFlow> loaded;
    cDataReader r(bytes.data(), bytes.size());
    LoadFlowList(r, loaded);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].nFlowID, 1);
    EXPECT_EQ(loaded[1].nFlowID, 3);

    SetFlowEditorFlag(true);
    cDataReader r2(bytes.data(), bytes.size());
    LoadFlowList(r2, loaded);
    EXPECT_EQ(loaded.size(), 3u);
}

TEST_F(FlowRecordTest, EditorOnlySubFlowsOfACommandAreRemoved) {
    cFlowCmd c = MakeCmd(1, 1, {0, 0});
    c.EditSubFlows().resize(2);
    c.EditSubFlows()[0].bEditorOnly = 1;
    c.EditSubFlows()[1].nFlowID = 9;
    const auto bytes = SaveBytes(c);
    cFlowCmd d;
    cDataReader r(bytes.data(), bytes.size());
    d.Load(r);
    ASSERT_EQ(d.SubFlows().size(), 1u);
    EXPECT_EQ(d.SubFlows()[0].nFlowID, 9);
}

// The sub-flow count of a command, read into commands with and without
// flows: a count of 0 empties the list, others give that many flows, and a
// stream that ends at or inside the count is refused.
TEST_F(FlowRecordTest, SubFlowCountsReadIntoCommandsWithAndWithoutFlows) {
    cFlowCmd none = MakeCmd(0, CMD_WAIT);
    cFlowCmd two = MakeCmd(0, CMD_WAIT);
    two.EditSubFlows().resize(2);
    two.EditSubFlows()[1].nFlowID = 5;
    for (cFlowCmd* src : {&none, &two}) {
        const auto bytes = SaveBytes(*src);
        for (size_t held : {size_t{0}, size_t{3}}) {
            cFlowCmd c = MakeCmd(0, CMD_WAIT);
            c.EditSubFlows().resize(held);
            cDataReader r(bytes.data(), bytes.size());
            c.Load(r);
            ASSERT_FALSE(r.Failed()) << held;
            EXPECT_EQ(r.Remaining(), 0u) << held;
            ASSERT_EQ(c.SubFlows().size(), src->SubFlows().size()) << held;
            if (!c.SubFlows().empty()) {
                EXPECT_EQ(c.SubFlows()[1].nFlowID, 5);
            }
            EXPECT_EQ(SaveBytes(c), bytes) << held;
        }
    }
    // The plain command's stream cut inside its sub-flow count, and just before it.
    const auto bytes = SaveBytes(none);
    const size_t at = bytes.size() - 8;  // the sub-flow count, then the parameter count
    for (size_t cut : {at, at + 1, at + 3}) {
        cFlowCmd c;
        cDataReader r(bytes.data(), cut);
        c.Load(r);
        EXPECT_TRUE(r.Failed()) << cut;
    }
}

}  // namespace
