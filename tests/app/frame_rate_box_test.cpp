// The frame-rate box of ShowFps=1, drawn in the whole program with its
// fonts and window picture: a rate of four digits keeps the box whole at
// the picture's right edge.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "platform/window/main_thread_messages.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/golden_bmp.h"
#include "support/temp_dir.h"

using namespace apptest;

namespace {

// The title's stand-in: the box of a rate of 1234 frames a second over a
// blank picture, for a few frames.
class cFastBlank : public cScene {
public:
    cFastBlank() : cScene(SCENE_TITLE, -1) {}
    void Run() override {
        DrawFrameRateBox(1234, 5);
        if (++m_nFrames == 5) PostCloseMain();
    }

private:
    int m_nFrames = 0;
};

cScene* FastFactory(int n) { return n == SCENE_TITLE ? new cFastBlank() : CreateStandardScene(n); }

}  // namespace

TEST(FrameRateBox, AFourDigitRateEndsAtThePicturesRightEdge) {
    ResetAppState();
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni());
    cEnvGuard env;
    SetWindowRunEnv(env);
    env.Set("QV_FRAME_DUMP", dir.File("last.bmp").c_str());
    cWorkDirGuard cwd(dir.Path());
    SetSceneFactory(FastFactory);
    ASSERT_EQ(WinMain("", 1), 0);
    cwd.Restore();
    GOLDENFRAME last, corner;
    ASSERT_TRUE(ReadBmp24(dir.File("last.bmp"), last));
    corner.width = 200;
    corner.height = 20;
    for (int y = 460; y < 480; ++y)
        for (int x = 440; x < 640; ++x) corner.pixels.push_back(last.pixels[static_cast<size_t>(y * 640 + x)]);
    EXPECT_EQ(CompareGolden("frame_rate_box_1234", corner), "");
    ResetAppState();
}
