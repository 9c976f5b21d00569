#pragma once
// The actors' work areas (chara drawing and effects) emptied, then
// ResetWorldState: the actors layer and every layer below as at start-up (tests).
void ResetActorsState();
