#pragma once
// The roles the front end and the play scene give to the save record's
// fields that carry no name of their own (the record numbers them only).
// One place, so that every reader and writer means the same field.
#include <cstdint>

#include "player/save_data.h"

// Challenge stages open to choose (1 after a clear): #29.
inline int32_t& StagesReached(cSaveData& d) { return d.nPairIndex; }
// Index of what a clear marks: the map page's clear flag in the story, the
// stage number in a challenge, 1 in free play: #11.
inline int32_t& ClearFlagIndex(cSaveData& d) { return d.nValue11; }
// A stage has been entered from a front-end scene: #23.
inline int32_t& InStageSwitch(cSaveData& d) { return d.nValue23; }
// The run is a challenge series (set by the challenge list, cleared by a
// start from a file): #15.
inline int32_t& ChallengeSwitch(cSaveData& d) { return d.nValue15; }
// The story saves itself to its slot: #31 (next to the slot, #30).
inline int32_t& AutoSaveSwitch(cSaveData& d) { return d.nValue31; }
// The ranking panel is shown in the world map and the challenge list: #33
// (next to the shown table, #34).
inline int32_t& RankDisplaySwitch(cSaveData& d) { return d.nValue33; }

// The stock of a run of game type g starts: unlimited when the project says
// so, else the project's start stock with one life already in use.
void SetStartStock(cSaveData& d, int g);
