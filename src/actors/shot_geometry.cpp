#include "actors/shot_geometry.h"

#include <cmath>
#include <numbers>

#include "actors/chara.h"
#include "database/global_objects.h"
#include "world/world_state.h"

cChara* ShotTargetEntry(const cChara& chara, int32_t index) {
    if (index == TARGET_SLOT_SUMMONER) return chara.tg;
    if (index < 0 || index >= static_cast<int32_t>(chara.vTarget.size())) return nullptr;
    return chara.vTarget[index];
}

void AngleVelocity(double angle, double v, double& vx, double& vy) {
    double a = std::fmod(angle, 360.0);
    if (a < 0) a += 360;
    if (a == 0 || a == 90 || a == 180 || a == 270) {
        const int q = static_cast<int>(a) / 90;
        static const double kCos[4] = {1, 0, -1, 0};
        static const double kSin[4] = {0, 1, 0, -1};
        vx = -kCos[q] * v;
        vy = -kSin[q] * v;
        return;
    }
    const double r = a * std::numbers::pi / 180.0;
    vx = -std::cos(r) * v;
    vy = -std::sin(r) * v;
}

double AimAngle(const cGameObject& from, double fx, double fy, double tx, double ty) {
    double vx = 0, vy = 0;
    int32_t dir = 0;
    from.CalcAimVelocity(vx, vy, dir, fx, fy, tx, ty, 1.0, true, false);
    return std::round(std::atan2(vy, vx) * 180.0 / std::numbers::pi + 180.0);
}

double CentreX(const cGameObject& obj) { return (obj.x + obj.x2) / 2; }
double CentreY(const cGameObject& obj) { return (obj.y + obj.y2) / 2; }

cChara* FindNearestChara(int32_t side, double x, double y, cWorldState* world) {
    if (!world || side < 0 || side >= static_cast<int32_t>(world->vCharaBucket.size())) return nullptr;
    cChara* lpBest = nullptr;
    double best = 0;
    for (cGameObject* lpObj : world->vCharaBucket[side]) {
        auto* lpChara = dynamic_cast<cChara*>(lpObj);
        if (!lpChara || lpChara->dying) continue;
        const double dx = CentreX(*lpChara) - x, dy = CentreY(*lpChara) - y;
        const double d = dx * dx + dy * dy;
        if (!lpBest || d < best) {
            lpBest = lpChara;
            best = d;
        }
    }
    return lpBest;
}

int32_t ShotSteps() {
    return PlayStage.nSteps > 0 ? PlayStage.nSteps : 1;
}
