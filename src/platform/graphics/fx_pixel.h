#pragma once
// Effects that work on the pixels of locked surfaces: blur, mosaic,
// half-transparent mixing and pulling a picture toward a palette colour.
// Each reads a w x h region of src at (sx, sy) and writes it at (dx, dy) of
// dst; a pixel whose source or destination falls outside its surface is
// skipped, and with colourKey 1 transparent source pixels are left out. A
// source that is also the destination is read as it was before the effect.
// Results: false when a lock or unlock failed, else true.
#include <cstdint>

#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"

// Box blur: each pixel becomes the average of the 2rx x 2ry block ending one past it (refused at 8 bits).
bool DDBltBlur(DDSURFACEDATA* dst, int dx, int dy, int w, int h, int radiusX, int radiusY, DDSURFACEDATA* src, int sx,
               int sy, int colourKey);
// Mosaic of cells x cells blocks from the region's top-left corner.
bool DDBltMosaic(DDSURFACEDATA* dst, int dx, int dy, int w, int h, int cells, DDSURFACEDATA* src, int sx, int sy,
                 int colourKey);
// Half-and-half mix of src over dst (8 bits: through the blend table); the Direct3D quad uses level (0 opaque, 255 invisible).
bool DDBltTranslucent(DDSURFACEDATA* dst, int dx, int dy, int w, int h, DDSURFACEDATA* src, int sx, int sy,
                      int colourKey, const uint8_t* table, int level);
// DDBltTranslucent at level 128.
bool DDBltPixelEffect(DDSURFACEDATA* dst, int dx, int dy, int w, int h, DDSURFACEDATA* src, int sx, int sy,
                      int colourKey, const uint8_t* table);
// src pulled toward palette entry colourIndex: each step halves the distance (Direct3D: steps 1..4 mix 128, 64, 32, 16 of 255).
bool DDBltBlendColor(DDSURFACEDATA* dst, int dx, int dy, int w, int h, DDSURFACEDATA* src, int sx, int sy,
                     int colourKey, const PALETTEENTRY* palette, const uint8_t* table, int colourIndex, int steps);
