#include "platform/graphics/dd_draw.h"

#include <cstdarg>
#include <cstdio>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_sprite_list.h"
#include "platform/system/log.h"

void DDPutPixel(DDSURFACEDATA* sd, int x, int y, uint32_t n) {
    if (!sd || x < 0 || y < 0 || x >= sd->nWidth || y >= sd->nHeight) return;
    DDFillRect(sd, x, y, 1, 1, n);
}

void DDDrawCircle(DDSURFACEDATA* sd, int cx, int cy, int r, uint32_t n) {
    if (!sd || r < 1) return;
    int x = 0, y = r, d = 3 - 2 * r;
    while (x <= y) {
        const int pts[8][2] = {{cx + x, cy + y}, {cx - x, cy + y}, {cx + x, cy - y}, {cx - x, cy - y},
                               {cx + y, cy + x}, {cx - y, cy + x}, {cx + y, cy - x}, {cx - y, cy - x}};
        for (const auto& p : pts) DDPutPixel(sd, p[0], p[1], n);
        if (d < 0) {
            d += 4 * x + 6;
        } else {
            d += 4 * (x - y) + 10;
            --y;
        }
        ++x;
    }
}

void DDDrawBitmapText(DDSURFACEDATA* dst, int x, int y, int cw, int ch, DDSURFACEDATA* font, const char* text) {
    if (!dst || !font || !text) return;
    const bool batch = lpDTCon != nullptr;
    if (batch) DDBeginBatch(0);
    int offset = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const int c = *p;
        if (c == 10) {
            y += ch;
            offset = 0;
            continue;
        }
        int row = c >> 4;
        if (c >= 0xA6 && c <= 0xBF) row -= 10;
        else if (c >= 0xC0 && c <= 0xDD) row -= 4;
        DDBlt(dst, x + offset, y, cw, ch, font, (c & 15) * cw, row * ch, DDBLT_COLORKEY);
        offset += cw;
        if (offset >= DDG.nWidth) {
            y += ch;
            offset = 0;
        }
    }
    if (batch) DDEndBatch();
}

void DDDrawBitmapTextF(DDSURFACEDATA* dst, int x, int y, int cw, int ch, DDSURFACEDATA* font, const char* format,
                       ...) {
    if (!format) return;
    char buf[1024];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    DDDrawBitmapText(dst, x, y, cw, ch, font, buf);
}

bool DDLockPixels(DDSURFACEDATA* sd, DDSURFACEDESC2* desc) {
    DDFlushSpriteList();  // the pixels are read or written directly from here on
    sd = dd::Resolve(sd);
    if (!sd || !desc || !sd->HasSurface()) return false;
    DDPIXELS& px = sd->Surface;
    desc->dwSize = 124;
    desc->dwWidth = static_cast<uint32_t>(px.width);
    desc->dwHeight = static_cast<uint32_t>(px.height);
    desc->lPitch = px.pitch;
    desc->lpSurface = px.bits.data();
    desc->dwRGBBitCount = px.format == DDFMT_INDEX8 ? 8 : 32;
    return true;
}

bool DDLock(DDSURFACEDATA* sd, DDSURFACEDESC2* desc, void** pixels, int depth) {
    if (lpDTCon) {
        WriteECf("D3DではDDLockは未対応");
        return true;
    }
    DDSURFACEDESC2 local;
    if (!desc) desc = &local;
    if (!DDLockPixels(sd, desc)) return false;
    if (pixels && depth >= 8 && depth <= 32) *pixels = desc->lpSurface;
    return true;
}

void DDUnlock(DDSURFACEDATA*) {}
