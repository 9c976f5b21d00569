// Hit detection: attacks against the characters of other sides, characters
// against characters, attacks against attacks. Sides are the 8 buckets;
// objects never meet objects of their own side.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <limits>

#include "actors/attack.h"
#include "actors/damage.h"
#include "actors/shot.h"
#include "database/common_palette.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "database/system_switches.h"
#include "play/play_scene.h"
#include "records/utility.h"

namespace {

bool IsChara(const HITENTRY& e) {
    return e.nKind == HITKIND_CHARA || e.nKind == HITKIND_STAGECHARA;
}

// Block characters are the stage characters built as solid platforms.
bool IsBlockChara(const cChara& c, uint64_t kind) {
    return kind == HITKIND_STAGECHARA && static_cast<const cStageChara&>(c).byBlockChara != 0;
}

bool IsActiveChara(const cChara& c) {
    return c.nKind == 0 || c.bActive;
}

// The character's rectangle against attacks (bVsShot) or against characters.
void CharaRect(const cChara& c, uint64_t kind, bool bVsShot, double r[4]) {
    if (kind == HITKIND_STAGECHARA) {
        const auto& s = static_cast<const cStageChara&>(c);
        const double* src = bVsShot ? s.dRectB : s.dRectA;
        for (int i = 0; i < 4; ++i) r[i] = src[i];
        return;
    }
    r[0] = c.dBoxLeft;
    r[1] = c.dBoxTop;
    r[2] = c.dBoxRight;
    r[3] = c.dBoxBottom;
}

bool RectsMeet(const double a[4], const double b[4]) {
    return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];
}

// The place of the first character from place `from` on whose rectangle
// against characters meets r, or Slots() when none does. Nothing runs on
// the way, so the entries stay where they are.
std::size_t NextMeeting(const cHitBucket& b, std::size_t from, const double r[4]) {
    const std::size_t n = b.Slots();
    for (std::size_t i = from; i < n; ++i) {
        const HITENTRY& e = b.At(i);
        // A stage character's rectangle is read where it lies.
        if (e.nKind == HITKIND_STAGECHARA) {
            if (RectsMeet(r, static_cast<const cStageChara*>(e.lpObj)->dRectA)) return i;
            continue;
        }
        if (e.nKind != HITKIND_CHARA) continue;
        double rc[4];
        CharaRect(*static_cast<const cChara*>(e.lpObj), e.nKind, false, rc);
        if (RectsMeet(r, rc)) return i;
    }
    return n;
}

// A character that attacks are judged against. Attacks pass through a
// character whose invincibility is 2 as if it were not there (one of 1 is
// hit, and keeps its HP).
bool CanTakeAttack(const cChara& c) {
    return IsActiveChara(c) && !c.dying && c.nKind != 2 && c.data.byInvincible != 2;
}

// Per side, the box around the rectangles (against attacks) of the
// characters that can take an attack, made when first asked. An attack that
// misses the box misses each of them (a rectangle with a coordinate that is
// no number meets nothing and widens no box); a side with none is met by no
// attack.
class cCharaBounds {
public:
    // Sides of more characters than this are always walked: a box costs a
    // walk of its own.
    static constexpr std::size_t kMaxSlots = 16;

    bool MayMeet(const cHitBucket& b, int side, const cAttack& atk) {
        if (b.Slots() > kMaxSlots) return true;
        const double* box = Box(b, side);
        return atk.Overlaps(box[0], box[1], box[2], box[3]);
    }
    // The box around the boxes of `sides` (a bit each) into out: an attack
    // that misses it misses each of them. False when a side is walked whole.
    bool UnionOf(const cHitBucket* const* buckets, unsigned sides, double out[4]) {
        out[0] = out[1] = std::numeric_limits<double>::infinity();
        out[2] = out[3] = -std::numeric_limits<double>::infinity();
        for (; sides != 0; sides &= sides - 1) {
            const int side = std::countr_zero(sides);
            if (buckets[side]->Slots() > kMaxSlots) return false;
            const double* box = Box(*buckets[side], side);
            for (int k = 0; k < 2; ++k) {
                if (box[k] < out[k]) out[k] = box[k];
                if (box[k + 2] > out[k + 2]) out[k + 2] = box[k + 2];
            }
        }
        return true;
    }
    // The characters may have changed.
    void Forget() { m_nMade = 0; }

private:
    // The box of `side`, made when first asked.
    const double* Box(const cHitBucket& b, int side) {
        double* box = m_dBox[side];
        if (!(m_nMade & (1u << side))) {
            m_nMade |= 1u << side;
            box[0] = box[1] = std::numeric_limits<double>::infinity();
            box[2] = box[3] = -std::numeric_limits<double>::infinity();
            for (std::size_t i = 0; i < b.Slots(); ++i) {
                const HITENTRY& e = b.At(i);
                if (!IsChara(e) || !CanTakeAttack(*static_cast<const cChara*>(e.lpObj))) continue;
                double r[4];
                CharaRect(*static_cast<const cChara*>(e.lpObj), e.nKind, true, r);
                for (int k = 0; k < 2; ++k) {
                    if (r[k] < box[k]) box[k] = r[k];
                    if (r[k + 2] > box[k + 2]) box[k + 2] = r[k + 2];
                }
            }
        }
        return box;
    }

    unsigned m_nMade = 0;  // a bit a side whose box is made
    double m_dBox[HIT_SIDE_NUM][4];
};

// The first place from `from` on holding an attack that the walk of attacks
// against characters must judge, or npos: the entries before it are no
// attack, erased (bMetErased set), left out while only active objects
// collide, or (bBox) miss `box`. The walk judges none of them and runs
// nothing for them: it just passes them.
std::size_t NextToJudge(const cHitBucket& b, std::size_t from, bool bOnlyActive, bool bBox, const double box[4],
                        bool& bMetErased) {
    const std::size_t n = b.Slots();
    for (std::size_t i = from; i < n; ++i) {
        const HITENTRY& e = b.At(i);
        if (e.nKind != HITKIND_ATTACK) continue;
        const auto* lpAtk = static_cast<const cAttack*>(e.lpObj);
        if (lpAtk->bErased) {
            bMetErased = true;
            continue;
        }
        if (bOnlyActive && !lpAtk->bActive) continue;
        if (bBox && !lpAtk->Overlaps(box[0], box[1], box[2], box[3])) continue;
        return i;
    }
    return cHitBucket::npos;
}

// A character whose hit points ran out: the hero's death is the frame's;
// one already dying stays as it is; others die.
int32_t KillVictim(cChara& c, cWorldState* world) {
    if (c.nKind == 0) return PLAY_HERODIES;
    if (c.dying) return PLAY_GOON;
    return c.Die(world);
}

// The item record that an attack's item words name, or null (entry 0 and
// indices beyond the list name none).
const cItemData* AttackItemRecord(int32_t kind, int32_t no) {
    const cSafeVector<cItemData>& list = kind == 0 ? CommonPalette.vItem : PlayStage.vItem;
    if (no <= 0 || no >= static_cast<int32_t>(list.size())) return nullptr;
    return &list[no];
}

int32_t Switch(eSysSwitch s) {
    return GetSysSwitch(SystemData, s);
}

}  // namespace

void cPlayScene::RemoveAttack(cAttack* lpAttack, int32_t side) {
    World.vAttackBucket[side].Remove(lpAttack);
    lpAttack->bErased = 1;
    // A shot added to lstShots knows its place there.
    auto* lpShot = dynamic_cast<cShot*>(lpAttack);
    if (lpShot && lpShot->place.lpList == &World.lstShots) World.lstShots.Erase(lpShot->place.nPlace);
}

int32_t cPlayScene::DetectHits() {
    bHitPass = 1;
    struct PassEnd {
        int32_t& flag;
        ~PassEnd() { flag = 0; }
    } passEnd{bHitPass};
    const bool bOnlyActive = nHitOption != 0;
    const int nBuckets = std::min<int>(HIT_SIDE_NUM, std::min(World.vAttackBucket.size(), World.vCharaBucket.size()));
    constexpr std::size_t npos = cHitBucket::npos;

    // The walks over attacks take the place of the next object before they
    // judge one: a walk that judged the last object ends even if its work
    // added more. The walks over characters reach objects added on the way.

    // Attacks against characters.
    const bool bStepOn = PlayStage.nStepLevel == 0 || nSubStep < 1 ||
                         nSubStep > static_cast<int32_t>(vStepActive.size()) || vStepActive[nSubStep - 1] != 0;
    // The walk below meets every attack. Until a hit runs code none becomes
    // erased, so when it met no erased attack and no hit, none is erased.
    bool bErasedMayRemain = true;
    if (bStepOn) {
        bool bMetErased = false, bHitRan = false;
        // Walked once for each attack: the buckets' places looked up once.
        const cHitBucket* lpCharaBucket[HIT_SIDE_NUM];
        for (int c = 0; c < nBuckets; ++c) lpCharaBucket[c] = &World.vCharaBucket[c];
        // The sides with characters, a bit each: only a hit runs code that
        // adds or takes out characters, so they are taken again after one.
        const auto peopled = [&] {
            unsigned m = 0;
            for (int c = 0; c < nBuckets; ++c)
                if (!lpCharaBucket[c]->IsEmpty()) m |= 1u << c;
            return m;
        };
        unsigned nPeopled = peopled();
        // A side of few characters (the players') is met by many attacks:
        // the box around the rectangles of its characters that can be hit
        // turns away at once an attack that meets none of them. Taken again
        // after a hit, as the sides are.
        cCharaBounds bounds;
        for (int a = 0; a < nBuckets; ++a) {
            const cHitBucket& attacks = World.vAttackBucket[a];
            // The box around the boxes of the sides an attack of side a
            // meets, taken again after a hit: most attacks miss it, and are
            // passed without more.
            double box[4];
            bool bBox = false, bBoxMade = false;
            for (std::size_t ia = attacks.First(); ia != npos;) {
                if (!bBoxMade) {
                    bBox = bounds.UnionOf(lpCharaBucket, nPeopled & ~(1u << a), box);
                    bBoxMade = true;
                }
                ia = NextToJudge(attacks, ia, bOnlyActive, bBox, box, bMetErased);
                if (ia == npos) break;
                const HITENTRY e = attacks.At(ia);
                ia = attacks.NextAfter(ia);
                if (e.nKind != HITKIND_ATTACK) continue;
                auto* lpAtk = static_cast<cAttack*>(e.lpObj);
                if (lpAtk->bErased) {
                    bMetErased = true;
                    continue;
                }
                if (bOnlyActive && !lpAtk->bActive) continue;
                bool bGone = false;
                for (unsigned todo = nPeopled & ~(1u << a); todo != 0 && !bGone;) {
                    const int c = std::countr_zero(todo);
                    todo &= todo - 1;
                    const cHitBucket& charas = *lpCharaBucket[c];
                    if (!bounds.MayMeet(charas, c, *lpAtk)) continue;
                    for (std::size_t ic = charas.First(); ic != npos && !bGone;) {
                        const HITENTRY ce = charas.At(ic);
                        ic = charas.NextAfter(ic);
                        if (!IsChara(ce)) continue;
                        auto* lpChara = static_cast<cChara*>(ce.lpObj);
                        if (!CanTakeAttack(*lpChara)) continue;
                        double r[4];
                        CharaRect(*lpChara, ce.nKind, true, r);
                        if (!lpAtk->Overlaps(r[0], r[1], r[2], r[3])) continue;
                        if (lpAtk->HasHit(lpChara)) continue;
                        const bool bSpecial = lpAtk->IsSpecial();
                        if (bSpecial && lpChara->IsInvincible()) continue;
                        bHitRan = true;
                        cChara* lpShooter = lpAtk->lpShooter;
                        StartCharaTrigger(*lpChara, TRIGGER_SHOT, lpShooter);
                        if (lpShooter && lpAtk->bCountsForShooter)
                            StartCharaTrigger(*lpShooter, TRIGGER_ATTACK_LANDED, lpChara, lpAtk->nShooterFlowId);
                        const bool bNoDamage = Switch(eSysSwitch::NoAttackDamage) != 0;
                        if (bSpecial || !bNoDamage) {
                            const int32_t dead = lpChara->TakeShotDamage(*lpAtk, &World);
                            lpChara->FireShotTriggers(*lpAtk);
                            if (!dead) {
                                PlaySE(SE_HIT);
                                if (bSpecial || bNoDamage) lpChara->SetInvincible();
                            } else {
                                PlaySE(SE_KILL);
                                const int32_t k = KillVictim(*lpChara, &World);
                                if (k == PLAY_STAGEEND || k == PLAY_HERODIES) return k;
                            }
                        }
                        const bool bBlock = IsBlockChara(*lpChara, ce.nKind);
                        if (!lpAtk->nPierce || (bBlock ? lpAtk->byOncePerBlockChara : lpAtk->byOncePerChara) == 1)
                            lpAtk->lstHit.push_back(lpChara);
                        if (const cItemData* lpRec = AttackItemRecord(lpAtk->nItemKind, lpAtk->nItemNo);
                            lpRec) {
                            cItem item;
                            item.Setup(World.nNextItemId++, *lpRec);
                            if (const int32_t r = GiveItemToHero(item)) return r;
                        }
                        if (!lpAtk->nPierce && !lpAtk->bErased) {
                            RemoveAttack(lpAtk, a);
                            bGone = true;
                        }
                        nPeopled = peopled();
                        bounds.Forget();
                        bBoxMade = false;
                        todo = nPeopled & ~(1u << a) & ~((2u << c) - 1);
                    }
                }
            }
        }
        bErasedMayRemain = bMetErased || bHitRan;
    }

    // Attacks that vanished elsewhere.
    for (int a = 0; a < nBuckets && bErasedMayRemain; ++a) {
        const cHitBucket& attacks = World.vAttackBucket[a];
        for (std::size_t ia = attacks.First(); ia != npos;) {
            const HITENTRY e = attacks.At(ia);
            ia = attacks.NextAfter(ia);
            if (e.nKind == HITKIND_ATTACK && static_cast<cAttack*>(e.lpObj)->bErased)
                RemoveAttack(static_cast<cAttack*>(e.lpObj), a);
        }
    }

    // Characters against characters.
    const bool bImmediate = Switch(eSysSwitch::ImmediateAttackTriggers) != 0;
    const auto fit = [](const cChara& c, uint64_t kind) {
        return IsActiveChara(c) && c.hp > 0 && !c.dying && !IsBlockChara(c, kind);
    };
    for (int i = 0; i < nBuckets; ++i) {
        for (int j = i + 1; j < nBuckets; ++j) {
            if (World.vCharaBucket[j].IsEmpty()) continue;
            const cHitBucket& bx = World.vCharaBucket[i];
            const cHitBucket& by = World.vCharaBucket[j];
            for (std::size_t ix = 0; ix < bx.Slots(); ++ix) {
                const HITENTRY ex = bx.At(ix);
                if (!IsChara(ex)) continue;
                auto* X = static_cast<cChara*>(ex.lpObj);
                // X's fitness and rectangle change only through a touch
                // below: read again after one.
                bool bFitX = fit(*X, ex.nKind);
                // An unfit X touches no one, so stays unfit through the walk.
                if (!bFitX) continue;
                double rx[4];
                CharaRect(*X, ex.nKind, false, rx);
                // The rectangles first: most pairs are apart, and the
                // fitness reads lines of Y that the rectangle does not.
                for (std::size_t iy = 0; (iy = NextMeeting(by, iy, rx)) < by.Slots(); ++iy) {
                    const HITENTRY ey = by.At(iy);
                    auto* Y = static_cast<cChara*>(ey.lpObj);
                    if (!fit(*Y, ey.nKind)) continue;
                    const bool bTouchX = !X->IsInvincibleTo(Y->nId);
                    const bool bTouchY = !Y->IsInvincibleTo(X->nId);
                    auto touch = [](cChara& victim, cChara& other) {
                        if (other.tg && other.bCreditSummoner) {
                            StartCharaTrigger(victim, TRIGGER_TOUCHED, other.tg);
                            StartCharaTrigger(*other.tg, TRIGGER_ATTACK_LANDED, &victim, other.nCreditFlowId);
                        } else {
                            StartCharaTrigger(victim, TRIGGER_TOUCHED, &other);
                        }
                    };
                    if (bTouchX) touch(*X, *Y);
                    if (bTouchY) touch(*Y, *X);
                    auto hasBody = [](const cChara& c) { return c.data.nBodyPower != 0 || c.data.byBodyImpact != 0; };
                    const bool bHitX = bTouchX && hasBody(*Y);
                    const bool bHitY = bTouchY && hasBody(*X);
                    int32_t deadX = 0, deadY = 0;
                    if (bHitX) {
                        deadX = X->TakeAttackDamage(*Y, &World);
                        if (bImmediate) X->FireAttackTriggers(*Y);
                    }
                    if (bHitY) {
                        deadY = Y->TakeAttackDamage(*X, &World);
                        if (bImmediate) Y->FireAttackTriggers(*X);
                    }
                    if (!bImmediate) {
                        if (bHitX) X->FireAttackTriggers(*Y);
                        if (bHitY) Y->FireAttackTriggers(*X);
                    }
                    if (bHitX || bHitY) PlaySE(SE_HIT);
                    auto settle = [this](bool bHit, int32_t dead, cChara& victim, cChara& attacker) -> int32_t {
                        if (!bHit) return PLAY_GOON;
                        if (!dead) {
                            victim.AddInvincibleFrom(attacker.nId);
                            return PLAY_GOON;
                        }
                        PlaySE(SE_KILL);
                        return KillVictim(victim, &World);
                    };
                    int32_t k = settle(bHitX, deadX, *X, *Y);
                    if (k == PLAY_STAGEEND || k == PLAY_HERODIES) return k;
                    k = settle(bHitY, deadY, *Y, *X);
                    if (k == PLAY_STAGEEND || k == PLAY_HERODIES) return k;
                    bFitX = fit(*X, ex.nKind);
                    CharaRect(*X, ex.nKind, false, rx);
                    // An X unfit after a touch touches no one more.
                    if (!bFitX) break;
                }
            }
        }
    }

    // Attacks against attacks.
    for (int i = 0; i < nBuckets; ++i) {
        for (int j = i + 1; j < nBuckets; ++j) {
            const cHitBucket& la = World.vAttackBucket[i];
            if (World.vAttackBucket[j].IsEmpty()) continue;
            for (std::size_t ia = la.First(); ia != npos;) {
                const HITENTRY ea = la.At(ia);
                ia = la.NextAfter(ia);
                if (ea.nKind != HITKIND_ATTACK) continue;
                auto* A = static_cast<cAttack*>(ea.lpObj);
                const cHitBucket& lb = World.vAttackBucket[j];
                for (std::size_t ib = lb.First(); ib != npos;) {
                    const HITENTRY eb = lb.At(ib);
                    ib = lb.NextAfter(ib);
                    if (eb.nKind != HITKIND_ATTACK) continue;
                    auto* B = static_cast<cAttack*>(eb.lpObj);
                    if ((!A->byDestructible && !B->byDestructible) || !A->Overlaps(*B)) continue;
                    bool bKillA = A->byDestructible && (!B->byDestructible || A->byStrength <= B->byStrength);
                    bool bKillB = B->byDestructible && (!A->byDestructible || B->byStrength <= A->byStrength);
                    if (bKillB) RemoveAttack(B, j);
                    if (bKillA) {
                        RemoveAttack(A, i);
                        break;
                    }
                }
            }
        }
    }
    return PLAY_GOON;
}
