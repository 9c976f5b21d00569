// Cases of the item-flow commands: the hero stands on an item from the first
// frame; the item's command list runs when it is taken.
#include "sample_game/art/sheets.h"
#include "sample_game/conformance/conf_kit.h"
#include "sample_game/data/game_data.h"

namespace sample {

namespace {

constexpr const char* kTable = "item commands";

cFlowCmd ItemCode(const std::string& text) {
    cFlowCmd c = ItemCmd(CMD_CODE);
    c.strText = text;
    return c;
}

// A stage whose item on the hero's cell runs `cmds`; `extra` adds to the stage.
std::function<void(cStageData&)> Taken(std::vector<cFlowCmd> cmds, std::function<void(cStageKit&)> extra = {}) {
    return [cmds, extra](cStageData& s) {
        cStageKit& k = Arena(s, "アイテムのコマンド");
        cItemData item = Coin();
        item.vCmd.clear();
        for (const cFlowCmd& c : cmds) item.vCmd.push_back(c);
        k.PlaceItem(k.AddItem(item), 2, 12);
        if (extra) extra(k);
    };
}

// A command that shows nothing a variable can read: the list goes on after it.
CONFCASE PassesOn(const char* name, const char* rule, const cFlowCmd& cmd) {
    return Case(name, kTable, rule,
                "The command runs when the item is taken and the item's list goes on after it: the code command "
                "that follows sets S1 = 1.",
                Taken({cmd, ItemCode("S1 = 1")}), {{1, 1}}, 20);
}

}  // namespace

void AddItemCmdCases(std::vector<CONFCASE>& v) {
    v.push_back(Case("item-00-none", kTable, "0 (なし)", "An empty item command is passed over: the code after it sets S1 = 1.",
                     Taken({ItemCmd(CMD_NONE + ITEM_CMD_OFFSET), ItemCode("S1 = 1")}), {{1, 1}}, 10));
    {
        cFlowCmd change = ItemCmd(CMD_FLOW_OP, {0, 0});
        change.EditSubFlows().push_back(MarkFlow(TRG_ALWAYS, 1));
        v.push_back(Case("item-01-change-flows", kTable, "1 フローの変更",
                         "The item adds a flow that marks S1 to the hero that takes it: the hero runs it (S1 = 1).",
                         Taken({change}), {{1, 1}}, 20));
    }
    {
        cFlowCmd clear = ItemCmd(CMD_STAGE_CLEAR);
        v.push_back(Case("item-02-stage-clear", kTable, "2 ステージクリア", "Taking the item clears the stage.",
                         Taken({clear}), {}, 30, CONFEND_CLEARED));
    }
    {
        cFlowCmd wait = ItemCmd(CMD_GAME_WAIT, {3});
        v.push_back(Case("item-03-game-wait", kTable, "3 ゲームウエイト",
                         "A game wait of 0.3 seconds holds the game, then the code after it sets S1 = 1.",
                         Taken({wait, ItemCode("S1 = 1")}), {{1, 1}}, 60));
    }
    {
        cFlowCmd message = ItemCmd(CMD_MESSAGE);
        message.strText = "アイテム";
        message.vParam[6] = 2;
        message.vParam[8] = 1;
        message.vParam[7] = 3;
        v.push_back(Case("item-04-message", kTable, "4 メッセージ",
                         "A message shown for a time holds the item's list until it closes; then S1 = 1.",
                         Taken({message, ItemCode("S1 = 1")}), {{1, 1}}, 120));
    }
    {
        cFlowCmd warp = ItemCmd(CMD_WARP);
        cEdMove::Create(warp.spMove);
        warp.spMove->nDir = 3;
        warp.spMove->nDist = 16;
        v.push_back(Case("item-05-warp", kTable, "5 ワープ",
                         "The item warps the hero eight blocks right, onto the goal: the stage is cleared.",
                         Taken({warp}, [](cStageKit& k) { k.PlaceItem(k.AddItem(Goal()), 10, 12); }), {}, 30,
                         CONFEND_CLEARED));
    }
    v.push_back(Case("item-06-set-target", kTable, "6 ターゲットの設定",
                     "The item sets the hero as the hero's own target 1; the code after it reads the target's max "
                     "HP (S1 = 30).",
                     Taken({ItemCmd(CMD_SET_TARGET, {0, 0}), ItemCode("S1 = tg.mhp")}), {{1, 30}}, 10));
    v.push_back(Case("item-07-status-op", kTable, "7 ステータスの操作",
                     "The item sets stage variable 1 to 7 and adds 5 (S1 = 12).",
                     Taken({ItemCmd(CMD_STATUS_OP, {1, 1, 1, 0, 0, 0, 0, 7}), ItemCmd(CMD_STATUS_OP, {1, 1, 1, 0, 0, 1, 0, 5})}),
                     {{1, 12}}, 10));
    v.push_back(Case("item-08-status-op2", kTable, "8 ステータスの操作2",
                     "The item makes the hero invincible; an enemy of body power 5 that reaches it a second later "
                     "leaves its HP at 30 (S1 = 30).",
                     Taken({ItemCmd(CMD_STATUS_OP2, {0, 4, 1})},
                           [](cStageKit& k) {
                               cCharaData e = Dummy();
                               e.nBodyPower = 5;
                               e.vFlow.push_back(Flow(TRG_ALWAYS, {MoveCmd(CMD_STRAIGHT_MOVE, 9999, 0, 20)}));
                               e.vFlow.back().vCmd[0].spMove->nDir = 2;
                               Put(k, e, 5, 12);
                               HeroOf(*k.Stage()).vFlow.push_back(Flow(TRG_ALWAYS, {Code("S1 = hp")}));
                           }),
                     {{1, 30}}, 120));
    v.push_back(Case("item-09-vanish", kTable, "9 消滅",
                     "The item vanishes the hero that takes it: a vanished player character has HP 0 and dies.",
                     Taken({ItemCmd(CMD_VANISH, {0, 0, 1})}), {}, 120, CONFEND_DIED));
    v.push_back(Case("item-10-get-item", kTable, "10 アイテムの取得",
                     "The item makes the hero take another stage item as well, whose code sets S1 = 4.",
                     [](cStageData& s) {
                         cStageKit& k = Arena(s, "アイテムの取得");
                         cItemData other = Coin();
                         other.vCmd.clear();
                         other.vCmd.push_back(ItemCode("S1 = 4"));
                         const int index = k.AddItem(other);
                         cItemData item = Coin();
                         item.vCmd.clear();
                         item.vCmd.push_back(ItemCmd(CMD_GET_ITEM, {1, index}));
                         k.PlaceItem(k.AddItem(item), 2, 12);
                     },
                     {{1, 4}}, 10));
    v.push_back(PassesOn("item-11-graphic", "11 グラフィックの変更", ItemCmd(CMD_CHANGE_GRAPHIC, {1, CG_KNIGHT, 0})));
    v.push_back(PassesOn("item-12-anime-set", "12 基本アニメセットの変更", ItemCmd(CMD_CHANGE_ANIMESET, {ASET_WALKER})));
    v.push_back(PassesOn("item-13-anime", "13 アニメの実行", ItemCmd(CMD_RUN_ANIME, {ANIME_CHEER})));
    v.push_back(PassesOn("item-14-effect", "14 エフェクトの実行", ItemCmd(CMD_RUN_EFFECT, {0, 0, 0, 0, 0, 0, 100})));
    v.push_back(PassesOn("item-15-chara-effect", "15 キャラエフェクトの実行", ItemCmd(CMD_CHARA_EFFECT, {CEFF_BLINK})));
    v.push_back(PassesOn("item-16-screen-effect", "16 画面エフェクトの実行", ItemCmd(CMD_SCR_EFFECT, {1})));
    v.push_back(PassesOn("item-17-picture", "17 ピクチャーの表示", ItemCmd(CMD_PICTURE, {PIC_BANNER})));
    v.push_back(PassesOn("item-18-screen-color", "18 画面の色を変更", ItemCmd(CMD_SCREEN_COLOR, {255, 0, 0, 50})));
    v.push_back(PassesOn("item-19-background", "19 背景の変更", ItemCmd(CMD_CHANGE_BG, {1, 1})));
    v.push_back(PassesOn("item-20-sound", "20 効果音の再生", ItemCmd(CMD_PLAY_SE, {SND_COIN})));
    v.push_back(PassesOn("item-21-music", "21 BGMの再生", ItemCmd(CMD_PLAY_BGM, {BGM_FIELD, 0})));
    v.push_back(Case("item-22-code", kTable, "22 コードの実行", "The item's code \"S1 = 2 * 3 + 1\" gives S1 = 7.",
                     Taken({ItemCode("S1 = 2 * 3 + 1")}), {{1, 7}}, 10));
    v.push_back(Case("item-23-arrange", kTable, "23 アレンジ",
                     "Two arrangements of the item set the random bounds of its next status operation from S2 "
                     "(set to 9 first): S1 = 9.",
                     Taken({ItemCode("S2 = 9"), ItemCmd(CMD_ARRANGE, {22, 0, 0, 1, 2}), ItemCmd(CMD_ARRANGE, {22, 1, 0, 1, 2}),
                            ItemCmd(CMD_STATUS_OP, {1, 1, 1, 0, 0, 0, 1, 0, 0, 0})}),
                     {{1, 9}}, 10));
    v.push_back(Case("item-24-loop", kTable, "24 ループ", "A loop of 4 over the item's counting command counts four times (S1 = 4).",
                     Taken({ItemCmd(CMD_LOOP, {4, 1}), ItemCode("S1 = S1 + 1")}), {{1, 4}}, 10));
}

}  // namespace sample
