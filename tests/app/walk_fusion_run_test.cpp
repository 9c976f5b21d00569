// The heavy stage of the play benchmarks (walkers turning at walls and
// shooting sparks, the hero on a ledge) through the stage set-up and frames
// of play: the walks it allows, each character's step started in the walk
// that updates it, must leave it frame by frame as the separate walks do.
#include <cstdint>
#include <vector>

#include "app/built_stage.h"
#include "app/heavy_stage.h"
#include "stage/stage_data.h"

namespace {

using HeavyStageWalks = cBuiltStageTest;

// What the frames leave, with what a step start writes.
uint64_t StateSum(const cPlayScene& play) {
    uint64_t sum = 14695981039346656037ull;
    apptest::FoldPlay(sum, play);
    for (const cStageChara& c : play.World.lstStageChara) {
        for (int32_t v : {c.bActive, c.nActiveState, c.bGroupCondsMet, c.bOnScreen, c.invincible, c.bContactD,
                          c.nScrLeft, c.nFrameValue1})
            apptest::Fold(sum, v);
        apptest::Fold(sum, c.dPrevRect);
    }
    return sum;
}

TEST_F(HeavyStageWalks, TheWalksItAllowsLeaveItAsTheSeparateWalks) {
    cStageData stage;
    apptest::BuildHeavyStage(stage, 300);
    std::vector<uint64_t> sums[2];  // by frame: the walks the stage allows, the separate ones
    for (const bool bFuse : {true, false}) {
        Start(stage);
        ASSERT_EQ(cWalkFusion().Walks(Scene().World, !Scene().BlockCharas.IsEmpty()), STEPWALKS_IN_UPDATE);
        for (int f = 0; f < 150; ++f) {
            Scene().PlayFrame(bFuse);
            sums[bFuse ? 0 : 1].push_back(StateSum(Scene()));
        }
    }
    for (int f = 0; f < 150; ++f)
        ASSERT_EQ(sums[0][f], sums[1][f]) << "the walks part at frame " << f;
    EXPECT_GT(Scene().World.lstShots.size(), 100u);  // the walkers shot
}

}  // namespace
