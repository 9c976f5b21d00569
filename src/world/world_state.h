#pragma once
// The state of the stage in play that the characters read and change: the
// scroll axes, the objects and their hit buckets, the stage variables and
// timer, the id counters and the flow runner's switches. The play scene
// owns it (its member World) and publishes it in lpWorld while scene 4 runs.
//
// The object lists hold characters and items: their types are complete
// wherever the lists are used (the play scene and the characters), so this
// header only names them.
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "records/safe_container.h"
#include "world/hit_bucket.h"
#include "world/object_list.h"
#include "world/owned_list.h"
#include "world/scroll_axis.h"

class cShot;
class cChara;
class cPlayer;
class cStageChara;
class cItem;

constexpr int STAGE_VAR_NUM = 1000;
constexpr int32_t STAGE_TIME_MAX = 999;

class cWorldState {
public:
    // The hero (player 0), or null when there is none.
    cPlayer* Hero() { return vPlayer.empty() ? nullptr : vPlayer.data(); }
    // The character bucket of `side` (a side outside 0..7 is a bad index).
    cHitBucket& CharaBucket(int32_t side) { return vCharaBucket[side]; }

    int32_t nStageEnd = 0;            // request of the flow commands: 0 none, 1 cleared, 2 failed
    int32_t nNextStage = 0;           // stage to go to after a clear (0 none)
    std::string strNextStageFile;     // file named by the next-stage command
    cScrollAxis ScrollX;
    cScrollAxis ScrollY;
    // Every live shot and sword (destroyed through their base; the attack
    // code owns the type).
    cOwnedList<cShot> lstShots;
    cSafeVector<cHitBucket> vCharaBucket;   // characters by side (8 from SetStage)
    cSafeVector<cHitBucket> vAttackBucket;  // attacks by side (8 from SetStage)
    int32_t nStageTime = STAGE_TIME_MAX;  // seconds left of the time limit
    int32_t bTimeStop = 0;            // no time limit
    int32_t bDeathCheck = 0;          // a status change may have killed a character
    cSafeVector<int32_t> vStageVars;  // stage variables S1..S1000
    int32_t nNextObjectId = 0;        // id counters of created objects
    int32_t nNextItemId = 0;
    int32_t nNextOtherId = 0;

    // The objects of the stage.
    cSafeVector<cPlayer> vPlayer;             // players; 0 is the hero
    // Stage characters in the order of addition, kept as an array of
    // pointers so that the walks of a sub-step need not chase list links.
    cObjectList<cStageChara> lstStageChara;
    std::list<cItem> lstItem;                 // items, by value
    // Switches of the flow runner's start guard and key order (all 0).
    int32_t bEarlyClaim = 0;
    int32_t bNoClaim = 0;
    int32_t bLooseKeyOrder = 0;
    // Cells already toggled by the running block-summon command.
    cSafeVector<int32_t> vChangedCells;
};

// The world state of the stage in play while scene 4 runs, else null.
extern cWorldState* lpWorld;

// The scroll axes of `world` (a zeroed axis when there is none), and of the
// world in play. Inline: every object's clamps and block edges read them each step.
inline const cScrollAxis NoScrollAxis{};
inline const cScrollAxis& WorldScrollX(const cWorldState* world) { return world ? world->ScrollX : NoScrollAxis; }
inline const cScrollAxis& WorldScrollY(const cWorldState* world) { return world ? world->ScrollY : NoScrollAxis; }
inline const cScrollAxis& CurScrollX() { return WorldScrollX(lpWorld); }
inline const cScrollAxis& CurScrollY() { return WorldScrollY(lpWorld); }

// No world in play, an empty block grid, then ResetDatabaseState: the world
// layer and every layer below as at start-up (tests).
void ResetWorldState();
