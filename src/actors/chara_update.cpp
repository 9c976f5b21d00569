// The per-frame update of players and stage characters: the speeds that
// follow automatic scrolling, the scheduled animations, the flows and (players) the deferred item
// commands; and the move steps both kinds share.
#include "actors/item_run.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/global_objects.h"
#include "world/world_state.h"

int32_t cStageChara::Update(int32_t bDying, cWorldState* world) {
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    dSpeedX = bCentreFollow && !sx.bClamped ? sx.dAutoStep : 0;
    // A walker's vertical speed is its fall or jump and carries over.
    if (IsFlying() || (bCentreFollow && bScreen)) dSpeedY = bCentreFollow && bScreen && !sy.bClamped ? sy.dAutoStep : 0;
    RunAnimeSchedule();
    // A character that vanished itself reports it, so that the frame removes it
    // (the vanish of another character asks for the death check instead).
    return RunStepFlows(bDying, world);
}

int32_t cPlayer::Update(int32_t bDying, cWorldState* world) {
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    const bool bSync = data.bAutoScrollSync != 0;
    dSpeedX = bSync && sx.dAutoStep != 0 ? sx.dAutoStep : 0;
    if (IsFlying() || bSync) dSpeedY = bSync && sx.dAutoStep != 0 && sy.dAutoStep != 0 ? sy.dAutoStep : 0;
    // A step that ran no jump step counts as the jump key let go: the next
    // jump command finds the player ready with its hold count at 0.
    if (!bJumpHandled) nJumpCounter = 0, bJumpReady = 1;
    bJumpHandled = 0;
    if (nSizeChangeCount > 0 && --nSizeChangeCount == 0) bSizeChange = 0;
    RunAnimeSchedule();
    const int32_t result = RunFlows(bDying, 1, world);
    if (result) return result;
    // Flow changes of items take effect after every flow of the frame.
    cSafeVector<cFlowCmd> queued;
    queued.swap(pendingItemCmds);
    for (const cFlowCmd& cmd : queued) ChangeFlowsCmd(*this, cmd, 1);
    return 0;
}

int32_t cChara::MoveBySpeedX() {
    if (dAccelX != 0) {
        dSpeedX = dAccelX;
    } else if (dPushX != 0) {
        Decelerate(dPushX, bDecelPushX);
        dSpeedX += dPushX;
    }
    return LimitMoveSpeed(2);
}

void cChara::AddPushY() {
    if (dPushY == 0) return;
    Decelerate(dPushY, bDecelPushY);
    dSpeedY += dPushY;
}
