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
#include "world/world_state.h"

class cChara;
class cFlowRun;
class cFlowCmdRun;

// One step of a command of `flow` in `world` (cFlowCmdRun::Step): runs the
// executor of its code (a code outside the table does nothing), then counts
// the counter down. 1 when the command is over (counter 0).
int32_t RunFlowCmdFrame(cChara& chara, cFlowRun& flow, cFlowCmdRun& state, cWorldState* world);

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
void StraightMoveProc(const FLOWSTEP& step);                     // 2
void GroundTurnMoveProc(const FLOWSTEP& step);                   // 3
// The whole step of 3, every case on one path; GroundTurnMoveProc takes the
// usual one in line and gives the rest to this.
void GroundTurnMoveStep(cChara& chara, cFlowCmdRun& state, const cWorldState* world);
void CircleMoveProc(const FLOWSTEP& step);                       // 4
void ChargeMoveProc(const FLOWSTEP& step);                       // 5
void HomingMoveProc(const FLOWSTEP& step);                       // 6
void AvoidOffscreenMoveProc(const FLOWSTEP& step);               // 7
void CancelMoveProc(const FLOWSTEP& step);                       // 8
void TurnProc(const FLOWSTEP& step);                             // 9
void JumpProc(const FLOWSTEP& step);                             // 10
void ShotProc(const FLOWSTEP& step);                             // 11
void SwordProc(const FLOWSTEP& step);                            // 12
void SummonBlockProc(const FLOWSTEP& step);                      // 13
void SummonCharaProc(const FLOWSTEP& step);                      // 14
void SummonItemProc(const FLOWSTEP& step);                       // 15
void FlowOperationProc(const FLOWSTEP& step);                    // 16
void StageClearProc(const FLOWSTEP& step);                       // 17
void GameWaitProc(const FLOWSTEP& step);                         // 18
void MessageProc(const FLOWSTEP& step);                          // 19
void WarpProc(const FLOWSTEP& step);                             // 20
void SetTargetProc(const FLOWSTEP& step);                        // 21
void StatusOperationProc(const FLOWSTEP& step);                  // 22
void StatusOperation2Proc(const FLOWSTEP& step);                 // 23
void VanishProc(const FLOWSTEP& step);                           // 24
void GetItemProc(const FLOWSTEP& step);                          // 25
void ChangeGraphicProc(const FLOWSTEP& step);                    // 26
void ChangeAnimeSetProc(const FLOWSTEP& step);                   // 27
void RunAnimeProc(const FLOWSTEP& step);                         // 28
void RunEffectProc(const FLOWSTEP& step);                        // 29
void RunCharaEffectProc(const FLOWSTEP& step);                   // 30
void RunScreenEffectProc(const FLOWSTEP& step);                  // 31
void ShowPictureProc(const FLOWSTEP& step);                      // 32
void ChangeScreenColorProc(const FLOWSTEP& step);                // 33
void ChangeBackgroundProc(const FLOWSTEP& step);                 // 34
void PlaySoundProc(const FLOWSTEP& step);                        // 35
void PlayBgmProc(const FLOWSTEP& step);                          // 36
void RunCodeProc(const FLOWSTEP& step);                          // 37
void ArrangeProc(const FLOWSTEP& step);                          // 38
void LoopProc(const FLOWSTEP& step);                             // 39

// --- command bodies shared with the item commands (character, stored command) ---
// ターゲットの設定: points a target slot at the character the command chooses.
int32_t SetTarget(cChara& chara, const cFlowCmd& cmd, cWorldState* world);
// Sets slot 0..3 of `chara` to lpNew, keeping the back-links in step. With
// bClearFirst the slot is emptied first (and stays empty when lpNew is null);
// without it a null lpNew leaves the slot as it is.
void SetTargetSlot(cChara& chara, int32_t slot, cChara* lpNew, bool bClearFirst);
