#pragma once
// The small stage of the play and character tests: w × h blocks, hit level
// 1, outer sizes 32 × the stage size; over it a world's scroll axes, its
// side buckets and an empty block grid.
#include <cstddef>
#include <cstdint>

#include "database/global_objects.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"
#include "world/world_state.h"

// The stage settings of a w × h stage.
inline void SetTestStage(int32_t w, int32_t h) {
    PlayStage.nWidth = w;
    PlayStage.nHeight = h;
    PlayStage.nOuterX = 32 * w;
    PlayStage.nOuterY = 32 * h;
    PlayStage.dGravity = 1.0;
    PlayStage.SetHitLevel(1);
}

// The world's scroll axes over the stage, its eight character and attack
// buckets, and an empty block grid.
inline void SetUpTestWorld(cWorldState& world) {
    world.ScrollX.SetupX(PlayStage, 60);
    world.ScrollY.SetupY(PlayStage, 60);
    world.vCharaBucket.resize(HIT_SIDE_NUM);
    world.vAttackBucket.resize(HIT_SIDE_NUM);
    BlockGrid.assign(static_cast<size_t>(world.ScrollY.nCells) * world.ScrollX.nPitch, cBlockCell());
    for (cBlockCell& c : BlockGrid) {
        c.wGraphic = 0;
        c.byHitKind = 0;
    }
    RebuildBlockHits();
}
