#include "platform/graphics/fx_warp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/graphics/fx_region.h"
#include "records/utility.h"

namespace {

// Copies the whole pixel (any depth) from (x, y) of s to (u, v) of d.
inline void CopyPixel(const cSurfaceLock& d, int u, int v, const cSurfaceLock& s, int x, int y) {
    if (d.m_nBitCount == 8) d.Row8(v)[u] = s.Row8(y)[x];
    else d.Row32(v)[u] = s.Row32(y)[x];
}

inline uint32_t ReadPixel(const cSurfaceLock& s, int x, int y) {
    return s.m_nBitCount == 8 ? s.Row8(y)[x] : s.Row32(y)[x];
}

int64_t Isqrt(int64_t v) { return v <= 0 ? 0 : static_cast<int64_t>(std::sqrt(static_cast<double>(v))); }

}  // namespace

bool DDBltLens(DDSURFACEDATA* dst, int cx, int cy, int radius, int height, DDSURFACEDATA* src, int scx, int scy,
               int, int) {
    // The two mode flags only chose between equivalent loops of one back end: the mapping is the same.
    if (radius < 0 || height < 0) return true;
    const int64_t r = radius, hgt = height;
    const int64_t R = Isqrt(hgt * hgt + r * r);
    if (R <= hgt) return true;
    FXLOCKS L(dst, src);
    if (!L.Locked()) return false;
    if (L.d.m_nBitCount != L.s.m_nBitCount) return L.Unlock();
    const int64_t v0 = std::max<int64_t>(-r, -int64_t{cy}), v1 = std::min<int64_t>(r, int64_t{L.d.m_nHeight} - 1 - cy);
    const int64_t u0 = std::max<int64_t>(-r, -int64_t{cx}), u1 = std::min<int64_t>(r, int64_t{L.d.m_nWidth} - 1 - cx);
    for (int64_t v = v0; v <= v1; ++v) {
        for (int64_t u = u0; u <= u1; ++u) {
            const int64_t d2 = u * u + v * v;
            if (d2 > r * r) continue;
            const int64_t q = Isqrt(R * R - d2);
            const int64_t ou = q ? u * hgt / q : u, ov = q ? v * hgt / q : v;
            const int64_t x = scx + ou, y = scy + ov;
            if (x < 0 || y < 0 || x >= L.s.m_nWidth || y >= L.s.m_nHeight) continue;
            const int xi = static_cast<int>(x), yi = static_cast<int>(y);
            if (L.s.IsTransparent(ReadPixel(L.s, xi, yi))) continue;
            CopyPixel(L.d, static_cast<int>(cx + u), static_cast<int>(cy + v), L.s, xi, yi);
        }
    }
    return L.Unlock();
}

bool DDBltRotatePixel(DDSURFACEDATA* dst, int dx, int dy, int w, int h, int rcx, int rcy, int angle,
                      DDSURFACEDATA* src, int sx, int sy, int colourKey) {
    FXLOCKS L(dst, src);
    if (!L.Locked()) return false;
    if (w < 1 || h < 1 || L.d.m_nBitCount != L.s.m_nBitCount) return L.Unlock();
    const double rad = angle * std::numbers::pi / 180.0;
    const int64_t S = DoubleToInt(std::sin(rad) * 1024), C = DoubleToInt(std::cos(rad) * 1024);
    const int64_t Si = DoubleToInt(std::sin(-rad) * 1024), Ci = DoubleToInt(std::cos(-rad) * 1024);
    const int64_t cx = rcx, cy = rcy;
    const int64_t xs[2] = {-cx, int64_t{w} - cx - 1}, ys[2] = {-cy, int64_t{h} - cy - 1};
    int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
    for (int64_t x : xs)
        for (int64_t y : ys) {
            const int64_t xr = ((C * x - S * y) >> 10) + cx, yr = ((S * x + C * y) >> 10) + cy;
            minX = std::min(minX, xr);
            maxX = std::max(maxX, xr);
            minY = std::min(minY, yr);
            maxY = std::max(maxY, yr);
        }
    // The box widened by 2 pixels, cut to the rows and columns that land inside the destination.
    const int64_t rowLo = std::max(minY - 2, -int64_t{dy} + cy), rowHi = std::min(maxY + 2, int64_t{L.d.m_nHeight} - dy + cy);
    const int64_t colLo = std::max(minX - 2, -int64_t{dx} + cx), colHi = std::min(maxX + 2, int64_t{L.d.m_nWidth} - dx + cx);
    for (int64_t row = rowLo; row < rowHi; ++row) {
        const int64_t v = row - cy;
        const int drow = static_cast<int>(dy + v);
        // The inverse mapping advances by Ci and Si per column; the shift is taken of the whole sum.
        int64_t ax = (colLo - cx) * Ci - v * Si, ay = v * Ci + (colLo - cx) * Si;
        for (int64_t col = colLo; col < colHi; ++col, ax += Ci, ay += Si) {
            const int64_t xr = (ax >> 10) + cx, yr = (ay >> 10) + cy;
            if (xr < 0 || yr < 0 || xr >= w || yr >= h) continue;
            const int64_t x = sx + xr, y = sy + yr;
            if (x < 0 || y < 0 || x >= L.s.m_nWidth || y >= L.s.m_nHeight) continue;
            const int xi = static_cast<int>(x), yi = static_cast<int>(y);
            if (colourKey == 1 && L.s.IsTransparent(ReadPixel(L.s, xi, yi))) continue;
            CopyPixel(L.d, static_cast<int>(dx + col - cx), drow, L.s, xi, yi);
        }
    }
    return L.Unlock();
}
