#include "platform/graphics/dd_raster.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_sprite_list.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QV_AVX2_KERNELS 1
#endif

namespace dd {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b) != 0 && a < 0) --q;
    return q;
}

// Source position of destination position i. The quad samples at pixel centres (as a
// rasterizer with the half-pixel offset does); the pixel copies step by whole pixels.
int64_t MapIndex(int64_t i, int64_t w, int64_t sx, int64_t sw, bool centre) {
    if (centre) return sx + FloorDiv((2 * i + 1) * sw, 2 * w);
    if (sw > 0) return sx + FloorDiv(i * sw, w);
    return sx - 1 - FloorDiv(i * -sw, w);
}

bool BuildAxis(int64_t x, int64_t w, int64_t sx, int64_t sw, int64_t dLim, int64_t sLim, bool centre, AXIS* a) {
    if (w < 1 || sw == 0 || dLim < 1 || sLim < 1) return false;
    int64_t i0 = std::max<int64_t>(0, -x), i1 = std::min<int64_t>(w, dLim - x);
    if (i1 <= i0) return false;
    if (sw == w || sw == -w) {
        const int64_t step = sw > 0 ? 1 : -1, base = sw > 0 ? sx : sx - 1;
        if (step > 0) {
            i0 = std::max(i0, -base);
            i1 = std::min(i1, sLim - base);
        } else {
            i0 = std::max(i0, base - sLim + 1);
            i1 = std::min(i1, base + 1);
        }
        if (i1 <= i0) return false;
        a->d0 = static_cast<int>(x + i0);
        a->n = static_cast<int>(i1 - i0);
        a->step = static_cast<int>(step);
        a->s0 = static_cast<int>(base + step * i0);
        a->table.clear();
        return true;
    }
    auto inside = [&](int64_t i) {
        const int64_t s = MapIndex(i, w, sx, sw, centre);
        return s >= 0 && s < sLim;
    };
    while (i0 < i1 && !inside(i0)) ++i0;
    while (i1 > i0 && !inside(i1 - 1)) --i1;
    if (i1 <= i0) return false;
    a->d0 = static_cast<int>(x + i0);
    a->n = static_cast<int>(i1 - i0);
    a->step = 0;
    a->table.resize(static_cast<size_t>(a->n));
    for (int64_t k = 0; k < a->n; ++k) a->table[static_cast<size_t>(k)] = static_cast<int>(MapIndex(i0 + k, w, sx, sw, centre));
    return true;
}

inline uint32_t Div255(uint32_t v) { return (v + 127) / 255; }

inline uint32_t Blend(uint32_t c, uint32_t d, uint32_t a) {
    const uint32_t ia = 255 - a;
    const uint32_t r = Div255(((c >> 16) & 255) * a + ((d >> 16) & 255) * ia);
    const uint32_t g = Div255(((c >> 8) & 255) * a + ((d >> 8) & 255) * ia);
    const uint32_t b = Div255((c & 255) * a + (d & 255) * ia);
    const uint32_t al = Div255(a * a + (d >> 24) * ia);
    return (al << 24) | (r << 16) | (g << 8) | b;
}

inline uint32_t Op(uint32_t op, uint32_t a1, uint32_t a2, uint32_t current) {
    auto clamp = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    switch (op) {
        case D3DTOP_DISABLE: return current;
        case D3DTOP_SELECTARG1: return a1;
        case D3DTOP_SELECTARG2: return a2;
        case D3DTOP_MODULATE2X: return clamp(static_cast<int>(Div255(a1 * a2) * 2));
        case D3DTOP_MODULATE4X: return clamp(static_cast<int>(Div255(a1 * a2) * 4));
        case D3DTOP_ADD: return clamp(static_cast<int>(a1 + a2));
        case D3DTOP_ADDSIGNED: return clamp(static_cast<int>(a1 + a2) - 128);
        case D3DTOP_ADDSIGNED2X: return clamp((static_cast<int>(a1 + a2) - 128) * 2);
        case D3DTOP_SUBTRACT: return clamp(static_cast<int>(a1) - static_cast<int>(a2));
        default: return Div255(a1 * a2);
    }
}

// ---- row kernels -------------------------------------------------------------

void Copy32(uint32_t* d, const uint32_t* s, int n) { std::memcpy(d, s, static_cast<size_t>(n) * 4); }
void Copy8(uint8_t* d, const uint8_t* s, int n) { std::memcpy(d, s, static_cast<size_t>(n)); }

void CopyOpaque32(uint32_t* d, const uint32_t* s, int n) {
    for (int i = 0; i < n; ++i) d[i] = s[i] | 0xFF000000u;
}

// DirectDraw colour key: pixels whose colour equals key are left out. Branch-free:
// the destination is read and written whole, which costs less than mispredicted jumps
// at the edges of sprites.
void Key32(uint32_t* d, const uint32_t* s, int n, uint32_t key) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF), k = _mm_set1_epi32(static_cast<int>(key));
    for (; i + 8 <= n; i += 8) {
        const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 4));
        __m128i* dp = reinterpret_cast<__m128i*>(d + i);
        const __m128i e0 = _mm_cmpeq_epi32(_mm_and_si128(s0, mask), k);
        const __m128i e1 = _mm_cmpeq_epi32(_mm_and_si128(s1, mask), k);
        const __m128i d0 = _mm_loadu_si128(dp), d1 = _mm_loadu_si128(dp + 1);
        _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(e0, d0), _mm_andnot_si128(e0, s0)));
        _mm_storeu_si128(dp + 1, _mm_or_si128(_mm_and_si128(e1, d1), _mm_andnot_si128(e1, s1)));
    }
#endif
    for (; i < n; ++i)
        if ((s[i] & 0xFFFFFF) != key) d[i] = s[i];
}

void Key8(uint8_t* d, const uint8_t* s, int n, uint8_t key) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i k = _mm_set1_epi8(static_cast<char>(key));
    for (; i + 16 <= n; i += 16) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i eq = _mm_cmpeq_epi8(sv, k);
        const int m = _mm_movemask_epi8(eq);
        if (m == 0xFFFF) continue;
        __m128i* dp = reinterpret_cast<__m128i*>(d + i);
        if (m == 0) {
            _mm_storeu_si128(dp, sv);
            continue;
        }
        const __m128i dv = _mm_loadu_si128(dp);
        _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(eq, dv), _mm_andnot_si128(eq, sv)));
    }
#endif
    for (; i < n; ++i)
        if (s[i] != key) d[i] = s[i];
}

// Pixel copy of the Direct3D rules with flags 1: only pixels with alpha.
void AlphaNonZero32(uint32_t* d, const uint32_t* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] >> 24) d[i] = s[i];
}

// Alpha blending by the texel's own alpha (the untinted quad). Groups whose texels are
// all opaque or clear (keyed pictures) are a branch-free select; the rest blend.
void Blend32(uint32_t* d, const uint32_t* s, int n) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i full = _mm_set1_epi32(static_cast<int>(0xFF000000u)), zero = _mm_setzero_si128();
    for (; i + 8 <= n; i += 8) {
        const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 4));
        const __m128i a0 = _mm_and_si128(s0, full), a1 = _mm_and_si128(s1, full);
        const __m128i c0 = _mm_cmpeq_epi32(a0, zero), c1 = _mm_cmpeq_epi32(a1, zero);
        const __m128i ok = _mm_and_si128(_mm_or_si128(c0, _mm_cmpeq_epi32(a0, full)),
                                         _mm_or_si128(c1, _mm_cmpeq_epi32(a1, full)));
        if (_mm_movemask_epi8(ok) == 0xFFFF) {
            __m128i* dp = reinterpret_cast<__m128i*>(d + i);
            const __m128i d0 = _mm_loadu_si128(dp), d1 = _mm_loadu_si128(dp + 1);
            _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(c0, d0), _mm_andnot_si128(c0, s0)));
            _mm_storeu_si128(dp + 1, _mm_or_si128(_mm_and_si128(c1, d1), _mm_andnot_si128(c1, s1)));
            continue;
        }
        for (int k = i; k < i + 8; ++k) {
            const uint32_t al = s[k] >> 24;
            if (al == 255) d[k] = s[k];
            else if (al) d[k] = Blend(s[k], d[k], al);
        }
    }
#endif
    for (; i < n; ++i) {
        const uint32_t al = s[i] >> 24;
        if (al == 255) d[i] = s[i];
        else if (al) d[i] = Blend(s[i], d[i], al);
    }
}

#if defined(QV_AVX2_KERNELS)
// The keyed kernels again, sixteen pixels a step on processors with AVX2 (chosen once
// at run time): the same results, each group merged with the destination without a
// branch.
__attribute__((target("avx2"))) void Key32Avx2(uint32_t* d, const uint32_t* s, int n, uint32_t key) {
    int i = 0;
    const __m256i mask = _mm256_set1_epi32(0x00FFFFFF), k = _mm256_set1_epi32(static_cast<int>(key));
    for (; i + 16 <= n; i += 16) {
        const __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 8));
        __m256i* dp = reinterpret_cast<__m256i*>(d + i);
        const __m256i e0 = _mm256_cmpeq_epi32(_mm256_and_si256(s0, mask), k);
        const __m256i e1 = _mm256_cmpeq_epi32(_mm256_and_si256(s1, mask), k);
        _mm256_storeu_si256(dp, _mm256_blendv_epi8(s0, _mm256_loadu_si256(dp), e0));
        _mm256_storeu_si256(dp + 1, _mm256_blendv_epi8(s1, _mm256_loadu_si256(dp + 1), e1));
    }
    Key32(d + i, s + i, n - i, key);
}

__attribute__((target("avx2"))) void Blend32Avx2(uint32_t* d, const uint32_t* s, int n) {
    int i = 0;
    const __m256i full = _mm256_set1_epi32(static_cast<int>(0xFF000000u)), zero = _mm256_setzero_si256();
    for (; i + 16 <= n; i += 16) {
        const __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 8));
        const __m256i a0 = _mm256_and_si256(s0, full), a1 = _mm256_and_si256(s1, full);
        const __m256i c0 = _mm256_cmpeq_epi32(a0, zero), c1 = _mm256_cmpeq_epi32(a1, zero);
        const __m256i ok = _mm256_and_si256(_mm256_or_si256(c0, _mm256_cmpeq_epi32(a0, full)),
                                            _mm256_or_si256(c1, _mm256_cmpeq_epi32(a1, full)));
        if (_mm256_movemask_epi8(ok) != -1) {
            Blend32(d + i, s + i, 16);
            continue;
        }
        __m256i* dp = reinterpret_cast<__m256i*>(d + i);
        _mm256_storeu_si256(dp, _mm256_blendv_epi8(s0, _mm256_loadu_si256(dp), c0));
        _mm256_storeu_si256(dp + 1, _mm256_blendv_epi8(s1, _mm256_loadu_si256(dp + 1), c1));
    }
    Blend32(d + i, s + i, n - i);
}

// The DirectDraw colour key over a whole rectangle (rows `dp` and `sp` pixels apart):
// eight pixels a step, the row's last few through masked loads and stores.
__attribute__((target("avx2"))) void KeyRect32Avx2(uint32_t* d, ptrdiff_t dp, const uint32_t* s, ptrdiff_t sp, int w,
                                                   int h, uint32_t key) {
    const __m256i mask = _mm256_set1_epi32(0x00FFFFFF), k = _mm256_set1_epi32(static_cast<int>(key));
    const int full = w & ~7;
    const __m256i tail = _mm256_cmpgt_epi32(_mm256_set1_epi32(w & 7), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    for (int y = 0; y < h; ++y, d += dp, s += sp) {
        int i = 0;
        for (; i < full; i += 8) {
            const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
            __m256i* dv = reinterpret_cast<__m256i*>(d + i);
            const __m256i e = _mm256_cmpeq_epi32(_mm256_and_si256(sv, mask), k);
            _mm256_storeu_si256(dv, _mm256_blendv_epi8(sv, _mm256_loadu_si256(dv), e));
        }
        if (i < w) {
            int* dv = reinterpret_cast<int*>(d + i);
            const __m256i sv = _mm256_maskload_epi32(reinterpret_cast<const int*>(s + i), tail);
            const __m256i e = _mm256_cmpeq_epi32(_mm256_and_si256(sv, mask), k);
            _mm256_maskstore_epi32(dv, tail, _mm256_blendv_epi8(sv, _mm256_maskload_epi32(dv, tail), e));
        }
    }
}

// Alpha blending by the texel's alpha over a whole rectangle, as KeyRect32Avx2 walks it:
// a group of opaque and clear texels only is a select, any other blends pixel by pixel.
__attribute__((target("avx2"))) void BlendRect32Avx2(uint32_t* d, ptrdiff_t dp, const uint32_t* s, ptrdiff_t sp,
                                                     int w, int h) {
    const __m256i full = _mm256_set1_epi32(static_cast<int>(0xFF000000u)), zero = _mm256_setzero_si256();
    const int whole = w & ~7;
    const __m256i tail = _mm256_cmpgt_epi32(_mm256_set1_epi32(w & 7), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    const __m256i outside = _mm256_xor_si256(tail, _mm256_set1_epi32(-1));
    for (int y = 0; y < h; ++y, d += dp, s += sp) {
        int i = 0;
        for (; i < whole; i += 8) {
            const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
            const __m256i a = _mm256_and_si256(sv, full), c = _mm256_cmpeq_epi32(a, zero);
            if (_mm256_movemask_epi8(_mm256_or_si256(c, _mm256_cmpeq_epi32(a, full))) != -1) {
                Blend32(d + i, s + i, 8);
                continue;
            }
            __m256i* dv = reinterpret_cast<__m256i*>(d + i);
            _mm256_storeu_si256(dv, _mm256_blendv_epi8(sv, _mm256_loadu_si256(dv), c));
        }
        if (i < w) {
            int* dv = reinterpret_cast<int*>(d + i);
            const __m256i sv = _mm256_maskload_epi32(reinterpret_cast<const int*>(s + i), tail);
            const __m256i a = _mm256_and_si256(sv, full), c = _mm256_cmpeq_epi32(a, zero);
            const __m256i plain = _mm256_or_si256(outside, _mm256_or_si256(c, _mm256_cmpeq_epi32(a, full)));
            if (_mm256_movemask_epi8(plain) != -1) Blend32(d + i, s + i, w - i);
            else _mm256_maskstore_epi32(dv, tail, _mm256_blendv_epi8(sv, _mm256_maskload_epi32(dv, tail), c));
        }
    }
}

const bool bAvx2 = __builtin_cpu_supports("avx2");
#endif

void KeyRow32(uint32_t* d, const uint32_t* s, int n, uint32_t key) {
#if defined(QV_AVX2_KERNELS)
    if (bAvx2) return Key32Avx2(d, s, n, key);
#endif
    Key32(d, s, n, key);
}

void BlendRow32(uint32_t* d, const uint32_t* s, int n) {
#if defined(QV_AVX2_KERNELS)
    if (bAvx2) return Blend32Avx2(d, s, n);
#endif
    Blend32(d, s, n);
}

void Shade32(uint32_t* d, const uint32_t* s, int n, const STATES& st) {
    for (int i = 0; i < n; ++i) d[i] = DDShadePixel(s[i], d[i], st.diffuse, st.colorOp, st.alphaOp);
}

// Source pixels of one row in destination order (mirrored or scaled).
template <class T>
void Gather(T* out, const T* row, const AXIS& ax) {
    if (ax.step == -1) {
        const T* p = row + ax.s0;
        for (int i = 0; i < ax.n; ++i) out[i] = p[-i];
        return;
    }
    const int* t = ax.table.data();
    for (int i = 0; i < ax.n; ++i) out[i] = row[t[i]];
}

void Limits(const DDSURFACEDATA* dst, const DDSURFACEDATA* src, RASTER kind, int* dw, int* dh, int* sw, int* sh) {
    const DDPIXELS& D = dst->Surface;
    const DDPIXELS& S = src->Surface;
    if (kind == RASTER_QUAD) {
        *dw = std::min(dst->nWidth, D.width);
        *dh = std::min(dst->nHeight, D.height);
        *sw = std::min(src->nWidth, S.width);
        *sh = std::min(src->nHeight, S.height);
    } else {
        *dw = D.width;
        *dh = D.height;
        *sw = S.width;
        *sh = S.height;
    }
}

}  // namespace

bool ClipAxes(const DDSURFACEDATA* dst, int x, int y, int w, int h, const DDSURFACEDATA* src, int sx, int sy, int sw,
              int sh, RASTER kind, AXIS* ax, AXIS* ay) {
    if (!dst || !src || w < 1 || h < 1 || sw == 0 || sh == 0) return false;
    int dW, dH, sW, sH;
    Limits(dst, src, kind, &dW, &dH, &sW, &sH);
    const bool centre = kind == RASTER_QUAD;
    return BuildAxis(x, w, sx, sw, dW, sW, centre, ax) && BuildAxis(y, h, sy, sh, dH, sH, centre, ay);
}

void ClearQuadArea(DDSURFACEDATA* dst, int x, int y, int w, int h, const DDSURFACEDATA* src, int sx, int sy, int sw,
                   int sh, uint32_t value) {
    AXIS ax, ay;
    if (!dst->HasSurface() || !ClipAxes(dst, x, y, w, h, src, sx, sy, sw, sh, RASTER_QUAD, &ax, &ay)) return;
    FillPixels(dst->Surface, ax.d0, ay.d0, ax.n, ay.n, value);
}

void Rasterize(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
               int flags, RASTER kind, const STATES& st) {
    AXIS ax, ay;
    if (ClipAxes(dst, x, y, w, h, src, sx, sy, sw, sh, kind, &ax, &ay)) RasterizeAxes(dst, src, ax, ay, flags, kind, st);
}

void RasterizeAxes(DDSURFACEDATA* dst, DDSURFACEDATA* src, const AXIS& ax, const AXIS& ay, int flags, RASTER kind,
                   const STATES& st) {
    if (!dst || !src) return;
    DDFlushSpriteList();  // sprites held back are drawn first
    DDPIXELS& D = dst->Surface;
    const DDPIXELS* S = &src->Surface;
    if (D.Empty() || S->Empty() || D.format != S->format) return;
    DDPIXELS snapshot;
    if (&D == S) {  // a blit within one surface reads the picture as it was before
        snapshot = *S;
        S = &snapshot;
    }
    const int n = ax.n;
    if (D.format == DDFMT_INDEX8) {
        std::vector<uint8_t> tmp(ax.step == 1 ? 0 : static_cast<size_t>(n));
        const bool key = flags == DDBLT_COLORKEY && S->bColorKey;
        for (int k = 0; k < ay.n; ++k) {
            uint8_t* dr = D.Row(ay.d0 + k) + ax.d0;
            const uint8_t* sr = S->Row(ay.Src(k));
            const uint8_t* sp = sr + ax.s0;
            if (ax.step != 1) {
                Gather(tmp.data(), sr, ax);
                sp = tmp.data();
            }
            if (key) Key8(dr, sp, n, static_cast<uint8_t>(S->dwColorKey));
            else Copy8(dr, sp, n);
        }
        return;
    }
    enum { K_COPY, K_COPYOPAQUE, K_KEY, K_ALPHANZ, K_BLEND, K_SHADE } kernel = K_COPY;
    if (kind == RASTER_DD) {
        kernel = flags == DDBLT_COLORKEY ? K_KEY : K_COPY;
    } else if (kind == RASTER_SOFT) {
        kernel = flags == DDBLT_COLORKEY ? K_ALPHANZ : K_COPY;
    } else {
        const bool plainColour =
            st.colorOp == D3DTOP_SELECTARG1 || (st.colorOp == D3DTOP_MODULATE && (st.diffuse & 0xFFFFFF) == 0xFFFFFF);
        const bool texAlpha = st.alphaOp == D3DTOP_SELECTARG1 || (st.alphaOp == D3DTOP_MODULATE && st.diffuse >> 24 == 255);
        if (plainColour && texAlpha) kernel = K_BLEND;
        else if (plainColour && st.alphaOp == D3DTOP_DISABLE && st.diffuse >> 24 == 255) kernel = K_COPYOPAQUE;
        else kernel = K_SHADE;
    }
    const uint32_t key = S->dwColorKey & 0xFFFFFF;
#if defined(QV_AVX2_KERNELS)
    // A rectangle copied row after row of the source: one kernel over it all.
    if ((kernel == K_KEY || kernel == K_BLEND) && bAvx2 && ax.step == 1 && ay.step == 1) {
        uint32_t* d = D.Row32(ay.d0) + ax.d0;
        const uint32_t* s = S->Row32(ay.s0) + ax.s0;
        if (kernel == K_KEY) KeyRect32Avx2(d, D.pitch / 4, s, S->pitch / 4, n, ay.n, key);
        else BlendRect32Avx2(d, D.pitch / 4, s, S->pitch / 4, n, ay.n);
        return;
    }
#endif
    std::vector<uint32_t> tmp(ax.step == 1 ? 0 : static_cast<size_t>(n));
    for (int k = 0; k < ay.n; ++k) {
        uint32_t* dr = D.Row32(ay.d0 + k) + ax.d0;
        const uint32_t* sr = S->Row32(ay.Src(k));
        const uint32_t* sp = sr + ax.s0;
        if (ax.step != 1) {
            Gather(tmp.data(), sr, ax);
            sp = tmp.data();
        }
        switch (kernel) {
            case K_COPY: Copy32(dr, sp, n); break;
            case K_COPYOPAQUE: CopyOpaque32(dr, sp, n); break;
            case K_KEY: KeyRow32(dr, sp, n, key); break;
            case K_ALPHANZ: AlphaNonZero32(dr, sp, n); break;
            case K_BLEND: BlendRow32(dr, sp, n); break;
            case K_SHADE: Shade32(dr, sp, n, st); break;
        }
    }
}

void FillPixels(DDPIXELS& px, int x, int y, int w, int h, uint32_t value) {
    DDFlushSpriteList();
    if (px.Empty() || !ClipRect(&x, &y, &w, &h, px.width, px.height)) return;
    for (int r = y; r < y + h; ++r) {
        if (px.format == DDFMT_INDEX8) {
            std::memset(px.Row(r) + x, static_cast<int>(value & 0xFF), static_cast<size_t>(w));
        } else {
            uint32_t* row = px.Row32(r) + x;
            std::fill(row, row + w, value);
        }
    }
}

void FillQuad(DDPIXELS& px, int x, int y, int w, int h, uint32_t colour) {
    DDFlushSpriteList();
    if (px.format != DDFMT_ARGB8888 || !ClipRect(&x, &y, &w, &h, px.width, px.height)) return;
    const uint32_t a = colour >> 24;
    if (a == 255) {
        FillPixels(px, x, y, w, h, colour);
        return;
    }
    if (a == 0) return;
    for (int r = y; r < y + h; ++r) {
        uint32_t* row = px.Row32(r) + x;
        for (int i = 0; i < w; ++i) row[i] = Blend(colour, row[i], a);
    }
}

bool ClipRect(int* x, int* y, int* w, int* h, int width, int height) {
    int64_t x0 = *x, y0 = *y, x1 = x0 + *w, y1 = y0 + *h;
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, width);
    y1 = std::min<int64_t>(y1, height);
    if (x1 <= x0 || y1 <= y0) return false;
    *x = static_cast<int>(x0);
    *y = static_cast<int>(y0);
    *w = static_cast<int>(x1 - x0);
    *h = static_cast<int>(y1 - y0);
    return true;
}

}  // namespace dd

uint32_t DDShadePixel(uint32_t texel, uint32_t dst, uint32_t diffuse, uint32_t colorOp, uint32_t alphaOp) {
    uint32_t c = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t t = (texel >> shift) & 255, f = (diffuse >> shift) & 255;
        c |= dd::Op(colorOp, t, f, f) << shift;
    }
    const uint32_t a = dd::Op(alphaOp, texel >> 24, diffuse >> 24, diffuse >> 24);
    if (a == 255) return c | 0xFF000000u;
    if (a == 0) return dst;
    return dd::Blend(c, dst, a);
}
