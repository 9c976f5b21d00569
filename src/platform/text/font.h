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

#include "platform/text/font_face.h"
#include "platform/text/glyph_cache.h"

struct DDSURFACEDATA;
struct DDSURFACEINFO;

struct TEXTSIZE {
    int cx = 0, cy = 0;
};

// One font's descriptor (the start-up table): face name and ten values.
struct FONTINFO {
    char szFaceName[256] = {};
    uint32_t dwGlyphWidth = 0, dwGlyphHeight = 0;
    uint32_t dwCharPitch = 0, dwLinePitch = 0;
    uint32_t dwColourNumber = 0;
    uint32_t dwBoxSurface = 0;       // number of the common surface with the box picture
    uint32_t dwBoxParam[2] = {0, 0}; // frame thickness and frame colour number
    uint32_t dwSymbolSurface = 0;    // number of the common surface with the 26 icons
    uint32_t dwCache = 0;            // 0 off, 1 on (2 is replaced at start-up by the setting)
};

// Where the glyphs of a text walk go: cells of a cache, or single glyph masks.
class cGlyphSink {
public:
    virtual ~cGlyphSink() = default;
    // Cell `cell` of cache at (x, y).
    virtual void Cell(const cFontCache& cache, int cell, int x, int y) = 0;
};

// Per-font surfaces of the surface layer (text_draw.cpp).
struct FONTSURFACES;

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
    // Redraws both caches from their entry lists (and the surfaces made from them).
    void Restore();
    // Rasterises, on the calling thread, the glyphs that Create draws into the
    // caches of a font of this face and glyph height (PrepareGlyphs).
    static void PrepareCacheGlyphs(const char* faceName, int glyphH);

    // On surfaces (text_draw.cpp): text with its upper-left at (x, y) in the
    // font's colour, then the symbol icons unless bNoSymbols.
    void DrawText(DDSURFACEDATA* dst, int x, int y, const char* text, int bNoSymbols = 0);
    // Formats (at most 559 bytes) and draws.
    void DrawTextF(DDSURFACEDATA* dst, int x, int y, const char* format, ...) __attribute__((format(printf, 5, 6)));
    // The box picture with its frame; x or y = 10000 centres it on the box picture's size.
    void DrawBox(DDSURFACEDATA* dst, int x, int y, int w, int h);
    // A box (measured when w or h is 0: text width + margin, text height) and the text at (x + margin, y).
    void DrawTextRect(DDSURFACEDATA* dst, int x, int y, int w, int h, const char* text, int margin);
    void DrawTextBoxF(DDSURFACEDATA* dst, int x, int y, int w, int h, const char* format, ...)
        __attribute__((format(printf, 7, 8)));
    // The icons for the letters a-z of text (symbols on, a strip and a pitch needed).
    void DrawSymbols(DDSURFACEDATA* dst, int x, int y, const char* text);

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

    // The text walk: cached glyphs go to sink at (dx, dy) + pen, the others are
    // drawn into work at (wx, wy) + pen (cache: whether the caches are used).
    void DrawLines(const GLYPHTARGET& work, int wx, int wy, cGlyphSink* sink, int dx, int dy, const char* text,
                   bool bSymbols, bool bCache);
    // The lock that every drawing holds.
    std::mutex& Lock() const { return m_Lock; }
    FONTSURFACES* Surfaces() const { return m_pSurfaces.get(); }
    // Counts Restore calls: surfaces made from the caches are redrawn when it changes.
    int Generation() const { return m_nGeneration; }
    // Takes p, freed by del with the font.
    void SetSurfaces(FONTSURFACES* p, void (*del)(FONTSURFACES*)) {
        m_pSurfaces = std::unique_ptr<FONTSURFACES, void (*)(FONTSURFACES*)>(p, del);
    }

private:
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
    int m_nGeneration = 0;
    std::unique_ptr<cFontCache> m_lpFastFont_Half;
    std::unique_ptr<cFontCache> m_lpFastFont_FullAdd;
    mutable std::mutex m_Lock;
    std::unique_ptr<FONTSURFACES, void (*)(FONTSURFACES*)> m_pSurfaces{nullptr, nullptr};
};

// Font::Create for each descriptor, with the surfaces their numbers name in
// the common table; 1, or 0 when one fails.
int CreateFonts(Font* fonts, const FONTINFO* infos, int count);
// Per font a strip of the ten digits, 10 character pitches by one line pitch; 1, or 0 on failure.
int CreateDigitSurfaces(DDSURFACEDATA* digits, const DDSURFACEINFO* infos, int count, Font* fonts, const FONTINFO* fontInfos);
// Clears surface to palette colour 0 and draws "0123456789" at (0, 0).
void DrawDigitStrip(DDSURFACEDATA* surface, Font& font);

// Width = the longest line's character count x character pitch; height =
// lines x line pitch (an empty text is one line).
TEXTSIZE MeasureTextLines(const Font& font, const char* text);
