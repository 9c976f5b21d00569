// Copying commands and flows: settings are cloned, never shared; sub-flows
// are copied; copies own their registries.
#include <gtest/gtest.h>

#include "stage/code_table.h"
#include "stage/flow_fixture.h"
#include "stage/shared_records.h"

namespace {

using SharedRecordsTest = FlowTest;

TEST_F(SharedRecordsTest, CopyingACommandWithoutAMoveEmptiesTheCopysMove) {
    cFlowCmd src = MakeCmd(0, CMD_WAIT);
    cFlowCmd dst = MakeCmd(0, CMD_STRAIGHT_MOVE);
    cEdMove::Create(dst.spMove);
    dst = src;
    EXPECT_FALSE(dst.spMove);
}

TEST_F(SharedRecordsTest, CopiedSettingsAreNewObjectsWithTheSameValues) {
    cFlowCmd src = MakeCmd(0, CMD_SHOT);
    cEdShot::Create(src.spShot);
    cEdMove::Create(src.spMove);
    cCondList::Create(src.EditCondList());
    src.spShot->nPower = 50;
    src.spMove->dFactor = 3.0;
    src.EditCondList()->vCond.resize(2);
    src.EditCondList()->vCond[1].nKind = 7;

    cFlowCmd copy(src);
    ASSERT_TRUE(copy.spShot && copy.spMove && copy.CondList());
    EXPECT_NE(copy.spShot.get(), src.spShot.get());
    EXPECT_NE(copy.spMove.get(), src.spMove.get());
    EXPECT_NE(copy.CondList().get(), src.CondList().get());
    EXPECT_EQ(copy.spShot->nPower, 50);
    EXPECT_EQ(copy.spMove->dFactor, 3.0);
    EXPECT_EQ(copy.CondList()->vCond[1].nKind, 7);
    copy.spShot->nPower = 7;
    EXPECT_EQ(src.spShot->nPower, 50);
}

TEST_F(SharedRecordsTest, DestroyingOneOfTwoAssignedCommandsLeavesTheOthersSettings) {
    auto a = std::make_unique<cFlowCmd>(MakeCmd(0, CMD_SHOT));
    cEdShot::Create(a->spShot);
    a->spShot->nGraphic = 12;
    cFlowCmd b;
    b = *a;
    a.reset();
    ASSERT_TRUE(b.spShot);
    EXPECT_EQ(b.spShot->nGraphic, 12);

    b.Clear();
    EXPECT_FALSE(b.spShot);  // the command released it
}

TEST_F(SharedRecordsTest, CommandCopiesCarryTheirSubFlows) {
    cFlowCmd src = MakeCmd(1, 1, {0, 0});
    src.EditSubFlows().resize(1);
    src.EditSubFlows()[0].nFlowID = 5;
    src.EditSubFlows()[0].vCmd.push_back(MakeCmd(0, CMD_SHOT));
    cEdShot::Create(src.EditSubFlows()[0].vCmd[0].spShot);
    cFlowCmd copy = src;
    ASSERT_EQ(copy.SubFlows().size(), 1u);
    EXPECT_EQ(copy.SubFlows()[0].nFlowID, 5);
    EXPECT_NE(copy.SubFlows()[0].vCmd[0].spShot.get(), src.SubFlows()[0].vCmd[0].spShot.get());
}

TEST_F(SharedRecordsTest, CloneOfAHolderIntoItselfKeepsTheValues) {
    cSlotPtr<cEdMove> m;
    cEdMove::Create(m);
    m->nSpeed = 44;
    CloneEdMove(m, m);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->nSpeed, 44);
    boost::shared_ptr<cCondList> empty, dst;
    cCondList::Create(dst);
    CloneCondList(dst, empty);
    EXPECT_FALSE(dst);
}

TEST_F(SharedRecordsTest, SelfAssignmentOfACommandKeepsItsSettings) {
    cFlowCmd c = MakeCmd(0, CMD_SHOT);
    cEdShot::Create(c.spShot);
    c.spShot->nZ = 3;
    cFlowCmd& alias = c;
    c = alias;
    ASSERT_TRUE(c.spShot);
    EXPECT_EQ(c.spShot->nZ, 3);
}

TEST_F(SharedRecordsTest, ACopyLoadsIntoItsOwnMembers) {
    cFlow src = MakeSampleFlow();
    const auto before = SaveBytes(src);
    cFlow copy = src;
    cFlow other;
    other.nTrigger = 21;
    other.vCmd.push_back(MakeCmd(0, CMD_WAIT));
    const auto bytes = SaveBytes(other);
    cDataReader r(bytes.data(), bytes.size());
    copy.Load(r);
    ASSERT_FALSE(r.Failed());
    EXPECT_EQ(copy.nTrigger, 21);
    EXPECT_EQ(src.nTrigger, 7);
    EXPECT_EQ(SaveBytes(src), before);
}

TEST_F(SharedRecordsTest, AVectorOfCommandsAssignedFromALongerOneHoldsIndependentCopies) {
    cSafeVector<cFlowCmd> longer(3);
    for (int i = 0; i < 3; ++i) {
        longer[i] = MakeCmd(0, CMD_SHOT);
        cEdShot::Create(longer[i].spShot);
        longer[i].spShot->nShotNum = static_cast<uint8_t>(i + 1);
    }
    cSafeVector<cFlowCmd> v(1);
    v = longer;
    ASSERT_EQ(v.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v[i].spShot->nShotNum, i + 1);
        EXPECT_NE(v[i].spShot.get(), longer[i].spShot.get());
    }
    // Growing by reallocation moves commands: the settings move with them.
    cEdShot* before = v[0].spShot.get();
    v.resize(100);
    EXPECT_EQ(v[0].spShot.get(), before);
    EXPECT_EQ(v[99].bSEOnScreen, 1);
}

}  // namespace
