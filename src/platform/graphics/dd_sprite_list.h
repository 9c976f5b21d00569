#pragma once
// The sprites of one drawing pass under the DirectDraw rules, held back and
// drawn together: a plain or keyed blit that a later blit of the list repeats
// exactly (the same rectangles of the same picture onto the same place) is
// left out, since the later one writes every pixel the earlier one wrote and
// everything drawn between them works pixel by pixel. Stacks of characters
// that walk in step are drawn once.
#include "platform/graphics/dd_surface.h"

// Opens the list for blits onto dst (nothing under the Direct3D rules).
void DDBeginSpriteList(DDSURFACEDATA* dst);
// Draws what the list holds, in order, and closes it.
void DDEndSpriteList();
// Draws what the list holds, in order, and keeps it open (before drawing that
// reads or writes pixels other than through the list).
void DDFlushSpriteList();
// True when the blit was taken by the open list (drawn later or not at all):
// DDBlt and DDStretchBlt ask under the DirectDraw rules.
bool DDSpriteListTakes(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw,
                       int sh, int flags);
