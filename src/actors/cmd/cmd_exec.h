#pragma once
// The executors of the character commands: one plain function per command
// code, run once per logic step while the command is current, and the
// command bodies that the item commands share with them.
//
// An executor works on the running character and its command state; a
// command ends when the state's counter reaches 0 (RunFlowCmdFrame).
#include <cstdint>

#include "actors/flow_exec.h"
#include "stage/code_table.h"
#include "stage/flow_cmd.h"

class cChara;
class cFlowCmdRun;

// One step of a command (cFlowCmdRun::Step): publishes the state as the
// scene's current one, runs the executor of its code (a code outside the
// table does nothing), then counts the counter down. 1 when the command is
// over (counter 0).
int32_t RunFlowCmdFrame(cChara& chara, cFlowCmdRun& state);

// The integer parameter `index` of a command; a missing one reads as 0.
// Inline: the executors read their parameters on every step.
inline int32_t CmdParam(const cFlowCmd& cmd, int index) {
    return index >= 0 && index < static_cast<int>(cmd.vParam.size()) ? cmd.vParam.data()[index] : 0;
}

// The shot, summon and direction-change rule: the per-step counter is 0 on
// an acting step; it counts up and wraps at the frame multiplier (6v).
bool CmdActingStep(cFlowCmdRun& state);

// --- executors, by code ---
// 0, 1: none (the wait runs nothing and ends by its length)
void StraightMoveProc(cChara& chara, cFlowCmdRun& state);        // 2
void GroundTurnMoveProc(cChara& chara, cFlowCmdRun& state);      // 3
// The whole step of 3, every case on one path; GroundTurnMoveProc takes the
// usual one in line and gives the rest to this.
void GroundTurnMoveStep(cChara& chara, cFlowCmdRun& state);
void CircleMoveProc(cChara& chara, cFlowCmdRun& state);          // 4
void ChargeMoveProc(cChara& chara, cFlowCmdRun& state);          // 5
void HomingMoveProc(cChara& chara, cFlowCmdRun& state);          // 6
void AvoidOffscreenMoveProc(cChara& chara, cFlowCmdRun& state);  // 7
void CancelMoveProc(cChara& chara, cFlowCmdRun& state);          // 8
void TurnProc(cChara& chara, cFlowCmdRun& state);                // 9
void JumpProc(cChara& chara, cFlowCmdRun& state);                // 10
void ShotProc(cChara& chara, cFlowCmdRun& state);                // 11
void SwordProc(cChara& chara, cFlowCmdRun& state);               // 12
void SummonBlockProc(cChara& chara, cFlowCmdRun& state);         // 13
void SummonCharaProc(cChara& chara, cFlowCmdRun& state);         // 14
void SummonItemProc(cChara& chara, cFlowCmdRun& state);          // 15
void FlowOperationProc(cChara& chara, cFlowCmdRun& state);       // 16
void StageClearProc(cChara& chara, cFlowCmdRun& state);          // 17
void GameWaitProc(cChara& chara, cFlowCmdRun& state);            // 18
void MessageProc(cChara& chara, cFlowCmdRun& state);             // 19
void WarpProc(cChara& chara, cFlowCmdRun& state);                // 20
void SetTargetProc(cChara& chara, cFlowCmdRun& state);           // 21
void StatusOperationProc(cChara& chara, cFlowCmdRun& state);     // 22
void StatusOperation2Proc(cChara& chara, cFlowCmdRun& state);    // 23
void VanishProc(cChara& chara, cFlowCmdRun& state);              // 24
void GetItemProc(cChara& chara, cFlowCmdRun& state);             // 25
void ChangeGraphicProc(cChara& chara, cFlowCmdRun& state);       // 26
void ChangeAnimeSetProc(cChara& chara, cFlowCmdRun& state);      // 27
void RunAnimeProc(cChara& chara, cFlowCmdRun& state);            // 28
void RunEffectProc(cChara& chara, cFlowCmdRun& state);           // 29
void RunCharaEffectProc(cChara& chara, cFlowCmdRun& state);      // 30
void RunScreenEffectProc(cChara& chara, cFlowCmdRun& state);     // 31
void ShowPictureProc(cChara& chara, cFlowCmdRun& state);         // 32
void ChangeScreenColorProc(cChara& chara, cFlowCmdRun& state);   // 33
void ChangeBackgroundProc(cChara& chara, cFlowCmdRun& state);    // 34
void PlaySoundProc(cChara& chara, cFlowCmdRun& state);           // 35
void PlayBgmProc(cChara& chara, cFlowCmdRun& state);             // 36
void RunCodeProc(cChara& chara, cFlowCmdRun& state);             // 37
void ArrangeProc(cChara& chara, cFlowCmdRun& state);             // 38
void LoopProc(cChara& chara, cFlowCmdRun& state);                // 39

// --- command bodies shared with the item commands (character, stored command) ---
// ターゲットの設定: points a target slot at the character the command chooses.
int32_t SetTarget(cChara& chara, const cFlowCmd& cmd);
// Sets slot 0..3 of `chara` to lpNew, keeping the back-links in step. With
// bClearFirst the slot is emptied first (and stays empty when lpNew is null);
// without it a null lpNew leaves the slot as it is.
void SetTargetSlot(cChara& chara, int32_t slot, cChara* lpNew, bool bClearFirst);
