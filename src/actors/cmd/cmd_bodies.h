#pragma once
// The bodies of the flow-control, game, status and presentation commands
// that the item commands share with their executors (cmd_exec.h).
#include <cstdint>
#include <string>

#include "actors/cmd/cmd_exec.h"

class cChara;
class cFlowCmd;
class cFlowRun;
class cFlowCmdRun;
class cWorldState;
class cSceneServices;

// What a character summoned (SUMMONED::nKind): characters and items.
constexpr int32_t SUMMONED_KIND_CHARA = 4;
constexpr int32_t SUMMONED_KIND_ITEM = 2;
// Levels of summoned characters a vanish reaches.
constexpr int32_t VANISH_DEPTH_MAX = 1000;

// --- command bodies shared with the item commands (character, stored
// command, and what they need of the step: the world they play in, null
// when there is none, and the scene's services) ---
// ステージクリア: the next-stage request and the next stage's start; 1.
int32_t StageClear(cChara& chara, cFlowCmd& cmd, cWorldState* world);
// ゲームウエイト: the game thread waits parameter 0 tenths of a second while
// the play screen keeps being drawn.
void GameWait(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
// メッセージ: opens the message window of the command; with its wait switch
// the game thread waits until the window's display end.
void ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag, cWorldState* world,
                 cSceneServices& services);
// ワープ: moves the character at once by the command's move setting (its
// input direction: the one held when lpFlow started).
void Warp(cChara& chara, const cFlowCmd& cmd, const cFlowRun* lpFlow, cWorldState* world);
// ステータスの操作 and ステータスの操作2.
void StatusOperation(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
void StatusOperation2(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
// 消滅: parameter 0 = mode (0 a character group, 1 an item group, 2..5 what
// the character summoned), 1 = the group, 2 = off-screen objects too.
void Vanish(cChara& chara, const cFlowCmd& cmd, cWorldState* world);
// The characters `parent` summoned vanish, theirs first (bItemsToo: with
// the items each of them summoned); at most VANISH_DEPTH_MAX levels deep.
void VanishChildren(cChara& parent, const cChara& runner, int32_t depth, bool bItemsToo, cWorldState* world);
// The items `parent` summoned are asked to go.
void RemoveChildItems(cChara& parent, cWorldState* world);
// アイテムの取得: player 0 runs the commands of item parameter 1 of the
// common (parameter 0 = 0) or stage (1) palette, taken in flow lpFlow.
void GetItem(cChara& chara, const cFlowCmd& cmd, const cFlowRun* lpFlow, cWorldState* world,
             cSceneServices& services);
void ChangeGraphic(cChara& chara, const cFlowCmd& cmd);
void ChangeAnimeSet(cChara& chara, const cFlowCmd& cmd);
// アニメの実行: an overlay animation, tied to flow lpFlow (none: null).
void RunAnime(cChara& chara, const cFlowCmd& cmd, const cFlowRun* lpFlow);
void RunEffect(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
void RunCharaEffect(cChara& chara, const cFlowCmd& cmd);
void RunScreenEffect(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
void ShowPicture(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
void ChangeScreenColor(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
void ChangeBackground(cChara& chara, const cFlowCmd& cmd);
void PlaySound(cChara& chara, const cFlowCmd& cmd);
void PlayBgm(cChara& chara, const cFlowCmd& cmd, cSceneServices& services);
// コードの実行: the command's text in the expression language for the character; 1 on success.
int RunCode(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services);
// アレンジ: the parameters a later command of flow lpFlow takes (an item
// command's: of the hero's next item command).
void Arrange(cChara& chara, const cFlowCmd& cmd, cFlowRun* lpFlow, cWorldState* world);

// The wait of a display end: 0 the confirm key, 2 the frames; false for 1
// (until the stage ends), when no wait is set.
bool SetDisplayEndWait(int32_t end, int32_t frames);
// The top-left in stage dots of a w × h rectangle placed in `world` by mode
// 0..4 (screen centre, the character, player 0, a screen cell, a scroll
// cell); false for other modes.
bool PlaceByMode(int32_t mode, int32_t w, int32_t h, int32_t cellX, int32_t cellY, int32_t offX, int32_t offY,
                 const cChara& chara, cWorldState& world, double& x, double& y);
// Stores the music option and asks the main window for stage music n.
void RequestStageBgm(int32_t n, int32_t option);
