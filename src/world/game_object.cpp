#include "world/game_object.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "database/global_objects.h"
#include "stage/stage_data_records.h"
#include "world/world_state.h"

double dHalfRoot2 = 0.7071067811865476;
int32_t bScrollFollowSwitch = 0;

void cGameObject::CopyFrom(const cGameObject& src) {
    if (this == &src) return;
    nId = src.nId;
    nLifeTime = src.nLifeTime;
    nSetupA = src.nSetupA;
    wSetupB = src.wSetupB;
    nSetupC = src.nSetupC;
    Anime = src.Anime;
    for (int i = 0; i < 3; ++i) nWord[i] = src.nWord[i];
    nScrLeft = src.nScrLeft;
    nScrTop = src.nScrTop;
    nScrRight = src.nScrRight;
    nScrBottom = src.nScrBottom;
    nCellOffX = src.nCellOffX;
    nCellOffY = src.nCellOffY;
    nCellW = src.nCellW;
    nCellH = src.nCellH;
    nBaseCellOffX = src.nBaseCellOffX;
    nBaseCellOffY = src.nBaseCellOffY;
    nBaseCellW = src.nBaseCellW;
    nBaseCellH = src.nBaseCellH;
    nKind = src.nKind;
    nKind2 = src.nKind2;
    nKind3 = src.nKind3;
    x = src.x;
    y = src.y;
    x2 = src.x2;
    y2 = src.y2;
    nColL = src.nColL;
    nRowT = src.nRowT;
    nColR = src.nColR;
    nRowB = src.nRowB;
    dSpeedX = src.dSpeedX;
    dSpeedY = src.dSpeedY;
    dPushX = src.dPushX;
    dPushY = src.dPushY;
    dDecel = src.dDecel;
    dMotion = src.dMotion;
    bDecelPushX = src.bDecelPushX;
    bDecelPushY = src.bDecelPushY;
    bCentreFollow = src.bCentreFollow;
    nHitW = src.nHitW;
    nHitH = src.nHitH;
    nBaseHitW = src.nBaseHitW;
    nBaseHitH = src.nBaseHitH;
    bScreen = src.bScreen;
    nBlockMode = src.nBlockMode;
    nWordZ = src.nWordZ;
    nKeep = src.nKeep;
    byFlagZ = src.byFlagZ;
    nFacing = src.nFacing;
    nScale = src.nScale;
    maxSpeed = src.maxSpeed;
}

void cGameObject::Setup(int32_t id, int32_t kind, int32_t kind2, int32_t kind3, int32_t valueC,
                        const FRAMEITEMTABLE* lpAnimeSet, int32_t anime, int32_t cellOffX, int32_t cellOffY,
                        int32_t hitW, int32_t hitH, int32_t cellW, int32_t cellH, int32_t valueA, int32_t blockHit,
                        uint16_t valueB) {
    nId = id;
    nLifeTime = LIFETIME_UNLIMITED;
    nKind = kind;
    nKind2 = kind2;
    nKind3 = kind3;
    nSetupC = valueC;
    if (lpAnimeSet) {
        Anime.Init(lpAnimeSet);
        Anime.Restart(anime, true);
    }
    nBaseCellOffX = nCellOffX = cellOffX;
    nBaseCellOffY = nCellOffY = cellOffY;
    nBaseHitW = nHitW = hitW;
    nBaseHitH = nHitH = hitH;
    nBaseCellW = nCellW = cellW;
    nBaseCellH = nCellH = cellH;
    dSpeedX = dSpeedY = 0;
    dPushX = dPushY = 0;
    nSetupA = valueA;
    wSetupB = valueB;
    nWordZ = 0;
    nKeep = 0;
    byFlagZ = 0;
    SetBlockHit(blockHit);
}

void cGameObject::SetBlockHit(int32_t setting) {
    static const int32_t kTable[4][2] = {{0, BLOCKMODE_HIT}, {1, BLOCKMODE_PASS}, {1, BLOCKMODE_HIT}, {1, BLOCKMODE_DIE}};
    if (setting < 0 || setting > 3) return;
    bScreen = kTable[setting][0];
    nBlockMode = kTable[setting][1];
}

void cGameObject::SetScale(int32_t newScale, int32_t oldScale, cWorldState* world) {
    if (newScale == oldScale) return;
    nHitW = nBaseHitW * newScale;
    nHitH = nBaseHitH * newScale;
    nCellOffX = nBaseCellOffX * newScale;
    nCellOffY = nBaseCellOffY * newScale;
    nCellW = nBaseCellW * newScale;
    nCellH = nBaseCellH * newScale;
    AdjustPosOnScale(newScale, oldScale, world);
    OnScale(newScale);
}

void cGameObject::AdjustPosOnScale(int32_t newScale, int32_t oldScale, cWorldState* world) {
    if (newScale == oldScale) return;
    AdjustXOnScale(newScale, oldScale);
    AdjustYOnScale(newScale, oldScale, world);
}

void cGameObject::AdjustXOnScale(int32_t newScale, int32_t oldScale) {
    x -= (nBaseHitW >> 1) * (newScale - oldScale);
    ClampX(2);
}

namespace {

// Clamps pos (extent w) on one axis; far-side results are raised by `far`
// (0 on X, 3 on Y). Always inline in ClampX and ClampY: every object runs
// them each step, and a call of its own costs as much as the fast test.
[[gnu::always_inline]] inline int32_t ClampAxis(double& pos, int32_t w, const cScrollAxis& a, int32_t mode, int32_t far) {
    const auto beyondLow = [&](double lo) { return pos < lo; };
    const auto beyondHigh = [&](double hi) { return pos + w - 1 >= hi; };
    switch (mode) {
    case 0:
        if (beyondLow(a.nMin)) pos = a.nMin;
        else if (beyondHigh(a.nMax)) pos = a.nMax - w;
        return CLAMP_INSIDE;
    case 1:
        if (beyondLow(a.nBaseMin)) {
            pos = a.nBaseMin;
            return CLAMP_INSIDE;
        }
        if (beyondHigh(a.nBaseMax)) {
            pos = a.nBaseMax - w;
            return CLAMP_INSIDE;
        }
        if (beyondLow(a.nMin)) return CLAMP_SCROLL;
        if (beyondHigh(a.nMax)) return CLAMP_SCROLL + far;
        return CLAMP_INSIDE;
    case 2: {
        // Within every limit, as nearly every object is: one test against
        // the tightest of them answers as the six below would (a position
        // that is no number fails it and takes them, as before).
        if (a.HoldsInGrid(pos, w)) return CLAMP_INSIDE;
        if (pos < 0) {
            pos = 0;
            return CLAMP_GRID;
        }
        if (beyondHigh(a.nOuter)) {
            pos = a.nOuter - w;
            return CLAMP_GRID + far;
        }
        if (beyondLow(a.nBaseMin)) return CLAMP_STAGE;
        if (beyondHigh(a.nBaseMax)) return CLAMP_STAGE + far;
        if (beyondLow(a.nMin)) return CLAMP_SCROLL;
        if (beyondHigh(a.nMax)) return CLAMP_SCROLL + far;
        return CLAMP_INSIDE;
    }
    default:
        return CLAMP_INSIDE;
    }
}

}  // namespace

int32_t cGameObject::ClampX(int32_t mode) {
    const int32_t r = ClampAxis(x, nHitW, CurScrollX(), mode, 0);
    SetExtentX();
    return r;
}

int32_t cGameObject::ClampY(int32_t mode) {
    const int32_t r = ClampAxis(y, nHitH, CurScrollY(), mode, 3);
    SetExtentY();
    return r;
}

void cGameObject::ReclampX() {
    if (nHitW > CurScrollX().nOuter) ClampX(2);
}

void cGameObject::ReclampY() {
    if (nHitH > CurScrollY().nOuter) ClampY(2);
}

namespace {

void LimitSpeed(double& speed) { speed = WithinSpeedLimit(speed, PlayStage.dSpeedLimitStep); }

}  // namespace

int32_t cGameObject::LimitMoveSpeed(int32_t mode) {
    LimitSpeed(dSpeedX);
    x += dSpeedX;
    return ClampX(mode);
}

int32_t cGameObject::LimitFallSpeed(int32_t mode) {
    LimitSpeed(dSpeedY);
    y += dSpeedY;
    return ClampY(mode);
}

void cGameObject::Decelerate(double& speed, int32_t bOn) const {
    if (!bOn) return;
    if (speed > 0) {
        speed -= dDecel;
        if (speed < 0) speed = 0;
    } else if (speed < 0) {
        speed += dDecel;
        if (speed > 0) speed = 0;
    }
}

void cGameObject::UpdateScreenRectHeld() {
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    const auto t = [](double v) { return static_cast<int32_t>(v); };
    if (sx.IsScrollingFreely()) {
        nScrLeft = bCentreFollow ? t(x - sx.dPos) - nCellOffX : t((x - nCellOffX) - t(sx.dPos));
    } else {
        nScrLeft = t(x) - t(sx.dPos) - nCellOffX;
    }
    nScrRight = nScrLeft + nCellW - 1;
    if (sy.IsScrollingFreely()) {
        nScrTop = t(y - sy.dPos) - nCellOffY + 1;
    } else {
        nScrTop = t(y) - t(sy.dPos) - nCellOffY;
    }
    nScrBottom = nScrTop + nCellH - 1;
}

bool cGameObject::IsInStage(bool bWholeGrid) const {
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    if (bWholeGrid) return x >= 0 && x2 < sx.nOuter && y >= 0 && y2 < sy.nOuter;
    return x >= sx.nBaseMin && x2 < sx.nBaseMax && y >= sy.nBaseMin && y2 < sy.nBaseMax;
}

bool cGameObject::OverlapsRect(double left, double top, double right, double bottom) const {
    return !(x > right || x2 < left || y > bottom || y2 < top);
}

bool cGameObject::IsBeyondScrollEdge(const cStageIntRec& rule) const { return cScrollEdgeLimits(rule).Beyond(*this); }

cScrollEdgeLimits::cScrollEdgeLimits(const cStageIntRec& rule) {
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    const int32_t* v = rule.nValue;
    const auto t = [](double d) { return static_cast<double>(static_cast<int32_t>(d)); };
    constexpr double kOff = std::numeric_limits<double>::quiet_NaN();
    // A limit is worked out only for an edge switched on, as each test asked it.
    dLeft = v[0] != 0 ? t(sx.dPos - v[4] * 32.0) : kOff;
    dRight = v[1] != 0 ? t(v[5] * 32.0 + sx.dPos + SCROLL_VIEW_X) : kOff;
    dUp = v[2] != 0 ? t(sy.dPos - v[6] * 32.0) : kOff;
    dDown = v[3] != 0 ? t(v[7] * 32.0 + sy.dPos + SCROLL_VIEW_Y) : kOff;
    dGridRight = sx.nOuter - 1;
    dGridBottom = sy.nOuter - 1;
}

double StepsPerFrame() { return PlayStage.dSteps >= 1 ? PlayStage.dSteps : 1.0; }

double cGameObject::DotsPerSecToFrame(double value) {
    return value / PlayStage.dSteps / 60.0;
}

void cGameObject::CalcLaunchVelocity(double& outX, double& outY, int32_t speed, double dx, double dy) {
    const int8_t s8 = static_cast<int8_t>(speed);
    if (s8 == 0) return;
    const double s = std::fabs(dx) + std::fabs(dy);
    if (s == 0) {
        outX = outY = 0;
        return;
    }
    const double v = PlayStage.dSteps;
    const auto curve = [v](double c) {
        if (c > 0) return (std::sqrt(1 + 128 * v * c) - 1) / (2 * v);
        if (c < 0) return -(std::sqrt(1 - 128 * v * c) - 1) / (2 * v);
        return 0.0;
    };
    outX = curve(s8 * dx / s);
    outY = curve(s8 * dy / s);
}

void cGameObject::CalcJudgeRange(double& outL, double& outR, double pos, int32_t size, int32_t before,
                                 int32_t after, bool bWhole) {
    const int32_t half = size >> 1;
    const double c = pos + half;
    outL = outR = c;
    if (before != 0) outL = c - half - before;
    if (after != 0) outR = c + half + after;
    if (bWhole && before == 0 && after == 0) {
        outL = c - half;
        outR = c + half;
    }
}

bool cGameObject::JudgeOverlap(double l1, double r1, double l2, double r2) {
    return l1 <= r2 && l2 <= r1;
}

namespace {

void StepPhase(double& phase, double step) {
    const double v = PlayStage.dSteps;
    phase += step;
    if (phase >= v * 360) phase -= v * 360;
}

}  // namespace

double cGameObject::CalcWaveCos(int32_t amplitude, int32_t rate, double& phase, double step, double start) {
    const double v = PlayStage.dSteps;
    const double r = rate * std::numbers::pi / 180.0;
    const double out = amplitude * r * std::cos((phase / v + start) * r) / v;
    StepPhase(phase, step);
    return out;
}

double cGameObject::CalcWaveSin(int32_t amplitude, int32_t rate, double& phase, double step, double start) {
    const double v = PlayStage.dSteps;
    const double r = rate * std::numbers::pi / 180.0;
    const double out = -amplitude * r * r * std::sin((phase / v + start) * r) / (v * v);
    StepPhase(phase, step);
    return out;
}

int32_t cGameObject::StepToward(double& out, double& other, int32_t& dir, double current, double target,
                                double speed, bool bCheckArrival) const {
    if (target <= current) {
        dir = 1;
        out = -speed;
    } else {
        dir = 2;
        out = speed;
    }
    const cScrollAxis& sx = CurScrollX();
    if (bCentreFollow && bScrollFollowSwitch && sx.IsScrollingFreely()) out += sx.dAutoStep;
    other = 0;
    return bCheckArrival && std::fabs(target - current) < std::fabs(speed) ? 1 : 0;
}

int32_t cGameObject::CalcAimVelocity(double& vx, double& vy, int32_t& dir, double fromX, double fromY, double toX,
                                     double toY, double speed, bool bAimed, bool bCallerFollows) const {
    const double dx = toX - fromX;
    const double dy = toY - fromY;
    vx = vy = 0;
    double d = std::sqrt(dx * dx + dy * dy);
    if (!bAimed && speed < 0) {
        const double s = -speed * dHalfRoot2;
        vx = toX <= fromX ? s : -s;
        vy = fromY < toY ? -s : s;
    } else {
        if (d == 0) d = 1;
        vx = dx / d * speed;
        vy = dy / d * speed;
    }
    dir = vx < 0 ? 1 : vx > 0 ? 2 : 0;
    const cScrollAxis& sx = CurScrollX();
    const cScrollAxis& sy = CurScrollY();
    if (bScrollFollowSwitch) {
        if (sx.IsScrollingFreely()) vx += sx.dAutoStep;
        if (sy.IsScrollingFreely()) vy += sy.dAutoStep;
    } else if ((bCentreFollow != 0) != bCallerFollows) {
        if (sx.IsScrollingFreely()) vx -= sx.dAutoStep;
        if (sy.IsScrollingFreely()) vy -= sy.dAutoStep;
    }
    return std::sqrt(dx * dx + dy * dy) <= std::fabs(speed) ? 1 : 0;
}

int32_t cGameObject::MapAltGraphic(int32_t index, int32_t kind) {
    // The option and its graphic tables are not part of this system's data:
    // every graphic keeps its own index.
    (void)kind;
    return index;
}
