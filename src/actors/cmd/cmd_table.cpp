// The executor table of the character commands and the frame every command
// shares.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

FLOWCMDPROC FlowCmdProcTable[FLOW_CMD_PROC_SLOTS] = {
    nullptr,                // 0  (none): lasts its length, runs nothing
    nullptr,                // 1  ウエイト: the same
    StraightMoveProc,       // 2  直線移動
    GroundTurnMoveProc,     // 3  地上折り返し移動
    CircleMoveProc,         // 4  円移動
    ChargeMoveProc,         // 5  突撃移動
    HomingMoveProc,         // 6  誘導移動
    AvoidOffscreenMoveProc, // 7  画面外回避移動
    CancelMoveProc,         // 8  移動の無効化
    TurnProc,               // 9  向き変更
    JumpProc,               // 10 ジャンプ
    ShotProc,               // 11 ショット
    SwordProc,              // 12 ソード
    SummonBlockProc,        // 13 ブロック召喚
    SummonCharaProc,        // 14 キャラ召喚
    SummonItemProc,         // 15 アイテム召喚
    FlowOperationProc,      // 16 フローの操作
    StageClearProc,         // 17 ステージクリア
    GameWaitProc,           // 18 ゲームウエイト
    MessageProc,            // 19 メッセージ
    WarpProc,               // 20 ワープ
    SetTargetProc,          // 21 ターゲットの設定
    StatusOperationProc,    // 22 ステータスの操作
    StatusOperation2Proc,   // 23 ステータスの操作2
    VanishProc,             // 24 消滅
    GetItemProc,            // 25 アイテムの取得
    ChangeGraphicProc,      // 26 グラフィックの変更
    ChangeAnimeSetProc,     // 27 基本アニメセットの変更
    RunAnimeProc,           // 28 アニメの実行
    RunEffectProc,          // 29 エフェクトの実行
    RunCharaEffectProc,     // 30 キャラエフェクトの実行
    RunScreenEffectProc,    // 31 画面エフェクトの実行
    ShowPictureProc,        // 32 ピクチャーの表示
    ChangeScreenColorProc,  // 33 画面の色を変更
    ChangeBackgroundProc,   // 34 背景の変更
    PlaySoundProc,          // 35 効果音の再生
    PlayBgmProc,            // 36 BGMの再生
    RunCodeProc,            // 37 コードの実行
    ArrangeProc,            // 38 アレンジ
    LoopProc,               // 39 ループ
};

int32_t RunFlowCmdFrame(cChara& chara, cFlowRun& flow, cFlowCmdRun& state, cWorldState* world) {
    return state.Step(chara, flow, world);
}

bool CmdActingStep(cFlowCmdRun& state) {
    const bool bActs = state.nStepCounter == 0;
    if (++state.nStepCounter >= FrameMultiplier()) state.nStepCounter = 0;
    return bActs;
}
