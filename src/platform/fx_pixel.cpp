#include "platform/fx_pixel.h"

#include <algorithm>
#include <vector>

#include "platform/dd_blit.h"
#include "platform/dd_init.h"
#include "platform/dd_internal.h"
#include "platform/dd_raster.h"
#include "platform/fx_region.h"
#include "platform/log.h"

namespace {

// Running sums of one summed-area cell: blue, green, red and the number of pixels counted.
struct SUMS {
    uint32_t b = 0, g = 0, r = 0, n = 0;
};

// f applied steps times to every value 0..255 (by repeated squaring, so any count is quick).
void PowerMap(const uint8_t* f, int steps, uint8_t* out) {
    uint8_t base[256], acc[256], tmp[256];
    for (int i = 0; i < 256; ++i) {
        base[i] = f[i];
        acc[i] = static_cast<uint8_t>(i);
    }
    for (unsigned n = static_cast<unsigned>(std::max(steps, 0)); n; n >>= 1) {
        if (n & 1)
            for (int i = 0; i < 256; ++i) acc[i] = base[acc[i]];
        for (int i = 0; i < 256; ++i) tmp[i] = base[base[i]];
        std::copy(tmp, tmp + 256, base);
    }
    std::copy(acc, acc + 256, out);
}

bool Keyed(const cSurfaceLock& s, int colourKey, uint32_t p) { return colourKey == 1 && s.IsTransparent(p); }

}  // namespace

bool DDBltBlur(DDSURFACEDATA* dst, int dx, int dy, int w, int h, int radiusX, int radiusY, DDSURFACEDATA* src, int sx,
               int sy, int colourKey) {
    if (radiusX <= 0 || radiusY <= 0) return true;
    FXLOCKS L(dst, src);
    if (!L.Locked()) return false;
    if (L.d.m_nBitCount == 8 || L.s.m_nBitCount == 8) {
        WriteECf("8ビットぼかしは不可能！");
        return L.Unlock();
    }
    const FXREGION out = FxClipRegion(L.d, dx, dy, L.s, sx, sy, w, h);
    if (out.Empty()) return L.Unlock();
    // Neighbours come from the region and the source only; the sums cover what the written pixels can reach.
    const int64_t rx = radiusX, ry = radiusY;
    const int c0 = static_cast<int>(std::max<int64_t>({0, -int64_t{sx}, out.i0 - rx}));
    const int c1 = static_cast<int>(std::min<int64_t>({w, int64_t{L.s.m_nWidth} - sx, out.i1 + rx - 1}));
    const int r0 = static_cast<int>(std::max<int64_t>({0, -int64_t{sy}, out.j0 - ry}));
    const int r1 = static_cast<int>(std::min<int64_t>({h, int64_t{L.s.m_nHeight} - sy, out.j1 + ry - 1}));
    const int W = c1 - c0, H = r1 - r0;
    std::vector<SUMS> sat(static_cast<size_t>(W + 1) * (H + 1));
    auto at = [&](int x, int y) -> SUMS& { return sat[static_cast<size_t>(y) * (W + 1) + x]; };
    for (int y = 0; y < H; ++y) {
        const uint32_t* row = L.s.Row32(sy + r0 + y) + sx + c0;
        SUMS line;
        const SUMS* up = &at(0, y);
        SUMS* cur = &at(0, y + 1);
        for (int x = 0; x < W; ++x) {
            const uint32_t p = row[x];
            if (!Keyed(L.s, colourKey, p)) {
                line.b += p & 255;
                line.g += (p >> 8) & 255;
                line.r += (p >> 16) & 255;
                ++line.n;
            }
            const SUMS& u = up[x + 1];
            cur[x + 1] = SUMS{u.b + line.b, u.g + line.g, u.r + line.r, u.n + line.n};
        }
    }
    for (int j = out.j0; j < out.j1; ++j) {
        const int ya = static_cast<int>(std::max<int64_t>(j - ry, r0)) - r0;
        const int yb = static_cast<int>(std::min<int64_t>(j + ry, r1)) - r0;
        const uint32_t* srow = L.s.Row32(sy + j);
        uint32_t* drow = L.d.Row32(dy + j);
        const SUMS* A = &at(0, ya);
        const SUMS* B = &at(0, yb);
        for (int i = out.i0; i < out.i1; ++i) {
            if (Keyed(L.s, colourKey, srow[sx + i])) continue;
            const int xa = static_cast<int>(std::max<int64_t>(i - rx, c0)) - c0;
            const int xb = static_cast<int>(std::min<int64_t>(i + rx, c1)) - c0;
            const uint32_t n = B[xb].n - B[xa].n - A[xb].n + A[xa].n;
            if (n == 0) continue;
            const uint32_t b = (B[xb].b - B[xa].b - A[xb].b + A[xa].b) / n;
            const uint32_t g = (B[xb].g - B[xa].g - A[xb].g + A[xa].g) / n;
            const uint32_t r = (B[xb].r - B[xa].r - A[xb].r + A[xa].r) / n;
            uint32_t& q = drow[dx + i];
            q = (q & 0xFF000000u) | (r << 16) | (g << 8) | b;
        }
    }
    return L.Unlock();
}

bool DDBltMosaic(DDSURFACEDATA* dst, int dx, int dy, int w, int h, int cells, DDSURFACEDATA* src, int sx, int sy,
                 int colourKey) {
    FXLOCKS L(dst, src);
    if (!L.Locked()) return false;
    // A cell size below 1 cuts no cells.
    if (cells < 1 || w < 1 || h < 1 || L.d.m_nBitCount != L.s.m_nBitCount) return L.Unlock();
    const bool index8 = L.d.m_nBitCount == 8;
    const bool d3d = DDIsD3D();
    // Only cells that reach a pixel inside the destination are worked out.
    const int64_t ci0 = std::max<int64_t>(0, -int64_t{dx}) / cells, cj0 = std::max<int64_t>(0, -int64_t{dy}) / cells;
    const int64_t iEnd = std::min<int64_t>(w, int64_t{L.d.m_nWidth} - dx);
    const int64_t jEnd = std::min<int64_t>(h, int64_t{L.d.m_nHeight} - dy);
    for (int64_t cj = cj0 * cells; cj < jEnd; cj += cells) {
        const int64_t cjEnd = std::min<int64_t>(cj + cells, h);
        for (int64_t ci = ci0 * cells; ci < iEnd; ci += cells) {
            const int64_t ciEnd = std::min<int64_t>(ci + cells, w);
            uint32_t value = 0;
            if (index8) {
                const int64_t px = sx + ci, py = sy + cj;
                if (px < 0 || py < 0 || px >= L.s.m_nWidth || py >= L.s.m_nHeight) continue;
                value = L.s.Row8(static_cast<int>(py))[px];
                if (Keyed(L.s, colourKey, value)) continue;
            } else {
                const int64_t x0 = std::max<int64_t>(sx + ci, 0), x1 = std::min<int64_t>(sx + ciEnd, L.s.m_nWidth);
                const int64_t y0 = std::max<int64_t>(sy + cj, 0), y1 = std::min<int64_t>(sy + cjEnd, L.s.m_nHeight);
                uint64_t b = 0, g = 0, r = 0, n = 0;
                for (int64_t y = y0; y < y1; ++y) {
                    const uint32_t* row = L.s.Row32(static_cast<int>(y));
                    for (int64_t x = x0; x < x1; ++x) {
                        const uint32_t p = row[x];
                        if (Keyed(L.s, colourKey, p)) continue;
                        b += p & 255;
                        g += (p >> 8) & 255;
                        r += (p >> 16) & 255;
                        ++n;
                    }
                }
                if (n == 0) continue;
                value = static_cast<uint32_t>(((r / n) << 16) | ((g / n) << 8) | (b / n));
                if (Keyed(L.s, colourKey, d3d ? value | 0xFF000000u : value)) continue;
            }
            const int64_t x0 = std::max<int64_t>(dx + ci, 0), x1 = std::min<int64_t>(dx + ciEnd, L.d.m_nWidth);
            const int64_t y0 = std::max<int64_t>(dy + cj, 0), y1 = std::min<int64_t>(dy + cjEnd, L.d.m_nHeight);
            for (int64_t y = y0; y < y1; ++y) {
                if (index8) {
                    std::fill(L.d.Row8(static_cast<int>(y)) + x0, L.d.Row8(static_cast<int>(y)) + x1,
                              static_cast<uint8_t>(value));
                    continue;
                }
                uint32_t* row = L.d.Row32(static_cast<int>(y));
                for (int64_t x = x0; x < x1; ++x) row[x] = (row[x] & 0xFF000000u) | value;
            }
        }
    }
    return L.Unlock();
}

bool DDBltTranslucent(DDSURFACEDATA* dst, int dx, int dy, int w, int h, DDSURFACEDATA* src, int sx, int sy,
                      int colourKey, const uint8_t* table, int level) {
    if (DDIsD3D() && dst && src) {
        DDSURFACEDATA* d = dd::Resolve(dst);
        DDSURFACEDATA* s = dd::Resolve(src);
        DDRedirectBackBuffer(&d);
        DDRedirectBackBuffer(&s);
        if (dd::IsRenderTarget(d) && s->lpDT && s->lpDT->dwPool != DTPOOL_MANAGED) {
            // One quad: the texture's own alpha times the opacity, blended over the target.
            if (!DDBeginScene() || !DDSetRenderTarget(0, d)) return true;
            dd::STATES st;
            st.diffuse = (static_cast<uint32_t>(255 - std::clamp(level, 0, 255)) << 24) | 0xFFFFFFu;
            st.colorOp = D3DTOP_MODULATE;
            st.alphaOp = D3DTOP_MODULATE;
            dd::Rasterize(d, dx, dy, w, h, s, sx, sy, w, h, colourKey, dd::RASTER_QUAD, st);
            DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
            return true;
        }
    }
    FXLOCKS L(dst, src);
    if (!L.Locked()) return false;
    const FXREGION reg = FxClipRegion(L.d, dx, dy, L.s, sx, sy, w, h);
    if (reg.Empty() || L.d.m_nBitCount != L.s.m_nBitCount) return L.Unlock();
    if (L.d.m_nBitCount == 8) {
        // Without a blend table an 8-bit screen cannot mix: nothing is drawn.
        if (!table) return L.Unlock();
        for (int j = reg.j0; j < reg.j1; ++j) {
            const uint8_t* s = L.s.Row8(sy + j) + sx;
            uint8_t* d = L.d.Row8(dy + j) + dx;
            for (int i = reg.i0; i < reg.i1; ++i) {
                if (colourKey == 1 && s[i] == 0) continue;
                d[i] = d[i] == 0 ? s[i] : table[s[i] + 256 * d[i]];
            }
        }
        return L.Unlock();
    }
    for (int j = reg.j0; j < reg.j1; ++j) {
        const uint32_t* s = L.s.Row32(sy + j) + sx;
        uint32_t* d = L.d.Row32(dy + j) + dx;
        for (int i = reg.i0; i < reg.i1; ++i) {
            const uint32_t p = s[i], q = d[i];
            if (Keyed(L.s, colourKey, p)) continue;
            if (L.d.IsTransparent(q)) {
                d[i] = p;
                continue;
            }
            // Per byte (a + b) >> 1 without carries between the bytes.
            d[i] = (q & 0xFF000000u) | (((q & 0xFEFEFEu) >> 1) + ((p & 0xFEFEFEu) >> 1) + (q & p & 0x010101u));
        }
    }
    return L.Unlock();
}

bool DDBltPixelEffect(DDSURFACEDATA* dst, int dx, int dy, int w, int h, DDSURFACEDATA* src, int sx, int sy,
                      int colourKey, const uint8_t* table) {
    return DDBltTranslucent(dst, dx, dy, w, h, src, sx, sy, colourKey, table, 128);
}

bool DDBltBlendColor(DDSURFACEDATA* dst, int dx, int dy, int w, int h, DDSURFACEDATA* src, int sx, int sy,
                     int colourKey, const PALETTEENTRY* palette, const uint8_t* table, int colourIndex, int steps) {
    FXLOCKS L(dst, src);
    if (!L.Locked()) return false;
    const FXREGION reg = FxClipRegion(L.d, dx, dy, L.s, sx, sy, w, h);
    // A colour outside the palette has nothing to pull toward.
    if (reg.Empty() || L.d.m_nBitCount != L.s.m_nBitCount || colourIndex < 0 || colourIndex > 255)
        return L.Unlock();
    if (L.d.m_nBitCount == 8) {
        if (!table) return L.Unlock();
        uint8_t f[256], map[256];
        for (int p = 0; p < 256; ++p) f[p] = table[p * 256 + colourIndex];
        PowerMap(f, steps, map);
        for (int j = reg.j0; j < reg.j1; ++j) {
            const uint8_t* s = L.s.Row8(sy + j) + sx;
            uint8_t* d = L.d.Row8(dy + j) + dx;
            for (int i = reg.i0; i < reg.i1; ++i)
                if (!Keyed(L.s, colourKey, s[i])) d[i] = map[s[i]];
        }
        return L.Unlock();
    }
    if (!palette) return L.Unlock();
    const PALETTEENTRY& c = palette[colourIndex];
    const uint8_t cc[3] = {c.peBlue, c.peGreen, c.peRed};
    uint8_t map[3][256];
    for (int k = 0; k < 3; ++k) {
        if (DDIsD3D()) {
            // Direct3D mixes once, with a weight for the colour that the step count picks.
            static const int kWeights[5] = {0, 128, 64, 32, 16};
            const int wgt = kWeights[std::clamp(steps, 0, 4)];
            for (int v = 0; v < 256; ++v) map[k][v] = static_cast<uint8_t>((v * (255 - wgt) + cc[k] * wgt) / 255);
        } else {
            uint8_t f[256];
            for (int v = 0; v < 256; ++v) f[v] = static_cast<uint8_t>((v + cc[k]) >> 1);
            PowerMap(f, steps, map[k]);
        }
    }
    for (int j = reg.j0; j < reg.j1; ++j) {
        const uint32_t* s = L.s.Row32(sy + j) + sx;
        uint32_t* d = L.d.Row32(dy + j) + dx;
        for (int i = reg.i0; i < reg.i1; ++i) {
            const uint32_t p = s[i];
            if (Keyed(L.s, colourKey, p)) continue;
            d[i] = (p & 0xFF000000u) | (static_cast<uint32_t>(map[2][(p >> 16) & 255]) << 16) |
                   (static_cast<uint32_t>(map[1][(p >> 8) & 255]) << 8) | map[0][p & 255];
        }
    }
    return L.Unlock();
}
