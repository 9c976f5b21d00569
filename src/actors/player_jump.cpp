// The player's step of a ジャンプ command: a held jump key starts the jump
// from the ground (not from a floor that forbids jumping) or from an object
// stood on; releasing it early cuts the rise.
#include <cmath>

#include "actors/key_cond.h"
#include "actors/player.h"
#include "database/global_objects.h"
#include "records/utility.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

namespace {

// Speed kept when the jump key is released during the rise.
constexpr double RELEASE_FACTOR = 0.3;
// Speed factor of a jump off an object.
constexpr double OBJECT_JUMP_FACTOR = 1.02;
constexpr int32_t HEIGHT_UNIT = 16;

int32_t Param(const cFlowCmd* lpCmd, int i) {
    if (!lpCmd || i >= static_cast<int>(lpCmd->vParam.size())) return 0;
    return lpCmd->vParam[i];
}

// Modes 1 and 2: the last key step of the running flow against the keys
// held now. A flow without key steps asks for no key, so the key counts as held.
bool KeyHeldNow(const cPlayer& p, const cFlowRun* flow) {
    if (!flow || !flow->def || flow->def->vKeyCond.empty()) return true;
    if (!p.input) return false;
    return JudgeKeysNow(*p.input, flow->def->vKeyCond.back(), p.nFacing == 0);
}

}  // namespace

double cPlayer::CalcJumpSpeed(double height) {
    const double g = PlayStage.dGravityStep;
    if (height <= 0 || g <= 0) return 0;
    return -std::sqrt(2.0 * g * height);
}

void cPlayer::JumpStep(cFlowCmdRun& state, const cFlowRun* lpFlow) {
    if (IsFlying() || bJumpHandled) return;
    bJumpHandled = 1;
    // Each run of a jump command may jump once.
    if (state.nStepCounter == 0) bJumpedThisCmd = 0;
    const int32_t mode = Param(state.cmd, 0);
    if (mode == 2) state.dJumpSpeed = CalcJumpSpeed(static_cast<double>(Param(state.cmd, 1)) * HEIGHT_UNIT);
    const bool bHeld = mode == 0 || KeyHeldNow(*this, lpFlow);
    const int32_t L = PlayStage.nSteps > 0 ? PlayStage.nSteps : 1;
    // On the ground until the frames-without-ground grace has run out (the
    // falling flag): a resting character meets its floor only on the steps
    // it sinks back into it.
    const bool bOnGround = !standingOnObject && (IsStanding() || (!bFalling && lpLastStandBlock && !bJump));
    const bool bAirborne = !bOnGround && !standingOnObject;
    if (bHeld) {
        ++nJumpCounter;
        const bool bMayStart = !bAirborne && nJumpCounter <= L && (!bJumping || standingOnObject) && bJumpReady &&
                               !bKnockBack && !bJumpedThisCmd;
        bool bStarted = false;
        // A floor of block effect 2 forbids jumping off it.
        if (bMayStart && bOnGround && !bSpecialFloor) {
            dSpeedY = state.dJumpSpeed;
            bStarted = true;
        } else if (bMayStart && standingOnObject && nObjectContactCount == L) {
            ClearStanding(false);
            dSpeedY = state.dJumpSpeed * OBJECT_JUMP_FACTOR;
            bStarted = true;
        }
        if (bStarted) {
            lpStandBlock = nullptr;
            landed = 0;
            bJump = 1;
            bJumpedThisCmd = 1;
            if (state.cmd && state.cmd->nSE != 0) PlaySE(state.cmd->nSE);
        }
        if (nJumpCounter > state.total || (!bStarted && !bJump)) {
            bJumping = 1;
            bJumpReady = 0;
        }
        return;
    }
    if (nJumpCounter >= 1 && nJumpCounter <= state.total && !bJumping && !bKnockBack) {
        if (standingOnObject) ClearStanding(false);
        if (dSpeedY < 0) dSpeedY *= RELEASE_FACTOR;
        bJumping = 1;
    }
    nJumpCounter = 0;
    bJumpReady = 1;
}
