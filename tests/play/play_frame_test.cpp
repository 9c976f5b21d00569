// One frame of play: timers, sub-steps and the squeezed hero's rescue.
#include "database/global_objects.h"
#include "platform/input/input.h"
#include "play_grid_fixture.h"

namespace {

class PlayFrameTest : public PlayGridTest {
protected:
    PlayFrameTest() {
        InputList.resize(1);
        scene.World.vPlayer.resize(1);
        Place(*scene.World.Hero(), 1, 400, 400, 20, 20);
        scene.World.bTimeStop = 0;
        scene.World.nStageTime = 10;
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
    EXPECT_EQ(scene.World.nStageTime, 9);
    EXPECT_EQ(scene.nSubStepCount, 118);
    EXPECT_EQ(scene.nElapsedTime, 100);
    scene.World.nStageTime = 1;
    for (int i = 0; i < 59; ++i) scene.Play();
    EXPECT_EQ(scene.World.nStageTime, 1);
    EXPECT_EQ(scene.World.Hero()->dying, 0);
    scene.Play();
    EXPECT_EQ(scene.World.nStageTime, 0);
    EXPECT_EQ(scene.World.Hero()->dying, 1);
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
    cPlayer& hero = *scene.World.Hero();
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

namespace {

TEST_F(PlayFrameTest, TheHerosIgnoreFlagsClearItsDirectionOrButtons) {
    cInput& in = InputList[0];
    cPlayer& hero = *scene.World.Hero();
    hero.bIgnoreDirection = 1;
    in.m_nDir = 2;
    in.m_nButton = 4;
    scene.Play();
    EXPECT_EQ(in.m_nDir, 0);
    EXPECT_EQ(in.m_nButton, 4);
    hero.bIgnoreDirection = 0, hero.bIgnoreButtons = 1;
    in.m_nDir = 2;
    scene.Play();
    EXPECT_EQ(in.m_nDir, 2);
    EXPECT_EQ(in.m_nButton, 0);
}

TEST_F(PlayFrameTest, ObjectsBeyondTheRemovalRulesGoInTheFirstSubStepOnly) {
    PlayStage.StageIntRec[INTREC_CHARA].nValue[1] = 1;  // beyond the right edge of the screen
    PlayStage.StageIntRec[INTREC_ITEM].nValue[1] = 1;
    for (int id : {2, 3}) {
        cStageChara& c = scene.World.lstStageChara.emplace_back();
        Place(c, id, id == 2 ? 600 : 800, 100, 20, 20);  // the scroll follows the hero to 90
        c.nLifeTime = LIFETIME_UNLIMITED;
    }
    cItem& item = scene.World.lstItem.emplace_back();
    item.x = 800, item.y = 100, item.x2 = 819, item.y2 = 119;
    item.nLifeTime = LIFETIME_UNLIMITED;
    scene.Play();  // switches off: nothing removed
    EXPECT_EQ(scene.World.lstStageChara.size(), 2u);
    EXPECT_EQ(scene.World.lstItem.size(), 1u);
    scene.bEraseCharaKey = scene.bEraseItemKey = 1;
    scene.World.lstStageChara.front().byBlockChara = 1;  // block characters follow their own switch
    scene.World.lstStageChara.front().x = 900;
    scene.World.lstStageChara.front().x2 = 919;
    scene.Play();
    ASSERT_EQ(scene.World.lstStageChara.size(), 1u);
    EXPECT_EQ(scene.World.lstStageChara.front().nId, 2);
    EXPECT_TRUE(scene.World.lstItem.empty());
}

TEST_F(PlayFrameTest, AGroupOnScreenActivatesItsMembersOffScreen) {
    scene.vCondFlags.assign(COND_FLAG_NUM, 0);
    const int groups[4] = {3, 3, 0, 5000};
    const double xs[4] = {100, 900, 900, 900};
    for (int i = 0; i < 4; ++i) {
        cStageChara& c = scene.World.lstStageChara.emplace_back();
        Place(c, 10 + i, xs[i], 100, 20, 20);
        c.bGroup = groups[i] != 0;
        c.nGroup = groups[i];
    }
    scene.UpdateActiveFlags();
    std::string met;
    for (const cStageChara& c : scene.World.lstStageChara) met += static_cast<char>('0' + c.bGroupCondsMet);
    EXPECT_EQ(met, "1100");  // a group beyond the flags counts as none
    EXPECT_EQ(scene.vCondFlags[3], 1);
}

}  // namespace
