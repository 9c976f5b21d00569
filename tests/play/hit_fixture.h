#pragma once
// Characters and attacks placed by hand in the side buckets of the test
// world, over a world alone (cWorldTest, the fake services) or a play scene
// (cHitTest: trigger starts recorded and item hand-overs answered by the
// services the tests install).
#include <memory>
#include <tuple>
#include <vector>

#include "actors/attack.h"
#include "actors/damage.h"
#include "play/play_services.h"
#include "play_fixture.h"
#include "player/player_records.h"
#include "world_fixture.h"

struct TRIGGERSEEN {
    cChara* lpChara;
    int32_t nTrigger;
    cChara* lpPartner;
    int32_t nFilter;
    bool operator==(const TRIGGERSEEN&) const = default;
};

// Trigger starts written down instead of run; items given to the hero
// answer nTakeResult (below 0: the game's own hand-over).
class cSeenServices : public cPlayServices {
public:
    cSeenServices() : cPlayServices(*lpPlayScene) {}
    void StartTrigger(cChara& c, int32_t t, cChara* p, int32_t f) override {
        vSeen.push_back(TRIGGERSEEN{&c, t, p, f});
    }
    int32_t TakeItem(cItem& item) override { return nTakeResult < 0 ? cPlayServices::TakeItem(item) : nTakeResult; }

    std::vector<TRIGGERSEEN> vSeen;
    int32_t nTakeResult = -1;
};

// The hand-placed characters and attacks over tBase (cWorldTest or cPlayTest).
template <class tBase>
class cSidesFixture : public tBase {
protected:
    cSidesFixture() { PlayStage.nCharaInvincible = 10; }
    ~cSidesFixture() override { m_vAttack.clear(); }

    // An active stage character of `side` whose both hit ranges are the rectangle.
    cStageChara& Chara(int32_t side, double l, double t, double r, double b, int32_t hp = 100) {
        cStageChara& c = lpWorld->lstStageChara.emplace_back();
        c.nId = ++m_nId;
        c.nKind = 1;
        c.nKind3 = side;
        c.bActive = 1;
        c.data.nMaxHP = c.hp = hp;
        const double rect[4] = {l, t, r, b};
        for (int i = 0; i < 4; ++i) c.dRectA[i] = c.dRectB[i] = rect[i];
        lpWorld->vCharaBucket[side].Add(&c, HITKIND_STAGECHARA);
        return c;
    }
    cAttack& Attack(int32_t side, double l, double t, double r, double b, int32_t power = 10) {
        auto& a = *m_vAttack.emplace_back(std::make_unique<cAttack>());
        a.nId = ++m_nId;
        a.nPower = power;
        const double rect[4] = {l, t, r, b};
        std::copy(rect, rect + 4, a.dRect);
        lpWorld->vAttackBucket[side].Add(&a, HITKIND_ATTACK);
        return a;
    }

    std::vector<std::unique_ptr<cAttack>> m_vAttack;
    int32_t m_nId = 0;
};

class cHitTest : public cSidesFixture<cPlayTest> {
protected:
    cHitTest() { SetSceneServices(&m_Services); }
    ~cHitTest() override { SetSceneServices(&lpPlayScene->Services); }

    int Count(int32_t trigger) const {
        int n = 0;
        for (const auto& s : m_vSeen) n += s.nTrigger == trigger;
        return n;
    }

    cSeenServices m_Services;
    std::vector<TRIGGERSEEN>& m_vSeen = m_Services.vSeen;
};
