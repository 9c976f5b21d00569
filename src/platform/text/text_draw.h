#pragma once
// Text on graphics surfaces: the surface-level members of Font (font.h) and
// the font and digit-strip set-up are defined in text_draw.cpp. Under the
// DirectDraw rules glyphs are written straight into the destination's pixels
// (what a colour-keyed blit of the glyph does); under the Direct3D rules
// cached glyphs are blitted from texture copies of the caches and the others
// composed on the font's work surface, so that tints and blending apply.
#include "platform/text/font.h"

// The GLYPHTARGET for drawing into a surface's pixels in palette colour n.
struct DDSURFACEDATA;
GLYPHTARGET GlyphTargetOf(DDSURFACEDATA* sd, uint32_t colourNumber);
