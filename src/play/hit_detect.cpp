// Hit detection: attacks against the characters of other sides, characters
// against characters, attacks against attacks. Sides are the 8 buckets;
// objects never meet objects of their own side.
#include <algorithm>
#include <iterator>
#include <typeinfo>

#include "actors/attack.h"
#include "actors/damage.h"
#include "database/common_palette.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "play/play_scene.h"
#include "records/utility.h"
#include "world/prefetch.h"

namespace {

constexpr int SE_HIT = 7;
constexpr int SE_KILL = 9;

// dynamic_cast<T*>(o) for the objects of the buckets, thousands of times a
// step: its answer depends only on the object's type, so it is kept for the
// few types last seen and the cast is then a static one.
template <class T>
T* KindCast(const cGameObject* o) {
    struct SEEN {
        const std::type_info* lpType = nullptr;
        bool bIs = false;
    };
    thread_local SEEN seen[4];
    thread_local int next = 0;
    if (!o) return nullptr;
    const std::type_info* t = &typeid(*o);
    const SEEN* hit = nullptr;
    for (const SEEN& e : seen)
        if (e.lpType == t) {
            hit = &e;
            break;
        }
    if (!hit) {
        seen[next] = {t, dynamic_cast<const T*>(o) != nullptr};
        hit = &seen[next];
        next = (next + 1) % 4;
    }
    return hit->bIs ? const_cast<T*>(static_cast<const T*>(o)) : nullptr;
}

// The bytes of an attack the walks over the attacks read first: the game
// object (its type, its rectangle) and the line after it, where the attack's
// erased and active flags open its own fields. Fetched for the next attack
// while one is judged.
constexpr std::size_t kAttackHead = sizeof(cGameObject) + 64;

// Block characters are the stage characters built as solid platforms.
bool IsBlockChara(const cChara& c) {
    const auto* s = KindCast<cStageChara>(&c);
    return s && s->byBlockChara != 0;
}

bool IsActiveChara(const cChara& c) {
    return c.nKind == 0 || c.bActive;
}

// The character's rectangle against attacks (bVsShot) or against characters.
void CharaRect(const cChara& c, bool bVsShot, double r[4]) {
    if (const auto* s = KindCast<cStageChara>(&c)) {
        const double* src = bVsShot ? s->dRectB : s->dRectA;
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

// A character whose hit points ran out: the hero's death is the frame's;
// one already dying stays as it is; others die.
int32_t KillVictim(cChara& c) {
    if (c.nKind == 0) return PLAY_HERODIES;
    if (c.dying) return PLAY_GOON;
    return c.Die();
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
    vAttackBucket[side].Remove(lpAttack);
    lpAttack->bErased = 1;
    void* key = dynamic_cast<void*>(lpAttack);
    for (auto it = lstShots.begin(); it != lstShots.end(); ++it) {
        if (static_cast<void*>(it->get()) == key) {
            lstShots.erase(it);
            return;
        }
    }
}

int32_t cPlayScene::DetectHits() {
    bHitPass = 1;
    struct PassEnd {
        int32_t& flag;
        ~PassEnd() { flag = 0; }
    } passEnd{bHitPass};
    const bool bOnlyActive = nHitOption != 0;
    const int nBuckets = std::min<int>(HIT_SIDE_NUM, std::min(vAttackBucket.size(), vCharaBucket.size()));

    // Attacks against characters.
    const bool bStepOn = PlayStage.nStepLevel == 0 || nSubStep < 1 ||
                         nSubStep > static_cast<int32_t>(vStepActive.size()) || vStepActive[nSubStep - 1] != 0;
    if (bStepOn) {
        for (int a = 0; a < nBuckets; ++a) {
            auto& attacks = vAttackBucket[a].lstObj;
            for (auto it = attacks.begin(); it != attacks.end();) {
                auto* lpAtk = KindCast<cAttack>(*it);
                ++it;
                if (it != attacks.end()) PrefetchBytes(*it, kAttackHead);
                if (!lpAtk || lpAtk->bErased || (bOnlyActive && !lpAtk->bActive)) continue;
                bool bGone = false;
                for (int c = 0; c < nBuckets && !bGone; ++c) {
                    if (c == a) continue;
                    auto& charas = vCharaBucket[c].lstObj;
                    for (auto jt = charas.begin(); jt != charas.end() && !bGone;) {
                        auto* lpChara = KindCast<cChara>(*jt);
                        ++jt;
                        if (!lpChara || !IsActiveChara(*lpChara) || lpChara->dying || lpChara->nKind == 2) continue;
                        double r[4];
                        CharaRect(*lpChara, true, r);
                        if (!lpAtk->Overlaps(r[0], r[1], r[2], r[3])) continue;
                        if (lpAtk->HasHit(lpChara)) continue;
                        const bool bSpecial = lpAtk->IsSpecial();
                        if (bSpecial && lpChara->IsInvincible()) continue;
                        cChara* lpShooter = lpAtk->lpShooter;
                        StartCharaTrigger(*lpChara, TRIGGER_SHOT, lpShooter);
                        if (lpShooter && lpAtk->bCountsForShooter)
                            StartCharaTrigger(*lpShooter, TRIGGER_ATTACK_LANDED, lpChara, lpAtk->nShooterFlowId);
                        const bool bNoDamage = Switch(eSysSwitch::NoAttackDamage) != 0;
                        if (bSpecial || !bNoDamage) {
                            const int32_t dead = lpChara->TakeShotDamage(*lpAtk);
                            lpChara->FireShotTriggers(*lpAtk);
                            if (!dead) {
                                PlaySE(SE_HIT);
                                if (bSpecial || bNoDamage) lpChara->SetInvincible();
                            } else {
                                PlaySE(SE_KILL);
                                const int32_t k = KillVictim(*lpChara);
                                if (k == PLAY_STAGEEND || k == PLAY_HERODIES) return k;
                            }
                        }
                        const bool bBlock = IsBlockChara(*lpChara);
                        if (!lpAtk->nPierce || (bBlock ? lpAtk->byOncePerBlockChara : lpAtk->byOncePerChara) == 1)
                            lpAtk->lstHit.push_back(lpChara);
                        if (const cItemData* lpRec = AttackItemRecord(lpAtk->nItemKind, lpAtk->nItemNo);
                            lpRec) {
                            cItem item;
                            item.Setup(nNextItemId++, *lpRec);
                            if (const int32_t r = GiveItemToHero(item)) return r;
                        }
                        if (!lpAtk->nPierce && !lpAtk->bErased) {
                            RemoveAttack(lpAtk, a);
                            bGone = true;
                        }
                    }
                }
            }
        }
    }

    // Attacks that vanished elsewhere.
    for (int a = 0; a < nBuckets; ++a) {
        auto& attacks = vAttackBucket[a].lstObj;
        for (auto it = attacks.begin(); it != attacks.end();) {
            auto* lpAtk = KindCast<cAttack>(*it);
            ++it;
            if (it != attacks.end()) PrefetchBytes(*it, kAttackHead);
            if (lpAtk && lpAtk->bErased) RemoveAttack(lpAtk, a);
        }
    }

    // Characters against characters.
    const bool bImmediate = Switch(eSysSwitch::ImmediateAttackTriggers) != 0;
    for (int i = 0; i < nBuckets; ++i) {
        for (int j = i + 1; j < nBuckets; ++j) {
            if (vCharaBucket[j].lstObj.empty()) continue;
            for (cGameObject* oX : vCharaBucket[i].lstObj) {
                auto* X = KindCast<cChara>(oX);
                if (!X) continue;
                auto fit = [](const cChara& c) {
                    return IsActiveChara(c) && c.hp > 0 && !c.dying && !IsBlockChara(c);
                };
                // X's fitness and rectangle change only through a touch
                // below: read again after one.
                bool bFitX = fit(*X);
                // An unfit X touches no one, so stays unfit through the walk.
                if (!bFitX) continue;
                double rx[4];
                CharaRect(*X, false, rx);
                for (cGameObject* oY : vCharaBucket[j].lstObj) {
                    auto* Y = KindCast<cChara>(oY);
                    if (!Y) continue;
                    if (!bFitX) continue;
                    // The rectangles first: most pairs are apart, and the
                    // fitness reads lines of Y that the rectangle does not.
                    double ry[4];
                    CharaRect(*Y, false, ry);
                    if (!RectsMeet(rx, ry) || !fit(*Y)) continue;
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
                        deadX = X->TakeAttackDamage(*Y);
                        if (bImmediate) X->FireAttackTriggers(*Y);
                    }
                    if (bHitY) {
                        deadY = Y->TakeAttackDamage(*X);
                        if (bImmediate) Y->FireAttackTriggers(*X);
                    }
                    if (!bImmediate) {
                        if (bHitX) X->FireAttackTriggers(*Y);
                        if (bHitY) Y->FireAttackTriggers(*X);
                    }
                    if (bHitX || bHitY) PlaySE(SE_HIT);
                    auto settle = [](bool bHit, int32_t dead, cChara& victim, cChara& attacker) -> int32_t {
                        if (!bHit) return PLAY_GOON;
                        if (!dead) {
                            victim.AddInvincibleFrom(attacker.nId);
                            return PLAY_GOON;
                        }
                        PlaySE(SE_KILL);
                        return KillVictim(victim);
                    };
                    int32_t k = settle(bHitX, deadX, *X, *Y);
                    if (k == PLAY_STAGEEND || k == PLAY_HERODIES) return k;
                    k = settle(bHitY, deadY, *Y, *X);
                    if (k == PLAY_STAGEEND || k == PLAY_HERODIES) return k;
                    bFitX = fit(*X);
                    CharaRect(*X, false, rx);
                }
            }
        }
    }

    // Attacks against attacks.
    for (int i = 0; i < nBuckets; ++i) {
        for (int j = i + 1; j < nBuckets; ++j) {
            auto& la = vAttackBucket[i].lstObj;
            if (vAttackBucket[j].lstObj.empty()) continue;
            for (auto it = la.begin(); it != la.end();) {
                auto* A = KindCast<cAttack>(*it);
                ++it;
                if (!A) continue;
                auto& lb = vAttackBucket[j].lstObj;
                for (auto jt = lb.begin(); jt != lb.end();) {
                    auto* B = KindCast<cAttack>(*jt);
                    ++jt;
                    if (!B || (!A->byDestructible && !B->byDestructible) || !A->Overlaps(*B)) continue;
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
