#pragma once
// The player's records that live as long as the program: the live save
// record and its two stage-start snapshots for replays, the current and the
// previous key log, the story slot list and the ranking list of the stage in
// hand.
#include "player/key_log.h"
#include "player/ranking.h"
#include "player/save_data.h"

// The live progress of the game.
extern cSaveData SaveData;
// The save record as it stood when the current run began, and the run before.
extern cSaveData SnapSaveData;
extern cSaveData PrevSnapSaveData;
// The run in progress and the one before it.
extern cKeyLog KeyLog;
extern cKeyLog PrevKeyLog;
// The 99 story slots.
extern cSafeVector<cSaveSlot> SaveSlotList;
// The rankings of the stage being played or shown.
extern cRankingList RankingList;

// Every object above as the program makes it (tests).
void ResetPlayerRecords();
