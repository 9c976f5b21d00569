#include "actors/cmd/cmd_exec_b.h"
#include "stage/flow_cmd.h"

int32_t CmdParam(const cFlowCmd& cmd, int index) {
    return index >= 0 && index < static_cast<int>(cmd.vParam.size()) ? cmd.vParam.data()[index] : 0;
}
