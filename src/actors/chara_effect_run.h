#pragma once
// The character-effect run every character carries: an effect of the
// database's character-effect list started in one of three run modes
// (forward, reversed, there and back), stepped once per drawn frame, and
// repeated or finished at the end of its leg. The run does not draw: for
// each frame it tells the character's drawing what the effect changes
// (CHARAEFFECTLOOK), and the drawing applies it.
//
// Work lists: one prepared entry per effect id, forward and reversed; a
// start or a new leg copies the prepared entry of the id.
#include <cstdint>

#include "actors/effect_run_base.h"
#include "database/effect_records.h"
#include "records/safe_container.h"

// What the current frame of a character effect asks of the character's drawing.
struct CHARAEFFECTLOOK {
    int32_t nKind = 0;      // 0 plain drawing (also for no effect or an unknown kind)
    int32_t nValue = 0;     // the run's current value, truncated: burst distance (1), strip shift (2, 3),
                            // wave amplitude (4, 5), angle (7, 8), depth position (9), radius (10),
                            // width (11: the picture grows by nValue - 32 each way), lens distance (12),
                            // blend degree (13), mosaic block (15), blur strength (16)
    int32_t nParam4 = 0;    // strip count (2, 3), wave count (4, 5), circle roughness (10), lens X offset (12), colour (13)
    int32_t nParam5 = 0;    // wave roughness (4, 5), lens Y offset (12)
    int32_t nPhase = 0;     // wave phase in degrees (4, 5)
    int32_t bVisible = 1;   // 0: the picture is not drawn this frame (6)
    int32_t bTranslucent = 0;  // 1: the picture is drawn translucent this frame (14)

    // Strip size of kinds 2 and 3 for a picture extent (height for 2, width for 3): ceil(extent / strips).
    int32_t StripSize(int32_t extent) const;
};

class cCharaEffectRun : public cEffectRunBase<cCharaEffectRun, cCharaEffect> {
public:
    // Prepares this work entry from character effect id (reversed 1: from the
    // second copy of the list, start and end parameters swapped).
    void Setup(int id, int reversed);
    // One frame: 1 when the effect has finished.
    int32_t Step();
    // No effect: id 0, no definition, repeat and direction 0.
    void Reset();
    // One drawn frame: the look of the frame, then (when not frozen) the
    // kind's per-frame change and Step. 1 when the effect has finished.
    int32_t Frame(int frozen, CHARAEFFECTLOOK* look);
    // The look of the current frame.
    CHARAEFFECTLOOK Look() const;
    // The kind of the definition (0 without one or for an unknown kind).
    int32_t Kind() const;

    int32_t m_nStart = 0, m_nEnd = 0;
    double m_dCurrent = 0, m_dStep = 0;
    double m_dElapsed = 0;                  // tenths of a second, for runs whose start equals their end
    int32_t m_nTime = 0;                    // run time, tenths of a second
    int32_t m_nWork[2] = {};                // wave phase; blink counter and visible flag

    // The work lists Start and Restart copy entries from.
    static EFFECTWORKLISTS<cCharaEffectRun>& Work();

private:
    friend class cEffectRunBase<cCharaEffectRun, cCharaEffect>;
    // Copies the prepared entry of the current id and direction.
    void CopyEntry(const cCharaEffectRun& entry);
};

// The prepared entries of every character effect, forward and reversed.
using CHARAEFFECTWORK = EFFECTWORKLISTS<cCharaEffectRun>;
extern CHARAEFFECTWORK CharaEffectWork;

// Sizes both work lists to the database's character-effect list and prepares every entry.
void ResizeCharaEffectWork();
// The entry of id in a work list (a bad id is reported as a bad index).
cCharaEffectRun& GetCharaEffectEntry(cSafeVector<cCharaEffectRun>& list, int id);
// Empties the work lists (tests).
void ResetCharaEffectWork();

// Steps of the effect values shared by the two runs.
namespace effectrun {
// The step that moves from start to end in time tenths of a second at 6 frames per tenth.
double LegStep(int32_t start, int32_t end, int32_t time);
// The wave phase after one frame: + 1 degree, 360 back to 0.
int32_t NextPhase(int32_t phase);
// One frame of a blink: when the counter reaches the interval it restarts and the flag flips; then counter + 1.
void BlinkFrame(int32_t interval, int32_t* counter, int32_t* flag);
}  // namespace effectrun
