#pragma once
// Checks of flow data before it runs: commands and key steps shorter than
// their tables ask for are padded with zeros, each with an error-log line, so
// that the executors and the key judge never read past their lists.
#include <cstdint>

#include "records/safe_container.h"

class cFlow;
class cFlowCmd;

// Pads the command's parameters to its code's count; false (logged) when the
// code is outside its table or parameters were missing.
bool CheckFlowCmd(cFlowCmd& cmd);
// The same for every command and key step of flows first..first+count-1.
void CheckFlows(cSafeVector<cFlow>& flows, int32_t first, int32_t count);
