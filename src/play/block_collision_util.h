#pragma once
// Small shared pieces of block collision: rectangles with inclusive edges,
// overlap and penetration, and the stage's step values.
#include <cstdint>

#include "actors/chara.h"

struct COLLRECT {
    double l = 0, t = 0, r = 0, b = 0;
};

// Edges count: an edge line or a point is a rectangle without width or height.
inline bool Overlap(const COLLRECT& a, const COLLRECT& b) {
    return a.l <= b.r && a.r >= b.l && a.t <= b.b && a.b >= b.t;
}
inline COLLRECT RectOf(const cGameObject& o) { return {o.x, o.y, o.x2, o.y2}; }
inline COLLRECT PrevRectOf(const cChara& c) { return {c.dPrevRect[0], c.dPrevRect[1], c.dPrevRect[2], c.dPrevRect[3]}; }
inline bool Contains(const COLLRECT& r, double px, double py) { return px >= r.l && px <= r.r && py >= r.t && py <= r.b; }
// How far a reaches into b on each axis.
inline double PenetrationX(const COLLRECT& a, const COLLRECT& b) { return b.l > a.l ? a.r - b.l + 1 : b.r - a.l + 1; }
inline double PenetrationY(const COLLRECT& a, const COLLRECT& b) { return b.t > a.t ? a.b - b.t + 1 : b.b - a.t + 1; }

// Logic steps per frame (at least 1).
double StepsPerFrame();
// Frames per second of play (60 when unset).
double PlayFrameRate();
// Steps without ground before a character counts as falling, for the
// stage's steps a frame and gravity a step. The answer is kept for the
// values it was worked out from, and asked again in line: every settled
// walker asks it on most steps.
struct GROUNDGRACE {
    int32_t nSteps = 0;
    double dGravity = 0;
    int32_t nGrace = -1;
};
inline thread_local GROUNDGRACE g_GroundGrace;
int32_t WorkOutGroundGrace(int32_t steps, double gravity);
inline int32_t GroundGraceSteps(int32_t steps, double gravity) {
    const GROUNDGRACE& last = g_GroundGrace;
    if (last.nGrace >= 0 && last.nSteps == steps && last.dGravity == gravity) return last.nGrace;
    return WorkOutGroundGrace(steps, gravity);
}
// A floor check that met nothing: no block stood on, one more step without
// ground, falling once the grace is over.
void NoGround(cChara& c);
// Its first part, inline for the settled walkers: no block stood on, one more
// step without ground; true when nothing else can change (a stage character
// already falling, or fewer steps without ground than `nSteps`, the steps of
// a frame, which the grace is never shorter than).
inline bool CountNoGround(cChara& c, int32_t nSteps) {
    c.lpStandBlock = nullptr;
    ++c.nNoGroundFrames;
    return (c.nKind != 0 && c.bFalling == 1) || c.nNoGroundFrames < nSteps;
}
// Its second part: falling once the grace is over.
void NoGroundGrace(cChara& c);
