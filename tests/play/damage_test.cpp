#include <algorithm>
#include <string>
#include <vector>

#include "hit_fixture.h"

// Over a world alone: the fake services log the trigger starts, keep the
// run's score and answer the item hand-overs.
class Damage : public cSidesFixture<cWorldTest> {
protected:
    // The fake's log line of trigger `trigger` started on `c` by `partner`.
    static std::string Started(int32_t trigger, const cChara& c, const cChara& partner, int32_t filter) {
        return "trigger " + std::to_string(trigger) + " on " + std::to_string(c.nId) + " by " +
               std::to_string(partner.nId) + " filter " + std::to_string(filter);
    }
    int Count(int32_t trigger) const {
        const std::string head = "trigger " + std::to_string(trigger) + " on ";
        return static_cast<int>(std::count_if(m_Services.vLog.begin(), m_Services.vLog.end(),
                                              [&](const std::string& l) { return l.starts_with(head); }));
    }
};

TEST_F(Damage, PowerAgainstDefenceHealingAndInvincibleVictims) {
    cChara& v = Chara(1, 0, 0, 31, 31);
    cChara& a = Chara(0, 0, 0, 31, 31);
    v.data.nDefence = 50;
    a.data.nBodyPower = 30;
    EXPECT_EQ(v.TakeAttackDamage(a, lpWorld), 0);
    v.FireAttackTriggers(a);
    EXPECT_EQ(v.hp, 100);
    EXPECT_EQ(m_Services.vLog, std::vector<std::string>{Started(TRIGGER_DAMAGED, v, a, 0)});

    v.hp = 95;
    a.data.nBodyPower = -10;
    v.TakeAttackDamage(a, lpWorld);
    EXPECT_EQ(v.hp, 100);

    cAttack& s = Attack(0, 0, 0, 1, 1, 100);
    s.SetShooter(&a);
    s.bCountsForShooter = 1;
    s.nShooterFlowId = 7;
    v.data.byInvincible = 1;
    m_Services.vLog.clear();
    EXPECT_EQ(v.TakeShotDamage(s, lpWorld), 0);
    v.FireShotTriggers(s);
    EXPECT_EQ(v.hp, 100);
    EXPECT_EQ(m_Services.vLog,
              (std::vector<std::string>{Started(TRIGGER_DAMAGED, v, a, 0), Started(TRIGGER_GAVE_DAMAGE, a, v, 7)}));
}

TEST_F(Damage, DeathAddsTheScoreUpToItsCapAndReportsTheEnd) {
    m_Services.nScore = 999800;
    cChara& c = Chara(1, 0, 0, 31, 31);
    c.data.nScore = 500;
    EXPECT_EQ(c.Die(lpWorld), 0);
    EXPECT_EQ(m_Services.nScore, 999999);
    EXPECT_EQ(c.dying, 1);
    EXPECT_EQ(Count(TRIGGER_DIED), 1);

    // A carried item that kills the hero: the character still dies.
    cStageChara& d = static_cast<cStageChara&>(Chara(1, 0, 0, 31, 31));
    d.item.nIndex = 1;
    m_Services.nTakeResult = 2;
    EXPECT_EQ(d.Die(lpWorld), 2);
    EXPECT_EQ(d.dying, 1);
    EXPECT_EQ(m_Services.vLog.back(), "take item");

    cChara& e = Chara(1, 0, 0, 31, 31);
    lpWorld->nStageEnd = 1;
    EXPECT_EQ(e.Die(lpWorld), 1);
    EXPECT_EQ(e.dying, 0);
}

TEST_F(Damage, ARemovedCharacterLeavesNoTargetOrAttackPointingAtIt) {
    cChara& a = Chara(0, 0, 0, 31, 31);
    auto it = std::prev(lpWorld->lstStageChara.end());
    auto b = std::make_unique<cStageChara>();
    b->InitTargets(&a, lpWorld);
    a.SetTarget(0, b.get());
    a.SetTarget(3, b.get());
    b->SetTarget(1, &a);
    cAttack& aimed = Attack(0, 0, 0, 1, 1);
    aimed.SetTarget(b.get());
    aimed.SetShooter(b.get());
    cAttack& fromA = Attack(0, 0, 0, 1, 1);
    fromA.SetShooter(&a);
    b.reset();
    for (int s = 0; s < 4; ++s) EXPECT_EQ(a.GetTarget(s), nullptr);
    EXPECT_TRUE(a.targetedBy.empty());
    EXPECT_EQ(aimed.lpTarget, nullptr);
    EXPECT_EQ(aimed.lpShooter, nullptr);
    // An attack destroyed first takes its own back-references with it.
    m_vAttack.clear();
    EXPECT_TRUE(a.attackRefs.empty());
    lpWorld->lstStageChara.erase(it);
}
