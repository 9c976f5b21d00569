// Characters: copies that share nothing with their source, target links,
// statuses, and the stage character's set-up from its record.
#include "actors/chara.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "actors/stage_chara.h"
#include "play/world_fixture.h"
#include "stage/flow.h"

namespace {

class CharaTest : public cWorldTest {
protected:
    // A stage character with two flows of one and two commands, bound.
    static void GiveFlows(cChara& c) {
        cSafeVector<cFlow>& defs = c.OwnFlowDefs();
        defs.resize(2);
        defs[0].vCmd.resize(1);
        defs[1].vCmd.resize(2);
        defs[1].vKeyCond.resize(1);
        c.flows.resize(2);
        c.RebindFlows();
    }
};

TEST_F(CharaTest, ACopySharesNoFlowsOrTargetsWithItsSource) {
    auto lpSource = std::make_unique<cStageChara>();
    cChara target, holder;
    GiveFlows(*lpSource);
    lpSource->flows[1].running = 1;
    lpSource->flows[1].cmds[1].counter = 7;
    lpSource->SetTarget(1, &target);
    holder.SetTarget(2, lpSource.get());

    cStageChara copy(*lpSource);
    EXPECT_EQ(copy.bTempCopy, 0);
    ASSERT_EQ(copy.flows.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(copy.flows[i].def, &copy.FlowDefs()[i]);
        for (int k = 0; k < static_cast<int>(copy.flows[i].cmds.size()); ++k)
            EXPECT_EQ(copy.flows[i].cmds[k].cmd, &copy.FlowDefs()[i].vCmd[k]);
    }
    EXPECT_EQ(copy.flows[1].vKeyStep[0].lpStep, &copy.FlowDefs()[1].vKeyCond[0]);
    EXPECT_EQ(copy.flows[1].running, 1);
    EXPECT_EQ(copy.flows[1].cmds[1].counter, 7);
    // The copy names the same target, but only the source is registered there.
    EXPECT_EQ(copy.vTarget[1], &target);
    ASSERT_EQ(target.targetedBy.size(), 1u);
    EXPECT_EQ(target.targetedBy[0].lpChara, lpSource.get());

    // Destroying the source clears its links and leaves the copy's flows whole.
    lpSource.reset();
    EXPECT_TRUE(target.targetedBy.empty());
    EXPECT_EQ(holder.vTarget[2], nullptr);
    EXPECT_EQ(copy.flows[1].def->vCmd.size(), 2u);
}

TEST_F(CharaTest, ATemporaryCopyKeepsItsFlagAndLeavesTheLinksAlone) {
    cChara real, target;
    real.SetTarget(0, &target);
    {
        cChara temp;
        temp.bTempCopy = 1;
        temp = real;
        EXPECT_EQ(temp.bTempCopy, 1);
        EXPECT_EQ(temp.vTarget[0], &target);
    }
    ASSERT_EQ(target.targetedBy.size(), 1u);
    cChara fromTemp;
    {
        cChara temp;
        temp.bTempCopy = 1;
        temp = real;
        fromTemp = temp;
    }
    EXPECT_EQ(fromTemp.bTempCopy, 0);
    // Assigned through the base, a stage character takes the character part.
    cStageChara stage;
    static_cast<cChara&>(stage) = real;
    EXPECT_EQ(stage.vTarget[0], &target);
}

TEST_F(CharaTest, TargetsAreRegisteredOnceHoweverOftenSetUpRuns) {
    lpWorld->vPlayer.resize(1);
    cChara summoner, c;
    c.InitTargets(&summoner, lpWorld);
    c.InitTargets(&summoner, lpWorld);
    ASSERT_EQ(summoner.targetedBy.size(), 1u);
    EXPECT_EQ(summoner.targetedBy[0], (TARGETLINK{&c, TARGET_SLOT_SUMMONER}));
    EXPECT_EQ(c.vTarget[0], lpWorld->Hero());
    EXPECT_EQ(lpWorld->Hero()->targetedBy.size(), 1u);
    c.ClearTargetLinks();
    EXPECT_TRUE(summoner.targetedBy.empty());
    EXPECT_TRUE(lpWorld->Hero()->targetedBy.empty());
}

TEST_F(CharaTest, HitAndSpecialPoints) {
    cChara c;
    c.data.nMaxHP = 100;
    c.hp = 90;
    c.data.byInvincible = 1;
    EXPECT_EQ(c.ChangeHp(-5, false, false), 0);
    EXPECT_EQ(c.hp, 90);
    EXPECT_EQ(c.ChangeHp(-5, true, false), 0);
    EXPECT_EQ(c.hp, 85);
    EXPECT_EQ(c.ChangeHp(50, false, true), 0);
    EXPECT_EQ(c.hp, 100);
    EXPECT_EQ(c.hpGauge.nTimer, GAUGE_SHOW_FRAMES);
    EXPECT_EQ(c.hpGauge.nFill, 50);
    EXPECT_EQ(c.ChangeHp(-200, true, true), 1);
    EXPECT_EQ(c.hp, 0);
    c.data.nMaxSP = 0;
    EXPECT_EQ(c.ChangeSp(5, true), 1);
    EXPECT_EQ(c.sp, 0);
}

TEST_F(CharaTest, TheBodyBoxAndHitRangesComeFromTheStageSettings) {
    PlayStage.nCharaBodyBW = 20;
    PlayStage.nCharaBodyBH = 30;
    PlayStage.bCharaBodyBAlign = 1;
    PlayStage.nCharaRange1W = 16;
    PlayStage.nCharaRange1H = 24;
    cCharaData rec;
    rec.byFlying = 2;
    rec.byHitRangeKind = 3;
    rec.byForce = 0;
    cStageChara c;
    c.Setup(4, rec, nullptr, 400, 400, 0);
    EXPECT_EQ(rec.byForce, 1);
    EXPECT_EQ(c.nCellOffX, 6);
    EXPECT_EQ(c.nCellOffY, 2);
    EXPECT_EQ(c.nHitW, 20);
    EXPECT_EQ(c.nHitH, 30);
    EXPECT_EQ(c.bScreen, 1);
    // Hit-range kind 3: the whole cell, relative to the body box.
    EXPECT_EQ(c.rangeA.nOffX, -6);
    EXPECT_EQ(c.rangeA.nW, 32);
    EXPECT_EQ(c.rangeB.nOffX, 8 - 6);
    EXPECT_EQ(c.rangeB.nOffY, 4 - 2);
    EXPECT_EQ(c.dRectB[0], 402);

    rec.bWholeCell = 1;
    cStageChara w;
    w.Setup(5, rec, nullptr, 400, 400, 0);
    EXPECT_EQ(w.nCellOffX, 0);
    EXPECT_EQ(w.nHitW, 32);
    EXPECT_EQ(w.rangeA.nW, 0);
    EXPECT_EQ(w.rangeB.nW, 32);
    rec.chSize = 2;
    cStageChara big;
    big.Setup(6, rec, nullptr, 400, 400, 0);
    EXPECT_EQ(big.rangeA.nW, 64);
    EXPECT_EQ(big.rangeB.nW, 64);
}

TEST_F(CharaTest, HitRectanglesStartFromThePositionTruncatedTowardZero) {
    // Byte for byte as std::trunc(position) + offset, at the edges of the
    // integer route: around 0, beyond 64 bits, infinities, no number.
    const double positions[] = {0.0,  -0.0,    0.75,   -0.75,  31.999, -31.5,  0x1p52 - 0.5, -0x1p52 + 0.5,
                                0x1p52, 0x1p53, 1e19, -1e19, 1e300, std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    const int32_t offsets[] = {0, -6, 5};
    const auto bits = [](double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    for (const int32_t off : offsets) {
        for (const double p : positions) {
            cStageChara c;
            c.rangeA.nOffX = c.rangeA.nOffY = off;
            c.rangeB.nOffX = c.rangeB.nOffY = -off;
            c.rangeA.nW = c.rangeA.nH = c.rangeB.nW = c.rangeB.nH = 32;
            c.x = c.y = p;
            c.UpdateHitRectX();
            c.UpdateHitRectY();
            for (int axis = 0; axis < 2; ++axis) {
                const double a = std::trunc(p) + off;
                const double b = std::trunc(p) + (-off);
                EXPECT_EQ(bits(c.dRectA[axis]), bits(a)) << p << " offset " << off;
                EXPECT_EQ(bits(c.dRectA[axis + 2]), bits(a + 32 - 1)) << p << " offset " << off;
                EXPECT_EQ(bits(c.dRectB[axis]), bits(b)) << p << " offset " << off;
                EXPECT_EQ(bits(c.dRectB[axis + 2]), bits(b + 32 - 1)) << p << " offset " << off;
            }
        }
    }
}

TEST_F(CharaTest, TheCarriedItemIsACopyOfItsSource) {
    cCharaData rec;
    cItem source;
    cItemData itemRec;
    itemRec.wGraphic = 9;
    source.Setup(3, itemRec);
    cStageChara with, without;
    with.Setup(1, rec, &source, 400, 400, 0);
    without.Setup(2, rec, nullptr, 400, 400, 0);
    ASSERT_NE(with.CarriedItem(), nullptr);
    EXPECT_EQ(with.CarriedItem()->data.wGraphic, 9);
    EXPECT_EQ(without.CarriedItem(), nullptr);
}

}  // namespace
