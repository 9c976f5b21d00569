// The settled walker's step against the whole chain of moves and block
// checks it stands for: wherever it answers, it leaves every field as the
// chain would and the chain answers 0 at every call; where it does not, it
// changes nothing.
#include "play/walk_step.h"

#include <cmath>
#include <limits>
#include <string>

#include "play/block_clear.h"
#include "play/block_collision.h"
#include "play_grid_fixture.h"

namespace {

using WalkStepTest = PlayGridTest;

// The chain of a stage character's step that SettledWalkStep answers for, in
// its two parts: the moves with the horizontal check, then the vertical
// checks on; each false when any of it answers other than 0.
bool RunMoves(cStageChara& c) {
    if (c.standingOnObject) CarryOnObject(c);
    bool bZero = c.MoveStepX(lpWorld) == 0;
    bZero &= BlockHitH(c) == 0;
    c.ApplyGravity();
    bZero &= c.FallStep(lpWorld) == 0;
    return bZero;
}
bool RunChecks(cStageChara& c, const cBlockCharaIndex& blockCharas) {
    bool bZero = BlockHitV(c) == 0;
    bZero &= (MeetsNoBlockChara(c, blockCharas) ? 0 : HitBlockChara(c, blockCharas)) == 0;
    PushOut(c);
    c.DecayAccelX();
    c.DecayAccelY();
    return bZero;
}
bool RunChain(cStageChara& c, const cBlockCharaIndex& blockCharas) {
    const bool bZero = RunMoves(c);
    return RunChecks(c, blockCharas) && bZero;
}

template <class T>
std::string Bits(const T& v) {
    return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}

// Every field the chain may write, byte for byte.
std::string State(const cStageChara& c) {
    std::string s;
    for (double d : {c.x, c.y, c.x2, c.y2, c.dSpeedX, c.dSpeedY, c.dPushX, c.dPushY, c.dAccelX, c.dAccelY,
                     c.dPrevAccelY})
        s += Bits(d);
    for (int i = 0; i < 4; ++i) s += Bits(c.dRectA[i]) + Bits(c.dRectB[i]);
    for (int32_t n : {c.nColL, c.nColR, c.nRowT, c.nRowB, c.nNoGroundFrames, c.bFalling, c.bContactL, c.bContactR,
                      c.bContactU, c.bContactD, c.landed, c.nLastBlockSide})
        s += Bits(n);
    s += Bits(c.lpStandBlock) + Bits(c.lpLastStandBlock);
    const cChara::CLEARCELLS& k = c.ClearCells;
    s += Bits(k.nVersion) + Bits(k.nSide) + Bits(k.dLeft) + Bits(k.dTop) + Bits(k.dRight) + Bits(k.dBottom);
    return s;
}

struct WALKCASE {
    const char* name;
    double x, y;          // where the character stands
    double keptX, keptY;  // where it found its clear cells (NAN: none found)
    double speedX, speedY;
    int flag;  // one state that the settled step must leave to the chain
};

enum { F_NONE, F_SCREEN, F_PASS, F_ACCELX, F_PUSHX, F_ACCELY, F_FLYING, F_HELD, F_CONTACT, F_PUSHY, F_MINUSZERO, F_TINY };

TEST_F(WalkStepTest, AnswersAsTheChainWhereverItAnswers) {
    Cell(3, 8, 1);  // a floor under x 96..127 at y 256
    Cell(6, 4, 1);  // a wall cell at x 192..223, y 128..159
    PlayStage.dGravityStep = 0.25;
    PlayStage.dSpeedLimitStep = 6;
    scene.World.ScrollY.nBaseMax = 700;  // beyond it a character falls out of the stage
    scene.World.ScrollX.nMax = 900;      // beyond it a scroll limit is passed
    scene.World.ScrollX.KeepHoldLimits();
    scene.World.ScrollY.KeepHoldLimits();
    const WALKCASE cases[] = {
        {"inside its cells", 100, 200, 100, 200, 1.5, 0, F_NONE},
        {"walking left", 110, 200, 110, 200, -1.5, 0.5, F_NONE},
        {"faster than the limit", 100, 200, 100, 200, 9, 0, F_NONE},
        {"faster than the limit left", 120, 200, 120, 200, -9, -9, F_NONE},
        {"into the next column", 105.5, 200, 105.5, 200, 2, 0, F_NONE},
        {"landing on the floor", 100, 234.9, 100, 234.9, 0, 1, F_NONE},
        {"landing walking right", 100, 234.9, 100, 234.9, 1.25, 0.3, F_NONE},
        {"landing walking left", 120, 234.5, 120, 234.5, -1.25, 0.3, F_NONE},
        {"landing at the floor's left end", 80, 234.9, 80, 234.9, 0.5, 0.5, F_NONE},
        {"landing at the floor's right end", 126.5, 234.9, 126.5, 234.9, 1, 0.5, F_NONE},
        {"landing at a column boundary", 96, 234.9, 96, 234.9, 0, 0.5, F_NONE},
        {"resting within the slack", 100, 235 - 0.5e-6, 100, 235 - 0.5e-6, 0, -0.25, F_NONE},
        {"resting just above the slack", 100, 235 - 2e-6, 100, 235 - 2e-6, 0, -0.25, F_NONE},
        {"sinking to the cell boundary", 100, 234.75, 100, 234.75, 0, 0, F_NONE},
        {"sinking into the slack", 100, 234.75 - 0.5e-6, 100, 234.75 - 0.5e-6, 0, 0, F_NONE},
        {"sinking to just above the slack", 100, 234.75 - 2e-6, 100, 234.75 - 2e-6, 0, 0, F_NONE},
        {"sinking to an ulp short of the floor", 100, 234.75 - 0x1p-45, 100, 234.75 - 0x1p-45, 0, 0, F_NONE},
        {"sinking to a hair short of the floor", 100, 234.75 - 1e-12, 100, 234.75 - 1e-12, 0, 0, F_NONE},
        {"walking within the slack", 104.5, 234.75 - 1e-9, 104.5, 234.75 - 1e-9, 1.5, 0, F_NONE},
        {"falling into clear cells", 300, 233.9, 300, 233.9, 1, 0.5, F_NONE},
        {"rising into the wall's row", 200, 161, 200, 161, 0, -3, F_NONE},
        {"rising under the wall", 196, 161, 196, 161, 0.5, -3, F_NONE},
        {"landing at the grid's bottom", 300, 700 - 22.1, 300, 700 - 22.1, 0, 0.5, F_NONE},
        {"landing at the grid's left edge", 0.25, 234.9, 0.25, 234.9, 0, 0.5, F_NONE},
        {"into the floor row", 100, 233.5, 100, 233.5, 0, 0.5, F_NONE},
        {"sinking by the last dot", 100, 234.74, 100, 234.74, 0, 0, F_NONE},
        {"against the wall", 168, 130, 168, 130, 4, 0, F_NONE},
        {"into the wall", 170, 130, 170, 130, 4, 0, F_NONE},
        {"into the wall within the slack", 168, 130, 168, 130, 5 - 1e-9, 0, F_NONE},
        {"kept cells found lower", 100, 60, 100, 70, 0, 12, F_NONE},
        {"kept cells found right", 100, 60, 104, 60, -3, 0, F_NONE},
        {"no kept cells", 100, 60, NAN, NAN, 1, 0, F_NONE},
        {"out of the stage below", 300, 679.9, 300, 679.9, 0, 0.5, F_NONE},
        {"past the scroll limit", 879.5, 300, 879.5, 300, 1.5, 0, F_NONE},
        {"at the grid's left edge", 0.5, 300, 0.5, 300, -1, 0, F_NONE},
        {"screen rule", 100, 200, 100, 200, 1, 0, F_SCREEN},
        {"passing blocks", 100, 200, 100, 200, 1, 0, F_PASS},
        {"forced speed", 100, 200, 100, 200, 1, 0, F_ACCELX},
        {"pushed", 100, 200, 100, 200, 1, 0, F_PUSHX},
        {"pushed up", 100, 200, 100, 200, 1, 0, F_PUSHY},
        {"rising", 100, 200, 100, 200, 1, 0, F_ACCELY},
        {"flying", 100, 200, 100, 200, 1, 0, F_FLYING},
        {"held", 100, 200, 100, 200, 1, 0, F_HELD},
        {"touching", 100, 200, 100, 200, 1, 0, F_CONTACT},
        {"accelerations and push of -0", 100, 200, 100, 200, 1.5, 0, F_MINUSZERO},
        {"the least acceleration", 100, 200, 100, 200, 1, 0, F_TINY},
    };
    int settled = 0, moved = 0;
    for (const WALKCASE& w : cases) {
        cStageChara a, b;
        for (cStageChara* c : {&a, &b}) {
            Place(*c, 1, std::isnan(w.keptX) ? w.x : w.keptX, std::isnan(w.keptY) ? w.y : w.keptY, 20, 22);
            if (!std::isnan(w.keptX)) HitsNoBlock(*c);
            Place(*c, 1, w.x, w.y, 20, 22);
            c->cStageChara::UpdateHitRectX();
            c->cStageChara::UpdateHitRectY();
            c->dSpeedX = w.speedX;
            c->dSpeedY = w.speedY;
            c->bFalling = w.speedY > 0 ? 1 : 0;
            switch (w.flag) {
            case F_SCREEN: c->bScreen = 1, c->nBlockMode = BLOCKMODE_HIT; break;
            case F_PASS: c->bScreen = 1, c->nBlockMode = BLOCKMODE_PASS; break;
            case F_ACCELX: c->dAccelX = 2; break;
            case F_PUSHX: c->dPushX = 1, c->bDecelPushX = 1, c->dDecel = 0.25; break;
            case F_PUSHY: c->dPushY = 1, c->bDecelPushY = 1, c->dDecel = 0.25; break;
            case F_ACCELY: c->dAccelY = -1; break;
            case F_FLYING: c->data.byFlying = 2; break;
            case F_HELD: c->bHeld = 1; break;
            case F_CONTACT: c->bContactR = 1; break;
            case F_MINUSZERO: c->dAccelX = c->dAccelY = c->dPushX = -0.0; break;
            case F_TINY: c->dAccelY = std::numeric_limits<double>::denorm_min(); break;
            default: break;
            }
        }
        const std::string before = State(b);
        const eWalkStep walk = SettledWalkStep(b, scene.BlockCharas);
        if (walk == WALK_DONE) {
            ++settled;
            EXPECT_TRUE(RunChain(a, scene.BlockCharas)) << w.name;
            EXPECT_EQ(State(a), State(b)) << w.name;
        } else if (walk == WALK_MOVED) {
            // The moves as the chain's, then the same checks on both.
            ++moved;
            EXPECT_TRUE(RunMoves(a)) << w.name;
            EXPECT_EQ(State(a), State(b)) << w.name << ": moved otherwise";
            EXPECT_EQ(RunChecks(a, scene.BlockCharas), RunChecks(b, scene.BlockCharas)) << w.name;
            EXPECT_EQ(State(a), State(b)) << w.name;
        } else {
            RunChain(a, scene.BlockCharas);
            EXPECT_EQ(State(b), before) << w.name << ": changed on the way back";
            RunChain(b, scene.BlockCharas);
            EXPECT_EQ(State(a), State(b)) << w.name;
        }
    }
    EXPECT_GE(settled, 5);
    EXPECT_GE(moved, 6);
}

}  // namespace
