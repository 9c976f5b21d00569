// The activity walk, the items and the step-start walk of a sub-step: on
// stages with and without activity conditions, groups and items with
// conditions, the walks the stage allows (one walk where no character can
// see another's activity) and the separate walks leave the characters as
// recorded.
#include <string>

#include "play_grid_fixture.h"

namespace {

class ActivityWalksTest : public PlayGridTest {
public:
    ActivityWalksTest() {
        scene.World.vPlayer.resize(1);
        Place(*scene.World.Hero(), 1, 400, 400, 20, 20);
        scene.vCondFlags.assign(COND_FLAG_NUM, 0);
    }
    // Characters on and off screen, always active, running out of lifetime,
    // invincible, in contact, dying.
    cStageChara& AddPlain(int i) {
        cStageChara& c = scene.World.lstStageChara.emplace_back();
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
        cItem& item = scene.World.lstItem.emplace_back();
        if (bCond) item.data.vCond.emplace_back();
    }
    void Clear() {
        scene.World.lstStageChara.clear();
        scene.World.lstItem.clear();
    }
    // The walks of a sub-step, the first of its frame or not.
    void Walks(eStepWalks walks, bool bFrameStart) { scene.StartSubStepWalks(walks, bFrameStart, true); }
    std::string Results() const {
        std::string s;
        for (const cStageChara& c : scene.World.lstStageChara)
            s += std::to_string(c.nId) + ":" + std::to_string(c.bActive) + std::to_string(c.nActiveState) +
                 std::to_string(c.bGroupCondsMet) + std::to_string(c.bOnScreen) + std::to_string(c.bActivated) +
                 " i" + std::to_string(c.invincible) + " l" + std::to_string(c.nLifeTime) + " c" +
                 std::to_string(c.bContactL + c.bContactD) + " p" + std::to_string(c.dPrevRect[0]) + " f" +
                 std::to_string(c.nFrameValue1) + "; ";
        for (const cItem& item : scene.World.lstItem) s += "item " + std::to_string(item.bActive) + "; ";
        return s;
    }
};

TEST_F(ActivityWalksTest, EveryStageIsJudgedAsRecorded) {
    struct CASE {
        const char* name;
        void (*make)(ActivityWalksTest&);
        eStepWalks walks;  // what the stage allows
        uint64_t nDigest;  // of the results of a frame's first sub-step and a later one
    };
    const CASE cases[] = {
        {"no characters", [](ActivityWalksTest&) {}, STEPWALKS_IN_UPDATE, 0xaf63c74c8601c8ddull},
        {"plain characters", [](ActivityWalksTest& t) { t.AddPlainSet(); }, STEPWALKS_ONE, 0x45ae1760bf39fe8dull},
        {"an activity condition",
         [](ActivityWalksTest& t) {
             t.AddPlainSet();
             t.AddPlain(9).data.vCond.emplace_back();
         },
         STEPWALKS_SEPARATE, 0xad8ba436595532cdull},
        {"a group, added before plain ones",
         [](ActivityWalksTest& t) {
             cStageChara& c = t.AddPlain(0);
             c.bGroup = 1, c.nGroup = 3;
             t.AddPlainSet();
         },
         STEPWALKS_SEPARATE, 0x646e47883ba454b5ull},
        {"an item with a condition",
         [](ActivityWalksTest& t) {
             t.AddPlainSet();
             t.AddItem(true);
         },
         STEPWALKS_SEPARATE, 0xafcc61464ba22565ull},
        {"an item without one",
         [](ActivityWalksTest& t) {
             t.AddPlainSet();
             t.AddItem(false);
         },
         STEPWALKS_ONE, 0x347316af6a97a625ull},
    };
    for (const CASE& c : cases) {
        std::string results[2];
        for (const bool bFuse : {true, false}) {
            Clear();
            c.make(*this);
            const eStepWalks walks = bFuse ? cWalkFusion().Walks(scene.World, false) : STEPWALKS_SEPARATE;
            if (bFuse) {
                EXPECT_EQ(walks, c.walks) << c.name;
            }
            // The update walk is not played here: the steps it owes start after the walks.
            for (const bool bFrameStart : {true, false}) {
                cOwedStepStarts owed(scene, walks, bFrameStart);
                Walks(walks, bFrameStart);
                owed.StartRest();
                results[bFuse] += Results() + (bFrameStart ? "\n" : "");
            }
        }
        EXPECT_EQ(results[1], results[0]) << c.name;
        EXPECT_EQ(Digest(results[0]), c.nDigest) << c.name << std::hex << " 0x" << Digest(results[0]);
    }
}

TEST_F(ActivityWalksTest, TheWalksLeaveThePlainCharactersAsRecorded) {
    // The frame's first sub-step or a later one: the plain set has no frame flags to tell them apart.
    const std::string recorded =
        "10:11111 i0 l2147483647 c0 p0.000000 f-1; 11:10000 i0 l2147483647 c0 p900.000000 f-1; "
        "13:11111 i0 l2 c0 p180.000000 f-1; 14:10101 i0 l2147483647 c0 p900.000000 f-1; "
        "15:11111 i1 l2147483647 c0 p300.000000 f-1; 16:11111 i0 l0 c0 p360.000000 f-1; "
        "17:10000 i0 l2 c0 p900.000000 f-1; 18:11111 i1 l2147483647 c0 p480.000000 f-1; ";
    for (const bool bFrameStart : {false, true})
        for (const eStepWalks walks : {STEPWALKS_ONE, STEPWALKS_SEPARATE}) {
            Clear();
            AddPlainSet();
            Walks(walks, bFrameStart);
            EXPECT_EQ(Results(), recorded) << bFrameStart << walks;
            EXPECT_EQ(scene.World.lstStageChara.size(), 8u);  // one lifetime ran out
        }
}

}  // namespace
