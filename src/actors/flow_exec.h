#pragma once
// The executor tables of flow commands. A character-flow command runs through
// FlowCmdProcTable[code] once per sub-step while it is current; an item-flow
// command runs through ItemCmdProcTable[code] once, on the character that
// took the item. A null entry is a command that does nothing (a character
// command still lasts its length; an item command ends at once).
#include <cstdint>

#include "stage/code_table.h"

class cChara;
class cFlowCmd;
class cFlowCmdRun;

// A character-flow executor: the running character and the command state
// (the stored command is state.cmd). The runner publishes the character, the
// flow and the state in the world state before the call.
using FLOWCMDPROC = void (*)(cChara& chara, cFlowCmdRun& state);
// An item-flow executor: the taking character and the command (its
// arrangements already applied); 1 when the command ended the stage, else 0.
using ITEMCMDPROC = int32_t (*)(cChara& taker, const cFlowCmd& cmd);

// One slot for each value of a command's code byte: the slots past the
// commands hold null, so that a step indexes the table without a range check.
constexpr int FLOW_CMD_PROC_SLOTS = 256;
extern FLOWCMDPROC FlowCmdProcTable[FLOW_CMD_PROC_SLOTS];
extern ITEMCMDPROC ItemCmdProcTable[ITEM_CMD_NUM];
