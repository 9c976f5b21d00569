#pragma once
// The stage's background layers on the play screen: up to eight pictures
// (common surfaces 55..62, one per layer) tiled over the screen at their own
// scroll rates, or plain fills, behind the blocks or in front of everything.
//
// Fields of a layer record (cIntRec): a enabled, b fill only, c fill colour
// (palette number), d front flag, e and f scroll rates X and Y (also the
// automatic scroll speed in dots per frame), g and h automatic scroll X and Y,
// i and j the automatic scroll offsets.
#include "platform/graphics/dd_surface.h"
#include "records/safe_container.h"
#include "stage/stage_data_records.h"
#include "play/draw/play_view.h"

// Advances every automatically scrolling layer by one frame, its offsets kept
// within the picture's size; nothing while the pause menu is open (bPauseMenu).
void StepLayerScroll(cSafeVector<cIntRec>& layers, int bPauseMenu);
// Draws the enabled layers whose front flag equals front; behind (front 0)
// with nothing drawn, the screen is filled with palette colour 16.
void DrawBackgroundLayers(DDSURFACEDATA* dst, const cSafeVector<cIntRec>& layers, const PLAYSCROLLVIEW& scroll,
                          int front);
