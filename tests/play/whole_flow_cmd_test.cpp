// Whole flow runs through the real executor tables: item commands, loops,
// waits, flow operations, vanishing what was summoned, landing, and hostile
// flow data.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <boost/make_shared.hpp>

#include "actors/cmd/cmd_bodies.h"
#include "actors/damage.h"
#include "actors/flow_setup.h"
#include "actors/item_run.h"
#include "platform/system/log.h"
#include "play/play_fixture.h"
#include "play/play_services.h"
#include "play/world_fixture.h"
#include "stage/cmd_list.h"
#include "stage/cond_list.h"
#include "stage/flow.h"
#include "stage/flow_arrange.h"
#include "stage/flow_params.h"
#include "stage/flow_cmd.h"
#include "support/temp_dir.h"

namespace {

cFlowCmd Cmd(int code, int time, std::vector<int32_t> params, bool bItem = false, bool bNoWait = false) {
    cFlowCmd c;
    c.nCode = static_cast<uint8_t>(code);
    c.nTime = static_cast<int16_t>(time);
    c.bNoWait = bNoWait;
    c.nNumbering = bItem ? 1 : 0;
    c.vParam.assign(params.begin(), params.end());
    return c;
}
// ステータスの操作: stage variable 4 += n.
cFlowCmd AddS4(int n, bool bItem = false) { return Cmd(bItem ? 7 : 22, 0, {1, 1, 4, 0, 0, 1, 0, n}, bItem); }
cFlow Flow(int trigger, std::vector<cFlowCmd> cmds, int id = 0) {
    cFlow f;
    f.nTrigger = static_cast<uint8_t>(trigger);
    f.nFlowID = static_cast<uint8_t>(id);
    f.vCmd.assign(cmds.begin(), cmds.end());
    return f;
}

// Characters and a hero made from flows, run frame by frame, over a world
// (tBase cWorldTest) or a play scene (cPlayTest).
template <class tBase>
class cWholeFlowFixture : public tBase {
protected:
    cWholeFlowFixture() {
        ECInit(1, m_Ec.c_str());
        lpWorld->vStageVars.assign(STAGE_VAR_NUM, 0);
    }
    cStageChara& Chara(std::vector<cFlow> flows, double x = 64) {
        cCharaData rec;
        rec.nMaxHP = 100;
        rec.vFlow.assign(flows.begin(), flows.end());
        lpWorld->lstStageChara.emplace_back();
        cStageChara& c = lpWorld->lstStageChara.back();
        c.Setup(lpWorld->nNextObjectId++, rec, nullptr, x, 64, 0);
        lpWorld->CharaBucket(0).Add(&c, HITKIND_STAGECHARA);
        return c;
    }
    cPlayer& Hero() {
        cCharaData rec;
        rec.nMaxHP = 100;
        const int32_t rect[4] = {0, 0, 31, 31};
        lpWorld->vPlayer.resize(1);
        lpWorld->vPlayer[0].Setup(100, 0, rec, rect, 0, 0, lpWorld);
        return lpWorld->vPlayer[0];
    }
    // Frames of a character until stage variable 4 reaches `value` (at most `limit`).
    int FramesUntil(cChara& c, int32_t value, int limit) {
        for (int n = 1; n <= limit; ++n) {
            c.ClearFlowFrameFlags();
            c.Update(0, lpWorld);
            if (S4() >= value) return n;
        }
        return -1;
    }
    int32_t S4() const { return lpWorld->vStageVars[4]; }
    std::string ErrorLog() const {
        std::ifstream in(m_Ec);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    cTempDir m_Dir;
    std::string m_Ec = m_Dir.File("EC_Game.txt");
};

// Over a world: what the commands ask of the scene goes to the fake services.
using WholeFlowCommandRuns = cWholeFlowFixture<cWorldTest>;

// Over a play scene, whose services hand the items to the hero.
class WholeFlowSceneRuns : public cWholeFlowFixture<cPlayTest> {
protected:
    WholeFlowSceneRuns() { m_lpPrevServices = SetSceneServices(&m_NoWait); }
    ~WholeFlowSceneRuns() override { SetSceneServices(m_lpPrevServices); }

    // Waits end at once: these tests look at what a command sets up.
    struct cNoWait : cPlayServices {
        using cPlayServices::cPlayServices;
        void PauseWait() override {}
    } m_NoWait{*lpPlayScene};
    cSceneServices* m_lpPrevServices = nullptr;
};

}  // namespace

// Item commands run the character commands' bodies on the taker; a stage
// clear ends the list, a loop entry does nothing.
TEST_F(WholeFlowSceneRuns, ItemCommandsRunTheSharedBodies) {
    cPlayer& hero = Hero();
    const cSafeVector<cFlowCmd> cmds{AddS4(2, true), Cmd(24, 0, {0, 0}, true), Cmd(0, 0, {}, true),
                                     Cmd(2, 0, {1, 5, 0, 0, 0, 0, 0, 0, 0}, true), AddS4(100, true)};
    EXPECT_EQ(hero.RunItemCmds(cmds, lpWorld, SceneServices()), 1);
    EXPECT_EQ(S4(), 2);
    EXPECT_EQ(lpWorld->nNextStage, 5);
    // アイテムの取得 from a flow: the hero takes stage item 0; its stage clear ends the stage.
    PlayStage.vItem.resize(1);
    PlayStage.vItem[0].vCmd = cmds;
    cStageChara& c = Chara({});
    GetItem(c, Cmd(25, 0, {1, 0}), nullptr, lpWorld, SceneServices());
    EXPECT_EQ(S4(), 4);
    EXPECT_EQ(lpWorld->nStageEnd, 1);
}

// A loop of three over two increments adds 6; a wait of 10 at hit level 1
// lasts 60 frames before the next command.
TEST_F(WholeFlowCommandRuns, LoopsAndWaitsInWholeRuns) {
    cStageChara& looped = Chara({Flow(22, {Cmd(39, 0, {3, 2}), AddS4(1), AddS4(1)})});
    looped.StartTriggeredFlows(22, lpWorld);
    EXPECT_EQ(FramesUntil(looped, 6, 20), 6);
    EXPECT_EQ(FramesUntil(looped, 7, 5), -1);

    lpWorld->vStageVars[4] = 0;
    cStageChara& waits = Chara({Flow(22, {Cmd(1, 10, {}), AddS4(1)})});
    waits.StartTriggeredFlows(22, lpWorld);
    EXPECT_EQ(FramesUntil(waits, 1, 100), 61);
}

// Flow operations: a false condition list holds them back; deleting another
// character's flows by id removes them at once.
TEST_F(WholeFlowCommandRuns, FlowOperationsUseTheRunnerAndTheirConditions) {
    cStageChara& other = Chara({Flow(22, {Cmd(1, 5, {})}, 3), Flow(22, {Cmd(1, 5, {})}, 4)});
    cFlowCmd del = Cmd(16, 1, {4, 2, 3, 1});
    del.EditCondList() = boost::make_shared<cCondList>();
    del.EditCondList()->bUse = 1;
    del.EditCondList()->nMode = 1;  // at least one of none: false
    cStageChara& me = Chara({Flow(22, {del})});
    me.SetTarget(0, &other);
    me.StartTriggeredFlows(22, lpWorld);
    FramesUntil(me, 1, 1);
    EXPECT_EQ(other.flows.size(), 2u);
    me.OwnFlowDefs()[0].vCmd[0].EditCondList()->nMode = 0;  // every one of none: true
    me.StartTriggeredFlows(22, lpWorld);
    FramesUntil(me, 1, 1);
    ASSERT_EQ(other.flows.size(), 1u);
    EXPECT_EQ(other.flows[0].def->nFlowID, 4);
}

// Characters of the same flows share one read-only list of them. An
// arrangement changes the arranged command for good, in the running
// character's own copy only: the other character's command stays as it was.
TEST_F(WholeFlowCommandRuns, ArrangementsWriteTheCharactersOwnCopyOfSharedFlows) {
    InitFlowParamLabels();
    const cFlowCmd arrange = Cmd(38, 0, {22, 0, ARRANGE_SET, ARRANGE_CHARA_VAR, 3});  // random minimum = variable 3
    const std::vector<cFlow> flows = {Flow(22, {arrange, AddS4(1)})};
    cStageChara& a = Chara(flows);
    cStageChara& b = Chara(flows, 128);
    ASSERT_EQ(&a.FlowDefs(), &b.FlowDefs());
    const cSafeVector<cFlow>* lpShared = &b.FlowDefs();
    a.vars[3] = 42;
    a.StartTriggeredFlows(22, lpWorld);
    ASSERT_EQ(FramesUntil(a, 1, 5), 2);
    EXPECT_NE(&a.FlowDefs(), lpShared);
    EXPECT_EQ(a.FlowDefs()[0].vCmd[1].vParam[8], 42);
    EXPECT_EQ(a.flows[0].cmds[1].cmd, &a.FlowDefs()[0].vCmd[1]);
    EXPECT_EQ(&b.FlowDefs(), lpShared);
    EXPECT_EQ(b.FlowDefs()[0].vCmd[1].vParam[8], 0);
    EXPECT_EQ(b.flows[0].cmds[1].cmd, &b.FlowDefs()[0].vCmd[1]);
    // A copy of a character with its own flows gets a copy of them.
    const cStageChara copy(a);
    EXPECT_NE(&copy.FlowDefs(), &a.FlowDefs());
    EXPECT_EQ(copy.FlowDefs()[0].vCmd[1].vParam[8], 42);
}

// 消滅 modes 2 and 4 reach the summoned characters' own summons; mode 4 also
// takes the items. Landing with the bottom edge at 131.0 raises Y by 4.
TEST_F(WholeFlowCommandRuns, VanishingWhatWasSummonedAndLanding) {
    cStageChara& parent = Chara({});
    cStageChara& child = Chara({});
    cStageChara& grandchild = Chara({});
    lpWorld->lstItem.emplace_back();
    lpWorld->lstItem.back().nId = 9;
    parent.vSummoned.push_back({SUMMONED_KIND_CHARA, child.nId});
    child.vSummoned.push_back({SUMMONED_KIND_CHARA, grandchild.nId});
    child.vSummoned.push_back({SUMMONED_KIND_ITEM, 9});
    Vanish(parent, Cmd(24, 0, {2, 0, 1}), lpWorld);
    EXPECT_EQ(child.bErase + grandchild.bErase + parent.bErase, 2);
    EXPECT_EQ(lpWorld->lstItem.back().bUsed, 0);
    child.bErase = grandchild.bErase = 0;
    Vanish(parent, Cmd(24, 0, {4, 0, 1}), lpWorld);
    EXPECT_EQ(child.bErase + grandchild.bErase, 2);
    EXPECT_EQ(lpWorld->lstItem.back().bUsed, 1);

    cChara c;
    c.y = 100;
    c.y2 = 131.0;
    c.OnLand(lpWorld);
    EXPECT_DOUBLE_EQ(c.y, 96);
}

// Hostile flow data runs without a crash or a hang and leaves log lines:
// flows that start themselves at once, items that take each other, key steps
// too short, parameters and indices past their lists, codes past the table.
TEST_F(WholeFlowSceneRuns, HostileFlowDataIsLoggedAndSurvived) {
    cPlayer& hero = Hero();
    PlayStage.vItem.resize(2);
    PlayStage.vItem[0].vCmd = {Cmd(10, 0, {1, 1}, true)};
    PlayStage.vItem[1].vCmd = {Cmd(10, 0, {1, 0}, true)};
    cFlow keyed = Flow(0, {Cmd(1, 1, {})});
    keyed.vKeyCond.resize(1);
    keyed.vKeyCond[0].vKey.assign(3, 1);
    cFlowCmd bad = Cmd(0, 0, {});
    bad.nCode = 200;
    cStageChara& c = Chara({Flow(21, {Cmd(16, 0, {0, 0, 0, 0}, false, true)}),
                            Flow(21, {Cmd(16, 0, {0, 2, 5, 0}, false, true)}, 5), keyed,
                            Flow(0, {Cmd(25, 0, {1, 0}), Cmd(25, 0, {0, 999}), Cmd(24, 0, {0, 99, 1}),
                                     Cmd(28, 0, {-4}), bad, Cmd(19, 0, {}), Cmd(16, 0, {})})});
    c.StartTriggeredFlows(TRIGGER_BEFORE_START, lpWorld);
    for (int i = 0; i < 20; ++i) {
        c.ClearFlowFrameFlags();
        c.StartTriggeredFlows(0, lpWorld);
        c.Update(0, lpWorld);
    }
    EXPECT_EQ(hero.hp, 100);
    const std::string log = ErrorLog();
    for (const char* line : {"自分自身を開始", "アイテムの取得が", "キー条件の長さ", "パラメータが", "アイテム 999",
                             "キャラグループ 99", "アニメ -4", "コマンドコード 200"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
}
