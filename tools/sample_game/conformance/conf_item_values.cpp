// Cases of the item-flow commands at the parameter values that change their
// outcome: modes, counts and lengths of 0, and the largest values a stage
// file can hold. Several items lie on the hero's cell, each with its own
// command list and stage variable; the hero takes them all on the first frame.
#include <climits>

#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "item commands";
constexpr int kMaxI32 = INT_MAX;

cFlowCmd ItemCode(const std::string& text) {
    cFlowCmd c = ItemCmd(CMD_CODE);
    c.strText = text;
    return c;
}

// ステータスの操作 of an item on stage variable `var`: operator op with a constant.
cFlowCmd ItemVarOp(int var, int op, int value) { return ItemCmd(CMD_STATUS_OP, {1, 1, var, 0, 0, op, 0, value}); }

// A stage whose items on the hero's cell run one list each. The first item
// of the stage palette (index 1) lies nowhere: its code counts S<counted>
// for the commands that hand items over.
std::function<void(cStageData&)> TakenAll(std::vector<std::vector<cFlowCmd>> lists, int counted = 0,
                                          std::function<void(cStageData&)> extra = {}) {
    return [lists, counted, extra](cStageData& s) {
        cStageKit& k = Arena(s, "アイテムの値");
        cItemData handed = Coin();
        handed.vCmd.clear();
        handed.vCmd.push_back(ItemCode(counted ? "S" + std::to_string(counted) + " = S" + std::to_string(counted) + " + 1"
                                               : "S0 = 0"));
        k.AddItem(handed);
        for (const std::vector<cFlowCmd>& list : lists) {
            cItemData item = Coin();
            item.vCmd.clear();
            for (const cFlowCmd& c : list) item.vCmd.push_back(c);
            k.PlaceItem(k.AddItem(item), 2, 12);
        }
        if (extra) extra(s);
    };
}

}  // namespace

void AddItemCmdValueCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("itemv-zero-values", kTable,
                     "3 ゲームウエイト, 24 ループ, 7 ステータスの操作, 12-21 演出 (0)",
                     "Values of 0 in items: a game wait of 0 holds nothing (S1 = 1); a loop of count 0 runs its "
                     "command once (S2 = 1) and one over 0 commands leaves the next one single (S3 = 1); dividing "
                     "7 and taking its remainder by 0 leave it (S4 = S5 = 7); screen effect 0, background 0, sound "
                     "0, character effect 0, animation set 0, animation 0, effect 0, picture 0 for 0 tenths, "
                     "screen colour at 0 % for 0 tenths and music 0 run and the lists go on (S6 to S15 = 1).",
                     TakenAll({{ItemCmd(CMD_GAME_WAIT, {0}), ItemCode("S1 = 1")},
                               {ItemCmd(CMD_LOOP, {0, 1}), ItemCode("S2 = S2 + 1")},
                               {ItemCmd(CMD_LOOP, {3, 0}), ItemCode("S3 = S3 + 1")},
                               {ItemVarOp(4, 0, 7), ItemVarOp(4, 4, 0), ItemVarOp(5, 0, 7), ItemVarOp(5, 5, 0)},
                               {ItemCmd(CMD_SCR_EFFECT, {0}), ItemCode("S6 = 1")},
                               {ItemCmd(CMD_CHANGE_BG, {0, 2}), ItemCode("S7 = 1")},
                               {ItemCmd(CMD_PLAY_SE, {0}), ItemCode("S8 = 1")},
                               {ItemCmd(CMD_CHARA_EFFECT, {0}), ItemCode("S9 = 1")},
                               {ItemCmd(CMD_CHANGE_ANIMESET, {0}), ItemCode("S10 = 1")},
                               {ItemCmd(CMD_RUN_ANIME, {0}), ItemCode("S11 = 1")},
                               {ItemCmd(CMD_RUN_EFFECT, {0, 0, 0, 0, 0, 0, 0, 0}), ItemCode("S12 = 1")},
                               {ItemCmd(CMD_PICTURE, {0}), ItemCode("S13 = 1")},
                               {ItemCmd(CMD_SCREEN_COLOR, {0, 0, 0, 0, 0, 0, 0, 0}), ItemCode("S14 = 1")},
                               {ItemCmd(CMD_PLAY_BGM, {0, 0}), ItemCode("S15 = 1")}}),
                     {{1, 1}, {2, 1}, {3, 1}, {4, 7}, {5, 7}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 1},
                      {13, 1}, {14, 1}, {15, 1}},
                     20));
    v.push_back(Case("itemv-largest-values", kTable,
                     "24 ループ, 7 ステータスの操作, 10 アイテムの取得, 9 消滅, 11-21 (最大の値)",
                     "The largest values in items: a loop of 2147483647 is cut to the longest list a flow may "
                     "hold, 65535 runs (S1); the constant 2147483647 stores as 999999 (S2), and 999999 times 1000 "
                     "or times -1000 stops at 999999 and -999999 (S3, S4); the score set to 2147483647 reads "
                     "999999 (S5); item index 2147483647 is brought back to the first stage item at load, which "
                     "counts S6 once; vanishing group 2147483647 touches nothing (S7 = 1); graphic, animation "
                     "set, animation, effect, character effect, screen effect, picture, background, sound and "
                     "music numbers of 2147483647 are brought into their lists at load and the list goes on (S8, "
                     "S9 = 1).",
                     TakenAll({{ItemCmd(CMD_LOOP, {kMaxI32, 1}), ItemCode("S1 = S1 + 1")},
                               {ItemVarOp(2, 0, kMaxI32), ItemVarOp(3, 0, 999999), ItemVarOp(3, 3, 1000),
                                ItemVarOp(4, 0, 999999), ItemVarOp(4, 3, -1000)},
                               {ItemCmd(CMD_STATUS_OP, {0, 0, 0, 5, 3, 0, 0, kMaxI32}), ItemCode("S5 = sys.score")},
                               {ItemCmd(CMD_GET_ITEM, {1, kMaxI32})},
                               {ItemCmd(CMD_VANISH, {0, kMaxI32, 1}), ItemCode("S7 = 1")},
                               {ItemCmd(CMD_CHANGE_GRAPHIC, {4, kMaxI32, kMaxI32}), ItemCmd(CMD_CHANGE_ANIMESET, {kMaxI32}),
                                ItemCmd(CMD_RUN_ANIME, {kMaxI32}), ItemCmd(CMD_RUN_EFFECT, {kMaxI32, 0, 0, 0, 0, 0, 100}),
                                ItemCmd(CMD_CHARA_EFFECT, {kMaxI32}), ItemCode("S8 = 1")},
                               {ItemCmd(CMD_SCR_EFFECT, {kMaxI32}), ItemCmd(CMD_PICTURE, {kMaxI32}),
                                ItemCmd(CMD_CHANGE_BG, {kMaxI32, kMaxI32}), ItemCmd(CMD_PLAY_SE, {kMaxI32}),
                                ItemCmd(CMD_PLAY_BGM, {kMaxI32, kMaxI32}), ItemCode("S9 = 1")}},
                              6),
                     {{1, 65535}, {2, 999999}, {3, 999999}, {4, -999999}, {5, 999999}, {6, 1}, {7, 1}, {8, 1}, {9, 1}},
                     30));
    v.push_back(Case("itemv-23-arrange-values", kTable, "23 アレンジ (0 で割る, X ％, 範囲外の番号)",
                     "Arrangements of items, from stage variables, set both random bounds of the item's next "
                     "status operation: 9 divided by 0 stays 9 (S1); 9 taken 50 % is 5 (S2); an arrangement of "
                     "number 2147483647, beyond the two numbers of the command, changes nothing and the bounds "
                     "stay 3 (S3).",
                     [](cStageData& s) {
                         auto both = [](int op, int var) {
                             return std::vector<cFlowCmd>{ItemCmd(CMD_ARRANGE, {22, 0, op, 1, var}),
                                                          ItemCmd(CMD_ARRANGE, {22, 1, op, 1, var})};
                         };
                         auto list = [](std::vector<std::vector<cFlowCmd>> parts, int var) {
                             std::vector<cFlowCmd> cmds;
                             for (const auto& p : parts) cmds.insert(cmds.end(), p.begin(), p.end());
                             cmds.push_back(ItemCmd(CMD_STATUS_OP, {1, 1, var, 0, 0, 0, 1, 0, 3, 3}));
                             return cmds;
                         };
                         TakenAll({list({{ItemCode("S10 = 9 S11 = 0 S12 = 50")}, both(0, 10), both(4, 11)}, 1),
                                   list({both(0, 10), both(6, 12)}, 2),
                                   list({{ItemCmd(CMD_ARRANGE, {22, kMaxI32, 0, 1, 10})}}, 3)})(s);
                     },
                     {{1, 9}, {2, 5}, {3, 3}}, 20));
    {
        auto message = [](std::vector<int> params) {
            cFlowCmd c = ItemCmd(CMD_MESSAGE);
            c.vParam.assign(params.begin(), params.end());
            c.vParam.resize(18, 0);
            c.strText = "アイテムの値";
            return c;
        };
        const int M = kMaxI32;
        v.push_back(Case("itemv-04-message-values", kTable, "4 メッセージ (時間 0, 最大の時間と位置, 範囲外の位置モード)",
                         "Item messages run and their lists go on: one waited for with a time of 0 (S1); one at "
                         "stage coordinates of the largest cells and offsets, shown for the largest time without a "
                         "wait (S2); position mode 2147483647, which is no mode (S3).",
                         TakenAll({{message({0, 0, 0, 0, 0, 0, 2, 0, 1}), ItemCode("S1 = 1")},
                                   {message({8, M, M, M, M, 0, 2, M, 0}), ItemCode("S2 = 1")},
                                   {message({M, 0, 0, 0, 0, 0, 2, 10, 0}), ItemCode("S3 = 1")}}),
                         {{1, 1}, {2, 1}, {3, 1}}, 30));
    }
    {
        auto warp = [](int dir, int dist) {
            cFlowCmd c = ItemCmd(CMD_WARP);
            cEdMove::Create(c.spMove);
            c.spMove->nDir = static_cast<uint8_t>(dir);
            c.spMove->nDist = static_cast<int16_t>(dist);
            return c;
        };
        v.push_back(Case("itemv-05-06-08-values", kTable,
                         "5 ワープ (距離 0, 最大の距離), 6 ターゲットの設定 (自分, 該当なし), 8 ステータスの操作2 (最大のスクロール速度)",
                         "Items taken one after another: warps of distance 0 and of the largest distance to the "
                         "left (beyond the stage, so it does not stand) leave the hero where it is, and a warp of "
                         "4 half blocks up then puts it on the item two blocks above, whose code marks S1; the "
                         "hero's target 1 set to itself reads its max HP (S2 = 30); a target setting of kind 11 "
                         "finds nobody and empties the slot, so reading it fails and leaves S3 = -1; the "
                         "horizontal scroll speed set to 2147483647 is held to 480 (S4).",
                         TakenAll({{warp(3, 0), warp(2, SHRT_MAX), warp(6, 4)},
                                   {ItemCmd(CMD_SET_TARGET, {0, 1}), ItemCode("S2 = tg.mhp")},
                                   {ItemCode("S3 = -1"), ItemCmd(CMD_SET_TARGET, {0, 11}), ItemCode("S3 = tg.mhp")},
                                   {ItemCmd(CMD_STATUS_OP2, {5, 0, kMaxI32}), ItemCode("S4 = sys.scrlx")}},
                                  0,
                                  [](cStageData&) {
                                      cItemData above = Coin();
                                      above.vCmd.clear();
                                      above.vCmd.push_back(ItemCode("S1 = 1"));
                                      ArenaKit().PlaceItem(ArenaKit().AddItem(above), 2, 10);
                                  }),
                         {{1, 1}, {2, 30}, {3, -1}, {4, 480}}, 30));
    }
    v.push_back(Case("itemv-02-clear-largest", kTable, "2 ステージクリア (番号で指定, 最大の番号と位置)",
                     "An item's clear to stage 2147483647 with the map position and the next start at the largest "
                     "values is still a clear: the run ends cleared.",
                     TakenAll({{ItemCmd(CMD_STAGE_CLEAR, {1, kMaxI32, 1, kMaxI32, kMaxI32, 1, kMaxI32, kMaxI32, kMaxI32})}}),
                     {}, 30, CONFEND_CLEARED));
    {
        cFlowCmd replace = ItemCmd(CMD_FLOW_OP, {1, 6});
        replace.EditSubFlows().push_back(MarkFlow(TRG_ALWAYS, 3));
        cFlowCmd append = ItemCmd(CMD_FLOW_OP, {1, 99});
        append.EditSubFlows().push_back(MarkFlow(TRG_ALWAYS, 4));
        v.push_back(Case("itemv-01-flow-change-modes", kTable, "1 フローの変更 (追加, 置き換え, 削除, 無いIDの置き換え)",
                         "The hero's flows of id 5 and 6 would mark S1 and S2 after a fifth of a second: an item "
                         "removes id 5 (S1 = 0), another replaces id 6 with a flow marking S3 (S2 = 0, S3 = 1), a "
                         "third replaces the id 99 no flow has, which appends its flow (S4 = 1).",
                         TakenAll({{ItemCmd(CMD_FLOW_OP, {2, 5})}, {replace}, {append}}, 0,
                                  [](cStageData& s) {
                                      HeroOf(s).vFlow.push_back(
                                          Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), SetVar(1), Cmd(CMD_WAIT, 9999)}, 5));
                                      HeroOf(s).vFlow.push_back(
                                          Flow(TRG_ALWAYS, {Cmd(CMD_WAIT, 2), SetVar(2), Cmd(CMD_WAIT, 9999)}, 6));
                                  }),
                         {{1, 0}, {2, 0}, {3, 1}, {4, 1}}, 60));
    }
}

}  // namespace sample
