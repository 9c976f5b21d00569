#pragma once
// Condition lists at play time: a combine mode, a latch and the conditions.
#include <cstdint>

#include "records/safe_container.h"
#include "stage/cond.h"

class cChara;

// An empty list holds; a latched list that held once holds from then on;
// else the list is judged (JudgeCondList), and when it holds the list is marked as held.
int32_t CheckFlowCond(int32_t mode, int32_t bLatch, int32_t& bHeldOnce, const cSafeVector<cEdCond>& conds,
                      cChara* lpChara);
