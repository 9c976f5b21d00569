#pragma once
// The sample game's stages, built in code.
#include <string>
#include <vector>

class cStageData;

namespace sample {

struct STAGEFILE {
    std::string strPath;  // relative to the game's data folder ("stg4/stage1-1.stg4_825": numbered, as the game looks them up)
    void (*Build)(cStageData&);
};

void BuildMeadowStage(cStageData& s);   // 1: walkers, coins, planks, spikes, a moving platform, a message
void BuildCaveStage(cStageData& s);     // 2: bats, jumping slimes, a chasing ghost, bricks, lava
void BuildTowerStage(cStageData& s);    // 3: cannons that shoot, knights, clouds, a key and a door
void BuildCastleStage(cStageData& s);   // 4: the boss
void BuildChallengeStage1(cStageData& s);
void BuildChallengeStage2(cStageData& s);
// Hundreds of characters and shots, for benchmarks.
void BuildStressStage(cStageData& s);

// Every stage file of the game, in a fixed order.
const std::vector<STAGEFILE>& StageFiles();

}  // namespace sample
