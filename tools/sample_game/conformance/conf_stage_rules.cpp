// Cases of the rules of a stage as a whole: the time limit, damage and the
// hero's deaths, automatic scrolling.
#include <algorithm>
#include <sstream>
#include <string>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kDamage = "damage and death";
constexpr const char* kStage = "stage rules";
constexpr const char* kGameType = "game types";

// An enemy of body power `power` overlapping the hero from the start.
cCharaData Biter(int power) {
    cCharaData e = Dummy("かむ敵");
    e.nBodyPower = power;
    return e;
}

// A cannon at cell (10, 12) facing left that fires `shot` once, after 3 frames.
void PutShooter(cStageKit& k, const cFlowCmd& shot) {
    cCharaData e = Dummy("撃つ敵", CG_CANNON);
    e.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), shot, Cmd(CMD_WAIT, 9999)}));
    Put(k, e, 10, 12, 0);
}

}  // namespace

void AddStageRuleCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("damage-body", kDamage, "体当たりの威力",
                     "An enemy of body power 5 overlaps the hero of 30 HP for a third of a second: one hit, then the "
                     "hero's invincibility after damage holds, so its HP is 25 (S1 = 25), not lower.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ダメージ");
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = hp")}));
                         Put(k, Biter(5), 2, 12);
                     },
                     {{1, 25}}, 20));
    v.push_back(Case("damage-invincible-chara", kDamage, "無敵 (キャラの設定)",
                     "The hero, of body power 20, overlaps an enemy set invincible: the enemy keeps its 10 HP (S1 = 10).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "無敵の敵");
                         HeroOf(s).nBodyPower = 20;
                         cCharaData e = Dummy();
                         e.byInvincible = 1;
                         e.vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = hp")}));
                         Put(k, e, 2, 12);
                     },
                     {{1, 10}}, 20));
    v.push_back(Case("death-hp", kDamage, "HP 0 (主人公)",
                     "An enemy of body power 40 overlaps the hero of 30 HP: the hero dies.",
                     [](cStageData& s) { Put(Arena(s, "HP 0"), Biter(40), 2, 12); }, {}, 60, CONFEND_DIED));
    v.push_back(Case("death-fall", kDamage, "落下 (ステージの下へ)",
                     "The hero stands over a hole in the ground and falls out of the bottom of the stage: it dies.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "落下");
                         (void)k;
                         s.vPlacedBlock.erase(std::remove_if(s.vPlacedBlock.begin(), s.vPlacedBlock.end(),
                                                             [](const cBlockData& b) {
                                                                 return b.wCellX >= 1 && b.wCellX <= 3 && b.wCellY >= 13;
                                                             }),
                                              s.vPlacedBlock.end());
                     },
                     {}, 180, CONFEND_DIED));
    v.push_back(Case("damage-invincible-after-hit", kDamage, "無敵 (ダメージ後)",
                     "Two enemies of body power 5 overlap the hero of 30 HP: the first hit makes the hero invincible "
                     "against every attacker, not only the one that dealt it, so the second never hits (S1 = 25).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ダメージ後の無敵");
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = hp")}));
                         Put(k, Biter(5), 2, 12);
                         Put(k, Biter(5), 2, 12);
                     },
                     {{1, 25}}, 20));
    for (int resist = 0; resist <= 1; ++resist)
        v.push_back(Case(resist ? "damage-knockback-resisted" : "damage-knockback", kDamage,
                         resist ? "ノックバック (衝撃耐性 20)" : "ノックバック (衝撃 20)",
                         resist ? "The same star against a hero of impact resistance 20: it is not pushed and never "
                                  "reaches the goal (still playing); the star did hit (S1 = 1)."
                                : "An enemy fires a star of impact 20 at the hero from the right: the hit pushes the "
                                  "hero left onto the goal just behind it (cleared).",
                         [resist](cStageData& s) {
                             cStageKit& k = Arena(s, "ノックバック");
                             cCharaData& hero = HeroOf(s);
                             hero.wCellX = 6;
                             hero.byImpactResist = static_cast<uint8_t>(resist ? 20 : 0);
                             hero.vFlow.push_back(MarkFlow(7, 1));
                             cFlowCmd shot = ShotCmd(1, SG_STAR, 1, 40, 1);
                             shot.spShot->nImpact = 20;
                             PutShooter(k, shot);
                             k.PlaceItem(k.AddItem(Goal()), 5, 12);
                         },
                         resist ? std::vector<CONFCHECK>{{1, 1}} : std::vector<CONFCHECK>{}, 120,
                         resist ? CONFEND_PLAYING : CONFEND_CLEARED));
    for (int invincible = 1; invincible <= 2; ++invincible)
        v.push_back(Case(invincible == 2 ? "damage-invincible-pass-through" : "damage-invincible-shot-hits", kDamage,
                         invincible == 2 ? "無敵 2 (ショットがすり抜ける)" : "無敵 1 (ショットが当たる)",
                         invincible == 2
                             ? "An enemy fires a star at the hero past a character of invincibility 2: the star passes "
                               "through it untouched (S2 = 0, its HP 10: S3 = 10) and hits the hero behind (S1 = 1)."
                             : "The same star past a character of invincibility 1: it is hit (S2 = 1) but keeps its "
                               "10 HP (S3 = 10), and the star is used up on it, so the hero is never hit (S1 = 0).",
                         [invincible](cStageData& s) {
                             cStageKit& k = Arena(s, "無敵とショット");
                             cCharaData& hero = HeroOf(s);
                             hero.wCellX = 4;
                             hero.vFlow.push_back(MarkFlow(7, 1));
                             cCharaData shield = Dummy("盾");
                             shield.byForce = 2;
                             shield.byInvincible = static_cast<uint8_t>(invincible);
                             shield.vFlow.push_back(MarkFlow(7, 2));
                             shield.vFlow.push_back(Flow(TRG_ALWAYS, {Code("S3 = hp")}));
                             Put(k, shield, 7, 12);
                             PutShooter(k, ShotCmd(1, SG_STAR, 1, 40, 1));
                         },
                         invincible == 2 ? std::vector<CONFCHECK>{{1, 1}, {2, 0}, {3, 10}}
                                         : std::vector<CONFCHECK>{{1, 0}, {2, 1}, {3, 10}},
                         120));
    v.push_back(Case("death-squeeze", kDamage, "挟まれ (ブロックキャラと地面)",
                     "A block character sinks onto the hero standing on the ground: caught between it and the "
                     "ground, the hero is crushed and dies.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "挟まれ");
                         cCharaData p = Dummy("沈む足場", CG_PLATFORM);
                         p.byFlying = 1;
                         p.byForce = 7;
                         p.byInvincible = 1;
                         p.bWholeCell = 1;
                         cFlowCmd down = MoveCmd(CMD_STRAIGHT_MOVE, 9999, 0, 20);
                         down.spMove->nDir = 7;
                         p.vFlow.push_back(Flow(TRG_ALWAYS, {down}));
                         Put(k, p, 2, 9);
                     },
                     {}, 180, CONFEND_DIED));
    v.push_back(Case("stage-removal-chara", kStage, "画面外の消去 (キャラ, 右 0 ブロック)",
                     "The stage's removal rule for characters is on at the right edge of the view, 0 blocks beyond: "
                     "a character active over the whole stage placed at column 25 of 40, right of the view, is "
                     "removed before its flow marks "
                     "S1 (S1 = 0); one at column 15, inside the view, stays and marks S2 (S2 = 1).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "画面外の消去", {}, true, 40);
                         s.StageIntRec[INTREC_CHARA].Set(0, 1, 0, 0, 0, 0, 0, 0);
                         for (int x : {25, 15}) {
                             cCharaData c = Dummy();
                             c.bySetting52 = 3;  // active over the whole stage, on screen or not
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 5), SetVar(x == 25 ? 1 : 2)}));
                             Put(k, c, x, 12);
                         }
                     },
                     {{1, 0}, {2, 1}}, 60));
    for (int limit = 0; limit <= 1; ++limit)
        v.push_back(Case(limit ? "stage-scroll-limit" : "stage-scroll-limit-off", kStage,
                         limit ? "スクロール範囲 (右端 19 列)" : "スクロール範囲 (なし)",
                         limit ? "A stage 40 blocks wide whose scroll area ends at column 19: the hero walks right "
                                 "out of the view but the view stays on columns 0 to 19, so a character at column 25, "
                                 "active only on screen, never runs its flow (S1 = 0)."
                               : "The same stage without the limit: the view follows the hero and the character at "
                                 "column 25 comes on screen and runs its flow (S1 = 1).",
                         [limit](cStageData& s) {
                             cStageKit& k = Arena(s, "スクロール範囲", {}, true, 40);
                             s.bScrollRight = limit;
                             s.nScrollRight = 19;
                             cCharaData c = Dummy();
                             c.vFlow.push_back(MarkFlow(TRG_ALWAYS, 1));
                             Put(k, c, 25, 12);
                         },
                         {{1, 1 - limit}}, 300, CONFEND_PLAYING, "2 RIGHT down\n"));
    v.push_back(Case("stage-time-limit", kStage, "制限時間",
                     "A stage with a time limit of 1 second: the time runs out and the hero dies.",
                     [](cStageData& s) {
                         Arena(s, "制限時間");
                         s.bTimeLimit = 1;
                         s.nTimeLimit = 1;
                     },
                     {}, 150, CONFEND_DIED));
    v.push_back(Case("stage-time-read", kStage, "制限時間 (時間の読み出し)",
                     "A stage with a time limit of 50 seconds: the code reads the time left, 50 in the first second "
                     "(S1 = 50).",
                     [](cStageData& s) {
                         Arena(s, "時間");
                         s.bTimeLimit = 1;
                         s.nTimeLimit = 50;
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = sys.time")}));
                     },
                     {{1, 50}}, 20));
    v.push_back(Case("stage-no-time-limit", kStage, "制限時間なし",
                     "A stage without a time limit: the code's time reads the stage timer, which shows 999 (S1 = 999); "
                     "a status operation's operand 時間 reads 0 there (S2 = 0); the hero lives on after 3 seconds.",
                     [](cStageData& s) {
                         Arena(s, "時間なし");
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = sys.time"),
                                                                     Cmd(CMD_STATUS_OP, 0, {1, 1, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 5, 0})}));
                         HeroOf(s).vFlow.push_back(Flow(21, {[] { cFlowCmd c = SetVar(2, 77); c.bNoWait = 1; return c; }()}));
                     },
                     {{1, 999}, {2, 0}}, 180));
    v.push_back(Case("stage-lives-unlimited", kStage, "残り人数 (無制限)",
                     "A test play has unlimited lives: the code's life reads 100 (S1 = 100), and an assignment leaves "
                     "it unlimited (S2 = 100 after \"sys.life = 3\").",
                     [](cStageData& s) {
                         Arena(s, "残り人数");
                         HeroOf(s).vFlow.push_back(
                             Flow(TRG_ALWAYS, {Code("S1 = sys.life"), Code("sys.life = 3"), Code("S2 = sys.life")}));
                     },
                     {{1, 100}, {2, 100}}, 20));
    v.push_back(Case("stage-score", kStage, "スコア",
                     "The code sets the run's score to 50 and reads it back (S1 = 50); a score above 999999 is held "
                     "at 999999 (S2 = 999999).",
                     [](cStageData& s) {
                         Arena(s, "スコア");
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("sys.score = 50"), Code("S1 = sys.score"),
                                                                     Code("sys.score = 2000000"), Code("S2 = sys.score"),
                                                                     Cmd(CMD_WAIT, 9999)}));
                     },
                     {{1, 50}, {2, 999999}}, 20));
    v.push_back(Case("stage-auto-scroll", kStage, "オートスクロール (横)",
                     "A stage 40 blocks wide scrolls right by itself at the largest speed, 480: the left edge of the "
                     "view pushes the standing hero along until it touches the goal at column 15.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "オートスクロール", {}, true, 40);
                         s.nScrollKindX = 1;
                         s.nAutoScrollX = 480;
                         k.PlaceItem(k.AddItem(Goal()), 15, 12);
                     },
                     {}, 900, CONFEND_CLEARED));
    v.push_back(Case("stage-scroll-speed-read", kStage, "横スクロール速度 (読み出し)",
                     "The code reads the automatic scroll speed the stage set, the largest (S1 = 480).",
                     [](cStageData& s) {
                         Arena(s, "スクロール速度", {}, true, 40);
                         s.nScrollKindX = 1;
                         s.nAutoScrollX = 480;
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = sys.scrlx")}));
                     },
                     {{1, 480}}, 10));
    {
        CONFCASE c = Case("gametype-free-clear", kGameType, "フリープレイ (クリア)",
                          "A stage file played as free play shows its banners, then play: the hero takes the goal on "
                          "its cell and the stage is cleared.",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "フリープレイ");
                              k.PlaceItem(k.AddItem(Goal()), 2, 12);
                          },
                          {}, 60, CONFEND_CLEARED);
        c.bFreePlay = true;
        v.push_back(c);
    }
    for (int mode : {1, 3}) {
        CONFCASE c = Case(mode == 1 ? "ranking-mode-1-manual" : "ranking-mode-3-automatic", kGameType,
                          mode == 1 ? "ランキング 1 手動登録（登録名固定）" : "ランキング 3 自動登録（登録名固定）",
                          mode == 1 ? "Free play cleared with the option's ranking mode 1: F3 on the results enters "
                                      "the run under the option's name, which the stage's ranking file then holds."
                                    : "Free play cleared with the option's ranking mode 3: confirming the results "
                                      "enters the run under the option's name without being asked, and the stage's "
                                      "ranking file holds it.",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "ランキング");
                              k.PlaceItem(k.AddItem(Goal()), 4, 12);
                          },
                          {}, 120, CONFEND_CLEARED,
                          mode == 1 ? "2 RIGHT down\n60 F3 down\n64 F3 up\n100 Z down\n104 Z up\n140 Z down\n"
                                      "144 Z up\n180 Z down\n184 Z up\n"
                                    : "2 RIGHT down\n100 Z down\n104 Z up\n140 Z down\n144 Z up\n180 Z down\n"
                                      "184 Z up\n");
        c.bFreePlay = true;
        c.nRankMode = mode;
        v.push_back(c);
    }
    {
        CONFCASE c = Case("gametype-story-clear", kGameType, "ストーリー (ワールドマップから)",
                          "A new story from the title: on the world map the walker steps onto the first stage's "
                          "event, which names this stage; play runs as a story (game type 0), the hero walks right "
                          "to the goal and the stage is cleared.",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "ストーリー");
                              k.PlaceItem(k.AddItem(Goal()), 4, 12);
                          },
                          {}, 120, CONFEND_CLEARED, "2 RIGHT down\n");
        c.bStory = true;
        v.push_back(c);
    }
    {
        CONFCASE c = Case("gametype-replay", kGameType, "リプレイ (F1 で保存、コマンドラインから再生)",
                          "The hero walks right with a jump into a sensor (S1 = 1) and stops; F1 saves the run as "
                          "a replay. Played back from the command line, the replay's keys walk the same way: the "
                          "sensor is reached again (S1 = 1) on the same frame of play.",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "リプレイ");
                              cCharaData sensor = Dummy("感知");
                              sensor.byForce = 2;
                              sensor.vFlow.push_back(MarkFlow(4, 1));
                              Put(k, sensor, 9, 12);
                          },
                          {{1, 1}}, 300, CONFEND_PLAYING,
                          "2 RIGHT down\n20 Z down\n32 Z up\n70 RIGHT up\n90 F1 down\n91 F1 up\n");
        c.bReplay = true;
        v.push_back(c);
    }
    // Modes 0 and 2 ask the name in the name dialog: the keys type "Kim" into
    // it (shift K, I, M) and Enter closes it.
    for (int mode : {0, 2}) {
        const std::string typed = "LSHIFT down\n2 K down\n4 K up\n6 LSHIFT up\n12 I down\n14 I up\n22 M down\n"
                                  "24 M up\n32 RETURN down\n34 RETURN up\n";
        // Each line of the typing, shifted to start at frame `at`.
        auto at = [&typed](int first) {
            std::string out, line;
            std::istringstream in(typed);
            for (bool head = true; std::getline(in, line); head = false) {
                const size_t sp = line.find(' ');
                const int f = head ? 0 : std::stoi(line.substr(0, sp));
                out += std::to_string(first + f) + " " + (head ? line : line.substr(sp + 1)) + "\n";
            }
            return out;
        };
        const std::string keys =
            mode == 0 ? "2 RIGHT down\n40 RIGHT up\n60 F3 down\n62 F3 up\n" + at(80) +
                            "160 Z down\n164 Z up\n200 Z down\n204 Z up\n240 Z down\n244 Z up\n"
                      : "2 RIGHT down\n40 RIGHT up\n180 Z down\n184 Z up\n" + at(210) +
                            "260 Z down\n264 Z up\n300 Z down\n304 Z up\n";
        CONFCASE c = Case(mode == 0 ? "ranking-mode-0-manual-dialog" : "ranking-mode-2-automatic-dialog", kGameType,
                          mode == 0 ? "ランキング 0 手動登録（名前入力）" : "ランキング 2 自動登録（名前入力）",
                          mode == 0 ? "Free play cleared with the option's ranking mode 0: F3 on the results opens the "
                                      "name dialog, the name typed there (Kim) is entered, and the stage's ranking "
                                      "file holds it, not the option's name."
                                    : "Free play cleared with the option's ranking mode 2: confirming the results "
                                      "opens the name dialog at once, the name typed there (Kim) is entered, and the "
                                      "stage's ranking file holds it, not the option's name.",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "ランキング");
                              k.PlaceItem(k.AddItem(Goal()), 4, 12);
                          },
                          {}, 120, CONFEND_CLEARED,
                          keys.c_str());
        c.bFreePlay = true;
        c.nRankMode = mode;
        c.strRankName = "Kim";
        v.push_back(c);
    }
    {
        CONFCASE c = Case("gametype-free-death", kGameType, "フリープレイ (死亡)",
                          "Free play: the hero falls onto spikes and dies.",
                          [](cStageData& s) {
                              Arena(s, "フリープレイの死亡", {{12, ".XXX"}});
                              HeroOf(s).wCellY = 8;
                          },
                          {}, 120, CONFEND_DIED);
        c.bFreePlay = true;
        v.push_back(c);
    }
    v.push_back(Case("gametype-test-play", kGameType, "テストプレイ (エディタから)",
                     "The editor's test play starts straight into play: the hero's before-start flow and its first "
                     "frame of play both run (S1 = 1, S2 = 1) and play goes on.",
                     [](cStageData& s) {
                         Arena(s, "テストプレイ");
                         cFlowCmd before = SetVar(1);
                         before.bNoWait = 1;
                         HeroOf(s).vFlow.push_back(Flow(21, {before}));
                         HeroOf(s).vFlow.push_back(MarkFlow(TRG_ALWAYS, 2));
                     },
                     {{1, 1}, {2, 1}}, 5));
}

void AddChallengeCases(std::vector<CONFCASE>& v) {
    {
        CONFCASE c = Case("gametype-challenge-clear", kGameType, "チャレンジ (クリア, 残り人数 3)",
                          "Chosen in the challenge list from the title: the challenge starts with a stock of 3 lives "
                          "and entering the stage takes one, so the code reads 2 lives left (S1 = 2), not the "
                          "unlimited 100 of a test play; the hero walks right onto the goal and the stage is cleared.",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "チャレンジ");
                              HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = sys.life")}));
                              k.PlaceItem(k.AddItem(Goal()), 6, 12);
                          },
                          {{1, 2}}, 200, CONFEND_CLEARED, "5 RIGHT down\n");
        c.bChallenge = true;
        v.push_back(c);
    }
    {
        CONFCASE c = Case("gametype-challenge-death", kGameType, "チャレンジ (死亡)",
                          "Chosen in the challenge list from the title: the hero falls onto spikes and dies.",
                          [](cStageData& s) {
                              Arena(s, "チャレンジの死亡", {{12, ".XXX"}});
                              HeroOf(s).wCellY = 8;
                          },
                          {}, 120, CONFEND_DIED);
        c.bChallenge = true;
        v.push_back(c);
    }
}

}  // namespace sample
