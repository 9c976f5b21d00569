#pragma once
// Conditions at run time: comparisons, the judges of single conditions and
// of condition lists, the latched condition list of a flow and the test of
// block conditions.
#include <cstdint>

#include "stage/cond.h"

class cChara;
class cEdCond;
class cFlowRun;
class cCondList;
class cWorldState;

// a `op` b: 0 =, 1 ≠, 2 ≥, 3 ≤, 4 >, 5 <, 6 b is 0 or divides |a|, 7 b is
// not 0 and does not divide |a|; other operators false.
bool CompareByOp(int32_t a, int32_t b, int32_t op);
// One condition for `chara` (null: the conditions on a character are false)
// in `world` (null: the stage variables' conditions are false).
bool JudgeCond(const cEdCond& cond, cChara* chara, cWorldState* world);
// Mode 0: every condition holds (an empty list holds); 1: at least one
// holds (an empty list fails); other modes fail.
bool JudgeCondList(int32_t mode, const cCondVector& conds, cChara* chara, cWorldState* world);
// A command's condition list: holds when it is absent or switched off.
bool JudgeCmdCondList(const cCondList* list, cChara* chara, cWorldState* world);
// The condition list of a flow: an empty list holds; a latched list that
// held once holds from then on.
bool JudgeFlowCondList(cChara& chara, cFlowRun& flow, cWorldState* world);
// Installs the block-condition test (conditions judged for the hero, with
// the block's latch) in the stage records and the block grid.
void InstallCondTests();
