#include "database/common_fonts.h"

#include <cstring>
#include <memory>

#include "database/common_bitmaps.h"

const char* const kDefaultFontFace = "ＭＳ ゴシック";

Font Fonts[FONT_NUM];
DDSURFACEDATA DigitSurfaces[FONT_NUM];
FONTINFO FontInfo[FONT_NUM];
DDSURFACEINFO DigitStripInfo[FONT_NUM];

namespace {

// Glyph width, glyph height, character pitch, line pitch, colour number, box
// surface, the two box parameters, symbol surface, glyph-cache mode.
constexpr uint32_t kFontValues[FONT_NUM][10] = {
    {0, 9, 10, 10, 241, CB_WINDOW, 1, 240, CB_SYMBOL, 2},
    {0, 16, 16, 16, 241, CB_WINDOW, 1, 240, CB_SYMBOL, 2},
    {0, 30, 32, 32, 241, CB_WINDOW, 1, 240, CB_SYMBOL, 0},
};

void CopyFace(FONTINFO& f, const char* face) {
    std::memset(f.szFaceName, 0, sizeof f.szFaceName);
    if (face) std::strncpy(f.szFaceName, face, sizeof f.szFaceName - 1);
}

// Fills the descriptors and descriptions before main, as the other global objects are made.
const bool g_bFontsBuilt = (BuildDefaultFonts(), BuildDigitStripInfo(), true);

}  // namespace

void BuildDefaultFonts() {
    for (int i = 0; i < FONT_NUM; ++i) {
        FONTINFO& f = FontInfo[i];
        const uint32_t* v = kFontValues[i];
        CopyFace(f, kDefaultFontFace);
        f.dwGlyphWidth = v[0];
        f.dwGlyphHeight = v[1];
        f.dwCharPitch = v[2];
        f.dwLinePitch = v[3];
        f.dwColourNumber = v[4];
        f.dwBoxSurface = v[5];
        f.dwBoxParam[0] = v[6];
        f.dwBoxParam[1] = v[7];
        f.dwSymbolSurface = v[8];
        f.dwCache = v[9];
    }
}

void BuildDigitStripInfo() {
    for (DDSURFACEINFO& d : DigitStripInfo) d = DDSURFACEINFO("", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

void ApplyFontSettings(const char* face, uint32_t cacheSetting) {
    for (FONTINFO& f : FontInfo) {
        CopyFace(f, face);
        if (f.dwCache == 2) f.dwCache = cacheSetting;
    }
}

void RestoreCommonFonts() {
    for (Font& f : Fonts) f.Restore();
}

void ResetCommonFonts() {
    for (DDSURFACEDATA& sd : DigitSurfaces) DDReleaseSurface(&sd);
    for (Font& f : Fonts) {
        std::destroy_at(&f);
        std::construct_at(&f);
    }
    BuildDefaultFonts();
    BuildDigitStripInfo();
}
