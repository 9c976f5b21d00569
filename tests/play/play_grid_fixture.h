#pragma once
// A play scene over a small empty block grid of 32 × 32 cells (row pitch
// 32), one logic step per frame, for collision and frame tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "platform/system/timer.h"
#include "play/play_scene.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

// 64-bit FNV-1a of a text: a record of what a run of play left.
inline uint64_t Digest(const std::string& s) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

class PlayGridTest : public ::testing::Test {
protected:
    PlayGridTest() {
        ResetPlayState();
        SetCurrentPlayScene(&scene);
        for (cScrollAxis* a : {&scene.World.ScrollX, &scene.World.ScrollY}) {
            a->nPitch = a->nCells = 32;
            a->nOuter = a->nBaseMax = a->nMax = 1024;
            a->nView = 640;
            a->KeepHoldLimits();
        }
        scene.World.ScrollX.nPitchShift = 5;
        BlockGrid.resize(32 * 32);
        for (cBlockCell& c : BlockGrid) c.byHitKind = 0;
        RebuildBlockHits();
        PlayStage.dSteps = 1;
        PlayStage.nSteps = 1;
    }
    ~PlayGridTest() override { ResetPlayState(); }
    static void Cell(int col, int row, int kind) {
        cBlockCell& c = BlockGrid[(row << 5) + col];
        c.byHitKind = static_cast<uint8_t>(kind);
        c.wGraphic = kind != 0 ? 1 : 0;  // the empty graphic never hits
        SyncBlockHit((row << 5) + col);
    }
    // A character with its hit rectangle at (x, y), w × h.
    template <class T>
    static void Place(T& c, int id, double x, double y, int w, int h) {
        c.nId = id;
        c.nKind = std::is_same_v<T, cPlayer> ? 0 : 1;
        c.nKind3 = c.nKind;
        c.nHitW = w;
        c.nHitH = h;
        c.x = x, c.y = y, c.x2 = x + w - 1, c.y2 = y + h - 1;
        c.nColL = static_cast<int>(x) >> 5, c.nColR = static_cast<int>(c.x2) >> 5;
        c.nRowT = static_cast<int>(y) >> 5, c.nRowB = static_cast<int>(c.y2) >> 5;
        c.SaveRect();
    }
    cStageChara& AddBlockChara(int id, double x, double y, int w, int h) {
        cStageChara& bc = scene.World.lstStageChara.emplace_back();
        Place(bc, id, x, y, w, h);
        bc.byBlockChara = 1;
        bc.bActive = 1;
        scene.BlockCharas.Add(&bc);
        return bc;
    }

    cPlayScene scene;
};
