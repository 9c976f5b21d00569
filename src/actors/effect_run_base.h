#pragma once
// What the character-effect and screen-effect runs share: the work lists of
// prepared entries (one per effect id, forward and reversed), the start of an
// effect from them, and the end of a leg (finish, repeat, or turn round).
#include <cstdint>

#include "database/database_work.h"
#include "records/safe_container.h"

// Run modes.
enum : int32_t { EFFECT_MODE_NORMAL = 0, EFFECT_MODE_REVERSE = 1, EFFECT_MODE_ROUND = 2 };

// The prepared entries of every effect of one list, forward and reversed.
template <class RUN>
struct EFFECTWORKLISTS {
    cSafeVector<RUN> vForward, vReversed;

    // Sizes both lists to the definitions and prepares every entry; the
    // reversed entries point into copies, which must not move while they are prepared.
    template <class DEF>
    void Prepare(const cSafeVector<DEF>& defs, cSafeVector<DEF>& copies) {
        if (copies.size() != defs.size()) copies = defs;
        ResizeEffectWork(vForward, vReversed, defs.size());
    }
    void Clear() {
        vForward.clear();
        vReversed.clear();
    }
};

// The definition an entry of id is prepared from: the list's own, or for a
// reversed entry a fresh copy of it (so that preparing twice swaps once).
template <class DEF>
DEF* EffectRunDef(cSafeVector<DEF>& defs, cSafeVector<DEF>& copies, int id, int reversed) {
    DEF* def = &defs[id];
    if (!reversed) return def;
    DEF& copy = copies[id];
    copy = *def;
    return &copy;
}

// RUN derives from cEffectRunBase<RUN, DEF> and provides
// static EFFECTWORKLISTS<RUN>& Work(), CopyEntry(const RUN&) and Reset().
template <class RUN, class DEF>
class cEffectRunBase {
public:
    // Starts effect id (mode 1 from the reversed entry, else forward); a bad id
    // is reported as a bad index and leaves the run without an effect.
    void Start(int id, int mode, int repeat) {
        auto& list = mode == EFFECT_MODE_REVERSE ? RUN::Work().vReversed : RUN::Work().vForward;
        if (id < 0 || static_cast<size_t>(id) >= list.size()) {
            (void)list[id];  // reports the bad index
            Self().Reset();
            return;
        }
        Self().CopyEntry(list[id]);
        m_nDirection = mode == EFFECT_MODE_REVERSE ? 1 : 0;
        m_nId = static_cast<int16_t>(id);
        m_nMode = mode;
        m_bRepeat = repeat;
        m_nFrame = 0;
    }
    // The next leg (mode 2 turns round) or repetition.
    void Restart() {
        if (m_nMode == EFFECT_MODE_ROUND) m_nDirection = m_nDirection ? 0 : 1;
        Self().CopyEntry((m_nDirection ? RUN::Work().vReversed : RUN::Work().vForward)[m_nId]);
        m_nFrame = 0;
    }

    int16_t m_nId = 0;              // 0 = no effect
    const DEF* m_lpDef = nullptr;   // the definition (of the second copy for reversed entries)
    int32_t m_nMode = 0;            // EFFECT_MODE_*
    int32_t m_bRepeat = 0;
    int32_t m_nDirection = 0;       // 0 forward, 1 backward
    int32_t m_nFrame = 0;           // frames since the start of the leg

protected:
    // The end of a leg: 1 when the effect has finished, else the next leg and 0.
    int32_t EndLeg() {
        if (!m_bRepeat && (m_nMode != EFFECT_MODE_ROUND || m_nDirection == 1)) return 1;
        Restart();
        return 0;
    }
    // No effect: id 0, no definition, repeat and direction 0.
    void ResetRun() {
        m_nId = 0;
        m_lpDef = nullptr;
        m_bRepeat = 0;
        m_nDirection = 0;
    }

private:
    RUN& Self() { return static_cast<RUN&>(*this); }
};
