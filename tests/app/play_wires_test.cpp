// Whole runs of stages built for one rule each, through the stage set-up and
// the frames of play: shots and swords hit, block and block-character
// contacts start their triggers, summons into solid blocks are taken back,
// the removal rules remove what lies beyond the screen, and a warp brings the
// scroll along at once.
#include "app/built_stage.h"

#include "actors/damage.h"
#include "actors/shot_emit.h"
#include "database/global_objects.h"
#include "stage/stage_data.h"

using namespace sample;

namespace {

class PlayWires : public cBuiltStageTest {
protected:
    // A floor along row 10 of a 30 × 12 stage and the hero on it at column
    // 2, facing right.
    static cCharaData& FloorAndHero(cStageKit& kit, cStageData& s, int heroCol = 2, int heroRow = 9) {
        kit.AddBlock('#', "floor", 1);
        kit.Fill(0, 10, 30, 1, '#');
        kit.PlaceHero(heroCol, heroRow);
        cCharaData& hero = s.vPlacedChara.back();
        hero.byFacing = 1;
        return hero;
    }
    // A character of side 1 that stands still, with the counting flows given.
    static cCharaData Still(int hp, std::initializer_list<cFlow> flows, int flying = 0) {
        cCharaData c;
        c.strName = "still";
        c.wGraphic = 1;
        c.byForce = 1;
        c.nMaxHP = hp;
        c.byFlying = static_cast<uint8_t>(flying);
        for (const cFlow& f : flows) c.vFlow.push_back(f);
        return c;
    }
    // A still block character (a platform) of side 7.
    static cCharaData Platform(std::initializer_list<cFlow> flows) {
        cCharaData c = Still(1, flows, 1);
        c.byForce = 7;
        c.byInvincible = 1;
        c.bWholeCell = 1;
        return c;
    }
    static cFlowCmd FlyCmd(int dir) {
        cFlowCmd c = MoveCmd(CMD_STRAIGHT_MOVE, 9999, 0, 30);
        c.spMove->nDir = static_cast<uint8_t>(dir);
        return c;
    }
};

TEST_F(PlayWires, TheHerosStarAndSwordHitAnEnemyAndAnEnemysShotsHurtTheHero) {
    // The star (flow id 5) thrown at an enemy five cells to the right; the
    // sword (flow id 4) swung at one next to the hero. The hero counts its
    // landed attacks by flow id, the enemy its shot hits and damage.
    for (const bool bSword : {false, true}) {
        Start(30, 12, [&](cStageKit& kit, cStageData& s) {
            cCharaData& hero = FloorAndHero(kit, s);
            hero.vFlow.push_back(Counter(TRIGGER_ATTACK_LANDED, 20, 5));
            hero.vFlow.push_back(Counter(TRIGGER_ATTACK_LANDED, 21, 4));
            kit.PlaceChara(kit.AddChara(Still(20, {Counter(TRIGGER_SHOT, 7), Counter(TRIGGER_DAMAGED, 1)})),
                           bSword ? 3 : 7, 9);
        });
        const int col = bSword ? 3 : 7;
        ASSERT_NE(Placed(col, 9), nullptr);
        Frames(5);
        Press(bSword ? BUTTON_SWORD : BUTTON_SHOT, 60);
        const char* what = bSword ? "sword" : "star";
        // Power 5 against 20 hit points: a hit starts the enemy's triggers 7
        // and 1, and the hero's trigger 20 of the flow that made the attack.
        const cStageChara* lpEnemy = Placed(col, 9);
        ASSERT_NE(lpEnemy, nullptr) << what;
        EXPECT_LT(lpEnemy->hp, 20) << what;
        EXPECT_GE(Var(7), 1) << what;
        EXPECT_GE(Var(1), 1) << what;
        EXPECT_EQ(Var(20) > 0, !bSword) << what;
        EXPECT_EQ(Var(21) > 0, bSword) << what;
    }

    // A cannon of side 1 six cells away fires a straight shot of power 5
    // every second.
    Start(30, 12, [&](cStageKit& kit, cStageData& s) {
        cCharaData& hero = FloorAndHero(kit, s);
        hero.vFlow.push_back(Counter(TRIGGER_SHOT, 30));
        const cFlow fire = Flow(TRG_ALWAYS, {ShotCmd(2, 1, 1, 40, 5), Cmd(CMD_WAIT, 10)});
        kit.PlaceChara(kit.AddChara(Still(50, {fire})), 8, 9);
    });
    const int32_t hp = Hero().hp;
    Frames(120);
    EXPECT_LT(Hero().hp, hp);
    EXPECT_GE(Var(30), 1);
}

TEST_F(PlayWires, SideContactsWithBlocksStartTheSideTriggers) {
    // Two characters fly into a wall from either side: one moving right meets
    // it on its right, one moving left on its left. Flying, they never land,
    // so no contact from above or below starts trigger 9 or 13.
    Start(30, 12, [&](cStageKit& kit, cStageData& s) {
        FloorAndHero(kit, s);
        kit.Fill(15, 2, 1, 5, '#');
        for (const int dir : {3, 2}) {
            const int base = dir == 3 ? 100 : 200;
            cCharaData c = Still(10, {Flow(TRG_ALWAYS, {FlyCmd(dir)})}, 2);
            for (const int trigger : {TRIGGER_BLOCK, TRIGGER_BLOCK_SIDE, TRIGGER_BLOCK_LEFT, TRIGGER_BLOCK_RIGHT,
                                      TRIGGER_BLOCK_ANY})
                c.vFlow.push_back(Counter(trigger, base + trigger));
            kit.PlaceChara(kit.AddChara(c), dir == 3 ? 12 : 18, 4);
        }
    });
    Frames(60);
    // Moving right: 9, 10 and 12 (右).
    EXPECT_GT(Var(100 + TRIGGER_BLOCK), 0);
    EXPECT_GT(Var(100 + TRIGGER_BLOCK_SIDE), 0);
    EXPECT_EQ(Var(100 + TRIGGER_BLOCK_LEFT), 0);
    EXPECT_GT(Var(100 + TRIGGER_BLOCK_RIGHT), 0);
    EXPECT_EQ(Var(100 + TRIGGER_BLOCK_ANY), 0);
    // Moving left: 9, 10 and 11 (左).
    EXPECT_GT(Var(200 + TRIGGER_BLOCK), 0);
    EXPECT_GT(Var(200 + TRIGGER_BLOCK_SIDE), 0);
    EXPECT_GT(Var(200 + TRIGGER_BLOCK_LEFT), 0);
    EXPECT_EQ(Var(200 + TRIGGER_BLOCK_RIGHT), 0);
    EXPECT_EQ(Var(200 + TRIGGER_BLOCK_ANY), 0);
    // Both stopped at the wall (column 15: dots 800 to 831 in the grid).
    const cStageChara* lpRight = Placed(12, 4);
    const cStageChara* lpLeft = Placed(18, 4);
    ASSERT_TRUE(lpRight && lpLeft);
    EXPECT_LT(lpRight->x2, 800);
    EXPECT_GT(lpLeft->x, 831);
}

TEST_F(PlayWires, RidingABlockCharacterStartsTheRiderAndCarrierTriggers) {
    // A character falls onto one platform, the hero stands on another, a
    // flying character that hits blocks flies into a third.
    Start(30, 12, [&](cStageKit& kit, cStageData& s) {
        cCharaData& hero = FloorAndHero(kit, s, 22, 8);
        hero.vFlow.push_back(Counter(TRIGGER_BLOCK_CHARA, 505));
        hero.vFlow.push_back(Counter(TRIGGER_ON_BLOCK_CHARA, 506));
        kit.PlaceChara(kit.AddChara(Platform({Counter(TRIGGER_RIDDEN_BY_HERO, 316), Counter(TRIGGER_RIDDEN, 317)})),
                       17, 7);
        kit.PlaceChara(kit.AddChara(Still(10, {Counter(TRIGGER_BLOCK_CHARA, 405),
                                               Counter(TRIGGER_ON_BLOCK_CHARA, 406)})),
                       17, 5);
        kit.PlaceChara(kit.AddChara(Platform({Counter(TRIGGER_RIDDEN_BY_HERO, 616), Counter(TRIGGER_RIDDEN, 617)})),
                       22, 9);
        kit.PlaceChara(kit.AddChara(Still(10, {Flow(TRG_ALWAYS, {FlyCmd(3)}), Counter(TRIGGER_BLOCK_CHARA, 705)}, 2)),
                       24, 3);
        kit.PlaceChara(kit.AddChara(Platform({})), 27, 3);
    });
    Frames(60);
    const cStageChara* lpRider = Placed(17, 5);
    ASSERT_NE(lpRider, nullptr);
    EXPECT_EQ(lpRider->standingOnObject, 1);
    EXPECT_EQ(Hero().standingOnObject, 1);
    // The riders: 5 (ブロックキャラに当たった時) and 6 (乗っている時).
    EXPECT_GT(Var(405), 0);
    EXPECT_GT(Var(406), 0);
    EXPECT_GT(Var(505), 0);
    EXPECT_GT(Var(506), 0);
    // The flyer is stopped by the platform and starts 5.
    const cStageChara* lpFlyer = Placed(24, 3);
    const cStageChara* lpWall = Placed(27, 3);
    ASSERT_TRUE(lpFlyer && lpWall);
    EXPECT_LT(lpFlyer->x2, lpWall->x);
    EXPECT_GT(Var(705), 0);
    // The carriers: 17 for any rider, 16 only for the hero.
    EXPECT_EQ(Var(316), 0);
    EXPECT_GT(Var(317), 0);
    EXPECT_GT(Var(616), 0);
    EXPECT_GT(Var(617), 0);
}

TEST_F(PlayWires, ACharacterSummonedIntoASolidBlockIsTakenBack) {
    // Two summoners place a character two cells to their right: one into a
    // wall, the other into the open.
    Start(30, 12, [&](cStageKit& kit, cStageData& s) {
        FloorAndHero(kit, s);
        kit.Fill(10, 8, 1, 2, '#');
        const int summoned = kit.AddChara(Still(10, {}));
        cFlowCmd summon = Cmd(CMD_SUMMON_CHARA, 0);
        cEdShot::Create(summon.spShot);
        summon.spShot->nShotNum = 1;
        summon.spShot->nFormation = FORMATION_BURST;
        summon.spShot->nSummonKind = 1;
        summon.spShot->nSummonIndex = static_cast<int16_t>(summoned);
        summon.spShot->nOfsX = 64;
        const int summoner = kit.AddChara(Still(10, {Flow(TRG_ALWAYS, {summon, Cmd(CMD_WAIT, 9999)})}));
        kit.PlaceChara(summoner, 8, 9);
        kit.PlaceChara(summoner, 18, 9);
    });
    ASSERT_EQ(Scene().World.lstStageChara.size(), 2u);
    Frames(5);
    // The one in the open stays; the one in the wall is gone.
    ASSERT_EQ(Scene().World.lstStageChara.size(), 3u);
    const cStageChara& kept = Scene().World.lstStageChara.back();
    EXPECT_GT(kept.x, (18 + 10) * 32);
    EXPECT_EQ(kept.tg, Placed(18, 9));
}

TEST_F(PlayWires, TheStagesRemovalRulesRemoveWhatLiesBeyondTheScreen) {
    // A stage 60 cells wide with the hero at its far right: characters and
    // items more than two cells beyond the left edge of the screen go, while
    // block characters, whose rule is off, stay.
    Start(60, 12, [&](cStageKit& kit, cStageData& s) {
        kit.AddBlock('#', "floor", 1);
        kit.Fill(0, 10, 60, 1, '#');
        kit.PlaceHero(50, 9);
        s.StageIntRec[INTREC_CHARA].Set(1, 0, 0, 0, 2, 0, 0, 0);
        s.StageIntRec[INTREC_ITEM].Set(1, 0, 0, 0, 2, 0, 0, 0);
        kit.PlaceChara(kit.AddChara(Still(10, {})), 3, 9);
        kit.PlaceChara(kit.AddChara(Still(10, {})), 45, 9);
        kit.PlaceChara(kit.AddChara(Platform({})), 3, 6);
        kit.PlaceItem(kit.AddItem(Coin()), 4, 9);
        kit.PlaceItem(kit.AddItem(Coin()), 46, 9);
    });
    EXPECT_EQ(Scene().bEraseCharaKey, 1);
    EXPECT_EQ(Scene().bEraseBlockCharaKey, 0);
    EXPECT_EQ(Scene().bEraseItemKey, 1);
    ASSERT_EQ(Scene().World.lstStageChara.size(), 3u);
    ASSERT_EQ(Scene().World.lstItem.size(), 2u);
    Frames(1);
    EXPECT_EQ(Placed(3, 9), nullptr);
    EXPECT_NE(Placed(45, 9), nullptr);
    EXPECT_NE(Placed(3, 6), nullptr);
    ASSERT_EQ(Scene().World.lstItem.size(), 1u);
    EXPECT_GT(Scene().World.lstItem.front().x, 40 * 32);
}

TEST_F(PlayWires, AWarpBringsTheScrollAlongAtOnce) {
    // Before the stage starts the hero warps 40 half blocks to the right (at
    // once: a command without wait of a before-start flow).
    Start(60, 12, [&](cStageKit& kit, cStageData& s) {
        cCharaData& hero = FloorAndHero(kit, s);
        cFlowCmd warp = MoveCmd(CMD_WARP, 0, 0, 0);
        warp.spMove->nMode = 0;
        warp.spMove->nDir = 3;
        warp.spMove->nDist = 40;
        warp.bNoWait = 1;
        hero.vFlow.push_back(Flow(TRG_BEFORE_START, {warp}));
    });
    const cPlayer& hero = Hero();
    EXPECT_EQ(hero.x, (2 + 10) * 32 + 8.5 + 640);
    // The view is centred on the hero where it stands now.
    EXPECT_EQ(Scene().World.ScrollX.dPos, hero.x - (320 - hero.nHitW / 2));
}

}  // namespace
