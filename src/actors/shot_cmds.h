#pragma once
// The command executors of ショット (11), ソード (12), ブロック召喚 (13),
// キャラ召喚 (14) and アイテム召喚 (15), and the summon bodies.
//
// Each executor comes in two forms: the step on a character and its
// command state, and the parameterless form that runs the play scene's
// current character and command state (nothing when either is missing).
#include <cstdint>

class cChara;
class cFlowCmdRun;
class cEdShot;

// Shots and summons act on every step whose per-step counter is 0; the
// counter wraps at the frame multiplier (6v). The sword acts once per run.
void ShotCmdStep(cChara& chara, cFlowCmdRun& state);
void SwordCmdStep(cChara& chara, cFlowCmdRun& state);
void SummonBlockCmdStep(cChara& chara, cFlowCmdRun& state);
void SummonCharaCmdStep(cChara& chara, cFlowCmdRun& state);
void SummonItemCmdStep(cChara& chara, cFlowCmdRun& state);

int ShotProc();
int SwordProc();
int SummonBlockProc();
int SummonCharaProc();
int SummonItemProc();

// The summon bodies: one volley of the settings' formation, each position
// made into a block, character or item of the chosen palette record. A
// record index outside its list (or a hero record for characters) summons
// nothing.
void SummonBlockCmd(cChara& chara, cFlowCmdRun* lpState, const cEdShot& settings);
void SummonCharaCmd(cChara& chara, cFlowCmdRun* lpState, const cEdShot& settings);
void SummonItemCmd(cChara& chara, cFlowCmdRun* lpState, const cEdShot& settings);

// The play sound of an acting step and the acting-step rule shared by the
// five executors (internal to them).
void PlayCmdSound(cChara& chara, const cFlowCmdRun& state);
bool IsActingStep(cFlowCmdRun& state, bool bWrap);
