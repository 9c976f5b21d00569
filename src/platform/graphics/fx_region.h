#pragma once
// The part of an effect's region that both locked surfaces hold (used by the pixel effects only).
#include <algorithm>
#include <cstdint>

#include "platform/graphics/fx_lock.h"

struct FXREGION {
    int i0 = 0, i1 = 0, j0 = 0, j1 = 0;  // region columns [i0, i1) and rows [j0, j1)
    bool Empty() const { return i1 <= i0 || j1 <= j0; }
};

// Region positions of a w x h region whose destination (dx + i, dy + j) and source (sx + i, sy + j) are inside.
inline FXREGION FxClipRegion(const cSurfaceLock& d, int dx, int dy, const cSurfaceLock& s, int sx, int sy, int w,
                             int h) {
    auto lo = [](int64_t a, int64_t b) { return static_cast<int>(std::max<int64_t>({0, -a, -b})); };
    auto hi = [](int64_t n, int64_t dl, int64_t a, int64_t sl, int64_t b) {
        return static_cast<int>(std::max<int64_t>(0, std::min<int64_t>({n, dl - a, sl - b})));
    };
    FXREGION r;
    r.i0 = lo(dx, sx);
    r.j0 = lo(dy, sy);
    r.i1 = hi(w, d.m_nWidth, dx, s.m_nWidth, sx);
    r.j1 = hi(h, d.m_nHeight, dy, s.m_nHeight, sy);
    return r;
}

// Locks dst and src for an effect; a source holding the destination's pixels reads a copy.
struct FXLOCKS {
    cSurfaceLock d, s;
    FXLOCKS(DDSURFACEDATA* dst, DDSURFACEDATA* src) : d(dst), s(d.Locked() ? src : nullptr) {
        if (d.SamePixels(s)) s.Detach();
    }
    bool Locked() const { return d.Locked() && s.Locked(); }
    bool Unlock() {
        const bool a = s.Unlock();
        return d.Unlock() && a;
    }
};
