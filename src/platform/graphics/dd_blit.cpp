#include "platform/graphics/dd_blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_present.h"
#include "platform/graphics/dd_raster.h"
#include "platform/graphics/dd_sprite_list.h"

// ---- draw states -----------------------------------------------------------

void DDSetDiffuseColor(uint32_t argb) {
    if (lpDTCon) lpDTCon->dwDiffuse = argb;
}
void DDResetDiffuseColor() {
    if (lpDTCon) lpDTCon->dwDiffuse = 0xFFFFFFFF;
}
void DDSetColorOp(uint32_t op) {
    if (lpDTCon) lpDTCon->dwColorOp = op;
}
void DDResetColorOp() {
    if (lpDTCon) lpDTCon->dwColorOp = D3DTOP_MODULATE;
}
void DDSetAlphaOp(uint32_t op) {
    if (lpDTCon) lpDTCon->dwAlphaOp = op;
}
void DDResetAlphaOp() {
    if (lpDTCon) lpDTCon->dwAlphaOp = D3DTOP_SELECTARG1;
}

// ---- batches ---------------------------------------------------------------

namespace {

struct BATCHENTRY {
    uint32_t key = 0;
    DDSURFACEDATA* dst = nullptr;
    DDSURFACEDATA* src = nullptr;
    int x = 0, y = 0, w = 0, h = 0, sx = 0, sy = 0, sw = 0, sh = 0, flags = 0;
    dd::STATES st;
};

struct SPRITEBATCH {
    bool open = false;
    int mode = 0;
    std::vector<BATCHENTRY> entries;
    uint32_t counter = 0;
    std::vector<std::pair<DDSURFACEDATA*, uint32_t>> textures;
} g_Batch;

struct FILLENTRY {
    DDSURFACEDATA* dst = nullptr;
    int x = 0, y = 0, w = 0, h = 0;
    uint32_t colour = 0;
};

struct FILLBATCH {
    bool open = false;
    std::vector<FILLENTRY> entries;
} g_Fill;

dd::STATES CurrentStates() {
    return dd::STATES{lpDTCon->dwDiffuse, lpDTCon->dwColorOp, lpDTCon->dwAlphaOp};
}

}  // namespace

void DDBeginBatch(int mode) {
    g_Batch.open = true;
    g_Batch.mode = mode;
    g_Batch.entries.clear();
    g_Batch.textures.clear();
    g_Batch.counter = 0;
}

void DDAddBatchTexture(DDSURFACEDATA* src) {
    if (!g_Batch.open || !g_Batch.mode || !src) return;
    for (const auto& t : g_Batch.textures)
        if (t.first == src) return;
    g_Batch.textures.emplace_back(src, static_cast<uint32_t>(g_Batch.textures.size() + 1) * 100000u);
}

void DDEndBatch() {
    if (!g_Batch.open) return;
    g_Batch.open = false;
    auto& e = g_Batch.entries;
    if (e.empty() || !lpDTCon) {
        e.clear();
        return;
    }
    if (g_Batch.mode)
        std::stable_sort(e.begin(), e.end(), [](const BATCHENTRY& a, const BATCHENTRY& b) { return a.key < b.key; });
    for (size_t i = 0; i < e.size();) {
        size_t j = i + 1;
        while (j < e.size() && e[j].dst == e[i].dst && e[j].src == e[i].src && e[j].flags == e[i].flags &&
               e[j].st.diffuse == e[i].st.diffuse && e[j].st.colorOp == e[i].st.colorOp &&
               e[j].st.alphaOp == e[i].st.alphaOp)
            ++j;
        DDBeginScene();
        if (DDSetRenderTarget(0, e[i].dst)) {
            // A run clears every rectangle first, then draws them in order.
            if (e[i].flags == 0 && e[i].src->lpDT && e[i].src->lpDT->bColorKey)
                for (size_t k = i; k < j; ++k)
                    dd::ClearQuadArea(e[k].dst, e[k].x, e[k].y, e[k].w, e[k].h, e[k].src, e[k].sx, e[k].sy, e[k].sw,
                                      e[k].sh, dd::TransparentValue(e[k].dst));
            for (size_t k = i; k < j; ++k)
                dd::Rasterize(e[k].dst, e[k].x, e[k].y, e[k].w, e[k].h, e[k].src, e[k].sx, e[k].sy, e[k].sw, e[k].sh,
                              e[k].flags, dd::RASTER_QUAD, e[k].st);
            DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
        }
        i = j;
    }
    e.clear();
}

void DDBeginFillBatch() {
    g_Fill.open = true;
    g_Fill.entries.clear();
}

void DDEndFillBatch() {
    const bool wasOpen = g_Fill.open;
    g_Fill.open = false;
    if (!wasOpen || !lpDTCon) {
        g_Fill.entries.clear();
        return;
    }
    for (const FILLENTRY& f : g_Fill.entries) {
        if (!f.dst || !f.dst->HasSurface()) continue;
        DDBeginScene();
        dd::FillQuad(f.dst->Surface, f.x, f.y, f.w, f.h, f.colour);
    }
    g_Fill.entries.clear();
}

bool DDFillBatchOpen() { return g_Fill.open; }

void DDAddFillBatch(DDSURFACEDATA* dst, int x, int y, int w, int h, uint32_t colour) {
    g_Fill.entries.push_back(FILLENTRY{dst, x, y, w, h, colour});
}

void DDResetBatches() {
    g_Batch = SPRITEBATCH{};
    g_Fill = FILLBATCH{};
}

// ---- blits -----------------------------------------------------------------

namespace {

// A keyed blit from a picture that has no colour key has nothing to leave
// out: it is drawn whole, as Direct3D draws it (the menu windows are such
// pictures and would otherwise vanish under DirectDraw).
int KeyedOnlyWithKey(const DDSURFACEDATA* src, int flags) {
    return flags == DDBLT_COLORKEY && !src->Surface.bColorKey ? DDBLT_COPY : flags;
}

}  // namespace

void DDStretchBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                  int flags) {
    if (!dst || !src) return;
    if (!lpDTCon) {
        // DirectDraw cannot mirror through a blit: an inverted source rectangle draws nothing.
        if (sw < 0 || sh < 0) return;
        src = dd::Resolve(src);  // a view (a stage picture's other handles) shows its picture's pixels
        if (DDSpriteListTakes(dst, x, y, w, h, src, sx, sy, sw, sh, KeyedOnlyWithKey(src, flags))) return;
        dd::Rasterize(dst, x, y, w, h, src, sx, sy, sw, sh, KeyedOnlyWithKey(src, flags), dd::RASTER_DD, dd::STATES{});
        if (dst == &PrimarySD) DDSubmitFrame(&PrimarySD);
        return;
    }
    if (src->lpViewSD) {
        // A mirrored view reads each cell of its picture from the other side.
        const int cw = src->nMirrorWidth, ch = src->nMirrorHeight;
        if (cw > 0) {
            if (sw == cw) sx += sw, sw = -sw;
            else if (sw < cw) sx = sx - 2 * (sx % cw) + cw, sw = -sw;
        }
        if (ch > 0) {
            if (sh == ch) sy += sh, sh = -sh;
            else if (sh < ch) sy = sy - 2 * (sy % ch) + ch, sh = -sh;
        }
    }
    dst = dd::Resolve(dst);
    src = dd::Resolve(src);
    if (lpDTCon->bCopying) {
        dst = &BackBuffer;
        src = &VirBackBuffer;
    } else {
        DDRedirectBackBuffer(&dst);
        DDRedirectBackBuffer(&src);
    }
    const bool quad = dd::IsRenderTarget(dst) && src->lpDT && src->lpDT->dwMemoryType != DTMEMORYTYPE_SYSTEM;
    if (!quad) {
        dd::Rasterize(dst, x, y, w, h, src, sx, sy, sw, sh, flags, dd::RASTER_SOFT, dd::STATES{});
        return;
    }
    dd::AXIS ax, ay;
    if (!dd::ClipAxes(dst, x, y, w, h, src, sx, sy, sw, sh, dd::RASTER_QUAD, &ax, &ay)) return;
    if (g_Batch.open) {
        BATCHENTRY e{0, dst, src, x, y, w, h, sx, sy, sw, sh, flags, CurrentStates()};
        uint32_t key = 0;
        for (const auto& t : g_Batch.textures)
            if (t.first == src) key = t.second;
        e.key = g_Batch.counter++ + key;
        g_Batch.entries.push_back(e);
        return;
    }
    if (!DDBeginScene() || !DDSetRenderTarget(0, dst)) return;
    // A flags-0 copy of a keyed picture first clears its area, so that it carries its transparency.
    if (flags == 0 && src->lpDT->bColorKey)
        dd::FillPixels(dst->Surface, ax.d0, ay.d0, ax.n, ay.n, dd::TransparentValue(dst));
    dd::RasterizeAxes(dst, src, ax, ay, flags, dd::RASTER_QUAD, CurrentStates());
    DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
}

int DDBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags) {
    if (lpDTCon) {
        DDStretchBlt(dst, x, y, w, h, src, sx, sy, w, h, flags);
        return 0;
    }
    if (!dst || !src) return 0;
    src = dd::Resolve(src);
    if (DDSpriteListTakes(dst, x, y, w, h, src, sx, sy, w, h, KeyedOnlyWithKey(src, flags))) return 0;
    dd::Rasterize(dst, x, y, w, h, src, sx, sy, w, h, KeyedOnlyWithKey(src, flags), dd::RASTER_DD, dd::STATES{});
    // The primary surface is the screen: what is drawn into it is shown.
    if (dst == &PrimarySD) DDSubmitFrame(&PrimarySD);
    return 0;
}

bool DDBltIsOpaque(const DDSURFACEDATA* dst, DDSURFACEDATA* src, int sx, int sy, int w, int h, int flags) {
    if (lpDTCon || !dst || !src || w < 1 || h < 1) return false;
    const DDPIXELS& S = dd::Resolve(src)->Surface;
    if (S.Empty() || S.format != dst->Surface.format || sx < 0 || sy < 0 || w > S.width - sx || h > S.height - sy)
        return false;
    if (KeyedOnlyWithKey(dd::Resolve(src), flags) != DDBLT_COLORKEY) return true;
    uint32_t keyed = 0;  // branch-free within a row: the rows vectorize
    for (int y = sy; y < sy + h && !keyed; ++y) {
        if (S.format == DDFMT_INDEX8) {
            const uint8_t* row = S.Row(y) + sx;
            const uint8_t key = static_cast<uint8_t>(S.dwColorKey);
            for (int x = 0; x < w; ++x) keyed |= row[x] == key;
        } else {
            const uint32_t* row = S.Row32(y) + sx;
            const uint32_t key = S.dwColorKey & 0xFFFFFF;
            for (int x = 0; x < w; ++x) keyed |= (row[x] & 0xFFFFFF) == key;
        }
    }
    return !keyed;
}

const DDPIXELS* DDSourcePixels(DDSURFACEDATA* src) {
    src = dd::Resolve(src);
    return src ? &src->Surface : nullptr;
}

void DDBltColor(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                int flags, const DDCOLORPAIR* pair) {
    if (!lpDTCon || !pair) {
        DDStretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, flags);
        return;
    }
    DDSetDiffuseColor(pair->dwDiffuse);
    DDSetColorOp(pair->dwColorOp);
    DDStretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, flags);
    DDResetDiffuseColor();
    DDResetColorOp();
}

int DDBltEx(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags,
            const DDCOLORPAIR* pair) {
    if (!lpDTCon) return DDBlt(dst, x, y, w, h, src, sx, sy, flags);
    DDBltColor(dst, x, y, w, h, src, sx, sy, w, h, flags, pair);
    return 0;
}

void DDDrawQuadRGB(DDSURFACEDATA* dst, int x, int y, int w, int h, uint32_t argb) {
    dst = dd::Resolve(dst);
    if (!dst) return;
    DDRedirectBackBuffer(&dst);
    if (!dst->HasSurface() ||
        !dd::ClipRect(&x, &y, &w, &h, std::min(dst->nWidth, dst->Surface.width), std::min(dst->nHeight, dst->Surface.height)))
        return;
    DDBeginScene();
    dd::FillQuad(dst->Surface, x, y, w, h, argb);
}

bool DDClipBlt(DDSURFACEDATA* dst, int* x, int* y, int* w, int* h, DDSURFACEDATA* src, int* sx, int* sy, int* sw,
               int* sh) {
    if (!dst || !src || !x || !y || !w || !h || !sx || !sy || !sw || !sh) return false;
    dd::AXIS ax, ay;
    if (!dd::ClipAxes(dst, *x, *y, *w, *h, src, *sx, *sy, *sw, *sh,
                      lpDTCon ? dd::RASTER_QUAD : dd::RASTER_DD, &ax, &ay))
        return false;
    auto apply = [](const dd::AXIS& a, int* d, int* n, int* s, int* sn) {
        const int first = a.Src(0), last = a.Src(a.n - 1);
        const bool same = *n == *sn || *n == -*sn;
        *d = a.d0;
        *n = a.n;
        if (*sn > 0) {
            *s = first;
            *sn = same ? a.n : last - first + 1;
        } else {
            *s = first + 1;
            *sn = same ? -a.n : -(first - last + 1);
        }
    };
    apply(ax, x, w, sx, sw);
    apply(ay, y, h, sy, sh);
    return true;
}
