// Landing on and bumping into block cells, and the stage character's jump
// and push steps.
#include <cmath>
#include <typeinfo>

#include "actors/damage.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "records/utility.h"

void cChara::OnLand(cWorldState* world) {
    dSpeedY = dPushY = 0;
    dAccelY = dPrevAccelY = 0;
    landed = 1;
    bJump = bJumpHold = bKnockBack = 0;
    bFalling = 0;
    // cPlayer is final: its exact type tells, without the walk of a cast.
    if (typeid(*this) == typeid(cPlayer)) static_cast<cPlayer*>(this)->bJumping = 0;
    // The bottom edge ends just above the cell boundary.
    const int32_t bottom = static_cast<int32_t>(std::trunc(y2));
    const int32_t lift = (bottom & 31) + 1;
    y -= lift;
    y2 -= lift;
    FixAfterMoveY(world);
    // A character with no flow of the three has nothing to start.
    if (!(nFlowTriggerMask & (TriggerBit(TRIGGER_BLOCK) | TriggerBit(TRIGGER_BLOCK_ANY) | TriggerBit(TRIGGER_LANDED))))
        return;
    StartCharaTrigger(*this, TRIGGER_BLOCK);
    StartCharaTrigger(*this, TRIGGER_BLOCK_ANY);
    StartCharaTrigger(*this, TRIGGER_LANDED);
}

void cChara::OnHitCeiling(cWorldState* world) {
    bJump = bJumpHold = 0;
    dSpeedY = dPushY = 0;
    if (!GetSysSwitch(SystemData, eSysSwitch::KeepAcceleration)) dAccelY = dPrevAccelY = 0;
    const int32_t top = static_cast<int32_t>(std::trunc(y));
    const int32_t drop = 32 - (top & 31);
    y += drop;
    y2 += drop;
    FixAfterMoveY(world);
    if (!(nFlowTriggerMask & (TriggerBit(TRIGGER_BLOCK) | TriggerBit(TRIGGER_BLOCK_ANY) | TriggerBit(TRIGGER_CEILING))))
        return;
    StartCharaTrigger(*this, TRIGGER_BLOCK);
    StartCharaTrigger(*this, TRIGGER_BLOCK_ANY);
    StartCharaTrigger(*this, TRIGGER_CEILING);
}

void cStageChara::JumpStep(cFlowCmdRun& state, const cFlowRun* /*lpFlow*/) {
    if (state.nWork[0] != 0 || !IsStanding()) return;
    state.nWork[0] = 1;
    ClearStanding(false);
    lpStandBlock = nullptr;
    dSpeedY = state.dJumpSpeed;
    bJump = 1;
    landed = 0;
}

void cStageChara::ApplyPush(PUSHREC& rec) {
    if (rec.bDone) return;
    const bool bFree = !bJump && !bFalling && !bKnockBack && dAccelY == 0;
    if (bFree) {
        rec.bDone = 1;
        if (rec.nSound != 0 && !(rec.bQuietWhenDead && hp == 0)) PlaySE(rec.nSound);
        dSpeedX = rec.dSpeedX;
        dSpeedY = rec.dSpeedY;
        bKnockBack = bFalling = 1;
        landed = 0;
        return;
    }
    ++rec.nCounter;
    const int32_t v = PlayStage.nSteps > 0 ? PlayStage.nSteps : 1;
    if (rec.nCounter >= 4 * v || IsStanding()) {
        rec.bDone = 1;
        dAccelX = dAccelY = 0;
        rec.nWord = 0;
    }
}
