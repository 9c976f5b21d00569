#pragma once
// The roles the front end and the play scene give to the save record's
// fields that carry no name of their own (the record numbers them only).
// One place, so that every reader and writer means the same field:
//
//   in-stage switch          #11        nValue11
//   clear-flag index         #12        nStageNo (story: the page's clear flag; challenge: the stage; free: 1)
//   challenge switch         #15        nValue15 (the series flag)
//   ranking display switch   #24        nValue24
//   autosave switch          #25        nValue25
//   stages reached           #29        nPairIndex (challenge stages open to choose)
#include <cstdint>

#include "player/save_data.h"

inline int32_t& InStageSwitch(cSaveData& d) { return d.nValue11; }
inline int32_t& ClearFlagIndex(cSaveData& d) { return d.nStageNo; }
inline int32_t& ChallengeSwitch(cSaveData& d) { return d.nValue15; }
inline int32_t& RankDisplaySwitch(cSaveData& d) { return d.nValue24; }
inline int32_t& AutoSaveSwitch(cSaveData& d) { return d.nValue25; }
inline int32_t& StagesReached(cSaveData& d) { return d.nPairIndex; }

// The stock of a run of game type g starts: unlimited when the project says
// so, else the project's start stock with one life already in use.
void SetStartStock(cSaveData& d, int g);
