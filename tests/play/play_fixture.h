#pragma once
// The base of the play and actor tests: the whole program's state as at
// start-up before and after each test, and a play scene over a small stage
// (20 × 15 blocks, hit level 1, outer sizes 32 × the stage size) with its
// scroll axes and an empty block grid.
#include <gtest/gtest.h>

#include <memory>

#include "database/global_objects.h"
#include "play/play_scene.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

class cPlayTest : public ::testing::Test {
protected:
    cPlayTest() {
        ResetPlayState();
        MakeStage(20, 15);
    }
    ~cPlayTest() override {
        m_lpScene.reset();
        ResetPlayState();
    }

    // A fresh scene over a stage of w × h blocks.
    void MakeStage(int32_t w, int32_t h) {
        PlayStage.nWidth = w;
        PlayStage.nHeight = h;
        PlayStage.nOuterX = 32 * w;
        PlayStage.nOuterY = 32 * h;
        PlayStage.dGravity = 1.0;
        PlayStage.SetHitLevel(1);
        m_lpScene = std::make_unique<cPlayScene>();
        SetCurrentPlayScene(m_lpScene.get());
        lpPlayScene->World.ScrollX.SetupX(PlayStage, 60);
        lpPlayScene->World.ScrollY.SetupY(PlayStage, 60);
        lpPlayScene->World.vCharaBucket.resize(HIT_SIDE_NUM);
        lpPlayScene->World.vAttackBucket.resize(HIT_SIDE_NUM);
        BlockGrid.assign(static_cast<size_t>(lpPlayScene->World.ScrollY.nCells) * lpPlayScene->World.ScrollX.nPitch,
                         cBlockCell());
        for (cBlockCell& c : BlockGrid) {
            c.wGraphic = 0;
            c.byHitKind = 0;
        }
        RebuildBlockHits();
    }

    std::unique_ptr<cPlayScene> m_lpScene;
};
