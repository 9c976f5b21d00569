#pragma once
// Set-up of a character's flows: loop unrolling, command lengths, the
// preparation of moves and jumps, and the animation schedule.
#include <cstdint>

#include "records/safe_container.h"

class cFlowCmd;

// The loop and arrange commands in item numbering.
constexpr int32_t ITEMCMD_ARRANGE = 23;
constexpr int32_t ITEMCMD_LOOP = 24;
// The most commands one flow holds once its loops are unrolled.
constexpr int64_t MAX_FLOW_CMDS = 65536;
// Trigger codes the runner treats apart.
enum : int32_t { TRIGGER_ALWAYS = 0, TRIGGER_DEATH = 3, TRIGGER_BEFORE_START = 21 };

// Logic sub-steps per frame of the stage in play (at least 1).
int32_t SubStepFactor();
// Unrolls the first loop command of `cmds`: the `span` (parameter 1)
// commands after it stand `repeat` (parameter 0) times, the loop command
// goes. 0 when the list holds no loop command.
int32_t ExpandLoopCmds(cSafeVector<cFlowCmd>& cmds);
// The starting vertical speed (dots per sub-step, negative = up) of a jump
// `height16` × 16 dots high under the stage's gravity; 0 without gravity.
double CalcJumpSpeed(int32_t height16);
