#pragma once
// The flow definitions a character runs, shared read-only between the
// characters whose flows are the same (thousands of placed copies of one
// enemy run one list instead of a copy each). A character that writes its
// flows (flows added or removed in play, arrangements applied to a command)
// takes a copy of its own first.
#include <memory>

#include "records/safe_container.h"
#include "stage/flow.h"

using FLOWDEFS = std::shared_ptr<const cSafeVector<cFlow>>;

// A shared list with the same flows as `flows`: one that characters already
// share, else `flows` itself, from now on shared.
FLOWDEFS ShareFlowDefs(cSafeVector<cFlow>&& flows);
