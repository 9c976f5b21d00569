// Cases of the flow triggers: each is started by the event it names, and a
// flow of a near miss (the neighbouring event, or the same trigger on a
// character the event does not reach) stays idle.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "triggers";

// An enemy overlapping the hero from the start, with body power and impact.
cCharaData Toucher(int power, int impact) {
    cCharaData c = Dummy("ぶつかる敵");
    c.nBodyPower = power;
    c.byBodyImpact = static_cast<uint8_t>(impact);
    return c;
}

// A block character the hero (or a character) stands on: still, solid over its cell.
cCharaData Platform() {
    cCharaData c = Dummy("足場キャラ", CG_PLATFORM);
    c.byFlying = 1;
    c.byForce = 7;
    c.byInvincible = 1;
    c.bWholeCell = 1;
    return c;
}

// An enemy that fires one star at the hero (to the left) every half second.
cCharaData Gunner() {
    cCharaData c = Dummy("撃つ敵", CG_CANNON);
    c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 5), ShotCmd(1, SG_STAR, 1, 60, 1)}));
    return c;
}

}  // namespace

void AddTriggerCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("trigger-00-always", kTable, "0 常時",
                     "A character's trigger-0 flow runs in the first frames (S1 = 1); its trigger-22 flow, "
                     "started by nothing, stays idle (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "常時");
                         cCharaData c = Dummy();
                         c.vFlow.push_back(MarkFlow(0, 1));
                         c.vFlow.push_back(MarkFlow(22, 2));
                         Put(k, c, 10, 12);
                     },
                     {{1, 1}, {2, 0}}, 10));
    v.push_back(Case("trigger-01-damaged", kTable, "1 ダメージを受けた時",
                     "An enemy of body power 5 and no impact overlaps the hero: the hero's damage flow runs "
                     "(S1 = 1), its impact flow does not (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ダメージ");
                         HeroOf(s).vFlow.push_back(MarkFlow(1, 1));
                         HeroOf(s).vFlow.push_back(MarkFlow(2, 2));
                         Put(k, Toucher(5, 0), 2, 12);
                     },
                     {{1, 1}, {2, 0}}, 20));
    v.push_back(Case("trigger-02-impact", kTable, "2 衝撃を受けた時",
                     "An enemy of body power 0 and impact 5 overlaps the hero: the hero's impact flow runs "
                     "(S2 = 1), its damage flow does not (S1 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "衝撃");
                         HeroOf(s).vFlow.push_back(MarkFlow(1, 1));
                         HeroOf(s).vFlow.push_back(MarkFlow(2, 2));
                         Put(k, Toucher(0, 5), 2, 12);
                     },
                     {{1, 0}, {2, 1}}, 20));
    v.push_back(Case("trigger-03-died", kTable, "3 死亡した時",
                     "The hero, of body power 20, overlaps an enemy of 10 HP, which dies: its death flow runs "
                     "(S1 = 1); a twin of 100 HP also overlapped lives, and its death flow stays idle (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "死亡");
                         HeroOf(s).nBodyPower = 20;
                         cCharaData a = Dummy("倒れる");
                         a.vFlow.push_back(MarkFlow(3, 1));
                         Put(k, a, 2, 12);
                         cCharaData b = Dummy("生き残る");
                         b.nMaxHP = 100;
                         b.vFlow.push_back(MarkFlow(3, 2));
                         Put(k, b, 2, 12);
                     },
                     {{1, 1}, {2, 0}}, 30));
    v.push_back(Case("trigger-04-touch-chara", kTable, "4 キャラに当たった時",
                     "A character overlapping the hero runs its touch flow (S1 = 1); the same character far "
                     "from the hero does not (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "キャラ接触");
                         cCharaData a = Dummy();
                         a.vFlow.push_back(MarkFlow(4, 1));
                         Put(k, a, 2, 12);
                         cCharaData b = Dummy();
                         b.vFlow.push_back(MarkFlow(4, 2));
                         Put(k, b, 14, 12);
                     },
                     {{1, 1}, {2, 0}}, 10));
    CONFCASE c5 = Case("trigger-05-touch-block-chara", kTable, "5 ブロックキャラに当たった時",
                       "The hero falls onto a block character: the hero's block-character contact flow runs (S1 = 1).",
                       [](cStageData& s) {
                           cStageKit& k = Arena(s, "ブロックキャラ接触");
                           HeroOf(s).wCellY = 8;
                           HeroOf(s).vFlow.push_back(MarkFlow(5, 1));
                           Put(k, Platform(), 2, 11);
                       },
                       {{1, 1}}, 60);
    v.push_back(c5);
    CONFCASE c6 = Case("trigger-06-on-block-chara", kTable, "6 ブロックキャラに乗っている時",
                       "The hero stands on a block character: its standing flow runs (S1 = 1).",
                       [](cStageData& s) {
                           cStageKit& k = Arena(s, "ブロックキャラに乗る");
                           HeroOf(s).wCellY = 8;
                           HeroOf(s).vFlow.push_back(MarkFlow(6, 1));
                           Put(k, Platform(), 2, 11);
                       },
                       {{1, 1}}, 60);
    v.push_back(c6);
    CONFCASE c7 = Case("trigger-07-hit-by-shot", kTable, "7 ショットに当たった時",
                       "An enemy fires stars at the hero: the hero's shot-hit flow runs (S1 = 1).",
                       [](cStageData& s) {
                           cStageKit& k = Arena(s, "ショット被弾");
                           HeroOf(s).vFlow.push_back(MarkFlow(7, 1));
                           Put(k, Gunner(), 8, 12);
                       },
                       {{1, 1}}, 90);
    v.push_back(c7);
    v.push_back(Case("trigger-08-touch-item", kTable, "8 アイテムに当たった時",
                     "The hero stands on a coin: its item flow runs (S1 = 1); a character standing on another "
                     "coin does not take it and its item flow stays idle (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アイテム接触");
                         HeroOf(s).vFlow.push_back(MarkFlow(8, 1));
                         const int coin = k.AddItem(Coin());
                         k.PlaceItem(coin, 2, 12);
                         k.PlaceItem(coin, 12, 12);
                         cCharaData b = Dummy();
                         b.vFlow.push_back(MarkFlow(8, 2));
                         Put(k, b, 12, 12);
                     },
                     {{1, 1}, {2, 0}}, 10));
    // Landing and the ceiling: the hero falls from row 8, or jumps under a roof.
    auto fall = [](int trigger) {
        return [trigger](cStageData& s) {
            Arena(s, "着地");
            HeroOf(s).wCellY = 8;
            HeroOf(s).vFlow.push_back(MarkFlow(trigger, 1));
            HeroOf(s).vFlow.push_back(MarkFlow(14, 2));
        };
    };
    v.push_back(Case("trigger-09-block", kTable, "9 ブロックに当たった時",
                     "The hero falls four blocks and lands: its block-contact flow runs (S1 = 1); no ceiling was "
                     "met (trigger 14, S2 = 0).",
                     fall(9), {{1, 1}, {2, 0}}, 60));
    // The hero lands on its first frames and only walks from frame 30: a
    // watcher copies S1 to S3 at a fifth of a second, while only the ground
    // has been met.
    const char* walls[] = {"10 自分の左右にブロックが当たった時", "11 自分の左にブロックが当たった時",
                           "12 自分の右にブロックが当たった時"};
    for (int t = 10; t <= 12; ++t) {
        const bool left = t == 11;
        const std::string name = "trigger-" + std::to_string(t) + (t == 10 ? "-side" : left ? "-left" : "-right");
        CONFCASE c = Case(name.c_str(), kTable, walls[t - 10],
                          left ? "The hero lands, then walks left into the wall: its left-contact flow runs (S1 = "
                                 "1), but not on the landing (S3 = 0 before the walk); its right-contact flow does "
                                 "not (S2 = 0)."
                               : "The hero lands, then walks right into a wall: the flow runs (S1 = 1), but not "
                                 "on the landing (S3 = 0 before the walk); the left-contact flow does not (S2 = 0).",
                          [t](cStageData& s) {
                              cStageKit& k = Arena(s, "横の接触", {{12, "......S"}});
                              HeroOf(s).wCellX = 4;
                              HeroOf(s).vFlow.push_back(MarkFlow(t, 1));
                              HeroOf(s).vFlow.push_back(MarkFlow(t == 11 ? 12 : 11, 2));
                              cCharaData watcher = Dummy("見張り");
                              watcher.vFlow.push_back(
                                  Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), Code("S3 = S1"), Cmd(CMD_WAIT, 9999)}));
                              Put(k, watcher, 12, 12);
                          },
                          {{1, 1}, {2, 0}, {3, 0}}, 120, CONFEND_PLAYING, left ? "30 LEFT down\n" : "30 RIGHT down\n");
        v.push_back(c);
    }
    v.push_back(Case("trigger-13-up-down", kTable, "13 自分の上下にブロックが当たった時",
                     "The hero lands: its up-or-down contact flow runs (S1 = 1).", fall(13), {{1, 1}, {2, 0}}, 60));
    v.push_back(Case("trigger-14-ceiling", kTable, "14 自分の上にブロックが当たった時",
                     "The hero jumps under a roof two blocks above it: its ceiling flow runs (S1 = 1).",
                     [](cStageData& s) {
                         Arena(s, "天井", {{10, ".SSSSS"}});
                         HeroOf(s).vFlow.push_back(MarkFlow(14, 1));
                     },
                     {{1, 1}}, 60, CONFEND_PLAYING, "10 Z down\n14 Z up\n"));
    v.push_back(Case("trigger-15-landing", kTable, "15 自分の下にブロックが当たった時",
                     "The hero lands: its landing flow runs (S1 = 1); its ceiling flow does not (S2 = 0).", fall(15),
                     {{1, 1}, {2, 0}}, 60));
    for (int t = 16; t <= 17; ++t) {
        CONFCASE c = Case(t == 16 ? "trigger-16-ridden-by-hero" : "trigger-17-ridden-by-chara", kTable,
                          t == 16 ? "16 主人公に乗られている時" : "17 キャラに乗られている時",
                          t == 16 ? "The hero stands on a block character: the block character's ridden-by-hero "
                                    "flow runs (S1 = 1)."
                                  : "A character stands on a block character: the block character's "
                                    "ridden-by-character flow runs (S1 = 1).",
                          [t](cStageData& s) {
                              cStageKit& k = Arena(s, "乗られる");
                              cCharaData p = Platform();
                              p.vFlow.push_back(MarkFlow(t, 1));
                              if (t == 16) {
                                  HeroOf(s).wCellY = 8;
                                  Put(k, p, 2, 11);
                              } else {
                                  Put(k, p, 10, 11);
                                  Put(k, Dummy(), 10, 8);
                              }
                          },
                          {{1, 1}}, 60);
        v.push_back(c);
    }
    // Two stars hit: the one thrown with C from the star flow of id 5 (power
    // 5, impact 3) and one thrown backwards by a flow of id 6 whose power and
    // impact are chosen per trigger, so that it starts the trigger's flow of
    // id 6 only when the trigger asks for what it carries.
    struct ATTACKCASE {
        const char* name;
        const char* rule;
        int power, impact;  // of the star of id 6
        int s2;             // the trigger's flow of id 6
        const char* shows;
    };
    const ATTACKCASE attacks[] = {
        {"trigger-18-attack-damaged", "18 アタックでダメージを与えた時", 0, 3, 0,
         "The hero throws a star (power 5, impact 3) at the enemy on its right from its star flow of id 5: the "
         "hero's flow of this trigger and id 5 runs (S1 = 1). A star of power 0 and impact 3 thrown from a flow "
         "of id 6 at the enemy on its left hits (the flow of trigger 20 and id 6 runs, S3 = 1) but does no "
         "damage, so the flow of this trigger and id 6 stays idle (S2 = 0): neither the star of id 5 starts it."},
        {"trigger-19-attack-impact", "19 アタックで衝撃を与えた時", 5, 0, 0,
         "The hero throws a star (power 5, impact 3) at the enemy on its right from its star flow of id 5: the "
         "hero's flow of this trigger and id 5 runs (S1 = 1). A star of power 5 and impact 0 thrown from a flow "
         "of id 6 at the enemy on its left hits (the flow of trigger 20 and id 6 runs, S3 = 1) but gives no "
         "impact, so the flow of this trigger and id 6 stays idle (S2 = 0): neither the star of id 5 starts it."},
        {"trigger-20-attack-hit", "20 アタックを当てた時", 0, 0, 1,
         "The hero throws a star (power 5, impact 3) at the enemy on its right from its star flow of id 5: the "
         "hero's flow of this trigger and id 5 runs (S1 = 1). A star of power 0 and impact 0 thrown from a flow "
         "of id 6 at the enemy on its left still hits: the flow of this trigger and id 6 runs (S2 = 1, S3 = 1); "
         "the one of id 7 does not, a hit only starts the flows of the id that fired the attack (S4 = 0)."},
    };
    for (int t = 18; t <= 20; ++t) {
        const ATTACKCASE& a = attacks[t - 18];
        CONFCASE c = Case(a.name, kTable, a.rule, a.shows,
                          [t, a](cStageData& s) {
                              cStageKit& k = Arena(s, "アタック");
                              cCharaData& hero = HeroOf(s);
                              for (cFlow& f : hero.vFlow)
                                  for (cFlowCmd& c : f.vCmd)
                                      if (c.spShot && c.nCode == CMD_SHOT) c.spShot->nImpact = 3;
                              cFlowCmd back = ShotCmd(1, SG_STAR, 1, 60, a.power);
                              back.spShot->nImpact = static_cast<uint8_t>(a.impact);
                              back.spShot->nByte5 = 1;  // behind the hero
                              hero.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), back, Cmd(CMD_WAIT, 9999)}, 6));
                              hero.vFlow.push_back(MarkFlow(t, 1, 5));
                              hero.vFlow.push_back(MarkFlow(t, 2, 6));
                              hero.vFlow.push_back(MarkFlow(20, 3, 6));
                              hero.vFlow.push_back(MarkFlow(t, 4, 7));
                              hero.wCellX = 9;
                              Put(k, Dummy(), 5, 12);
                              Put(k, Dummy(), 13, 12);
                          },
                          {{1, 1}, {2, a.s2}, {3, 1}, {4, 0}}, 60, CONFEND_PLAYING, "5 C down\n8 C up\n");
        v.push_back(c);
    }
    v.push_back(Case("trigger-21-before-start", kTable, "21 ステージ開始前",
                     "Before the first frame a character's before-start flow runs its instant code command "
                     "(S1 = 1); a code command of the same flow without the no-wait flag is passed over (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "開始前");
                         cCharaData c = Dummy();
                         cFlowCmd now = SetVar(1);
                         now.bNoWait = 1;
                         c.vFlow.push_back(Flow(21, {now, SetVar(2)}));
                         Put(k, c, 10, 12);
                     },
                     {{1, 1}, {2, 0}}, 5));
    v.push_back(Case("trigger-22-none", kTable, "22 なし（フローの操作コマンドで実行）",
                     "A trigger-22 flow of id 5 never starts by itself; a flow operation 開始 of id 5 starts it "
                     "(S1 = 1); a trigger-22 flow of id 6 stays idle (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "なし");
                         cCharaData c = Dummy();
                         c.vFlow.push_back(Flow(0, {Cmd(CMD_WAIT, 2), Cmd(CMD_FLOW_OP, 0, {0, 2, 5, 0})}));
                         c.vFlow.push_back(MarkFlow(22, 1, 5));
                         c.vFlow.push_back(MarkFlow(22, 2, 6));
                         Put(k, c, 10, 12);
                     },
                     {{1, 1}, {2, 0}}, 30));
}

}  // namespace sample
