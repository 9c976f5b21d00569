#include "play/draw/copied_screen.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/dd_blit.h"

namespace {

constexpr size_t MAX_SOURCES = 32;  // a screen of a few kinds of block reads few rectangles

}  // namespace

bool cCopiedScreen::Read(DDSURFACEDATA* src, int sx, int sy, int w, int h, SOURCE* out) {
    const DDPIXELS* px = DDSourcePixels(src);
    if (!px || px->Empty() || w < 1 || h < 1 || sx < 0 || sy < 0 || w > px->width - sx || h > px->height - sy)
        return false;
    const size_t row = static_cast<size_t>(w) * px->BytesPerPixel();
    out->lpSrc = src;
    out->sx = sx, out->sy = sy, out->w = w, out->h = h;
    out->format = px->format;
    out->bytes.resize(row * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(&out->bytes[row * y], px->Row(sy + y) + static_cast<size_t>(sx) * px->BytesPerPixel(), row);
    return true;
}

bool cCopiedScreen::Matches(const DDSURFACEDATA* dst, const std::vector<COPIEDPIECE>& pieces) const {
    const DDPIXELS& d = dst->Surface;
    if (!bKept || d.format != format || d.width != nWidth || d.height != nHeight || d.pitch != nPitch ||
        pieces != vPieces)
        return false;
    for (const SOURCE& s : vSources) {
        const DDPIXELS* px = DDSourcePixels(s.lpSrc);
        if (!px || px->format != s.format || s.w > px->width - s.sx || s.h > px->height - s.sy) return false;
        const size_t row = static_cast<size_t>(s.w) * px->BytesPerPixel();
        for (int y = 0; y < s.h; ++y)
            if (std::memcmp(&s.bytes[row * y], px->Row(s.sy + y) + static_cast<size_t>(s.sx) * px->BytesPerPixel(),
                            row) != 0)
                return false;
    }
    return true;
}

void cCopiedScreen::CopyTo(DDSURFACEDATA* dst) const {
    std::memcpy(dst->Surface.bits.data(), vScreen.data(), std::min(vScreen.size(), dst->Surface.bits.size()));
}

void cCopiedScreen::Keep(const DDSURFACEDATA* dst, const std::vector<COPIEDPIECE>& pieces) {
    Clear();
    const DDPIXELS& d = dst->Surface;
    if (d.Empty()) return;
    for (const COPIEDPIECE& p : pieces) {
        bool seen = false;
        for (const SOURCE& s : vSources)
            seen = seen || (s.lpSrc == p.lpSrc && s.sx == p.sx && s.sy == p.sy && s.w == p.w && s.h == p.h);
        if (seen) continue;
        SOURCE s;
        if (vSources.size() == MAX_SOURCES || !Read(p.lpSrc, p.sx, p.sy, p.w, p.h, &s)) {
            Clear();
            return;
        }
        vSources.push_back(std::move(s));
    }
    format = d.format;
    nWidth = d.width, nHeight = d.height, nPitch = d.pitch;
    vPieces = pieces;
    vScreen.assign(d.bits.begin(), d.bits.end());
    bKept = true;
}

void cCopiedScreen::Clear() {
    bKept = false;
    vPieces.clear();
    vSources.clear();
}
