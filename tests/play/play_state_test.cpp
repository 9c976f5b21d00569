// ResetPlayState, the one reset of every fixture from the play layer down:
// state left behind in each layer by a run is back as at start-up.
#include <gtest/gtest.h>

#include "actors/cmd/next_stage.h"
#include "database/global_objects.h"
#include "play/message/message_surface.h"
#include "play/message/message_text.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/system_time.h"
#include "records/crt_rand.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"
#include "scene/window_requests.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

namespace {

void FixedTime(SYSTEMTIME* st) {
    *st = SYSTEMTIME{};
    st->wYear = 1999;
}

TEST(PlayState, ResetLeavesEveryLayerAsAtStartUp) {
    ResetPlayState();
    const int firstRand = crt::rand();
    // What a run leaves behind, layer by layer from the scenes down.
    SceneManager.nGameType = GAME_CHALLENGE;
    IniData.WindowMode = 2;
    bStageTest = 1;
    strStageSearchExt = "stg3";
    bEditorStart = 1;
    bAppActive = 1;
    nStageBgmLoop = 0;
    lstMessageSurface.emplace_back();
    lstMessageSurfaceInfo.emplace_back();
    SaveData.nStageNo = 3;
    SetLocalTimeSource(FixedTime);
    NextStageStart.bOverride = 1;
    NextStageStart.nStartX = 12;
    BlockGrid.resize(16);
    RebuildBlockHits();
    PlayStage.nWidth = 9;
    InputList.resize(3);
    crt::rand();

    ResetPlayState();
    EXPECT_EQ(SceneManager.nGameType, 0);
    EXPECT_EQ(IniData.WindowMode, 0);
    EXPECT_EQ(bStageTest, 0);
    EXPECT_EQ(strStageSearchExt, "stg4");
    EXPECT_EQ(bEditorStart, 0u);
    EXPECT_EQ(bAppActive.load(), 0u);
    EXPECT_EQ(nStageBgmLoop.load(), 1);
    EXPECT_TRUE(lstMessageSurface.empty());
    EXPECT_TRUE(lstMessageSurfaceInfo.empty());
    EXPECT_EQ(SaveData.nStageNo, cSaveData().nStageNo);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_NE(now.wYear, 1999);  // the system clock again
    EXPECT_EQ(NextStageStart.bOverride, 0);
    EXPECT_EQ(NextStageStart.nStartX, 0);
    EXPECT_TRUE(BlockGrid.empty());
    EXPECT_TRUE(BlockHits.empty());
    EXPECT_EQ(PlayStage.nWidth, cStageData().nWidth);
    EXPECT_EQ(InputList.size(), 1u);
    EXPECT_EQ(crt::rand(), firstRand);  // the generator seeded as at start-up
}

}  // namespace
