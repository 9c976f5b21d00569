#pragma once
// The front-end scenes' own surfaces (SceneSurface): the title's menu panel,
// the option and challenge screens. One scene holds them at a time.
struct DDSURFACEDATA;

// The first scene surface, or null when there is none.
DDSURFACEDATA* FirstSceneSurface();
// Releases every scene surface.
void ReleaseSceneSurfaces();
// Releases the scene surfaces and makes one w x h surface (colorKey as
// DDAddSurface takes it). When it cannot be made none is left, the main
// window is asked to close, and the result is false.
bool MakeSceneSurface(int w, int h, int colorKey);

// The start of a menu screen's drawing (option, challenge): the first scene
// surface marked drawn, the large frame round it and the text of title-menu
// row titleRow centred at the top. Null when there is no surface.
DDSURFACEDATA* BeginMenuScreen(int titleRow);
// The end of a menu scene: the accessory and window pictures and the scene
// surfaces released.
void ReleaseMenuScreen();
