#pragma once
// Applying the pending arrangements of a runner to the command that starts.
#include "stage/flow_arrange.h"

class cChara;
class cFlowCmd;
class cPlayer;

// Applies every arrangement of `pending` to `cmd`, the operands read from
// the common variables, the world state's stage variables and the variables
// of `chara` (the character that runs the flow). The caller empties the list.
void ResolveFlowParams(cFlowCmd& cmd, cChara& chara, const PENDINGARRANGELIST& pending);
// The same for an item-flow command with the player's pending list.
void ResolveItemFlowParams(cFlowCmd& cmd, cPlayer& player);
