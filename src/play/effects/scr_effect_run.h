#pragma once
// The screen-effect run of the play scene: an effect of the database's
// screen-effect list started in one of the three run modes, advanced once
// per drawn picture while play is not frozen, repeated or finished at the
// end of its leg. The values it keeps are what the screen-effect drawing
// (scr_effect_draw.h) reads; a picture is drawn with the values of the
// previous advance.
#include <cstdint>

#include "actors/chara_effect_run.h"
#include "database/effect_records.h"
#include "records/safe_container.h"

// Screen-effect kinds.
enum : int32_t {
    SCREFFECT_NONE = 0, SCREFFECT_MOVE = 1, SCREFFECT_SHAKE_H = 2, SCREFFECT_SHAKE_V = 3, SCREFFECT_SPLIT_H = 4,
    SCREFFECT_SPLIT_V = 5, SCREFFECT_WAVE_H = 6, SCREFFECT_WAVE_V = 7, SCREFFECT_BLINK = 8, SCREFFECT_ROTATE = 9,
    SCREFFECT_CIRCLE = 10, SCREFFECT_ZOOM = 11, SCREFFECT_LENS = 12, SCREFFECT_MOSAIC = 13,
};

class cScrEffectRun : public cEffectRunBase<cScrEffectRun, cScrEffect> {
public:
    // Prepares this work entry from screen effect id (reversed 1: from the
    // second copy of the list, start and end values swapped).
    void Setup(int id, int reversed);
    // Moves the current value from start toward end by step (timed runs: the
    // elapsed time); at the end of the leg 1 when finished, else the next leg and 0.
    int32_t Step(int32_t start, int32_t end, double step);
    // No effect: id 0, no definition, repeat, direction and timed flag 0.
    void Reset();
    // The kind's change of its values for one picture, then Step; 1 when finished.
    int32_t Advance();
    // The kind of the definition (0 without one or for an unknown kind).
    int32_t Kind() const;
    // Parameter n (1 = run time, 2..5) of the definition; 0 without one.
    int32_t Param(int n) const;

    double m_dCurrent = 0;
    double m_dShake = 0;                  // shake offset (kinds 2, 3)
    double m_dStep = 0;
    int32_t m_nWork[2] = {};              // move X, Y (1); shake direction (2, 3); blink counter, hidden flag (8); phase (6, 7)
    int32_t m_bTimed = 0;                 // start equals end: the value holds for the run time
    double m_dElapsed = 0;                // tenths of a second (timed runs)
    int32_t m_nTime = 0;                  // run time, tenths of a second

    // The work lists Start and Restart copy entries from.
    static EFFECTWORKLISTS<cScrEffectRun>& Work();

private:
    friend class cEffectRunBase<cScrEffectRun, cScrEffect>;
    void CopyEntry(const cScrEffectRun& entry);
    // The shake of kinds 2 and 3: one move of the offset toward the current side.
    void Shake();
};

// The prepared entries of every screen effect, forward and reversed.
using SCREFFECTWORK = EFFECTWORKLISTS<cScrEffectRun>;
extern SCREFFECTWORK ScrEffectWork;

// Sizes both work lists to the database's screen-effect list and prepares every entry.
void ResizeScrEffectWork();
// The entry of id in a work list (a bad id is reported as a bad index).
cScrEffectRun& GetScreenEffectEntry(cSafeVector<cScrEffectRun>& list, int id);
// Empties the work lists (tests).
void ResetScrEffectWork();
