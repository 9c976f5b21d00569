#pragma once
// Drawing of the screen effects over the finished play picture. Every kind
// but blinking copies the 640 x 480 picture into a work surface, clears the
// picture to palette colour 16 and draws the copy back transformed; then,
// unless play is frozen, the run advances. A picture is thus drawn with the
// values of the previous advance.
#include <cstdint>
#include <functional>

#include "platform/graphics/dd_surface.h"
#include "play/effects/scr_effect_run.h"

constexpr int SCREFFECT_WIDTH = 640, SCREFFECT_HEIGHT = 480;
// Palette colour shown where the transformed picture does not cover the screen.
constexpr uint32_t SCREFFECT_BACK_COLOUR = 16;

// What the screen effects need of the play scene.
struct SCREFFECTSCENE {
    int nCenterX = 320, nCenterY = 240;      // player 0's centre on the screen (circle, zoom, lens)
    std::function<void()> DrawBackgroundLayers;  // blink: both sets of background layers, back then front
};

// The work surface of the screen effects, owned by the play scene.
class cScrEffectCanvas {
public:
    cScrEffectCanvas() = default;
    cScrEffectCanvas(const cScrEffectCanvas&) = delete;
    cScrEffectCanvas& operator=(const cScrEffectCanvas&) = delete;
    ~cScrEffectCanvas() { Release(); }
    // Makes the work surface for the graphics back end and depth in force (again when
    // they changed or its pixels were lost); false when it cannot be made.
    bool Prepare();
    void Release();

    DDSURFACEDATA m_Work;
};

// The drawing of the run's kind onto dst (normally the back buffer); 1 when the effect has ended.
int32_t DrawScrEffectKind(cScrEffectRun& run, DDSURFACEDATA* dst, int frozen, cScrEffectCanvas& canvas,
                          const SCREFFECTSCENE& scene);
// The scene's screen effect for one picture: nothing without an effect; when the kind's
// drawing ends the effect, the id becomes 0 and the back-buffer selection is switched off.
void DrawScreenEffect(cScrEffectRun& run, DDSURFACEDATA* dst, int frozen, cScrEffectCanvas& canvas,
                      const SCREFFECTSCENE& scene);
