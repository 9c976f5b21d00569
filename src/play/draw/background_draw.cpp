#include "play/draw/background_draw.h"

#include <cmath>

#include "database/common_bitmaps.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_palette.h"
#include "records/utility.h"

namespace {

constexpr int SCREEN_W = 640, SCREEN_H = 480;
constexpr uint32_t EMPTY_COLOUR = 16;
constexpr int MAX_TILES = 1000;

// The picture of layer i, or null when the layer has none.
DDSURFACEDATA* LayerPicture(int i) {
    if (i < 0 || i >= CB_BACKGROUND_NUM) return nullptr;
    DDSURFACEDATA* sd = &CommonSurfaces[CB_BACKGROUND1 + i];
    if (!sd->HasSurface() || sd->nWidth <= 0 || sd->nHeight <= 0) return nullptr;
    return sd;
}

// Brings an offset into [0, size) by one turn at most (the speed is below a picture's size).
double WrapOnce(double v, int size) {
    if (v < 0) v += size;
    else if (v >= size) v -= size;
    // A speed larger than the picture would leave it outside: wrap fully.
    if (v < 0 || v >= size) {
        v = std::fmod(v, size);
        if (v < 0) v += size;
    }
    return v;
}

// Source origin on one axis, reduced into [0, size).
int Origin(int bAuto, double offset, double pos, int margin, double rate, int size) {
    int o = bAuto ? DoubleToInt(offset + pos - margin * 32)
                  : DoubleToInt((DoubleToInt(pos + 0.5) - margin * 32) * rate);
    o %= size;
    if (o < 0) o += size;
    return o;
}

void TileLayer(DDSURFACEDATA* dst, DDSURFACEDATA* pic, int ox, int oy, int flags) {
    const int w = pic->nWidth, h = pic->nHeight;
    DDBeginBatch(0);
    int y = 0;
    for (int row = 0; y <= SCREEN_H - 1 && row < MAX_TILES; ++row) {
        const int sy = row == 0 ? oy : 0, th = h - sy;
        int x = 0;
        for (int col = 0; x <= SCREEN_W - 1 && col < MAX_TILES; ++col) {
            const int sx = col == 0 ? ox : 0, tw = w - sx;
            DDBlt(dst, x, y, tw, th, pic, sx, sy, flags);
            x += tw;
        }
        y += th;
    }
    DDEndBatch();
}

}  // namespace

void StepLayerScroll(cSafeVector<cIntRec>& layers, int bPauseMenu) {
    if (bPauseMenu) return;
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        cIntRec& l = layers[i];
        DDSURFACEDATA* pic = LayerPicture(i);
        if (!pic) continue;  // no picture: no size to wrap in
        if (l.g) l.i = WrapOnce(l.i - l.e, pic->nWidth);
        if (l.h) l.j = WrapOnce(l.j - l.f, pic->nHeight);
    }
}

void DrawBackgroundLayers(DDSURFACEDATA* dst, const cSafeVector<cIntRec>& layers, const PLAYSCROLLVIEW& scroll,
                          int front) {
    bool bDrawn = false;
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        const cIntRec& l = layers[i];
        if (!l.a || (l.d != 0) != (front != 0)) continue;
        if (l.b) {
            DDFillRect(dst, 0, 0, SCREEN_W, SCREEN_H, static_cast<uint32_t>(l.c));
            bDrawn = true;
            continue;
        }
        DDSURFACEDATA* pic = LayerPicture(i);
        if (!pic) continue;
        const int ox = Origin(l.g, l.i, scroll.dPosX, scroll.nMarginX, l.e, pic->nWidth);
        const int oy = Origin(l.h, l.j, scroll.dPosY, scroll.nMarginY, l.f, pic->nHeight);
        // Only the first layer behind everything covers the screen; the others let it show through.
        const int flags = (!front && !bDrawn) ? DDBLT_COPY : DDBLT_COLORKEY;
        TileLayer(dst, pic, ox, oy, flags);
        bDrawn = true;
    }
    if (!front && !bDrawn) DDFillRect(dst, 0, 0, SCREEN_W, SCREEN_H, EMPTY_COLOUR);
}
