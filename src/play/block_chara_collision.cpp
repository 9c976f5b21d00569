// Characters against block characters: pushed out, landing and riding,
// pushed under, crushed.
#include <cmath>

#include "actors/damage.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/system/log.h"
#include "play/block_collision.h"
#include "play/block_collision_util.h"
#include "play/play_scene.h"

namespace {

// One candidate position with the block character that offered it.
struct CAND {
    bool bSet = false;
    double v = 0;
    cStageChara* lpBc = nullptr;
};

// Greater values win (left, ceiling); among equals the first stays.
void OfferMax(CAND& c, double v, cStageChara* bc) {
    if (!c.bSet || v > c.v) c = {true, v, bc};
}
// Smaller values win (right, landing).
bool OfferMin(CAND& c, double v, cStageChara* bc) {
    if (c.bSet && v >= c.v) return false;
    c = {true, v, bc};
    return true;
}

bool Skips(const cChara& c) { return c.bScreen && c.nBlockMode == BLOCKMODE_PASS; }

COLLRECT VLine(double x, double t, double b) { return {x, t, x, b}; }
COLLRECT HLine(double y, double l, double r) { return {l, y, r, y}; }

void RecordCarrier(cChara& c, const cStageChara& bc) {
    c.nCarrierId = bc.nId;
    c.dCarrierRect[0] = bc.x;
    c.dCarrierRect[1] = bc.y;
    c.dCarrierRect[2] = bc.x2;
    c.dCarrierRect[3] = bc.y2;
}

void ClearLeftGround(const cChara& c) {
    if (c.nKind == 0 && lpPlayScene && lpPlayScene->World.Hero()) lpPlayScene->World.Hero()->bLeftGround = 0;
}

// The carrier's triggers of being ridden, with the rider as partner: the
// hero starts both, another character only the second.
void StartRiddenTriggers(cChara& carrier, cChara& rider) {
    if (rider.nKind == 0) StartCharaTrigger(carrier, TRIGGER_RIDDEN_BY_HERO, &rider);
    StartCharaTrigger(carrier, TRIGGER_RIDDEN, &rider);
}

// The character goes under the block character: top = v, moving with it.
void PushUnder(cChara& c, const cStageChara& bc, double v) {
    c.dPushY = 0;
    c.bJump = 0;
    c.bJumpHold = 0;
    c.hitCeiling = 0;
    if (!GetSysSwitch(SystemData, eSysSwitch::KeepAcceleration)) c.dAccelY = 0;
    c.dSpeedY = bc.dSpeedY;
    MoveTopTo(c, v);
}

// The first block character (list order) that overlaps `u`.
cStageChara* FirstOverlapping(const cChara& c, const cBlockCharaIndex& list, const COLLRECT& u) {
    for (cStageChara& bc : list)
        if (IsBlockCharaFor(bc, c) && Overlap(u, RectOf(bc))) return &bc;
    return nullptr;
}

int32_t FlyingRule(cChara& c, const cBlockCharaIndex& list) {
    const COLLRECT me = RectOf(c);
    const double w = c.nHitW, h = c.nHitH;
    CAND left, right, ceil, land;
    bool bTouched = false;
    for (cStageChara& bc : list) {
        if (!IsBlockCharaFor(bc, c)) continue;
        const COLLRECT r = RectOf(bc);
        if (!Overlap(me, r)) continue;
        bTouched = true;
        if (PenetrationX(me, r) <= PenetrationY(me, r)) {
            if (Overlap(VLine(me.l, me.t + 1, me.b - 1), r)) c.bContactL = 1, OfferMax(left, r.r + 1, &bc);
            if (Overlap(VLine(me.r, me.t + 1, me.b - 1), r)) c.bContactR = 1, OfferMin(right, r.l - w, &bc);
        } else {
            if (Overlap(HLine(me.t, me.l + 1, me.r - 1), r)) c.bContactU = 1, OfferMax(ceil, r.b + 1, &bc);
            if (Overlap(HLine(me.b, me.l + 1, me.r - 1), r)) c.bContactD = 1, OfferMin(land, r.t - h, &bc);
        }
    }
    if (bTouched) StartCharaTrigger(c, TRIGGER_BLOCK_CHARA);
    if (c.nBlockMode == BLOCKMODE_DIE) return left.bSet || right.bSet || ceil.bSet || land.bSet ? 2 : 0;
    if (left.bSet) {
        c.dPushX = 0;
        if (left.lpBc->dSpeedX < 0 && c.dSpeedX >= 0) {
            c.bContactL = 0;
            RecheckBlockCharaAxis(c, list, 1);
        } else {
            c.bWallHit = 1;
            MoveLeftTo(c, left.v);
        }
    }
    if (right.bSet) {
        c.dPushX = 0;
        if (right.lpBc->dSpeedX > 0 && c.dSpeedX <= 0) {
            c.bContactR = 0;
            RecheckBlockCharaAxis(c, list, 1);
        } else {
            c.bWallHit = 1;
            MoveLeftTo(c, right.v);
        }
    }
    if (ceil.bSet) {
        c.dPushY = 0;
        if (ceil.lpBc->dSpeedY < 0 && c.dSpeedY >= 0) {
            c.bContactU = 0;
            RecheckBlockCharaAxis(c, list, 0);
        } else {
            MoveTopTo(c, ceil.v);
        }
    }
    if (land.bSet) {
        c.dPushY = 0;
        if (land.lpBc->dSpeedY > 0 && c.dSpeedY <= 0) {
            c.bContactD = 0;
            RecheckBlockCharaAxis(c, list, 0);
        } else {
            MoveTopTo(c, land.v);
        }
    }
    return 0;
}

// Unstick: back out of solid cells, 0.1 dot at a time toward the pusher,
// on the sides the block characters pushed from (or, by the switch, on the
// sides in contact).
void Unstick(cChara& c, bool bLeft, bool bRight, bool bUp, bool bDown) {
    // No side to push from by either rule: nothing moves.
    const bool bPushed = bLeft || bRight || bUp || bDown;
    if (!(bPushed || c.bContactL || c.bContactR || c.bContactU || c.bContactD)) return;
    const bool bByFlags = GetSysSwitch(SystemData, eSysSwitch::UnstickByPosition) != 0;
    // By the pushers, and none pushed (a character that only lands): nothing moves.
    if (!bByFlags && !bPushed) return;
    const bool bSteps[4] = {bByFlags ? c.bContactL != 0 : bLeft, bByFlags ? c.bContactR != 0 : bRight,
                            bByFlags ? c.bContactU != 0 : bUp, bByFlags ? c.bContactD != 0 : bDown};
    for (int32_t k = 0; k < 4; ++k) {
        if (!bSteps[k]) continue;
        for (int32_t n = 0; n < 15 && CornerCellsSolid(c); ++n) {
            if (k == 0) MoveLeftTo(c, c.x - 0.1);
            else if (k == 1) MoveLeftTo(c, c.x + 0.1);
            else if (k == 2) MoveTopTo(c, c.y - 0.1);
            else MoveTopTo(c, c.y + 0.1);
        }
    }
}

int32_t WalkingRule(cChara& c, const cBlockCharaIndex& list) {
    // No block character to meet and none stood on: only the contacts'
    // verdict and the unstick by contact are left.
    if (list.IsEmpty() && !c.standingOnObject && (!lpPlayScene || lpPlayScene->BlockCharas.IsEmpty())) {
        const int32_t result = (c.bContactL && c.bContactR) || (c.bContactU && c.bContactD) ? 2 : 0;
        Unstick(c, false, false, false, false);
        return result;
    }
    const double startRect[4] = {c.x, c.y, c.x2, c.y2};
    const COLLRECT me = RectOf(c);
    const double w = c.nHitW, h = c.nHitH;
    const int32_t hh = c.nHitH / 2, h3 = c.nHitH / 3;
    const COLLRECT U{me.l, me.t, me.r, me.t + hh};
    const COLLRECT F{me.l + 1, me.b - h3, me.r - 1, me.b};
    const COLLRECT Q{c.dPrevRect[0], me.t, c.dPrevRect[2], me.b};
    const double steps = StepsPerFrame();
    CAND left, right, ceil, land;

    const auto offerLanding = [&](cStageChara& bc, const COLLRECT& r) {
        if (bc.dSpeedY < 0) c.bContactD = 1;
        if (OfferMin(land, r.t - h, &bc)) RecordCarrier(c, bc);
    };
    const auto sideLeft = [&](cStageChara& bc, const COLLRECT& r) {
        c.bContactL = 1;
        OfferMax(left, r.r + 1.5, &bc);
    };
    const auto sideRight = [&](cStageChara& bc, const COLLRECT& r) {
        c.bContactR = 1;
        OfferMin(right, r.l - w - 0.5, &bc);
    };

    bool bTouched = false;
    for (cStageChara& bc : list) {
        if (!IsBlockCharaFor(bc, c)) continue;
        const COLLRECT r = RectOf(bc);
        if (!Overlap(me, r)) continue;
        bTouched = true;
        if (Overlap(U, r)) {
            const double W = PenetrationX(U, r), H = PenetrationY(U, r);
            const bool bSweep = Overlap(Q, PrevRectOf(bc));
            if (c.dSpeedY > 2.0 / steps && bSweep && c.dPrevRect[1] < bc.dPrevRect[1]) {
                WriteEC("D Hit");
                offerLanding(bc, r);
            } else if ((W - H > 0.4 / steps && me.b > r.b) ||
                       (bSweep && c.dPrevRect[1] > bc.dPrevRect[1] && !Overlap(PrevRectOf(c), r))) {
                if (bc.dSpeedY > 0) c.bContactU = 1;
                OfferMax(ceil, r.b + 1, &bc);
                if (c.standingOnObject && c.dSpeedY < 0) c.bContactD = 1;
            } else {
                const bool bLeftHit = Overlap(VLine(me.l, me.t, me.t + hh), r);
                const bool bRightHit = Overlap(VLine(me.r, me.t, me.t + hh), r);
                if (c.dSpeedX < 0) {
                    if (bLeftHit) sideLeft(bc, r);
                    else if (bRightHit) sideRight(bc, r);
                } else {
                    if (bRightHit) sideRight(bc, r);
                    else if (bLeftHit) sideLeft(bc, r);
                }
            }
        } else if (PenetrationY(me, r) > PenetrationX(me, r)) {
            if (Overlap(VLine(me.r, me.t, me.b), r)) sideRight(bc, r);
            if (Overlap(VLine(me.l, me.t, me.b), r)) sideLeft(bc, r);
        } else if (Overlap(F, r)) {
            offerLanding(bc, r);
        }
    }

    // Resolution.
    bool bLanded = false;
    bool bSkipSides = false;
    if (ceil.bSet && !land.bSet) {
        cStageChara& bc = *ceil.lpBc;
        bool bRefused = false;
        if (bc.dSpeedY < 0) {
            cChara trial;
            trial.bTempCopy = 1;
            trial.cChara::operator=(c);
            trial.y = ceil.v;
            bRefused = CornerCellsSolid(trial) || OverlapsBlockCharaExcept(trial, list, bc.nId);
        }
        if (!bRefused) {
            PushUnder(c, bc, ceil.v);
            PushOutV(c);
        }
    } else if (left.bSet && right.bSet && !land.bSet) {
        left.bSet = right.bSet = false;
        c.bContactL = c.bContactR = 0;
        if (cStageChara* bc = FirstOverlapping(c, list, U)) PushUnder(c, *bc, bc->y2 + 1);
        bSkipSides = true;
    }
    if (land.bSet && !(left.bSet && right.bSet)) {
        if (land.lpBc->dSpeedY > 0 && CornerCellsSolid(c)) {
            c.standingOnObject = 0;
        } else {
            c.dPushY = 0;
            if (!c.standingOnObject) {
                c.standingOnObject = 1;
                StartRiddenTriggers(*land.lpBc, c);
            }
            MoveTopTo(c, land.v);
            c.dSpeedY = 0;
            c.bJump = 0;
            c.bKnockBack = 0;
            c.nNoGroundFrames = 0;
            c.dPrevAccelY = 0;
            if (c.nKind != 0) c.bJumpHold = 0;
            ClearLeftGround(c);
            bLanded = true;
        }
    }
    if (!bSkipSides) {
        for (CAND* side : {&left, &right}) {
            if (!side->bSet) continue;
            c.dPushX = 0;
            if (!(side->lpBc->nId == c.nCarrierId && c.standingOnObject)) c.bWallHit = 1;
            MoveLeftTo(c, side->v);
        }
        if (left.bSet && right.bSet && !land.bSet) {
            MoveLeftTo(c, startRect[0]);
            if (cStageChara* bc = FirstOverlapping(c, list, U)) {
                PushUnder(c, *bc, bc->y2 + 1);
                if (bc->dSpeedY > 0) c.bContactU = 1;
                c.bContactL = c.bContactR = 0;
            }
        }
    }

    if (bTouched || c.standingOnObject) StartCharaTrigger(c, TRIGGER_BLOCK_CHARA);
    if (c.standingOnObject) {
        StartCharaTrigger(c, TRIGGER_ON_BLOCK_CHARA);
        ClearLeftGround(c);
    }

    const int32_t result =
        (c.bContactL && c.bContactR) || (c.bContactU && c.bContactD) || IsEnclosedByBlockCharas(c, startRect) ? 2 : 0;

    Unstick(c, left.bSet, right.bSet, ceil.bSet, land.bSet);

    // Riding on.
    if (c.standingOnObject && !bLanded) {
        if (c.dAccelY < 0) {
            c.ClearStanding(true);
        } else if (IsOnCarrier(c)) {
            for (cStageChara& bc : list)
                if (bc.nId == c.nCarrierId) RecordCarrier(c, bc);
        } else if (cStageChara* bc = FindBlockCharaBelow(c)) {
            RecordCarrier(c, *bc);
        } else {
            c.ClearStanding(true);
        }
        if (c.standingOnObject) {
            c.nNoGroundFrames = 0;
            c.dPrevAccelY = 0;
        }
    }
    return result;
}

}  // namespace

bool IsBlockCharaFor(const cStageChara& bc, const cChara& c) {
    return bc.byBlockChara != 0 && !bc.dying && bc.bActive && bc.nId != c.nId;
}

int32_t HitBlockChara(cChara& c, const cBlockCharaIndex& list) {
    if (Skips(c)) return 0;
    if (c.bScreen && (c.nBlockMode == BLOCKMODE_HIT || c.nBlockMode == BLOCKMODE_DIE)) return FlyingRule(c, list);
    return WalkingRule(c, list);
}

void RecheckBlockCharaAxis(cChara& c, const cBlockCharaIndex& list, int32_t axis) {
    const COLLRECT me = RectOf(c);
    CAND a, b;
    for (cStageChara& bc : list) {
        if (!IsBlockCharaFor(bc, c)) continue;
        const COLLRECT r = RectOf(bc);
        if (!Overlap(me, r)) continue;
        if (axis == 0) {
            if (Overlap(VLine(me.l, me.t + 1, me.b - 1), r)) c.bContactL = 1, OfferMax(a, r.r + 1, &bc);
            if (Overlap(VLine(me.r, me.t, me.b), r)) c.bContactR = 1, OfferMin(b, r.l - c.nHitW, &bc);
        } else {
            if (Overlap(HLine(me.t, me.l + 1, me.r - 1), r)) c.bContactU = 1, OfferMax(a, r.b + 1, &bc);
            if (Overlap(HLine(me.b, me.l, me.r), r)) c.bContactD = 1, OfferMin(b, r.t - c.nHitH, &bc);
        }
    }
    for (CAND* cand : {&a, &b}) {
        if (!cand->bSet) continue;
        if (axis == 0) {
            if (!(cand->lpBc->nId == c.nCarrierId && c.standingOnObject)) c.bWallHit = 1;
            MoveLeftTo(c, cand->v);
        } else {
            MoveTopTo(c, cand->v);
        }
    }
}

int32_t OverlapsBlockCharaExcept(const cChara& c, const cBlockCharaIndex& list, int32_t id) {
    if (Skips(c)) return 0;
    for (cStageChara& bc : list)
        if (IsBlockCharaFor(bc, c) && bc.nId != id && Overlap(RectOf(c), RectOf(bc))) return 1;
    return 0;
}

namespace {

COLLRECT StripBelow(const cChara& c) { return {c.x, c.y2, c.x2, c.y2 + 5}; }

}  // namespace

int32_t IsOnCarrier(const cChara& c) {
    if (!lpPlayScene) return 0;
    for (cStageChara& bc : lpPlayScene->BlockCharas)
        if (bc.nId == c.nCarrierId && IsBlockCharaFor(bc, c)) return Overlap(RectOf(bc), StripBelow(c)) ? 1 : 0;
    return 0;
}

cStageChara* FindBlockCharaBelow(cChara& c) {
    if (!lpPlayScene) return nullptr;
    for (cStageChara& bc : lpPlayScene->BlockCharas)
        if (IsBlockCharaFor(bc, c) && Overlap(RectOf(bc), StripBelow(c))) return &bc;
    return nullptr;
}

int32_t IsEnclosedByBlockCharas(const cChara& c, const double s[4]) {
    if (Skips(c) || !lpPlayScene) return 0;
    const double start[4][2] = {{s[0], s[1]}, {s[2], s[1]}, {s[0], s[3] - 1}, {s[2], s[3] - 1}};
    const double now[4][2] = {{c.x, c.y}, {c.x2, c.y}, {c.x, c.y2 - 1}, {c.x2, c.y2 - 1}};
    for (int32_t k = 0; k < 4; ++k) {
        bool bFound = false;
        for (cStageChara& bc : lpPlayScene->BlockCharas) {
            if (!IsBlockCharaFor(bc, c)) continue;
            const COLLRECT r = RectOf(bc);
            if (Contains(r, start[k][0], start[k][1]) || Contains(r, now[k][0], now[k][1])) {
                bFound = true;
                break;
            }
        }
        if (!bFound) return 0;
    }
    return 1;
}

void CarryOnObject(cChara& c) {
    if (c.bScreen || !lpPlayScene) return;
    for (cStageChara& bc : lpPlayScene->BlockCharas) {
        if (bc.nId != c.nCarrierId) continue;
        c.dSpeedX += bc.x - c.dCarrierRect[0];
        if (bc.bScreen || bc.bJump) c.dSpeedY = bc.y - c.dCarrierRect[1];
        StartRiddenTriggers(bc, c);
        return;
    }
}
