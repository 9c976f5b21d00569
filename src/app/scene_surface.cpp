#include "app/scene_surface.h"

#include "database/global_objects.h"
#include "platform/graphics/dd_surface.h"
#include "platform/window/main_thread_messages.h"

DDSURFACEDATA* FirstSceneSurface() { return SceneSurface.empty() ? nullptr : &SceneSurface[0]; }

void ReleaseSceneSurfaces() {
    DDReleaseSurfaceVector(SceneSurface);
    SceneSurface.clear();
    SceneSurfaceInfo.clear();
}

bool MakeSceneSurface(int w, int h, int colorKey) {
    ReleaseSceneSurfaces();
    if (DDAddSurface(SceneSurface, SceneSurfaceInfo, w, h, colorKey, 0, DTMEMORYTYPE_VIDEO_RT, 0)) return true;
    ReleaseSceneSurfaces();
    PostCloseMain();
    return false;
}
