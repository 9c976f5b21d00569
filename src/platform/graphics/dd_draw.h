#pragma once
// Drawing primitives and locked access: pixels, circles, bitmap-font text,
// and the lock that hands a surface's pixels to code that works on them.
#include <cstdint>

#include "platform/graphics/dd_surface.h"

// What a lock gives (the fields of the Windows surface description that callers read).
struct DDSURFACEDESC2 {
    uint32_t dwSize = 0;
    uint32_t dwWidth = 0, dwHeight = 0;  // the surface's allocated size
    int32_t lPitch = 0;                  // bytes per row
    void* lpSurface = nullptr;           // the first pixel
    uint32_t dwRGBBitCount = 0;          // 8 or 32
};

// Plots palette colour n at (x, y) when inside the record.
void DDPutPixel(DDSURFACEDATA* sd, int x, int y, uint32_t n);
// Midpoint circle of palette colour n; nothing for r < 1.
void DDDrawCircle(DDSURFACEDATA* sd, int cx, int cy, int r, uint32_t n);
// Draws text from a font sheet of 16 cells per row (line feed starts a new line).
void DDDrawBitmapText(DDSURFACEDATA* dst, int x, int y, int cw, int ch, DDSURFACEDATA* font, const char* text);
void DDDrawBitmapTextF(DDSURFACEDATA* dst, int x, int y, int cw, int ch, DDSURFACEDATA* font, const char* format,
                       ...) __attribute__((format(printf, 7, 8)));
// Locks a record under DirectDraw (fills desc and *pixels); under Direct3D logs and gives true without locking.
bool DDLock(DDSURFACEDATA* sd, DDSURFACEDESC2* desc, void** pixels, int depth);
// Ends a DDLock (nothing to do in memory; kept so that every lock has its unlock).
void DDUnlock(DDSURFACEDATA* sd);
// Locks any record's pixels under either back end (views followed); false when it has none.
bool DDLockPixels(DDSURFACEDATA* sd, DDSURFACEDESC2* desc);
