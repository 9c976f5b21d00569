#include "play/effects/scr_effect_draw.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_pixel.h"
#include "platform/graphics/fx_strip.h"
#include "platform/graphics/fx_warp.h"
#include "records/utility.h"

namespace {

constexpr int W = SCREFFECT_WIDTH, H = SCREFFECT_HEIGHT;

int CeilDiv(int extent, int parts) { return (extent + std::max(parts, 1) - 1) / std::max(parts, 1); }

// Kind 11: the picture shrunk about the screen's middle, or a window about the hero stretched to the screen.
void DrawZoom(DDSURFACEDATA* dst, DDSURFACEDATA* work, double current, const SCREFFECTSCENE& scene) {
    const double f = current / W;
    if (f < 1) {
        const int w = DoubleToInt(W * f), h = DoubleToInt(H * f);
        DDStretchBlt(dst, (W - w) / 2, (H - h) / 2, w, h, work, 0, 0, W, H, DDBLT_COLORKEY);
        return;
    }
    const int sw = std::max(DoubleToInt(W / f), 1), sh = std::max(DoubleToInt(H / f), 1);
    const int sx = std::clamp(scene.nCenterX - sw / 2, 0, W - sw), sy = std::clamp(scene.nCenterY - sh / 2, 0, H - sh);
    DDStretchBlt(dst, 0, 0, W, H, work, sx, sy, sw, sh, DDBLT_COLORKEY);
}

// Kind 12: a lens about the hero (moved by parameters 4 and 5) wide enough to cover the whole screen.
void DrawLens(DDSURFACEDATA* dst, DDSURFACEDATA* work, const cScrEffectRun& run, const SCREFFECTSCENE& scene) {
    const int x = scene.nCenterX + run.Param(4), y = scene.nCenterY + run.Param(5);
    const int far = std::max(std::max(x, W - x), std::max(y, H - y));
    const int size = DoubleToInt(far * dRoot2);
    DDBltLens(dst, x, y, size, DoubleToInt(run.m_dCurrent), work, x, y, 0, 0);
}

// The transformed work surface drawn onto dst (kinds 1 to 13 but 8).
void DrawTransformed(const cScrEffectRun& run, int kind, DDSURFACEDATA* dst, DDSURFACEDATA* work,
                     const SCREFFECTSCENE& scene) {
    const int current = DoubleToInt(run.m_dCurrent), shake = DoubleToInt(run.m_dShake);
    switch (kind) {
        case SCREFFECT_MOVE: DDBlt(dst, run.m_nWork[0], run.m_nWork[1], W, H, work, 0, 0, DDBLT_COPY); break;
        case SCREFFECT_SHAKE_H: DDBlt(dst, shake, 0, W, H, work, 0, 0, DDBLT_COPY); break;
        case SCREFFECT_SHAKE_V: DDBlt(dst, 0, shake, W, H, work, 0, 0, DDBLT_COPY); break;
        case SCREFFECT_SPLIT_H:
            DDBltStripShift(dst, 0, 0, W, H, CeilDiv(H, run.Param(4)), current, work, 0, 0, DDBLT_COPY, 0);
            break;
        case SCREFFECT_SPLIT_V:
            DDBltStripShift(dst, 0, 0, W, H, CeilDiv(W, run.Param(4)), current, work, 0, 0, DDBLT_COPY, 1);
            break;
        case SCREFFECT_WAVE_H:
        case SCREFFECT_WAVE_V:
            DDBltWave(dst, 0, 0, W, H, run.Param(4), run.m_dCurrent, run.m_nWork[0], run.Param(5), work, 0, 0,
                      DDBLT_COPY, kind == SCREFFECT_WAVE_V ? 1 : 0);
            break;
        case SCREFFECT_ROTATE: DDBltRotatePixel(dst, W / 2, H / 2, W, H, W / 2, H / 2, current, work, 0, 0, 0); break;
        case SCREFFECT_CIRCLE: {
            const int cx = scene.nCenterX, cy = scene.nCenterY;
            DDBltCircle(dst, cx, cy, cx < W / 2 ? W - cx : cx, cy < H / 2 ? H - cy : cy, current, run.Param(4), work,
                        cx, cy, DDBLT_COPY);
            break;
        }
        case SCREFFECT_ZOOM: DrawZoom(dst, work, run.m_dCurrent, scene); break;
        case SCREFFECT_LENS: DrawLens(dst, work, run, scene); break;
        case SCREFFECT_MOSAIC: DDBltMosaic(dst, 0, 0, W, H, std::max(current, 1), work, 0, 0, 0); break;
        default: break;
    }
}

}  // namespace

bool cScrEffectCanvas::Prepare() {
    const DDFORMAT format = DDGetColorBit() == 8 ? DDFMT_INDEX8 : DDFMT_ARGB8888;
    const bool fits = m_Work.HasSurface() && !m_Work.bLost && m_Work.Surface.format == format &&
                      (m_Work.lpDT != nullptr) == DDIsD3D();
    if (fits) return true;
    Release();
    return DDCreateSurface(&m_Work, W, H, 1, 1, DTMEMORYTYPE_VIDEO_NORT, 0, 0);
}

void cScrEffectCanvas::Release() { DDReleaseSurface(&m_Work); }

int32_t DrawScrEffectKind(cScrEffectRun& run, DDSURFACEDATA* dst, int frozen, cScrEffectCanvas& canvas,
                          const SCREFFECTSCENE& scene) {
    const int32_t kind = run.Kind();
    if (kind == SCREFFECT_NONE) {
        if (DDIsD3D() && lpDTCon->bVirtualMode) DDSelectBackBuffer(0);
        return 0;
    }
    if (kind == SCREFFECT_BLINK) {
        if (run.m_nWork[1] == 0 && scene.DrawBackgroundLayers) scene.DrawBackgroundLayers();
    } else if (canvas.Prepare()) {
        DDSURFACEDATA* work = &canvas.m_Work;
        DDBlt(work, 0, 0, W, H, dst, 0, 0, DDBLT_COPY);
        // The horizontal shake clears only the band its picture leaves open.
        if (kind != SCREFFECT_SHAKE_H) DDFillRect(dst, 0, 0, W, H, SCREFFECT_BACK_COLOUR);
        else if (run.m_dShake >= 0) DDFillRect(dst, 0, 0, DoubleToInt(run.m_dShake + 1), H, SCREFFECT_BACK_COLOUR);
        else
            DDFillRect(dst, DoubleToInt(run.m_dShake + W), 0, DoubleToInt(1 - run.m_dShake), H, SCREFFECT_BACK_COLOUR);
        DDSetAlphaOp(D3DTOP_DISABLE);
        DrawTransformed(run, kind, dst, work, scene);
        DDResetAlphaOp();
    }
    return frozen ? 0 : run.Advance();
}

void DrawScreenEffect(cScrEffectRun& run, DDSURFACEDATA* dst, int frozen, cScrEffectCanvas& canvas,
                      const SCREFFECTSCENE& scene) {
    if (run.m_nId == 0) return;
    if (DrawScrEffectKind(run, dst, frozen, canvas, scene) != 1) return;
    run.m_nId = 0;
    DDSelectBackBuffer(0);
}
