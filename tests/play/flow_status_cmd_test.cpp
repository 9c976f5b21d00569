// Flow-control, game, status and code commands run on characters of a small
// play scene.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/next_stage.h"
#include "actors/cmd/status_ops.h"
#include "actors/damage.h"
#include "database/world_map.h"
#include "platform/system/log.h"
#include "play/message/message.h"
#include "play/play_fixture.h"
#include "play/play_services.h"
#include "player/player_records.h"
#include "records/crt_rand.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "support/temp_dir.h"
#include "world/scene_services.h"

namespace {

// What the play scene showed while the game thread waited.
struct WAITSEEN {
    int nCalls = 0, nFrames = -1, bButton = -1, nDelay = -1, nWaitEntries = 0;
};
WAITSEEN Seen;

// Records the wait instead of holding the game thread.
class cRecordWait : public cPlayServices {
public:
    using cPlayServices::cPlayServices;
    void PauseWait() override;
};

void cRecordWait::PauseWait() {
    ++Seen.nCalls;
    Seen.nFrames = lpPlayScene->nWaitFrames;
    Seen.bButton = lpPlayScene->bWaitButton;
    Seen.nDelay = lpPlayScene->nWaitDelay;
    for (const auto& m : lpPlayScene->lstStageWork)
        if (m->nKind == MESSAGE_WAIT && m->nFramesLeft == Seen.nFrames) ++Seen.nWaitEntries;
}

class FlowStatusAndGameCommands : public cPlayTest {
protected:
    FlowStatusAndGameCommands() {
        ECInit(1, m_Ec.c_str());
        Seen = WAITSEEN();
        m_lpPrevServices = SetSceneServices(&m_RecordWait);
        lpWorld->vStageVars.assign(STAGE_VAR_NUM, 0);
        for (cChara* c : {&me, &other}) {
            c->vars.assign(CHARA_VAR_NUM, 0);
            c->data.nMaxHP = 100;
            c->hp = 50;
            c->nKind = 1;
        }
    }
    ~FlowStatusAndGameCommands() override { SetSceneServices(m_lpPrevServices); }

    cFlowCmd& Cmd(std::initializer_list<int32_t> params, const std::string& text = "") {
        cmd.vParam.assign(params.begin(), params.end());
        cmd.strText = text;
        state.cmd = &cmd;
        return cmd;
    }
    // ステータスの操作 on `object` row `row` with operator op and a constant.
    void Op(int32_t object, int32_t row, int32_t op, int32_t constant) {
        Status({0, 0, 0, object, row, op, 0, constant});
    }
    void Status(std::initializer_list<int32_t> params) {
        Cmd(params);
        Exec(StatusOperationProc);
    }
    // Runs executor `proc` on me with the command state, in lpFlow (null: a
    // flow of no character).
    void Exec(FLOWCMDPROC proc, cFlowRun* lpFlow = nullptr) {
        proc(FLOWSTEP{me, lpFlow ? *lpFlow : flow, state, lpWorld, SceneServices()});
    }
    std::string ErrorLog() const {
        std::ifstream in(m_Ec);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // Flows with these IDs, bound to the character.
    static void GiveFlows(cChara& c, std::initializer_list<int> ids) {
        cSafeVector<cFlow>& defs = c.OwnFlowDefs();
        defs.resize(ids.size());
        int i = 0;
        for (int id : ids) {
            defs[i].nFlowID = static_cast<uint8_t>(id);
            defs[i].vCmd.resize(1);
            ++i;
        }
        c.flows.resize(ids.size());
        c.RebindFlows();
        for (int k = 0; k < static_cast<int>(c.flows.size()); ++k) c.flows[k].uid = k + 1;
    }

    cTempDir m_Dir;
    std::string m_Ec = m_Dir.File("EC_Game.txt");
    cRecordWait m_RecordWait{*lpPlayScene};
    cSceneServices* m_lpPrevServices = nullptr;
    cChara me, other;
    cFlowCmd cmd;
    cFlowCmdRun state;
    cFlowRun flow;
};

TEST_F(FlowStatusAndGameCommands, AGameWaitOfTenHoldsSixtyFramesWhileItsWaitEntryIsShown) {
    Cmd({10});
    Exec(GameWaitProc);
    EXPECT_EQ(Seen.nCalls, 1);
    EXPECT_EQ(Seen.nFrames, 60);
    EXPECT_EQ(Seen.bButton, 0);
    EXPECT_EQ(Seen.nDelay, 0);
    EXPECT_EQ(Seen.nWaitEntries, 1);
    EXPECT_TRUE(lpPlayScene->lstStageWork.empty());

    // Without its parameter the command only logs.
    Cmd({});
    Exec(GameWaitProc);
    EXPECT_EQ(Seen.nCalls, 1);
    EXPECT_FALSE(ErrorLog().empty());
}

TEST_F(FlowStatusAndGameCommands, StatusOperatorsWorkInTheFieldsWidthAndClamp) {
    me.data.nBodyPower = 3;
    Op(0, 9, 6, 50);
    EXPECT_EQ(me.data.nBodyPower, 2);
    me.data.nBodyPower = -3;
    Op(0, 9, 6, 50);
    EXPECT_EQ(me.data.nBodyPower, -2);
    me.data.nBodyPower = 999999;
    Op(0, 9, 3, 1000);
    EXPECT_EQ(me.data.nBodyPower, 999999);
    Op(0, 9, 3, -1000);
    EXPECT_EQ(me.data.nBodyPower, -999999);
    // A product that wraps to the wrong sign takes the bound of the true sign.
    EXPECT_EQ(ApplyStatusOp32(0x40000000, 3, 2, -999999, 999999), 999999);
    EXPECT_EQ(ApplyStatusOp32(0x40000000, 3, -3, -999999, 999999), -999999);
    EXPECT_EQ(ApplyStatusOp8(100, 3, 2, -100, 100), 100);
    Op(0, 6, 0, 300);
    EXPECT_EQ(me.data.byZ, 7);
    Op(0, 10, 0, -25);
    EXPECT_EQ(static_cast<int8_t>(me.data.byBodyImpact), -20);
    Op(0, 11, 4, 0);  // division by 0 leaves the field
    EXPECT_EQ(me.data.nDefence, 0);

    // 最大HP below HP lowers HP; HP 0 on a target asks for the death check, on itself not.
    Op(0, 3, 0, 30);
    EXPECT_EQ(me.hp, 30);
    Op(0, 1, 0, 0);
    EXPECT_EQ(me.hp, 0);
    EXPECT_EQ(lpWorld->bDeathCheck, 0);
    me.SetTarget(0, &other);
    Op(1, 1, 2, 80);
    EXPECT_EQ(other.hp, 0);
    EXPECT_EQ(lpWorld->bDeathCheck, 1);
    me.SetTarget(0, nullptr);

    // Unlimited lives do not change; limited ones clamp to 99.
    SaveData.nLives = 999999;
    Op(5, 4, 2, 1);
    EXPECT_EQ(SaveData.nLives, 999999);
    SaveData.nLives = 3;
    Op(5, 4, 1, 500);
    EXPECT_EQ(SaveData.nLives, 99);
}

TEST_F(FlowStatusAndGameCommands, ARandomOperandWithBoundsFiveAndTwoYieldsTwoToFive) {
    std::set<int32_t> seen;
    for (int i = 0; i < 200; ++i) {
        Status({1, 1, 4, 0, 0, 0, 1, 0, 5, 2});
        seen.insert(lpWorld->vStageVars[4]);
    }
    EXPECT_EQ(seen, (std::set<int32_t>{2, 3, 4, 5}));
}

TEST_F(FlowStatusAndGameCommands, AVariableNumberPastTheVectorSkipsTheOperationWithALogLine) {
    Status({1, 1, STAGE_VAR_NUM, 0, 0, 0, 0, 9});
    EXPECT_NE(ErrorLog().find(std::to_string(STAGE_VAR_NUM)), std::string::npos);
    // An operand variable past the vector skips too: the character variable keeps its value.
    me.vars[2] = 4;
    Status({0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0, 5000});
    EXPECT_EQ(me.vars[2], 4);
    Status({0, 0, 12, 0, 0, 0, 0, 9});
    EXPECT_NE(ErrorLog().find("12"), std::string::npos);
    EXPECT_EQ(lpPlayScene->bQuit.load(), 0);
}

TEST_F(FlowStatusAndGameCommands, FlowOperationsByScopeAndId) {
    GiveFlows(me, {7, 7, 3});
    Cmd({0, 2, 7, 0});  // start the flows of ID 7
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(me.flows[0].running + me.flows[1].running + me.flows[2].running, 2);
    EXPECT_EQ(me.flows[1].changedThisFrame, 1);

    me.flows[1].cmds[0].counter = 5;
    Cmd({2, 1, 0, 0});  // pause every other flow
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(me.flows[0].paused, 0);
    EXPECT_EQ(me.flows[1].paused, 1);
    EXPECT_EQ(me.flows[2].paused, 1);
    Cmd({3, 1, 0, 0});
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(me.flows[1].paused, 0);
    EXPECT_EQ(me.flows[1].cmds[0].counter, 5);
    EXPECT_EQ(me.flows[1].running, 1);

    Cmd({1, 0, 0, 0});  // end this flow
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(me.flows[0].running, 0);
    Cmd({1, 2, 0, 0});  // ID 0 matches nothing
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(me.flows[1].running, 1);

    // Target slot 1: empty does nothing; then its flow of ID 3 stops for good.
    GiveFlows(other, {3});
    other.flows[0].running = 1;
    Cmd({5, 2, 3, 1});
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(other.flows[0].halted, 0);
    me.SetTarget(0, &other);
    Exec(FlowOperationProc, &me.flows[0]);
    EXPECT_EQ(other.flows[0].halted, 1);
    EXPECT_EQ(me.flows[2].halted, 0);
    me.SetTarget(0, nullptr);
}

TEST_F(FlowStatusAndGameCommands, StageClearRequestsTheNextStage) {
    // The second stage of a series: the save record keeps the series' base name.
    SaveData.strStage = "data/stg4/castle.";
    PlayStage.strFileName = "data/stg4/castle-2.stg4";
    Cmd({0});
    Exec(StageClearProc);
    EXPECT_EQ(lpWorld->nStageEnd, 1);
    EXPECT_EQ(lpWorld->nNextStage, 3);

    WorldMap.nWidth = 5;
    WorldMap.nHeight = 4;
    Cmd({2, 0, 1, 99, 99, 1, 6, 7, 1}, "tower.stg4_");
    for (int i = 0; i < 2; ++i) {
        Exec(StageClearProc);
        EXPECT_EQ(lpWorld->strNextStageFile, "tower.");
        EXPECT_EQ(cmd.strText, "tower.");
    }
    EXPECT_EQ(lpWorld->nNextStage, 2);
    EXPECT_EQ(NextStageStart.nMapX, 4);
    EXPECT_EQ(NextStageStart.nMapY, 3);
    EXPECT_EQ(NextStageStart.bOverride, 1);
    EXPECT_EQ(NextStageStart.nStartX, 6);
    EXPECT_EQ(NextStageStart.nFacing, 1);
}

TEST_F(FlowStatusAndGameCommands, TheCodeCommandChangesMyHpWithinItsMaximum) {
    Cmd({}, "my.hp = my.hp + 70 C5 = 7 S3 = C5");
    Exec(RunCodeProc);
    EXPECT_EQ(me.hp, 100);
    EXPECT_GT(me.hpGauge.nTimer, 0);
    EXPECT_EQ(SaveData.vVar[5], 7);
    EXPECT_EQ(lpWorld->vStageVars[3], 0);  // C5 was read before the text ran

    EXPECT_EQ(RunCode(me, Cmd({}, "tg.hp = 1"), lpWorld, SceneServices()), 0);  // no first target: fails silently
    me.SetTarget(0, &other);
    EXPECT_EQ(RunCode(me, Cmd({}, "tg.hp = 0"), lpWorld, SceneServices()), 1);
    EXPECT_EQ(other.hp, 0);
    EXPECT_EQ(lpWorld->bDeathCheck, 1);
    // A status through sys. fails silently.
    EXPECT_EQ(RunCode(me, Cmd({}, "my.v2 = sys.hp"), lpWorld, SceneServices()), 0);
    EXPECT_EQ(me.vars[2], 0);
    me.SetTarget(0, nullptr);
}

}  // namespace
