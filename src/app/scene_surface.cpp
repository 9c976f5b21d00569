#include "app/scene_surface.h"

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/graphics/dd_surface.h"
#include "platform/system/font_sjis.h"
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

DDSURFACEDATA* BeginMenuScreen(int titleRow) {
    DDSURFACEDATA* s = FirstSceneSurface();
    if (!s) return nullptr;
    s->bLost = 0;
    Font& large = Fonts[FONT_LARGE];
    large.DrawBox(s, 1, 1, 638, 478);
    const char* heading = SystemData.vTitleMenu.size() > static_cast<size_t>(titleRow)
                              ? SystemData.vTitleMenu[titleRow].strText.c_str()
                              : "";
    large.DrawTextF(s, 320 - 32 * GetSjisCharCount(heading) / 2, 32, "%s", heading);
    return s;
}

void ReleaseMenuScreen() {
    for (int row : {CB_ACCESSORY, CB_WINDOW}) DDReleaseSurface(&CommonSurfaces[row]);
    ReleaseSceneSurfaces();
}
