#include "actors/shot.h"

#include <cmath>

#include "actors/chara.h"
#include "actors/flow_run.h"
#include "actors/shot_emit.h"
#include "actors/shot_geometry.h"
#include "actors/shot_move.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "world/block_grid.h"
#include "world/live_limits.h"
#include "world/world_state.h"

void cShot::OnScale(int32_t newScale) {
    nCellOffX = nBaseCellOffX * newScale;
    nCellOffY = nBaseCellOffY * newScale;
}

void cShot::AdjustYOnScale(int32_t newScale, int32_t oldScale, cWorldState* /*world*/) {
    y -= (nBaseHitH >> 1) * (newScale - oldScale);
    ClampY(2);
}

void cShot::UpdateHitRectX() {
    dRect[0] = x;
    dRect[2] = x2;
}

void cShot::UpdateHitRectY() {
    dRect[1] = y;
    dRect[3] = y2;
}

void cShot::Setup(int32_t id, cChara& shooter, int32_t code, const cEdShot& s, const SHOTWORK& work) {
    settings = s;
    nCode = code;
    bFlying = code != SPAWN_SWORD;
    nVolley = work.nVolley;
    dFireAngle = work.dObjAngle;
    int32_t force = s.nByte23 != 0 ? shooter.Side() : s.nForce;
    if (force < 0) force = 0;
    if (force >= HIT_SIDE_NUM) force = HIT_SIDE_NUM - 1;
    const int32_t scale = s.nByte26 < 1 ? 1 : s.nByte26;
    if (bFlying) {
        // The hit box is centred in the 16 × 16 cell.
        const bool bHero = shooter.nKind == 0;
        const int32_t w = bHero ? PlayStage.nHeroRange2W : PlayStage.nShotRangeW;
        const int32_t h = bHero ? PlayStage.nHeroRange2H : PlayStage.nShotRangeH;
        cGameObject::Setup(id, shooter.nKind, 0, force, 0, nullptr, 0, 8 - w / 2, 8 - h / 2, w, h, 16, 16, 0, 0, 0);
    } else {
        // A sword's box is its frame; the first update places and sizes it.
        cGameObject::Setup(id, shooter.nKind, 0, force, 0, nullptr, 0, 0, 0, work.nW, work.nH, work.nW, work.nH, 0,
                           0, 0);
    }
    nScale = 1;
    // A shot's moves leave the view alone: no world to follow.
    SetScale(scale, 1, nullptr);
    nScale = scale;
    x = work.dPosX;
    y = work.dPosY;
    ClampX(2);
    ClampY(2);
    const int32_t steps = ShotSteps();
    dVelX = work.dVelX / steps;
    dVelY = work.dVelY / steps;
    nFacing = bFlying ? (dVelX >= 0 ? 1 : 0) : shooter.nFacing;
    bDriven = s.nByte34 != 0;
    dAccelX = dAccelY = 0;
    const double v = std::hypot(dVelX, dVelY);
    if (bDriven && v > 0) {
        const double a = (s.nAccelInc * work.nVolley + s.nAccel) * 0.1 / steps;
        dAccelX = a * dVelX / v;
        dAccelY = a * dVelY / v;
    }
    dSpeedX = dSpeedY = 0;
    bCarried = s.bScrollCarry;
    bLife = s.nByte41 != 0;
    nLife = work.nLife * steps * 6;
    bStop = s.bRangeOn != 0;
    bStopInstead = s.nByte40 != 0;
    bPassBlocks = s.nByte44 == 1;
    if (bStop) {
        int32_t d = work.nRange * 32 / 2 - nHitW;
        if (d < 0) d = 0;
        const double step = std::fabs(work.dSpeed) / steps;
        if (d > 0 && step > 0) nStopTime = static_cast<int32_t>(d / step);
        else if (step > 0 && static_cast<int32_t>(steps * step) > nHitW) nStopTime = static_cast<int32_t>(nHitW / step);
        else nStopTime = steps;
        if (nStopTime < steps) {
            nStopTime = steps;
            const double sum = std::fabs(dVelX) + std::fabs(dVelY);
            if (sum > 0) {
                const double k = (static_cast<double>(d) / steps) / sum;
                dVelX *= k;
                dVelY *= k;
            }
        }
    }
    nMoveKind = bFlying && s.nMoveType < SHOTMOVE_NUM ? s.nMoveType : static_cast<int32_t>(SHOTMOVE_STRAIGHT);
    nSwordType = bFlying ? 0 : s.nMoveType;
    nMoveFrame = 0;
    bAimed = bHomed = bFalling = bWaveReady = 0;
    dWavePhase = 0;
    SetAttack(shooter, s, work.nFlowId);
}

void cShot::SetAttack(cChara& shooter, const cEdShot& s, int32_t nFlowId) {
    bErased = 0;
    bActive = 1;
    lstHit.clear();
    SetShooter(&shooter);
    // Only the movements that aim at or home on the target keep it.
    const bool bAims = bFlying && (nMoveKind == SHOTMOVE_AIM_TARGET || nMoveKind == SHOTMOVE_HOME_TARGET);
    SetTarget(bAims ? ShotTargetEntry(shooter, s.nByte30) : nullptr);
    // Its hits count for the shooter while the shooter is there, reporting
    // the id of the flow that fired it.
    bCountsForShooter = 1;
    nShooterFlowId = nFlowId;
    nPower = s.nPower;
    nImpact = s.nImpact;
    nHitEffect = s.nEffect;
    // The carried item: settings kind 1 names the common palette, 2 the stage's.
    const bool bItem = s.nItemKind == 1 || s.nItemKind == 2;
    nItemKind = s.nItemKind == 2 ? 1 : 0;
    nItemNo = bItem ? s.nItemIndex : 0;
}

namespace {

// The shot lies within the cells last seen clear for its side, with the
// blocks unchanged since: it hits none (see KeepClearCells).
// Always inline: every flying shot's step asks it.
[[gnu::always_inline]] inline bool InKnownClearCells(const cShot& s) {
    const cShot::CLEARCELLS& known = s.clearCells;
    return known.nVersion == BlockHitsVersion && known.nSide == s.nKind3 && s.x >= known.dLeft &&
           s.y >= known.dTop && s.x2 < known.dRight && s.y2 < known.dBottom && s.x <= s.x2 && s.y <= s.y2;
}

// What the step of a flying shot reads of the scroll and the stage, taken
// once for a walk over the shots: no shot's step moves the scroll or
// changes the stage's values or the system switches.
struct SHOTSTEPVIEW {
    cWorldState* world;       // where the moves look for their subjects
    const cScrollAxis& sx;
    const cScrollAxis& sy;
    double dCarryX, dCarryY;  // the speeds a carried shot takes
    double dLimit;            // the speed limit per step
};
SHOTSTEPVIEW ShotStepView(cWorldState* world) {
    const cScrollAxis& sx = WorldScrollX(world);
    const cScrollAxis& sy = WorldScrollY(world);
    const bool bCarry = !GetSysSwitch(SystemData, eSysSwitch::NoCarryOfShots);
    return {world, sx, sy, bCarry && !sx.bClamped ? sx.dAutoStep : 0, bCarry && !sy.bClamped ? sy.dAutoStep : 0,
            PlayStage.dSpeedLimitStep};
}

// SetExtentX and SetExtentY of a shot, whose hit rectangle is its own.
[[gnu::always_inline]] inline void SetShotExtentX(cShot& s) {
    s.x2 = s.x + s.nHitW - 1;
    s.dRect[0] = s.x;
    s.dRect[2] = s.x2;
    s.nColL = static_cast<int32_t>(s.x) >> 5;
    s.nColR = static_cast<int32_t>(s.x2) >> 5;
}
[[gnu::always_inline]] inline void SetShotExtentY(cShot& s) {
    s.y2 = s.y + s.nHitH - 1;
    s.dRect[1] = s.y;
    s.dRect[3] = s.y2;
    s.nRowT = static_cast<int32_t>(s.y) >> 5;
    s.nRowB = static_cast<int32_t>(s.y2) >> 5;
}

// What the step of a flying shot ends with: the shot is to be removed, or
// kept (SHOT_IN_CLEAR: lying in the cells it found clear).
enum eShotStep { SHOT_KEEP = 0, SHOT_REMOVE = 1, SHOT_IN_CLEAR = 2 };

// One step of a flying shot (its Update). Always inline: UpdateShots takes
// it in line for every flying shot.
[[gnu::always_inline]] inline eShotStep StepFlyingShot(cShot& s, const SHOTSTEPVIEW& v) {
    if ((s.nMoveKind | s.bCarried | s.bDriven | s.bFalling) == 0) {
        // A straight shot that nothing carries, drives or lets fall: the
        // speeds are its own velocity (what the steps below work out).
        s.dCarryX = 0;
        s.dCarryY = 0;
        ++s.nMoveFrame;
        s.dSpeedX = 0.0 + s.dVelX;
        s.dSpeedY = 0.0 + s.dVelY;
    } else {
        // Speed taken from the scrolling screen.
        s.dCarryX = s.bCarried ? v.dCarryX : 0;
        if (!s.bFalling) s.dCarryY = s.bCarried ? v.dCarryY : 0;
        // A straight shot keeps its velocity.
        if (s.nMoveKind != SHOTMOVE_STRAIGHT) RunShotMovement(s, v.world);
        ++s.nMoveFrame;
        if (s.bDriven) {
            s.dVelX += s.dAccelX;
            if (s.bFalling) s.dSpeedY += s.dAccelY;
            else s.dVelY += s.dAccelY;
        }
        s.dSpeedX = s.dCarryX + s.dVelX;
        if (!s.bFalling) s.dSpeedY = s.dCarryY + s.dVelY;
    }
    s.nFacing = s.dSpeedX >= 0 ? 1 : 0;
    if (s.bLife && --s.nLife < 1) return SHOT_REMOVE;
    if (s.bStop && s.nStopTime > 0 && --s.nStopTime == 0) {
        if (!s.bStopInstead) return SHOT_REMOVE;
        s.nMoveKind = SHOTMOVE_STRAIGHT;
        s.dVelX = s.dVelY = s.dAccelX = s.dAccelY = 0;
        s.bFalling = 0;
        s.dSpeedX = s.dCarryX;
        s.dSpeedY = s.dCarryY;
    }
    // LimitMoveSpeed(2) and LimitFallSpeed(2), inline: a position the grid
    // holds is left where it is by the clamp, whose last part alone runs.
    s.dSpeedX = WithinSpeedLimit(s.dSpeedX, v.dLimit);
    s.x += s.dSpeedX;
    if (v.sx.HoldsInGrid(s.x, s.nHitW)) SetShotExtentX(s);
    else s.ClampX(2);
    if (s.dSpeedY != 0) {
        s.dSpeedY = WithinSpeedLimit(s.dSpeedY, v.dLimit);
        s.y += s.dSpeedY;
        if (v.sy.HoldsInGrid(s.y, s.nHitH)) SetShotExtentY(s);
        else s.ClampY(2);
    }
    // The test of the known clear cells inline: it answers nearly every step.
    if (s.bPassBlocks) return SHOT_KEEP;
    if (InKnownClearCells(s)) return SHOT_IN_CLEAR;
    return s.HitsBlock() ? SHOT_REMOVE : SHOT_KEEP;
}

}  // namespace

int32_t cShot::Update(cWorldState* world) {
    if (!bFlying) return UpdateSword();
    return StepFlyingShot(*this, ShotStepView(world)) == SHOT_REMOVE ? 1 : 0;
}

namespace {

// The cells under a shot's rectangle, all within the grid: each is kept as
// clear when it is empty or passes the shot's side (a block with conditions
// is never kept: only the cell can tell). Every cell a block check samples
// lies among them, so a shot inside them hits nothing.
bool KeepClearCells(const cShot& s, const cScrollAxis& sx) {
    if (!(s.x >= 0 && s.y >= 0 && s.x <= s.x2 && s.y <= s.y2 && s.x2 < sx.nPitch * 32.0)) return false;
    const int32_t c0 = static_cast<int32_t>(s.x) >> 5, c1 = static_cast<int32_t>(s.x2) >> 5;
    const int32_t r0 = static_cast<int32_t>(s.y) >> 5, r1 = static_cast<int32_t>(s.y2) >> 5;
    const int32_t size = static_cast<int32_t>(BlockHits.size());
    if (((r1 << sx.nPitchShift) + c1) >= size) return false;
    for (int32_t row = r0; row <= r1; ++row)
        for (int32_t col = c0; col <= c1; ++col) {
            const BLOCKHIT h = BlockHits.data()[(row << sx.nPitchShift) + col];
            if (h.byKind != 0 && (h.byKind == BLOCKHIT_ASK || h.byPassGroup != s.nKind3)) return false;
        }
    s.clearCells = {BlockHitsVersion, s.nKind3, c0 * 32.0, r0 * 32.0, (c1 + 1) * 32.0, (r1 + 1) * 32.0};
    return true;
}

}  // namespace

bool cShot::HitsBlock() const {
    if (bPassBlocks || InKnownClearCells(*this)) return false;
    const cScrollAxis& sx = CurScrollX();
    if (KeepClearCells(*this, sx)) return false;
    const auto cell = [&](int32_t col, int32_t row) {
        if (col < 0 || row < 0 || col >= sx.nPitch) return false;
        return GetBlockHitKindAt((row << sx.nPitchShift) + col, nKind3) != 0;
    };
    const auto at = [](double p) { return static_cast<int32_t>(p) >> 5; };
    const auto hits = [&](double px, double py) { return cell(at(px), at(py)); };
    if (nHitW > 32 || nHitH > 32) {
        for (double py = y;; py += 32) {
            if (py > y2) py = y2;
            for (double px = x;; px += 32) {
                if (px > x2) px = x2;
                if (hits(px, py)) return true;
                if (px >= x2) break;
            }
            if (py >= y2) break;
        }
        return false;
    }
    // A small shot's corners lie in at most two columns and two rows: each
    // cell under them is looked at once, in the order of the corners (a look
    // again at a cell would answer the same).
    const int32_t c0 = at(x), c1 = at(x2), r0 = at(y), r1 = at(y2);
    if (cell(c0, r0) || (c1 != c0 && cell(c1, r0))) return true;
    return r1 != r0 && (cell(c0, r1) || (c1 != c0 && cell(c1, r1)));
}

cShot* AddShot(SHOTLIST& list, const cShot& shot, cWorldState* world) {
    if (!LiveRoomFor(LIVE_SHOT, list.size())) return nullptr;
    auto* lpShot = new cShot(shot);
    lpShot->place.lpList = &list;
    lpShot->place.nPlace = list.push_back(lpShot);
    if (world) {
        auto& buckets = world->vAttackBucket;
        const int32_t side = lpShot->Side();
        if (side >= 0 && side < static_cast<int32_t>(buckets.size())) buckets[side].Add(lpShot, HITKIND_ATTACK);
    }
    return lpShot;
}

namespace {

// Takes the shot at place i out of its bucket and destroys it; the place after it.
std::size_t EraseShotAt(SHOTLIST& list, std::size_t i, cWorldState* world) {
    if (world) {
        auto& buckets = world->vAttackBucket;
        const int32_t side = list.At(i)->Side();
        if (side >= 0 && side < static_cast<int32_t>(buckets.size())) buckets[side].Remove(list.At(i));
    }
    return list.Erase(i);
}

}  // namespace

SHOTLIST::iterator EraseShot(SHOTLIST& list, SHOTLIST::iterator it, cWorldState* world) {
    return SHOTLIST::iterator(&list, EraseShotAt(list, it.Place(), world));
}

void CompactShots(SHOTLIST& list) {
    list.Compact([](cShot* s, std::size_t place) { s->place.nPlace = place; });
}

void UpdateShots(cWorldState* world) {
    if (!world) return;
    SHOTLIST& list = world->lstShots;
    CompactShots(list);
    // No shot's move moves the scroll.
    const cScrollEdgeLimits limits[2] = {cScrollEdgeLimits(PlayStage.StageIntRec[INTREC_SHOT0]),
                                         cScrollEdgeLimits(PlayStage.StageIntRec[INTREC_SHOT])};
    // A shot in the cells it found clear, when they lie within the box of its
    // rule, is not beyond it: its rectangle is not looked at.
    const cScrollEdgeLimits::CELLSBOX boxes[2] = {limits[0].InsideBox(), limits[1].InsideBox()};
    const SHOTSTEPVIEW view = ShotStepView(world);
    // Places are walked against the list's length each time: a shot added on
    // the way is reached.
    for (std::size_t i = 0; i < list.Places(); ++i) {
        cShot* lpShot = list.At(i);
        if (!lpShot) continue;
        // Update, with a flying shot's step in line.
        bool bErase;
        if (lpShot->bFlying) {
            const eShotStep r = StepFlyingShot(*lpShot, view);
            const int32_t rule = lpShot->Side() == 0 ? 0 : 1;
            const cShot::CLEARCELLS& known = lpShot->clearCells;
            bErase = r == SHOT_REMOVE ||
                     ((r == SHOT_KEEP || !cScrollEdgeLimits::HoldsCells(boxes[rule], known.dLeft, known.dTop,
                                                                        known.dRight, known.dBottom)) &&
                      limits[rule].Beyond(*lpShot));
        } else {
            bErase = lpShot->UpdateSword() != 0;
        }
        if (bErase) EraseShotAt(list, i, world);
    }
}

int32_t TakeShotId(cWorldState* world) {
    return world ? world->nNextOtherId++ : 0;
}
