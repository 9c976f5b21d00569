#pragma once
// Stages built in code and set up with SetStage: a hero, stage characters
// with flows, blocks, and the records they use; the play-wide state the set-up
// and the frames touch goes back to its start after each test.
#include <string>
#include <vector>

#include "actors/cmd/next_stage.h"
#include "database/global_objects.h"
#include "platform/input/input.h"
#include "play/play_fixture.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"
#include "scene/window_requests.h"
#include "stage/flow.h"

namespace stagetest {

class cStageSetupTest : public cPlayTest {
protected:
    cStageSetupTest() {
        PlayStage.nFps = 60;
        // A hero of one cell, standing on the cell's floor.
        PlayStage.nHeroBodyAW = PlayStage.nHeroBodyAH = 32;
        PlayStage.bHeroBodyAAlign = 1;
    }

    // The stage's hero at cell (x, y).
    static cCharaData& PlaceHero(int x, int y) {
        cCharaData hero;
        hero.wGraphic = 1;
        hero.byController = 0;
        hero.byForce = 0;
        hero.nMaxHP = 10;
        hero.wCellX = static_cast<uint16_t>(x);
        hero.wCellY = static_cast<uint16_t>(y);
        PlayStage.vPlacedChara.push_back(hero);
        return PlayStage.vPlacedChara.back();
    }
    // A computer character at cell (x, y) with these flows; it flies, so it
    // stays where it is put.
    static cCharaData Enemy(int x, int y, std::vector<cFlow> flows) {
        cCharaData c;
        c.wGraphic = 1;
        c.byController = 1;
        c.byForce = 1;
        c.byFlying = 1;
        c.nItem = -1;
        c.wCellX = static_cast<uint16_t>(x);
        c.wCellY = static_cast<uint16_t>(y);
        c.vFlow.assign(flows.begin(), flows.end());
        return c;
    }
    static cFlowCmd Cmd(int code, int time, std::string text = {}) {
        cFlowCmd c;
        c.nCode = static_cast<uint8_t>(code);
        c.nTime = static_cast<int16_t>(time);
        c.strText = std::move(text);
        return c;
    }
    static cFlow Flow(int trigger, std::vector<cFlowCmd> cmds) {
        cFlow f;
        f.nTrigger = static_cast<uint8_t>(trigger);
        f.vCmd.assign(cmds.begin(), cmds.end());
        return f;
    }
    // A before-start flow (trigger 21) that runs code text `code` at once.
    static cFlow BeforeStart(const char* code) {
        cFlowCmd c = Cmd(37, 0, code);
        c.bNoWait = 1;
        return Flow(21, {c});
    }
    // Condition: common variable `var` equals `value`.
    static cEdCond CommonVarIs(int var, int value) {
        cEdCond c;
        c.nKind = 1;
        c.nVarNum = static_cast<int16_t>(var);
        c.nValue = value;
        c.nCompare = 0;
        return c;
    }
    // A solid block at cell (x, y).
    static cBlockData& PlaceBlock(int x, int y) {
        cBlockData b;
        b.wGraphic = 1;
        b.byHitKind = 1;
        b.wCellX = static_cast<uint16_t>(x);
        b.wCellY = static_cast<uint16_t>(y);
        PlayStage.vPlacedBlock.push_back(b);
        return PlayStage.vPlacedBlock.back();
    }
    // n frames of play.
    void Frames(int n) {
        for (int i = 0; i < n; ++i) m_lpScene->Play();
    }
};

}  // namespace stagetest
