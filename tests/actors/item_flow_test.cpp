#include "actors/item.h"
#include "actors/item_run.h"
#include "flow_test_support.h"
#include "stage/item_data.h"

using ItemFlow = cFlowTest;

namespace {

int g_nTakes = 0;

// アイテムの取得 as its body does it: the hero runs the commands of stage item p[1].
int32_t GetStageItem(const ITEMSTEP& step) {
    ++g_nTakes;
    return lpWorld->Hero()->RunItemCmds(PlayStage.vItem[step.cmd.vParam[1]].vCmd, step.world, step.services);
}

cItemData ItemOf(std::vector<cFlowCmd> cmds) {
    cItemData d;
    d.vCmd.assign(cmds.begin(), cmds.end());
    d.bPickupMessage = 0;
    return d;
}

cFlowCmd ItemCmd(int code, std::vector<int32_t> params = {}) {
    cFlowCmd c = cFlowTest::Cmd(code, 0, false, params);
    c.nNumbering = 1;
    return c;
}

}  // namespace

// An item that takes itself, and two that take each other, stop at the limit.
TEST_F(ItemFlow, ItemsTakingItemsStopAtTheDepthLimit) {
    ItemCmdProcTable[10] = GetStageItem;
    cPlayer& hero = Hero();
    PlayStage.vItem.resize(4);
    PlayStage.vItem[1] = ItemOf({ItemCmd(10, {1, 1})});
    PlayStage.vItem[2] = ItemOf({ItemCmd(10, {1, 3})});
    PlayStage.vItem[3] = ItemOf({ItemCmd(10, {1, 2})});
    g_nTakes = 0;
    EXPECT_EQ(hero.RunItemCmds(PlayStage.vItem[1].vCmd, lpWorld, SceneServices()), 0);
    EXPECT_EQ(g_nTakes, MAX_ITEM_DEPTH);
    g_nTakes = 0;
    cItem item;
    item.Setup(7, PlayStage.vItem[2]);
    EXPECT_EQ(TakeItem(hero, item, lpWorld), 0);
    EXPECT_EQ(g_nTakes, MAX_ITEM_DEPTH);
}

// A stage clear ends the list with 1; a taker left without HP gives 2.
TEST_F(ItemFlow, ResultsStopTheList) {
    static int statusRuns = 0;
    statusRuns = 0;
    ItemCmdProcTable[2] = [](const ITEMSTEP&) { return int32_t{1}; };
    ItemCmdProcTable[7] = [](const ITEMSTEP& step) {
        ++statusRuns;
        step.taker.hp = 0;
        return int32_t{0};
    };
    cPlayer& hero = Hero();
    EXPECT_EQ(hero.RunItemCmds(ItemOf({ItemCmd(2), ItemCmd(7)}).vCmd, lpWorld, SceneServices()), 1);
    EXPECT_EQ(statusRuns, 0);
    EXPECT_EQ(hero.RunItemCmds(ItemOf({ItemCmd(7), ItemCmd(2)}).vCmd, lpWorld, SceneServices()), 2);
    EXPECT_EQ(statusRuns, 1);
}

// Flow changes taken by the hero while its own flow runs apply after all of
// the frame's flows; replacing an id that no flow has appends.
TEST_F(ItemFlow, FlowChangesApplyAfterTheFrame) {
    ItemCmdProcTable[1] = ChangeFlowsItemProc;
    static cItemData changer;
    cFlowCmd change = ItemCmd(1, {1, 9});
    change.EditSubFlows().push_back(Flow(4, {Cmd(1)}, 0, 9));
    changer = ItemOf({change});
    FlowCmdTable[1].proc = [](const FLOWSTEP& step) {
        EXPECT_EQ(static_cast<cPlayer&>(step.chara).RunItemCmds(changer.vCmd, step.world, step.services), 0);
        EXPECT_EQ(step.chara.flows.size(), 2u);  // not yet
    };
    cPlayer& hero = Hero({Flow(4, {Cmd(1)}, 0, 1), Flow(4, {Cmd(2)}, 0, 2)});
    hero.StartTriggeredFlows(4, lpWorld);
    EXPECT_EQ(hero.Update(0, lpWorld), 0);
    ASSERT_EQ(hero.flows.size(), 3u);
    EXPECT_EQ(hero.FlowDefs()[2].nFlowID, 9);
    EXPECT_EQ(hero.flows[2].def, &hero.FlowDefs()[2]);
    EXPECT_TRUE(hero.pendingItemCmds.empty());
}
