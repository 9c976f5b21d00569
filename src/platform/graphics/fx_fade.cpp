#include "platform/graphics/fx_fade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_raster.h"
#include "platform/graphics/fx_lock.h"
#include "platform/graphics/fx_palette.h"
#include "platform/system/log.h"
#include "records/utility.h"

namespace {

constexpr double FADE_VISIBLE = 90.0;  // the level at which the picture shows plainly
constexpr double FADE_COLOUR = 0.0;    // the level at which only the colour shows

// The four levels, one per operation and back end.
struct FADELEVELS {
    double ddOut = FADE_VISIBLE, ddIn = FADE_COLOUR, d3dOut = FADE_VISIBLE, d3dIn = FADE_COLOUR;
} g_Level;

// Draws one step at the given level; false when the Direct3D scene could not be had (the level must not move).
bool DrawFadeStep(double level, PALETTEENTRY* dst, int first, int last, int r, int g, int b, const PALETTEENTRY* src) {
    if (DDIsD3D()) {
        const int weight = DDFadeWeight(level, 255);
        DDSURFACEDATA* target = &BackBuffer;
        DDRedirectBackBuffer(&target);
        if (!DDBeginScene() || !DDSetRenderTarget(0, target)) return false;
        // The overlay is always black: the colour arguments are not used.
        if (target->HasSurface())
            dd::FillQuad(target->Surface, 0, 0, target->nWidth, target->nHeight,
                         static_cast<uint32_t>(255 - weight) << 24);
        DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
        return true;
    }
    const int weight = DDFadeWeight(level, 256);
    const int depth = DDGetColorBit();
    if (depth == 8) {
        if (!dst || !src) return true;
        DDBlendPalette(dst, first, last, weight, static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                       static_cast<uint8_t>(b), src);
        first = std::max(first, 0);
        last = std::min(last, 255);
        if (first <= last) DDSetPaletteEntries(first, last - first + 1, dst + first);
    } else if (depth == 16 || depth == 24 || depth == 32) {
        DDFade_UnPal(&BackBuffer, weight, r, g, b, &ScreenCopySD);
    }
    return true;
}

// Takes the frame that a true-colour DirectDraw fade mixes from.
void FreezeFrame() {
    if (DDIsD3D() || DDGetColorBit() == 8) return;
    DDBlt(&ScreenCopySD, 0, 0, ScreenCopySD.nWidth, ScreenCopySD.nHeight, &BackBuffer, 0, 0, DDBLT_COPY);
}

}  // namespace

int DDFadeWeight(double level, int scale) {
    return DoubleToInt(std::sin(level * std::numbers::pi / 180.0) * scale);
}

int DDFadeOut(PALETTEENTRY* dst, int first, int last, int r, int g, int b, double speed, const PALETTEENTRY* src,
              uint8_t finishNow) {
    double& level = DDIsD3D() ? g_Level.d3dOut : g_Level.ddOut;
    if (level == FADE_VISIBLE) FreezeFrame();
    if (finishNow) level = FADE_COLOUR;
    if (!DrawFadeStep(level, dst, first, last, r, g, b, src)) return 0;
    if (level > FADE_COLOUR) {
        level = std::max(level - speed, FADE_COLOUR);
        return 0;
    }
    level = FADE_VISIBLE;
    return 1;
}

int DDFadeIn(PALETTEENTRY* dst, int first, int last, int r, int g, int b, double speed, const PALETTEENTRY* src,
             uint8_t finishNow) {
    double& level = DDIsD3D() ? g_Level.d3dIn : g_Level.ddIn;
    if (level == FADE_COLOUR) FreezeFrame();
    if (finishNow) level = FADE_VISIBLE;
    if (!DrawFadeStep(level, dst, first, last, r, g, b, src)) return 0;
    if (level < FADE_VISIBLE) {
        level = std::min(level + speed, FADE_VISIBLE);
        return 0;
    }
    level = FADE_COLOUR;
    return 1;
}

void DDResetFades() { g_Level = FADELEVELS{}; }

int DDFade_UnPal(DDSURFACEDATA* dst, int weight, int r, int g, int b, DDSURFACEDATA* src) {
    if (DDIsD3D()) {
        WriteECf("D3DではDDFade_UnPalは未対応");
        return 1;
    }
    cSurfaceLock d(dst);
    if (!d.Locked()) return 0;
    cSurfaceLock s(src);
    if (!s.Locked()) return 0;
    if (d.m_nBitCount != 32 || s.m_nBitCount != 32) return 1;
    weight = std::clamp(weight, 0, 256);
    const uint32_t iw = static_cast<uint32_t>(256 - weight), w = static_cast<uint32_t>(weight);
    const uint32_t colour = (static_cast<uint32_t>(r & 255) << 16) | (static_cast<uint32_t>(g & 255) << 8) |
                            static_cast<uint32_t>(b & 255);
    const uint32_t crb = (colour & 0xFF00FFu) * iw, cg = (colour & 0x00FF00u) * iw;
    // Only where both pictures have the pixel.
    const int width = std::min(d.m_nWidth, s.m_nWidth), height = std::min(d.m_nHeight, s.m_nHeight);
    for (int y = 0; y < height; ++y) {
        uint32_t* dr = d.Row32(y);
        const uint32_t* sr = s.Row32(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = sr[x];
            // Red and blue share one multiply: each lane's sum stays below 65,536.
            const uint32_t rb = (((p & 0xFF00FFu) * w + crb) >> 8) & 0xFF00FFu;
            const uint32_t gg = (((p & 0x00FF00u) * w + cg) >> 8) & 0x00FF00u;
            dr[x] = (dr[x] & 0xFF000000u) | rb | gg;
        }
    }
    return 1;
}

int DDChangeColor(DDSURFACEDATA* dst, int x, int y, int w, int h, int alpha, uint8_t r, uint8_t g, uint8_t b) {
    if (!DDIsD3D()) {
        WriteECf("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,"
                 "BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応");
        return 1;
    }
    // An overlay over the rectangle: it needs no texture of the target, so the back buffer can take it.
    cSurfaceLock d(dst);
    if (!d.Locked() || d.m_nBitCount != 32) return 1;
    if (!dd::ClipRect(&x, &y, &w, &h, d.m_nWidth, d.m_nHeight)) return 1;
    const uint32_t keep = static_cast<uint32_t>(std::clamp(alpha, 0, 255)), take = 256 - keep;
    const uint32_t colour = (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
    const uint32_t crb = (colour & 0xFF00FFu) * take, cg = (colour & 0x00FF00u) * take;
    for (int row = y; row < y + h; ++row) {
        uint32_t* p = d.Row32(row) + x;
        for (int i = 0; i < w; ++i) {
            const uint32_t v = p[i];
            p[i] = (v & 0xFF000000u) | ((((v & 0xFF00FFu) * keep + crb) >> 8) & 0xFF00FFu) |
                   ((((v & 0x00FF00u) * keep + cg) >> 8) & 0x00FF00u);
        }
    }
    return 1;
}

int DDChangeColorFrom(DDSURFACEDATA* dst, int, int, int, int, DDSURFACEDATA* src, int alpha, uint8_t r, uint8_t g,
                      uint8_t b) {
    if (!DDIsD3D()) {
        WriteECf("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,"
                 "BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応");
        return 1;
    }
    if (!dst || !src) return 1;
    dst = dd::Resolve(dst);
    src = dd::Resolve(src);
    DDRedirectBackBuffer(&dst);
    if (!dst->HasSurface() || !src->HasSurface()) return 1;
    if (!DDBeginScene() || !DDSetRenderTarget(0, dst)) return 1;
    // The whole destination, each pixel from the source pixel at the same place; a source that is the
    // destination itself is read as it was before the draw.
    dd::STATES st;
    st.diffuse = (static_cast<uint32_t>(255 - std::clamp(alpha, 0, 255)) << 24) | (static_cast<uint32_t>(r) << 16) |
                 (static_cast<uint32_t>(g) << 8) | b;
    st.colorOp = D3DTOP_MODULATE;
    st.alphaOp = D3DTOP_MODULATE;
    dd::Rasterize(dst, 0, 0, dst->nWidth, dst->nHeight, src, 0, 0, dst->nWidth, dst->nHeight, DDBLT_COPY,
                  dd::RASTER_QUAD, st);
    DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
    return 1;
}
