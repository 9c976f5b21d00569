// The activity walk and the step-start walk run as one only while no stage
// character can see another's activity or step start: which stages take
// the single walk, and that it leaves the characters as the two walks do.
#include <string>

#include "play_grid_fixture.h"

namespace {

class ActivityWalksTest : public PlayGridTest {
public:
    ActivityWalksTest() {
        scene.vPlayer.resize(1);
        Place(*scene.Hero(), 1, 400, 400, 20, 20);
        scene.vCondFlags.assign(COND_FLAG_NUM, 0);
    }
    // Characters on and off screen, always active, running out of lifetime,
    // invincible, in contact, dying.
    cStageChara& AddPlain(int i) {
        cStageChara& c = scene.lstStageChara.emplace_back();
        Place(c, 10 + i, i % 3 == 1 ? 900 : 60 * i, 100, 20, 20);
        c.nLifeTime = i % 4 == 2 ? 0 : (i % 4 == 3 ? 3 : LIFETIME_UNLIMITED);
        c.invincible = i % 3;
        c.bContactL = c.bContactD = 1;
        c.bAlwaysActive = i % 5 == 4;
        c.dying = i == 6;
        return c;
    }
    void AddPlainSet() {
        for (int i = 0; i < 9; ++i) AddPlain(i);
    }
    void AddItem(bool bCond) {
        cItem& item = scene.lstItem.emplace_back();
        if (bCond) item.data.vCond.emplace_back();
    }
    void Clear() {
        scene.lstStageChara.clear();
        scene.lstItem.clear();
        scene.MarkActiveOnScreen(false);  // the guard has seen every character so far
    }
    std::string Results() const {
        std::string s;
        for (const cStageChara& c : scene.lstStageChara)
            s += std::to_string(c.nId) + ":" + std::to_string(c.bActive) + std::to_string(c.nActiveState) +
                 std::to_string(c.bGroupCondsMet) + std::to_string(c.bOnScreen) + std::to_string(c.bActivated) +
                 " i" + std::to_string(c.invincible) + " l" + std::to_string(c.nLifeTime) + " c" +
                 std::to_string(c.bContactL + c.bContactD) + " p" + std::to_string(c.dPrevRect[0]) + " f" +
                 std::to_string(c.nFrameValue1) + "; ";
        return s;
    }
};

TEST_F(ActivityWalksTest, OnlyStagesWhoseCharactersSeeNoOtherTakeTheSingleWalk) {
    struct CASE {
        const char* name;
        void (*make)(ActivityWalksTest&);
        bool bFuse;
    };
    const CASE cases[] = {
        {"no characters", [](ActivityWalksTest&) {}, true},
        {"plain characters", [](ActivityWalksTest& t) { t.AddPlainSet(); }, true},
        {"an activity condition",
         [](ActivityWalksTest& t) {
             t.AddPlainSet();
             t.AddPlain(9).data.vCond.emplace_back();
         },
         false},
        {"a group, added before plain ones",
         [](ActivityWalksTest& t) {
             cStageChara& c = t.AddPlain(0);
             c.bGroup = 1, c.nGroup = 3;
             t.AddPlainSet();
         },
         false},
        {"an item with a condition",
         [](ActivityWalksTest& t) {
             t.AddPlainSet();
             t.AddItem(true);
         },
         false},
        {"an item without one",
         [](ActivityWalksTest& t) {
             t.AddPlainSet();
             t.AddItem(false);
         },
         true},
    };
    for (const CASE& c : cases) {
        Clear();
        c.make(*this);
        EXPECT_EQ(scene.ActivityWalksFuse(), c.bFuse) << c.name;
    }
    // A condition character removed again lets the stage fuse once the
    // activity walk has seen the rest.
    Clear();
    AddPlainSet();
    AddPlain(9).data.vCond.emplace_back();
    EXPECT_FALSE(scene.ActivityWalksFuse());
    scene.lstStageChara.pop_back();
    EXPECT_FALSE(scene.ActivityWalksFuse());
    scene.MarkActiveOnScreen(false);
    EXPECT_TRUE(scene.ActivityWalksFuse());
}

TEST_F(ActivityWalksTest, TheSingleWalkLeavesTheCharactersAsTheTwoWalksDo) {
    for (const bool bFrameStart : {false, true}) {
        Clear();
        AddPlainSet();
        scene.MarkActiveOnScreen(bFrameStart);
        scene.UpdateItemsActive();
        scene.StartCharaSteps(true);
        const std::string two = Results();
        Clear();
        AddPlainSet();
        ASSERT_TRUE(scene.ActivityWalksFuse());
        scene.MarkActiveAndStartSteps(bFrameStart, true);
        EXPECT_EQ(Results(), two) << bFrameStart;
        EXPECT_EQ(scene.lstStageChara.size(), 8u);  // one lifetime ran out
    }
}

}  // namespace
