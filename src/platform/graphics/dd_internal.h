#pragma once
// Helpers shared by the files of the graphics layer (not for use above it).
#include <cstdint>

#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_surface.h"

namespace dd {

// The record whose pixels a view shows (the record itself when it is no view).
inline DDSURFACEDATA* Resolve(DDSURFACEDATA* sd) {
    for (int i = 0; sd && sd->lpViewSD && i < 8; ++i) sd = sd->lpViewSD;
    return sd;
}
// Pixel format of new surfaces at the current depth.
inline DDFORMAT SurfaceFormat() { return DDG.nColorBit == 8 && !lpDTCon ? DDFMT_INDEX8 : DDFMT_ARGB8888; }
// True when the record is a render target under the Direct3D rules.
inline bool IsRenderTarget(const DDSURFACEDATA* sd) { return lpDTCon && sd && sd->lpDT && sd->lpDT->bRenderTarget; }
// The value a transparent pixel of this record holds under Direct3D: the key colour for
// BackBuffer, the picture clear colour for every other record.
inline uint32_t TransparentValue(const DDSURFACEDATA* sd) {
    return sd == &BackBuffer ? lpDTCon->dwKeyColor : lpDTCon->dwClearColor;
}
// Writes value into every pixel of a rectangle already inside the pixels.
void FillPixels(DDPIXELS& px, int x, int y, int w, int h, uint32_t value);
// Cuts (x, y, w, h) to a width x height area; false when nothing is left.
bool ClipRect(int* x, int* y, int* w, int* h, int width, int height);
// Copies a decoded picture into a record's pixels, mirrored within cells of cw x ch (0 = none).
// Indexed surfaces take the picture's indices (true-colour pictures: the nearest base-palette entry).
void CopyImage(DDPIXELS& px, const BMPIMAGE& img, int cw, int ch, uint32_t alpha);
// Nearest base-palette entry to an 0x00RRGGBB colour.
uint8_t NearestPaletteIndex(uint32_t rgb);
// Draws an untextured quad of colour (alpha-blended) over a rectangle already inside the pixels.
void FillQuad(DDPIXELS& px, int x, int y, int w, int h, uint32_t colour);
// Adds the record to the surface list unless it is there.
void ListAdd(DDSURFACEDATA* sd);

}  // namespace dd
