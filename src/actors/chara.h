#pragma once
// A character of a stage: the player's characters (cPlayer) and the stage
// characters (cStageChara). Adds to the game object its own copy of its
// definition record, statuses, targets, flows, motion and contact state,
// gauges, invincibility, overlay animations and death effect.
//
// Characters are values: a copy owns copies of the definition and the
// overlay animations and never refers into its source; the flow definitions
// are shared read-only (a character that writes them takes its own copy
// first); the target slots and back-links are copied as plain values (the
// targets keep naming the source only). bTempCopy is never copied.
#include <cstdint>
#include <unordered_map>

#include "actors/chara_effect_run.h"
#include "actors/flow_defs.h"
#include "actors/flow_run.h"
#include "records/safe_container.h"
#include "stage/chara_data.h"
#include "world/anime_cursor.h"
#include "world/game_object.h"

class cBlockCell;
class cEdCond;
class cFlow;
class cInput;
class cItem;
class cAttack;
class cWorldState;
struct CHARADRAW;

// Target slots of a character: tg1..tg4 = 0..3, the summoner tg = 4.
constexpr int TARGET_SLOT_NUM = 4;
constexpr int TARGET_SLOT_SUMMONER = 4;
// Flow groups: 0 none, 1..26 = A..Z.
constexpr int FLOW_GROUP_NUM = 27;
constexpr int CHARA_VAR_NUM = 9;
// Frames a gauge stays shown after a change.
constexpr int GAUGE_SHOW_FRAMES = 120;
// The change strip of a gauge shrinks away while this many frames or more are left.
constexpr int GAUGE_FADE_FRAMES = 60;
// Width in dots of a full gauge.
constexpr int GAUGE_WIDTH = 50;

// A character that holds this one in a target slot.
struct TARGETLINK {
    class cChara* lpChara = nullptr;
    int32_t nSlot = 0;  // 0..3 tg1..tg4, 4 tg
    bool operator==(const TARGETLINK&) const = default;
};

// An object a character summoned: its kind (4 = a character) and object id.
struct SUMMONED {
    int32_t nKind = 0;
    int32_t nId = 0;
};

// The HP or SP gauge shown above a character after a change: the fill at
// the new value's width and a strip for the change, which shrinks away.
struct GAUGE {
    int32_t nTimer = 0;     // frames left to show
    double dChange = 0;     // the change in dots: the delta's share of the full width, signed as the delta
    double dStep = 0;       // what the change shrinks by each frame
    int32_t nFill = 0;      // fill width in dots, 0..GAUGE_WIDTH
};
// Shows a gauge for a change of delta that left value of max (max above 0).
void StartGauge(GAUGE& g, int32_t value, int32_t delta, int32_t max);

// Invincibility against one attacker.
struct INVINCIBLEFROM {
    int32_t nAttackerId = 0;
    int32_t nFrames = 0;
};

// An animation drawn over the character (started by a flow or a command).
struct OVERLAYANIME {
    cAnimeCursor Cursor;
    int32_t bOverride = 0;   // replaces the main animation while it runs
    int32_t nRemain = 0;     // frames left
    int32_t nHoldRemain = 0; // hold extension, read when the flow's animations end
    int32_t nFlowUid = 0;    // uid of the flow that started it
    int32_t bHeld = 0;

    // Flow operation
    int32_t bPaused = 0;     // its flow is paused: the animation holds
};

class cChara : public cGameObject {
public:
    // Empty vectors and lists, the record cleared, every pointer null.
    cChara();
    // A new character (bTempCopy 0) given the source's values (operator=).
    cChara(const cChara& src);
    // Clears the target links unless this is a temporary copy.
    ~cChara() override;

    // --- virtual operations after those of cGameObject, in slot order ---
    // Moves Y by the change of scale so that the character stays on its
    // ground, then FixAfterMoveY.
    void AdjustYOnScale(int32_t newScale, int32_t oldScale, cWorldState* world) override;
    // Centring: the centre of the screen rectangle moves to x (y); the world
    // position moves by the difference (the screen rectangle is not
    // recomputed), then the after-move fix-up; its result.
    int32_t SetPos(int32_t x, int32_t y, cWorldState* world) override;
    void SetPosByCentre(int32_t x, int32_t y, cFlowCmdRun* lpState, cWorldState* world) override;
    int32_t SetX(int32_t x, cWorldState* world) override;
    void SetXByCentre(int32_t x, cFlowCmdRun* lpState, cWorldState* world) override;
    int32_t SetY(int32_t y, cWorldState* world) override;
    void SetYByCentre(int32_t y, cFlowCmdRun* lpState, cWorldState* world) override;
    // The character copy: the base part, every character member but
    // bTempCopy, then the flows through AssignFlows.
    virtual cChara& operator=(const cChara& src);
    // The item the character hands to player 0 when it dies (none here).
    virtual cItem* CarriedItem() { return nullptr; }
    // After-move fix-ups, move steps, the per-frame update and the jump step
    // of the derived classes; 0 / nothing here.
    // `world` is the world the character moves in (null: none).
    virtual int32_t FixAfterMoveX(cWorldState* /*world*/) { return 0; }
    virtual int32_t FixAfterMoveY(cWorldState* /*world*/) { return 0; }
    virtual int32_t MoveStepX(cWorldState* /*world*/) { return 0; }
    virtual int32_t FallStep(cWorldState* /*world*/) { return 0; }
    virtual int32_t Update(int32_t /*bDying*/, cWorldState* /*world*/) { return 0; }
    virtual void JumpStep(cFlowCmdRun& /*state*/, const cFlowRun* /*lpFlow*/) {}

    // --- set-up ---
    // Targets, groups, motion, gauges and variables reset; with a record:
    // its copy, HP and SP at their maxima, facing, sight, speed, death
    // effect, appearance effect started, animation set. The caller then sets up the game object, the
    // hit box, the flows, the targets and the cell.
    void Setup(const cCharaData* lpRecord, const int32_t spawnRect[4], int16_t cloneIndex);
    // The hit box inside the 32 × 32 cell: centred in X; in Y centred, or on
    // the bottom edge when bBottom.
    void SetHitBox(int32_t w, int32_t h, bool bBottom);
    // tg1 = player 0 of `world`, tg = the summoner, each registered once in
    // the other's back-links.
    void InitTargets(cChara* lpSummoner, cWorldState* world);
    // Removes every target link to and from this character.
    void ClearTargetLinks();
    // Puts a target in slot 0..4, keeping the back-links in step.
    void SetTarget(int32_t slot, cChara* lpTarget);
    cChara* GetTarget(int32_t slot) const { return slot == TARGET_SLOT_SUMMONER ? tg : vTarget[slot]; }
    // The flow instances become copies of `src`, bound to this character's
    // own flows (the definition record must already hold them).
    void AssignFlows(const cSafeVector<cFlowRun>& src);
    // Binds every instance again to the character's flows and commands.
    void RebindFlows();
    // The flow definitions the instances run, read-only.
    const cSafeVector<cFlow>& FlowDefs() const;
    // The flow definitions to write: a character that shares them takes a
    // copy of its own first and binds its instances to it.
    cSafeVector<cFlow>& OwnFlowDefs();
    // The command of `st` (one of the character's own command states) to write.
    cFlowCmd& OwnCmd(const cFlowCmdRun& st);
    // --- members: first what every sub-step reads (the activity walks, the
    // step start and the removal checks); then what a step reads; then the
    // rest ---
    // Activity, removal, frame values and contacts (set by the play frame).
    int32_t dying = 0;
    int32_t bActive = 0;
    int32_t nActiveState = 0;
    int32_t bGroupCondsMet = 0;
    int32_t bErase = 0;             // removed at once at the next check
    int32_t bRemoveAsked = 0;
    int32_t deletePending = 0;      // flows with deleteRequest are removed after the flow loop
    int32_t nFlowRunDepth = 0;      // the character's flows are being run: removals wait
    int32_t hp = 0;
    int32_t invincible = 0;         // frames of invincibility left
    int32_t nFrameValue1 = -1;      // two per-frame values (start at -1 and 1)
    int32_t nFrameValue2 = 1;
    int32_t bContactL = 0;          // side contacts of this sub-step
    int32_t bContactR = 0;
    int32_t bContactU = 0;
    int32_t bContactD = 0;
    double dPrevRect[4] = {};       // x, y, x2, y2 at the start of the sub-step
    cSafeList<INVINCIBLEFROM> invincibleFrom;
    int32_t bHeld = 0;              // held this frame: no gravity
    int32_t bWalking = 0;           // a move asked for the walking animation
    FLOWDEFS spFlowDefs;            // the flow definitions, shared with characters of the same flows
    int32_t bOwnFlowDefs = 0;       // spFlowDefs is this character's alone
    // The cell: X = (margin + cellX) × 32 + cell offset X + 0.5, Y likewise
    // without the half dot; each followed by its after-move fix-up.
    void SetCellPos(int32_t cellX, int32_t cellY, cWorldState* world);

    // --- statuses ---
    // HP += delta within 0..max (an unforced loss leaves an invincible
    // character unchanged); 1 when HP reached 0; shows the gauge.
    int32_t ChangeHp(int32_t delta, bool bForce, bool bShowGauge);
    // SP += delta within 0..max; 1 when the character has no SP gauge.
    int32_t ChangeSp(int32_t delta, bool bShowGauge);

    // --- motion ---
    // The vertical speed follows the vertical acceleration (the fall step of
    // the derived classes).
    void UpdateFall();
    // Gravity per step, unless flying, on an object, held or accelerating up.
    void ApplyGravity();
    // Accelerations move toward 0 by 1 / v, stopping at 0.
    void DecayAccelX();
    void DecayAccelY();
    // Leaves any object stood on; bWall sets the wall-hit flag.
    void ClearStanding(bool bWall);
    // The block under the character, or the object it stands on, holds it.
    bool IsStanding() const;
    // The previous rectangle (saved each sub-step) and back.
    void SaveRect();
    void RestoreRect();
    // The hit-box edges from the whole part of x (y).
    void CalcRectX();
    void CalcRectY();
    // The character flies (飛行 on).
    bool IsFlying() const { return data.byFlying != 0; }
    // The side of the character: its third kind value, 0..7.
    int32_t Side() const { return nKind3; }

    // --- the step's members ---
    cSafeVector<cFlowRun> flows;    // one per flow of FlowDefs()
    cSafeVector<uint8_t> groupStartedA;  // per flow group
    cSafeVector<uint8_t> groupFinished;
    cSafeVector<uint8_t> groupStartedB;  // cleared every frame
    int32_t anyGroupFinished = 0;
    int32_t bGroupFlag = 0;         // further flag cleared at set-up
    // Bit (trigger & 63) is set for the trigger of every bound flow (bound
    // again: recomputed; flows taken out leave bits that only cost a look):
    // a trigger start finds at once that no flow waits for it.
    uint64_t nFlowTriggerMask = ~uint64_t{0};
    // Some flow may schedule animations (0: none does): found again when the
    // flows are bound again, raised when a flow's schedule is built.
    int32_t bAnimeSchedules = 1;
    // Counts the changes of the flow list (each binds the flows again): the
    // flow loop reads the list again only after a run that changed it.
    uint32_t nFlowListChanges = 0;

    // Motion (with the game object's speeds).
    double dAccelX = 0;             // horizontal acceleration (forced speed)
    double dAccelY = 0;             // vertical acceleration
    double dPrevAccelY = 0;
    int32_t bKnockBack = 0;
    int32_t bJump = 0;
    int32_t bJumpHold = 0;          // the jump key is still held
    cBlockCell* lpStandBlock = nullptr;  // block under the character, null in the air
    cBlockCell* lpLastStandBlock = nullptr;
    int32_t deathWait = 0;
    int32_t hitCeiling = 0;
    int32_t landed = 0;
    int32_t bWallHit = 0;           // pushed sideways by a block character, or left an object
    int32_t standingOnObject = 0;
    int32_t nCellSpan = 0;          // cells covered by an edge, minus 1
    int32_t nNoGroundFrames = 0;
    int32_t bFalling = 0;
    int32_t nBlockEffect = 0;       // running block effect: kind, amount, steps left
    int32_t nBlockEffectValue = 0;
    int32_t nBlockEffectSteps = 0;
    uint8_t byBlockDeath = 0;       // 2: a summoned block crushed it; dies at the next block check
    // Grid cells in which no block hits side nSide, as the block table stood
    // at nVersion (0: none known), by the dots they cover: x from dLeft to
    // below dRight, y from dTop to below dBottom. Not copied with the
    // character: it is found again when asked.
    struct CLEARCELLS {
        uint32_t nVersion = 0;
        int32_t nSide = 0;
        double dLeft = 0, dTop = 0, dRight = 0, dBottom = 0;
    } ClearCells;
    cSafeList<OVERLAYANIME> overlays;

    // Block collision
    int32_t bSpecialFloor = 0;      // stands on a special floor (block effect 2)

    // Movement and target commands
    int32_t bAnchorX = 0;           // screen anchors of a warp to a screen cell; moves clear them
    int32_t bAnchorY = 0;
    int32_t nAnchorX = 0;           // screen position kept while anchored
    int32_t nAnchorY = 0;
    int32_t bMoveCancelled = 0;     // 移動の無効化 ran this frame
    int32_t nLastBlockSide = -1;    // side of the last block hit: 0 left, 1 right, -1 none yet

    // Hit box inside the 32 × 32 cell, and its edges in grid dots.
    int32_t nBoxX = 0;
    int32_t nBoxY = 0;
    int32_t nBoxW = 0;
    int32_t nBoxH = 0;
    double dBoxLeft = 0;
    double dBoxTop = 0;
    double dBoxRight = 0;
    double dBoxBottom = 0;

    // Read by the step for a few of its values (conditions, flying).
    cCharaData data;                // own copy of the definition's statuses; its flow list stays empty

    // Seldom read by a step.
    int32_t bTempCopy = 0;          // a temporary trial copy: never clears target links
    cSafeVector<cChara*> vTarget;   // tg1..tg4
    cChara* tg = nullptr;           // the summoner
    cSafeVector<TARGETLINK> targetedBy;  // characters holding this one in a slot
    int32_t spawnRect[4] = {};      // area the character was placed or summoned in
    int16_t nCloneIndex = 0;        // 分身値
    GAUGE hpGauge;
    int32_t sp = 0;
    GAUGE spGauge;
    cSafeVector<int32_t> vars;      // キャラ変数 1..9
    cCharaEffectRun deathEffect;
    int32_t sight = 0;              // sight range in dots (half blocks × 16)

    // Second position pair: follows the placement offsets of a record that
    // places several characters.
    double dPos2X = 0;
    double dPos2Y = 0;
    // Ids handed out to flows (uid), counted per character.
    int32_t nNextFlowUid = 0;
    int32_t nCarrierId = 0;         // object id of the block character stood on
    double dCarrierRect[4] = {};    // its recorded rectangle
    int32_t bTargetExcluded = 0;    // left out of target searches that ask for it
    cSafeVector<SUMMONED> vSummoned;  // what the character summoned, oldest first

protected:
    // Copies the character members of src (not bTempCopy, not the flows).
    void CopyCharaMembers(const cChara& src);

    // Flows at run time
public:
    // Copies `src` into the character's flows at `pos` (-1: the end); `src`
    // may be data.vFlow: the flows become those (moved out, shared with the
    // characters of the same flows) and every instance is rebuilt. Then
    // unrolls their loops and builds their instances, command lengths, move
    // set-ups and animation schedules. bAdd: flows added during play.
    void SetFlows(const cSafeVector<cFlow>& src, int32_t bAdd, int32_t pos);
    // Starts the idle flows of `trigger` (id filter 1 or more: that id only)
    // in `world` (null: none); the partner goes to the flow's target slot
    // when the flow asks for it.
    void StartTriggeredFlows(int32_t trigger, cWorldState* world) { StartTriggeredFlowsBy(trigger, nullptr, 0, world); }
    void StartTriggeredFlowsBy(int32_t trigger, cChara* lpPartner, int32_t idFilter, cWorldState* world);
    // Runs every running flow once in `world` (while dying only death
    // flows); with bStopWithoutHp, stops with 1 when a flow left a living
    // character without HP. Then removes the flows whose removal was requested.
    int32_t RunFlows(int32_t bDying, int32_t bStopWithoutHp, cWorldState* world);
    // The flows of a stage character's step: RunFlows(bDying, 0), then the
    // world's current character, flow and command cleared. 1 when the living
    // character vanished itself (bErase), else 0.
    int32_t RunStepFlows(int32_t bDying, cWorldState* world);
    // Every flow's claimed, started and changed-this-frame flags and the
    // per-frame group flags cleared.
    void ClearFlowFrameFlags();
    // Resets and erases flow `index` with its overlay animations.
    void RemoveFlow(int32_t index);
    // Id 0: every flow; else each flow of that id. The position of the first
    // flow removed, -1 when none.
    int32_t RemoveFlowsById(int32_t id);
    // Removes the flows whose delete request is set (deletePending).
    void RemoveRequestedFlows();
    // The input record the character's key conditions read.
    virtual const cInput* KeyInput() const;
    // Condition judges (status bytes, states, distances) for this character.
    bool JudgeStatusCond(const cEdCond& cond) const;
    bool JudgeStateCond(const cEdCond& cond) const;
    bool JudgeDistanceCond(const cEdCond& cond, cWorldState* world);
    // The key sequence of `flow` in `world`, with the edge rule unless it is held.
    bool JudgeFlowConds(cFlowRun& flow, const cWorldState* world);

    // Damage, death, invincibility, landing
public:
    // Damage of a body attack: the attacker's power less the defence (a
    // power of 0 or less unchanged), its hit effect (none without a world),
    // the knock-back; 1 when HP reached 0.
    int32_t TakeAttackDamage(cChara& attacker, const cWorldState* world);
    // Triggers 1/18 (power) and 2/19 (impact) after a body attack.
    void FireAttackTriggers(cChara& attacker);
    // The same for an attack (shot or sword).
    int32_t TakeShotDamage(cAttack& shot, const cWorldState* world);
    void FireShotTriggers(cAttack& shot);
    // Pushes the character with strength impact − resistance along the
    // signs of (pushX, pushY).
    void Knockback(int32_t impact, double pushX, double pushY);
    // Invincibility for the stage's time of player or stage characters.
    void SetInvincible();
    // The same, and invincible against attackerId for the longer of that time
    // and the stage's hit wait.
    void AddInvincibleFrom(int32_t attackerId);
    bool IsInvincible() const { return invincible > 0; }
    bool IsInvincibleTo(int32_t attackerId) const;
    // Once per frame: every invincibility counts down.
    void CountDownInvincible();
    // HP reached 0: death flows, score, carried item, death effect. 1 when
    // the stage of `world` ends (no death effect), 2 when the carried item
    // killed the hero, else 0.
    int32_t Die(cWorldState* world);
    // Lands on the cell boundary under the bottom edge; triggers 9, 13, 15
    // (the scene is asked for none when no flow waits for any of them).
    void OnLand(cWorldState* world);
    // Stops under the cell boundary above; triggers 9, 13, 14 (the same).
    void OnHitCeiling(cWorldState* world);
    // Back-references of attacks that aim at (slot 0) or were fired by (slot
    // 4) this character; cleared with the target links.
    void AddAttackRef(cAttack* lpAttack, int32_t slot);
    // Removes the entries of lpAttack (of every slot when slot < 0).
    void ForgetAttackRef(const cAttack* lpAttack, int32_t slot = -1);
    // Every referring attack forgets this character.
    void ClearAttackRefs();

    // Referring attack → its slots (bit 0: slot 0, bit 1: slot 4); a map, so
    // that a character with thousands of shots in flight finds each at once.
    std::unordered_map<cAttack*, uint32_t> attackRefs;
    int32_t bCreditSummoner = 0;    // hits count for the summoner (summon command)
    int32_t nCreditFlowId = 0;      // flow id such hits report

    // Drawing
public:
    cCharaEffectRun effect;         // the current character effect (appearance, effect command)
    // Unless paused, steps the main animation and the overlays (an ended
    // overlay is removed); the picture of the overriding overlay with the
    // fewest frames left, else of the main animation.
    int32_t StepAnime(int32_t bPaused);
    // The frame's picture through the current effect (an ended effect is
    // cleared); nothing drawn while transparent. Frozen: nothing advances.
    void Draw(const CHARADRAW& draw);
    // The rows the character's state adds to its frame: the animation set's
    // flying row while 飛行 and its 無敵 row while 無敵.
    int32_t FrameRow() const;
    // The gauges above the character while they are shown.
    void DrawHpGauge(const CHARADRAW& draw);
    void DrawSpGauge(const CHARADRAW& draw);
    // One frame of the death presentation; 1 when the character may be removed.
    int32_t DrawDeath(const CHARADRAW& draw);

    // Flow commands
public:
    static uint64_t TriggerBit(int32_t trigger) { return uint64_t{1} << (trigger & 63); }
    // Starts the overlay animations that the running flows schedule for their
    // current frame. Inline: most characters have no flow that schedules
    // one, and every character asks it each sub-step.
    void RunAnimeSchedule() {
        if (bAnimeSchedules) RunAnimeSchedules();
    }
    // Those of every flow that schedules some.
    void RunAnimeSchedules();
    // Those of flow `fr`, which schedules some.
    void RunAnimeScheduleOf(const cFlowRun& fr);

    // Move steps shared by players and stage characters
public:
    // The horizontal move of a frame: the accelerated speed, else the speed
    // plus the decelerating inertial push; then the speed limit (clamping
    // into the grid) and FixAfterMoveX. The speed limit's result.
    int32_t StepSpeedX(cWorldState* world) {
        const int32_t r = MoveBySpeedX();
        FixAfterMoveX(world);
        return r;
    }
    // The same without FixAfterMoveX.
    int32_t MoveBySpeedX();
    // A non-zero inertial push decelerates and adds to the vertical speed.
    void AddPushY();
};

// The hero (player 0) of `world`, or null when there is no world or no player.
cChara* GetHero(cWorldState* world);
