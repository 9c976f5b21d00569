#pragma once
// The animation state of one stage object: a private copy of its animations
// (frame items of the database's work tables: picture, ticks, lock flag, each
// animation closed by an end item), the current animation, frame and ticks.
#include <cstdint>
#include <vector>

#include "database/database_work.h"
#include "records/safe_container.h"

class cAnimeCursor {
public:
    // An empty cursor: no animation; Step and GetFrame give 0.
    cAnimeCursor() = default;

    // Copies the animations of `lpSource` (null: nothing changes) and puts
    // the cursor on animation 0, frame 0, tick 0.
    void Init(const FRAMEITEMTABLE* lpSource);
    // The same from a plain list of animations.
    void Init(const std::vector<std::vector<FRAMEITEM>>& source);
    // Unless forced, 0 when the current frame is locked; otherwise animation
    // `anime` from its first frame (also when it is the current one), 1.
    int32_t Restart(int anime, bool bForce);
    // The current animation asked again: 1, nothing changes; otherwise Restart.
    // Inline: a moving character asks its walk animation again every step.
    int32_t SetAnime(int anime, bool bForce) { return anime == nAnime ? 1 : Restart(anime, bForce); }
    // One tick; the picture of the current frame (an end code when negative).
    int32_t Step();
    // The picture of the current frame without advancing.
    int32_t GetFrame() const;
    // No animation at all.
    bool IsEmpty() const { return vAnime.empty(); }
    // Back to an empty cursor.
    void Clear();
    // The frame item the cursor stands on (a fallback item when empty).
    const FRAMEITEM& CurItem() const;

    cSafeVector<cSafeVector<FRAMEITEM>> vAnime;  // per animation its frames and end item
    int32_t nAnime = 0;   // current animation
    int32_t nFrame = 0;   // current frame within it
    int32_t nTicks = 0;   // ticks spent on the current frame
};
