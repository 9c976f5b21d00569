#pragma once
// The three fonts of the game screen, their descriptors (the input of
// CreateFonts) and the strips of ten digits each font draws numbers from,
// with the descriptions CreateDigitSurfaces sizes them from. The descriptors
// hold start values until the start-up puts the settings' face name and the
// glyph-cache setting of the back end in use into them (ApplyFontSettings).
#include <cstdint>

#include "platform/graphics/dd_surface.h"
#include "platform/text/font.h"

enum : int {
    FONT_SMALL = 0,   // 9-pixel glyphs, logged as "Font10"
    FONT_MEDIUM = 1,  // 16-pixel glyphs, logged as "Font16"
    FONT_LARGE = 2,   // 30-pixel glyphs
    FONT_NUM = 3,
};

// Face name of every descriptor until the settings' font replaces it.
extern const char* const kDefaultFontFace;

extern Font Fonts[FONT_NUM];
extern DDSURFACEDATA DigitSurfaces[FONT_NUM];
extern FONTINFO FontInfo[FONT_NUM];
extern DDSURFACEINFO DigitStripInfo[FONT_NUM];

// Fills the three font descriptors with their start values.
void BuildDefaultFonts();
// Fills the three digit-strip descriptions (empty path, colour key on, all else 0).
void BuildDigitStripInfo();
// Puts face (at most 255 bytes kept) into every descriptor and replaces a
// glyph-cache mode of 2 by cacheSetting (the back end's cache setting).
void ApplyFontSettings(const char* face, uint32_t cacheSetting);
// Lets every font fill its glyph cache again (after the device is restored).
void RestoreCommonFonts();
// Fresh fonts, released digit strips and the start values again (tests).
void ResetCommonFonts();
