#pragma once
// Shots and swords: attack objects that a character's ショット or ソード
// command makes. A shot flies by itself (its movement kind steers it), a
// sword stays attached to its owner and plays the frames of a sword type.
// Both are attacks: they live in the world state's shot list and in the
// attack bucket of their side until they are erased, and hit detection meets
// them there.
//
// A shot's shooter and target are the attack's back-referenced characters: a
// character that leaves the stage empties them, so no shot points at it.
#include <cstdint>
#include <cstddef>

#include "actors/attack.h"
#include "stage/shot.h"
#include "world/owned_list.h"

class cChara;
class cShot;
class cWorldState;
struct CHARADRAW;
struct SHOTWORK;

using SHOTLIST = cOwnedList<cShot>;

// Movement kinds of a shot (member 28 of the shot settings).
enum eShotMove : int32_t {
    SHOTMOVE_STRAIGHT = 0, SHOTMOVE_AIM_HERO = 1, SHOTMOVE_AIM_NEAREST = 2, SHOTMOVE_AIM_TARGET = 3,
    SHOTMOVE_HOME_HERO = 4, SHOTMOVE_HOME_NEAREST = 5, SHOTMOVE_HOME_TARGET = 6, SHOTMOVE_HOME_NEAREST2 = 7,
    SHOTMOVE_WAVE = 8, SHOTMOVE_FALL = 9, SHOTMOVE_NUM = 10,
};
class cShot final : public cAttack {
public:
    cShot() = default;
    cShot(const cShot&) = default;
    cShot& operator=(const cShot&) = default;
    ~cShot() override = default;

    // --- virtual operations ---
    // The hit-rectangle margins (cell offsets) follow the scale.
    void OnScale(int32_t newScale) override;
    // Up by half the base height × the change of scale, kept in the grid.
    void AdjustYOnScale(int32_t newScale, int32_t oldScale, cWorldState* world) override;
    // The attack rectangle follows the position.
    void UpdateHitRectX() override;
    void UpdateHitRectY() override;

    // Sets a shot up from `settings` for `shooter` at the work record's
    // position and velocity (command code 11 flies; code 12 is a sword).
    void Setup(int32_t id, cChara& shooter, int32_t code, const cEdShot& settings, const SHOTWORK& work);
    // The attack part from the settings: shooter and target, power, impact,
    // hit effect and carried item; its hits report flow id nFlowId.
    void SetAttack(cChara& shooter, const cEdShot& settings, int32_t nFlowId);
    // One logic step in `world`. 1 when the shot is to be removed.
    int32_t Update(cWorldState* world);
    // The per-step update of a sword. 1 when it is to be removed.
    int32_t UpdateSword();
    // A block under the shot's rectangle stops it.
    bool HitsBlock() const;
    // The shooter and the target, while they exist.
    cChara* Shooter() const { return lpShooter; }
    cChara* Target() const { return lpTarget; }
    int32_t Side() const { return nKind3; }

    // --- shot members ---
    // First the words a flying shot's step reads, after the attack's
    // rectangle; then what a few moves read.
    int32_t bFlying = 1;          // 1 shot, 0 sword
    int32_t nMoveKind = 0;        // eShotMove
    int32_t nMoveFrame = 0;       // steps since it was fired
    int32_t bCarried = 0;         // carried by the automatic scrolling
    int32_t bDriven = 0;          // velocity-driven (acceleration switch)
    int32_t bFalling = 0;         // falling mode of movement 9
    int32_t bLife = 0;            // the lifetime counts down
    int32_t nLife = 0;            // steps left
    int32_t bStop = 0;            // the stop-time counts down
    int32_t nStopTime = 0;        // steps left
    int32_t bStopInstead = 0;     // at the end of the stop-time: stop, not vanish
    int32_t bPassBlocks = 0;      // blocks never stop it
    double dVelX = 0;             // own velocity, dots per step
    double dVelY = 0;
    double dCarryX = 0;           // speed taken from the scrolling screen
    double dCarryY = 0;
    // Cells found clear of blocks for side nSide while the block table stays
    // at nVersion: HitsBlock answers at once for a rectangle inside them.
    struct CLEARCELLS {
        uint32_t nVersion = 0;
        int32_t nSide = 0;
        double dLeft = 0, dTop = 0, dRight = 0, dBottom = 0;
    };
    mutable CLEARCELLS clearCells;
    double dAccelX = 0;           // own acceleration (velocity-driven shots)
    double dAccelY = 0;
    int32_t nCode = 11;           // command code that made it
    int32_t nVolley = 0;          // volley (分身値) it belongs to
    double dFireAngle = 0;        // angle it was fired along, degrees
    int32_t bAimed = 0;           // a one-time turn or the homing is over
    int32_t bHomed = 0;           // homing has set its velocity once
    double dWavePhase = 0;        // wave movement: phase and cross direction
    double dCrossX = 0;
    double dCrossY = 0;
    int32_t bWaveReady = 0;
    // Only some moves read their settings.
    cEdShot settings;             // copy of the command's settings

    // --- swords ---
    int32_t nSwordType = 0;       // index into the database's sword types
    int32_t nSwordFrame = 0;      // current frame and its ticks
    int32_t nSwordTick = 0;

    // The list that AddShot put the shot in and its place there (kept up
    // to date when the list closes its holes). A copy is in no list until
    // added.
    struct LISTPLACE {
        LISTPLACE() = default;
        LISTPLACE(const LISTPLACE&) {}
        LISTPLACE& operator=(const LISTPLACE&) { return *this; }
        const SHOTLIST* lpList = nullptr;
        std::size_t nPlace = 0;
    };
    LISTPLACE place;

    // --- drawing (play screen) ---
    // Draws the shot's piece of the shot picture, or a sword's current frame
    // from the context's sword pictures, at its screen rectangle; the
    // animation steps unless frozen.
    void Draw(const CHARADRAW& draw);
};

// Appends a copy of `shot` to `list` and puts it into the attack bucket of
// its side in `world` (a side without a bucket, or a null world, is left
// out). The new shot, or null when the list is full.
cShot* AddShot(SHOTLIST& list, const cShot& shot, cWorldState* world);
// Takes the shot at `it` out of its bucket in `world` and the list; the next shot.
SHOTLIST::iterator EraseShot(SHOTLIST& list, SHOTLIST::iterator it, cWorldState* world);
// Closes the list's holes, keeping each shot's place up to date; never
// while the list is walked.
void CompactShots(SHOTLIST& list);
// One logic step of every shot of `world` (none when it is null): update,
// then the stage's removal rule for shots; a shot either says is erased.
void UpdateShots(cWorldState* world);
// The next value of the shot object id counter of `world`, counted up (0
// without a world).
int32_t TakeShotId(cWorldState* world);
