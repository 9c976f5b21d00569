#include "actors/chara.h"

#include <algorithm>
#include <cmath>

#include "actors/player.h"
#include "database/global_objects.h"
#include "records/version.h"
#include "world/block_grid.h"
#include "world/world_state.h"

cChara::cChara()
    : groupStartedA(FLOW_GROUP_NUM, 0),
      groupFinished(FLOW_GROUP_NUM, 0),
      groupStartedB(FLOW_GROUP_NUM, 0),
      vTarget(TARGET_SLOT_NUM, nullptr),
      vars(CHARA_VAR_NUM, 0) {}

cChara::cChara(const cChara& src) : cChara() {
    cChara::operator=(src);
}

cChara::~cChara() {
    if (!bTempCopy) ClearTargetLinks();
}

cChara& cChara::operator=(const cChara& src) {
    if (this == &src) return *this;
    cGameObject::CopyFrom(src);
    CopyCharaMembers(src);
    AssignFlows(src.flows);
    return *this;
}

void cChara::CopyCharaMembers(const cChara& src) {
    vTarget = src.vTarget;
    tg = src.tg;
    targetedBy = src.targetedBy;
    data = src.data;
    // A shared list is shared again; a character's own list is copied.
    if (src.bOwnFlowDefs && src.spFlowDefs)
        spFlowDefs = std::make_shared<const cSafeVector<cFlow>>(*src.spFlowDefs);
    else
        spFlowDefs = src.spFlowDefs;
    bOwnFlowDefs = src.bOwnFlowDefs;
    groupStartedA = src.groupStartedA;
    groupFinished = src.groupFinished;
    groupStartedB = src.groupStartedB;
    anyGroupFinished = src.anyGroupFinished;
    bGroupFlag = src.bGroupFlag;
    std::copy(std::begin(src.spawnRect), std::end(src.spawnRect), spawnRect);
    nCloneIndex = src.nCloneIndex;
    dAccelX = src.dAccelX;
    dAccelY = src.dAccelY;
    dPrevAccelY = src.dPrevAccelY;
    bKnockBack = src.bKnockBack;
    bJump = src.bJump;
    bJumpHold = src.bJumpHold;
    lpStandBlock = src.lpStandBlock;
    lpLastStandBlock = src.lpLastStandBlock;
    dying = src.dying;
    deathWait = src.deathWait;
    hitCeiling = src.hitCeiling;
    landed = src.landed;
    bWallHit = src.bWallHit;
    standingOnObject = src.standingOnObject;
    bContactL = src.bContactL;
    bContactR = src.bContactR;
    bContactU = src.bContactU;
    bContactD = src.bContactD;
    nCarrierId = src.nCarrierId;
    std::copy(std::begin(src.dCarrierRect), std::end(src.dCarrierRect), dCarrierRect);
    std::copy(std::begin(src.dPrevRect), std::end(src.dPrevRect), dPrevRect);
    nFrameValue1 = src.nFrameValue1;
    nFrameValue2 = src.nFrameValue2;
    bHeld = src.bHeld;
    bWalking = src.bWalking;
    nCellSpan = src.nCellSpan;
    nNoGroundFrames = src.nNoGroundFrames;
    bFalling = src.bFalling;
    nBlockEffect = src.nBlockEffect;
    nBlockEffectValue = src.nBlockEffectValue;
    nBlockEffectSteps = src.nBlockEffectSteps;
    byBlockDeath = src.byBlockDeath;
    nLastBlockSide = src.nLastBlockSide;
    bSpecialFloor = src.bSpecialFloor;
    bActive = src.bActive;
    nActiveState = src.nActiveState;
    bGroupCondsMet = src.bGroupCondsMet;
    bErase = src.bErase;
    bRemoveAsked = src.bRemoveAsked;
    deletePending = src.deletePending;
    hp = src.hp;
    hpGauge = src.hpGauge;
    sp = src.sp;
    spGauge = src.spGauge;
    vars = src.vars;
    invincible = src.invincible;
    invincibleFrom = src.invincibleFrom;
    overlays = src.overlays;
    effect = src.effect;
    deathEffect = src.deathEffect;
    sight = src.sight;
    nBoxX = src.nBoxX;
    nBoxY = src.nBoxY;
    nBoxW = src.nBoxW;
    nBoxH = src.nBoxH;
    dBoxLeft = src.dBoxLeft;
    dBoxTop = src.dBoxTop;
    dBoxRight = src.dBoxRight;
    dBoxBottom = src.dBoxBottom;
    dPos2X = src.dPos2X;
    dPos2Y = src.dPos2Y;
    nNextFlowUid = src.nNextFlowUid;
    bCreditSummoner = src.bCreditSummoner;
    nCreditFlowId = src.nCreditFlowId;
}

void cChara::AssignFlows(const cSafeVector<cFlowRun>& src) {
    flows = src;
    RebindFlows();
}

void cChara::RebindFlows() {
    const cSafeVector<cFlow>& defs = FlowDefs();
    // A flow instance beyond the character's flows has nothing to run.
    if (flows.size() > defs.size()) flows.resize(defs.size());
    ++nFlowListChanges;
    nFlowTriggerMask = 0;
    bAnimeSchedules = 0;
    for (int i = 0; i < static_cast<int>(flows.size()); ++i) {
        flows[i].index = i;
        flows[i].Bind(defs[i]);
        nFlowTriggerMask |= TriggerBit(defs[i].nTrigger);
        if (!flows[i].animeSchedule.empty()) bAnimeSchedules = 1;
    }
}

const cSafeVector<cFlow>& cChara::FlowDefs() const {
    static const cSafeVector<cFlow> kNone;
    return spFlowDefs ? *spFlowDefs : kNone;
}

cSafeVector<cFlow>& cChara::OwnFlowDefs() {
    if (!bOwnFlowDefs || !spFlowDefs) {
        spFlowDefs = std::make_shared<const cSafeVector<cFlow>>(FlowDefs());
        bOwnFlowDefs = 1;
        RebindFlows();
    }
    // Made here as this character's alone: written only through it.
    return const_cast<cSafeVector<cFlow>&>(*spFlowDefs);
}

cFlowCmd& cChara::OwnCmd(const cFlowCmdRun& st) {
    OwnFlowDefs();
    return const_cast<cFlowCmd&>(*st.cmd);
}

void cChara::Setup(const cCharaData* lpRecord, const int32_t rect[4], int16_t cloneIndex) {
    nCloneIndex = cloneIndex;
    vTarget.assign(TARGET_SLOT_NUM, nullptr);
    tg = nullptr;
    groupStartedA.assign(FLOW_GROUP_NUM, 0);
    groupFinished.assign(FLOW_GROUP_NUM, 0);
    groupStartedB.assign(FLOW_GROUP_NUM, 0);
    anyGroupFinished = 0;
    for (int i = 0; i < 4; ++i) spawnRect[i] = rect ? rect[i] : 0;
    dAccelX = dAccelY = dPrevAccelY = 0;
    bKnockBack = bJump = bJumpHold = 0;
    lpStandBlock = lpLastStandBlock = nullptr;
    dying = deathWait = hitCeiling = landed = bWallHit = standingOnObject = 0;
    bContactL = bContactR = bContactU = bContactD = 0;
    nCarrierId = 0;
    hpGauge = GAUGE{};
    spGauge = GAUGE{};
    deathEffect.Reset();
    nFrameValue1 = -1;
    nFrameValue2 = 1;
    hp = sp = 0;
    vars.assign(CHARA_VAR_NUM, 0);
    if (lpRecord) {
        data = *lpRecord;
        hp = data.nMaxHP;
        sp = data.nMaxSP;
    }
    nFacing = data.byFacing;
    sight = data.bySightRange * 16;
    // 止まりやすさ in hundredths of a dot per step: the deceleration of the
    // inertial speeds.
    const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
    maxSpeed = data.wStopEase * 0.01 / v;
    dDecel = maxSpeed;
    if (data.wDeathEffect != 0) {
        deathEffect.m_nId = static_cast<int16_t>(data.wDeathEffect);
        deathEffect.m_nMode = data.byDeathEffectMode;
        deathEffect.m_bRepeat = 0;
    }
    // The appearance effect runs on the same effect run as the effect command.
    effect.Reset();
    if (data.wAppearEffect != 0) effect.Start(data.wAppearEffect, data.byAppearEffectMode, data.bAppearEffectRepeat);
    invincible = 0;
    invincibleFrom.clear();
    overlays.clear();
    Anime.Clear();
    bGroupFlag = 0;
    byBlockDeath = 0;
    bErase = bRemoveAsked = deletePending = 0;
    bCreditSummoner = nCreditFlowId = 0;
}

void cChara::SetHitBox(int32_t w, int32_t h, bool bBottom) {
    nBoxW = w;
    nBoxH = h;
    nBoxX = (32 - w) >> 1;
    nBoxY = bBottom ? 32 - h : (32 - h) >> 1;
}

namespace {

void AddLink(cChara* lpTarget, cChara* lpHolder, int32_t slot) {
    if (!lpTarget) return;
    const TARGETLINK link{lpHolder, slot};
    auto& v = lpTarget->targetedBy;
    if (std::find(v.begin(), v.end(), link) == v.end()) v.push_back(link);
}

void RemoveLink(cChara* lpTarget, cChara* lpHolder, int32_t slot) {
    if (!lpTarget) return;
    auto& v = lpTarget->targetedBy;
    v.erase(std::remove(v.begin(), v.end(), TARGETLINK{lpHolder, slot}), v.end());
}

}  // namespace

void cChara::InitTargets(cChara* lpSummoner, cWorldState* world) {
    SetTarget(0, GetHero(world));
    SetTarget(TARGET_SLOT_SUMMONER, lpSummoner);
}

void cChara::SetTarget(int32_t slot, cChara* lpTarget) {
    cChara*& ref = slot == TARGET_SLOT_SUMMONER ? tg : vTarget[slot];
    if (ref && ref != lpTarget) RemoveLink(ref, this, slot);
    ref = lpTarget;
    AddLink(lpTarget, this, slot);
}

void cChara::ClearTargetLinks() {
    for (int s = 0; s < static_cast<int>(vTarget.size()); ++s) {
        RemoveLink(vTarget[s], this, s);
        vTarget[s] = nullptr;
    }
    RemoveLink(tg, this, TARGET_SLOT_SUMMONER);
    tg = nullptr;
    for (const TARGETLINK& link : targetedBy) {
        cChara* c = link.lpChara;
        if (!c || c == this) continue;
        if (link.nSlot == TARGET_SLOT_SUMMONER) {
            if (c->tg == this) c->tg = nullptr;
        } else if (link.nSlot >= 0 && link.nSlot < static_cast<int>(c->vTarget.size()) &&
                   c->vTarget[link.nSlot] == this) {
            c->vTarget[link.nSlot] = nullptr;
        }
    }
    targetedBy.clear();
    ClearAttackRefs();
}

void cChara::SetCellPos(int32_t cellX, int32_t cellY, cWorldState* world) {
    x = (CurScrollX().nMargin + cellX) * 32 + nCellOffX + 0.5;
    x2 = x + nHitW - 1;
    FixAfterMoveX(world);
    y = (CurScrollY().nMargin + cellY) * 32 + nCellOffY;
    y2 = y + nHitH - 1;
    FixAfterMoveY(world);
}

void cChara::AdjustYOnScale(int32_t newScale, int32_t oldScale, cWorldState* world) {
    if (newScale == oldScale) return;
    y += (nBaseCellOffY - nBaseHitH) * (newScale - oldScale);
    FixAfterMoveY(world);
}

int32_t cChara::SetX(int32_t cx, cWorldState* world) {
    const int32_t centre = nScrLeft + (nCellW >> 1);
    x += static_cast<int32_t>(cx - centre);
    x2 = x + nHitW - 1;
    return FixAfterMoveX(world);
}

int32_t cChara::SetY(int32_t cy, cWorldState* world) {
    const int32_t centre = nScrTop + (nCellH >> 1);
    y += static_cast<int32_t>(cy - centre);
    y2 = y + nHitH - 1;
    return FixAfterMoveY(world);
}

int32_t cChara::SetPos(int32_t cx, int32_t cy, cWorldState* world) {
    SetX(cx, world);
    return SetY(cy, world);
}

namespace {

void StopState(cFlowCmdRun* lpState) {
    if (!lpState) return;
    lpState->dVelX = 0;
    lpState->dVelY = 0;
}

}  // namespace

void cChara::SetPosByCentre(int32_t cx, int32_t cy, cFlowCmdRun* lpState, cWorldState* world) {
    SetPos(cx, cy, world);
    StopState(lpState);
}

void cChara::SetXByCentre(int32_t cx, cFlowCmdRun* lpState, cWorldState* world) {
    SetX(cx, world);
    StopState(lpState);
}

void cChara::SetYByCentre(int32_t cy, cFlowCmdRun* lpState, cWorldState* world) {
    SetY(cy, world);
    StopState(lpState);
}

void StartGauge(GAUGE& g, int32_t value, int32_t delta, int32_t max) {
    g.nTimer = GAUGE_SHOW_FRAMES;
    // In 64 bits: a script or a status command can set a value beyond what the gauge's max keeps.
    g.nFill = static_cast<int32_t>(static_cast<int64_t>(value) * GAUGE_WIDTH / max);
    g.dChange = static_cast<double>(delta) * GAUGE_WIDTH / max;
    g.dStep = g.dChange / GAUGE_FADE_FRAMES;
}

int32_t cChara::ChangeHp(int32_t delta, bool bForce, bool bShowGauge) {
    if (!bForce && delta <= 0 && data.byInvincible != 0) return 0;
    const int32_t max = data.nMaxHP;
    if (delta > 0 && delta > max - hp) delta = max - hp;
    hp = std::clamp(hp + delta, 0, std::max(max, 0));
    if (hp < 1) {
        hp = 0;
        return 1;
    }
    if (bShowGauge && max > 0) StartGauge(hpGauge, hp, delta, max);
    return 0;
}

int32_t cChara::ChangeSp(int32_t delta, bool bShowGauge) {
    const int32_t max = data.nMaxSP;
    if (delta > 0 && delta > max - sp) delta = max - sp;
    sp = std::clamp(sp + delta, 0, std::max(max, 0));
    if (max <= 0) return 1;
    if (bShowGauge) StartGauge(spGauge, sp, delta, max);
    return 0;
}

bool cChara::IsStanding() const {
    if (standingOnObject) return true;
    return lpStandBlock && GetBlockHitKind(*lpStandBlock, Side()) != 0;
}

void cChara::UpdateFall() {
    if (dAccelY != 0) {
        if (IsFlying()) {
            dSpeedY += dAccelY;
        } else if (dAccelY <= 0) {
            dSpeedY += dAccelY - dPrevAccelY;
        } else if (lpStandBlock && GetBlockHitKind(*lpStandBlock, Side()) != 0) {
            dAccelY = 0;
        } else if (!standingOnObject) {
            dSpeedY += dAccelY - dPrevAccelY;
        } else {
            dAccelY = 0;
        }
    }
    dPrevAccelY = dAccelY;
}

void cChara::ApplyGravity() {
    if (IsFlying() || standingOnObject || bHeld) return;
    if (dAccelY >= 0) dSpeedY += PlayStage.dGravityStep;
}

namespace {

void DecayToZero(double& a) {
    if (a == 0) return;
    const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
    const double step = 1.0 / v;
    if (a > 0) a = a - step <= 0 ? 0 : a - step;
    else a = a + step >= 0 ? 0 : a + step;
}

}  // namespace

void cChara::DecayAccelX() { DecayToZero(dAccelX); }
void cChara::DecayAccelY() { DecayToZero(dAccelY); }

void cChara::ClearStanding(bool bWall) {
    standingOnObject = 0;
    if (dAccelY == 0) dSpeedY = dPushY = 0;
    if (bWall) bWallHit = 1;
}

void cChara::SaveRect() {
    dPrevRect[0] = x;
    dPrevRect[1] = y;
    dPrevRect[2] = x2;
    dPrevRect[3] = y2;
}

void cChara::RestoreRect() {
    x = dPrevRect[0];
    y = dPrevRect[1];
    x2 = dPrevRect[2];
    y2 = dPrevRect[3];
}

void cChara::CalcRectX() {
    dBoxLeft = std::trunc(x) + nBoxX;
    dBoxRight = dBoxLeft + nBoxW - 1;
}

void cChara::CalcRectY() {
    dBoxTop = std::trunc(y) + nBoxY;
    dBoxBottom = dBoxTop + nBoxH - 1;
}

cChara* GetHero(cWorldState* world) {
    return world ? world->Hero() : nullptr;
}
