#pragma once
// Fewer walks over the stage characters in a sub-step, where nothing can tell.
//
// A sub-step judges every stage character's activity in one walk, its group
// and step start in a second, then updates the characters in a third, after
// the hero's update (cPlayScene::PlayFrame). Where no character can see
// another's judgement, one walk does both for each character in turn; where,
// besides, nothing run before a character's update in the sub-step can touch
// it or read what its step start writes, the update walk starts each
// character's step just before its update, and the sub-step walks the
// characters once.
#include <cstddef>

#include "actors/stage_chara.h"
#include "world/game_object.h"
#include "world/object_list.h"
#include "world/world_state.h"

class cChara;
class cPlayScene;

// How a sub-step walks the stage characters before their updates.
enum eStepWalks {
    STEPWALKS_SEPARATE,  // the activity walk, the items, the step-start walk
    STEPWALKS_ONE,       // the items, then one walk for activity and step start
    STEPWALKS_IN_UPDATE, // the items; each step starts in the update walk
};

// Which walks the stage allows, by what its characters, items and flows
// declare. A stage character's activity conditions, group, lifetime, carried
// item and flows are set when it is made (its flows change only by commands
// that touch others): only the characters added since the last look are
// looked at, and a stage that failed a look stays failed.
class cWalkFusion {
public:
    // STEPWALKS_ONE needs no stage character with activity conditions or a
    // group and no item with conditions. STEPWALKS_IN_UPDATE needs that too,
    // and no block character (bBlockCharas), no death check pending, a hero
    // alive, no character with a lifetime or a carried item, and the flows of
    // the hero and every character free of conditions and partners, their
    // commands all keeping to their runner (CMDREACH_SELF).
    eStepWalks Walks(cWorldState& world, bool bBlockCharas);

private:
    // Whether a test holds for every character added since it last held
    // (a watch that failed stays failed).
    struct WATCH {
        bool bHolds = true;
        std::size_t nSeen = 0;  // characters added (Added()) when it last held
        bool StillHolds(const cObjectList<cStageChara>& list, bool (*pred)(const cStageChara&));
    };
    WATCH m_Plain, m_Self;
};

// The step starts a sub-step's update walk owes the characters that were in
// the list when it began (none unless STEPWALKS_IN_UPDATE): each is started
// just before its update (Before), or all at once when the scroll moved
// before the walk (the activity is judged against its place at the
// sub-step's start); those the walk did not reach, because the sub-step
// ended early, are started when this goes.
class cOwedStepStarts {
public:
    cOwedStepStarts(cPlayScene& scene, eStepWalks walks, bool bFrameStart);
    ~cOwedStepStarts() { StartRest(); }
    cOwedStepStarts(const cOwedStepStarts&) = delete;
    cOwedStepStarts& operator=(const cOwedStepStarts&) = delete;

    // After the scroll stepped: everything owed is started now if it moved.
    void ScrollStepped();
    // Before the update walk reaches the character at `place`.
    void Before(std::size_t place, cStageChara& c) {
        if (place >= m_nStarted && place < m_nOwed) {
            Start(c);
            m_nStarted = place + 1;
        }
    }
    // After the update walk (gone through or skipped): the rest are started.
    void StartRest();

private:
    void Start(cStageChara& c);

    cPlayScene& m_Scene;
    bool m_bFrameStart;
    SCROLLPLACE m_At;          // the scroll's place when the sub-step began
    std::size_t m_nOwed = 0;   // places below this are owed a start
    std::size_t m_nStarted = 0;
};
