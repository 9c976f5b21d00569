#include "actors/flow_exec.h"

ITEMCMDPROC ItemCmdProcTable[ITEM_CMD_NUM] = {};
