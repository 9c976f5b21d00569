// Cases of the System.dat switches that change play: each stored switch read
// from a file of a version older than the switch, which has no place for it
// and so reads as the older behaviour, and from a current file with the
// switch on and off. The play switches System.dat has no place for read as a
// current project has them whatever the file's version: their cases show
// that reading with a very old file and a current one.
#include <functional>
#include <string>

#include "database/system_data.h"
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kSystem = "System.dat switches";

// The three readings of a switch: a file older than the switch, a current
// file with it off, a current file with it on.
enum eReading { READ_OLD, READ_OFF, READ_ON };
constexpr eReading kReadings[] = {READ_OLD, READ_OFF, READ_ON};
constexpr const char* kSuffix[] = {"-old", "-current-off", "-current-on"};

// A character of fixed facing moving right toward a point, turned left by a
// command shortly after it starts, between sensors on its left and right.
void TurnDuringMove(cStageData& s) {
    cStageKit& k = Arena(s, "向きと移動");
    cFlowCmd move = MoveCmd(CMD_STRAIGHT_MOVE, 9999, 0, 30);
    move.spMove->nMode = 1;
    move.spMove->nOrigin = 0;  // a point from where the character was placed
    move.spMove->nTargetXBl = 10;
    move.spMove->bMirrorX = 0;
    cCharaData c = Dummy("向きを変える");
    c.vFlow.push_back(Flow(TRG_ALWAYS, {move, Cmd(CMD_WAIT, 9999)}));
    c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 5), Cmd(CMD_FACING, 0, {0}), Cmd(CMD_WAIT, 9999)}));
    Put(k, c, 10, 12, 1);
    for (int x : {6, 16}) {
        cCharaData sensor = Dummy("感知");
        sensor.byForce = 2;
        sensor.vFlow.push_back(MarkFlow(4, x == 6 ? 1 : 2));
        Put(k, sensor, x, 12);
    }
}

// The hero's flow raises the score to 250, then the hero walks onto the goal.
void ScoreThenGoal(cStageData& s) {
    cStageKit& k = Arena(s, "スコアで残り人数");
    HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("sys.score = 250"), Cmd(CMD_WAIT, 9999)}));
    k.PlaceItem(k.AddItem(Goal()), 6, 12);
}

// The hero walks right into a sensor two blocks away.
void WalkIntoSensor(cStageData& s) {
    cStageKit& k = Arena(s, "記録");
    cCharaData sensor = Dummy("感知");
    sensor.byForce = 2;
    sensor.vFlow.push_back(MarkFlow(4, 1));
    Put(k, sensor, 5, 12);
}

// Two cases of a play switch that System.dat has no place for, so that every
// project reads it as a current one does: one with a System.dat of version
// 100, older than every stored switch, and one with a current System.dat.
void Unstored(std::vector<CONFCASE>& v, const std::string& name, const std::string& rule, const std::string& shows,
              std::function<void(cStageData&)> build, std::vector<CONFCHECK> checks, int frames, bool golden = false,
              const char* input = "") {
    for (int old = 1; old >= 0; --old) {
        const std::string r =
            rule + (old ? " (System.dat 100: 項目なし、現在の読み)" : " (現在の System.dat: 項目なし)");
        const std::string w = old ? "A System.dat of version 100, which gives every stored switch its older value, "
                                    "has no place for this one, which reads as a current project has it: " + shows
                                  : "A current System.dat, which has no place for the switch: " + shows;
        CONFCASE c = Case((name + (old ? "-old" : "-current")).c_str(), kSystem, r.c_str(), w.c_str(), build, checks,
                          frames, CONFEND_PLAYING, input);
        c.nSystemVersion = old ? 100 : 0;
        c.bGolden = golden;
        v.push_back(c);
    }
}

// A brick over the hero's head that counts as no block until S5 = 1. The
// hero, 80 dots wide, jumps up around it (its sides pass beside the brick, so
// no side check catches it); its flow sets S5 = 1 in the frame whose start
// finds its bottom edge inside the brick and its top edge above it. A sensor
// hangs higher up.
void JumpThroughBrick(cStageData& s) {
    cStageKit& k = Arena(s, "上昇中の着地", {{11, "..B"}});
    s.nHeroBodyAW = 80;
    cEdCond cond;
    cond.nKind = 2;
    cond.nVarNum = 5;
    cond.nValue = 1;
    for (auto* list : {&s.vBlock, &s.vPlacedBlock})
        for (cBlockData& b : *list)
            if (b.wGraphic == BG_BRICK) b.vCond.push_back(cond);
    HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), SetVar(5), Cmd(CMD_WAIT, 9999)}));
    cCharaData sensor = Dummy("感知");
    sensor.byForce = 2;
    sensor.byFlying = 1;
    sensor.vFlow.push_back(MarkFlow(4, 1));
    Put(k, sensor, 2, 9);
}

// The keys of a pause-menu case's runs: the first walks right onto the goal;
// the second, in the same save, opens the pause menu, moves the cursor down
// once from "continue" and confirms. A disabled item is skipped, so the
// cursor then wraps onto the first item, which quits to the title.
constexpr const char* kClearKeys = "2 RIGHT down\n";
constexpr const char* kPauseKeys = "20 SPACE down\n22 SPACE up\n40 DOWN down\n42 DOWN up\n60 Z down\n62 Z up\n";

void GoalNearby(cStageData& s) {
    cStageKit& k = Arena(s, "ポーズメニュー");
    k.PlaceItem(k.AddItem(Goal()), 4, 12);
}

// The three readings of a pause item's switch, each a case played twice in
// the same save; `enabled` is where the item takes play, the title where it
// is disabled.
void PauseItemCases(std::vector<CONFCASE>& v, const std::string& name, const char* const rule[3],
                    const char* const shows[3], uint32_t oldVersion, int enabled, bool story,
                    std::function<void(cSystemData&, bool)> set) {
    for (eReading r : kReadings) {
        CONFCASE c = Case((name + kSuffix[r]).c_str(), kSystem, rule[r], shows[r], GoalNearby, {}, 200,
                          r == READ_ON ? enabled : CONFEND_TITLE, kPauseKeys);
        c.strFirstInput = kClearKeys;
        c.bClearFirst = true;
        (story ? c.bStory : c.bChallenge) = true;
        c.System = [r, set](cSystemData& sys) { set(sys, r != READ_OFF); };
        if (r == READ_OLD) c.nSystemVersion = oldVersion;
        v.push_back(c);
    }
}

// The hero stands on a prize block on a ledge (its item starts the item
// cooldown) and walks right onto the brick beside it; both count as no block
// once S5 = 1. The landing that makes the brick its standing block starts the
// hero's landing flow whose target, a marker, has just come within range: it
// sets S5 = 1, so the blocks are gone before the next logic step, and the
// hero falls with the vertical speed that step left it. S2 counts the frames
// of the fall, until a landing sets S3.
void SnapLedge(cStageData& s) {
    cStageKit& k = Arena(s, "接地", {{9, "..QB"}});
    HeroOf(s).wCellY = 8;
    cEdCond gone;
    gone.nKind = 2;
    gone.nVarNum = 5;
    gone.nValue = 0;
    cItemData item = Coin();
    item.vCmd.clear();
    const int index = k.AddItem(item);
    for (auto* list : {&s.vBlock, &s.vPlacedBlock})
        for (cBlockData& b : *list) {
            if (b.wGraphic == BG_PRIZE) {
                b.byItemKind = 2;
                b.wItemIndex = static_cast<uint16_t>(index);
            }
            if (b.wGraphic == BG_PRIZE || b.wGraphic == BG_BRICK) b.vCond.push_back(gone);
        }
    cEdCond near;
    near.nKind = 7;
    near.nSubject = 1;  // the marker, the hero's target
    near.nAxis = 0;
    near.nValue = 0;
    near.nOpVarNum = 88;  // dots: reached in the landing that makes the brick the standing block
    cFlow land = Flow(15, {SetVar(5)});
    land.vCond.push_back(near);
    HeroOf(s).vFlow.push_back(land);
    cEdCond fell;
    fell.nKind = 2;
    fell.nVarNum = 5;
    fell.nValue = 1;
    cEdCond notYet = fell;
    notYet.nVarNum = 3;
    notYet.nValue = 0;
    cFlow ground = Flow(15, {SetVar(3)});
    ground.vCond.push_back(fell);
    HeroOf(s).vFlow.push_back(ground);
    cFlow count = Flow(TRG_ALWAYS, {CountVar(2)});
    count.vCond.push_back(fell);
    count.vCond.push_back(notYet);
    HeroOf(s).vFlow.push_back(count);
    HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 3, 0, 1, 0, 1}), Cmd(CMD_WAIT, 9999)}));
    cCharaData marker = Dummy("目印");
    marker.byForce = 2;
    marker.byFlying = 1;
    Put(k, marker, 6, 4);
}

}  // namespace

void AddSystemSwitchCases(std::vector<CONFCASE>& v) {
    // Reverse on turn (stored from version 783; older files read it as on).
    for (eReading r : kReadings) {
        const bool reversed = r != READ_OFF;
        const char* rule[] = {"向きが変わったら移動を反転 (System.dat 783 より前: オン)",
                              "向きが変わったら移動を反転 (現在の System.dat: オフ)",
                              "向きが変わったら移動を反転 (現在の System.dat: オン)"};
        const char* shows[] = {
            ("A System.dat written at version 782, before the switch was stored, holding it off, reads it as on: a "
            "character of fixed facing moving right toward a point is turned left by a command shortly after it "
            "starts: its move reverses and it reaches the sensor on its left (S1 = 1), not the one on its right "
            "(S2 = 0)."),
            ("With the switch off, as a current project has it, the same turn leaves the move to the point as it was: "
            "the character reaches the sensor on its right (S2 = 1), not the one on its left (S1 = 0)."),
            ("A current System.dat with the switch on: the same turn reverses the move, and the character reaches the "
            "sensor on its left (S1 = 1), not the one on its right (S2 = 0).")};
        CONFCASE c = Case(("system-reverse-on-turn" + std::string(kSuffix[r])).c_str(), kSystem, rule[r], shows[r],
                          TurnDuringMove, {{1, reversed}, {2, !reversed}}, 150);
        c.System = [r](cSystemData& sys) { sys.bReverseOnTurn = r == READ_ON; };
        if (r == READ_OLD) c.nSystemVersion = 782;
        v.push_back(c);
    }
    // Replay recording (stored from version 184; older files read it as on,
    // as a new project has it).
    for (eReading r : kReadings) {
        const char* rule[] = {"リプレイの記録 (System.dat 184 より前: オン)",
                              "リプレイの記録 (現在の System.dat: オフ)",
                              "リプレイの記録 (現在の System.dat: オン)"};
        const char* shows[] = {
            ("A System.dat written at version 183, before the switch was stored, holding it off, reads it as on: the "
            "hero walks right into a sensor (S1 = 1), F1 saves the run as a replay, and the replay played back "
            "reaches the sensor on the same frame of play."),
            ("With the switch off play records no keys: the hero walks into the sensor (S1 = 1), but F1 saves no "
            "replay."),
            ("A current System.dat with the switch on: F1 saves the run, whose replay reaches the sensor on the same "
            "frame of play.")};
        CONFCASE c = Case(("system-replay-record" + std::string(kSuffix[r])).c_str(), kSystem, rule[r], shows[r],
                          WalkIntoSensor, {{1, 1}}, 120, CONFEND_PLAYING,
                          "2 RIGHT down\n40 RIGHT up\n60 F1 down\n61 F1 up\n");
        c.bReplay = true;
        c.bNoReplay = r == READ_OFF;
        c.System = [r](cSystemData& sys) { sys.bReplayRecord = r == READ_ON; };
        if (r == READ_OLD) c.nSystemVersion = 183;
        v.push_back(c);
    }
    // Retry in story (stored from version 224; older files read it as off).
    // Back to map is off, so that one step down reaches this item.
    {
        const char* rule[] = {"ストーリーでリトライ (System.dat 224 より前: オフ)",
                              "ストーリーでリトライ (現在の System.dat: オフ)",
                              "ストーリーでリトライ (現在の System.dat: オン)"};
        const char* shows[] = {
            ("A System.dat written at version 223, before the switch was stored, holding it on, reads it as off: a "
            "story stage is cleared, entered again from the world map, and paused; the retry item is disabled, so "
            "one step down from continue wraps onto quit, and play leaves for the title."),
            ("With the switch off (and back to map off) the same second visit's pause menu has no retry: the step "
            "down wraps onto quit and play leaves for the title."),
            ("With the switch on, in a stage cleared before, the step down from continue is the retry item: the "
            "stage starts again from its start, without a death.")};
        PauseItemCases(v, "system-retry-in-story", rule, shows, 223, CONFEND_RETRIED, true,
                       [](cSystemData& sys, bool on) {
                           sys.bPauseRetryStory = on;
                           sys.bPauseBackToMap = 0;
                       });
    }
    {
        CONFCASE c = Case("system-retry-in-story-first-visit", kSystem,
                          "ストーリーでリトライ (現在の System.dat: オン, 初めての面)",
                          "With the switch on (and back to map off), a story stage entered for the first time, never "
                          "cleared in this save, is paused: retry is offered only for a stage cleared before, so the "
                          "step down from continue wraps onto quit and play leaves for the title.",
                          GoalNearby, {}, 200, CONFEND_TITLE, kPauseKeys);
        c.bStory = true;
        c.System = [](cSystemData& sys) {
            sys.bPauseRetryStory = 1;
            sys.bPauseBackToMap = 0;
        };
        v.push_back(c);
    }
    // Back to map (stored from version 757; older files read it as off). The
    // retry item is off, so that one step down reaches this item.
    {
        const char* rule[] = {"マップへ戻る (System.dat 757 より前: オフ)", "マップへ戻る (現在の System.dat: オフ)",
                              "マップへ戻る (現在の System.dat: オン)"};
        const char* shows[] = {
            ("A System.dat written at version 756, before the switch was stored, holding it on, reads it as off: in "
            "a story stage cleared before and entered again, the pause menu has neither retry (off) nor back to "
            "map, so one step down from continue wraps onto quit, and play leaves for the title."),
            "With the switch off the same pause menu has no back to map: play leaves for the title.",
            ("With the switch on, in a stage cleared before, one step down from continue (retry being off) is back "
            "to map: play leaves for the world map.")};
        PauseItemCases(v, "system-back-to-map", rule, shows, 756, CONFEND_MAP, true, [](cSystemData& sys, bool on) {
            sys.bPauseRetryStory = 0;
            sys.bPauseBackToMap = on;
        });
    }
    // Play switches with no place in System.dat.
    Unstored(v, "system-lives-reading", "残り人数の読み (無制限のとき)",
             "in a test play, whose lives are unlimited, the code's life reads 100 (S1 = 100), not 0.",
             [](cStageData& s) {
                 Arena(s, "残り人数の読み");
                 HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = sys.life")}));
             },
             {{1, 100}}, 10);
    Unstored(v, "system-attack-damage", "攻撃のダメージ",
             "an enemy's star of power 3 hits the hero of 30 HP, which takes its damage (S1 = 27), and its shot-hit "
             "flow runs (S2 = 1).",
             [](cStageData& s) {
                 cStageKit& k = Arena(s, "攻撃のダメージ");
                 HeroOf(s).wCellX = 3;
                 HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = hp")}));
                 HeroOf(s).vFlow.push_back(MarkFlow(7, 2));
                 cCharaData e = Dummy("撃つ敵", CG_CANNON);
                 e.vFlow.push_back(
                     Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), ShotCmd(1, SG_STAR, 1, 40, 3), Cmd(CMD_WAIT, 9999)}));
                 Put(k, e, 8, 12, 0);
             },
             {{1, 27}, {2, 1}}, 90);
    Unstored(v, "system-start-flows", "開始前のフローを全キャラで",
             "only the active characters run their before-start flows: one without a condition marks S2 (S2 = 1), "
             "one whose condition \"S5 = 1\" fails, and so is not active, does not mark S1 (S1 = 0).",
             [](cStageData& s) {
                 cStageKit& k = Arena(s, "開始前のフロー");
                 for (int inactive = 1; inactive >= 0; --inactive) {
                     cCharaData c = Dummy();
                     if (inactive) {
                         cEdCond cond;
                         cond.nKind = 2;
                         cond.nVarNum = 5;
                         cond.nValue = 1;
                         c.vCond.push_back(cond);
                     }
                     cFlowCmd mark = SetVar(inactive ? 1 : 2);
                     mark.bNoWait = 1;
                     c.vFlow.push_back(Flow(21, {mark}));
                     Put(k, c, inactive ? 8 : 10, 12);
                 }
             },
             {{1, 0}, {2, 1}}, 10);
    Unstored(v, "system-death-display", "やられ表示",
             "the hero's code sets an enemy's HP to 0, so the frame's death check kills it: it marks S1 as it dies "
             "(S1 = 1) and stays on the screen in its death display, a burst (golden frame), where with the display "
             "off it would be gone at once.",
             [](cStageData& s) {
                 cStageKit& k = Arena(s, "やられ表示");
                 // The hero's target: the first character of any group but itself.
                 HeroOf(s).vFlow.push_back(Flow(
                     TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 3, 0, 1, 0, 1}), Code("tg.hp = 0"), Cmd(CMD_WAIT, 9999)}));
                 cCharaData e = Dummy("やられる敵");
                 e.wDeathEffect = CEFF_BURST;
                 e.vFlow.push_back(MarkFlow(3, 1));
                 Put(k, e, 6, 12);
             },
             {{1, 1}}, 10, true);
    Unstored(v, "system-shot-carry", "ショットの画面運搬",
             "on a stage that scrolls right by itself, a cannon at column 2 fires a star of speed 0 that the "
             "screen carries: it keeps its place in the view while the hero, standing at column 10, comes toward "
             "it, so it hits the hero (S1 = 1); a star left behind would scroll out of the view.",
             [](cStageData& s) {
                 cStageKit& k = Arena(s, "ショットの画面運搬", {}, true, 40);
                 s.nScrollKindX = 1;
                 s.nAutoScrollX = 480;
                 HeroOf(s).wCellX = 10;
                 HeroOf(s).vFlow.push_back(MarkFlow(7, 1));
                 cFlowCmd shot = ShotCmd(1, SG_STAR, 1, 0, 1);
                 shot.spShot->bScrollCarry = 1;
                 cCharaData cannon = Dummy("撃つ敵", CG_CANNON);
                 cannon.bySetting52 = 3;  // active over the whole stage, on screen or not
                 cannon.vFlow.push_back(Flow(TRG_ALWAYS, {shot, Cmd(CMD_WAIT, 9999)}));
                 Put(k, cannon, 2, 12, 1);
             },
             {{1, 1}}, 60);
    Unstored(v, "system-land-while-rising", "上昇中の着地",
             "a brick that counts as no block until S5 = 1 is over the hero's head; the hero jumps, and its flow sets "
             "S5 = 1 while the hero's bottom edge is inside the brick and its top edge above it: rising, the hero "
             "does not land on the brick but goes on up into the sensor above it (S1 = 1). Landing while rising "
             "would stand it on the brick, below the sensor.",
             JumpThroughBrick, {{1, 1}, {5, 1}}, 60, false, "8 Z down\n28 Z up\n");
    Unstored(v, "system-snap-to-ground", "接地",
             "the hero, during a prize block's item cooldown, walks onto the brick beside it; the landing that "
             "makes the brick its standing block snaps it toward the ground: the cell 4 dots under its feet is "
             "solid, so its vertical speed becomes 7 ÷ 10 dots per step. Its landing flow then removes both blocks "
             "(S5 = 1) before the next step, and the hero falls from the ledge with that speed: the fall to the "
             "ground takes 13 frames (S2 = 13, S3 = 1), where a snap adding 1 dot per step would take 11.",
             SnapLedge, {{2, 13}, {3, 1}, {5, 1}}, 40, false, "2 RIGHT down\n");
    Unstored(v, "system-attack-triggers", "体当たりのアタック系トリガーを即時に",
             "the hero (body power 3) and an enemy of 10 HP (body power 5) run into each other; the hero's "
             "damage flows start only after both damages, so the one whose condition asks the enemy, its partner, "
             "to have less than 10 HP starts (S1 = 1) and the one asking for 10 HP does not (S2 = 0).",
             [](cStageData& s) {
                 cStageKit& k = Arena(s, "アタック系トリガー");
                 cCharaData& hero = HeroOf(s);
                 hero.nBodyPower = 3;
                 for (int full = 0; full <= 1; ++full) {
                     cEdCond hp;
                     hp.nKind = 4;
                     hp.nSubject = 1;  // target slot 1, the partner of the hit
                     hp.nStatus = 1;   // HP
                     hp.nValue = 10;
                     hp.nCompare = full ? 0 : 5;  // = 10, < 10
                     cFlow f = MarkFlow(1, full ? 2 : 1);
                     f.bTargetPartner = 1;
                     f.vCond.push_back(hp);
                     hero.vFlow.push_back(f);
                 }
                 cCharaData e = Dummy("ぶつかる敵");
                 e.nBodyPower = 5;
                 Put(k, e, 2, 12);
             },
             {{1, 1}, {2, 0}}, 20);
}

void AddSystemSwitchChallengeCases(std::vector<CONFCASE>& v) {
    // Retry in challenge (stored from version 224; older files read it as off).
    {
        const char* rule[] = {"チャレンジでリトライ (System.dat 224 より前: オフ)",
                              "チャレンジでリトライ (現在の System.dat: オフ)",
                              "チャレンジでリトライ (現在の System.dat: オン)"};
        const char* shows[] = {
            ("A System.dat written at version 223, before the switch was stored, holding it on, reads it as off: a "
            "challenge stage is cleared, chosen again in the challenge list, and paused; the retry item is "
            "disabled, so one step down from continue wraps onto quit, and play leaves for the title."),
            "With the switch off the same second play's pause menu has no retry: play leaves for the title.",
            ("With the switch on, in a challenge stage cleared before, one step down from continue is the retry "
            "item: the stage starts again from its start.")};
        PauseItemCases(v, "system-retry-in-challenge", rule, shows, 223, CONFEND_RETRIED, false,
                       [](cSystemData& sys, bool on) { sys.bPauseRetryChallenge = on; });
    }
    // Extra life by score (stored from version 185; older files read it as on).
    for (eReading r : kReadings) {
        const bool extra = r != READ_OFF;
        const char* rule[] = {"スコアで残り人数を増やす (System.dat 185 より前: オン)",
                              "スコアで残り人数を増やす (現在の System.dat: オフ)",
                              "スコアで残り人数を増やす (現在の System.dat: オン, 100 点ごと)"};
        const char* shows[] = {
            ("A System.dat written at version 184, before the switch was stored, holding it off with a step of 100, "
            "reads it as on: a challenge starting with 3 lives (2 left in play) scores 250 and clears the stage, "
            "and the results give two extra lives (4 left)."),
            "With the switch off the same run's results give no extra life: 2 lives are left.",
            ("A current System.dat with the switch on and a step of 100: the run's 250 points give two extra lives "
            "at the results (4 left).")};
        CONFCASE c = Case(("system-extra-life-by-score" + std::string(kSuffix[r])).c_str(), kSystem, rule[r],
                          shows[r], ScoreThenGoal, {}, 200, CONFEND_CLEARED, "5 RIGHT down\n");
        c.bChallenge = true;
        c.nLives = extra ? 4 : 2;
        c.System = [r](cSystemData& sys) {
            sys.bTallyDivide = r == READ_ON;
            sys.nTallyDivisor = 100;
        };
        if (r == READ_OLD) c.nSystemVersion = 184;
        v.push_back(c);
    }
}

}  // namespace sample
