// The hero's sight mask laid over the screen: the see-through hole on the
// hero's centre, moved ahead of it by the front shapes, nothing without a
// shape or without a mask handed over.
#include <gtest/gtest.h>

#include "actors/chara_draw.h"
#include "support/play_screen_test.h"

using namespace ddtest;

namespace {

class SightMaskTest : public cPlayScreenTest {
protected:
    void TearDown() override {
        for (DDSURFACEDATA* s : {&screen, &mask, &stencil}) DDReleaseSurface(s);
        cPlayScreenTest::TearDown();
    }
    DDSURFACEDATA screen, mask, stencil;
};

TEST_F(SightMaskTest, TheHoleFollowsTheHeroAndItsFacing) {
    ASSERT_TRUE(InitDD(8));
    SetBasePalette(TestPalette());
    ASSERT_TRUE(BuildSightMask(&mask, &stencil, 32, 3, 0));
    ASSERT_TRUE(DDCreateSurface(&screen, 640, 480, 0, 0, 0, 0, 0));
    CHARADRAW view;
    view.lpDst = &screen;
    view.lpSightMask = &mask;
    view.dScrollX = 100;
    view.dScrollY = 50;
    cPlayer hero;
    hero.x = 400, hero.y = 250, hero.nHitW = hero.nHitH = 32;  // centre (316, 216) on the screen
    hero.sight = 32;
    const auto draw = [&](int shape, int facing) {
        DDClearSurface(&screen, 5);
        hero.data.bySightShape = static_cast<uint8_t>(shape);
        hero.nFacing = facing;
        hero.DrawSightMask(view);
        std::string row;  // dark (16) or seen (5) along the hero's row
        for (int x : {0, 270, 290, 316, 340, 370, 639}) {
            const uint32_t p = Px(screen, x, 216);
            row += p == 16 ? 'D' : p == 5 ? '.' : '?';
        }
        return row;
    };
    EXPECT_EQ(draw(3, 1), "DD...DD");
    EXPECT_EQ(draw(4, 1), "DDD...D");  // ahead to the right
    EXPECT_EQ(draw(4, 0), "D..DDDD");  // ahead to the left
    EXPECT_EQ(draw(0, 1), ".......");  // no sight limit
    EXPECT_EQ(Px(screen, 316, 0), 5u);
    draw(3, 1);
    EXPECT_EQ(Px(screen, 316, 0), 16u);
    view.lpSightMask = nullptr;
    EXPECT_EQ(draw(3, 1), ".......");
}

}  // namespace
