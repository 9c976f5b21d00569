#pragma once
// Whether two flows (or flow lists) hold the same stored values throughout:
// every field, condition, key step, command, setting and sub-flow. Characters
// whose flow lists are the same share one read-only copy.
#include <cstdint>

#include "records/safe_container.h"

class cFlow;

bool SameFlow(const cFlow& a, const cFlow& b);
bool SameFlowList(const cSafeVector<cFlow>& a, const cSafeVector<cFlow>& b);
// A hash of the list's shape (triggers, command codes, times, parameters):
// equal lists have equal hashes.
uint64_t FlowListHash(const cSafeVector<cFlow>& flows);
