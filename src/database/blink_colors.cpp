#include "database/blink_colors.h"

#include <algorithm>

#include "database/system_data.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"

int32_t nBlinkValue[BLINK_NUM] = {};
int32_t nBlinkDir[BLINK_NUM] = {};
int32_t nBlinkPhase = 0;
BLINKCOLOR BlinkColors[BLINK_NUM] = {{0, 7}, {0, 10}, {0, 7}, {0, 7}, {0, 7}, {0, 7}, {0, 7}, {0, 7}, {0, 7}};

namespace {

int g_nCycleCount = 0;  // calls since the palette last cycled

uint32_t Argb(int32_t r, int32_t g, int32_t b) {
    return 0xFF000000u | static_cast<uint32_t>(r & 0xFF) << 16 | static_cast<uint32_t>(g & 0xFF) << 8 |
           static_cast<uint32_t>(b & 0xFF);
}

// Entries 208..239 in eight groups of four, each turned by one entry.
void CyclePalette() {
    if (++g_nCycleCount < 6) return;
    g_nCycleCount = 0;
    for (int first = 208; first < 240; first += 4)
        std::rotate(DDScreenPalette + first, DDScreenPalette + first + 1, DDScreenPalette + first + 4);
    DDSetPaletteEntries(208, 32, DDScreenPalette + 208);
}

}  // namespace

int Pingpong(int32_t& value, int32_t& dir, int32_t step, int32_t lo, int32_t hi) {
    if (dir == 0) {
        value += step;
        if (value >= hi) {
            value -= step;
            dir = 1;
        }
        return 0;
    }
    value -= step;
    if (value <= lo) {
        value += step;
        dir = 0;
        return 1;
    }
    return 0;
}

void UpdateBlinkColors() {
    if (!lpDTCon) {
        if (lpDDCon && DDGetColorBit() == 8 && SystemData.bCyclePalette) CyclePalette();
        return;
    }
    const int32_t step = SystemData.nBlinkStep;
    for (int i = 0; i < BLINK_NUM; ++i) {
        const int turned = Pingpong(nBlinkValue[i], nBlinkDir[i], step, 0, 255);
        if (i == 8 && turned) nBlinkPhase = (nBlinkPhase + 1) % 4;
    }
    const int32_t* v = nBlinkValue;
    BlinkColors[0].dwColor = Argb(v[0], v[0], v[0]);
    BlinkColors[1].dwColor = Argb(v[1], v[1], v[1]);
    BlinkColors[2].dwColor = Argb(v[2], 0, 0);
    BlinkColors[3].dwColor = Argb(0, v[3], 0);
    BlinkColors[4].dwColor = Argb(0, 0, v[4]);
    BlinkColors[5].dwColor = Argb(v[5], v[5], 0);
    BlinkColors[6].dwColor = Argb(v[6], 0, v[6] / 4);
    BlinkColors[7].dwColor = Argb(v[7] / 4, 0, v[7]);
    const int32_t n = v[8];
    static constexpr int32_t kPhase[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
    const auto& p = kPhase[nBlinkPhase & 3];
    BlinkColors[8].dwColor = Argb(n * p[0], n * p[1], n * p[2]);
}

void ResetBlinkColors() {
    for (int i = 0; i < BLINK_NUM; ++i) {
        nBlinkValue[i] = nBlinkDir[i] = 0;
        BlinkColors[i] = BLINKCOLOR{0, i == 1 ? 10u : 7u};
    }
    nBlinkPhase = 0;
    g_nCycleCount = 0;
}
