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
    EXPECT_EQ(lpPlayScene->vAttackBucket[0].Size(), 1u);
    EXPECT_EQ(*lpPlayScene->vAttackBucket[0].begin(), &far);
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
    EXPECT_EQ(lpPlayScene->vAttackBucket[3].Size(), 1u);
    for (int s : {0, 1, 2}) EXPECT_TRUE(lpPlayScene->vAttackBucket[s].IsEmpty());
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
    SHOTLIST& shots = lpPlayScene->lstShots;
    std::vector<cShot*> left;
    cShot proto;
    for (int i = 0; i < 60; ++i) {
        proto.nId = i, proto.nKind3 = i % 3;
        left.push_back(AddShot(shots, proto));
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
        EXPECT_FALSE(lpPlayScene->vAttackBucket[side].Contains(s));
        std::erase(left, s);
        ASSERT_EQ(listed(), left) << "removal " << k;
    }
    // A shot of another list, a copy in no list and an attack that is no
    // shot are marked erased; the list keeps its shots.
    SHOTLIST other;
    cShot* elsewhere = AddShot(other, proto);
    cShot copy = *left[4];
    cAttack& plain = Attack(1, 0, 0, 5, 5);
    for (cAttack* a : std::initializer_list<cAttack*>{elsewhere, &copy, &plain}) {
        lpPlayScene->RemoveAttack(a, 1);
        EXPECT_EQ(a->bErased, 1);
    }
    EXPECT_EQ(listed(), left);
    EXPECT_EQ(other.size(), 1u);
    while (!other.empty()) EraseShot(other, other.begin());
}
