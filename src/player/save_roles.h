#pragma once
// The front end's names for the fields of the live save record that the
// title, challenge and story screens and the play scene share. The record
// stores them among its numbered fields; this table is the one place that
// says which is which:
//
//   map cell (x, y)          #2, #3     nMapX, nMapY
//   current page             #4         lpWorld (event index << 16 | page index, + 1; 0 none)
//   in-stage switch          #11        nValue11
//   clear-flag index         #12        nStageNo (story: the page's clear flag; challenge: the stage; free: 1)
//   stock start, remaining   #13, #14   nLivesInit, nLives
//   challenge switch         #15        nValue15 (the series flag)
//   total value              #17        nBestTotal
//   facing                   #23        nValue23 (0 down, 1 up, 2 left, 3 right)
//   ranking display switch   #24        nValue24 (files older than 166: 1, rankings shown)
//   autosave switch          #25        nValue25
//   step-back switch         #26        nValue26 (set when a stage is left unfinished)
//   previous map cell (x, y) #27, #28   nValue27[0], nValue27[1]
//   stages reached           #29        nPairIndex (challenge stages open to choose)
//   story slot               #30        nStorySlot
//   shown ranking table      #34        nRankTable
#include <cstdint>

#include "player/save_data.h"

class cWorldPage;

inline int32_t& InStageSwitch(cSaveData& d) { return d.nValue11; }
inline int32_t& ClearFlagIndex(cSaveData& d) { return d.nStageNo; }
inline int32_t& ChallengeSwitch(cSaveData& d) { return d.nValue15; }
inline int32_t& MapFacing(cSaveData& d) { return d.nValue23; }
inline int32_t& RankDisplaySwitch(cSaveData& d) { return d.nValue24; }
inline int32_t& AutoSaveSwitch(cSaveData& d) { return d.nValue25; }
inline int32_t& StepBackSwitch(cSaveData& d) { return d.nValue26; }
inline int32_t& PrevMapX(cSaveData& d) { return d.nValue27[0]; }
inline int32_t& PrevMapY(cSaveData& d) { return d.nValue27[1]; }
inline int32_t& StagesReached(cSaveData& d) { return d.nPairIndex; }

// The stock of a run of game type g starts: unlimited when the project says
// so, else the project's start stock with one life already in use.
void SetStartStock(cSaveData& d, int g);
// The reference of a page of the world map kept in the record (0: none).
int32_t MakePageRef(int eventIndex, int pageIndex);
// The page of the running game's world map that the record's current page
// names; null when none or when the map no longer has it.
cWorldPage* FindCurrentPage(const cSaveData& d);
