// The world map and its menu in the whole program (in this process, on the
// sample game): walking onto a stage and the hand-over to play, the step
// back after a stage left unfinished with the autosave, saving into a slot
// from the menu, and the first settled frame of each scene.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/map_menu_scene.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "app/world_map_scene.h"
#include "database/world_map.h"
#include "platform/graphics/dd_init.h"
#include "platform/input/input_script.h"
#include "platform/system/mesbox.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/menu_cursor.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "stage/stage_data.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// What a test does to the save record on entering, and when a scene has
// settled (its fade-in done): entry counts from 1 per scene.
std::function<void()> g_Enter;
std::function<void(int scene, int entry)> g_Settled;
int g_nPrevious = 0;
int g_nPlayEntered = 0;  // frames the play stand-in ran
int g_nEntries[6] = {};
GOLDENFRAME g_Shot[6];
std::vector<std::string> g_Boxes;  // message boxes shown, answered at once

GOLDENFRAME BackBufferShot() {
    GOLDENFRAME f;
    f.width = 640;
    f.height = 480;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) f.pixels.push_back(BackBuffer.Surface.Row32(y)[x]);
    return f;
}

// Keys pressed for two frames each, one every ten frames from the next frame on.
void Press(const std::vector<std::string>& keys) {
    std::string script;
    uint32_t at = GetFrameCount() + 1;
    for (const std::string& k : keys) {
        script += std::to_string(at) + " " + k + " down\n" + std::to_string(at + 2) + " " + k + " up\n";
        at += 10;
    }
    ParseInputScript(script);
}

// Scene 0 stands in for the title: the record as the test wants it, then the map.
class cEnterMap : public cScene {
public:
    cEnterMap() : cScene(SCENE_TITLE, -1) {}
    void Run() override {
        if (g_Enter) g_Enter();
        SceneManager.nPrevious = g_nPrevious;
        SceneManager.nCurrent = SCENE_WORLD_MAP;
    }
};

// A scene that reports its first frame after the fade-in.
template <class BASE, int N>
class cWatched : public BASE {
public:
    void Run() override {
        BASE::Run();
        if (m_bSettled || BASE::GetPhase() != 1) return;
        m_bSettled = true;
        if (++g_nEntries[N] == 1) g_Shot[N] = BackBufferShot();
        if (g_Settled) g_Settled(N, g_nEntries[N]);
    }

private:
    bool m_bSettled = false;
};

// Scene 4 stands in for play: it notes the hand-over and ends the program.
class cPlayStandIn : public cScene {
public:
    cPlayStandIn() : cScene(SCENE_PLAY, -1) {}
    void Run() override {
        if (g_nPlayEntered++ == 0) PostCloseMain();
    }
};

cScene* TestFactory(int n) {
    switch (n) {
        case SCENE_TITLE: return new cEnterMap();
        case SCENE_PLAY: return new cPlayStandIn();
        case SCENE_WORLD_MAP: return new cWatched<cWorldMapScene, SCENE_WORLD_MAP>();
        case SCENE_MAP_MENU: return new cWatched<cMapMenuScene, SCENE_MAP_MENU>();
        default: return CreateStandardScene(n);
    }
}

// The program's state as at start-up, then this file's watch emptied.
void StartOver() {
    ResetAppState();
    g_Enter = nullptr;
    g_Settled = nullptr;
    g_nPrevious = 0;
    g_nPlayEntered = 0;
    g_Boxes.clear();
    for (int& e : g_nEntries) e = 0;
}

class WorldMapSceneTest : public ::testing::Test {
protected:
    WorldMapSceneTest() { StartOver(); }
    ~WorldMapSceneTest() override { StartOver(); }
    void SetUp() override {
        apptest::MakeGameFolder(m_Dir.Path(), apptest::WindowedIni());
        apptest::SetWindowRunEnv(m_Env);
        m_Cwd.Enter(m_Dir.Path());
        SetSceneFactory(TestFactory);
        SetMesBoxPresenter([](const std::string& text, const std::string&, unsigned) {
            g_Boxes.push_back(text);
            return static_cast<int>(IDOK);
        });
    }
    // The record of a new story standing at (x, y).
    static void NewStoryAt(int x, int y) {
        SaveData.Clear();
        SaveData.nMapX = x;
        SaveData.nMapY = y;
        SaveData.nLives = 3;
    }
    std::string Report() { return apptest::ReadText(m_Dir.Path() / "Report_Game.txt"); }
    fs::path Story(int n) { return m_Dir.Path() / "user_data" / "story" / ("Story0" + std::to_string(n) + ".dat"); }

    cTempDir m_Dir;
    cEnvGuard m_Env;
    cWorkDirGuard m_Cwd;
};

}  // namespace

TEST_F(WorldMapSceneTest, WalkingOntoAStageOpensTheConfirmationAndAcceptingHandsTheLoadedStageToPlay) {
    g_Enter = [] { NewStoryAt(4, 8); };
    // The stage at (5, 8) opens on entry; the refusal is preselected, so up, then confirm.
    g_Settled = [](int scene, int) {
        if (scene == SCENE_WORLD_MAP) Press({"RIGHT", "UP", "Z"});
    };
    ASSERT_EQ(WinMain("", 1), 0);
    EXPECT_TRUE(g_Boxes.empty()) << g_Boxes[0];
    m_Cwd.Restore();
    EXPECT_EQ(CompareGolden("world_map_settled", g_Shot[SCENE_WORLD_MAP]), "");
    // Play took over (its stand-in ends the program).
    EXPECT_GT(g_nPlayEntered, 0) << Report() << apptest::ReadText(m_Dir.Path() / "EC_Game.txt");
    EXPECT_EQ(SceneManager.nCurrent, SCENE_PLAY);
    EXPECT_EQ(SceneManager.nPrevious, SCENE_WORLD_MAP);
    // What play is handed: the stage loaded and the record of the page.
    ASSERT_NE(GetStageLoadTarget(), nullptr);
    EXPECT_TRUE(GetStageLoadTarget()->HasHero());
    EXPECT_EQ(FindCurrentPage(SaveData), &WorldMap.vEvent[0].vPage[0]);
    EXPECT_EQ(SaveData.strStage.rfind("data\\stg4\\stage1.", 0), 0u) << SaveData.strStage;
    EXPECT_EQ(ClearFlagIndex(SaveData), 1);
    EXPECT_EQ(InStageSwitch(SaveData), 1);
    EXPECT_EQ(SaveData.nLivesInit, 4);  // the stock is carried: the remaining 3 and the one play takes
    EXPECT_EQ(SaveData.nMapX, 5);
    EXPECT_EQ(SaveData.nMapY, 8);
    EXPECT_EQ(PrevMapX(SaveData), 4);
    EXPECT_EQ(MapFacing(SaveData), 3);
}

TEST_F(WorldMapSceneTest, AStageLeftUnfinishedStepsTheWalkerBackAndTheReturnIsAutosaved) {
    g_nPrevious = SCENE_PLAY;
    g_Enter = [] {
        NewStoryAt(5, 8);
        PrevMapX(SaveData) = 4;
        PrevMapY(SaveData) = 8;
        StepBackSwitch(SaveData) = 1;
        AutoSaveSwitch(SaveData) = 1;
        SaveData.nStorySlot = 4;
    };
    int settledAtX = -1;
    g_Settled = [&](int, int) {
        settledAtX = g_MenuCursor.Current().index;
        PostCloseMain();
    };
    ASSERT_EQ(WinMain("", 1), 0);
    EXPECT_EQ(settledAtX, 4);
    EXPECT_EQ(SaveData.nMapX, 4);
    EXPECT_EQ(StepBackSwitch(SaveData), 0);
    EXPECT_EQ(SceneManager.nCurrent, SCENE_WORLD_MAP);  // no stage started on its own
    // Saved before the map was shown: still on the stage's cell.
    cSaveData saved;
    saved.LoadStory(4);
    EXPECT_EQ(saved.nMapX, 5);
    EXPECT_EQ(saved.nStorySlot, 4);
}

TEST_F(WorldMapSceneTest, TheMenuSavesIntoTheChosenSlotAndGoesBackToTheMapWithoutStartingAStage) {
    g_Enter = [] { NewStoryAt(4, 8); };
    g_Settled = [](int scene, int entry) {
        if (scene == SCENE_WORLD_MAP && entry == 1) Press({"X"});
        // Save, the third slot, accept (up from the preselected refusal), then cancel twice.
        if (scene == SCENE_MAP_MENU) Press({"Z", "DOWN", "DOWN", "Z", "UP", "Z", "X", "X"});
        if (scene == SCENE_WORLD_MAP && entry == 2) PostCloseMain();
    };
    ASSERT_EQ(WinMain("", 1), 0);
    m_Cwd.Restore();
    EXPECT_EQ(CompareGolden("map_menu_settled", g_Shot[SCENE_MAP_MENU]), "");
    EXPECT_EQ(g_nEntries[SCENE_WORLD_MAP], 2);
    EXPECT_EQ(SaveData.nStorySlot, 2);
    ASSERT_TRUE(fs::exists(Story(3)));
    m_Cwd.Enter(m_Dir.Path());
    cSaveData saved;
    saved.LoadStory(2);
    EXPECT_EQ(saved.nMapX, 4);
    EXPECT_EQ(saved.nMapY, 8);
    EXPECT_EQ(saved.nStorySlot, 2);
    EXPECT_EQ(saved.strEntryName, "aaa");
    EXPECT_TRUE(SaveSlotList[2].bUse);
}

TEST_F(WorldMapSceneTest, HeldRankingButtonsActOncePerPressInTheStageConfirmation) {
    m_Env.Set("QV_MAX_FRAMES", "600");
    g_Enter = [] { NewStoryAt(4, 8); };
    // Right onto the stage (its confirmation opens); the ranking switch
    // button held four frames; the next-table button held three frames, twice.
    g_Settled = [](int scene, int) {
        if (scene != SCENE_WORLD_MAP) return;
        const uint32_t at = GetFrameCount() + 1;
        std::string script;
        for (const auto& [key, down, up] : {std::tuple<const char*, uint32_t, uint32_t>{"RIGHT", 0, 2},
                                            {"C", 40, 44}, {"V", 60, 63}, {"V", 80, 83}})
            script += std::to_string(at + down) + " " + key + " down\n" + std::to_string(at + up) + " " + key + " up\n";
        ParseInputScript(script);
    };
    ASSERT_EQ(WinMain("", 1), 0);
    EXPECT_EQ(SceneManager.nCurrent, SCENE_WORLD_MAP);
    EXPECT_EQ(RankDisplaySwitch(SaveData), 1);
    EXPECT_EQ(SaveData.nRankTable, 2);
}
