#pragma once
// Whether any block of the grid can meet a character where it stands: the
// edge checks of block collision read only cells under the character's
// rectangle, so when none of those hits the character's side, every check
// answers "nothing" without sampling its edge.
#include <algorithm>
#include <cstdint>

#include "actors/chara.h"
#include "world/block_grid.h"
#include "world/world_state.h"

// The samples an edge check takes along an edge of `len` dots: at least
// enough to meet every cell it crosses (block_collision.cpp samples by it).
inline int32_t EdgeSampleSpan(const cChara& c, double len) {
    // std::ceil without its library call: the whole part, one up when below.
    const double cells = len / 32.0;
    int32_t need = static_cast<int32_t>(cells);
    if (need < cells) ++need;
    if (need < 1) need = 1;
    return c.nCellSpan > need ? c.nCellSpan : need;
}

// The farthest sample of an edge from `start` of `len` >= 0 dots: the edge
// checks sample start + len and start + len × i / span (i <= span), none past
// the larger of the two ends (each step of the sum rounds upwards no less).
inline double LastEdgeSample(const cChara& c, double start, double len) {
    const int32_t span = EdgeSampleSpan(c, len);
    const double end = start + len;
    const double last = start + len * span / span;
    return last > end ? last : end;
}

// The cells l..r x t..b (within the grid) all pass `side`.
inline bool CellsPass(int32_t l, int32_t t, int32_t r, int32_t b, int32_t side) {
    const int32_t shift = CurScrollX().nPitchShift;
    const BLOCKHIT* hits = BlockHits.data();
    const int32_t size = static_cast<int32_t>(BlockHits.size());
    for (int32_t row = t; row <= b; ++row) {
        const int32_t first = row << shift;
        for (int32_t cell = first + l; cell <= first + r && cell < size; ++cell) {
            const BLOCKHIT h = hits[cell];
            if (h.byKind != 0 && (h.byKind == BLOCKHIT_ASK || h.byPassGroup != side)) return false;
        }
    }
    return true;
}

// The cells under the rectangle worked out from the grid (HitsNoBlock when
// the kept cells do not answer). Out of line: the kept-cells test stays small
// where it is inlined.
[[gnu::noinline]] inline bool HitsNoBlockScan(cChara& c, int32_t side) {
    constexpr double kSlack = 1e-6;
    constexpr double kFar = 1 << 30;
    cChara::CLEARCELLS& known = c.ClearCells;
    // The kept cells are replaced only by a rectangle found clear.
    if (!(c.x <= c.x2 && c.y <= c.y2 && c.x > -kFar && c.y > -kFar && c.x2 < kFar && c.y2 < kFar)) return false;
    const cScrollAxis& sx = CurScrollX();
    const int32_t nRows = CurScrollY().nCells;
    int32_t l = static_cast<int32_t>(c.x) >> 5;
    int32_t t = static_cast<int32_t>(c.y) >> 5;
    int32_t r = static_cast<int32_t>(c.x2 + kSlack) >> 5;
    int32_t b = static_cast<int32_t>(c.y2 + kSlack) >> 5;
    if (l < 0) l = 0;
    if (t < 0) t = 0;
    if (r >= sx.nPitch) r = sx.nPitch - 1;
    if (b >= nRows) b = nRows - 1;
    // Wholly outside the grid: every sample misses it.
    if (l > r || t > b) return true;
    if (!CellsPass(l, t, r, b, side)) {
        // The slack takes in the cell past x2 (y2) within 1e-6 of it, which
        // the samples may not reach: the edges' farthest samples tell. The
        // right and left edges sample rows from y, the floor and the ceiling
        // columns from x; the floor samples row y2, the right edge column x2.
        int32_t r2 = static_cast<int32_t>(LastEdgeSample(c, c.x, c.x2 - c.x)) >> 5;
        int32_t b2 = static_cast<int32_t>(LastEdgeSample(c, c.y, c.y2 - c.y)) >> 5;
        r2 = std::max(r2, static_cast<int32_t>(c.x2) >> 5);
        b2 = std::max(b2, static_cast<int32_t>(c.y2) >> 5);
        if (r2 >= sx.nPitch) r2 = sx.nPitch - 1;
        if (b2 >= nRows) b2 = nRows - 1;
        if (r2 >= r && b2 >= b) return false;
        if (l > r2 || t > b2) return true;
        if (!CellsPass(l, t, r2, b2, side)) return false;
        r = r2;
        b = b2;
    }
    known = {BlockHitsVersion, side, l * 32.0, t * 32.0, (r + 1) * 32.0, (b + 1) * 32.0};
    return true;
}

// The rectangle (x, y)-(x2, y2) lies within the dots of the cells that `c`
// found clear for its side under the current block table: the cells under it
// are among them, so none needs working out (HitsNoBlock answers true at once).
[[gnu::always_inline]] inline bool InKeptClearCells(const cChara& c, double x, double y, double x2, double y2) {
    constexpr double kSlack = 1e-6;
    const cChara::CLEARCELLS& known = c.ClearCells;
    return known.nVersion == BlockHitsVersion && known.nSide == c.Side() && x >= known.dLeft && y >= known.dTop &&
           x2 + kSlack < known.dRight && y2 + kSlack < known.dBottom && x <= x2 && y <= y2;
}
// The same for two rectangles that share their columns: (x, ya)-(x2, ya2)
// and (x, yb)-(x2, yb2).
[[gnu::always_inline]] inline bool InKeptClearCells(const cChara& c, double x, double x2, double ya, double ya2,
                                                    double yb, double yb2) {
    constexpr double kSlack = 1e-6;
    const cChara::CLEARCELLS& known = c.ClearCells;
    return known.nVersion == BlockHitsVersion && known.nSide == c.Side() && x >= known.dLeft &&
           x2 + kSlack < known.dRight && x <= x2 && ya >= known.dTop && ya2 + kSlack < known.dBottom && ya <= ya2 &&
           yb >= known.dTop && yb2 + kSlack < known.dBottom && yb <= yb2;
}

// True when no cell under the rectangle (x, y)-(x2, y2) of `c` can hit it:
// each is empty, passes the character's side, or lies outside the grid. A
// cell whose block has conditions counts as a hit (only the cell can tell).
// The cells found clear are kept in the character while the block table is
// unchanged, so that a character moving within them is answered at once.
// Always inline: three block checks ask it every step, and nearly always
// the kept cells answer. The far edges of a sampled edge can land a few units
// in the last place past x2 (y2): the slack takes in the cell they would reach.
[[gnu::always_inline]] inline bool HitsNoBlock(cChara& c) {
    if (InKeptClearCells(c, c.x, c.y, c.x2, c.y2)) return true;
    return HitsNoBlockScan(c, c.Side());
}
