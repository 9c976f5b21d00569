#pragma once
// What the characters ask of the scene they play in: trigger starts and the
// hand-over of items, the run's score, lives and common variables, pause
// waits, summons, messages, effects, pictures, the screen colour change,
// music and the frame rate. The play scene implements it and installs it
// while it exists; a test may install a whole other set (a fake) and put the
// previous one back. With none installed, services that do nothing are in use.
#include <cstdint>

#include "records/safe_container.h"

class cChara;
class cItem;
class cFlowCmd;
class cBlockData;
class cCharaData;
class cItemData;

// What the summon command passes on to a creation.
struct SUMMONSETTINGS {
    int32_t bLifeTime = 0;       // the object lives nTime tenths of a second
    int32_t nTime = 0;
    int32_t bNoScore = 0;        // the summoned character's score (#48) becomes 0
    uint8_t bySetting1 = 0;      // two bytes stored in the summoned character
    uint8_t bySetting2 = 0;
    int32_t nBlockMode = 0;      // blocks: 0 put, 1 erase, 2 toggle
    int32_t bProtectPlayer = 0;  // a block is not put where it would crush a player
    int32_t bProtectChara = 0;   // ... or a stage character
};

// A rectangle in stage dots, edges inclusive.
struct EFFECTRECT {
    double dLeft = 0, dTop = 0, dRight = 0, dBottom = 0;
};

class cSceneServices {
public:
    virtual ~cSceneServices() = default;

    // --- flows and items ---
    // Starts chara's idle flows of `trigger` with a partner and a flow-id
    // filter (0: every flow).
    virtual void StartTrigger(cChara& chara, int32_t trigger, cChara* lpPartner, int32_t filter) = 0;
    // Player 0 takes `item`: 0, 1 (the stage ends) or 2 (the hero dies).
    virtual int32_t TakeItem(cItem& item) = 0;

    // --- the run's record ---
    virtual int32_t& RunScore() = 0;
    virtual int32_t& RunLives() = 0;
    // The common variables C0..C1000.
    virtual cSafeVector<int32_t>& CommonVars() = 0;

    // --- pause waits ---
    // The wait the pause thread runs next: the end sound, the delay before
    // a button counts, a button wait, the frames of a timed wait.
    virtual void SetWait(int32_t sound, int32_t delay, int32_t button, int32_t frames) = 0;
    // Holds the game thread while the pause thread shows the wait (a timed
    // wait, a button wait, a message that waits).
    virtual void PauseWait() = 0;
    // The program is closing: presentations are no longer started.
    virtual bool Quitting() = 0;

    // --- summons (ids from the world state's counters) ---
    virtual void SummonBlock(double x, double y, const cBlockData& record, const SUMMONSETTINGS& settings) = 0;
    virtual void SummonChara(double x, double y, const SUMMONSETTINGS& settings, const cCharaData& record,
                             uint8_t facing, uint8_t side, cChara* lpSummoner) = 0;
    virtual void SummonItem(double x, double y, const SUMMONSETTINGS& settings, const cItemData& record) = 0;

    // --- messages ---
    // The message command of `chara` (flowFlag: the flow's message-wait switch).
    virtual void ShowMessage(cChara& chara, const cFlowCmd& cmd, int32_t flowFlag) = 0;
    // A wait of `frames` shown as a wait message.
    virtual void GameWait(int32_t frames) = 0;
    // The icon of a picked-up item above the character charaId.
    virtual void ShowItemIcon(int32_t iconKind, int32_t iconFrame, int32_t iconExtra, int32_t charaId) = 0;

    // --- effects, pictures, screen colour ---
    virtual void AddEffect(int16_t id, double x, double y, int32_t w, int32_t h, bool bWait) = 0;
    virtual void AddHitEffect(int16_t kind, const EFFECTRECT& victim, const EFFECTRECT& attacker, int8_t scale) = 0;
    virtual void StartScreenEffect(uint16_t id, int32_t param1, int32_t param2) = 0;
    // The picture command (anchorId: the character a placement follows, 0 none).
    virtual void ShowPicture(const cFlowCmd& cmd, int32_t anchorId) = 0;
    // The screen colour change of eight parameters.
    virtual void StartColorChange(const int32_t* params) = 0;

    // --- music and timing ---
    virtual void RequestStageBgm(int32_t n, int32_t option) = 0;
    // Frames per second of the scene manager (0: not set).
    virtual int32_t FrameRate() = 0;
};

// The services in use.
cSceneServices& SceneServices();
// Installs `lpServices` (null: the ones that do nothing); the set in use before.
cSceneServices* SetSceneServices(cSceneServices* lpServices);
