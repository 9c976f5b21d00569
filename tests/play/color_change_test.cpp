// The screen colour change: builds up over its frames, holds while frozen,
// flashes, and ends unseen on a DirectDraw screen that has no palette.
#include <gtest/gtest.h>

#include "platform/graphics/dd_test_support.h"
#include "play/draw/color_change.h"

using namespace ddtest;

namespace {

using ColorChangeTest = cDDTest;

TEST_F(ColorChangeTest, BuildsUpHoldsWhileFrozenAndFlashes) {
    ASSERT_TRUE(InitD3D());
    cColorChange cc;
    const int32_t red[8] = {255, 0, 0, 100, 0, 1, 0, 0};  // full strength over 6 frames
    StartColorChange(cc, red);
    for (int n = 0; n < 3; ++n) DrawColorChange(cc, 0);
    EXPECT_EQ(cc.nAlpha, 255 - static_cast<int>(2 / 6.0 * 255));
    DrawColorChange(cc, 1);
    DrawColorChange(cc, 1);
    EXPECT_EQ(cc.nCounter, 3);  // frozen frames do not count
    for (int n = 0; n < 10; ++n) DrawColorChange(cc, 0);
    EXPECT_EQ(cc.bActive, 1);  // Direct3D keeps a full tint on screen
    DDClearSurfaceRGB(&BackBuffer, 0xFF00FF00u);
    DrawColorChange(cc, 0);
    EXPECT_EQ(Px(BackBuffer, 10, 10) & 0xFFFFFF, 0xFF0000u);

    const int32_t flash[8] = {0, 0, 255, 50, 0, 0, 1, 2};  // two flashes of no duration
    StartColorChange(cc, flash);
    DrawColorChange(cc, 0);
    EXPECT_EQ(cc.bActive, 1);
    DrawColorChange(cc, 0);
    EXPECT_EQ(cc.bActive, 0);
}

TEST_F(ColorChangeTest, EndsAtOnceOnA32BitDirectDrawScreen) {
    ASSERT_TRUE(InitDD(32));
    cColorChange cc;
    const int32_t p[8] = {255, 255, 255, 100, 0, 5, 0, 0};
    StartColorChange(cc, p);
    DDClearSurface(&BackBuffer, 3);
    DrawColorChange(cc, 0);
    EXPECT_EQ(cc.bActive, 0);
    EXPECT_EQ(Px(BackBuffer, 0, 0), PalNumToRGB(3));
}

}  // namespace
