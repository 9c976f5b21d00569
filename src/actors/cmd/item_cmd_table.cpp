// The executor table of the item commands: item code n (2..24) runs the body
// of character command n + 15 on the character that took the item; item code
// 1 changes the taker's flows.
#include "actors/cmd/cmd_bodies.h"
#include "actors/item_run.h"
#include "stage/flow_cmd.h"

namespace {

template <void (*Body)(cChara&, const cFlowCmd&)>
int32_t ItemBody(cChara& taker, const cFlowCmd& cmd, const cFlowRun* /*lpFlow*/) {
    Body(taker, cmd);
    return 0;
}

// A body that reads the flow the item was taken in.
template <void (*Body)(cChara&, const cFlowCmd&, const cFlowRun*)>
int32_t ItemFlowBody(cChara& taker, const cFlowCmd& cmd, const cFlowRun* lpFlow) {
    Body(taker, cmd, lpFlow);
    return 0;
}

int32_t ItemEmpty(cChara& /*taker*/, const cFlowCmd& /*cmd*/, const cFlowRun* /*lpFlow*/) { return 0; }

int32_t ItemStageClear(cChara& taker, const cFlowCmd& cmd, const cFlowRun* /*lpFlow*/) {
    // The item runner hands over its own copy of the stored command; the
    // path form rewrites that copy's text only.
    return StageClear(taker, const_cast<cFlowCmd&>(cmd));
}

// Item commands show their messages with no flow to hold.
int32_t ItemMessage(cChara& taker, const cFlowCmd& cmd, const cFlowRun* /*lpFlow*/) {
    ShowMessage(taker, cmd, 0);
    return 0;
}

int32_t ItemSetTarget(cChara& taker, const cFlowCmd& cmd, const cFlowRun* /*lpFlow*/) {
    SetTarget(taker, cmd);
    return 0;
}

int32_t ItemArrange(cChara& taker, const cFlowCmd& cmd, const cFlowRun* /*lpFlow*/) {
    Arrange(taker, cmd, nullptr);
    return 0;
}

int32_t ItemRunCode(cChara& taker, const cFlowCmd& cmd, const cFlowRun* /*lpFlow*/) {
    RunCode(taker, cmd);
    return 0;
}

}  // namespace

ITEMCMDPROC ItemCmdProcTable[ITEM_CMD_NUM] = {
    ItemEmpty,                        // 0  (none)
    ChangeFlowsItemProc,              // 1  フローの変更
    ItemStageClear,                   // 2  ステージクリア
    ItemBody<GameWait>,               // 3  ゲームウエイト
    ItemMessage,                      // 4  メッセージ
    ItemFlowBody<Warp>,               // 5  ワープ
    ItemSetTarget,                    // 6  ターゲットの設定
    ItemBody<StatusOperation>,        // 7  ステータスの操作
    ItemBody<StatusOperation2>,       // 8  ステータスの操作2
    ItemBody<Vanish>,                 // 9  消滅
    ItemFlowBody<GetItem>,            // 10 アイテムの取得
    ItemBody<ChangeGraphic>,          // 11 グラフィックの変更
    ItemBody<ChangeAnimeSet>,         // 12 基本アニメセットの変更
    ItemFlowBody<RunAnime>,           // 13 アニメの実行
    ItemBody<RunEffect>,              // 14 エフェクトの実行
    ItemBody<RunCharaEffect>,         // 15 キャラエフェクトの実行
    ItemBody<RunScreenEffect>,        // 16 画面エフェクトの実行
    ItemBody<ShowPicture>,            // 17 ピクチャーの表示
    ItemBody<ChangeScreenColor>,      // 18 画面の色を変更
    ItemBody<ChangeBackground>,       // 19 背景の変更
    ItemBody<PlaySound>,              // 20 効果音の再生
    ItemBody<PlayBgm>,                // 21 BGMの再生
    ItemRunCode,                      // 22 コードの実行
    ItemArrange,                      // 23 アレンジ
    ItemEmpty,                        // 24 ループ (unrolled before the list runs)
};
