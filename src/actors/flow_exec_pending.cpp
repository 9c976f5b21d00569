#include "actors/flow_exec.h"

FLOWCMDPROC FlowCmdProcTable[CHARA_CMD_NUM] = {};
ITEMCMDPROC ItemCmdProcTable[ITEM_CMD_NUM] = {};
