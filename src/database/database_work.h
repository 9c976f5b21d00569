#pragma once
// The work tables made from the loaded database before play: the frame items
// of every animation and every effect graphic (what the animation cursor
// walks), and the sizing of the effect run lists.
#include <cstdint>
#include <vector>

#include "database/database.h"
#include "records/safe_container.h"

// Cell values of frame items that are not pictures.
constexpr int32_t FRAMEITEM_JUMP = -3;   // switch to the animation in nFrames
constexpr int32_t FRAMEITEM_LOOP = -2;   // back to the first item
constexpr int32_t FRAMEITEM_HOLD = -1;   // stay on the previous item
constexpr int32_t FRAMEITEM_END = -4;    // the animation has ended

// One frame item: the cell, its length in frames and the hold flag.
struct FRAMEITEM {
    int32_t nCell = 0;
    int32_t nFrames = 0;
    int32_t nFlag = 0;
};

// One entry per animation (or effect graphic): its frame items and the closing item.
using FRAMEITEMTABLE = cSafeVector<std::vector<FRAMEITEM>>;

// The animation and effect-graphic work tables of the play engine.
extern FRAMEITEMTABLE AnimeWorkTable;
extern FRAMEITEMTABLE EffectWorkTable;

// One item per frame of every animation of db, then the closing item:
// animation 0 has frames 0 and flag 1 throughout and closes with {-2, 0, 1};
// the others hold from the first flagged frame on and close with {-4, 0, 0}.
void BuildAnimeWorkTable(FRAMEITEMTABLE& table, const cDatabase& db);
// The same for the effect graphics, without the holding.
void BuildEffectWorkTable(FRAMEITEMTABLE& table, const cDatabase& db);

// Sizes both run lists to n and prepares entry i of each from effect i,
// forward (direction 0) and reversed (direction 1). RUN has Setup(int id, int direction).
template <class RUN>
void ResizeEffectWork(std::vector<RUN>& vForward, std::vector<RUN>& vReversed, size_t n) {
    vForward.resize(n);
    vReversed.resize(n);
    for (size_t i = 0; i < n; ++i) {
        vForward[i].Setup(static_cast<int>(i), 0);
        vReversed[i].Setup(static_cast<int>(i), 1);
    }
}

// The character-effect run lists, sized to Database's character effects.
template <class RUN>
void ResizeCharaEffectWork(std::vector<RUN>& vForward, std::vector<RUN>& vReversed) {
    ResizeEffectWork(vForward, vReversed, Database.vCharaEffect.size());
}
// The screen-effect run lists, sized to Database's screen effects.
template <class RUN>
void ResizeScrEffectWork(std::vector<RUN>& vForward, std::vector<RUN>& vReversed) {
    ResizeEffectWork(vForward, vReversed, Database.vScrEffect.size());
}

// After a successful load: the effect copies and both frame-item tables
// (the effect run lists are sized by the play engine with ResizeEffectWork).
void PrepareDatabaseWork(cDatabase& db);
// Empties both frame-item tables (tests).
void ResetDatabaseWork();
