#include "actors/damage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "actors/attack.h"
#include "actors/chara.h"
#include "actors/item_run.h"
#include "database/global_objects.h"
#include "world/scene_services.h"
#include "world/world_state.h"

void RunCharaPauseWait() { SceneServices().PauseWait(); }

void StartCharaTrigger(cChara& chara, int32_t trigger, cChara* lpPartner, int32_t filter) {
    SceneServices().StartTrigger(chara, trigger, lpPartner, filter);
}

int32_t GiveItemToHero(cItem& item) { return SceneServices().TakeItem(item); }

int32_t AddScore(int32_t score, int32_t add) {
    const int64_t s = static_cast<int64_t>(score) + add;
    return static_cast<int32_t>(std::clamp<int64_t>(s, 0, SCORE_MAX));
}

namespace {

// Power less the defence for a positive power; a power of 0 or less as it is.
int32_t DamageOf(int32_t power, int32_t defence) {
    // A negative power heals; its most negative value has no positive twin.
    if (power <= 0) return std::max(power, -INT32_MAX);
    const int64_t d = static_cast<int64_t>(power) - defence;
    return static_cast<int32_t>(std::clamp<int64_t>(d, 0, SCORE_MAX));
}

EFFECTRECT RectOf(const cGameObject& o) {
    return EFFECTRECT{o.x, o.y, o.x2, o.y2};
}

void AddHitEffect(int16_t kind, const cChara& victim, const cGameObject& attacker, const cWorldState* world) {
    if (kind == 0 || !world) return;
    SceneServices().AddHitEffect(kind, RectOf(victim), RectOf(attacker), static_cast<int8_t>(attacker.nScale));
}

// The flow-runner side of a hit: trigger `onVictim` on the victim, and the
// credited character's `onCredit` with the victim as partner.
void FireHitPair(cChara& victim, int32_t onVictim, int32_t onCredit, cChara* lpPartner, cChara* lpCredit,
                 int32_t flowId) {
    StartCharaTrigger(victim, onVictim, lpPartner, 0);
    if (lpCredit) StartCharaTrigger(*lpCredit, onCredit, &victim, flowId);
}

double Sign(double v) {
    if (std::fabs(v) < 1e-8) return 0;
    return v > 0 ? 1.0 : -1.0;
}

}  // namespace

int32_t cChara::TakeAttackDamage(cChara& attacker, const cWorldState* world) {
    const int32_t d = DamageOf(attacker.data.nBodyPower, data.nDefence);
    const int32_t r = ChangeHp(-d, false, true);
    AddHitEffect(static_cast<int16_t>(attacker.data.wBodyEffect), *this, attacker, world);
    double pushY = attacker.dSpeedY;
    // A walking attacker only pushes up or down while it really moves vertically.
    if (!attacker.IsFlying() && attacker.dSpeedY < PlayStage.dGravityStep) pushY = 0;
    Knockback(attacker.data.byBodyImpact, attacker.dSpeedX, pushY);
    return r;
}

int32_t cChara::TakeShotDamage(cAttack& shot, const cWorldState* world) {
    const int32_t d = DamageOf(shot.nPower, data.nDefence);
    const int32_t r = ChangeHp(-d, false, true);
    AddHitEffect(shot.nHitEffect, *this, shot, world);
    Knockback(shot.nImpact, shot.dSpeedX, shot.dSpeedY);
    return r;
}

void cChara::FireAttackTriggers(cChara& attacker) {
    const bool bCredit = attacker.tg && attacker.bCreditSummoner;
    cChara* lpPartner = bCredit ? attacker.tg : &attacker;
    cChara* lpCredit = bCredit ? attacker.tg : nullptr;
    if (attacker.data.nBodyPower != 0)
        FireHitPair(*this, TRIGGER_DAMAGED, TRIGGER_GAVE_DAMAGE, lpPartner, lpCredit, attacker.nCreditFlowId);
    if (attacker.data.byBodyImpact != 0)
        FireHitPair(*this, TRIGGER_IMPACTED, TRIGGER_GAVE_IMPACT, lpPartner, lpCredit, attacker.nCreditFlowId);
}

void cChara::FireShotTriggers(cAttack& shot) {
    cChara* lpCredit = shot.lpShooter && shot.bCountsForShooter ? shot.lpShooter : nullptr;
    if (shot.nPower != 0)
        FireHitPair(*this, TRIGGER_DAMAGED, TRIGGER_GAVE_DAMAGE, shot.lpShooter, lpCredit, shot.nShooterFlowId);
    if (shot.nImpact != 0)
        FireHitPair(*this, TRIGGER_IMPACTED, TRIGGER_GAVE_IMPACT, shot.lpShooter, lpCredit, shot.nShooterFlowId);
}

void cChara::Knockback(int32_t impact, double pushX, double pushY) {
    if (impact == 0) return;
    const int32_t resist = data.byImpactResist;
    const int32_t k = impact > 0 ? std::clamp(impact - resist, 0, KNOCKBACK_MAX)
                                 : std::clamp(impact + resist, -KNOCKBACK_MAX, 0);
    if (k == 0) return;
    const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
    const double sx = Sign(pushX), sy = Sign(pushY);
    if (sx == 0 && sy == 0) return;
    dAccelX = sx * k / v;
    dAccelY = sy * k / v;
    bKnockBack = 1;
}

void cChara::SetInvincible() {
    const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
    const int32_t t = nKind == 0 ? PlayStage.nHeroInvincible : PlayStage.nCharaInvincible;
    invincible = static_cast<int32_t>(v * t);
}

void cChara::AddInvincibleFrom(int32_t attackerId) {
    SetInvincible();
    // The same attacker waits the stage's hit wait before it can hit again.
    const double v = PlayStage.dSteps > 0 ? PlayStage.dSteps : 1.0;
    const int32_t wait = nKind == 0 ? PlayStage.nHeroHitWait : PlayStage.nCharaHitWait;
    invincibleFrom.push_back(INVINCIBLEFROM{attackerId, std::max(invincible, static_cast<int32_t>(v * wait))});
}

bool cChara::IsInvincibleTo(int32_t attackerId) const {
    if (IsInvincible()) return true;
    return std::any_of(invincibleFrom.begin(), invincibleFrom.end(),
                       [&](const INVINCIBLEFROM& e) { return e.nAttackerId == attackerId; });
}

void cChara::CountDownInvincible() {
    if (invincible > 0) --invincible;
    for (auto it = invincibleFrom.begin(); it != invincibleFrom.end();) {
        if (--it->nFrames <= 0) it = invincibleFrom.erase(it);
        else ++it;
    }
}

int32_t cChara::Die(cWorldState* world) {
    StartCharaTrigger(*this, TRIGGER_DIED);
    Update(1, world);
    int32_t& score = SceneServices().RunScore();
    score = AddScore(score, data.nScore);
    int32_t itemResult = 0;
    cItem* lpItem = CarriedItem();
    if (lpItem) itemResult = GiveItemToHero(*lpItem);
    if ((world && world->nStageEnd != 0) || itemResult == 1) return 1;
    dying = 1;
    if (deathEffect.m_nId != 0) deathEffect.Start(deathEffect.m_nId, deathEffect.m_nMode, 0);
    // The character still dies; the caller treats 2 as the hero's death.
    return itemResult == 2 ? 2 : 0;
}

namespace {

uint32_t AttackRefBit(int32_t slot) { return slot == ATTACKREF_SHOOTER ? 2u : 1u; }

}  // namespace

void cChara::AddAttackRef(cAttack* lpAttack, int32_t slot) { attackRefs[lpAttack] |= AttackRefBit(slot); }

void cChara::ForgetAttackRef(const cAttack* lpAttack, int32_t slot) {
    const auto it = attackRefs.find(const_cast<cAttack*>(lpAttack));
    if (it == attackRefs.end()) return;
    if (slot >= 0) it->second &= ~AttackRefBit(slot);
    if (slot < 0 || it->second == 0) attackRefs.erase(it);
}

void cChara::ClearAttackRefs() {
    for (const auto& [lpAttack, bits] : attackRefs) {
        if ((bits & 1u) && lpAttack->lpTarget == this) lpAttack->lpTarget = nullptr;
        if ((bits & 2u) && lpAttack->lpShooter == this) lpAttack->lpShooter = nullptr;
    }
    attackRefs.clear();
}
