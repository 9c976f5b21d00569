#pragma once
// A world state with a hero, stage characters built from records, and
// executor tables that the tests fill with recording executors; the scene's
// services are a fake that logs them.
#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "actors/actors_state.h"
#include "actors/flow_exec.h"
#include "actors/item.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "stage/flow.h"
#include "support/fake_scene_services.h"
#include "world/block_grid.h"
#include "world/world_state.h"

class cFlowTest : public ::testing::Test {
public:
    cFlowTest() {
        ResetActorsState();
        std::copy(std::begin(FlowCmdTable), std::end(FlowCmdTable), m_SavedFlow);
        std::copy(std::begin(ItemCmdProcTable), std::end(ItemCmdProcTable), m_SavedItem);
        PlayStage.nSteps = 1;
        m_Scene = std::make_unique<cWorldState>();
        lpWorld = m_Scene.get();
        Log().clear();
    }
    ~cFlowTest() override {
        std::copy(std::begin(m_SavedFlow), std::end(m_SavedFlow), FlowCmdTable);
        std::copy(std::begin(m_SavedItem), std::end(m_SavedItem), ItemCmdProcTable);
        ResetActorsState();
        m_Scene.reset();
    }

    // Executor calls: flow index × 100 + command index.
    static std::vector<int>& Log() {
        static std::vector<int> log;
        return log;
    }
    static void Record(const FLOWSTEP& step) {
        Log().push_back(step.flow.index * 100 + static_cast<int>(&step.state - step.flow.cmds.data()));
    }

    static cFlowCmd Cmd(int code, int time = 0, bool bNoWait = false, std::vector<int32_t> params = {}) {
        cFlowCmd c;
        c.nCode = static_cast<uint8_t>(code);
        c.nTime = static_cast<int16_t>(time);
        c.bNoWait = bNoWait ? 1 : 0;
        c.vParam.assign(params.begin(), params.end());
        return c;
    }
    static cFlow Flow(int trigger, std::vector<cFlowCmd> cmds, int group = 0, int id = 0) {
        cFlow f;
        f.nTrigger = static_cast<uint8_t>(trigger);
        f.nGroup = static_cast<uint8_t>(group);
        f.nFlowID = static_cast<uint8_t>(id);
        f.vCmd.assign(cmds.begin(), cmds.end());
        return f;
    }
    // A stage character of the record with these flows.
    cStageChara& Chara(std::vector<cFlow> flows) {
        cCharaData rec;
        rec.vFlow.assign(flows.begin(), flows.end());
        m_Scene->lstStageChara.emplace_back();
        m_Scene->lstStageChara.back().Setup(static_cast<int32_t>(m_Scene->lstStageChara.size()), rec, nullptr, 0, 0, 0);
        return m_Scene->lstStageChara.back();
    }
    cPlayer& Hero(std::vector<cFlow> flows = {}) {
        cCharaData rec;
        rec.byController = 0;
        rec.vFlow.assign(flows.begin(), flows.end());
        const int32_t rect[4] = {0, 0, 31, 31};
        m_Scene->vPlayer.resize(1);
        m_Scene->vPlayer[0].Setup(100, 0, rec, rect, 0, 0, lpWorld);
        return m_Scene->vPlayer[0];
    }
    // One frame of a character: the frame flags, trigger 0, its flows.
    static void Frame(cChara& c) {
        c.ClearFlowFrameFlags();
        c.StartTriggeredFlows(0, lpWorld);
        c.Update(0, lpWorld);
    }

    cFakeSceneServices m_Services;
    std::unique_ptr<cWorldState> m_Scene;

private:
    FLOWCMDDEF m_SavedFlow[FLOW_CMD_PROC_SLOTS] = {};
    ITEMCMDPROC m_SavedItem[ITEM_CMD_NUM] = {};
};
