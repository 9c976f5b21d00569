#pragma once
// Pixel effects that move pixels: a magnifying lens and a free rotation.
// Both read src and write dst on locked surfaces, pixel by pixel, and
// skip pixels whose source or destination falls outside its surface. A
// source that is also the destination is read as it was before the effect.
// Results: false when a lock or unlock failed, else true.
#include "platform/graphics/dd_surface.h"

// A lens of radius and height over (cx, cy) of dst, showing src around (scx, scy) magnified toward the middle.
bool DDBltLens(DDSURFACEDATA* dst, int cx, int cy, int radius, int height, DDSURFACEDATA* src, int scx, int scy,
               int mode1, int mode2);
// The region (sx, sy, w, h) of src rotated by angle degrees about (rcx, rcy) of the region, that point landing on (dx, dy).
bool DDBltRotatePixel(DDSURFACEDATA* dst, int dx, int dy, int w, int h, int rcx, int rcy, int angle,
                      DDSURFACEDATA* src, int sx, int sy, int colourKey);
