// Cases of the target, status, vanish and item-handing commands (21 to 25)
// at the parameter values that change their outcome. Each character of a
// case writes its own stage variables.
#include <algorithm>
#include <climits>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "character commands";
constexpr int kMaxI32 = INT_MAX;

// A flow of trigger 0 that runs `cmds`.
cFlow Always(const std::vector<cFlowCmd>& cmds) {
    cFlow f;
    f.nTrigger = TRG_ALWAYS;
    for (const cFlowCmd& cmd : cmds) f.vCmd.push_back(cmd);
    return f;
}

// A still character of side `force` at (x, 12), active over the whole stage,
// whose flow of trigger 0 runs `cmds` once.
cCharaData& Still(cStageKit& k, int x, std::vector<cFlowCmd> cmds, int maxHP = 10, int force = 1, int id = 0) {
    cCharaData c = Dummy();
    c.nMaxHP = maxHP;
    c.byForce = static_cast<uint8_t>(force);
    c.byCharaId = static_cast<uint8_t>(id);
    c.bySetting52 = 3;
    cmds.push_back(Cmd(CMD_WAIT, 9999));
    c.vFlow.push_back(Always(cmds));
    Put(k, c, x, 12);
    return k.Stage()->vPlacedChara.back();
}

// ターゲットの設定 of target 1: kind, group, all groups, range, leave out
// itself, the ID filter and ID, and what an empty search does (0 empty the slot, 1 keep it).
cFlowCmd Target(int kind, int group, int all, int range, int notSelf, int byId, int id, int keep) {
    return Cmd(CMD_SET_TARGET, 0, {0, kind, group, all, range, notSelf, 0, 0, 0, byId, id, 0, 0, 0, 0, keep});
}

// ステータスの操作 on stage variable `var`: operator op with a constant; with
// the percent switch the operand is a percentage of the variable.
cFlowCmd VarOp(int var, int op, int value, int percent = 0) {
    return Cmd(CMD_STATUS_OP, 0, {1, 1, var, 0, 0, op, 0, value, 0, 0, 0, 0, 0, 0, percent});
}

// ステータスの操作 on the running character's status row: operator op with a constant.
cFlowCmd RowOp(int row, int op, int value) { return Cmd(CMD_STATUS_OP, 0, {0, 0, 0, 0, row, op, 0, value}); }

// S<var> = a random number between the bounds (the arrangements' subject).
cFlowCmd RandomTo(int var, int lo, int hi) { return Cmd(CMD_STATUS_OP, 0, {1, 1, var, 0, 0, 0, 1, 0, lo, hi}); }

// 直線移動 in direction `dir` for `time` tenths of a second at 3 dots a frame.
cFlowCmd Walk(int dir, int time) {
    cFlowCmd c = MoveCmd(CMD_STRAIGHT_MOVE, time, 0, 30);
    c.spMove->nDir = static_cast<uint8_t>(dir);
    return c;
}

cFlowCmd Arrange(int kind, int index, int op, int source, int number) {
    return Cmd(CMD_ARRANGE, 0, {kind, index, op, source, number});
}

}  // namespace

void AddStatusCmdValueCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("cmdv-21-target-kinds", kTable,
                     "21 ターゲットの設定 (自分, 最も近いキャラ, キャラID, 子キャラ, 親キャラ, ターゲット1, 範囲外のグループ)",
                     "Each character sets its target 1 and reads the target's max HP: itself (S1 = 11); the nearest "
                     "other character of any side, the one two blocks away (S2 = 13); the one of character ID 8 "
                     "(S3 = 14); no child, keeping the slot: still the hero, target 1 from set-up (S4 = 30); no "
                     "child, emptying the slot: the read fails and leaves S5 = -1; target 1 itself (S6 = 30); by ID "
                     "and nearest in side group 2147483647, which is no group: nothing is found and the slot "
                     "keeps the hero (S7 = S8 = 30); no parent, emptying the slot (S9 = -1).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ターゲットの種類", {}, true, 40);
                         const cFlowCmd read = Code("S0 = 0");
                         auto reader = [](int var) { return Code("S" + std::to_string(var) + " = tg.mhp"); };
                         auto preset = [](int var) { return SetVar(var, -1); };
                         Still(k, 5, {Target(1, 0, 0, 1, 0, 0, 0, 1), reader(1)}, 11);
                         Still(k, 8, {Target(2, 0, 1, 1, 1, 0, 0, 1), reader(2)}, 12);
                         Still(k, 10, {Target(3, 0, 1, 1, 0, 1, 8, 1), reader(3)}, 13);
                         Still(k, 30, {Target(5, 0, 1, 1, 0, 0, 0, 1), reader(4)}, 14, 1, 8);
                         Still(k, 14, {preset(5), Target(5, 0, 1, 1, 0, 0, 0, 0), reader(5)}, 15);
                         Still(k, 17, {Target(7, 0, 0, 1, 0, 0, 0, 1), reader(6)}, 16);
                         Still(k, 20, {Target(3, kMaxI32, 0, 1, 0, 0, 0, 1), reader(7)}, 17);
                         Still(k, 23, {Target(2, kMaxI32, 0, 1, 1, 0, 0, 1), reader(8)}, 18);
                         Still(k, 26, {preset(9), Target(4, 0, 1, 1, 0, 0, 0, 0), reader(9), read}, 19);
                     },
                     {{1, 11}, {2, 13}, {3, 14}, {4, 30}, {5, -1}, {6, 30}, {7, 30}, {8, 30}, {9, -1}}, 20));
    v.push_back(Case("cmdv-21-target-ranges", kTable, "21 ターゲットの設定 (検索範囲 0, 2; 無敵 1, 2 の除外)",
                     "Searches for the nearest character of one side group: with only an off-screen character in "
                     "side 5, range 2 (on screen) finds nobody and the slot is emptied (S1 = -1) while range 0 "
                     "falls back to it (S2 = 21); leaving out invincibility 1 passes over the nearer character of "
                     "side 6 for the farther one (S3 = 23), and leaving out invincibility 2 the same in side 7 (S4 "
                     "= 25).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ターゲットの検索範囲", {}, true, 40);
                         auto search = [](int group, int range, int inv1, int inv2) {
                             return Cmd(CMD_SET_TARGET, 0, {0, 2, group, 0, range, 1, inv1, inv2});
                         };
                         auto reader = [](int var) {
                             return std::vector<cFlowCmd>{SetVar(var, -1), Code("S" + std::to_string(var) + " = tg.mhp")};
                         };
                         auto flow = [](cFlowCmd first, std::vector<cFlowCmd> rest) {
                             rest.insert(rest.begin() + 1, first);
                             return rest;
                         };
                         Still(k, 5, flow(search(5, 2, 0, 0), reader(1)), 10, 3);
                         Still(k, 7, flow(search(5, 0, 0, 0), reader(2)), 10, 3);
                         Still(k, 9, flow(search(6, 1, 1, 0), reader(3)), 10, 3);
                         Still(k, 11, flow(search(7, 1, 0, 1), reader(4)), 10, 3);
                         Still(k, 30, {}, 21, 5);
                         Still(k, 13, {}, 22, 6).byInvincible = 1;
                         Still(k, 17, {}, 23, 6);
                         Still(k, 14, {}, 24, 7).byInvincible = 2;
                         Still(k, 18, {}, 25, 7);
                     },
                     {{1, -1}, {2, 21}, {3, 23}, {4, 25}}, 20));
    v.push_back(Case("cmdv-22-status-values", kTable, "22 ステータスの操作 (演算子, 0 で割る, 最大の値, ％指定, 狭いステータス)",
                     "Stage variables: 7 divided by 0 and its remainder by 0 stay 7 (S1, S2); 7 and -7 taken 50 % "
                     "give 4 and -4, halves away from zero (S3, S4); 999999 times 1000 stops at 999999 (S5); the "
                     "constant 2147483647 stores 999999 (S6); operator 7 is none and leaves -5 (S7); 50 added as a "
                     "percentage of 8 adds 4 (S8 = 12); a status operand read from the empty target 2 skips the "
                     "operation (S9 = 5). The character's own rows: max HP set to 4 lowers its HP to 4 (S10); "
                     "the operator works in the row's own width, so 2147483647 is -1 in the 8-bit character ID and Z "
                     "and the 16-bit stop rate and stores their smallest value 0, and -2147483647 is 1 in the 8-bit "
                     "body impact (S11 to S14); each stays in its row's range.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "ステータスの操作の値", {}, true, 40);
                         Still(k, 5, {VarOp(1, 0, 7), VarOp(1, 4, 0), VarOp(2, 0, 7), VarOp(2, 5, 0), VarOp(3, 0, 7),
                                      VarOp(3, 6, 50), VarOp(4, 0, -7), VarOp(4, 6, 50), VarOp(5, 0, 999999),
                                      VarOp(5, 3, 1000), VarOp(6, 0, kMaxI32), VarOp(7, 0, -5), VarOp(7, 7, 3),
                                      VarOp(8, 0, 8), VarOp(8, 1, 50, 1), VarOp(9, 0, 5),
                                      Cmd(CMD_STATUS_OP, 0, {1, 1, 9, 0, 0, 0, 2, 0, 0, 0, 0, 0, 2, 1})});
                         Still(k, 8, {RowOp(3, 0, 4), Code("S10 = hp"), RowOp(5, 0, kMaxI32), Code("S11 = cid"),
                                      RowOp(6, 0, kMaxI32), Code("S12 = z"), RowOp(13, 0, kMaxI32), Code("S13 = stop"),
                                      RowOp(10, 0, -kMaxI32), Code("S14 = imp")});
                     },
                     {{1, 7}, {2, 7}, {3, 4}, {4, -4}, {5, 999999}, {6, 999999}, {7, -5}, {8, 12}, {9, 5}, {10, 4},
                      {11, 0}, {12, 0}, {13, 0}, {14, 1}},
                     20));
    v.push_back(Case("cmdv-23-status2-values", kTable, "23 ステータスの操作2 (巨大化 0, 10, 最大の値; スクロール速度の最大)",
                     "Flying characters grow: size 10 reaches the sensor two blocks right (S1); size 2147483647 is "
                     "held to the largest size, 10, and reaches its sensor the same way (S2); size 0 is no size "
                     "and leaves the character as it was, short of the sensor one block right (S3 = 0). The "
                     "horizontal scroll speed set to 2147483647 is held to 480 (S4).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "巨大化", {}, true, 40);
                         const int sizes[] = {10, kMaxI32, 0};
                         for (int i = 0; i < 3; ++i) {
                             cCharaData c = Dummy("育つ");
                             c.byFlying = 1;
                             c.bySetting52 = 3;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_STATUS_OP2, 0, {0, 5, sizes[i]}), Cmd(CMD_WAIT, 9999)}));
                             Put(k, c, 6 + 10 * i, 6);
                             cCharaData sensor = Dummy("感知");
                             sensor.byForce = 2;
                             sensor.byFlying = 1;
                             sensor.bySetting52 = 3;
                             sensor.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, 1 + i));
                             Put(k, sensor, 6 + 10 * i + (i == 2 ? 1 : 2), 6);
                         }
                         Still(k, 36, {Cmd(CMD_STATUS_OP2, 0, {5, 0, kMaxI32}), Code("S4 = sys.scrlx")});
                     },
                     {{1, 1}, {2, 1}, {3, 0}, {4, 480}}, 30));
    {
        CONFCASE c = Case("cmdv-23-status2-transparent", kTable, "23 ステータスの操作2 (透明 1)",
                          "Two villagers walk right a block and a half: the left one as it is; the right one makes "
                          "itself transparent first. The last frame shows the hero, the left villager and the "
                          "sensor the right one walked into, but not the right villager, which still touches the "
                          "sensor (S1 = 1).",
                          [](cStageData& s) {
                              cStageKit& k = Arena(s, "透明");
                              for (int i = 0; i < 2; ++i) {
                                  cCharaData c = Dummy("村人", CG_VILLAGER);
                                  std::vector<cFlowCmd> cmds;
                                  if (i == 1) cmds.push_back(Cmd(CMD_STATUS_OP2, 0, {0, 1, 1}));
                                  cmds.push_back(Walk(3, 3));
                                  cmds.push_back(Cmd(CMD_WAIT, 9999));
                                  c.vFlow.push_back(Always(cmds));
                                  Put(k, c, 6 + 4 * i, 12, 1);
                              }
                              Put(k, Sensor(1), 12, 12);
                          },
                          {{1, 1}}, 40);
        c.bGolden = true;
        v.push_back(c);
    }
    v.push_back(Case("cmdv-23-status2-fixed-facing", kTable, "23 ステータスの操作2 (向き固定 1)",
                     "Two flying characters facing left move right for a third of a second, then forward (前) for "
                     "a second: the one that fixed its facing first still faces left and goes back past its start "
                     "onto the sensor two blocks left (S1); the other turned right with its move and goes on to "
                     "the sensor six blocks right (S2).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "向き固定", {}, true, 40);
                         for (int i = 0; i < 2; ++i) {
                             cCharaData c = Dummy("向く");
                             c.byFlying = 1;
                             c.bFixedFacing = 0;
                             c.bySetting52 = 3;
                             std::vector<cFlowCmd> cmds;
                             if (i == 0) cmds.push_back(Cmd(CMD_STATUS_OP2, 0, {0, 2, 1}));
                             cmds.push_back(Walk(3, 3));
                             cmds.push_back(Walk(0, 10));
                             cmds.push_back(Cmd(CMD_WAIT, 9999));
                             c.vFlow.push_back(Always(cmds));
                             Put(k, c, 10, 4 + 4 * i, 0);
                             Put(k, Sensor(1 + i), i == 0 ? 8 : 16, 4 + 4 * i);
                         }
                     },
                     {{1, 1}, {2, 1}}, 100));
    v.push_back(Case("cmdv-23-status2-invincible", kTable, "23 ステータスの操作2 (無敵 1, 2)",
                     "Targets of 10 HP make themselves invincible, then a star of power 5 hits each: with 1 the "
                     "hit flow runs (S1) and the HP stays 10 (S2); with 2 the HP stays 10 as well (S3); a target "
                     "left as it is drops to 5 (S4).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "無敵の値", {}, true, 40);
                         const int values[] = {1, 2, 0};
                         const char* const reads[] = {"S2 = hp", "S3 = hp", "S4 = hp"};
                         for (int i = 0; i < 3; ++i) {
                             const int y = 4 + 3 * i;
                             cCharaData gun = Dummy("撃つ", CG_CANNON);
                             gun.byFlying = 1;
                             gun.bySetting52 = 3;
                             gun.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), ShotCmd(1, SG_STAR, 1, 40, 5),
                                                                  Cmd(CMD_WAIT, 9999)}));
                             Put(k, gun, 4, y, 1);
                             cCharaData target = Dummy("的");
                             target.byForce = 2;
                             target.byFlying = 1;
                             target.bySetting52 = 3;
                             if (values[i] != 0)
                                 target.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_STATUS_OP2, 0, {0, 4, values[i]}),
                                                                          Cmd(CMD_WAIT, 9999)}));
                             if (i == 0) target.vFlow.push_back(MarkFlow(7, 1));
                             target.vFlow.push_back(Flow(TRG_ALWAYS, {Code(reads[i])}));
                             Put(k, target, 10, y);
                         }
                     },
                     {{1, 1}, {2, 10}, {3, 10}, {4, 5}}, 90));
    v.push_back(Case("cmdv-23-status2-flying", kTable, "23 ステータスの操作2 (飛行 1)",
                     "The hero makes itself flying, then walks right over a pit six blocks wide: it does not fall "
                     "in but crosses at its height and reaches the goal beyond (cleared).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "飛行");
                         s.vPlacedBlock.erase(std::remove_if(s.vPlacedBlock.begin(), s.vPlacedBlock.end(),
                                                             [](const cBlockData& b) {
                                                                 return b.wCellX >= 5 && b.wCellX <= 10 && b.wCellY >= 13;
                                                             }),
                                              s.vPlacedBlock.end());
                         HeroOf(s).vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_STATUS_OP2, 0, {0, 3, 1}), Cmd(CMD_WAIT, 9999)}));
                         k.PlaceItem(k.AddItem(Goal()), 14, 12);
                     },
                     {}, 200, CONFEND_CLEARED, "10 RIGHT down\n"));
    v.push_back(Case("cmdv-24-vanish-values", kTable, "24 消滅 (画面内のみ, 最大のグループ, アイテム, 子キャラ 2, 4, 5, 範囲外のモード)",
                     "A character of side 3 vanishes side 1 on screen only: the side-1 character on screen is "
                     "gone before its mark (S1 = 0) while the one off screen marks (S2 = 1); vanishing side "
                     "2147483647, which is no side, touches nothing and the list goes on (S3 = 1); vanishing the "
                     "items of group 0 removes the item the hero would walk onto (S4 = 0). Characters that summoned "
                     "a child vanish by mode: 2 (children), 4 (items and children) and 5 (children with their "
                     "items) take the child before its mark (S5 to S7 = 0); mode 6 is none and the child marks "
                     "(S8).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "消滅の値", {}, true, 40);
                         k.PlaceItem(k.AddItem(CodeItem("S4 = 1")), 4, 12);
                         Still(k, 8, {Cmd(CMD_WAIT, 3), SetVar(1)});
                         Still(k, 30, {Cmd(CMD_WAIT, 3), SetVar(2)});
                         Still(k, 12, {Cmd(CMD_VANISH, 0, {0, 1, 0}), Cmd(CMD_VANISH, 0, {0, kMaxI32, 1}), SetVar(3),
                                       Cmd(CMD_VANISH, 0, {1, 0, 1})},
                               10, 3);
                         // Summoners of side 4 call a child whose flow marks after a fifth of a second, then vanish
                         // by mode: 2, 4 and 5 take the child first (S5 to S7 = 0), mode 6 is none (S8 = 1).
                         const int modes[] = {2, 4, 5, 6};
                         for (int i = 0; i < 4; ++i) {
                             cCharaData child = Dummy("子");
                             child.byForce = 4;
                             child.bySetting52 = 3;
                             child.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), SetVar(5 + i), Cmd(CMD_WAIT, 9999)}));
                             Still(k, 16 + 2 * i, {Summon(CMD_SUMMON_CHARA, k.AddChara(child)), Cmd(CMD_VANISH, 0, {modes[i], 0, 1})},
                                   10, 4);
                         }
                     },
                     {{1, 0}, {2, 1}, {3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 1}}, 90, CONFEND_PLAYING,
                     "20 RIGHT down\n60 RIGHT up\n"));
    v.push_back(Case("cmdv-24-vanish-mode-3", kTable, "24 消滅 (モード 3: 召喚したアイテム)",
                     "Two characters each summon an item at their place and a child character; the first then "
                     "vanishes with mode 3. The hero walks right through both places: the first item is gone "
                     "(S1 = 0) while the second is taken (S2 = 1); mode 3 leaves the characters: the first one's "
                     "child marks after a fifth of a second (S3) and the first one goes on after the vanish (S4).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "召喚したアイテムの消滅", {}, true, 40);
                         cCharaData child = Dummy("子");
                         child.byForce = 4;
                         child.bySetting52 = 3;
                         child.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), SetVar(3), Cmd(CMD_WAIT, 9999)}));
                         const int childIndex = k.AddChara(child);
                         for (int i = 0; i < 2; ++i) {
                             std::vector<cFlowCmd> cmds{
                                 Summon(CMD_SUMMON_ITEM, k.AddItem(CodeItem("S" + std::to_string(1 + i) + " = 1")))};
                             if (i == 0) cmds.insert(cmds.end(), {Summon(CMD_SUMMON_CHARA, childIndex),
                                                                  Cmd(CMD_VANISH, 0, {3, 0, 1}), SetVar(4)});
                             Still(k, 6 + 4 * i, cmds, 10, 4);
                         }
                     },
                     {{1, 0}, {2, 1}, {3, 1}, {4, 1}}, 120, CONFEND_PLAYING, "20 RIGHT down\n100 RIGHT up\n"));
    v.push_back(Case("cmdv-25-get-item-values", kTable, "25 アイテムの取得 (最大の番号, 空の番号 0)",
                     "Item number 2147483647 of the stage palette is brought back to item 1 at load, whose code "
                     "counts S1 once; item 0 is the palette's empty entry and runs nothing, the flow goes on (S2 = "
                     "1, S1 still 1).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アイテムの取得の値");
                         k.AddItem(CodeItem("S1 = S1 + 1"));
                         Still(k, 10, {Cmd(CMD_GET_ITEM, 0, {1, kMaxI32}), Cmd(CMD_GET_ITEM, 0, {1, 0}), SetVar(2)});
                     },
                     {{1, 1}, {2, 1}}, 20));
    v.push_back(Case("cmdv-38-arrange-values", kTable, "38 アレンジ (0 で割る, X ％, 桁あふれ, 別の種類, 範囲外の番号, 範囲外の演算)",
                     "Arrangements from character variables set both random bounds of the next status operation: "
                     "9 divided by 0 and its remainder by 0 stay 9 (S1); 9 taken 50 % is 5, halves away from zero "
                     "(S2); 999999 times 999999 overflows and is held to the largest bound, 999999 (S3); an "
                     "arrangement of another command kind leaves the bounds 3 (S4); one of number 5 or "
                     "2147483647, beyond the two numbers of the kind, changes nothing (S5 = S6 = 3); operation 7 "
                     "is none (S7 = 3).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アレンジの値", {}, true, 40);
                         auto both = [](int op, int number) {
                             return std::vector<cFlowCmd>{Arrange(22, 0, op, 2, number), Arrange(22, 1, op, 2, number)};
                         };
                         auto flow = [&](const char* vars, std::vector<std::vector<cFlowCmd>> arrangements, int var) {
                             std::vector<cFlowCmd> cmds{Code(vars)};
                             for (const auto& a : arrangements) cmds.insert(cmds.end(), a.begin(), a.end());
                             cmds.push_back(RandomTo(var, 3, 3));
                             return cmds;
                         };
                         Still(k, 5, flow("my.v1 = 9 my.v2 = 0", {both(0, 1), both(4, 2), both(5, 2)}, 1));
                         Still(k, 7, flow("my.v1 = 9 my.v2 = 50", {both(0, 1), both(6, 2)}, 2));
                         Still(k, 9, flow("my.v1 = 999999", {both(0, 1), both(3, 1)}, 3));
                         Still(k, 11, flow("my.v1 = 9", {{Arrange(2, 0, 0, 2, 1)}}, 4));
                         Still(k, 13, flow("my.v1 = 9", {{Arrange(22, 5, 0, 2, 1)}}, 5));
                         Still(k, 15, flow("my.v1 = 9", {{Arrange(22, kMaxI32, 0, 2, 1)}}, 6));
                         Still(k, 17, flow("my.v1 = 9", {both(7, 1)}, 7));
                     },
                     {{1, 9}, {2, 5}, {3, 999999}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}, 30));
}

}  // namespace sample
