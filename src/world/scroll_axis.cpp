#include "world/scroll_axis.h"

#include <algorithm>
#include <cstdint>

#include "stage/stage_data.h"

void cScrollAxis::Clamp() {
    if (dPos < nMin) {
        dPos = nMin;
        bClamped = 1;
    } else if (dPos + nView >= nMax) {
        dPos = nMax - nView;
        if (dPos < nMin) dPos = nMin;
        bClamped = 1;
    } else {
        bClamped = 0;
    }
}

void cScrollAxis::Step() {
    dPos += dAutoStep;
    Clamp();
}

void cScrollAxis::SetAutoSpeed(bool bOn, int32_t value, int32_t nFrameRate) {
    if (!bOn) {
        dAutoStep = 0;
        bAuto = 0;
        return;
    }
    // A stage without a frame rate plays at 60.
    dAutoStep = value * 0.1 / (nFrameRate > 0 ? nFrameRate : 60);
    bAuto = 1;
}

void cScrollAxis::SetBounds(int32_t first, int32_t last, bool bUseFirst, bool bUseLast) {
    // A limit before the grid's first column (the negative first column or
    // row of a stage smaller than the screen) is held at the grid's start.
    auto dots = [&](int64_t cell) {
        return static_cast<int32_t>(std::clamp<int64_t>(nBaseMin + cell * 32, 0, INT32_MAX));
    };
    nMin = bUseFirst ? dots(first) : nBaseMin;
    if (bUseLast) {
        nMax = dots(int64_t{last} + 1);
        if (nMax < nMin) nMax = nMin;
    } else {
        nMax = nBaseMax;
    }
    KeepHoldLimits();
}

int32_t BitLength(int32_t n) {
    int32_t bits = 0;
    for (uint32_t u = n > 0 ? static_cast<uint32_t>(n) : 0; u != 0; u >>= 1) ++bits;
    return bits;
}

namespace {

int32_t BaseMax(int32_t size) {
    const int32_t v = (size + SCROLL_MARGIN_CELLS) * 32;
    return v < 0 ? 0 : v;
}

}  // namespace

void cScrollAxis::SetupX(const cStageData& stage, int32_t nFrameRate) {
    nAxis = 0;
    nView = SCROLL_VIEW_X;
    nMargin = SCROLL_MARGIN_CELLS;
    nCells = stage.nWidth + 2 * SCROLL_MARGIN_CELLS;
    nOuter = 640 + stage.nOuterX;
    nPitchShift = BitLength(stage.nWidth + 2 * SCROLL_MARGIN_CELLS - 1);
    nPitch = 1 << nPitchShift;
    nBaseMin = SCROLL_MARGIN_CELLS * 32;
    nBaseMax = BaseMax(stage.nWidth);
    SetAutoSpeed(stage.nScrollKindX != 0, stage.nAutoScrollX, nFrameRate);
    SetBounds(stage.nScrollLeft, stage.nScrollRight, stage.bScrollLeft != 0, stage.bScrollRight != 0);
}

void cScrollAxis::SetupY(const cStageData& stage, int32_t nFrameRate) {
    nAxis = 1;
    nView = SCROLL_VIEW_Y;
    nMargin = SCROLL_MARGIN_CELLS;
    nOuter = 640 + stage.nOuterY;
    nPitchShift = 0;
    nBaseMin = SCROLL_MARGIN_CELLS * 32;
    nCells = nPitch = stage.nHeight + 2 * SCROLL_MARGIN_CELLS;
    nBaseMax = BaseMax(stage.nHeight);
    SetAutoSpeed(stage.nScrollKindY != 0, stage.nAutoScrollY, nFrameRate);
    SetBounds(stage.nScrollTop, stage.nScrollBottom, stage.bScrollTop != 0, stage.bScrollBottom != 0);
}
