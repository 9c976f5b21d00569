#include "world/world_state.h"

#include "database/global_objects.h"
#include "world/block_grid.h"
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

void ResetWorldState() {
    lpWorld = nullptr;
    ResetBlockGrid();
    ResetDatabaseState();
}
