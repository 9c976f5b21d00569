// The executor table of the character commands and the frame every command
// shares.
#include "actors/chara.h"
#include "actors/cmd/cmd_exec.h"
#include "actors/cmd/cmd_move.h"
#include "actors/flow_run.h"
#include "stage/flow_cmd.h"
#include "world/world_state.h"

FLOWCMDDEF FlowCmdTable[FLOW_CMD_PROC_SLOTS] = {
    {nullptr, CMDREACH_SELF},                  // 0  (none): lasts its length, runs nothing
    {nullptr, CMDREACH_SELF},                  // 1  ウエイト: the same
    {StraightMoveProc, CMDREACH_SELF},         // 2  直線移動
    {GroundTurnMoveProc, CMDREACH_SELF},       // 3  地上折り返し移動
    {CircleMoveProc, CMDREACH_OTHERS},         // 4  円移動
    {ChargeMoveProc, CMDREACH_OTHERS},         // 5  突撃移動
    {HomingMoveProc, CMDREACH_OTHERS},         // 6  誘導移動
    {AvoidOffscreenMoveProc, CMDREACH_OTHERS}, // 7  画面外回避移動
    {CancelMoveProc, CMDREACH_OTHERS},         // 8  移動の無効化
    {TurnProc, CMDREACH_SELF},                 // 9  向き変更
    {JumpProc, CMDREACH_SELF},                 // 10 ジャンプ
    {ShotProc, CMDREACH_SELF},                 // 11 ショット
    {SwordProc, CMDREACH_SELF},                // 12 ソード
    {SummonBlockProc, CMDREACH_OTHERS},        // 13 ブロック召喚
    {SummonCharaProc, CMDREACH_OTHERS},        // 14 キャラ召喚
    {SummonItemProc, CMDREACH_OTHERS},         // 15 アイテム召喚
    {FlowOperationProc, CMDREACH_OTHERS},      // 16 フローの操作
    {StageClearProc, CMDREACH_OTHERS},         // 17 ステージクリア
    {GameWaitProc, CMDREACH_OTHERS},           // 18 ゲームウエイト
    {MessageProc, CMDREACH_OTHERS},            // 19 メッセージ
    {WarpProc, CMDREACH_OTHERS},               // 20 ワープ
    {SetTargetProc, CMDREACH_OTHERS},          // 21 ターゲットの設定
    {StatusOperationProc, CMDREACH_OTHERS},    // 22 ステータスの操作
    {StatusOperation2Proc, CMDREACH_OTHERS},   // 23 ステータスの操作2
    {VanishProc, CMDREACH_OTHERS},             // 24 消滅
    {GetItemProc, CMDREACH_OTHERS},            // 25 アイテムの取得
    {ChangeGraphicProc, CMDREACH_OTHERS},      // 26 グラフィックの変更
    {ChangeAnimeSetProc, CMDREACH_OTHERS},     // 27 基本アニメセットの変更
    {RunAnimeProc, CMDREACH_OTHERS},           // 28 アニメの実行
    {RunEffectProc, CMDREACH_OTHERS},          // 29 エフェクトの実行
    {RunCharaEffectProc, CMDREACH_OTHERS},     // 30 キャラエフェクトの実行
    {RunScreenEffectProc, CMDREACH_OTHERS},    // 31 画面エフェクトの実行
    {ShowPictureProc, CMDREACH_OTHERS},        // 32 ピクチャーの表示
    {ChangeScreenColorProc, CMDREACH_OTHERS},  // 33 画面の色を変更
    {ChangeBackgroundProc, CMDREACH_OTHERS},   // 34 背景の変更
    {PlaySoundProc, CMDREACH_OTHERS},          // 35 効果音の再生
    {PlayBgmProc, CMDREACH_OTHERS},            // 36 BGMの再生
    {RunCodeProc, CMDREACH_OTHERS},            // 37 コードの実行
    {ArrangeProc, CMDREACH_OTHERS},            // 38 アレンジ
    {LoopProc, CMDREACH_OTHERS},               // 39 ループ
};

int32_t RunFlowCmdFrame(cChara& chara, cFlowRun& flow, cFlowCmdRun& state, cWorldState* world) {
    return state.Step(chara, flow, world);
}

bool CmdActingStep(cFlowCmdRun& state) {
    const bool bActs = state.nStepCounter == 0;
    if (++state.nStepCounter >= FrameMultiplier()) state.nStepCounter = 0;
    return bActs;
}
