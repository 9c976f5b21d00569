#pragma once
// One scroll axis of the stage in play: the scroll position, the visible size,
// the scroll limits in grid dots, the block grid's size and row pitch on this
// axis and the automatic scroll step.
//
// Grid coordinates: the block grid has a margin of 10 cells (320 dots) on
// every side, so stage cell (c, r) is grid cell (c + 10, r + 10).
#include <algorithm>
#include <cstdint>

class cStageData;

constexpr int SCROLL_MARGIN_CELLS = 10;
constexpr int SCROLL_VIEW_X = 640;
constexpr int SCROLL_VIEW_Y = 480;

class cScrollAxis {
public:
    // Within [nMin, nMax - nView] (nMin when the area is smaller than the
    // view); bClamped tells whether the position was moved.
    void Clamp();
    // One frame of automatic scrolling, then Clamp.
    void Step();
    // Off: no automatic step. On: `value` tenths of a dot per second, at
    // `nFrameRate` frames per second.
    void SetAutoSpeed(bool bOn, int32_t value, int32_t nFrameRate);
    // The scroll area: from stage cell `first` when bUseFirst, to stage cell
    // `last` when bUseLast (never above the first), else the whole stage.
    void SetBounds(int32_t first, int32_t last, bool bUseFirst, bool bUseLast);
    // The horizontal axis of `stage` (sizes, grid, automatic scroll, bounds);
    // the position is left as it is.
    void SetupX(const cStageData& stage, int32_t nFrameRate);
    // The vertical axis of `stage`.
    void SetupY(const cStageData& stage, int32_t nFrameRate);
    // The axis scrolls by itself and is not held at a limit.
    bool IsScrollingFreely() const { return dAutoStep != 0 && bClamped == 0; }
    // An extent of w from pos lies within the grid, the stage and the scroll
    // limits at once: the grid clamp leaves it where it is. A position that is
    // no number fails.
    bool HoldsInGrid(double pos, int32_t w) const { return pos >= dHoldLo && pos + w - 1 < dHoldHi; }
    // Takes the tightest of the limits into dHoldLo and dHoldHi: after every
    // change of nMin, nMax, nBaseMin, nBaseMax or nOuter (SetBounds does it).
    void KeepHoldLimits() {
        dHoldLo = std::max(0, std::max(nBaseMin, nMin));
        dHoldHi = std::min(nOuter, std::min(nBaseMax, nMax));
    }

    double dPos = 0;        // grid coordinate shown at the screen's left or top edge
    int32_t bClamped = 0;   // the last clamp moved the position or hit the far edge
    int32_t nAxis = 0;      // 0 X, 1 Y
    int32_t nView = 0;      // visible size: 640 / 480
    int32_t nMin = 0;       // current scroll limits in grid dots
    int32_t nMax = 0;
    int32_t nBaseMin = 0;   // limits of the whole stage: 320 and (size + 10) * 32
    int32_t nBaseMax = 0;
    int32_t nMargin = 0;    // grid margin in cells: 10
    int32_t nOuter = 0;     // 640 + the stage's outer-size setting: far edge of the grid
    int32_t nCells = 0;     // grid cells on this axis: size + 20
    int32_t nPitch = 0;     // X: row pitch of the grid, a power of two; Y: size + 20
    int32_t nPitchShift = 0;// X: log2 of nPitch; Y: 0
    double dAutoStep = 0;   // automatic scroll per frame, dots
    int32_t bAuto = 0;      // automatic scrolling on
    // The tightest limits, which HoldsInGrid reads on every move of every
    // object (see KeepHoldLimits); they hold nothing until it runs. Kept as
    // doubles: each test compares a position with them.
    double dHoldLo = 0;
    double dHoldHi = 0;
};

// The number of bits of n (0 for n <= 0): the row pitch shift of a stage
// width w is BitLength(w + 19).
int32_t BitLength(int32_t n);
