// Cases of the character-flow commands: each command's effect shows in a
// stage variable or in the hero reaching the goal.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "character commands";

// The hero at (x, 12) with one more flow of trigger 0, and the goal at (goalX, goalY).
void HeroRun(cStageData& s, const char* title, int x, std::initializer_list<cFlowCmd> cmds, int goalX,
             int goalY = 12, const std::vector<std::pair<int, std::string>>& rows = {}) {
    cStageKit& k = Arena(s, title, rows);
    HeroOf(s).wCellX = static_cast<uint16_t>(x);
    HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, cmds));
    k.PlaceItem(k.AddItem(Goal()), goalX, goalY);
}

// A still character with one flow of trigger 0.
void Runner(cStageData& s, const char* title, std::initializer_list<cFlowCmd> cmds) {
    cStageKit& k = Arena(s, title);
    cCharaData c = Dummy();
    c.vFlow.push_back(Flow(TRG_ALWAYS, cmds));
    Put(k, c, 10, 12);
}

// ステータスの操作 on stage variable `var`: operator op with a constant.
cFlowCmd VarOp(int var, int op, int value) { return Cmd(CMD_STATUS_OP, 0, {1, 1, var, 0, 0, op, 0, value}); }

cFlowCmd Move(int code, int dir, int time = 9999, int speed = 30) {
    cFlowCmd c = MoveCmd(code, time, 0, speed);
    c.spMove->nDir = static_cast<uint8_t>(dir);
    return c;
}

}  // namespace

void AddCharaCmdCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("cmd-00-none", kTable, "0 (なし)", "An empty command is passed over: the code command after it runs (S1 = 1).",
                     [](cStageData& s) { Runner(s, "なし", {Cmd(CMD_NONE, 0), SetVar(1)}); }, {{1, 1}}, 10));
    v.push_back(Case("cmd-01-wait", kTable, "1 ウエイト",
                     "A 1-second wait before a count, run for 1.5 seconds: the count ran once (S1 = 1), not every frame.",
                     [](cStageData& s) { Runner(s, "ウエイト", {Cmd(CMD_WAIT, 10), CountVar(1)}); }, {{1, 1}}, 90));
    v.push_back(Case("cmd-02-straight-right", kTable, "2 直線移動 (右)",
                     "The hero moves right by itself and reaches the goal eight blocks away: the stage is cleared.",
                     [](cStageData& s) { HeroRun(s, "直線移動", 2, {Move(CMD_STRAIGHT_MOVE, 3)}, 10); }, {}, 300,
                     CONFEND_CLEARED));
    v.push_back(Case("cmd-02-straight-left", kTable, "2 直線移動 (左)",
                     "The hero moves left by itself to the goal seven blocks away: the stage is cleared.",
                     [](cStageData& s) { HeroRun(s, "直線移動左", 12, {Move(CMD_STRAIGHT_MOVE, 2)}, 5); }, {}, 300,
                     CONFEND_CLEARED));
    v.push_back(Case("cmd-03-ground-turn", kTable, "3 地上折り返し移動",
                     "The hero walks along the ground the way it faces and reaches the goal on its left: the stage is "
                     "cleared.",
                     [](cStageData& s) { HeroRun(s, "地上折り返し", 8, {Move(CMD_GROUND_TURN_MOVE, 0)}, 3); }, {}, 600,
                     CONFEND_CLEARED));
    for (int radius : {0, 8}) {
        const bool moves = radius != 0;
        v.push_back(Case(moves ? "cmd-04-circle" : "cmd-04-circle-radius-0", kTable,
                         moves ? "4 円移動 (半径 8)" : "4 円移動 (半径 0)",
                         moves ? "The walking hero runs a circle of radius 8 half blocks once in 3 seconds: on the ground "
                                 "only its x moves, first back to the left by up to four blocks, onto the goal three "
                                 "blocks to its left (cleared)."
                               : "The same circle with radius 0 does nothing: the hero stays in its place, short "
                                 "of the goal three blocks to the left (still playing) and of sensors a block "
                                 "clear of it on either side (S1 = 0, S2 = 0).",
                         [radius, moves](cStageData& s) {
                             cFlowCmd c = Move(CMD_CIRCLE_MOVE, 0, 30);
                             c.spMove->nDist = static_cast<int16_t>(radius);
                             c.spMove->nAngle = 360;
                             HeroRun(s, "円移動", 8, {c, Cmd(CMD_WAIT, 9999)}, 5);
                             if (!moves)
                                 for (int x : {6, 10}) Put(ArenaKit(), Sensor(x == 6 ? 1 : 2), x, 12);
                         },
                         moves ? std::vector<CONFCHECK>{} : std::vector<CONFCHECK>{{1, 0}, {2, 0}}, 200,
                         moves ? CONFEND_CLEARED : CONFEND_PLAYING));
    }
    v.push_back(Case("cmd-07-avoid-offscreen", kTable, "7 画面外回避移動 (左)",
                     "A character active over the whole stage, placed off the right edge of the view (column 25 of "
                     "40), with an off-screen avoiding "
                     "move to the left walks back until its left edge is inside the view: it then overlaps a sensor "
                     "of another side in column 19, whose touch flow runs (S1 = 1), and stops there, short of a "
                     "second sensor in column 16 (S2 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "画面外回避移動", {}, true, 40);
                         cCharaData c = Dummy("戻る");
                         c.bySetting52 = 3;  // active over the whole stage, on screen or not
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Move(CMD_AVOID_MOVE, 2, 9999, 30)}));
                         Put(k, c, 25, 12);
                         for (int x : {19, 16}) {
                             cCharaData sensor = Dummy("感知");
                             sensor.byForce = 2;
                             sensor.vFlow.push_back(MarkFlow(4, x == 19 ? 1 : 2));
                             Put(k, sensor, x, 12);
                         }
                     },
                     {{1, 1}, {2, 0}}, 180));
    v.push_back(Case("cmd-08-cancel-move", kTable, "8 移動の無効化",
                     "The hero's move right is cancelled every frame by a second flow: the goal two blocks away is "
                     "never reached (still playing after 2 seconds).",
                     [](cStageData& s) {
                         HeroRun(s, "移動の無効化", 2, {Move(CMD_STRAIGHT_MOVE, 3)}, 4);
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_STOP_MOVE, 9999)}));
                     },
                     {}, 120));
    for (int face = 0; face <= 1; ++face)
        v.push_back(Case(face ? "cmd-09-face-right" : "cmd-09-face-left", kTable,
                         face ? "9 向き変更 (右を向く)" : "9 向き変更 (左を向く)",
                         face ? "The hero turns right and moves forward (前): it reaches the goal on its right."
                              : "The hero turns left and moves forward (前): it reaches the goal on its left.",
                         [face](cStageData& s) {
                             HeroRun(s, "向き変更", 9, {Cmd(CMD_FACING, 0, {face}), Move(CMD_STRAIGHT_MOVE, 0)},
                                     face ? 14 : 4);
                         },
                         {}, 300, CONFEND_CLEARED));
    v.push_back(Case("cmd-10-jump", kTable, "10 ジャンプ",
                     "A tap of Z runs the hero's jump of seven half blocks: it touches the goal three blocks above it.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ジャンプ");
                         k.PlaceItem(k.AddItem(Goal()), 2, 9);
                     },
                     {}, 120, CONFEND_CLEARED, "5 Z down\n9 Z up\n"));
    v.push_back(Case("cmd-16-flow-end", kTable, "16 フローの操作 (終了)",
                     "A flow counting every half second is ended by another flow after one second: the count stops at "
                     "one or two, far below the six of three seconds (S2 = 0 marks an overrun).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "フローの終了");
                         cCharaData c = Dummy();
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 5), CountVar(1), Code("S2 = S1 / 3")}, 3));
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 10), Cmd(CMD_FLOW_OP, 9999, {1, 2, 3, 0})}));
                         Put(k, c, 10, 12);
                     },
                     {{2, 0}}, 180));
    v.push_back(Case("cmd-16-flow-pause", kTable, "16 フローの操作 (一時停止)",
                     "A flow of id 4 is paused before its one-second wait ends: its mark never comes (S1 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "一時停止");
                         cCharaData c = Dummy();
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 10), SetVar(1)}, 4));
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), Cmd(CMD_FLOW_OP, 9999, {2, 2, 4, 0})}));
                         Put(k, c, 10, 12);
                     },
                     {{1, 0}}, 150));
    v.push_back(Case("cmd-17-clear-next", kTable, "17 ステージクリア (次のステージへ)",
                     "The hero's flow clears the stage after a tenth of a second: the run ends cleared.",
                     [](cStageData& s) { HeroRun(s, "ステージクリア", 2, {Cmd(CMD_STAGE_CLEAR, 1, {0})}, 16); }, {},
                     60, CONFEND_CLEARED));
    v.push_back(Case("cmd-17-clear-world", kTable, "17 ステージクリア (ワールドクリア)",
                     "The hero's flow clears the world: the run ends cleared.",
                     [](cStageData& s) { HeroRun(s, "ワールドクリア", 2, {Cmd(CMD_STAGE_CLEAR, 1, {3})}, 16); }, {},
                     60, CONFEND_CLEARED));
    v.push_back(Case("cmd-18-game-wait", kTable, "18 ゲームウエイト",
                     "A game wait of half a second holds the game, then the mark after it is set (S1 = 1).",
                     [](cStageData& s) { Runner(s, "ゲームウエイト", {Cmd(CMD_GAME_WAIT, 0, {5}), SetVar(1), Cmd(CMD_WAIT, 9999)}); },
                     {{1, 1}}, 30));
    v.push_back(Case("cmd-20-warp", kTable, "20 ワープ",
                     "The hero warps eight blocks (16 half blocks) to the right, onto the goal: the stage is cleared.",
                     [](cStageData& s) {
                         cFlowCmd warp = Cmd(CMD_WARP, 0);
                         cEdMove::Create(warp.spMove);
                         warp.spMove->nDir = 3;
                         warp.spMove->nDist = 16;
                         HeroRun(s, "ワープ", 2, {warp, Cmd(CMD_WAIT, 9999)}, 10);
                     },
                     {}, 30, CONFEND_CLEARED));
    v.push_back(Case("cmd-21-set-target", kTable, "21 ターゲットの設定 (主人公)",
                     "A character sets the hero as its target 1 and reads the target's max HP (30) into S1.",
                     [](cStageData& s) {
                         Runner(s, "ターゲット", {Cmd(CMD_SET_TARGET, 0, {0, 0}), Code("S1 = tg.mhp"), Cmd(CMD_WAIT, 9999)});
                     },
                     {{1, 30}}, 10));
    v.push_back(Case("cmd-22-status-var", kTable, "22 ステータスの操作 (変数)",
                     "Stage variable 1 is set to 7, then 5 is added and the sum multiplied by 3: S1 = 36.",
                     [](cStageData& s) {
                         Runner(s, "ステータスの操作", {VarOp(1, 0, 7), VarOp(1, 1, 5), VarOp(1, 3, 3), Cmd(CMD_WAIT, 9999)});
                     },
                     {{1, 36}}, 10));
    v.push_back(Case("cmd-22-status-hp", kTable, "22 ステータスの操作 (HP)",
                     "A character lowers its own HP by 4 (10 to 6) and copies it into S1 (S1 = 6).",
                     [](cStageData& s) {
                         Runner(s, "HPの操作", {Cmd(CMD_STATUS_OP, 0, {0, 0, 0, 0, 1, 2, 0, 4}), Code("S1 = hp"),
                                                Cmd(CMD_WAIT, 9999)});
                     },
                     {{1, 6}}, 10));
    v.push_back(Case("cmd-23-status2-invincible", kTable, "23 ステータスの操作2 (無敵)",
                     "The hero makes itself invincible before an enemy of body power 5 overlaps it: its HP stays "
                     "30 (S2 = 30).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "無敵");
                         cFlowCmd inv = Cmd(CMD_STATUS_OP2, 0, {0, 4, 1});
                         inv.bNoWait = 1;
                         HeroOf(s).vFlow.push_back(Flow(21, {inv}));
                         HeroOf(s).vFlow.push_back(MarkFlow(1, 1));
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S2 = hp")}));
                         cCharaData e = Dummy();
                         e.nBodyPower = 5;
                         Put(k, e, 2, 12);
                     },
                     {{2, 30}}, 30));
    v.push_back(Case("cmd-24-vanish", kTable, "24 消滅",
                     "A character counts once and vanishes every character of its force 1, itself among them: after "
                     "two seconds the count is still 1 and the hero (force 0) plays on.",
                     [](cStageData& s) { Runner(s, "消滅", {CountVar(1), Cmd(CMD_WAIT, 2), Cmd(CMD_VANISH, 0, {0, 1, 1})}); },
                     {{1, 1}}, 120));
    v.push_back(Case("cmd-24-vanish-hero", kTable, "24 消滅 (勢力 0)",
                     "A character vanishes every character of force 0: the hero, a player character, gets HP 0 and "
                     "dies.",
                     [](cStageData& s) { Runner(s, "主人公の消滅", {Cmd(CMD_WAIT, 2), Cmd(CMD_VANISH, 0, {0, 0, 1})}); },
                     {}, 120, CONFEND_DIED));
    v.push_back(Case("cmd-25-get-item", kTable, "25 アイテムの取得",
                     "A character makes the hero take stage item 1 (entry 0 of a stage palette is the empty one), "
                     "whose command sets S1 = 5.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アイテムの取得");
                         cItemData item = Coin();
                         item.vCmd.clear();
                         cFlowCmd code = ItemCmd(CMD_CODE);
                         code.strText = "S1 = 5";
                         item.vCmd.push_back(code);
                         const int index = k.AddItem(item);
                         cCharaData c = Dummy();
                         c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_GET_ITEM, 0, {1, index}), Cmd(CMD_WAIT, 9999)}));
                         Put(k, c, 10, 12);
                     },
                     {{1, 5}}, 10));
    for (int code : {CMD_CHARGE_MOVE, CMD_HOMING_MOVE}) {
        const bool charge = code == CMD_CHARGE_MOVE;
        v.push_back(Case(charge ? "cmd-05-charge" : "cmd-06-homing", kTable, charge ? "5 突撃移動" : "6 誘導移動",
                         charge ? "A flying character eight blocks from the hero, with the hero as its target, charges "
                                  "at it and touches it: its touch flow runs (S1 = 1)."
                                : "A flying character eight blocks from the hero and three above, with the hero as its "
                                  "target, homes in on it and touches it: its touch flow runs (S1 = 1).",
                         [code, charge](cStageData& s) {
                             cStageKit& k = Arena(s, charge ? "突撃移動" : "誘導移動");
                             cCharaData c = Dummy("追う", CG_GHOST);
                             c.byFlying = 1;
                             cFlowCmd move = MoveCmd(code, 30, 0, 40);
                             if (!charge) move.spMove->nHoming = 2;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 0}), move}));
                             c.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, 1));
                             Put(k, c, 10, charge ? 12 : 9);
                         },
                         {{1, 1}}, 240));
    }
    {
        cFlowCmd graphic = Cmd(CMD_CHANGE_GRAPHIC, 0, {1, CG_KNIGHT, 0});
        CONFCASE c = Case("cmd-26-graphic", kTable, "26 グラフィックの変更",
                          "The villager in the middle changes its graphic to the knight's: the frame shows a knight "
                          "where it stands.",
                          [graphic](cStageData& s) {
                              cStageKit& k = Arena(s, "グラフィックの変更");
                              cCharaData c = Dummy("変わる", CG_VILLAGER);
                              c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 1), graphic, Cmd(CMD_WAIT, 9999)}));
                              Put(k, c, 10, 12);
                          },
                          {}, 30);
        c.bGolden = true;
        v.push_back(c);
    }
    struct PASS {
        const char* name;
        const char* rule;
        cFlowCmd cmd;
    };
    const PASS passes[] = {
        {"cmd-27-anime-set", "27 基本アニメセットの変更", Cmd(CMD_CHANGE_ANIMESET, 0, {ASET_FLYER})},
        {"cmd-28-anime", "28 アニメの実行", Cmd(CMD_RUN_ANIME, 0, {ANIME_CHEER})},
        {"cmd-29-effect", "29 エフェクトの実行", Cmd(CMD_RUN_EFFECT, 0, {0, 0, 0, 0, 0, 0, 100})},
        {"cmd-31-screen-effect", "31 画面エフェクトの実行", Cmd(CMD_SCR_EFFECT, 0, {1, 0, 0})},
        {"cmd-33-screen-color", "33 画面の色を変更", Cmd(CMD_SCREEN_COLOR, 0, {255, 0, 0, 50, 0, 10, 0, 0})},
        {"cmd-34-background", "34 背景の変更", Cmd(CMD_CHANGE_BG, 0, {1, 1})},
        {"cmd-35-sound", "35 効果音の再生", Cmd(CMD_PLAY_SE, 0, {SND_COIN})},
        {"cmd-36-music", "36 BGMの再生", Cmd(CMD_PLAY_BGM, 0, {BGM_FIELD, 0})},
    };
    for (const PASS& p : passes) {
        const cFlowCmd cmd = p.cmd;
        v.push_back(Case(p.name, kTable, p.rule,
                         "The command runs and the flow goes on after it: the code command that follows sets S1 = 1.",
                         [cmd](cStageData& s) { Runner(s, "コマンド", {cmd, SetVar(1), Cmd(CMD_WAIT, 9999)}); }, {{1, 1}},
                         20));
    }
    v.push_back(Case("cmd-37-code", kTable, "37 コードの実行",
                     "The code text \"S1 = 2 * 3 + 1\" gives 7: multiplication before addition (S1 = 7); "
                     "\"S2 = (1 + 2) * 3\" gives 9.",
                     [](cStageData& s) { Runner(s, "コード", {Code("S1 = 2 * 3 + 1"), Code("S2 = (1 + 2) * 3"), Cmd(CMD_WAIT, 9999)}); },
                     {{1, 7}, {2, 9}}, 10));
    v.push_back(Case("cmd-38-arrange", kTable, "38 アレンジ",
                     "Two arrangements set the random bounds of the next status operation from S2 (9): the random "
                     "operand can only be 9 (S1 = 9).",
                     [](cStageData& s) {
                         Runner(s, "アレンジ", {Code("S2 = 9"), Cmd(CMD_ARRANGE, 0, {22, 0, 0, 1, 2}),
                                               Cmd(CMD_ARRANGE, 0, {22, 1, 0, 1, 2}),
                                               Cmd(CMD_STATUS_OP, 0, {1, 1, 1, 0, 0, 0, 1, 0, 0, 0}),
                                               Cmd(CMD_WAIT, 9999)});
                     },
                     {{1, 9}}, 10));
    v.push_back(Case("cmd-39-loop", kTable, "39 ループ",
                     "A loop of 3 over one counting command in a before-start flow counts three times before play "
                     "(S1 = 3).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ループ");
                         cCharaData c = Dummy();
                         cFlowCmd count = CountVar(1);
                         count.bNoWait = 1;
                         c.vFlow.push_back(Flow(21, {Cmd(CMD_LOOP, 0, {3, 1}), count}));
                         Put(k, c, 10, 12);
                     },
                     {{1, 3}}, 10));
}

}  // namespace sample
