// The six formations: each lays the objects of one volley out and hands
// each position with its velocity to SpawnFromFormation.
#include <cmath>
#include <numbers>

#include "actors/chara.h"
#include "actors/shot_emit.h"
#include "actors/shot_geometry.h"
#include "world/world_state.h"

namespace {

struct FORMCTX {
    SHOTLIST* lpList;
    cWorldState* world;
    cChara& chara;
    const cEdShot& s;
    SHOTWORK& work;
    int32_t r[4];  // the shooter's rectangle
    int32_t midX() const { return r[0] + (r[2] - r[0] + 1) / 2; }
    int32_t midY() const { return r[1] + (r[3] - r[1] + 1) / 2; }
};

void Emit(FORMCTX& c, double x, double y, double angle) {
    c.work.dPosX = x;
    c.work.dPosY = y;
    c.work.dObjAngle = angle;
    AngleVelocity(angle, c.work.dSpeed, c.work.dVelX, c.work.dVelY);
    SpawnFromFormation(c.lpList, c.work, c.chara, c.s, c.world);
}

// Turns (x, y) about (cx, cy) by `deg` degrees in the angle convention.
void Turn(double& x, double& y, double cx, double cy, double deg) {
    const double r = deg * std::numbers::pi / 180.0;
    const double dx = x - cx, dy = y - cy;
    x = cx + dx * std::cos(r) - dy * std::sin(r);
    y = cy + dx * std::sin(r) + dy * std::cos(r);
}

bool IsDiagonal(int32_t dir) { return dir >= SHOTDIR_UP_LEFT && dir <= SHOTDIR_DOWN_RIGHT; }

// The point just outside the shooter on the side of `dir`, centred on it
// along the other axis (the matching corner for the diagonals).
void SidePoint(const FORMCTX& c, int32_t dir, double& x, double& y) {
    const int32_t w = c.work.nW, h = c.work.nH;
    x = c.midX() - w / 2;
    y = c.midY() - h / 2;
    if (dir == SHOTDIR_LEFT || dir == SHOTDIR_UP_LEFT || dir == SHOTDIR_DOWN_LEFT) x = c.r[0] + 1 - w;
    if (dir == SHOTDIR_RIGHT || dir == SHOTDIR_UP_RIGHT || dir == SHOTDIR_DOWN_RIGHT) x = c.r[2] + 1;
    if (dir == SHOTDIR_UP || dir == SHOTDIR_UP_LEFT || dir == SHOTDIR_UP_RIGHT) y = c.r[1] - h;
    if (dir == SHOTDIR_DOWN || dir == SHOTDIR_DOWN_LEFT || dir == SHOTDIR_DOWN_RIGHT) y = c.r[3] + 1;
}

double AimedAngle(const FORMCTX& c, double x, double y) {
    const cChara* lpSubject = ShotTargetEntry(c.chara, c.s.nByte7);
    if (!lpSubject) return DirectionAngle(c.work.nDir);
    return AimAngle(c.chara, x + c.work.nW / 2.0, y + c.work.nH / 2.0, CentreX(*lpSubject), CentreY(*lpSubject));
}

// 直進A (row beside the shooter) and 直進B (column from its feet).
void RowFormation(FORMCTX& c, bool bColumn) {
    const int32_t n = c.s.nShotNum, w = c.work.nW, h = c.work.nH, dir = c.work.nDir;
    const int32_t gap = c.s.nFormParam[0] * 16;
    double x = 0, y = 0, stepX = 0, stepY = 0;
    SidePoint(c, dir, x, y);
    if (IsDiagonal(dir)) {
        // Laid across the diagonal, centred on the corner.
        const double k = std::numbers::sqrt2 / 2;
        const double sgn = (dir == SHOTDIR_UP_LEFT || dir == SHOTDIR_DOWN_RIGHT) ? -1 : 1;
        stepX = k * (w + gap);
        stepY = sgn * k * (h + gap);
        x -= (n - 1) * stepX / 2;
        y -= (n - 1) * stepY / 2;
    } else if (dir == SHOTDIR_UP || dir == SHOTDIR_DOWN) {
        x = c.midX() - (n - 1) * (gap / 2) - n * (w / 2);
        stepX = w + gap;
    } else if (bColumn) {
        y = c.r[3] - h + 1;
        stepY = -(h + gap);
    } else {
        y = c.midY() - (n - 1) * (gap / 2) - n * (h / 2);
        stepY = h + gap;
    }
    x += c.work.dOfsX;
    y += c.work.dOfsY;
    const bool bAim = c.s.nByte6 != 0;
    const double base = DirectionAngle(dir);
    double theta = base;
    if (c.work.dAngle != 0 || bAim) theta = (bAim ? AimedAngle(c, x, y) : base) + c.work.dAngle;
    const bool bRotate = c.s.nByte12 != 0 && theta != base;
    const double cx = c.midX() - w / 2.0, cy = c.midY() - h / 2.0;
    for (int32_t j = 0; j < n; ++j) {
        double px = x + stepX * j, py = y + stepY * j;
        if (bRotate) Turn(px, py, cx, cy, theta - base);
        Emit(c, px, py, theta);
    }
}

// 拡散: every object from one point, fanned out by the angle gap.
void FanFormation(FORMCTX& c) {
    const int32_t n = c.s.nShotNum;
    const double g = c.s.nFormParam[0];
    double x = 0, y = 0;
    SidePoint(c, c.work.nDir, x, y);
    x += c.work.dOfsX;
    y += c.work.dOfsY;
    const double dirBase = DirectionAngle(c.work.nDir);
    const bool bAim = c.s.nByte6 != 0;
    const double base = (bAim ? AimedAngle(c, x, y) : dirBase) + c.work.dAngle;
    if (base != dirBase) Turn(x, y, c.midX() - c.work.nW / 2.0, c.midY() - c.work.nH / 2.0, base - dirBase);
    const double first = n % 2 == 0 ? base - g * (n / 2 - 0.5) : base - g * (n / 2);
    for (int32_t j = 0; j < n; ++j) Emit(c, x, y, first + g * j);
}

// The subject of 落雷 and 包囲: 0 the target entry, 1 the hero, 2 the shooter.
cChara* Subject(const FORMCTX& c) {
    switch (c.s.nByte4) {
    case 0: return ShotTargetEntry(c.chara, c.s.nByte7);
    case 1: return GetHero(c.world);
    case 2: return &c.chara;
    default: return nullptr;
    }
}

// 落雷: columns that enter from the edge of the view, lined up with the subject.
void StrikeFormation(FORMCTX& c) {
    const cChara* lpSubject = Subject(c);
    if (!lpSubject) return;
    const int32_t n = c.s.nShotNum, w = c.work.nW, h = c.work.nH;
    const double theta = DirectionAngle(c.work.nDir) + c.work.dAngle;
    double dx = 0, dy = 0;
    AngleVelocity(theta, 1.0, dx, dy);
    const double vx0 = static_cast<int32_t>(CurScrollX().dPos), vy0 = static_cast<int32_t>(CurScrollY().dPos);
    const double cx = CentreX(*lpSubject), cy = CentreY(*lpSubject);
    // Back along the direction from the subject to where the line leaves the view.
    double t = 1e9;
    if (dx > 1e-9) t = std::min(t, (cx - w / 2.0 - vx0) / dx);
    if (dx < -1e-9) t = std::min(t, (vx0 + SCROLL_VIEW_X - w / 2.0 - cx) / -dx);
    if (dy > 1e-9) t = std::min(t, (cy - h / 2.0 - vy0) / dy);
    if (dy < -1e-9) t = std::min(t, (vy0 + SCROLL_VIEW_Y - h / 2.0 - cy) / -dy);
    if (t == 1e9) t = 0;
    const double sx = cx - t * dx - w / 2.0 + c.work.dOfsX, sy = cy - t * dy - h / 2.0 + c.work.dOfsY;
    const int32_t gap = c.s.nFormParam[0] * 16;
    const int32_t cols = c.s.nFormParam[1] < 1 ? 1 : c.s.nFormParam[1];
    const double across = (std::fabs(dx) > std::fabs(dy) ? h : w) + c.s.nFormParam[2] * 16;
    const double len = (std::fabs(dx) > std::fabs(dy) ? w : h) + gap;
    for (int32_t col = 0; col < cols; ++col) {
        const double a = (col - (cols - 1) / 2.0) * across;
        for (int32_t j = 0; j < n; ++j)
            Emit(c, std::floor(sx - dy * a - dx * len * j), std::floor(sy + dx * a - dy * len * j), theta);
    }
}

// 爆発: evenly round the circle from the shooter's centre.
void BurstFormation(FORMCTX& c) {
    const int32_t n = c.s.nShotNum;
    const double x = c.midX() - c.work.nW / 2 + c.work.dOfsX;
    const double y = c.midY() - c.work.nH / 2 + c.work.dOfsY;
    const double base = DirectionAngle(c.work.nDir) + c.work.dAngle;
    for (int32_t j = 0; j < n; ++j) Emit(c, x, y, base + j * 360.0 / n);
}

// 包囲: on a ring round the subject, moving toward its centre.
void RingFormation(FORMCTX& c) {
    const cChara* lpSubject = Subject(c);
    if (!lpSubject) return;
    const int32_t n = c.s.nShotNum;
    const double radius = c.s.nFormParam[0] * 16.0;
    const double x = CentreX(*lpSubject) - c.work.nW / 2 + c.work.dOfsX;
    const double y = CentreY(*lpSubject) - c.work.nH / 2 + c.work.dOfsY;
    const double base = DirectionAngle(c.work.nDir) + c.work.dAngle;
    for (int32_t j = 0; j < n; ++j) {
        const double theta = base + j * 360.0 / n;
        const double r = theta * std::numbers::pi / 180.0;
        Emit(c, x + static_cast<int32_t>(std::cos(r) * radius + 0.5),
             y + static_cast<int32_t>(std::sin(r) * radius + 0.5), theta);
    }
}

}  // namespace

void RunFormation(SHOTLIST* lpList, cChara& chara, const cEdShot& settings, SHOTWORK& work, cWorldState* world) {
    FORMCTX c{lpList, world, chara, settings, work, {}};
    CharaStageRect(chara, c.r);
    switch (settings.nFormation) {
    case FORMATION_ROW: RowFormation(c, false); break;
    case FORMATION_COLUMN: RowFormation(c, true); break;
    case FORMATION_FAN: FanFormation(c); break;
    case FORMATION_STRIKE: StrikeFormation(c); break;
    case FORMATION_BURST: BurstFormation(c); break;
    case FORMATION_RING: RingFormation(c); break;
    default: break;
    }
}
