// The hero's sight: the screen outside the see-through hole of the sight
// mask is darkened.
#include <algorithm>

#include "actors/chara_draw.h"
#include "actors/player.h"
#include "platform/graphics/dd_blit.h"

namespace {

constexpr int SCREEN_W = 640, SCREEN_H = 480;
// Sight shapes that put the hole in front of the character.
constexpr int SIGHT_FRONT_CIRCLE = 2, SIGHT_FRONT_SQUARE = 4;

}  // namespace

void cPlayer::DrawSightMask(const CHARADRAW& draw) {
    if (data.bySightShape == 0) return;
    DDSURFACEDATA* mask = draw.lpSightMask;
    if (!mask || !mask->HasSurface() || mask->nWidth < SCREEN_W || mask->nHeight < SCREEN_H) return;
    // The hero's centre on the screen; the front shapes move the hole ahead of it.
    int cx = static_cast<int>(x - draw.dScrollX) + nHitW / 2;
    const int cy = static_cast<int>(y - draw.dScrollY) + nHitH / 2;
    if (data.bySightShape == SIGHT_FRONT_CIRCLE || data.bySightShape == SIGHT_FRONT_SQUARE)
        cx += GetFacingSign() * sight;
    // The mask's centre goes on that point.
    const int sx = std::clamp(mask->nWidth / 2 - cx, 0, mask->nWidth - SCREEN_W);
    const int sy = std::clamp(mask->nHeight / 2 - cy, 0, mask->nHeight - SCREEN_H);
    DDBlt(draw.lpDst, 0, 0, SCREEN_W, SCREEN_H, mask, sx, sy, DDBLT_COLORKEY);
}
