// One frame of play: timers, sub-steps and the squeezed hero's rescue.
#include "database/global_objects.h"
#include "platform/input/input.h"
#include "play_grid_fixture.h"

namespace {

class PlayFrameTest : public PlayGridTest {
protected:
    PlayFrameTest() {
        InputList.resize(1);
        scene.vPlayer.resize(1);
        Place(*scene.Hero(), 1, 400, 400, 20, 20);
        scene.bTimeStop = 0;
        scene.nStageTime = 10;
    }
    ~PlayFrameTest() override { InputList.clear(); }
};

TEST_F(PlayFrameTest, TimersAdvanceOncePerFrameWhateverTheSteps) {
    PlayStage.nSteps = 0;
    scene.Play();
    EXPECT_EQ(scene.nFrameCount, 1);
    EXPECT_EQ(scene.nElapsedFrames, 1);
    EXPECT_EQ(scene.nSubStepCount, 0);
    PlayStage.nSteps = 2;
    for (int i = 1; i < 60; ++i) scene.Play();
    EXPECT_EQ(scene.nStageTime, 9);
    EXPECT_EQ(scene.nSubStepCount, 118);
    EXPECT_EQ(scene.nElapsedTime, 100);
    scene.nStageTime = 1;
    for (int i = 0; i < 59; ++i) scene.Play();
    EXPECT_EQ(scene.nStageTime, 1);
    EXPECT_EQ(scene.Hero()->dying, 0);
    scene.Play();
    EXPECT_EQ(scene.nStageTime, 0);
    EXPECT_EQ(scene.Hero()->dying, 1);
}

TEST_F(PlayFrameTest, ElapsedTimeStopsAt599999) {
    scene.nElapsedFrames = 359999;
    scene.StepElapsed();
    EXPECT_EQ(scene.nElapsedFrames, 360000);
    EXPECT_EQ(scene.nElapsedTime, 599999);
    scene.StepElapsed();
    EXPECT_EQ(scene.nElapsedFrames, 360000);
}

TEST_F(PlayFrameTest, SqueezedHeroWithProtectionGoesBackToItsRescuePosition) {
    for (int col : {3, 4, 5}) Cell(col, 6, 1);
    cPlayer& hero = *scene.Hero();
    Place(hero, 1, 100, 196, 40, 20);
    hero.nProtect = 1;
    hero.bRescue = 1;
    const double rescue[4] = {300, 300, 339, 319};
    std::copy(rescue, rescue + 4, hero.dRescuePos);
    EXPECT_EQ(scene.HeroUpdate(), 0);
    EXPECT_EQ(hero.x, 300);
    EXPECT_EQ(hero.y2, 319);
    EXPECT_EQ(hero.bRescue, 0);
    EXPECT_EQ(hero.dying, 0);
    Place(hero, 1, 100, 196, 40, 20);
    hero.nProtect = 0;
    EXPECT_NE(scene.HeroUpdate(), 0);
    EXPECT_EQ(hero.dying, 1);
    EXPECT_EQ(hero.x, 100);  // the rectangle of the step's start
}

}  // namespace
