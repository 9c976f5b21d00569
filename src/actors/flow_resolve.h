#pragma once
// Applying the pending arrangements of a runner to the command that starts.
#include "stage/flow_arrange.h"

class cChara;
class cFlowCmd;
class cPlayer;
class cWorldState;

// Applies every arrangement of `pending` to `cmd`, the operands read from
// the common variables, the stage variables of `world` (none when it is
// null) and the variables of `chara` (the character that runs the flow). The
// caller empties the list.
void ResolveFlowParams(cFlowCmd& cmd, cChara& chara, const PENDINGARRANGELIST& pending, const cWorldState* world);
// The same for an item-flow command with the player's pending list.
void ResolveItemFlowParams(cFlowCmd& cmd, cPlayer& player, const cWorldState* world);
