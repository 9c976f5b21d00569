#pragma once
// Condition lists at play time: a combine mode, a latch and the conditions.
#include <cstdint>

#include "records/safe_container.h"
#include "stage/cond.h"

class cChara;

// The evaluator of one condition for a character (installed by the
// conditions code; without it every condition holds).
extern int32_t (*lpfnCondHolds)(const cEdCond& cond, cChara* lpChara);

// Mode 0: every condition holds (an empty list holds); 1: at least one
// holds (an empty list fails); other modes fail.
int32_t CheckCondList(int32_t mode, const cSafeVector<cEdCond>& conds, cChara* lpChara);
// An empty list holds; a latched list that held once holds from then on;
// else CheckCondList, and when it holds the list is marked as held.
int32_t CheckFlowCond(int32_t mode, int32_t bLatch, int32_t& bHeldOnce, const cSafeVector<cEdCond>& conds,
                      cChara* lpChara);
