#pragma once
// Key conditions: a flow's key sequence matched against the run-length key
// history of the input record its character answers to. Slot s of a step is
// direction pattern s (0..9) or button pattern s - 10 (10..18); a step
// stored with fewer slots reads the missing ones as ignored.
#include <array>
#include <cstdint>

#include "records/safe_container.h"
#include "stage/cmd_list.h"

class cInput;
class cChara;
class cFlowRun;
class cWorldState;
struct INPUTRUN;

// Where a key's history is read: run entry (0 newest .. 31) and the frames
// of that run seen from there.
struct KEYCURSOR {
    int32_t nEntry = 0;
    int32_t nFrames = 0;
};
using KEYCURSORS = std::array<KEYCURSOR, KEYSLOT_NUM>;

// The run list of slot s of `input`.
const INPUTRUN* KeyRuns(const cInput& input, int s);
// Every cursor at the present.
KEYCURSORS MakeKeyCursors(const cInput& input);
// Moves every cursor `by` frames (negative: into the past).
void ShiftKeyHistory(const cInput& input, KEYCURSORS& cur, int32_t by);
// One slot: wanted 1 pressed (hold within the step's limits, or any length
// of 1 frame or more), 2 released for 1 frame or more.
bool JudgeKeySlot(const INPUTRUN& entry, int32_t frames, const cEdCmdList& step, int wanted);
// One step at the cursors; the matched hold time goes to `hold` (mode 0 the
// shortest, 1 the longest, 2 the last). bLeft: the character faces left.
bool JudgeKeyStep(const cInput& input, const KEYCURSORS& cur, const cEdCmdList& step, bool bLeft, int32_t& hold);
// The whole sequence of `flow`, newest step first; the key order of `world`
// (null: strict).
bool JudgeKeySequence(const cChara& chara, cFlowRun& flow, int32_t interval, const cWorldState* world);
// A step against the keys held now only.
bool JudgeKeysNow(const cInput& input, const cEdCmdList& step, bool bLeft);
// The first direction pattern 0..9 held now; 0 when none (or no input).
int32_t FirstHeldDirection(const cInput* input);
