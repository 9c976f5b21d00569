#include "actors/shot_move.h"

#include <array>
#include <cmath>

#include "actors/chara.h"
#include "actors/shot.h"
#include "actors/shot_geometry.h"

namespace {

// Steps until the shot has flown `hbl` half blocks at its settings' speed.
int32_t Frames(const cShot& s, int32_t hbl) {
    const cEdShot& e = s.settings;
    const double speed = std::fabs((e.nSpeed + e.nSpeedInc * s.nVolley) * 0.1 / ShotSteps());
    return speed == 0 ? 0 : static_cast<int32_t>(hbl * 16 / speed);
}

// Points the own velocity (unless bAccelOnly) and, for a velocity-driven
// shot, its acceleration at the subject's centre, keeping their sizes.
void Steer(cShot& s, const cChara& subject, bool bAccelOnly) {
    double vx = 0, vy = 0;
    int32_t dir = 0;
    const double speed = std::hypot(s.dVelX, s.dVelY);
    s.CalcAimVelocity(vx, vy, dir, CentreX(s), CentreY(s), CentreX(subject), CentreY(subject), speed > 0 ? speed : 1,
                      true, false);
    const double len = std::hypot(vx, vy);
    if (!bAccelOnly && speed > 0) {
        s.dVelX = vx;
        s.dVelY = vy;
    }
    if (s.bDriven && len > 0) {
        const double a = std::hypot(s.dAccelX, s.dAccelY);
        s.dAccelX = a * vx / len;
        s.dAccelY = a * vy / len;
    }
}

// The three numbers of the movement kind, copied out of the packed settings.
std::array<int16_t, 3> MoveParams(const cShot& s) {
    return {s.settings.nMoveParam[0], s.settings.nMoveParam[1], s.settings.nMoveParam[2]};
}

// The subject of an aiming or homing kind; null when there is none now.
cChara* Subject(const cShot& s, cWorldState* world) {
    const auto p = MoveParams(s);
    switch (s.nMoveKind) {
    case SHOTMOVE_AIM_HERO:
    case SHOTMOVE_HOME_HERO: return GetHero(world);
    case SHOTMOVE_AIM_NEAREST: return FindNearestChara(p[1], CentreX(s), CentreY(s), world);
    case SHOTMOVE_HOME_NEAREST:
    case SHOTMOVE_HOME_NEAREST2: return FindNearestChara(p[2], CentreX(s), CentreY(s), world);
    case SHOTMOVE_AIM_TARGET:
    case SHOTMOVE_HOME_TARGET: {
        cChara* lpTarget = s.Target();
        return lpTarget && !lpTarget->dying ? lpTarget : nullptr;
    }
    default: return nullptr;
    }
}

// Kinds 1 to 3: one turn toward the subject after the set distance.
void AimOnce(cShot& s, cWorldState* world) {
    if (s.bAimed || s.nMoveFrame != Frames(s, s.settings.nMoveParam[0])) return;
    if (const cChara* lpSubject = Subject(s, world)) Steer(s, *lpSubject, false);
    s.bAimed = 1;
}

// Kinds 4 to 7: homing between the start and end distances.
void Home(cShot& s, cWorldState* world) {
    if (s.bAimed) return;
    if (s.nMoveFrame >= Frames(s, s.settings.nMoveParam[1])) {
        s.bAimed = 1;
        return;
    }
    if (s.nMoveFrame < Frames(s, s.settings.nMoveParam[0])) return;
    const cChara* lpSubject = Subject(s, world);
    if (!lpSubject) return;
    Steer(s, *lpSubject, s.bDriven && s.bHomed);
    s.bHomed = 1;
}

// Kind 8: an oscillation across the direction of flight.
void Wave(cShot& s) {
    const auto p = MoveParams(s);
    if (!s.bWaveReady) {
        const double len = std::hypot(s.dVelX, s.dVelY);
        s.dCrossX = len > 0 ? s.dVelY / len : 0;
        s.dCrossY = len > 0 ? -s.dVelX / len : 0;
        s.dWavePhase = 0;
        s.bWaveReady = 1;
        return;
    }
    const double start = (p[2] + (s.nFacing == 0 ? 180 : 0)) / static_cast<double>(p[1] != 0 ? p[1] : 1);
    const double a = cGameObject::CalcWaveSin(p[0] * 16, p[1], s.dWavePhase, 1.0, p[1] != 0 ? start : 0);
    s.dVelX += a * s.dCrossX;
    s.dVelY += a * s.dCrossY;
}

// Kind 9: from the set distance on, the vertical speed falls freely.
void Fall(cShot& s) {
    if (s.bFalling || s.nMoveFrame != Frames(s, s.settings.nMoveParam[0])) return;
    s.dSpeedY = s.dVelY;
    s.bFalling = 1;
}

}  // namespace

void RunShotMovement(cShot& shot, cWorldState* world) {
    switch (shot.nMoveKind) {
    case SHOTMOVE_AIM_HERO:
    case SHOTMOVE_AIM_NEAREST:
    case SHOTMOVE_AIM_TARGET: AimOnce(shot, world); break;
    case SHOTMOVE_HOME_HERO:
    case SHOTMOVE_HOME_NEAREST:
    case SHOTMOVE_HOME_TARGET:
    case SHOTMOVE_HOME_NEAREST2: Home(shot, world); break;
    case SHOTMOVE_WAVE: Wave(shot); break;
    case SHOTMOVE_FALL: Fall(shot); break;
    default: break;
    }
}
