#pragma once
// Drawing of the scene's shots and swords in one depth pass of the play screen.
#include <cstdint>

class cPlayScene;
struct DDSURFACEDATA;

// In one draw batch, every shot of the scene's list whose depth is `depth`
// (every one for depth -1) that is on screen: its screen rectangle, then its
// picture (stepped unless frozen).
void DrawShots(cPlayScene& scene, DDSURFACEDATA* dst, int32_t depth, int32_t frozen);
