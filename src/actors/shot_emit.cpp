#include "actors/shot_emit.h"

#include <cmath>
#include <numbers>

#include "actors/chara.h"
#include "actors/flow_run.h"
#include "actors/shot_geometry.h"
#include "records/utility.h"
#include "stage/flow_arrange.h"
#include "world/live_limits.h"
#include "world/world_state.h"

int32_t ResolveShotDirection(int32_t code, int32_t facing, int32_t startDir) {
    const bool bRight = facing != 0;
    switch (code) {
    case SHOTDIR_FRONT: return bRight ? SHOTDIR_RIGHT : SHOTDIR_LEFT;
    case SHOTDIR_BACK: return bRight ? SHOTDIR_LEFT : SHOTDIR_RIGHT;
    case SHOTDIR_FRONT_Y: return bRight ? SHOTDIR_DOWN : SHOTDIR_UP;
    case SHOTDIR_BACK_Y: return bRight ? SHOTDIR_UP : SHOTDIR_DOWN;
    case SHOTDIR_INPUT: {
        // The held direction pattern as a direction code; no direction (and
        // 前 of an old replay's rule) goes forward.
        const int32_t held = GetInputDirCode(startDir, 0, bRight ? 1 : 0);
        return held == SHOTDIR_FRONT || held == SHOTDIR_INPUT ? (bRight ? SHOTDIR_RIGHT : SHOTDIR_LEFT) : held;
    }
    default: return code;
    }
}

double DirectionAngle(int32_t dir) {
    switch (dir) {
    case SHOTDIR_RIGHT: return 180;
    case SHOTDIR_UP: return 90;
    case SHOTDIR_DOWN: return 270;
    case SHOTDIR_UP_LEFT: return 45;
    case SHOTDIR_DOWN_LEFT: return 315;
    case SHOTDIR_UP_RIGHT: return 135;
    case SHOTDIR_DOWN_RIGHT: return 225;
    default: return 0;
    }
}

void CharaStageRect(const cChara& chara, int32_t rect[4]) {
    const int32_t sx = static_cast<int32_t>(CurScrollX().dPos);
    const int32_t sy = static_cast<int32_t>(CurScrollY().dPos);
    rect[0] = chara.nScrLeft + sx;
    rect[1] = chara.nScrTop + sy;
    rect[2] = chara.nScrRight + sx;
    rect[3] = chara.nScrBottom + sy;
}

namespace {

// The volley angle of volley i: start + step × i, mirrored for a
// right-facing shooter, then spread at random.
double VolleyAngle(const cEdShot& s, int32_t i, int32_t facing) {
    int32_t a = s.nAngleOfs + s.nAngleOfsInc * i;
    if (s.nByte10 != 0 && facing != 0) a = 360 - a;
    while (a >= 360) a -= 360;
    if (s.nSpread != 0) a += RandRange(-s.nSpread, s.nSpread);
    return a;
}

}  // namespace

void FireShot(SHOTLIST& list, cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world) {
    const int32_t startDir = lpFlow ? lpFlow->startDir : 0;
    SHOTWORK work;
    work.nFlowId = lpFlow && lpFlow->def ? lpFlow->def->nFlowID : 0;
    work.nCode = SPAWN_SHOT;
    work.nDir = ResolveShotDirection(settings.nByte5, chara.nFacing, startDir);
    work.nW = work.nH = settings.nByte26 * 16;
    if (chara.nKind == 1) chara.UpdateScreenRect();
    cChara* lpAim = ShotTargetEntry(chara, settings.nByte7);
    cChara* lpShotTarget = ShotTargetEntry(chara, settings.nByte30);
    if (lpAim && lpAim->nKind == 1) lpAim->UpdateScreenRect();
    if (lpShotTarget && lpShotTarget != lpAim && lpShotTarget->nKind == 1) lpShotTarget->UpdateScreenRect();

    work.dAngle = VolleyAngle(settings, 0, chara.nFacing);
    work.dSpeed = settings.nSpeed * 0.1;
    work.nRange = settings.nRange;
    work.nLife = settings.nLife;
    for (int32_t i = 0; i <= settings.nCloneNum; ++i) {
        // A full list refuses every further shot: the volleys stop there.
        if (!LiveRoomFor(LIVE_SHOT, list.size())) break;
        work.nVolley = i;
        work.dOfsX = settings.GetOffsetX(i, chara.nFacing);
        work.dOfsY = settings.GetOffsetY(i, chara.nFacing);
        RunFormation(&list, chara, settings, work, world);
        work.dSpeed += settings.nSpeedInc * 0.1;
        work.dAngle = VolleyAngle(settings, i + 1, chara.nFacing);
        work.nRange += settings.nRangeInc;
        work.nLife += settings.nLifeInc;
    }
}

void SpawnFromFormation(SHOTLIST* lpList, SHOTWORK& work, cChara& chara, const cEdShot& settings, cWorldState* world) {
    if (work.nCode != SPAWN_SHOT) {
        SpawnSummoned(work, chara, settings, world);
        return;
    }
    // Refused before it is built: a shot's set-up takes a place on its shooter.
    if (!lpList || !LiveRoomFor(LIVE_SHOT, lpList->size())) return;
    cShot shot;
    shot.Setup(TakeShotId(world), chara, SPAWN_SHOT, settings, work);
    AddShot(*lpList, shot, world);
}
