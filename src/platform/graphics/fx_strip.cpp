#include "platform/graphics/fx_strip.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_palette.h"
#include "records/utility.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b) != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

// a + b held to the range of int (positions far off the picture stay far off instead of wrapping round).
int Add(int64_t a, int64_t b) { return static_cast<int>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX)); }

// Half-width of the disc's span at row offset v; a span reaching the radius is cut by one pixel.
int SpanHalfWidth(int64_t radius, int64_t v) {
    const int64_t sq = radius * radius - v * v;
    if (sq <= 0) return 0;
    int64_t s = static_cast<int64_t>(std::sqrt(static_cast<double>(sq)));
    if (s >= radius) s = radius - 1;
    return static_cast<int>(s);
}

// One span of the disc: source columns cut to [lo, hi), the destination moved by the same cut.
void DrawSpan(DDSURFACEDATA* dst, int64_t x, int64_t y, int64_t rows, DDSURFACEDATA* src, int64_t sx, int64_t sy,
              int s, int64_t lo, int64_t hi, int flags) {
    int64_t start = sx - s, dstart = x - s, width = 2 * static_cast<int64_t>(s);
    if (start < lo) {
        width -= lo - start;
        dstart += lo - start;
        start = lo;
    }
    width = std::min(width, hi - start);
    if (width <= 0 || rows <= 0) return;
    auto i = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    if (DDIsD3D())
        DDStretchBlt(dst, i(dstart), i(y), i(width), i(rows), src, i(start), i(sy), i(width), i(rows), flags);
    else
        DDBlt(dst, i(dstart), i(y), i(width), i(rows), src, i(start), i(sy), flags);
}

// Width and height past which nothing can be drawn into or read from a record (views and the
// redirected back buffer included): pieces beyond them are skipped without changing the picture.
int64_t ReachW(DDSURFACEDATA* sd) {
    if (!sd) return 0;
    DDSURFACEDATA* r = dd::Resolve(sd);
    return std::max({int64_t{sd->nWidth}, int64_t{sd->Surface.width}, int64_t{r->nWidth}, int64_t{r->Surface.width},
                     int64_t{VirBackBuffer.nWidth}});
}
int64_t ReachH(DDSURFACEDATA* sd) {
    if (!sd) return 0;
    DDSURFACEDATA* r = dd::Resolve(sd);
    return std::max({int64_t{sd->nHeight}, int64_t{sd->Surface.height}, int64_t{r->nHeight},
                     int64_t{r->Surface.height}, int64_t{VirBackBuffer.nHeight}});
}

}  // namespace

void DDBltWave(DDSURFACEDATA* dst, int x, int y, int w, int h, int frequency, double amplitude, int phase, int strip,
               DDSURFACEDATA* src, int sx, int sy, int flags, int columns) {
    if (strip <= 0) return;
    const int length = columns ? w : h;
    if (length <= 0) return;
    const double step = 360.0 / length;
    double acc = 0.0;
    // Strips start further along each time: past the far edge of either picture nothing more can show.
    const int64_t dEnd = columns ? ReachW(dst) - x : ReachH(dst) - y, sEnd = columns ? ReachW(src) - sx : ReachH(src) - sy;
    const int64_t dStart = columns ? -int64_t{x} : -int64_t{y};
    DDBeginBatch(0);
    for (int64_t p = 0; p < length && p < dEnd && p < sEnd; p += strip) {
        acc += step * strip;
        const int n = static_cast<int>(std::min<int64_t>(strip, length - p));
        if (p + n <= dStart) continue;  // wholly before the near edge (the wave still advances)
        const int d = DoubleToInt(std::sin((phase + acc) * frequency * std::numbers::pi / 180.0) * amplitude);
        const int pi = static_cast<int>(p);
        if (columns) DDBlt(dst, x + pi, Add(y, d), n, h, src, sx + pi, sy, flags);
        else DDBlt(dst, Add(x, d), y + pi, w, n, src, sx, sy + pi, flags);
    }
    DDEndBatch();
}

void DDBltStripShift(DDSURFACEDATA* dst, int x, int y, int w, int h, int strip, int shift, DDSURFACEDATA* src, int sx,
                     int sy, int flags, int columns) {
    if (strip == 0) {
        DDBlt(dst, x, y, w, h, src, sx, sy, flags);
        return;
    }
    if (strip < 0) return;
    const int n = (columns ? w : h) / strip;
    // Only strips that can meet both pictures are walked; the others would draw nothing.
    const int64_t near = columns ? std::max(-int64_t{x}, -int64_t{sx}) : std::max(-int64_t{y}, -int64_t{sy});
    const int64_t far = columns ? std::min(ReachW(dst) - x, ReachW(src) - sx) : std::min(ReachH(dst) - y, ReachH(src) - sy);
    const int64_t first = std::max<int64_t>(0, near / strip - 1), last = std::min<int64_t>(n, far / strip + 1);
    DDBeginBatch(0);
    // Odd strips first, then even ones.
    for (int pass = 1; pass >= 0; --pass) {
        const int64_t d = pass ? -int64_t{shift} : int64_t{shift};
        for (int64_t i = first + ((first & 1) != pass); i < last; i += 2) {
            const int64_t o = i * strip;
            if (columns) DDBlt(dst, Add(x, o), Add(y, d), strip, h, src, Add(sx, o), sy, flags);
            else DDBlt(dst, Add(x, d), Add(y, o), w, strip, src, sx, Add(sy, o), flags);
        }
    }
    DDEndBatch();
}

void DDBltTurn(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* front, int fx, int fy,
               DDSURFACEDATA* back, int bx, int by, int sw, int sh, int flags, int counter, int axis) {
    if (axis != 0 && axis != 1) return;
    const int size = axis == 0 ? w : h;
    const int64_t half = size >> 1;
    int64_t s = 0;
    bool showFront = true;
    // A card less than 2 pixels across has no middle to turn about: it shows its front unturned.
    if (half >= 1) {
        const int64_t k = FloorDiv(counter, half), r = counter - k * half;
        s = (k % 2 == 0) ? r : half - r - 1;
        showFront = FloorDiv(half + counter, size) % 2 == 0;
    }
    DDSURFACEDATA* pic = showFront ? front : back;
    const int px = showFront ? fx : bx, py = showFront ? fy : by;
    const int si = static_cast<int>(s);
    if (axis == 0) DDStretchBlt(dst, x + si, y, w - 2 * si, h, pic, px, py, sw, sh, flags);
    else DDStretchBlt(dst, x, y + si, w, h - 2 * si, pic, px, py, sw, sh, flags);
}

void DDBltQuarters(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int distance,
                   int flags) {
    const int hw = w >> 1, hh = h >> 1;
    DDBeginBatch(0);
    const int64_t d = distance;
    DDBlt(dst, Add(x, -d), Add(y, -d), hw, hh, src, sx, sy, flags);
    DDBlt(dst, Add(x, hw + d), Add(y, -d), hw, hh, src, Add(sx, hw), sy, flags);
    DDBlt(dst, Add(x, -d), Add(y, hh + d), hw, hh, src, sx, Add(sy, hh), flags);
    DDBlt(dst, Add(x, hw + d), Add(y, hh + d), hw, hh, src, Add(sx, hw), Add(sy, hh), flags);
    DDEndBatch();
}

void DDBltCircle(DDSURFACEDATA* dst, int x, int y, int halfWidth, int halfHeight, int radius, int band,
                 DDSURFACEDATA* src, int sx, int sy, int flags) {
    if (radius < 1 || band < 1 || !dst || !src) return;
    dst = dd::Resolve(dst);
    src = dd::Resolve(src);
    const int64_t lo = std::max<int64_t>(0, static_cast<int64_t>(sx) - halfWidth);
    const int64_t hi = std::min<int64_t>(static_cast<int64_t>(sx) + halfWidth, src->nWidth);
    const int64_t r = radius, hh = halfHeight, b = band;
    // Rows below the destination are never walked, and the walk ends above its top.
    const int64_t below = ReachH(dst) - y;
    DDBeginBatch(0);
    if (band == 1) {
        // Rows at or below the half height are skipped, so the walk starts at the first row that can draw.
        for (int64_t v = std::min({r - 1, hh - 1, below - 1}); v >= -r; --v) {
            if (v < -hh || y + v < 0) break;
            DrawSpan(dst, x, y + v, 1, src, sx, sy + v, SpanHalfWidth(r, v), lo, hi, flags);
        }
    } else {
        int64_t v = r - b;
        const int64_t limit = std::min(hh, below);
        if (v >= limit) v -= ((v - limit) / b + 1) * b;  // the bands that would all be skipped or fall below
        for (; v >= -r; v -= b) {
            if (v + b <= -hh) break;
            int64_t top = v;
            if (top + b > hh) top = hh - b;
            if (top < -hh) top = -hh;
            if (y + top + b <= 0 && v + b <= hh) break;  // this band and every later one lie above the top
            DrawSpan(dst, x, y + top, b, src, sx, sy + top, SpanHalfWidth(r, top + b / 2), lo, hi, flags);
        }
    }
    DDEndBatch();
}

void DDDrawFrame(DDSURFACEDATA* dst, int x, int y, int w, int h, int thickness, uint32_t colour) {
    const int64_t t = thickness;
    DDBeginFillBatch();
    DDFillRect(dst, x, y, w, thickness, colour);
    DDFillRect(dst, x, Add(y, int64_t{h} - t), w, thickness, colour);
    DDFillRect(dst, x, y, thickness, h, colour);
    DDFillRect(dst, Add(x, int64_t{w} - t), y, thickness, h, colour);
    DDEndFillBatch();
}

void DDBltFramed(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int thickness, uint32_t colour) {
    const int64_t t = thickness;
    DDBlt(dst, x, y, w, h, src, 0, 0, DDBLT_COLORKEY);
    DDDrawFrame(dst, Add(x, -t), Add(y, -t), Add(w, 2 * t), Add(h, 2 * t), thickness, colour);
}

void DDDrawNumber(DDSURFACEDATA* dst, int x, int y, int digitWidth, int digitHeight, DDSURFACEDATA* src, int sx,
                  int sy, int flags, int number, int fieldDigits, int centred) {
    // Negative numbers have no digit pictures: nothing is drawn.
    if (number < 0) return;
    int digits[10];
    int n = 0;
    int v = number;
    do {
        digits[n++] = v % 10;
        v /= 10;
    } while (v != 0 && n < 10);
    int64_t start = x;
    if (n < fieldDigits) {
        const int64_t move = (int64_t{fieldDigits} - n) * digitWidth;
        start = x + (centred ? move / 2 : move);
    }
    for (int i = 0; i < n; ++i) {
        const int d = digits[n - 1 - i];
        DDBlt(dst, Add(start, int64_t{i} * digitWidth), y, digitWidth, digitHeight, src,
              Add(sx, int64_t{d} * digitWidth), sy, flags);
    }
}
