#pragma once
// What a loaded stage must satisfy before play may use it. Validate (a member
// of cStageData) repairs indices; CheckStageStructure refuses what no repair
// makes playable and what would break the play engine later.
#include <string>

class cStageData;

// Limits of a playable stage, in blocks: one block at least (a stage smaller
// than the screen's 20 x 15 is played with its scroll area at column and row
// 0); the grid the play engine builds from them stays bounded.
constexpr int STAGE_MIN_WIDTH = 1;
constexpr int STAGE_MIN_HEIGHT = 1;
constexpr int STAGE_MAX_WIDTH = 10000;
constexpr int STAGE_MAX_HEIGHT = 10000;
constexpr long long STAGE_MAX_CELLS = 4000000;
// Hit levels 1..19 (the level table's rows) and step levels 0..5.
constexpr int STAGE_MIN_HIT_LEVEL = 1;
constexpr int STAGE_MAX_HIT_LEVEL = 19;
constexpr int STAGE_MAX_STEP_LEVEL = 5;

class cBlockData;
class cCharaData;
class cItemData;

// The index checks that the validation of a stage runs on each placed object
// (under the stage's palette scope). bFlowsChecked: the object's flows or
// commands were checked against the palette sizes and database of now, and
// are left out.
void CheckPlacedBlock(cBlockData& block);
void CheckPlacedChara(cCharaData& chara, bool bFlowsChecked);
void CheckPlacedItem(cItemData& item, bool bFlowsChecked);

// True when the stage can be played; otherwise false and the reason.
bool CheckStageStructure(const cStageData& stage, std::string& why);
// The same when the placed blocks are known to stand inside the stage's
// cells (bBlocksInside: a load saw each of them as it read it).
bool CheckStageStructure(const cStageData& stage, std::string& why, bool bBlocksInside);

// The load-failure message of a stage file.
std::string GetStageLoadErrorMes(const std::string& name);
