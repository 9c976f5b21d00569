#pragma once
// The command executors of ショット (11), ソード (12), ブロック召喚 (13),
// キャラ召喚 (14) and アイテム召喚 (15), and the summon bodies.
//
#include <cstdint>

class cChara;
class cFlowRun;
class cFlowCmdRun;
class cEdShot;
class cWorldState;
struct FLOWSTEP;

// Shots and summons act on every step whose per-step counter is 0; the
// counter wraps at the frame multiplier (6v). The sword acts once per run.
void ShotProc(const FLOWSTEP& step);
void SwordProc(const FLOWSTEP& step);
void SummonBlockProc(const FLOWSTEP& step);
void SummonCharaProc(const FLOWSTEP& step);
void SummonItemProc(const FLOWSTEP& step);


// The summon bodies: one volley of the settings' formation, each position
// made into a block, character or item of the chosen palette record. A
// record index outside its list (or a hero record for characters) summons
// nothing, and so does a summon with no world.
void SummonBlockCmd(cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world);
void SummonCharaCmd(cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world);
void SummonItemCmd(cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world);

// The play sound of an acting step, shared by the five executors.
void PlayCmdSound(cChara& chara, const cFlowCmdRun& state);
