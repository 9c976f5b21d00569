#pragma once
// Arrangements: the arrange command queues five values (kind, number,
// operation, operand source, variable number); when the next other command of
// its runner starts, every queued arrangement that names that command's kind
// changes the named number, with the operand taken from a common, stage or
// character variable, within the number's range. Also the input-direction
// codes of shots, summons and a character's direction.
#include <cstdint>
#include <span>

#include "records/safe_container.h"

class cFlowCmd;

// One queued arrangement: kind, number index, operation, source, variable.
using PENDINGARRANGE = cSafeVector<int32_t>;
// The arrangements of a runner, in the order the arrange commands ran.
using PENDINGARRANGELIST = cSafeList<PENDINGARRANGE>;

// Operations (the arrangement's third value).
enum : int32_t {
    ARRANGE_SET = 0, ARRANGE_ADD = 1, ARRANGE_SUB = 2, ARRANGE_MUL = 3, ARRANGE_DIV = 4, ARRANGE_MOD = 5,
    ARRANGE_PERCENT = 6,
};
// Operand sources (the fourth value).
enum : int32_t { ARRANGE_COMMON_VAR = 0, ARRANGE_STAGE_VAR = 1, ARRANGE_CHARA_VAR = 2 };

// What an arrangement may read besides the command.
struct ARRANGECONTEXT {
    std::span<const int32_t> vCommonVar;  // common variables (number 0 is never an operand)
    std::span<const int32_t> vStageVar;   // stage variables of the play scene (likewise)
    std::span<const int32_t> vCharaVar;   // variables of the character that runs the flow
    int nCharaBitmapNum = 0;              // the database's number of character bitmaps
};

// Applies one arrangement to cmd (nothing when it names another kind, a kind
// without arrangeable numbers, or a variable out of range). An entry of fewer
// than five values is ignored.
void ApplyFlowArrangement(cFlowCmd& cmd, std::span<const int32_t> e, const ARRANGECONTEXT& ctx);
// Applies every arrangement of the list in order; the caller empties it.
void ApplyFlowArrangements(cFlowCmd& cmd, const PENDINGARRANGELIST& pending, const ARRANGECONTEXT& ctx);

// The arithmetic of one arrangement: value `op` operand, clamped to
// [nMin, nMax]. Exposed for the tests of its edge cases.
int32_t ArrangeValue(int32_t value, int32_t op, int32_t operand, int32_t nMin, int32_t nMax);

// Replay playback of data older than 780 reads recorded input directions
// with the rule of that version; set when playback starts (bPlayback 0 ends it).
void SetInputDirPlayback(int bPlayback, uint32_t nReplayVersion);
// The direction code (DirectionList) of input-direction index 0..9 recorded
// by the running flow: `flag` chooses between the two rules, `facing`
// nonzero makes the default "右", else "左".
int GetInputDirCode(int index, int flag, int facing);
