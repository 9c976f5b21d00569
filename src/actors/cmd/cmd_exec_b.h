#pragma once
// The executors of the flow-control, game, status and presentation
// commands, and the command bodies that the item commands share with them.
// An executor runs once per logic step while its command is current; the
// command ends when the state's counter reaches 0.
#include <cstdint>
#include <string>

class cChara;
class cFlowCmd;
class cFlowCmdRun;

// The integer parameter `index` of a command; a missing one reads as 0.
int32_t CmdParam(const cFlowCmd& cmd, int index);

// --- executors, by code ---
void FlowOperationProc(cChara& chara, cFlowCmdRun& state);       // 16
void StageClearProc(cChara& chara, cFlowCmdRun& state);          // 17
void GameWaitProc(cChara& chara, cFlowCmdRun& state);            // 18
void MessageProc(cChara& chara, cFlowCmdRun& state);             // 19
void WarpProc(cChara& chara, cFlowCmdRun& state);                // 20
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
// ステージクリア: the next-stage request and the next stage's start; 1.
int32_t StageClear(cChara& chara, cFlowCmd& cmd);
// ゲームウエイト: the game thread waits parameter 0 tenths of a second while
// the play screen keeps being drawn.
void GameWait(cChara& chara, const cFlowCmd& cmd);
// メッセージ: opens the message window of the command; with its wait switch
// the game thread waits until the window's display end.
void ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag);
// ワープ: moves the character at once by the command's move setting.
void Warp(cChara& chara, const cFlowCmd& cmd);
// ステータスの操作 and ステータスの操作2.
void StatusOperation(cChara& chara, const cFlowCmd& cmd);
void StatusOperation2(cChara& chara, const cFlowCmd& cmd);
void Vanish(cChara& chara, const cFlowCmd& cmd);
void GetItem(cChara& chara, const cFlowCmd& cmd);
void ChangeGraphic(cChara& chara, const cFlowCmd& cmd);
void ChangeAnimeSet(cChara& chara, const cFlowCmd& cmd);
void RunAnime(cChara& chara, const cFlowCmd& cmd);
void RunEffect(cChara& chara, const cFlowCmd& cmd);
void RunCharaEffect(cChara& chara, const cFlowCmd& cmd);
void RunScreenEffect(cChara& chara, const cFlowCmd& cmd);
void ShowPicture(cChara& chara, const cFlowCmd& cmd);
void ChangeScreenColor(cChara& chara, const cFlowCmd& cmd);
void ChangeBackground(cChara& chara, const cFlowCmd& cmd);
void PlaySound(cChara& chara, const cFlowCmd& cmd);
void PlayBgm(cChara& chara, const cFlowCmd& cmd);
// コードの実行: the command's text in the expression language for the character; 1 on success.
int RunCode(cChara& chara, const cFlowCmd& cmd);
void Arrange(cChara& chara, const cFlowCmd& cmd);

// The top-left in stage dots of a w × h rectangle placed by mode 0..4 (screen
// centre, the character, player 0, a screen cell, a scroll cell); false for
// other modes.
bool PlaceByMode(int32_t mode, int32_t w, int32_t h, int32_t cellX, int32_t cellY, int32_t offX, int32_t offY,
                 const cChara& chara, double& x, double& y);
// Stores the music option and asks the main window for stage music n.
void RequestStageBgm(int32_t n, int32_t option);
// Runs the wait set in the play scene's wait fields while the play screen
// keeps being drawn; the game thread is held until it ends.
void RunCmdPauseWait();
// Installs what runs that wait (null: nothing; the wait values stay set).
void SetCmdPauseWait(void (*proc)());
