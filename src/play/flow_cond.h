#pragma once
// Condition lists at play time: a combine mode, a latch and the conditions.
#include <cstdint>

#include "records/safe_container.h"
#include "stage/cond.h"

class cChara;
class cDefinition;

// A definition's conditions: an empty list holds; a latched list that held
// once holds from then on; else the list is judged (JudgeCondList), and when
// it holds the list is marked as held. The combine mode and the latch are
// read only for a list with conditions.
int32_t CheckFlowCond(const cDefinition& def, int32_t& bHeldOnce, cChara* lpChara);
