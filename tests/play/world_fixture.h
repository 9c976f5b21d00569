#pragma once
// The base of the character tests that need a world but no play scene: the
// whole program's state as at start-up before and after each test, a world
// state over the small test stage (test_stage.h) published in lpWorld, and
// the fake scene services that log what the characters ask of the scene.
#include <gtest/gtest.h>

#include "play/play_scene.h"
#include "support/fake_scene_services.h"
#include "test_stage.h"

// Resets the program's state before the fixture's members are made and
// after they are gone.
struct cPlayStateReset {
    cPlayStateReset() { ResetPlayState(); }
    ~cPlayStateReset() { ResetPlayState(); }
};

class cWorldTest : public ::testing::Test, private cPlayStateReset {
protected:
    cWorldTest() {
        SetTestStage(20, 15);
        lpWorld = &m_World;
        SetUpTestWorld(m_World);
    }
    ~cWorldTest() override { lpWorld = nullptr; }

    cWorldState m_World;            // first: the services go before it
    cFakeSceneServices m_Services;  // installed for the fixture's lifetime
};
