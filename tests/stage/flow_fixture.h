#pragma once
// Shared set-up of the flow record tests: the stage layer back to its
// start-up state, and a rich sample flow.
#include <gtest/gtest.h>

#include <vector>

#include "records/data_stream.h"
#include "records/version.h"
#include "stage/flow.h"
#include "stage/flow_refs.h"
#include "stage/stage_fixture.h"

class FlowTest : public cStageTest {};

// A flow of every part: conditions, key steps, commands with move, shot and
// condition settings, text, parameters and a sub-flow.
cFlow MakeSampleFlow();

// The stream of a record saved at the current version.
template <class T>
std::vector<uint8_t> SaveBytes(T& rec) {
    cDataWriter w;
    rec.Save(w);
    return w.TakeBytes();
}

// A command of a code with its table's parameter count (values 1, 2, 3, ...).
cFlowCmd MakeCmd(int numbering, int code, std::vector<int32_t> params = {});
