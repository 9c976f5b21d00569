#pragma once
// Stages built in code and played in this process without a window: the
// sample game's database, system settings and common palette, a stage made
// with the sample kit, the real stage set-up and frames of play with the keys
// a test holds. Flows that count their starts in stage variables show which
// triggers a run started.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "play/play_scene.h"
#include "sample_game/stages/stage_kit.h"

class cBuiltStageTest : public ::testing::Test {
protected:
    cBuiltStageTest();
    ~cBuiltStageTest() override;

    // PlayStage built by `build` over a kit of w × h blocks (hit level 1),
    // then the stage set-up of a first start.
    void Start(int w, int h, const std::function<void(sample::cStageKit&, cStageData&)>& build);
    // `stage` as PlayStage, then the same set-up.
    void Start(const cStageData& stage);
    // n frames of play holding the direction bits `dir` and the button bits.
    void Frames(int n, uint16_t dir = 0, uint16_t buttons = 0);
    // A button pressed for two frames, then n frames without keys.
    void Press(uint16_t buttons, int n);

    // A flow of `trigger` (and flow id `id`) that adds 1 to stage variable `var`.
    static cFlow Counter(int trigger, int var, int id = 0);
    int32_t Var(int var) const;

    cPlayScene& Scene() { return *m_lpScene; }
    cPlayer& Hero() { return *m_lpScene->World.Hero(); }
    // The stage character placed on cell (col, row) that is still in the stage, or null.
    cStageChara* Placed(int col, int row);

    // Button bits of the sample hero's keys.
    static constexpr uint16_t BUTTON_SWORD = 2;  // X
    static constexpr uint16_t BUTTON_SHOT = 4;   // C

private:
    std::unique_ptr<cPlayScene> m_lpScene;
};
