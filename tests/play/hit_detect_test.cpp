#include <limits>

#include "actors/shot.h"
#include "hit_fixture.h"

using HitDetect = cHitTest;

TEST_F(HitDetect, EightSidesNeverMeetThemselvesAndEdgesCount) {
    // Every side has a piercing once-per-character attack and a character;
    // the rectangles only share edges.
    std::vector<cAttack*> atk;
    std::vector<cChara*> chr;
    for (int s = 0; s < HIT_SIDE_NUM; ++s) {
        chr.push_back(&Chara(s, 100, 100, 131, 131, 1000));
        cAttack& a = Attack(s, 131, 131, 140, 140, 1);
        a.nPierce = 1;
        a.byOncePerChara = 1;
        atk.push_back(&a);
    }
    EXPECT_EQ(lpPlayScene->DetectHits(), PLAY_GOON);
    EXPECT_EQ(lpPlayScene->bHitPass, 0);
    EXPECT_EQ(lpPlayScene->DetectHits(), PLAY_GOON);
    for (int s = 0; s < HIT_SIDE_NUM; ++s) {
        EXPECT_EQ(atk[s]->lstHit.size(), 7u);
        EXPECT_FALSE(atk[s]->HasHit(chr[s]));
        EXPECT_EQ(chr[s]->hp, 1000 - 7) << "side " << s;
    }
    EXPECT_EQ(Count(TRIGGER_SHOT), 56);
}

TEST_F(HitDetect, NonPiercingAttacksHitOnceAndLeaveWhileTheBucketIsWalked) {
    cChara& c = Chara(1, 0, 0, 31, 31);
    Attack(0, 10, 10, 12, 12);
    Attack(0, 20, 20, 22, 22);
    cAttack& far = Attack(0, 500, 500, 510, 510);
    cAttack& pierce = Attack(2, 0, 0, 5, 5, 3);
    pierce.nPierce = 1;
    lpPlayScene->DetectHits();
    EXPECT_EQ(c.hp, 100 - 10 - 10 - 3);
    EXPECT_EQ(lpPlayScene->World.vAttackBucket[0].Size(), 1u);
    EXPECT_EQ(*lpPlayScene->World.vAttackBucket[0].begin(), &far);
    EXPECT_EQ(m_vAttack[0]->bErased, 1);
    // The piercing attack without its once byte hits again in the next sub-step.
    lpPlayScene->DetectHits();
    EXPECT_EQ(c.hp, 100 - 23 - 3);
    EXPECT_TRUE(pierce.lstHit.empty());
}

TEST_F(HitDetect, AttacksHitOnlyInActiveSubSteps) {
    PlayStage.nStepLevel = 3;
    lpPlayScene->vStepActive = {1, 0, 1, 1};
    cChara& c = Chara(1, 0, 0, 31, 31);
    cAttack& a = Attack(0, 0, 0, 5, 5);
    a.nPierce = 1;
    for (int step = 1; step <= 4; ++step) {
        lpPlayScene->nSubStep = step;
        lpPlayScene->DetectHits();
    }
    EXPECT_EQ(c.hp, 70);
}

TEST_F(HitDetect, DestructibleAttacksShootEachOtherDown) {
    cAttack& a = Attack(0, 0, 0, 9, 9);
    cAttack& b = Attack(1, 9, 9, 19, 19);
    a.byDestructible = b.byDestructible = 1;
    a.byStrength = b.byStrength = 4;
    cAttack& weak = Attack(2, 100, 100, 109, 109);
    cAttack& solid = Attack(3, 105, 105, 115, 115);
    weak.byDestructible = 1;
    weak.byStrength = 9;
    lpPlayScene->DetectHits();
    EXPECT_TRUE(a.bErased && b.bErased && weak.bErased);
    EXPECT_FALSE(solid.bErased);
    EXPECT_EQ(lpPlayScene->World.vAttackBucket[3].Size(), 1u);
    for (int s : {0, 1, 2}) EXPECT_TRUE(lpPlayScene->World.vAttackBucket[s].IsEmpty());
}

TEST_F(HitDetect, BodyAttacksGiveInvincibilityAgainstTheAttackerOnly) {
    cChara& x = Chara(0, 0, 0, 31, 31);
    cChara& y = Chara(1, 31, 0, 62, 31);
    y.data.nBodyPower = 15;
    lpPlayScene->DetectHits();
    lpPlayScene->DetectHits();
    EXPECT_EQ(x.hp, 85);
    EXPECT_EQ(y.hp, 100);
    EXPECT_TRUE(x.IsInvincibleTo(y.nId));
    // The same attacker waits the stage's hit wait (steps per frame × frames).
    const int32_t wait = static_cast<int32_t>(std::max(PlayStage.dSteps, 1.0) * PlayStage.nCharaHitWait);
    for (int i = 0; i < wait - 1; ++i) x.CountDownInvincible();
    EXPECT_TRUE(x.IsInvincibleTo(y.nId));
    x.CountDownInvincible();
    EXPECT_FALSE(x.IsInvincibleTo(y.nId));
    EXPECT_EQ(Count(TRIGGER_TOUCHED), 2 + 1);
    EXPECT_EQ(Count(TRIGGER_DAMAGED), 1);
}

TEST_F(HitDetect, AKilledVictimDiesAndAHitHeroEndsThePass) {
    cChara& c = Chara(1, 0, 0, 31, 31, 5);
    Attack(0, 0, 0, 5, 5, 50);
    EXPECT_EQ(lpPlayScene->DetectHits(), PLAY_GOON);
    EXPECT_EQ(c.dying, 1);
    cChara& hero = Chara(2, 200, 0, 231, 31, 5);
    hero.nKind = 0;
    Attack(0, 200, 0, 205, 5, 50);
    EXPECT_EQ(lpPlayScene->DetectHits(), PLAY_HERODIES);
    EXPECT_EQ(lpPlayScene->bHitPass, 0);
}

TEST_F(HitDetect, RemovedAttacksLeaveTheShotListInAnyOrder) {
    SHOTLIST& shots = lpPlayScene->World.lstShots;
    std::vector<cShot*> left;
    cShot proto;
    for (int i = 0; i < 60; ++i) {
        proto.nId = i, proto.nKind3 = i % 3;
        left.push_back(AddShot(shots, proto, lpWorld));
    }
    const auto listed = [&] {
        std::vector<cShot*> v;
        for (const auto& s : shots) v.push_back(s.get());
        return v;
    };
    // Scattered removals: 7 steps round the 60 places first added reach
    // each place once.
    const std::vector<cShot*> added = left;
    for (int k = 0; k < 30; ++k) {
        cShot* s = added[(k * 7) % 60];
        const int32_t side = s->Side();
        lpPlayScene->RemoveAttack(s, side);
        EXPECT_FALSE(lpPlayScene->World.vAttackBucket[side].Contains(s));
        std::erase(left, s);
        ASSERT_EQ(listed(), left) << "removal " << k;
    }
    // A shot of another list, a copy in no list and an attack that is no
    // shot are marked erased; the list keeps its shots.
    SHOTLIST other;
    cShot* elsewhere = AddShot(other, proto, lpWorld);
    cShot copy = *left[4];
    cAttack& plain = Attack(1, 0, 0, 5, 5);
    for (cAttack* a : std::initializer_list<cAttack*>{elsewhere, &copy, &plain}) {
        lpPlayScene->RemoveAttack(a, 1);
        EXPECT_EQ(a->bErased, 1);
    }
    EXPECT_EQ(listed(), left);
    EXPECT_EQ(other.size(), 1u);
    while (!other.empty()) EraseShot(other, other.begin(), lpWorld);
}

TEST_F(HitDetect, AttacksMeetTheFewCharactersOfASideWhereverTheyStand) {
    // Side 1 is small enough to be judged by the box around its characters:
    // every attack that meets one of them hits it, one that meets the box
    // only hits none. A dying character stands outside the box.
    cStageChara& a = Chara(1, 0, 0, 31, 31, 1000);
    cStageChara& b = Chara(1, 200, 100, 231, 131, 1000);
    cStageChara& c = Chara(1, 100, 300, 131, 331, 1000);
    cStageChara& d = Chara(1, 1000, 1000, 1031, 1031, 1000);
    d.dying = 1;
    struct ATTACKCASE {
        double l, t, r, b;
        int hitsA, hitsB, hitsC;
    };
    const ATTACKCASE cases[] = {
        {-10, -10, 0, 0, 1, 0, 0},        // a's top left corner
        {231, 131, 240, 140, 0, 1, 0},    // b's bottom right corner
        {231, 0, 240, 100, 0, 1, 0},      // b's top right corner
        {232, 100, 240, 131, 0, 0, 0},    // beside b
        {90, 331, 100, 340, 0, 0, 1},     // c's bottom left corner
        {100, 332, 131, 340, 0, 0, 0},    // below c
        {150, 20, 160, 30, 0, 0, 0},      // inside the box, between them
        {-5, 131, 240, 131, 0, 1, 0},     // b's bottom edge, across the box
        {-5, 32, 240, 99, 0, 0, 0},       // the gap between a and b
        {0, 0, 231, 331, 1, 1, 1},        // the whole box
        {1000, 1000, 1031, 1031, 0, 0, 0}, // the dying one
    };
    int hitsA = 0, hitsB = 0, hitsC = 0;
    for (const ATTACKCASE& k : cases) {
        cAttack& atk = Attack(0, k.l, k.t, k.r, k.b, 1);
        atk.nPierce = 1;
        atk.byOncePerChara = 1;
        hitsA += k.hitsA, hitsB += k.hitsB, hitsC += k.hitsC;
    }
    lpPlayScene->DetectHits();
    EXPECT_EQ(a.hp, 1000 - hitsA);
    EXPECT_EQ(b.hp, 1000 - hitsB);
    EXPECT_EQ(c.hp, 1000 - hitsC);
    EXPECT_EQ(d.hp, 1000);
    std::size_t i = 0;
    for (const ATTACKCASE& k : cases) {
        const cAttack& atk = *m_vAttack[i++];
        EXPECT_EQ(atk.HasHit(&a), k.hitsA == 1) << "case " << i;
        EXPECT_EQ(atk.HasHit(&b), k.hitsB == 1) << "case " << i;
        EXPECT_EQ(atk.HasHit(&c), k.hitsC == 1) << "case " << i;
    }
}

TEST_F(HitDetect, AttacksErasedBeforeOrDuringThePassLeaveTheirBuckets) {
    // The code a hit runs (here the trigger start) may erase an attack that
    // the walk has passed.
    struct cErasing : cSeenServices {
        void StartTrigger(cChara& c, int32_t t, cChara* p, int32_t f) override {
            if (lpErase) lpErase->bErased = 1;
            cSeenServices::StartTrigger(c, t, p, f);
        }
        cAttack* lpErase = nullptr;
    } services;
    SetSceneServices(&services);
    struct ERASECASE {
        bool bStepOn;     // attacks judged against characters in this sub-step
        bool bBefore;     // the far attack erased before the pass
        bool bByHit;      // the far attack erased by the hit's code
        bool bLeaves;     // the far attack leaves its bucket
    };
    const ERASECASE cases[] = {
        {true, false, false, false},
        {true, true, false, true},
        {false, true, false, true},
        {true, false, true, true},
        {false, false, false, false},
    };
    PlayStage.nStepLevel = 1;
    lpPlayScene->vStepActive = {1, 0};
    int n = 0;
    for (const ERASECASE& k : cases) {
        for (cHitBucket& b : lpPlayScene->World.vAttackBucket) b.Clear();
        for (cHitBucket& b : lpPlayScene->World.vCharaBucket) b.Clear();
        Chara(1, 0, 0, 31, 31, 1000);
        // The far attack comes first in the walk; the near one hits only
        // where the hit's code erases the far one.
        cAttack& far = Attack(0, 500, 500, 510, 510);
        const double at = k.bByHit ? 0 : 700;
        cAttack& near = Attack(0, at, at, at + 5, at + 5, 1);
        near.nPierce = 1;
        far.bErased = k.bBefore ? 1 : 0;
        services.lpErase = k.bByHit ? &far : nullptr;
        lpPlayScene->nSubStep = k.bStepOn ? 1 : 2;
        EXPECT_EQ(lpPlayScene->DetectHits(), PLAY_GOON);
        EXPECT_EQ(lpPlayScene->World.vAttackBucket[0].Contains(&far), !k.bLeaves) << "case " << n;
        EXPECT_TRUE(lpPlayScene->World.vAttackBucket[0].Contains(&near)) << "case " << n;
        ++n;
    }
    SetSceneServices(&m_Services);
}

TEST_F(HitDetect, CharactersTouchExactlyTheOnesWhoseRectanglesMeetTheirs) {
    // One character of side 0 against a row of side 1: rectangles beside,
    // on the edge of and over its own, holes among them, unfit ones that
    // meet it, and a body blow that leaves it unfit for the rest.
    cStageChara& x = Chara(0, 100, 100, 131, 131, 20);
    struct TOUCHCASE {
        double l, t, r, b;
        bool bUnfit;   // dying
        bool bHole;    // taken out of the bucket before the pass
        int nBody;     // body power
        bool bTouches; // the pair touches
    };
    const TOUCHCASE cases[] = {
        {0, 0, 99, 99, false, false, 0, false},       // beside, corner to corner
        {131, 131, 140, 140, false, false, 0, true},  // the corner
        {132, 100, 140, 131, false, false, 0, false}, // right of it
        {110, 110, 120, 120, false, true, 0, false},  // a hole over it
        {110, 110, 120, 120, true, false, 0, false},  // dying, over it
        {90, 90, 100, 100, false, false, 0, true},    // the other corner
        {100, 50, 131, 99, false, false, 0, false},   // above it
        {100, 50, 131, 100, false, false, 0, true},   // on its top edge
        {0, 0, 500, 500, false, false, 30, true},     // over it, with a blow that kills
        {100, 100, 131, 131, false, false, 0, false}, // the same rectangle, after the kill
    };
    std::vector<cStageChara*> ys;
    for (const TOUCHCASE& k : cases) {
        cStageChara& y = Chara(1, k.l, k.t, k.r, k.b);
        y.dying = k.bUnfit ? 1 : 0;
        y.data.nBodyPower = k.nBody;
        ys.push_back(&y);
    }
    for (std::size_t i = 0; i < std::size(cases); ++i)
        if (cases[i].bHole) lpPlayScene->World.vCharaBucket[1].Remove(ys[i]);
    lpPlayScene->DetectHits();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        int touched = 0;
        for (const TRIGGERSEEN& s : m_vSeen)
            touched += s.nTrigger == TRIGGER_TOUCHED && s.lpChara == ys[i] && s.lpPartner == &x;
        EXPECT_EQ(touched, cases[i].bTouches ? 1 : 0) << "case " << i;
    }
}

TEST_F(HitDetect, AttacksSweptOverSeveralSidesHitExactlyTheRectanglesTheyMeet) {
    // Attacks of side 0 swept over the plane against two small sides, one
    // character apart from the others, with and without a third side too
    // large for a box; an erased and a no-number attack hit nothing.
    struct RECT {
        double l, t, r, b;
    };
    const RECT small[] = {{0, 0, 31, 31}, {100, 40, 131, 71}, {300, 300, 331, 331}, {40, 200, 71, 231}};
    for (const bool bLarge : {false, true}) {
        for (cHitBucket& b : lpPlayScene->World.vAttackBucket) b.Clear();
        for (cHitBucket& b : lpPlayScene->World.vCharaBucket) b.Clear();
        m_vAttack.clear();
        std::vector<std::pair<cStageChara*, RECT>> charas;
        for (int i = 0; i < 4; ++i) {
            const RECT& r = small[i];
            charas.push_back({&Chara(1 + i % 2, r.l, r.t, r.r, r.b, 1000), r});
        }
        if (bLarge)
            for (int i = 0; i < 17; ++i) {
                const RECT r{200.0 + 8 * i, 100, 207.0 + 8 * i, 107};
                charas.push_back({&Chara(3, r.l, r.t, r.r, r.b, 1000), r});
            }
        std::vector<RECT> swept;
        for (double y = -30; y < 360; y += 23)
            for (double x = -30; x < 360; x += 29) {
                swept.push_back({x, y, x + 17, y + 13});
                cAttack& a = Attack(0, x, y, x + 17, y + 13, 1);
                a.nPierce = 1;
                a.byOncePerChara = 1;
            }
        cAttack& erased = Attack(0, 0, 0, 400, 400, 1);
        erased.bErased = 1;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        cAttack& none = Attack(0, nan, 0, 400, 400, 1);
        none.nPierce = 1;
        EXPECT_EQ(lpPlayScene->DetectHits(), PLAY_GOON);
        int hits = 0;
        for (std::size_t i = 0; i < swept.size(); ++i) {
            const RECT& a = swept[i];
            for (const auto& [c, r] : charas) {
                const bool bMeets = a.l <= r.r && r.l <= a.r && a.t <= r.b && r.t <= a.b;
                hits += bMeets;
                EXPECT_EQ(m_vAttack[i]->HasHit(c), bMeets) << "attack " << i << (bLarge ? " with" : " without");
            }
        }
        EXPECT_GT(hits, 10);
        EXPECT_TRUE(none.lstHit.empty());
        EXPECT_TRUE(erased.lstHit.empty());
        EXPECT_EQ(Count(TRIGGER_SHOT), hits);
        m_vSeen.clear();
    }
}
