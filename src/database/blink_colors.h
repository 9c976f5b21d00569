#pragma once
// The blinking colours that character drawing uses under Direct3D: nine
// rows, each an intensity swinging between 0 and 255 by the system
// settings' blink step, turned into a colour and a blend mode. At 8 bits
// under DirectDraw the same call cycles palette entries 208..239 instead.
// Game thread.
#include <cstdint>

struct BLINKCOLOR {
    uint32_t dwColor = 0;  // ARGB, alpha 0xFF
    uint32_t dwBlend = 0;  // blend mode
};
constexpr int BLINK_NUM = 9;

extern int32_t nBlinkValue[BLINK_NUM];  // intensities 0..255
extern int32_t nBlinkDir[BLINK_NUM];    // 0 rising, 1 falling
extern int32_t nBlinkPhase;             // colour of the ninth row: 0 red, 1 green, 2 blue, 3 yellow
extern BLINKCOLOR BlinkColors[BLINK_NUM];

// Moves value by step between lo and hi: rising it adds the step and, at
// hi or above, takes it back and turns to falling; falling it subtracts the
// step and, at lo or below, takes it back and turns to rising. 1 when it
// turned at the bottom.
int Pingpong(int32_t& value, int32_t& dir, int32_t step, int32_t lo, int32_t hi);

// One step of the blinking colours (Direct3D), or of the palette cycling
// (DirectDraw at 8 bits with bCyclePalette set: every sixth call).
void UpdateBlinkColors();
// Back to the start state (tests).
void ResetBlinkColors();
