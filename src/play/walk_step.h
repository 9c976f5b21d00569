#pragma once
// The move, fall and block checks of a walking stage character's step in
// the state nearly every walker is in: on its way nothing but the plain
// branches of the moves can act on it.
#include "actors/stage_chara.h"
#include "play/block_chara_index.h"
#include "play/play_scene.h"

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
// those cells (the walker sinks into the floor it stands on), the moves and
// the horizontal check are done as above and WALK_MOVED asks the caller for
// the rest of the chain from BlockHitV on (the decays included).
enum eWalkStep { WALK_REFUSED, WALK_DONE, WALK_MOVED };
eWalkStep SettledWalkStep(cStageChara& c, const cBlockCharaIndex& blockCharas);
