#pragma once
// The move, fall and block checks of a walking stage character's step in
// the state nearly every walker is in: on its way nothing but the plain
// branches of the moves can act on it.
#include <bit>
#include <cstdint>

#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "play/block_chara_index.h"
#include "play/block_clear.h"
#include "play/block_collision_util.h"
#include "play/play_scene.h"
#include "stage/stage_data.h"

// HitBlockChara answers 0 and moves nothing for a character under the walking
// rule with no block character to meet (none in `list` or the scene), none
// stood on and no contact to unstick from: the one test spares the calls.
inline bool MeetsNoBlockChara(const cChara& c, const cBlockCharaIndex& list) {
    const bool bFlyingRule = c.bScreen && (c.nBlockMode == BLOCKMODE_HIT || c.nBlockMode == BLOCKMODE_DIE);
    return !bFlyingRule && list.IsEmpty() && !c.standingOnObject &&
           (!lpPlayScene || lpPlayScene->BlockCharas.IsEmpty()) &&
           (c.bContactL | c.bContactR | c.bContactU | c.bContactD) == 0;
}

// What MoveStepX, BlockHitH, ApplyGravity, FallStep, BlockHitV, the block
// character check, PushOut and the decays of the accelerations do to a
// walker that is not carried, held or flying, has no inertial push or
// acceleration, is under the walking rule, touches nothing, meets no block
// character, and whose two moves stay within every clamp limit and within
// the cells it found clear: WALK_DONE having done it (each of them answering
// 0), WALK_REFUSED having changed nothing. When only the new rectangle leaves
// those cells and the grid does not find it clear either (the walker sinks
// into the floor it stands on), the moves and the horizontal check are done
// as above and WALK_MOVED asks the caller for the rest of the chain from
// BlockHitV on (the decays included).
enum eWalkStep { WALK_REFUSED, WALK_DONE, WALK_MOVED };
// Always inline: every walker's step asks it, and it nearly always answers.
[[gnu::always_inline]] inline eWalkStep SettledWalkStep(cStageChara& c, const cBlockCharaIndex& blockCharas) {
    // The moves take their plain branches: no carrier to follow, gravity
    // applies, the speeds alone move; under the walking rule no block check
    // is skipped and no vertical push applies. With no contact and no block
    // character nothing is pushed out or squeezed, and the accelerations,
    // being 0, do not decay.
    if ((c.standingOnObject | c.bHeld | c.bScreen) != 0 || c.IsFlying()) return WALK_REFUSED;
    // The accelerations and the push are 0 (of either sign): no bit of the
    // three but their signs is set.
    const uint64_t nMoveBits = std::bit_cast<uint64_t>(c.dAccelX) | std::bit_cast<uint64_t>(c.dPushX) |
                               std::bit_cast<uint64_t>(c.dAccelY);
    if ((nMoveBits << 1) != 0 || !MeetsNoBlockChara(c, blockCharas)) return WALK_REFUSED;
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    const double limit = PlayStage.dSpeedLimitStep;
    const double vx = WithinSpeedLimit(c.dSpeedX, limit);
    const double x = c.x + vx;
    const double x2 = x + c.nHitW - 1;
    const double vy = WithinSpeedLimit(c.dSpeedY + PlayStage.dGravityStep, limit);
    const double y = c.y + vy;
    const double y2 = y + c.nHitH - 1;
    // The grid clamps leave both moves where they are and no re-clamp runs
    // (an extent held in [0, nOuter) is no wider than the grid); the
    // horizontal check (new x, old y) is answered by the cells found clear.
    if (!sx.HoldsInGrid(x, c.nHitW) || !sy.HoldsInGrid(y, c.nHitH)) return WALK_REFUSED;
    if (!InKeptClearCells(c, x, c.y, x2, c.y2)) return WALK_REFUSED;
    // The vertical and push-out checks (new x and y) are answered by them too
    // unless the move left them: a walker sinking into the floor it stands on.
    const bool bClear = InKeptClearCells(c, x, y, x2, y2);
    // UpdateHitRectX and UpdateHitRectY in line: the grid holds x and y, so
    // they lie in [0, 2^52), where TruncPos is the whole part through a
    // 64-bit integer with no test.
    const double X = static_cast<double>(static_cast<int64_t>(x));
    const double Y = static_cast<double>(static_cast<int64_t>(y));
    c.dSpeedX = vx;
    c.x = x;
    c.x2 = x2;
    c.dRectA[0] = X + c.rangeA.nOffX;
    c.dRectA[2] = c.dRectA[0] + c.rangeA.nW - 1;
    c.dRectB[0] = X + c.rangeB.nOffX;
    c.dRectB[2] = c.dRectB[0] + c.rangeB.nW - 1;
    c.nColL = static_cast<int32_t>(x) >> 5;
    c.nColR = static_cast<int32_t>(x2) >> 5;
    c.dSpeedY = vy;
    c.dPrevAccelY = c.dAccelY;
    c.y = y;
    c.y2 = y2;
    c.dRectA[1] = Y + c.rangeA.nOffY;
    c.dRectA[3] = c.dRectA[1] + c.rangeA.nH - 1;
    c.dRectB[1] = Y + c.rangeB.nOffY;
    c.dRectB[3] = c.dRectB[1] + c.rangeB.nH - 1;
    c.nRowT = static_cast<int32_t>(y) >> 5;
    c.nRowB = static_cast<int32_t>(y2) >> 5;
    // Cells left only within 1e-6 of their edge may still be found clear by
    // the grid: then the vertical check and the push-out answer nothing too.
    if (!bClear && !HitsNoBlock(c)) return WALK_MOVED;
    // The grace is asked in line: NoGroundGrace does nothing before it is over.
    if (!CountNoGround(c, PlayStage.nSteps) &&
        c.nNoGroundFrames >= GroundGraceSteps(PlayStage.nSteps, PlayStage.dGravityStep))
        NoGroundGrace(c);
    return WALK_DONE;
}

