#pragma once
// The parameters of a flow command: int32 values that the list keeps inside
// itself up to INLINE_NUM of them, so that most commands of a stage (by the
// hundred thousand) take no allocation of their own. Five: no command code
// takes six or seven, so a sixth place would hold nothing. The heap pointer
// is packed: the list of five lies in 28 bytes, on a 4-byte boundary, and the
// command places it first, where its pointer falls on an 8-byte boundary.
#include <cstdint>

#include "records/inline_list.h"

using cParamList = cInlineList<int32_t, 5, true>;
