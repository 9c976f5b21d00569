#pragma once
// What the play-screen tests build the same way: a play scene over a 20 x 15
// stage in a 640 x 480 field, the common pictures the characters and shots
// are drawn from (with the mirrored twin a back end keeps), and the band of
// the back buffer a golden frame keeps.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "database/common_bitmaps.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_test_support.h"
#include "play/play_scene.h"
#include "stage/stage_data.h"
#include "support/golden_bmp.h"
#include "world/hit_bucket.h"

namespace playscreen {

// A fresh play scene (lpPlayScene) over a 20 x 15 stage of hit level 1, both
// scrolls set up, the hit buckets of every side.
inline std::unique_ptr<cPlayScene> MakeScene() {
    PlayStage.nWidth = 20, PlayStage.nHeight = 15;
    PlayStage.nOuterX = 640, PlayStage.nOuterY = 480;
    PlayStage.SetHitLevel(1);
    auto scene = std::make_unique<cPlayScene>();
    SetCurrentPlayScene(scene.get());
    scene->World.ScrollX.SetupX(PlayStage, 60);
    scene->World.ScrollY.SetupY(PlayStage, 60);
    scene->World.vCharaBucket.resize(HIT_SIDE_NUM);
    scene->World.vAttackBucket.resize(HIT_SIDE_NUM);
    return scene;
}

// Only the stage drawn, seen from stage dot (origin, origin).
inline void ShowStageOnly(cPlayScene& scene, double origin) {
    scene.World.ScrollX.dPos = scene.World.ScrollY.dPos = origin;
    scene.bStatusBar = 0;
    scene.bTimerHidden = 1;
}

// Common picture row from an 8-bit picture written to path (mirror: the cell width of a mirrored twin, else 0).
inline void CommonPicture(const std::string& path, int row, int w, int h, int mirror,
                          const std::function<uint8_t(int, int)>& fn) {
    ASSERT_TRUE(ddtest::WriteBmp(path, ddtest::MakeIndexed(w, h, ddtest::TestPalette(), fn), 8));
    ASSERT_EQ(DDCreateSurfaceFromFile(&CommonSurfaces[row], path.c_str(), 1, DDGetColorBit(), 0, 0, 0, 0, mirror, 0, 0),
              DD_OK);
}

// Row and its mirrored twin at row + 1: under the 3D back end a view of row, else a mirrored load.
inline void PictureWithTwin(const std::string& path, const std::string& twinPath, int row, int w, int h, int cell,
                            bool d3d, const std::function<uint8_t(int, int)>& fn) {
    CommonPicture(path, row, w, h, 0, fn);
    if (d3d) {
        CommonSurfaces[row + 1].lpViewSD = &CommonSurfaces[row];
        CommonSurfaces[row + 1].nMirrorWidth = cell;
    } else {
        CommonPicture(twinPath, row + 1, w, h, cell, fn);
    }
}

// Rows top .. top + h - 1, columns 0 .. w - 1 of the back buffer as opaque colours.
inline GOLDENFRAME ScreenBand(int top, int w, int h) {
    GOLDENFRAME f{w, h, {}};
    const auto pal = ddtest::TestPalette();
    for (int y = top; y < top + h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = ddtest::Px(BackBuffer, x, y);
            f.pixels.push_back(0xFF000000u | (BackBuffer.Surface.format == DDFMT_INDEX8 ? pal[p & 255] : p & 0xFFFFFF));
        }
    return f;
}

}  // namespace playscreen
