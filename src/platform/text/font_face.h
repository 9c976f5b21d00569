#pragma once
// One typeface at one pixel height, rendered without anti-aliasing. Windows
// face names map to the IPA fonts: names with 明朝 to Mincho, others to
// Gothic; a "Ｐ"/"P" in the name picks the proportional variant.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The font file that stands in for a Windows face name (CP932); empty when
// no IPA font is installed.
std::string FindFontFile(const std::string& faceName);
// Rasterises the glyphs of chars for the face of a name at a height, on the
// calling thread (a worker while the program starts): faces of that name and
// height draw them from memory from then on, the same glyphs they would
// rasterise themselves. A face that draws a glyph of that height not yet
// among them rasterises it itself and keeps it with them, so that a worker
// still preparing skips it: the two share the work, neither waits.
void PrepareGlyphs(const std::string& faceName, int height, const std::vector<char32_t>& chars);
// Whether the glyph of cp for the face of a name at a height was rasterised ahead.
bool IsGlyphPrepared(const std::string& faceName, int height, char32_t cp);

class cFontFace {
public:
    cFontFace();
    ~cFontFace();
    cFontFace(const cFontFace&) = delete;
    cFontFace& operator=(const cFontFace&) = delete;

    // Opens the face for a Windows face name at a cell height in pixels; false on failure.
    bool Open(const std::string& faceName, int height);
    bool IsOpen() const { return m_pFont != nullptr; }
    void Close();
    // Cell height (ascent + descent) and ascent in pixels.
    int Height() const { return m_Height; }
    int Ascent() const { return m_Ascent; }
    // Width a character advances the pen; 0 for an unknown one.
    int Advance(char32_t cp) const;
    // Draws character cp with its cell's upper-left at (x, y) into a mask of
    // w x h bytes (pitch bytes per row): inked pixels become 1, the rest is
    // left alone; clipped to the mask. False when the glyph cannot be had.
    bool Render(char32_t cp, uint8_t* mask, int pitch, int w, int h, int x, int y) const;

private:
    struct cFont;  // the open face, kept by the font library
    std::unique_ptr<cFont> m_pFont;
    int m_Height = 0;
    int m_Ascent = 0;
};
