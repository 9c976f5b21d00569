#pragma once
// A rectangle relative to an object's position: base values and the values
// scaled by the object's scale (the player's extra boxes, a stage
// character's hit ranges).
#include <cstdint>

struct SCALEDBOX {
    int32_t nOffX = 0;
    int32_t nOffY = 0;
    int32_t nW = 0;
    int32_t nH = 0;
    int32_t nBaseOffX = 0;
    int32_t nBaseOffY = 0;
    int32_t nBaseW = 0;
    int32_t nBaseH = 0;
    // Sets base and scaled values.
    void Set(int32_t offX, int32_t offY, int32_t w, int32_t h) {
        nOffX = nBaseOffX = offX;
        nOffY = nBaseOffY = offY;
        nW = nBaseW = w;
        nH = nBaseH = h;
    }
    // The scaled values from the base ones.
    void Scale(int32_t scale) {
        nOffX = nBaseOffX * scale;
        nOffY = nBaseOffY * scale;
        nW = nBaseW * scale;
        nH = nBaseH * scale;
    }
};
