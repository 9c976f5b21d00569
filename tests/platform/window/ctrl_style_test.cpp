#include <gtest/gtest.h>

#include "platform/window/ctrl.h"

namespace {

TEST(CtrlStyle, VisibleAndDisabledBitsDriveTheControlOthersAreKept) {
    cCtrl c;
    EXPECT_EQ(c.GetCtrlStyle(), WS_VISIBLE);
    c.AddCtrlStyle(WS_DISABLED | 0x4);
    EXPECT_FALSE(c.IsEnabled());
    EXPECT_EQ(c.GetCtrlStyle(), WS_VISIBLE | WS_DISABLED | 0x4u);
    c.RemoveCtrlStyle(WS_VISIBLE | WS_DISABLED);
    EXPECT_FALSE(c.IsVisible());
    EXPECT_TRUE(c.IsEnabled());
    EXPECT_EQ(c.GetCtrlStyle(), 0x4u);
    c.RemoveCtrlStyle(0x4);
    c.AddCtrlStyle(WS_VISIBLE);
    EXPECT_EQ(c.GetCtrlStyle(), WS_VISIBLE);
}

}  // namespace
