#pragma once
// Small helpers shared by the shot emitter, the formations, the movements
// and the swords.
#include <cstdint>

class cChara;
class cGameObject;
class cWorldState;

// The character in target entry `index` of `chara` (0..3 tg1..tg4, 4 the
// summoner); null for an empty entry or an index outside them.
cChara* ShotTargetEntry(const cChara& chara, int32_t index);
// The velocity along `angle` degrees at speed v: (−cos θ · v, −sin θ · v),
// exact on the four axes.
void AngleVelocity(double angle, double v, double& vx, double& vy);
// The angle (degrees, rounded) of the direction from (fx, fy) toward (tx, ty).
double AimAngle(const cGameObject& from, double fx, double fy, double tx, double ty);
// Centre of a game object's hit rectangle.
double CentreX(const cGameObject& obj);
double CentreY(const cGameObject& obj);
// The live character of side `side` of `world` nearest to (x, y); null when
// none or when there is no world.
cChara* FindNearestChara(int32_t side, double x, double y, cWorldState* world);
// Steps per frame of the stage in play (at least 1).
int32_t ShotSteps();
