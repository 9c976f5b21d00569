#pragma once
// Blits between surface records. Under the DirectDraw rules a blit copies
// pixels, skipping the source colour key with flags 1 (a source without a key
// is copied whole). Under the Direct3D rules a blit onto a render target from
// a texture is a textured quad: the texel is combined with the diffuse colour
// by the colour and alpha operations and blended over the destination by its
// alpha; any other blit is a plain pixel copy. Sprite and fill batches gather
// draws and run them at their end, grouped as the batch mode says.
#include <cstdint>

#include "platform/graphics/dd_surface.h"

// Blit flags.
enum : int { DDBLT_COPY = 0, DDBLT_COLORKEY = 1 };

// A tint: diffuse colour and colour operation.
struct DDCOLORPAIR {
    uint32_t dwDiffuse = 0xFFFFFFFF;
    uint32_t dwColorOp = 4;
};

// Copies a w x h rectangle from (sx, sy) of src to (x, y) of dst; returns 0.
int DDBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags);
// Draws the source rectangle (sw, sh may be negative under Direct3D: mirrored) scaled into (x, y, w, h).
void DDStretchBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                  int flags);
// DDBlt with a tint under Direct3D.
int DDBltEx(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags,
            const DDCOLORPAIR* pair);
// DDStretchBlt with a tint under Direct3D.
void DDBltColor(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                int flags, const DDCOLORPAIR* pair);
// True when DDBlt of the source rectangle (w x h at sx, sy) onto dst sets every destination pixel it
// covers: under the DirectDraw rules, the rectangle inside the source, of dst's format, and a plain
// copy, a source without a colour key or a rectangle without a pixel of the key. Always false under the
// Direct3D rules (a texel's alpha is read at drawing).
bool DDBltIsOpaque(const DDSURFACEDATA* dst, DDSURFACEDATA* src, int sx, int sy, int w, int h, int flags);
// The pixels a blit from src reads (a view's: its picture's); null when src is null.
const DDPIXELS* DDSourcePixels(DDSURFACEDATA* src);
// Cuts the rectangles to both surfaces, keeping every drawn pixel where it would be unclipped; false when nothing is left.
bool DDClipBlt(DDSURFACEDATA* dst, int* x, int* y, int* w, int* h, DDSURFACEDATA* src, int* sx, int* sy, int* sw,
               int* sh);

// Draw states of the Direct3D rules (nothing under DirectDraw).
void DDSetDiffuseColor(uint32_t argb);
void DDResetDiffuseColor();
void DDSetColorOp(uint32_t op);
void DDResetColorOp();
void DDSetAlphaOp(uint32_t op);
void DDResetAlphaOp();

// Sprite batch (Direct3D): blits onto render targets wait for DDEndBatch; mode nonzero groups them by texture.
void DDBeginBatch(int mode);
void DDAddBatchTexture(DDSURFACEDATA* src);
void DDEndBatch();
// Fill batch (Direct3D): fills of render targets wait for DDEndFillBatch.
void DDBeginFillBatch();
void DDEndFillBatch();
// True while the fill batch is open; appends a fill to it.
bool DDFillBatchOpen();
void DDAddFillBatch(DDSURFACEDATA* dst, int x, int y, int w, int h, uint32_t colour);
// Closes both batches without drawing (tests).
void DDResetBatches();

// Draws an untextured quad of an ARGB colour, blended by its alpha, over a rectangle of dst
// (views followed, redirected in virtual back buffer mode); no batch, no transparent clear.
void DDDrawQuadRGB(DDSURFACEDATA* dst, int x, int y, int w, int h, uint32_t argb);

// Applies the Direct3D quad rules to one pixel: texel and destination → result (used by fills and effects).
uint32_t DDShadePixel(uint32_t texel, uint32_t dst, uint32_t diffuse, uint32_t colorOp, uint32_t alphaOp);
