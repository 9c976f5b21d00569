#pragma once
// The base of the stage tests: every test starts and ends with the stage and
// record layers as at start-up. The reset runs in the constructor and the
// destructor, so before the fixture's members (service spies) are made and
// after they are gone.
#include <gtest/gtest.h>

#include "stage/stage_state.h"

class cStageTest : public ::testing::Test {
protected:
    cStageTest() { ResetStageState(); }
    ~cStageTest() override { ResetStageState(); }
};
