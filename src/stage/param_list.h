#pragma once
// The parameters of a flow command: int32 values that the list keeps inside
// itself up to INLINE_NUM of them, so that most commands of a stage (by the
// hundred thousand) take no allocation of their own. Five: no command code
// takes six or seven, so a sixth place would hold nothing.
#include <cstdint>

#include "records/inline_list.h"

using cParamList = cInlineList<int32_t, 5>;
