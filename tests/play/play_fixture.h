#pragma once
// The base of the play and actor tests: the whole program's state as at
// start-up before and after each test, and a play scene over the small test
// stage (test_stage.h) with its scroll axes and an empty block grid.
#include <gtest/gtest.h>

#include <memory>

#include "play/play_scene.h"
#include "test_stage.h"

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
        SetTestStage(w, h);
        m_lpScene = std::make_unique<cPlayScene>();
        SetCurrentPlayScene(m_lpScene.get());
        SetUpTestWorld(m_lpScene->World);
    }

    std::unique_ptr<cPlayScene> m_lpScene;
};
