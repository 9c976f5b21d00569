#pragma once
// A text font: Shift-JIS text in one typeface drawn into fixed character
// cells (or proportionally when the character pitch is 0), with a glyph cache
// of ready-drawn characters for fixed-pitch fonts. Text stays CP932; it is
// converted only to render a glyph. Drawing is locked per font, so the game
// thread and the thread standing in for it can share a font.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/font_face.h"
#include "platform/glyph_cache.h"

struct DDSURFACEDATA;

struct TEXTSIZE {
    int cx = 0, cy = 0;
};

// The 256 full-width characters every full-width cache starts with.
extern const char* const kFontCacheBuiltIn;

class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Makes the font and, with bCache, both glyph caches sized for a screen of
    // screenW x screenH (bDirect3D: the Direct3D cache sizes). false when the
    // typeface or a cache cannot be had (logged; a cache failure also asks
    // the program to close).
    bool Create(const char* faceName, int glyphW, int glyphH, int charPitch, int linePitch, int colourNumber,
                DDSURFACEDATA* box, int boxParamA, int boxParamB, DDSURFACEDATA* symbols, int cacheFlag,
                int screenW = 640, int screenH = 480, bool bDirect3D = false);

    // Draws text (CP932) with its upper-left at (x, y); ink in target.colour.
    // Letters a-z only advance when symbols are on and bNoSymbols is 0 (the
    // icons themselves are drawn by the surface layer).
    void DrawText(const GLYPHTARGET& target, int x, int y, const char* text, int bNoSymbols = 0);
    // Size of text as drawn (fixed pitch: MeasureTextLines; else the widest
    // line by the glyphs' advances, lines x line pitch).
    TEXTSIZE Measure(const char* text) const;
    // Draws one character (count 1 or 2 bytes) or a line (count < 0: to the
    // end or "\n") into a mask at (x, y) by the placement rules of the font.
    void DrawGlyph(uint8_t* mask, int pitch, int w, int h, int x, int y, const char* text, int count) const;
    // Redraws both caches from their entry lists.
    void Restore();

    int Number() const { return m_nNumber; }
    int GlyphWidth() const { return m_nGlyphW; }
    int GlyphHeight() const { return m_nGlyphH; }
    int CharPitch() const { return m_nCharPitch; }
    int LinePitch() const { return m_nLinePitch; }
    int ColourNumber() const { return m_nColourNumber; }
    DDSURFACEDATA* BoxSurface() const { return m_lpBox; }
    int BoxParamA() const { return m_nBoxParam[0]; }
    int BoxParamB() const { return m_nBoxParam[1]; }
    DDSURFACEDATA* SymbolSurface() const { return m_lpSymbol; }
    int SymbolsOn() const { return m_bSymbols; }
    void SetSymbolsOn(int on) { m_bSymbols = on; }
    int GlyphCentring() const { return m_bCentring; }
    void SetGlyphCentring(int on) { m_bCentring = on; }
    int CacheOn() const { return m_bCache; }
    const cFontCache* HalfCache() const { return m_lpFastFont_Half.get(); }
    const cFontCache* FullCache() const { return m_lpFastFont_FullAdd.get(); }

private:
    void DrawLines(const GLYPHTARGET& target, int x, int y, const char* text, bool bSymbols, bool bCache);
    void DrawGlyphTo(const GLYPHTARGET& target, int x, int y, const char* text, int count) const;
    void FillCache(cFontCache& cache) const;
    void DrawCacheCell(cFontCache& cache, int cell, const char* chr) const;
    int LineWidth(const char* line, int len) const;

    int m_nNumber = 0;
    cFontFace m_Face;
    int m_nGlyphW = 0, m_nGlyphH = 0;
    int m_nCharPitch = 0, m_nLinePitch = 0;
    int m_nColourNumber = 0;
    int m_bCentring = 0;
    DDSURFACEDATA* m_lpBox = nullptr;
    int m_nBoxParam[2] = {0, 0};
    DDSURFACEDATA* m_lpSymbol = nullptr;
    int m_bSymbols = 0;
    int m_bCache = 0;
    std::unique_ptr<cFontCache> m_lpFastFont_Half;
    std::unique_ptr<cFontCache> m_lpFastFont_FullAdd;
    mutable std::mutex m_Lock;
};

// Width = the longest line's character count x character pitch; height =
// lines x line pitch (an empty text is one line).
TEXTSIZE MeasureTextLines(const Font& font, const char* text);
