#pragma once
// The actors' work areas (chara drawing and effects) emptied, no next stage
// asked for, then ResetWorldState: the actors layer and every layer below as
// at start-up (tests).
void ResetActorsState();
