#pragma once
// The blocks of the play screen: the grid cells that the screen shows, of one
// drawing layer (0 behind the characters, 1 in front of them).
#include "platform/graphics/dd_surface.h"
#include "play/draw/play_view.h"

// Draws, in one batch, every visible cell of the grid that holds a block of
// `layer` whose conditions hold and that is not hidden in play.
void DrawBlocks(DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll, int layer);
// True when the blocks of layer 0 that DrawBlocks would draw on dst cover
// the 640 x 480 screen with opaque pictures (never under the Direct3D
// rules): nothing drawn before them shows.
bool BlocksCoverScreen(const DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll);
// DrawBlocks of layer 0 over a screen that BlocksCoverScreen found covered:
// the same pixels, copied from the last covered screen while its cells show
// the same rectangles of unchanged pictures.
void DrawCoveringBlocks(DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll);
