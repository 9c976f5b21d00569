#pragma once
// Fades of the whole screen and colour tints. A scene calls DDFadeIn or
// DDFadeOut once per frame until the call returns 1. Under the DirectDraw
// rules an 8-bit screen fades its palette and a true-colour screen mixes a
// frozen copy of the fade's first frame toward the colour; under the
// Direct3D rules a black overlay of growing or shrinking opacity is drawn
// over the current render target.
#include <cstdint>

#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"

// One step of a fade from the picture to (r, g, b) at speed degrees per call; 1 when the fade is complete.
int DDFadeOut(PALETTEENTRY* dst, int first, int last, int r, int g, int b, double speed, const PALETTEENTRY* src,
              uint8_t finishNow);
// One step of a fade from (r, g, b) to the picture; 1 when the fade is complete.
int DDFadeIn(PALETTEENTRY* dst, int first, int last, int r, int g, int b, double speed, const PALETTEENTRY* src,
             uint8_t finishNow);
// Mixes src into dst toward (r, g, b) by weight (0..256, 256 = src) at 32 bits (DirectDraw); 0 when a lock failed.
int DDFade_UnPal(DDSURFACEDATA* dst, int weight, int r, int g, int b, DDSURFACEDATA* src);
// Tints the rectangle of dst toward (r, g, b): each pixel keeps alpha/256 of itself (Direct3D); 1.
int DDChangeColor(DDSURFACEDATA* dst, int x, int y, int w, int h, int alpha, uint8_t r, uint8_t g, uint8_t b);
// Draws src modulated by (r, g, b) at opacity 255 - alpha over the whole of dst (Direct3D); 1.
int DDChangeColorFrom(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int alpha, uint8_t r,
                      uint8_t g, uint8_t b);
// The weight a fade level (degrees) draws with: sin(level) * scale, truncated.
int DDFadeWeight(double level, int scale);
// Re-arms every fade level (tests).
void DDResetFades();
