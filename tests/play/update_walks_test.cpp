// Whole frames of play in the order of a sub-step (activity walk, items,
// step starts, then the updates): walkers turning at walls and shooting, on
// and off screen, always active, invincible, in contact, killed by blocks,
// the hero's death, a scrolling stage, a lifetime, a block character,
// jumpers, straight movers and swordsmen. Every case is played with the walks
// the stage allows (cWalkFusion) and with the separate walks: the states must
// be the same frame by frame, and as recorded. Every command declared to keep
// to its runner must be played here.
#include <deque>
#include <functional>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "actors/flow_exec.h"
#include "actors/flow_setup.h"
#include "actors/shot.h"
#include "platform/input/input.h"
#include "play_grid_fixture.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "stage/move.h"
#include "stage/shot.h"

namespace {

cFlowCmd Cmd(int code, int time, std::vector<int32_t> params = {}) {
    cFlowCmd c;
    c.nCode = static_cast<uint8_t>(code);
    c.nTime = static_cast<int16_t>(time);
    c.vParam.assign(params.begin(), params.end());
    return c;
}

cFlow Flow(int trigger, std::vector<cFlowCmd> cmds) {
    cFlow f;
    f.nTrigger = static_cast<uint8_t>(trigger);
    f.vCmd.assign(cmds.begin(), cmds.end());
    return f;
}

// Walks along the ground, faces the hero at walls, shoots every few frames.
cCharaData Walker(int speed) {
    cCharaData rec;
    rec.nMaxHP = 10;
    rec.byForce = 1;
    cFlowCmd walk = Cmd(CMD_GROUND_TURN_MOVE, 9999);
    cEdMove::Create(walk.spMove);
    walk.spMove->nSpeed = static_cast<int16_t>(speed);
    cFlowCmd shot = Cmd(CMD_SHOT, 1);
    cEdShot::Create(shot.spShot);
    shot.spShot->nShotNum = 1;
    shot.spShot->nSpeed = 30;
    shot.spShot->nPower = 1;
    shot.spShot->nRange = 20;
    rec.vFlow.push_back(Flow(TRIGGER_ALWAYS, {walk}));
    rec.vFlow.push_back(Flow(10, {Cmd(CMD_FACING, 0, {2})}));
    rec.vFlow.push_back(Flow(TRIGGER_ALWAYS, {Cmd(CMD_WAIT, 3), shot}));
    return rec;
}

// Moves straight ahead, jumps, swings a sword, idles.
cCharaData Jumper() {
    cCharaData rec;
    rec.nMaxHP = 10;
    rec.byForce = 1;
    cFlowCmd move = Cmd(CMD_STRAIGHT_MOVE, 12);
    cEdMove::Create(move.spMove);
    move.spMove->nSpeed = 20;
    cFlowCmd sword = Cmd(CMD_SWORD, 1);
    cEdShot::Create(sword.spShot);
    sword.spShot->nPower = 1;
    rec.vFlow.push_back(Flow(TRIGGER_ALWAYS, {move, Cmd(CMD_JUMP, 1, {0}), Cmd(CMD_NONE, 4)}));
    rec.vFlow.push_back(Flow(TRIGGER_ALWAYS, {Cmd(CMD_WAIT, 5), sword}));
    return rec;
}

// A stage of walkers over a floor between two walls, three sub-steps a frame.
class cWalkStage : public PlayGridTest {
public:
    using PlayGridTest::scene;
    cWalkStage() {
        InputList.resize(1);
        PlayStage.nSteps = 3;
        PlayStage.dSteps = 3;
        for (int col = 0; col < 32; ++col) Cell(col, 12, 1);
        for (int row = 0; row < 12; ++row) Cell(0, row, 1), Cell(31, row, 1);
        scene.vCondFlags.assign(COND_FLAG_NUM, 0);
        scene.vStepActive.assign(4, 1);
        scene.World.vPlayer.resize(1);
        cPlayer& hero = *scene.World.Hero();
        Place(hero, 1, 320, 100, 20, 20);
        hero.hp = 10000;
        scene.World.bTimeStop = 1;
    }
    ~cWalkStage() override { InputList.clear(); }
    void TestBody() override {}

    cStageChara& AddWalker(int i, cCharaData& rec) {
        cStageChara& c = scene.World.lstStageChara.emplace_back();
        c.Setup(scene.World.nNextObjectId++, rec, nullptr, 40 + 29 * i, 340, 0);
        c.bAlwaysActive = i % 4 == 1;
        c.invincible = i % 3 * 4;
        c.bContactL = i % 2;
        scene.World.CharaBucket(c.Side()).Add(&c, HITKIND_STAGECHARA);
        return c;
    }
    void AddWalkers(int n) {
        m_Recs.push_back(Walker(12));
        for (int i = 0; i < n; ++i) AddWalker(i, m_Recs.back());
    }

    // What the frames leave: every character's place, activity, step start
    // and flows, the hero, the shots.
    std::string State() const {
        std::string s;
        const auto add = [&](double v) { s += std::to_string(v) + ","; };
        for (const cStageChara& c : scene.World.lstStageChara) {
            for (double v : {c.x, c.y, c.dPrevRect[0], c.dPrevRect[1], c.dSpeedX, c.dSpeedY}) add(v);
            for (int32_t v : {c.nId, c.nFacing, c.hp, c.dying, c.bActive, c.nActiveState, c.bGroupCondsMet,
                              c.bOnScreen, c.bActivated, c.nScrLeft, c.nScrTop, c.invincible, c.bContactL,
                              c.bContactD, c.nFrameValue1, c.nLifeTime})
                add(v);
            for (const cFlowRun& f : c.flows)
                for (int32_t v : {f.running, f.current, f.frame, f.started, f.claimed}) add(v);
            s += ";";
        }
        const cPlayer& hero = scene.World.vPlayer[0];
        for (double v : {hero.x, hero.y, static_cast<double>(hero.hp), static_cast<double>(hero.dying)}) add(v);
        s += "|";
        for (const auto& shot : scene.World.lstShots)
            for (double v : {shot->x, shot->y}) add(v);
        return s + "|" + std::to_string(scene.nFrameCount) + "," + std::to_string(scene.nSubStepCount);
    }

    std::deque<cCharaData> m_Recs;  // the records the characters were made from
};

TEST(UpdateWalks, EveryStageEndsAsRecordedWithTheWalksItAllowsAndTheSeparateOnes) {
    struct CASE {
        const char* name;
        eStepWalks walks;  // what the stage allows at its start
        uint64_t nDigest;  // of the 40 frames' states
        std::function<void(cWalkStage&)> make;
        std::function<void(cWalkStage&, int)> perFrame;
    };
    const auto none = [](cWalkStage&, int) {};
    const CASE cases[] = {
        {"walkers on and off screen", STEPWALKS_IN_UPDATE, 0x25490352923fb3b3ull, [](cWalkStage& t) { t.AddWalkers(24); }, none},
        {"walkers killed by blocks", STEPWALKS_IN_UPDATE, 0x80962b4eead39e02ull, [](cWalkStage& t) { t.AddWalkers(24); },
         [](cWalkStage& t, int f) {
             int n = 0;
             for (cStageChara& c : t.scene.World.lstStageChara)
                 if (++n % 5 == f % 5) c.byBlockDeath = 2;
         }},
        {"the hero's death ends a sub-step", STEPWALKS_IN_UPDATE, 0xde091771ccee4f89ull, [](cWalkStage& t) { t.AddWalkers(24); },
         [](cWalkStage& t, int f) {
             if (f == 7) t.scene.World.nStageEnd = 2;
         }},
        {"an auto-scrolling stage", STEPWALKS_IN_UPDATE, 0x2566a31d304c6223ull,
         [](cWalkStage& t) {
             t.AddWalkers(24);
             t.scene.World.ScrollX.dAutoStep = 1.5;
         },
         none},
        {"a lifetime", STEPWALKS_ONE, 0xb0bb36fd839a4813ull,
         [](cWalkStage& t) {
             t.AddWalkers(24);
             t.scene.World.lstStageChara.back().nLifeTime = 20;
         },
         none},
        {"a block character", STEPWALKS_ONE, 0xf1aa3cd28bc62632ull,
         [](cWalkStage& t) {
             t.AddWalkers(24);
             cCharaData platform;
             platform.nMaxHP = 1;
             platform.byInvincible = 1;
             platform.byFlying = 1;
             platform.byForce = 7;
             platform.bWholeCell = 1;
             platform.vFlow.push_back(Flow(TRIGGER_ALWAYS, {Cmd(CMD_WAIT, 5)}));
             t.m_Recs.push_back(platform);
             cStageChara& c = t.scene.World.lstStageChara.emplace_back();
             c.Setup(t.scene.World.nNextObjectId++, t.m_Recs.back(), nullptr, 300, 300, 0);
             t.scene.BlockCharas.Add(&c);
             ASSERT_FALSE(t.scene.BlockCharas.IsEmpty());
         },
         none},
        {"jumpers, straight movers and swordsmen", STEPWALKS_IN_UPDATE, 0xe295c45cb4b39224ull,
         [](cWalkStage& t) {
             t.AddWalkers(8);
             t.m_Recs.push_back(Jumper());
             for (int i = 0; i < 12; ++i) t.AddWalker(i, t.m_Recs.back());
         },
         none},
    };
    std::set<int> played;
    for (const CASE& c : cases) {
        std::vector<std::string> states[2];  // by frame: the walks the stage allows, the separate ones
        for (const bool bFuse : {true, false}) {
            // Each play on a stage of its own, the program's state fresh.
            const auto t = std::make_unique<cWalkStage>();
            c.make(*t);
            if (bFuse) {
                EXPECT_EQ(cWalkFusion().Walks(t->scene.World, !t->scene.BlockCharas.IsEmpty()), c.walks) << c.name;
                for (const cCharaData& rec : t->m_Recs)
                    for (const cFlow& f : rec.vFlow)
                        for (const cFlowCmd& cmd : f.vCmd) played.insert(cmd.nCode);
            }
            for (int f = 0; f < 40; ++f) {
                c.perFrame(*t, f);
                t->scene.PlayFrame(bFuse);
                states[bFuse ? 0 : 1].push_back(t->State());
            }
        }
        std::string all;
        for (int f = 0; f < 40; ++f) {
            if (states[0][f] != states[1][f]) ADD_FAILURE() << c.name << ": the walks part at frame " << f;
            all += states[0][f] + "\n";
        }
        EXPECT_EQ(Digest(all), c.nDigest) << c.name << std::hex << " 0x" << Digest(all);
    }
    for (int code = 0; code < FLOW_CMD_PROC_SLOTS; ++code) {
        if (FlowCmdTable[code].reach == CMDREACH_SELF) {
            EXPECT_TRUE(played.count(code)) << "command " << code;
        }
    }
}

}  // namespace
