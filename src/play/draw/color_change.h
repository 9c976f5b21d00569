#pragma once
// The screen colour change of the presentation command: the whole play
// screen tinted toward a colour by a strength that builds up over a time,
// optionally flashing, optionally returning to the previous tint. Under the
// Direct3D rules the picture is tinted; under the DirectDraw rules the
// palette of an 8-bit screen is blended (other depths end the change at once).
#include <cstdint>

// The play scene's colour-change record.
struct cColorChange {
    uint8_t byRed = 0, byGreen = 0, byBlue = 0;  // target colour
    int32_t nStrength = 0;   // percent
    int32_t bReturn = 0;     // going back to the previous setting
    int32_t nDuration = 0;   // frames
    int32_t bFlash = 0;
    int32_t nFlashCount = 0;
    int32_t bActive = 0;
    int32_t nCounter = 0;
    int32_t nFlashCounter = 0;
    int32_t nAlpha = 255;    // share of the picture kept, 0..255
    uint8_t byPrevRed = 0, byPrevGreen = 0, byPrevBlue = 0;
    int32_t nPrevStrength = 0;
    int32_t nPrevAlpha = 255;
};

// Starts a change from the command's parameters: red, green, blue, strength,
// return flag, duration (tenths of a second), flash flag, flash count.
void StartColorChange(cColorChange& cc, const int32_t params[8]);
// Draws the active change over the back buffer; counts its frames unless frozen.
void DrawColorChange(cColorChange& cc, int frozen);
