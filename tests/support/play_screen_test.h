#pragma once
// The base of the tests that draw the play screen: the graphics layer and
// logs of cDDTest, and the program's state as at start-up (ResetPlayState)
// before each test, after it, and wherever a test starts over.
#include <memory>

#include "platform/graphics/dd_test_support.h"
#include "play/play_scene.h"

class cPlayScreenTest : public ddtest::cDDTest {
protected:
    cPlayScreenTest() { ResetPlayState(); }
    void TearDown() override {
        StartOver();
        cDDTest::TearDown();
    }
    // The test's scene released, then the play layer and every layer below
    // as at start-up (no graphics, no logs).
    void StartOver() {
        scene.reset();
        ResetPlayState();
    }

    std::unique_ptr<cPlayScene> scene;
};
