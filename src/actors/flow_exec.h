#pragma once
// The executor tables of flow commands. A character-flow command runs through
// FlowCmdTable[code] once per sub-step while it is current; an item-flow
// command runs through ItemCmdProcTable[code] once, on the character that
// took the item. A null entry is a command that does nothing (a character
// command still lasts its length; an item command ends at once).
#include <cstdint>

#include "stage/code_table.h"

class cChara;
class cFlowCmd;
class cFlowRun;
class cFlowCmdRun;
class cWorldState;
class cSceneServices;

// The step a character-flow command runs in: the running character, its
// flow, the command state (the stored command is state.cmd), the world it
// plays in (null when there is none) and the scene's services.
struct FLOWSTEP {
    cChara& chara;
    cFlowRun& flow;
    cFlowCmdRun& state;
    cWorldState* world;
    cSceneServices& services;
};
// A character-flow executor.
using FLOWCMDPROC = void (*)(const FLOWSTEP& step);
// The step an item-flow command runs in: the character that took the item,
// the command (its arrangements already applied), the flow whose command made
// the character take the item (null for an item picked up), the world it
// plays in (null when there is none) and the scene's services.
struct ITEMSTEP {
    cChara& taker;
    const cFlowCmd& cmd;
    const cFlowRun* flow;
    cWorldState* world;
    cSceneServices& services;
};
// An item-flow executor: 1 when the command ended the stage, else 0.
using ITEMCMDPROC = int32_t (*)(const ITEMSTEP& step);

// What a character-flow command's run may touch besides its runner. A sub-step
// of play starts a character's step in the walk that updates it only while
// every command of every flow keeps to itself (cWalkFusion): an executor that
// starts reading or changing another object must say so here.
enum eCmdReach : uint8_t {
    CMDREACH_OTHERS = 0,  // may read or change other objects or the world
    // Changes only its runner (and makes shots and sword attacks); of other
    // objects it reads only their places, and a shot's aim refreshes its
    // target's screen rectangle (as the target's step start does while the
    // scroll stands still).
    CMDREACH_SELF,
};
// A row of the character-flow executor table. A row left out touches others.
struct FLOWCMDDEF {
    FLOWCMDPROC proc;
    eCmdReach reach;
};
// One row for each value of a command's code byte: the rows past the commands
// hold null, so that a step indexes the table without a range check.
constexpr int FLOW_CMD_PROC_SLOTS = 256;
extern FLOWCMDDEF FlowCmdTable[FLOW_CMD_PROC_SLOTS];
extern ITEMCMDPROC ItemCmdProcTable[ITEM_CMD_NUM];
