#include "world/world_state.h"

#include "world/scene_services.h"

cWorldState* lpWorld = nullptr;

namespace {
cSceneServices* g_lpServices = nullptr;
}  // namespace

cSceneServices& SceneServices() { return *g_lpServices; }

cSceneServices* SetSceneServices(cSceneServices* lpServices) {
    cSceneServices* lpPrev = g_lpServices;
    g_lpServices = lpServices;
    return lpPrev;
}
