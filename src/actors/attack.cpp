#include "actors/attack.h"

#include <algorithm>

#include "actors/chara.h"

cAttack& cAttack::operator=(const cAttack& src) {
    if (this == &src) return *this;
    cGameObject::operator=(src);
    CopyAttackMembers(src);
    return *this;
}

void cAttack::CopyAttackMembers(const cAttack& src) {
    bErased = src.bErased;
    bActive = src.bActive;
    std::copy(std::begin(src.dRect), std::end(src.dRect), dRect);
    lstHit.clear();
    SetShooter(src.lpShooter);
    SetTarget(src.lpTarget);
    bCountsForShooter = src.bCountsForShooter;
    nShooterFlowId = src.nShooterFlowId;
    nPierce = src.nPierce;
    byOncePerChara = src.byOncePerChara;
    byOncePerBlockChara = src.byOncePerBlockChara;
    nSpecial1 = src.nSpecial1;
    nSpecial2 = src.nSpecial2;
    nItemKind = src.nItemKind;
    nItemNo = src.nItemNo;
    byDestructible = src.byDestructible;
    byStrength = src.byStrength;
    nPower = src.nPower;
    nImpact = src.nImpact;
    nHitEffect = src.nHitEffect;
}

cAttack::~cAttack() {
    if (lpTarget) lpTarget->ForgetAttackRef(this);
    if (lpShooter && lpShooter != lpTarget) lpShooter->ForgetAttackRef(this);
}

bool cAttack::HasHit(const cChara* lpChara) const {
    return std::find(lstHit.begin(), lstHit.end(), lpChara) != lstHit.end();
}

void cAttack::SetTarget(cChara* lpChara) {
    if (lpTarget == lpChara) return;
    if (lpTarget) lpTarget->ForgetAttackRef(this, ATTACKREF_TARGET);
    lpTarget = lpChara;
    if (lpChara) lpChara->AddAttackRef(this, ATTACKREF_TARGET);
}

void cAttack::SetShooter(cChara* lpChara) {
    if (lpShooter == lpChara) return;
    if (lpShooter) lpShooter->ForgetAttackRef(this, ATTACKREF_SHOOTER);
    lpShooter = lpChara;
    if (lpChara) lpChara->AddAttackRef(this, ATTACKREF_SHOOTER);
}
