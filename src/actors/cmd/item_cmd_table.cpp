// The executor table of the item commands: item code n (2..24) runs the body
// of character command n + 15 on the character that took the item; item code
// 1 changes the taker's flows.
#include "actors/cmd/cmd_bodies.h"
#include "actors/item_run.h"
#include "stage/flow_cmd.h"

namespace {

// A body that needs nothing of the step but the taker and the command.
template <void (*Body)(cChara&, const cFlowCmd&)>
int32_t ItemBody(const ITEMSTEP& step) {
    Body(step.taker, step.cmd);
    return 0;
}

// A body that plays in the world, with the scene's services.
template <void (*Body)(cChara&, const cFlowCmd&, cWorldState*, cSceneServices&)>
int32_t ItemSceneBody(const ITEMSTEP& step) {
    Body(step.taker, step.cmd, step.world, step.services);
    return 0;
}

int32_t ItemEmpty(const ITEMSTEP& /*step*/) { return 0; }

int32_t ItemStageClear(const ITEMSTEP& step) {
    // The item runner hands over its own copy of the stored command; the
    // path form rewrites that copy's text only.
    return StageClear(step.taker, const_cast<cFlowCmd&>(step.cmd), step.world);
}

// An item executor that runs a body with the taker, the command and the rest
// of the arguments that follow; it ends nothing (0).
#define QV_ITEM_BODY(proc, body, ...) \
    int32_t proc(const ITEMSTEP& step) { \
        body(step.taker, step.cmd __VA_OPT__(, ) __VA_ARGS__); \
        return 0; \
    }
// Item commands show their messages with no flow to hold.
QV_ITEM_BODY(ItemMessage, ShowMessage, 0, step.world, step.services)
QV_ITEM_BODY(ItemWarp, Warp, step.flow, step.world)
QV_ITEM_BODY(ItemSetTarget, SetTarget, step.world)
QV_ITEM_BODY(ItemVanish, Vanish, step.world)
QV_ITEM_BODY(ItemGetItem, GetItem, step.flow, step.world, step.services)
QV_ITEM_BODY(ItemRunAnime, RunAnime, step.flow)
QV_ITEM_BODY(ItemPlayBgm, PlayBgm, step.services)
QV_ITEM_BODY(ItemArrange, Arrange, nullptr, step.world)
QV_ITEM_BODY(ItemRunCode, RunCode, step.world, step.services)
#undef QV_ITEM_BODY

}  // namespace

ITEMCMDPROC ItemCmdProcTable[ITEM_CMD_NUM] = {
    ItemEmpty,                        // 0  (none)
    ChangeFlowsItemProc,              // 1  フローの変更
    ItemStageClear,                   // 2  ステージクリア
    ItemSceneBody<GameWait>,          // 3  ゲームウエイト
    ItemMessage,                      // 4  メッセージ
    ItemWarp,                         // 5  ワープ
    ItemSetTarget,                    // 6  ターゲットの設定
    ItemSceneBody<StatusOperation>,   // 7  ステータスの操作
    ItemSceneBody<StatusOperation2>,  // 8  ステータスの操作2
    ItemVanish,                       // 9  消滅
    ItemGetItem,                      // 10 アイテムの取得
    ItemBody<ChangeGraphic>,          // 11 グラフィックの変更
    ItemBody<ChangeAnimeSet>,         // 12 基本アニメセットの変更
    ItemRunAnime,                     // 13 アニメの実行
    ItemSceneBody<RunEffect>,         // 14 エフェクトの実行
    ItemBody<RunCharaEffect>,         // 15 キャラエフェクトの実行
    ItemSceneBody<RunScreenEffect>,   // 16 画面エフェクトの実行
    ItemSceneBody<ShowPicture>,       // 17 ピクチャーの表示
    ItemSceneBody<ChangeScreenColor>, // 18 画面の色を変更
    ItemBody<ChangeBackground>,       // 19 背景の変更
    ItemBody<PlaySound>,              // 20 効果音の再生
    ItemPlayBgm,                      // 21 BGMの再生
    ItemRunCode,                      // 22 コードの実行
    ItemArrange,                      // 23 アレンジ
    ItemEmpty,                        // 24 ループ (unrolled before the list runs)
};
