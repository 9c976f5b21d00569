#include "play/draw/color_change.h"

#include <algorithm>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_fade.h"
#include "platform/graphics/fx_palette.h"

namespace {

constexpr int SCREEN_W = 640, SCREEN_H = 480;

// The share of the picture kept at the change's current frame.
int TargetAlpha(const cColorChange& cc) {
    if (cc.bReturn) {
        if (cc.nDuration <= 0) return 255;
        return cc.nPrevAlpha + (255 - cc.nPrevAlpha) * std::min(cc.nCounter, cc.nDuration) / cc.nDuration;
    }
    const double share = cc.nDuration <= 0 ? 1.0 : std::min(1.0, static_cast<double>(cc.nCounter) / cc.nDuration);
    return std::clamp(static_cast<int>(255 - share * cc.nStrength * 2.55), 0, 255);
}

void Tint(const cColorChange& cc, int a) {
    if (lpDTCon && lpDTCon->bVirtualMode) {
        // A screen effect draws into the virtual back buffer: blend an opaque colour over it.
        DDDrawQuadRGB(&BackBuffer, 0, 0, SCREEN_W, SCREEN_H,
                      (static_cast<uint32_t>(255 - a) << 24) | (uint32_t{cc.byRed} << 16) |
                          (uint32_t{cc.byGreen} << 8) | cc.byBlue);
        return;
    }
    DDChangeColor(&BackBuffer, 0, 0, SCREEN_W, SCREEN_H, a, cc.byRed, cc.byGreen, cc.byBlue);
}

}  // namespace

void StartColorChange(cColorChange& cc, const int32_t p[8]) {
    if (p[4] && !cc.bActive && DDIsD3D()) return;  // nothing to return from
    cc.byPrevRed = cc.byRed, cc.byPrevGreen = cc.byGreen, cc.byPrevBlue = cc.byBlue;
    cc.nPrevStrength = cc.nStrength;
    cc.nPrevAlpha = cc.nAlpha;
    cc.byRed = static_cast<uint8_t>(p[0]), cc.byGreen = static_cast<uint8_t>(p[1]), cc.byBlue = static_cast<uint8_t>(p[2]);
    cc.nStrength = p[3];
    cc.bReturn = p[4];
    cc.nDuration = p[5] * 6;
    cc.bFlash = p[6];
    cc.nFlashCount = p[7];
    cc.bActive = 1;
    cc.nCounter = cc.nFlashCounter = 0;
    if (!cc.bReturn) {
        cc.nAlpha = 0;
    } else {
        cc.byRed = cc.byPrevRed, cc.byGreen = cc.byPrevGreen, cc.byBlue = cc.byPrevBlue;
        cc.nStrength = cc.nPrevStrength;
    }
}

void DrawColorChange(cColorChange& cc, int frozen) {
    if (!cc.bActive) return;
    const bool d3d = DDIsD3D();
    if (!d3d && DDGetColorBit() != 8) {
        cc.bActive = 0;  // no palette to blend: the change ends unseen
        return;
    }
    const bool flashGap = cc.bFlash && cc.nCounter >= cc.nDuration;
    cc.nAlpha = TargetAlpha(cc);
    if (!flashGap) {
        if (d3d) {
            Tint(cc, cc.nAlpha);
        } else if (!frozen) {
            DDBlendPalette(DDScreenPalette, 0, 255, cc.nAlpha, cc.byRed, cc.byGreen, cc.byBlue, DDBasePalette);
            DDSetPaletteEntries(0, 256, DDScreenPalette);
        }
    }
    if (frozen) return;
    ++cc.nCounter;
    if (cc.bFlash) {
        if (!flashGap) return;
        cc.nCounter = 0;
        if (++cc.nFlashCounter >= cc.nFlashCount) cc.bActive = 0;
        return;
    }
    if (cc.nCounter < cc.nDuration) return;
    cc.nCounter = cc.nDuration;  // held at full strength
    if (cc.bReturn || !d3d || cc.nStrength == 0) cc.bActive = 0;
}
