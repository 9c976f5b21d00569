// The frame's small services: the blinking colours and the 8-bit palette
// cycling, a start from a file, the start-up dialog's cursor.
#include <gtest/gtest.h>

#include <fstream>

#include "app/app_state.h"
#include "app/start_file.h"
#include "app/startup_dialog.h"
#include "database/blink_colors.h"
#include "database/system_data.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

class FrameServicesTest : public ::testing::Test {
protected:
    FrameServicesTest() { ResetAppState(); }
    ~FrameServicesTest() override {
        DDEnd();
        ResetAppState();
    }
};

}  // namespace

TEST_F(FrameServicesTest, BlinkColoursSwingAndTheNinthRowChangesColourAtEachTurnAtTheBottom) {
    ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    SystemData.nBlinkStep = 100;
    // 100, 200, 200 (turned at the top), 100, 100 (turned at the bottom).
    for (int i = 0; i < 4; ++i) UpdateBlinkColors();
    EXPECT_EQ(nBlinkValue[0], 100);
    EXPECT_EQ(nBlinkPhase, 0);
    EXPECT_EQ(BlinkColors[8].dwColor, 0xFF640000u);  // red
    UpdateBlinkColors();
    EXPECT_EQ(nBlinkValue[8], 100);
    EXPECT_EQ(nBlinkPhase, 1);
    EXPECT_EQ(BlinkColors[8].dwColor, 0xFF006400u);  // green now
    EXPECT_EQ(BlinkColors[6].dwColor, 0xFF640019u);  // red with a quarter of blue
    EXPECT_EQ(BlinkColors[7].dwColor, 0xFF190064u);
    EXPECT_EQ(BlinkColors[1].dwBlend, 10u);
    EXPECT_EQ(BlinkColors[2].dwBlend, 7u);
}

TEST_F(FrameServicesTest, At8BitsEverySixthCallTurnsEachGroupOfFourFrom208To239) {
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 8, 0, 0, 1, 60, 0, nullptr, nullptr, 0));
    for (int i = 0; i < 256; ++i) DDScreenPalette[i] = PALETTEENTRY{static_cast<uint8_t>(i), 0, 0, 0};
    DDSetPaletteEntries(0, 256, DDScreenPalette);
    SystemData.bCyclePalette = 1;
    for (int i = 0; i < 5; ++i) UpdateBlinkColors();
    EXPECT_EQ(DDScreenPalette[208].peRed, 208);
    UpdateBlinkColors();
    PALETTEENTRY shown[256];
    DDGetPaletteEntries(0, 256, shown);
    for (int first = 208; first < 240; first += 4) {
        EXPECT_EQ(shown[first].peRed, first + 1);
        EXPECT_EQ(shown[first + 3].peRed, first);
    }
    EXPECT_EQ(shown[207].peRed, 207);
    EXPECT_EQ(shown[240].peRed, 240);
    // Without the switch nothing cycles.
    SystemData.bCyclePalette = 0;
    for (int i = 0; i < 12; ++i) UpdateBlinkColors();
    EXPECT_EQ(DDScreenPalette[208].peRed, 209);
}

TEST_F(FrameServicesTest, AStartFileStartsFreePlayOutsideTheChallenge) {
    cTempDir dir;
    cWorkDirGuard cwd(dir.Path());
    std::ofstream(dir.Path() / "test.stg4") << "x";
    IniData.FreeStage = "test.stg4";
    SetPlayStageFile([](const std::string&, int) { return 1; });
    int32_t challenge = 1;
    SetChallengeSwitch(&challenge);
    ASSERT_TRUE(StartWithFile());
    EXPECT_EQ(bStageTest, 1);
    EXPECT_EQ(SceneManager.nCurrent, SCENE_PLAY);
    EXPECT_EQ(SceneManager.nGameType, GAME_FREE);
    EXPECT_EQ(SceneManager.nRankSwitch, 1);
    EXPECT_EQ(challenge, 0);
}

TEST_F(FrameServicesTest, TheStartUpCursorGoesNearTheStartButtonTruncatingTowardZero) {
    const POINT at = StartupCursorPos(POINT{100, 100});
    EXPECT_EQ(at.x, 414);
    EXPECT_EQ(at.y, 402);
    const POINT left = StartupCursorPos(POINT{-600, -500});
    EXPECT_EQ(left.x, -285);  // -285.1, not rounded down
    EXPECT_EQ(left.y, -197);
}
