#include "platform/graphics/fx_pixel.h"

#include <algorithm>
#include <vector>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_raster.h"
#include "platform/graphics/fx_region.h"
#include "platform/system/log.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// (v + 127) / 255 for v up to 255 * 255, without a division.
inline uint32_t Div255(uint32_t v) {
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// One pixel of the quad; alpha 0 and 255 come out as the destination and the texel exactly.
inline uint32_t BlendQuadPixel(uint32_t t, uint32_t q, uint32_t opacity) {
    const uint32_t a = Div255((t >> 24) * opacity), ia = 255 - a;
    const uint32_t r = Div255(((t >> 16) & 255) * a + ((q >> 16) & 255) * ia);
    const uint32_t g = Div255(((t >> 8) & 255) * a + ((q >> 8) & 255) * ia);
    const uint32_t b = Div255((t & 255) * a + (q & 255) * ia);
    const uint32_t al = Div255(a * a + (q >> 24) * ia);
    return (al << 24) | (r << 16) | (g << 8) | b;
}

// A row of quad pixels. Every product of two bytes fits 16 bits, so SSE2 works on 16-bit lanes:
// the texel's alpha lane is replaced by the blend alpha, which makes that lane come out as
// (a · a + destination alpha · (255 − a)) / 255 like the colour lanes.
void BlendQuadRow(uint32_t* __restrict d, const uint32_t* __restrict s, int n, uint32_t opacity) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), c128 = _mm_set1_epi16(128), c255 = _mm_set1_epi16(255);
    const __m128i op = _mm_set1_epi16(static_cast<short>(opacity));
    const __m128i alphaLane = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    auto div255 = [&](__m128i v) {
        v = _mm_add_epi16(v, c128);
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
    };
    auto half = [&](__m128i t, __m128i q) {
        __m128i ta = _mm_shufflelo_epi16(t, _MM_SHUFFLE(3, 3, 3, 3));
        ta = _mm_shufflehi_epi16(ta, _MM_SHUFFLE(3, 3, 3, 3));
        const __m128i a = div255(_mm_mullo_epi16(ta, op)), ia = _mm_sub_epi16(c255, a);
        t = _mm_or_si128(_mm_andnot_si128(alphaLane, t), _mm_and_si128(alphaLane, a));
        return div255(_mm_add_epi16(_mm_mullo_epi16(t, a), _mm_mullo_epi16(q, ia)));
    };
    for (; i + 4 <= n; i += 4) {
        const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const __m128i lo = half(_mm_unpacklo_epi8(t, zero), _mm_unpacklo_epi8(q, zero));
        const __m128i hi = half(_mm_unpackhi_epi8(t, zero), _mm_unpackhi_epi8(q, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < n; ++i) d[i] = BlendQuadPixel(s[i], d[i], opacity);
}

// The Direct3D quad of a translucent blit: texel colour as it is, alpha = texel alpha x opacity / 255,
// blended over the target (the same arithmetic as every other quad of the renderer).
void DrawTranslucentQuad(DDSURFACEDATA* d, int x, int y, int w, int h, DDSURFACEDATA* s, int sx, int sy,
                         uint32_t opacity) {
    dd::AXIS ax, ay;
    if (d->Surface.format != DDFMT_ARGB8888 || s->Surface.format != DDFMT_ARGB8888 ||
        !dd::ClipAxes(d, x, y, w, h, s, sx, sy, w, h, dd::RASTER_QUAD, &ax, &ay))
        return;
    DDPIXELS snapshot;
    const DDPIXELS* S = &s->Surface;
    if (S == &d->Surface) {
        snapshot = *S;
        S = &snapshot;
    }
    for (int k = 0; k < ay.n; ++k) {
        uint32_t* dr = d->Surface.Row32(ay.d0 + k) + ax.d0;
        const uint32_t* sr = S->Row32(ay.Src(k));
        if (ax.step == 1) {
            const uint32_t* sp = sr + ax.s0;
            BlendQuadRow(dr, sp, ax.n, opacity);
        } else {
            for (int i = 0; i < ax.n; ++i) dr[i] = BlendQuadPixel(sr[ax.Src(i)], dr[i], opacity);
        }
    }
}

inline bool Keyed(const cSurfaceLock& s, int colourKey, uint32_t p) { return colourKey == 1 && s.IsTransparent(p); }

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
    const int W = c1 - c0, OW = out.i1 - out.i0;
    // Pass 1: for every row the window sums along the row, one per written column (a sliding window).
    std::vector<SUMS> hsum(static_cast<size_t>(r1 - r0) * OW);
    std::vector<SUMS> row(static_cast<size_t>(W));
    for (int y = r0; y < r1; ++y) {
        const uint32_t* src = L.s.Row32(sy + y) + sx + c0;
        for (int x = 0; x < W; ++x) {
            const uint32_t p = src[x];
            row[static_cast<size_t>(x)] = Keyed(L.s, colourKey, p) ? SUMS{}
                                                                  : SUMS{p & 255, (p >> 8) & 255, (p >> 16) & 255, 1};
        }
        SUMS* h = &hsum[static_cast<size_t>(y - r0) * OW];
        SUMS acc;
        const int64_t first = std::max<int64_t>(out.i0 - rx, c0), last = std::min<int64_t>(out.i0 + rx, c1);
        for (int64_t x = first; x < last; ++x) {
            const SUMS& v = row[static_cast<size_t>(x - c0)];
            acc = SUMS{acc.b + v.b, acc.g + v.g, acc.r + v.r, acc.n + v.n};
        }
        for (int i = out.i0; i < out.i1; ++i) {
            h[i - out.i0] = acc;
            const int64_t in = i + rx, outx = i - rx;  // the column entering and the one leaving for i + 1
            if (in < c1) {
                const SUMS& v = row[static_cast<size_t>(in - c0)];
                acc = SUMS{acc.b + v.b, acc.g + v.g, acc.r + v.r, acc.n + v.n};
            }
            if (outx >= c0) {
                const SUMS& v = row[static_cast<size_t>(outx - c0)];
                acc = SUMS{acc.b - v.b, acc.g - v.g, acc.r - v.r, acc.n - v.n};
            }
        }
    }
    // Pass 2: the column sums of those over the window of rows, sliding down.
    std::vector<SUMS> vsum(static_cast<size_t>(OW));
    auto addRow = [&](int64_t y, bool add) {
        const SUMS* h = &hsum[static_cast<size_t>(y - r0) * OW];
        for (int i = 0; i < OW; ++i) {
            SUMS& v = vsum[static_cast<size_t>(i)];
            if (add) v = SUMS{v.b + h[i].b, v.g + h[i].g, v.r + h[i].r, v.n + h[i].n};
            else v = SUMS{v.b - h[i].b, v.g - h[i].g, v.r - h[i].r, v.n - h[i].n};
        }
    };
    for (int64_t y = std::max<int64_t>(out.j0 - ry, r0); y < std::min<int64_t>(out.j0 + ry, r1); ++y) addRow(y, true);
    // Averages divide by a count that only changes near the edges: its reciprocal is worked out once
    // per change, exact for every sum of up to 255 per pixel.
    uint32_t lastN = 0;
    uint64_t m = 0;
    auto divide = [&](uint32_t sum, uint32_t n) -> uint32_t {
        if (n != lastN) {
            lastN = n;
            m = n < 65536 ? (uint64_t{1} << 40) / n + 1 : 0;
        }
        return m ? static_cast<uint32_t>((sum * m) >> 40) : sum / n;
    };
    for (int j = out.j0; j < out.j1; ++j) {
        const uint32_t* srow = L.s.Row32(sy + j) + sx;
        uint32_t* drow = L.d.Row32(dy + j) + dx;
        for (int i = out.i0; i < out.i1; ++i) {
            const SUMS& v = vsum[static_cast<size_t>(i - out.i0)];
            if (v.n == 0 || Keyed(L.s, colourKey, srow[i])) continue;
            const uint32_t b = divide(v.b, v.n), g = divide(v.g, v.n), r = divide(v.r, v.n);
            drow[i] = (drow[i] & 0xFF000000u) | (r << 16) | (g << 8) | b;
        }
        const bool in = j + ry < r1, out2 = j - ry >= r0;
        if (in && out2) {
            // The row entering and the row leaving in one pass.
            const SUMS* a = &hsum[static_cast<size_t>(j + ry - r0) * OW];
            const SUMS* o = &hsum[static_cast<size_t>(j - ry - r0) * OW];
            for (int i = 0; i < OW; ++i) {
                SUMS& v = vsum[static_cast<size_t>(i)];
                v = SUMS{v.b + a[i].b - o[i].b, v.g + a[i].g - o[i].g, v.r + a[i].r - o[i].r, v.n + a[i].n - o[i].n};
            }
        } else if (in) {
            addRow(j + ry, true);
        } else if (out2) {
            addRow(j - ry, false);
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
            DrawTranslucentQuad(d, dx, dy, w, h, s, sx, sy, static_cast<uint32_t>(255 - std::clamp(level, 0, 255)));
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
