// Cases of the character-flow commands at the parameter values that change
// their outcome: every direction and mode, lengths and counts of 0, and the
// largest values a stage file can hold. Most cases play several values side
// by side, each on a character of its own that writes its own stage variable.
#include <climits>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "character commands";
constexpr int kMaxI16 = SHRT_MAX;
constexpr int kMaxI32 = INT_MAX;

// One probe: a character of side 1, active over the whole stage, that runs
// `cmds` once (then waits), and a sensor of side 2 `dx`, `dy` cells from it
// whose touch flow sets S<var>. Probe i stands in its own region of a
// 40 × 15 arena, far enough from the others that no path crosses another's sensor.
struct PROBE {
    std::vector<cFlowCmd> cmds;
    int dx = 0, dy = 0;
    int var = 0;
    int facing = 0;    // 0 left, 1 right
    int flying = 1;    // 0 walks on the ground, 1 through blocks, 2 stopped by blocks
    bool fixed = true; // 向き固定
    std::vector<cFlow> extra = {};
};

void Probes(cStageData& s, const char* title, const std::vector<PROBE>& probes) {
    cStageKit& k = Arena(s, title, {}, true, 40);
    for (size_t i = 0; i < probes.size(); ++i) {
        const PROBE& p = probes[i];
        const int x = 6 + 7 * static_cast<int>(i % 5), y = p.flying ? 3 + 6 * static_cast<int>(i / 5) : 12;
        cCharaData c = Dummy("動く");
        c.bySetting52 = 3;
        c.byFlying = static_cast<uint8_t>(p.flying);
        c.bFixedFacing = p.fixed ? 1 : 0;
        std::vector<cFlowCmd> cmds = p.cmds;
        cmds.push_back(Cmd(CMD_WAIT, 9999));
        cFlow f;
        f.nTrigger = TRG_ALWAYS;
        for (const cFlowCmd& cmd : cmds) f.vCmd.push_back(cmd);
        c.vFlow.push_back(f);
        for (const cFlow& e : p.extra) c.vFlow.push_back(e);
        Put(k, c, x, y, p.facing);
        if (p.var == 0) continue;
        cCharaData sensor = Dummy("感知");
        sensor.byForce = 2;
        sensor.bySetting52 = 3;
        sensor.byFlying = 1;
        sensor.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, p.var));
        Put(k, sensor, x + p.dx, y + p.dy);
    }
}

cFlowCmd Move(int code, int dir, int time = 5, int speed = 30) {
    cFlowCmd c = MoveCmd(code, time, 0, speed);
    c.spMove->nDir = static_cast<uint8_t>(dir);
    return c;
}

cFlowCmd Warp(int mode, int dir, int dist) {
    cFlowCmd c = Cmd(CMD_WARP, 0);
    cEdMove::Create(c.spMove);
    c.spMove->nMode = static_cast<uint8_t>(mode);
    c.spMove->nDir = static_cast<uint8_t>(dir);
    c.spMove->nDist = static_cast<int16_t>(dist);
    return c;
}

// Characters standing in a row on the ground, each running its own flow of
// trigger 0 once.
void Runners(cStageData& s, const char* title, const std::vector<std::vector<cFlowCmd>>& flows) {
    cStageKit& k = Arena(s, title, {}, true, 40);
    for (size_t i = 0; i < flows.size(); ++i) {
        cCharaData c = Dummy();
        c.nMaxHP = 11 + static_cast<int>(i);
        c.bySetting52 = 3;
        cFlow f;
        f.nTrigger = TRG_ALWAYS;
        for (const cFlowCmd& cmd : flows[i]) f.vCmd.push_back(cmd);
        f.vCmd.push_back(Cmd(CMD_WAIT, 9999));
        c.vFlow.push_back(f);
        Put(k, c, 5 + 2 * static_cast<int>(i), 12);
    }
}

}  // namespace

void AddCharaCmdValueCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("cmdv-01-18-wait-0-and-largest", kTable, "1 ウエイト, 18 ゲームウエイト (長さ 0, 最大)",
                     "A wait of length 0 still ends: the count after it runs at once (S1 = 1); a wait of the largest "
                     "length (3276.7 seconds) holds its count for the whole run (S2 = 0); a game wait of 0 tenths "
                     "holds nothing (S3 = 1).",
                     [](cStageData& s) {
                         Runners(s, "ウエイトの長さ",
                                 {{Cmd(CMD_WAIT, 0), SetVar(1)},
                                  {Cmd(CMD_WAIT, kMaxI16), SetVar(2)},
                                  {Cmd(CMD_GAME_WAIT, 0, {0}), SetVar(3)}});
                     },
                     {{1, 1}, {2, 0}, {3, 1}}, 60));
    v.push_back(Case("cmdv-02-straight-directions", kTable, "2 直線移動 (方向 前, 後, 前Y, 後Y, 上下, 斜め)",
                     "Ten flying characters facing left each move three blocks in one direction code: 前 left, 後 "
                     "right, 前Y up, 後Y down, 上, 下, 左上, 左下, 右上, 右下; each reaches the sensor two blocks "
                     "that way (S1 to S10 = 1).",
                     [](cStageData& s) {
                         Probes(s, "直線移動の方向",
                                {{{Move(CMD_STRAIGHT_MOVE, 0)}, -2, 0, 1},
                                 {{Move(CMD_STRAIGHT_MOVE, 1)}, 2, 0, 2},
                                 {{Move(CMD_STRAIGHT_MOVE, 4)}, 0, -2, 3},
                                 {{Move(CMD_STRAIGHT_MOVE, 5)}, 0, 2, 4},
                                 {{Move(CMD_STRAIGHT_MOVE, 6)}, 0, -2, 5},
                                 {{Move(CMD_STRAIGHT_MOVE, 7)}, 0, 2, 6},
                                 {{Move(CMD_STRAIGHT_MOVE, 8)}, -2, -2, 7},
                                 {{Move(CMD_STRAIGHT_MOVE, 9)}, -2, 2, 8},
                                 {{Move(CMD_STRAIGHT_MOVE, 10)}, 2, -2, 9},
                                 {{Move(CMD_STRAIGHT_MOVE, 11)}, 2, 2, 10}});
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}}, 60));
    v.push_back(Case("cmdv-02-straight-modes", kTable,
                     "2 直線移動 (右向きの前と前Y, 入力方向, 角度, 目標座標, 速度 0, 地上の斜め, X と Y のロック)",
                     "Facing right, 前 goes right (S1) and 前Y down (S2); the input direction of a computer "
                     "character is forward (S3); 左 turned by an angle of 90 goes up (S4); a move to a point three "
                     "blocks right gets there (S5); speed 0 stays put (S6 = 0); a walking character's 右上 moves "
                     "only right, along the ground (S7); a move cancelled for one frame (length 0) still arrives "
                     "(S8); 左上 with the Y lock goes only left (S9) and with the X lock only up (S10).",
                     [](cStageData& s) {
                         cFlowCmd angle = Move(CMD_STRAIGHT_MOVE, 2);
                         angle.spMove->nAngle = 90;
                         cFlowCmd point = Move(CMD_STRAIGHT_MOVE, 0, 20);
                         point.spMove->nMode = 1;
                         point.spMove->nTargetXBl = 3;
                         point.spMove->bMirrorX = 0;
                         point.spMove->bEnableY = 0;
                         PROBE walker{{Move(CMD_STRAIGHT_MOVE, 10)}, 2, 0, 7};
                         walker.flying = 0;
                         PROBE cancelled{{Move(CMD_STRAIGHT_MOVE, 3)}, 2, 0, 8};
                         // 左上 at 1.5 times the speed, so that one axis alone still covers two blocks.
                         cFlowCmd lockY = Move(CMD_STRAIGHT_MOVE, 8, 5, 45);
                         lockY.spMove->bLockY = 1;
                         cFlowCmd lockX = Move(CMD_STRAIGHT_MOVE, 8, 5, 45);
                         lockX.spMove->bLockX = 1;
                         cancelled.extra.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_STOP_MOVE, 0), Cmd(CMD_WAIT, 9999)}));
                         Probes(s, "直線移動のモード",
                                {{{Move(CMD_STRAIGHT_MOVE, 0)}, 2, 0, 1, 1},
                                 {{Move(CMD_STRAIGHT_MOVE, 4)}, 0, 2, 2, 1},
                                 {{Move(CMD_STRAIGHT_MOVE, 12)}, -2, 0, 3},
                                 {{angle}, 0, -2, 4},
                                 {{point}, 3, 0, 5},
                                 {{Move(CMD_STRAIGHT_MOVE, 3, 5, 0)}, 2, 0, 6},
                                 walker,
                                 cancelled,
                                 {{lockY}, -2, 0, 9},
                                 {{lockX}, 0, -2, 10}});
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 0}, {7, 1}, {8, 1}, {9, 1}, {10, 1}}, 60));
    v.push_back(Case("cmdv-02-straight-largest-speed", kTable, "2 直線移動 (最大の速度)",
                     "A character that blocks stop, flying or walking, moving at the largest speed (3276.7 dots a "
                     "frame) toward the stage's stone wall stops at it: its wall flow runs (S1 = 1 flying right, "
                     "S2 = 1 walking left) and it stays in the stage, still counting (S3 = S4 = 1).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "最大の速度", {}, true, 40);
                         for (int i = 0; i < 2; ++i) {
                             cCharaData c = Dummy("速い");
                             c.bySetting52 = 3;
                             c.byFlying = i == 0 ? 2 : 0;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Move(CMD_STRAIGHT_MOVE, i == 0 ? 3 : 2, 5, kMaxI16),
                                                                 Code("S" + std::to_string(3 + i) + " = 1"),
                                                                 Cmd(CMD_WAIT, 9999)}));
                             c.vFlow.push_back(MarkFlow(i == 0 ? 12 : 11, 1 + i));
                             Put(k, c, 20, i == 0 ? 6 : 12);
                         }
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}}, 90));
    v.push_back(Case("cmdv-03-ground-turn-values", kTable, "3 地上折り返し移動 (段差, 負の速度, 速度 0)",
                     "A walker with a negative speed walks backwards, to the right, onto a sensor (S1); one with "
                     "speed 0 stays, short of the sensor beside it (S2 = 0); a walker on a ledge of three blocks "
                     "turns at its edge instead of falling onto the sensor below (S3 = 0) and walks back across "
                     "the ledge to the sensor on its other end (S4).",
                     [](cStageData& s) {
                         std::string ledge(40, ' ');
                         ledge[0] = ledge[39] = 'S';
                         ledge.replace(14, 3, "SSS");
                         std::string wall = ledge;
                         wall.replace(14, 3, "   ");
                         wall[22] = 'S';
                         cStageKit& k = Arena(s, "地上折り返しの値", {{8, ledge}, {12, wall}}, true, 40);
                         auto walker = [&k](int x, int y, int speed, int facing) {
                             cCharaData c = Dummy("歩く");
                             c.bySetting52 = 3;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Move(CMD_GROUND_TURN_MOVE, 0, 9999, speed)}));
                             Put(k, c, x, y, facing);
                         };
                         auto sensor = [&k](int x, int y, int var) {
                             cCharaData c = Dummy("感知");
                             c.byForce = 2;
                             c.byFlying = 1;
                             c.bySetting52 = 3;
                             c.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, var));
                             Put(k, c, x, y);
                         };
                         walker(12, 12, -30, 0);
                         sensor(15, 12, 1);
                         walker(26, 12, 0, 0);
                         sensor(24, 12, 2);
                         walker(15, 7, 20, 1);
                         sensor(17, 9, 3);
                         sensor(14, 7, 4);
                     },
                     {{1, 1}, {2, 0}, {3, 0}, {4, 1}}, 120));
    {
        auto circle = [](int dir) {
            cFlowCmd c = Move(CMD_CIRCLE_MOVE, dir, 15, 60);
            c.spMove->nDist = 2;
            c.spMove->nAngle = 360;
            return c;
        };
        v.push_back(Case("cmdv-04-circle-senses", kTable, "4 円移動 (回転方向 0, 1, 2, 3)",
                         "Flying characters run circles of radius 2 half blocks: sense 0 rises first and reaches the sensor two "
                         "blocks above (S1), sense 1 sinks to the one below (S2); by the facing, sense 3 is 1 for a "
                         "character facing left (below, S4) and sense 2 is 0 for it (above, S5). The largest radius (32767 half blocks) is held to 20: a walker "
                         "placed facing right swings a quarter circle ten blocks right, onto the sensor at nine "
                         "blocks (S6) and short of the one at twelve (S7 = 0).",
                         [circle](cStageData& s) {
                             cFlowCmd wide = circle(0);
                             wide.spMove->nDist = kMaxI16;
                             wide.spMove->nAngle = 90;
                             PROBE walker{{wide}, 9, 0, 6, 1};
                             walker.flying = 0;
                             Probes(s, "円移動の方向",
                                    {{{circle(0)}, 0, -2, 1},
                                     {{circle(1)}, 0, 2, 2},
                                     {{circle(3)}, 0, 2, 4},
                                     {{circle(2)}, 0, -2, 5},
                                     {},
                                     walker});
                             cCharaData far = Dummy("感知");
                             far.byForce = 2;
                             far.byFlying = 1;
                             far.bySetting52 = 3;
                             far.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, 7));
                             Put(ArenaKit(), far, 6 + 12, 12);
                         },
                         {{1, 1}, {2, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 0}}, 100));
    }
    v.push_back(Case("cmdv-05-06-aim-values", kTable, "5 突撃移動, 6 誘導移動 (地上, 誘導性能の悪さ 10, ターゲット無し)",
                     "A walking charger with the hero as target runs along the ground into it (S1); a flyer homing "
                     "with the worst homing (lag 10) still reaches it (S2); a flying charger and homer whose target "
                     "1 (the hero at set-up) was emptied by a target setting of kind 11, which chooses nobody, never "
                     "move: they never touch the sensors two blocks below them (S3 = S4 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "突撃と誘導の値");
                         auto mover = [&k](int code, int x, int y, int var, bool target, int lag) {
                             cCharaData c = Dummy("追う", CG_GHOST);
                             c.byFlying = y < 12 ? 1 : 0;
                             cFlowCmd move = MoveCmd(code, 50, 0, 40);
                             move.spMove->nHoming = static_cast<int16_t>(lag);
                             // Kind 11 chooses nobody, and the slot is emptied.
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, target ? 0 : 11}), move}));
                             c.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, var));
                             Put(k, c, x, y);
                         };
                         mover(CMD_CHARGE_MOVE, 10, 12, 1, true, 0);
                         mover(CMD_HOMING_MOVE, 12, 8, 2, true, 10);
                         mover(CMD_CHARGE_MOVE, 15, 2, 3, false, 0);
                         mover(CMD_HOMING_MOVE, 18, 2, 4, false, 0);
                         for (int x : {15, 18}) {
                             cCharaData sensor = Dummy("感知");
                             sensor.byForce = 2;
                             sensor.byFlying = 1;
                             Put(k, sensor, x, 4);
                         }
                     },
                     {{1, 1}, {2, 1}, {3, 0}, {4, 0}}, 150));
    {
        auto turn = [](int value) { return Cmd(CMD_FACING, 0, {value}); };
        const cFlowCmd target = Cmd(CMD_SET_TARGET, 0, {0, 0});
        const cFlowCmd forward = Move(CMD_STRAIGHT_MOVE, 0);
        PROBE loose{{turn(1), forward}, -2, 0, 5};
        loose.fixed = false;
        v.push_back(Case("cmdv-09-facing-values", kTable, "9 向き変更 (ターゲットの方, その逆, 空のスロット, 範囲外の値, 向き固定なし, ブロックの方, その逆)",
                         "Characters with fixed facing turn and then move forward (前): value 2 faces the hero, its "
                         "target 1, on the left (S1), value 3 away from it, right (S2); value 4 reads the empty "
                         "target 2 and leaves the facing right (S3); value 12 is no value and leaves it left (S4); a "
                         "character without fixed facing is not turned by value 1 and goes left (S5). Characters facing "
                         "left move into a stone wall first: value 11 turns them away from the side of the last "
                         "block, the left, so forward goes right (S6); value 10 turns them toward it, the right, so "
                         "backward (後) goes left (S7).",
                         [=](cStageData& s) {
                             Probes(s, "向き変更の値",
                                    {{{target, turn(2), forward}, -2, 0, 1, 1},
                                     {{target, turn(3), forward}, 2, 0, 2},
                                     {{turn(4), forward}, 2, 0, 3, 1},
                                     {{turn(12), forward}, -2, 0, 4},
                                     loose});
                             // Into a stone wall and back: 11 turns away from the wall on the left, then
                             // forward (S6); 10 turns toward the wall on the right, then backward (後, S7).
                             cStageKit& k = ArenaKit();
                             const struct {
                                 int x, into, value, then, sensorX, var;
                             } walls[] = {{3, 2, 11, 0, 5, 6}, {36, 3, 10, 1, 34, 7}};
                             for (const auto& w : walls) {
                                 cCharaData c = Dummy("壁");
                                 c.byFlying = 2;
                                 c.bySetting52 = 3;
                                 c.vFlow.push_back(Flow(TRG_ALWAYS, {Move(CMD_STRAIGHT_MOVE, w.into), turn(w.value),
                                                                     Move(CMD_STRAIGHT_MOVE, w.then, 10), Cmd(CMD_WAIT, 9999)}));
                                 Put(k, c, w.x, 9);
                                 cCharaData sensor = Dummy("感知");
                                 sensor.byForce = 2;
                                 sensor.byFlying = 1;
                                 sensor.bySetting52 = 3;
                                 sensor.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, w.var));
                                 Put(k, sensor, w.sensorX, 9);
                             }
                         },
                         {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}, 90));
    }
    v.push_back(Case("cmdv-07-avoid-directions", kTable, "7 画面外回避移動 (右, 前, 後, 速度 0)",
                     "The hero stands at the right end of a stage of 40 columns, so the view shows columns 20 to "
                     "39. Characters off its left edge come back into it: 右 (S1), 前 for one facing right (S2) and "
                     "後 for one facing left (S3) each pass the sensor in the view's first column and stop short of "
                     "the one in its fourth (S4 = 0); one of speed 0 stays out (S5 = 0).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "画面外回避の方向", {}, true, 40);
                         HeroOf(s).wCellX = 36;
                         const struct {
                             int dir, facing, speed, y, var;
                         } movers[] = {{3, 0, 30, 3, 1}, {0, 1, 30, 5, 2}, {1, 0, 30, 7, 3}, {3, 0, 0, 9, 5}};
                         for (const auto& m : movers) {
                             cCharaData c = Dummy("戻る");
                             c.bySetting52 = 3;
                             c.byFlying = 1;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Move(CMD_AVOID_MOVE, m.dir, 9999, m.speed)}));
                             Put(k, c, 14, m.y, m.facing);
                             for (int x : {20, 23}) {
                                 cCharaData sensor = Dummy("感知");
                                 sensor.byForce = 2;
                                 sensor.byFlying = 1;
                                 sensor.bySetting52 = 3;
                                 sensor.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, x == 20 ? m.var : 4));
                                 Put(k, sensor, x, m.y);
                             }
                         }
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 0}, {5, 0}}, 120));
    v.push_back(Case("cmdv-10-jump-heights", kTable, "10 ジャンプ (高さ 0, 4, 最大)",
                     "Characters standing on the ground jump: height 4 half blocks reaches the sensor a block above "
                     "(S1); height 0 does not leave the ground (S2 = 0); the largest height, 2147483647 half "
                     "blocks, throws the character into the stone ceiling three blocks up, whose hit flow runs "
                     "(S3), and it stays in the stage, counting after a second (S4).",
                     [](cStageData& s) {
                         std::string ceiling(40, ' ');
                         ceiling[0] = ceiling[39] = 'S';
                         ceiling.replace(19, 3, "SSS");
                         cStageKit& k = Arena(s, "ジャンプの高さ", {{9, ceiling}}, true, 40);
                         const int heights[] = {4, 0, kMaxI32};
                         for (int i = 0; i < 3; ++i) {
                             cCharaData c = Dummy("跳ぶ");
                             c.bySetting52 = 3;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_JUMP, 0, {0, 0, heights[i], 0, 0}), Cmd(CMD_WAIT, 9999)}));
                             if (i == 2) {
                                 c.vFlow.push_back(MarkFlow(14, 3));
                                 c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 10), SetVar(4), Cmd(CMD_WAIT, 9999)}));
                             }
                             Put(k, c, 6 + 7 * i, 12);
                             if (i == 2) continue;
                             cCharaData sensor = Dummy("感知");
                             sensor.byForce = 2;
                             sensor.byFlying = 1;
                             sensor.bySetting52 = 3;
                             sensor.vFlow.push_back(MarkFlow(TRG_TOUCH_CHARA, 1 + i));
                             Put(k, sensor, 6 + 7 * i, 11);
                         }
                     },
                     {{1, 1}, {2, 0}, {3, 1}, {4, 1}}, 90));
    {
        // The hero's jumps are counted in S2 before each starts; the coin three blocks above the hero
        // records in S1 the number of the jump that took it.
        auto jumper = [](const char* title, std::vector<std::pair<int, cFlowCmd>> jumps) {
            return [=](cStageData& s) {
                cStageKit& k = Arena(s, title);
                cCharaData& hero = HeroOf(s);
                hero.vFlow.clear();
                for (size_t i = 0; i < jumps.size(); ++i) {
                    cFlow f = KeyFlow(jumps[i].second, jumps[i].first, false, 3 + static_cast<int>(i));
                    f.vCmd.insert(f.vCmd.begin(), CountVar(2));
                    hero.vFlow.push_back(f);
                }
                k.PlaceItem(k.AddItem(CodeItem("S1 = S2")), 2, 9);
            };
        };
        v.push_back(Case("cmdv-10-jump-mode-1", kTable, "10 ジャンプ (モード 1: キーを押している間)",
                         "The hero's Z jump of mode 1 rises only while Z is held: a tap (the first jump) is cut "
                         "short below the coin three blocks up, which a tap of the mode-0 jump of the same height "
                         "reaches (cmd-10-jump); Z held for half a second (the second jump) rises to it (S1 = 2, "
                         "S2 = 2).",
                         jumper("ジャンプのモード1", {{KEYSLOT_BUTTON1, Cmd(CMD_JUMP, 1, {1, 0, HERO_JUMP_HEIGHT, 0, 0})}}),
                         {{1, 2}, {2, 2}}, 130, CONFEND_PLAYING, "5 Z down\n9 Z up\n60 Z down\n90 Z up\n"));
        v.push_back(Case("cmdv-10-jump-mode-2", kTable, "10 ジャンプ (モード 2: 高さは パラメータ 1)",
                         "Two jumps with 7 in parameter 1 and 1 in parameter 2, Z held for half a second each: "
                         "mode 0 on C rises by parameter 2, a hop of half a block, short of the coin three blocks "
                         "up (the first jump); mode 2 on Z rises by parameter 1, seven half blocks, and takes it "
                         "(S1 = 2, S2 = 2).",
                         jumper("ジャンプのモード2", {{KEYSLOT_BUTTON3, Cmd(CMD_JUMP, 1, {0, 7, 1, 0, 0})},
                                                      {KEYSLOT_BUTTON1, Cmd(CMD_JUMP, 1, {2, 7, 1, 0, 0})}}),
                         {{1, 2}, {2, 2}}, 130, CONFEND_PLAYING, "5 C down\n35 C up\n60 Z down\n90 Z up\n"));
    }
    v.push_back(Case("cmdv-05-charge-angles", kTable, "5 突撃移動 (角度 0, 90, 180, 270, -90)",
                     "Flying chargers in a row aim at the same target far to their left, then turn by the angle: "
                     "0 charges left, onto the sensor two blocks left (S1); 90 turns it up (S2), 180 right, away "
                     "from the target (S3), 270 down (S4) and -90 down as well (S5), each onto the sensor two "
                     "blocks that way.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "突撃の角度", {}, true, 40);
                         cCharaData aim = Dummy("的");
                         aim.byForce = 3;
                         aim.byFlying = 1;
                         aim.bySetting52 = 3;
                         aim.byCharaId = 9;
                         Put(k, aim, 2, 6);
                         const struct {
                             int angle, dx, dy;
                         } chargers[] = {{0, -2, 0}, {90, 0, -2}, {180, 2, 0}, {270, 0, 2}, {-90, 0, 2}};
                         for (int i = 0; i < 5; ++i) {
                             cCharaData c = Dummy("突撃");
                             c.byFlying = 1;
                             c.bySetting52 = 3;
                             cFlowCmd charge = MoveCmd(CMD_CHARGE_MOVE, 10, chargers[i].angle, 40);
                             // Target 1: the character of ID 9.
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 3, 0, 1, 1, 0, 0, 0, 0, 1, 9}),
                                                                 charge, Cmd(CMD_WAIT, 9999)}));
                             const int x = 10 + 6 * i;
                             Put(k, c, x, 6);
                             Put(k, Sensor(1 + i), x + chargers[i].dx, 6 + chargers[i].dy);
                         }
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}, 60));
    v.push_back(Case("cmdv-07-avoid-vertical-diagonal", kTable, "7 画面外回避移動 (下, 上, 前Y, 右下, 右上; 縦に長いステージ)",
                     "A stage of 40 × 45 blocks; the hero stands on a ledge at (36, 22), so the view shows "
                     "columns 20 to 39 and rows 15 to 29. Characters outside it come back in: 下 from above "
                     "(S1), 上 from below (S2), 前Y for one facing right from above (S3), 右下 from above and left "
                     "(S4) and 右上 from below and left (S5), each onto the sensor in the view's first row, last "
                     "row or corner, and stop short of the one three blocks further in (S6 = 0).",
                     [](cStageData& s) {
                         std::string ledge(40, ' ');
                         ledge[0] = ledge[39] = 'S';
                         ledge.replace(34, 5, "SSSSS");
                         cStageKit& k = Arena(s, "画面外回避の縦", {{23, ledge}}, true, 40, 45);
                         HeroOf(s).wCellX = 36;
                         HeroOf(s).wCellY = 22;
                         const struct {
                             int dir, facing, x, y, sensorX, sensorY, innerX, innerY;
                         } movers[] = {{7, 0, 30, 8, 30, 15, 30, 18},
                                       {6, 0, 26, 36, 26, 29, 26, 26},
                                       {4, 1, 34, 8, 34, 15, 34, 18},
                                       {11, 0, 14, 8, 20, 15, 23, 18},
                                       {10, 0, 14, 36, 20, 29, 23, 26}};
                         for (int i = 0; i < 5; ++i) {
                             const auto& m = movers[i];
                             cCharaData c = Dummy("戻る");
                             c.bySetting52 = 3;
                             c.byFlying = 1;
                             c.vFlow.push_back(Flow(TRG_ALWAYS, {Move(CMD_AVOID_MOVE, m.dir, 9999, 30)}));
                             Put(k, c, m.x, m.y, m.facing);
                             Put(k, Sensor(1 + i), m.sensorX, m.sensorY);
                             Put(k, Sensor(6), m.innerX, m.innerY);
                         }
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 0}}, 150));
    v.push_back(Case("cmdv-16-flow-op-values", kTable, "16 フローの操作 (開始, 再開, 削除, 永久停止, このフロー以外全て, ID 0, ターゲット, 範囲外)",
                     "Start runs a flow of trigger 22 by its ID (S1); resume lets a paused flow finish (S2); "
                     "delete (S3 = 0) and stop for good (S4 = 0) keep a flow from its mark; pausing every other "
                     "flow holds them (S5 = 0) while the running one goes on (S6); ID 0 selects nothing: a pause "
                     "of ID 0 holds no flow (S7); "
                     "start on target 1 runs that character's flow (S8); operation 6 is no operation (S9).",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "フローの操作の値", {}, true, 40);
                         auto op = [](int operation, int scope, int id, int whose = 0) {
                             return Cmd(CMD_FLOW_OP, 0, {operation, scope, id, whose});
                         };
                         auto put = [&k](int x, std::vector<cFlow> flows, int id = 0) {
                             cCharaData c = Dummy();
                             c.bySetting52 = 3;
                             c.byCharaId = static_cast<uint8_t>(id);
                             for (const cFlow& f : flows) c.vFlow.push_back(f);
                             Put(k, c, x, 12);
                         };
                         const cFlowCmd hold = Cmd(CMD_WAIT, 9999);
                         put(5, {Flow(22, {SetVar(1), hold}, 5), Flow(TRG_ALWAYS, {op(0, 2, 5), hold})});
                         put(7, {Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), SetVar(2), hold}, 6),
                                 Flow(TRG_ALWAYS, {op(2, 2, 6), Cmd(CMD_WAIT, 5), op(3, 2, 6), hold})});
                         put(9, {Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), SetVar(3), hold}, 7),
                                 Flow(TRG_ALWAYS, {op(4, 2, 7), hold})});
                         put(11, {Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), SetVar(4), hold}, 8),
                                  Flow(TRG_ALWAYS, {op(5, 2, 8), hold})});
                         put(13, {Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), SetVar(5), hold}),
                                  Flow(TRG_ALWAYS, {op(2, 1, 0), Cmd(CMD_WAIT, 5), SetVar(6), hold})});
                         put(15, {Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), SetVar(7), hold}),
                                  Flow(TRG_ALWAYS, {op(2, 2, 0), hold})});
                         put(17, {Flow(22, {SetVar(8), hold}, 9)}, 42);
                         put(19, {Flow(TRG_ALWAYS, {Cmd(CMD_SET_TARGET, 0, {0, 3, 0, 1, 1, 1, 0, 0, 0, 1, 42}),
                                                    op(0, 2, 9, 1), hold})});
                         put(21, {Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 3), SetVar(9), hold}, 10),
                                  Flow(TRG_ALWAYS, {op(6, 2, 10), hold})});
                     },
                     {{1, 1}, {2, 1}, {3, 0}, {4, 0}, {5, 0}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}, 90));
    v.push_back(Case("cmdv-17-clear-largest", kTable, "17 ステージクリア (番号で指定, 最大の番号と位置)",
                     "A clear to stage number 2147483647 with the world-map position and the next start at the "
                     "largest values is still a clear: the map position is clamped to the map and the run ends "
                     "cleared.",
                     [](cStageData& s) {
                         Runners(s, "最大のステージクリア",
                                 {{Cmd(CMD_STAGE_CLEAR, 1, {1, kMaxI32, 1, kMaxI32, kMaxI32, 1, kMaxI32, kMaxI32, kMaxI32})}});
                     },
                     {}, 60, CONFEND_CLEARED));
    v.push_back(Case("cmdv-17-clear-path", kTable, "17 ステージクリア (パスで指定)",
                     "A clear to a stage named by its path clears the stage: the run ends cleared.",
                     [](cStageData& s) {
                         cFlowCmd clear = Cmd(CMD_STAGE_CLEAR, 1, {2});
                         clear.strText = "stage1-1.stg4";
                         Runners(s, "パスで指定", {{clear}});
                     },
                     {}, 60, CONFEND_CLEARED));
    v.push_back(Case("cmdv-20-warp-values", kTable, "20 ワープ (方向, 距離 0, 最大の距離, ターゲット1から, 目標座標)",
                     "Flying characters facing left warp and land on their sensors: 前Y up 4 half blocks (S1), 下 4 "
                     "(S2), 左上 6 (S3), 右下 6 (S4), 後 "
                     "right 4 (S5), by a point offset of 2 blocks right (S6); distance 0 stays (S7 = 0); the "
                     "largest distance (32767 half blocks) to the left would leave the stage, so the warp does not "
                     "stand and a move right afterwards still reaches its sensor (S8); a walking character warped "
                     "up reaches the sensor above it (S9); one warped from its target 1, the hero, four half blocks "
                     "right lands two blocks right of the hero (S10).",
                     [](cStageData& s) {
                         cFlowCmd point = Warp(5, 0, 0);
                         point.spMove->nTargetXBl = 2;
                         point.spMove->bMirrorX = 0;
                         PROBE walking{{Warp(0, 6, 4)}, 0, -2, 9};
                         walking.flying = 0;
                         Probes(s, "ワープの値",
                                {{{Warp(0, 4, 4)}, 0, -2, 1},
                                 {{Warp(0, 7, 4)}, 0, 2, 2},
                                 {{Warp(0, 8, 6)}, -2, -2, 3},
                                 {{Warp(0, 11, 6)}, 2, 2, 4},
                                 {{Warp(0, 1, 4)}, 2, 0, 5},
                                 {{point}, 2, 0, 6},
                                 {{Warp(0, 3, 0)}, 2, 0, 7},
                                 {{Warp(0, 2, kMaxI16), Move(CMD_STRAIGHT_MOVE, 3)}, 2, 0, 8},
                                 walking,
                                 {{Warp(1, 3, 4)}, -30, 3, 10}});
                     },
                     {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 0}, {8, 1}, {9, 1}, {10, 1}}, 60));
    AddAttackCmdValueCases(v);
    AddStatusCmdValueCases(v);
    AddPresentCmdValueCases(v);
}

}  // namespace sample
