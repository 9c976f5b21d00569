#pragma once
// What hit detection and the damage code read of an attack (a shot or a
// sword). The shot classes derive from it. Attacks live in the world state's
// shot list and in the attack bucket of their side; a character that an
// attack aims at, or that fired it, keeps a back-reference that the attack
// drops when it is destroyed.
#include <cstdint>
#include <list>

#include "world/game_object.h"

class cChara;

// Back-reference slots of an attack in a character.
constexpr int32_t ATTACKREF_TARGET = 0;
constexpr int32_t ATTACKREF_SHOOTER = 4;

class cAttack : public cGameObject {
public:
    cAttack() = default;
    // A copy has hit nobody yet; it registers itself with its target and shooter.
    cAttack(const cAttack& src) : cGameObject(src) { CopyAttackMembers(src); }
    cAttack& operator=(const cAttack& src);
    // Drops the back-references of the target and the shooter.
    ~cAttack() override;

    // The attack rectangle meets [l, r] × [t, b] (edges count).
    bool Overlaps(double l, double t, double r, double b) const {
        return l <= dRect[2] && dRect[0] <= r && t <= dRect[3] && dRect[1] <= b;
    }
    bool Overlaps(const cAttack& o) const { return Overlaps(o.dRect[0], o.dRect[1], o.dRect[2], o.dRect[3]); }
    // lpChara is in the hit list.
    bool HasHit(const cChara* lpChara) const;
    // Any of the three special words is set (the third is the carried item).
    bool IsSpecial() const { return nSpecial1 != 0 || nSpecial2 != 0 || nItemNo != 0; }
    // Aims at lpChara (or at nobody), keeping the back-references in step.
    void SetTarget(cChara* lpChara);
    // Fired by lpChara (or by nobody), keeping the back-references in step.
    void SetShooter(cChara* lpChara);

    std::list<cChara*> lstHit;    // characters already hit
    cChara* lpShooter = nullptr;  // the owner character
    cChara* lpTarget = nullptr;   // the character aimed at
    int32_t bCountsForShooter = 0;  // hits start the shooter's triggers 20 and 18
    int32_t nShooterFlowId = 0;   // flow id reported to the shooter
    int32_t nPierce = 0;          // nonzero: goes through the characters it hits
    uint8_t byOncePerChara = 0;   // piercing: hits an ordinary character once
    uint8_t byOncePerBlockChara = 0;  // piercing: hits a block character once
    int32_t nSpecial1 = 0;        // special words: a special attack always deals damage
    int32_t nSpecial2 = 0;
    int32_t nItemKind = 0;        // third special word: item list (0 common, 1 stage) ...
    int32_t nItemNo = 0;          // ... and item number given to the hero on a hit
    uint8_t byDestructible = 0;   // other sides' attacks can shoot it down
    uint8_t byStrength = 0;       // of two destructible attacks the weaker vanishes
    int32_t nPower = 0;           // damage; negative heals
    int32_t nImpact = 0;          // knock-back strength; 0 none
    int16_t nHitEffect = 0;       // running effect started on a hit; 0 none
    // Last, with the shot's step words after them: what every walk of hit
    // detection and every shot step reads.
    int32_t bErased = 0;          // vanishes at the next removal pass
    int32_t bActive = 1;          // takes part while only active objects collide
    double dRect[4] = {};         // attack rectangle: left, top, right, bottom

private:
    void CopyAttackMembers(const cAttack& src);
};
