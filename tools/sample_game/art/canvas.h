#pragma once
// A small pixel-art canvas: 8-bit palette indices over the sample game's own
// 256-colour palette. Index 0 is the transparent colour of every sheet.
// Shapes are drawn in shade ramps (eight shades from dark to light) lit from
// the top left, and Outline() closes a drawn shape with a dark border.
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

// Palette layout.
enum : uint8_t {
    PAL_KEY = 0,       // transparent
    PAL_INK = 1,       // outlines
    PAL_GREY = 2,      // 2..15: greys from dark to light
    PAL_BACK = 16,     // the play screen's empty colour
    PAL_RAMP = 32,     // 32 + 8 r + k: ramp r, shade k (0 dark .. 7 light)
    PAL_BLINK = 208,   // 208..239: the blinking colours
    PAL_FRAME = 240,   // window frames
    PAL_WHITE = 241,   // text
};

// The shade ramps.
enum eRamp : uint8_t {
    R_SKIN, R_RED, R_ORANGE, R_YELLOW, R_GREEN, R_LEAF, R_BLUE, R_SKY, R_PURPLE, R_BROWN,
    R_STONE, R_WATER, R_PINK, R_TEAL, R_GOLD, R_HAIR, R_LAVA, R_ICE, R_SAND, R_CASTLE,
    R_NIGHT, R_STEEL,
    RAMP_NUM
};

constexpr uint8_t Shade(eRamp r, int k) {
    return static_cast<uint8_t>(PAL_RAMP + 8 * r + (k < 0 ? 0 : k > 7 ? 7 : k));
}
constexpr uint8_t Grey(int k) { return static_cast<uint8_t>(PAL_GREY + (k < 0 ? 0 : k > 13 ? 13 : k)); }

// The 256 colours as 0x00RRGGBB.
const std::vector<uint32_t>& GamePalette();

class cCanvas {
public:
    cCanvas() = default;
    cCanvas(int w, int h, uint8_t fill = PAL_KEY);

    int W() const { return m_nW; }
    int H() const { return m_nH; }
    uint8_t Get(int x, int y) const;
    void Set(int x, int y, uint8_t c);
    void Fill(uint8_t c);
    void Rect(int x, int y, int w, int h, uint8_t c);
    void Frame(int x, int y, int w, int h, uint8_t c);
    void Line(int x0, int y0, int x1, int y1, uint8_t c);
    void Disc(int cx, int cy, int rx, int ry, uint8_t c);
    // A lit ellipse: shades of the ramp by the light from the top left.
    void Ball(int cx, int cy, int rx, int ry, eRamp r, int lo = 1, int hi = 6);
    // A lit box: light top and left edge, dark bottom and right edge.
    void Box(int x, int y, int w, int h, eRamp r, int mid = 4);
    // A vertical gradient through the shades lo..hi of a ramp, ordered dither.
    void Gradient(int x, int y, int w, int h, eRamp r, int top, int bottom);
    // Draws a dark border on the transparent pixels next to drawn ones, inside the area.
    void Outline(int x, int y, int w, int h, uint8_t c = PAL_INK);
    // Copies an area; transparent source pixels are skipped when `keyed`.
    void Blit(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy, bool keyed = true);
    // The same area mirrored left to right.
    void BlitMirror(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy);
    // Scales an area by an integer factor into this canvas.
    void BlitScaled(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy, int factor);
    // Halves an area (each 2 x 2 block gives its most drawn colour).
    void BlitHalf(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy);
    // Text in the canvas' 5 x 7 capital letters and digits, `scale` pixels per dot
    // (`wide` pixels across when given: a condensed face for narrow places).
    void Text(int x, int y, const std::string& text, uint8_t c, int scale = 1, int wide = 0);
    // Text with a one-dot dark shadow and a two-shade fill (top light, bottom dark).
    void Title(int x, int y, const std::string& text, eRamp r, int scale, int wide = 0);
    static int TextWidth(const std::string& text, int scale = 1);
    // Replaces every shade of ramp `from` by the same shade of ramp `to` inside an area.
    void Recolour(int x, int y, int w, int h, eRamp from, eRamp to);

    // The picture as an 8-bit BMP with the game palette (`bRle`: RLE8-packed).
    std::vector<uint8_t> EncodeBmp(bool bRle = false) const;
    const std::vector<uint8_t>& Pixels() const { return m_Px; }

private:
    int m_nW = 0, m_nH = 0;
    std::vector<uint8_t> m_Px;
};

// A deterministic pseudo-random sequence for texture noise (the same on every run).
class cTextureNoise {
public:
    explicit cTextureNoise(uint32_t seed) : m_State(seed * 2654435761u + 1) {}
    uint32_t Next();
    int Range(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t m_State;
};

}  // namespace sample
