#pragma once
// Composite blits: a picture cut into strips, quarters, spans or digit
// cells, each piece drawn with the ordinary blits so that both back ends
// draw them alike. Positions and sizes are pixels; flags are DDBlt's.
#include <cstdint>

#include "platform/graphics/dd_surface.h"

// The source rectangle in strips (columns != 0: vertical strips) displaced along a sine wave.
void DDBltWave(DDSURFACEDATA* dst, int x, int y, int w, int h, int frequency, double amplitude, int phase, int strip,
               DDSURFACEDATA* src, int sx, int sy, int flags, int columns);
// The source rectangle in strips, odd and even strips pushed apart by shift; strip 0 draws it whole.
void DDBltStripShift(DDSURFACEDATA* dst, int x, int y, int w, int h, int strip, int shift, DDSURFACEDATA* src, int sx,
                     int sy, int flags, int columns);
// A card turning about its vertical (axis 0) or horizontal (axis 1) middle, counter pixels into the turn.
void DDBltTurn(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* front, int fx, int fy,
               DDSURFACEDATA* back, int bx, int by, int sw, int sh, int flags, int counter, int axis);
// The four quarters of the source rectangle, each pushed outward by distance.
void DDBltQuarters(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int distance,
                   int flags);
// A disc of radius around (sx, sy) copied to a disc around (x, y), in bands of band rows.
void DDBltCircle(DDSURFACEDATA* dst, int x, int y, int halfWidth, int halfHeight, int radius, int band,
                 DDSURFACEDATA* src, int sx, int sy, int flags);
// A frame of thickness inside (x, y, w, h) in palette colour.
void DDDrawFrame(DDSURFACEDATA* dst, int x, int y, int w, int h, int thickness, uint32_t colour);
// The whole of src at (x, y) with a frame of thickness around it, outside the picture.
void DDBltFramed(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int thickness, uint32_t colour);
// A non-negative number from a strip of the digits 0..9 at (sx, sy), in a field of digits (centred != 0: centred).
void DDDrawNumber(DDSURFACEDATA* dst, int x, int y, int digitWidth, int digitHeight, DDSURFACEDATA* src, int sx,
                  int sy, int flags, int number, int fieldDigits, int centred);
