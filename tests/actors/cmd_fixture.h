#pragma once
// A small stage in play for the command tests: a world state with its eight
// character groups, hit level 1 (frame multiplier 6) and characters made
// from definition records; the scene's services are a fake that logs them.
#include <gtest/gtest.h>

#include "actors/actors_state.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/flow_run.h"
#include "database/global_objects.h"
#include "actors/item.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "stage/flow_cmd.h"
#include "support/fake_scene_services.h"
#include "world/world_state.h"

class CmdFixture : public ::testing::Test {
protected:
    CmdFixture() {
        ResetActorsState();
        PlayStage.SetHitLevel(1);
        world.vCharaBucket.resize(HIT_SIDE_NUM);
        world.ScrollX.nOuter = world.ScrollY.nOuter = 4000;
        world.ScrollX.nBaseMax = world.ScrollY.nBaseMax = 4000;
        world.ScrollX.nMax = world.ScrollY.nMax = 4000;
        world.ScrollX.KeepHoldLimits();
        world.ScrollY.KeepHoldLimits();
        world.ScrollX.nCells = world.ScrollY.nCells = 125;
        world.ScrollX.nPitchShift = 7;
        lpWorld = &world;
    }
    ~CmdFixture() override { ResetActorsState(); }

    // A stage character at (x, y) facing right (placed so) or left, in group `side`.
    cStageChara& AddChara(double x, double y, bool bRight, bool bFlying = true, int side = 1) {
        cCharaData rec;
        rec.byFacing = bRight ? 1 : 0;
        rec.byFlying = bFlying ? 1 : 0;
        rec.byForce = static_cast<uint8_t>(side);
        rec.bWholeCell = 1;
        rec.bFixedFacing = 0;
        cStageChara& c = world.lstStageChara.emplace_back();
        c.Setup(++nextId, rec, nullptr, x, y, 0);
        c.UpdateScreenRect();
        world.vCharaBucket[side].Add(&c, HITKIND_STAGECHARA);
        return c;
    }
    // A command of `code` with a default move setting and the given parameters.
    static cFlowCmd MakeCmd(int code, std::initializer_list<int32_t> params = {}) {
        cFlowCmd cmd;
        cmd.nCode = static_cast<uint8_t>(code);
        cEdMove::Create(cmd.spMove);
        cmd.vParam.assign(params.begin(), params.end());
        return cmd;
    }
    // Runs `cmd` on `c` from its start for `steps` steps (or until it ends); the steps run.
    int Run(cChara& c, const cFlowCmd& cmd, cFlowCmdRun& st, int total, int steps, double speed = 2.0) {
        st.cmd = &cmd;
        st.ClearWork();
        st.counter = total;
        st.speed = speed;
        int n = 0;
        while (n < steps) {
            ++n;
            if (RunFlowCmdFrame(c, flow, st, lpWorld)) break;
        }
        return n;
    }

    // The step of `st` on `c` in the fixture's flow.
    FLOWSTEP StepOf(cChara& c, cFlowCmdRun& st) { return {c, flow, st, &world, services}; }

    cWorldState world;
    cFakeSceneServices services;
    cFlowRun flow;  // the flow the commands run in
    int nextId = 0;
};
