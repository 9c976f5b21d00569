#pragma once
// Building the stage's objects from records: the placed characters and items
// of the stage set-up, and the characters, items and blocks of the summon
// command. Each object is made in a local object, tested against the grid and
// only then copied into the scene's list, so an object that would lie outside
// the grid is never added and takes no id.
#include <cstdint>
#include <list>

#include "actors/item.h"
#include "actors/stage_chara.h"
#include "stage/block_data.h"
#include "world/scene_services.h"

class cChara;
class cBlockCell;

// While 0, the placement offsets also move a character's second position pair.
extern int32_t bOffsetsKeepPos2;
// While 0, a block's protection applies only to cells whose block is present.
extern int32_t bProtectAllCells;

// The characters of a placed character record at stage cell (col, row):
// record.byRepeat + 1 of them, each offset by the record; ids from idCounter.
void CreateStageCharas(cObjectList<cStageChara>& list, int32_t col, int32_t row, int32_t& idCounter,
                       const cCharaData& record, const cItem* lpItem);
// The placed item of `record` at stage cell (col, row).
void CreateStageItem(std::list<cItem>& list, int32_t col, int32_t row, int32_t& idCounter, const cItemData& record);
// An item of `record` at grid dots (x, y).
void SummonItem(std::list<cItem>& list, double x, double y, const SUMMONSETTINGS& settings, const cItemData& record,
                int32_t& idCounter);
// The characters of `record` at grid dots (x, y), facing `facing` on side
// `side`, made by lpSummoner (null: none). Each one added is put into its
// side's character bucket of the play scene. The number added.
int32_t SummonChara(cObjectList<cStageChara>& list, double x, double y, const SUMMONSETTINGS& settings,
                    const cCharaData& record, uint8_t facing, uint8_t side, cChara* lpSummoner, int32_t& idCounter);
// Puts, erases or toggles the block of the grid cell at grid dots (x, y).
void SummonBlock(double x, double y, const cBlockData& record, const SUMMONSETTINGS& settings);
// The players, then the stage characters, that the block of `cell` (grid
// cell col, row) hits and overlaps get block-death state 2; 1 as soon as one
// of a protected kind is met.
int32_t BlockMeetsObjects(cBlockCell& cell, int32_t col, int32_t row, const SUMMONSETTINGS& settings);
// Back to the start-up state (tests).
void ResetStageObjects();
