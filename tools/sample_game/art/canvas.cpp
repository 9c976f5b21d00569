#include "sample_game/art/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/bmp.h"

namespace sample {

namespace {

struct RGB3 {
    int r, g, b;
};

// The middle colour of each ramp; the ramp runs from a dark, bluish shade to a pale one.
constexpr RGB3 kRampBase[RAMP_NUM] = {
    {236, 176, 132},  // skin
    {214, 48, 56},    // red
    {236, 124, 36},   // orange
    {244, 206, 58},   // yellow
    {92, 184, 64},    // green
    {40, 120, 64},    // leaf
    {52, 96, 210},    // blue
    {108, 172, 236},  // sky
    {140, 72, 196},   // purple
    {150, 96, 56},    // brown
    {128, 128, 144},  // stone
    {48, 132, 196},   // water
    {236, 118, 168},  // pink
    {40, 176, 168},   // teal
    {232, 176, 40},   // gold
    {120, 68, 40},    // hair
    {248, 96, 24},    // lava
    {176, 224, 244},  // ice
    {224, 196, 128},  // sand
    {104, 88, 120},   // castle
    {36, 40, 88},     // night
    {150, 164, 184},  // steel
};

uint32_t Pack(int r, int g, int b) {
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    return static_cast<uint32_t>(r << 16 | g << 8 | b);
}

std::vector<uint32_t> MakePalette() {
    std::vector<uint32_t> p(256, 0);
    p[PAL_KEY] = 0;
    p[PAL_INK] = Pack(30, 22, 42);
    for (int k = 0; k < 14; ++k) {
        const int v = 44 + k * 16;
        p[PAL_GREY + k] = Pack(v, v, v + 10);
    }
    p[PAL_BACK] = Pack(12, 12, 26);
    for (int i = 17; i < 32; ++i) p[i] = Pack(20 + i * 4, 16 + i * 3, 40 + i * 5);
    for (int r = 0; r < RAMP_NUM; ++r) {
        const RGB3 c = kRampBase[r];
        for (int k = 0; k < 8; ++k) {
            // Shades below the middle lean to a cool dark, above it to a warm light.
            if (k < 4) {
                const double t = (4 - k) / 4.0 * 0.72;
                p[PAL_RAMP + 8 * r + k] = Pack(static_cast<int>(c.r * (1 - t) + 28 * t),
                                               static_cast<int>(c.g * (1 - t) + 18 * t),
                                               static_cast<int>(c.b * (1 - t) + 56 * t));
            } else {
                const double t = (k - 4) / 3.0 * 0.62;
                p[PAL_RAMP + 8 * r + k] = Pack(static_cast<int>(c.r * (1 - t) + 255 * t),
                                               static_cast<int>(c.g * (1 - t) + 250 * t),
                                               static_cast<int>(c.b * (1 - t) + 228 * t));
            }
        }
    }
    // Blinking colours: a hue circle.
    for (int i = 0; i < 32; ++i) {
        const double a = i / 32.0 * 6.2831853;
        p[PAL_BLINK + i] = Pack(static_cast<int>(160 + 95 * std::cos(a)), static_cast<int>(160 + 95 * std::cos(a - 2.094)),
                                static_cast<int>(160 + 95 * std::cos(a + 2.094)));
    }
    p[PAL_FRAME] = Pack(236, 228, 196);
    p[PAL_WHITE] = Pack(255, 255, 255);
    for (int i = 242; i < 256; ++i) p[i] = Pack(24 + (i - 242) * 6, 28 + (i - 242) * 6, 72 + (i - 242) * 8);
    return p;
}

// 5 x 7 glyphs: each row a 5-bit mask, bit 4 the left dot.
struct GLYPH {
    char c;
    uint8_t rows[7];
};
constexpr GLYPH kGlyphs[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}}, {'C', {14, 17, 16, 16, 16, 17, 14}},
    {'D', {30, 17, 17, 17, 17, 17, 30}}, {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}}, {'I', {14, 4, 4, 4, 4, 4, 14}},
    {'J', {7, 2, 2, 2, 2, 18, 12}},      {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}}, {'O', {14, 17, 17, 17, 17, 17, 14}},
    {'P', {30, 17, 17, 30, 16, 16, 16}}, {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},       {'U', {17, 17, 17, 17, 17, 17, 14}},
    {'V', {17, 17, 17, 17, 17, 10, 4}},  {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},     {'0', {14, 17, 19, 21, 25, 17, 14}},
    {'1', {4, 12, 4, 4, 4, 4, 14}},      {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {31, 2, 4, 2, 1, 17, 14}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},   {'6', {6, 8, 16, 30, 17, 17, 14}},
    {'7', {31, 1, 2, 4, 8, 8, 8}},       {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
    {'!', {4, 4, 4, 4, 4, 0, 4}},        {'?', {14, 17, 1, 2, 4, 0, 4}},      {'.', {0, 0, 0, 0, 0, 12, 12}},
    {'-', {0, 0, 0, 31, 0, 0, 0}},       {':', {0, 12, 12, 0, 12, 12, 0}},    {'/', {1, 1, 2, 4, 8, 16, 16}},
    {'+', {0, 4, 4, 31, 4, 4, 0}},       {'*', {0, 21, 14, 31, 14, 21, 0}},   {'\'', {4, 4, 8, 0, 0, 0, 0}},
};

const GLYPH* FindGlyph(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const GLYPH& g : kGlyphs)
        if (g.c == c) return &g;
    return nullptr;
}

// 4 x 4 ordered dither thresholds (0..15).
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

const std::vector<uint32_t>& GamePalette() {
    static const std::vector<uint32_t> palette = MakePalette();
    return palette;
}

uint32_t cTextureNoise::Next() {
    m_State ^= m_State << 13;
    m_State ^= m_State >> 17;
    m_State ^= m_State << 5;
    return m_State;
}

cCanvas::cCanvas(int w, int h, uint8_t fill) : m_nW(w), m_nH(h), m_Px(static_cast<size_t>(w) * h, fill) {}

uint8_t cCanvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nW || y >= m_nH) return PAL_KEY;
    return m_Px[static_cast<size_t>(y) * m_nW + x];
}

void cCanvas::Set(int x, int y, uint8_t c) {
    if (x < 0 || y < 0 || x >= m_nW || y >= m_nH) return;
    m_Px[static_cast<size_t>(y) * m_nW + x] = c;
}

void cCanvas::Fill(uint8_t c) { std::fill(m_Px.begin(), m_Px.end(), c); }

void cCanvas::Rect(int x, int y, int w, int h, uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void cCanvas::Frame(int x, int y, int w, int h, uint8_t c) {
    Rect(x, y, w, 1, c);
    Rect(x, y + h - 1, w, 1, c);
    Rect(x, y, 1, h, c);
    Rect(x + w - 1, y, 1, h, c);
}

void cCanvas::Line(int x0, int y0, int x1, int y1, uint8_t c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void cCanvas::Disc(int cx, int cy, int rx, int ry, uint8_t c) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x) {
            const double d = (x * x) / (rx * rx + 0.5 * rx) + (y * y) / (ry * ry + 0.5 * ry);
            if (d <= 1.0) Set(cx + x, cy + y, c);
        }
}

void cCanvas::Ball(int cx, int cy, int rx, int ry, eRamp r, int lo, int hi) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x) {
            const double nx = x / (rx + 0.5), ny = y / (ry + 0.5);
            const double d = nx * nx + ny * ny;
            if (d > 1.0) continue;
            const double nz = std::sqrt(1.0 - d);
            // Light from the upper left, towards the viewer.
            double l = -0.5 * nx - 0.6 * ny + 0.62 * nz;
            l = std::clamp(l, 0.0, 1.0);
            const double v = lo + (hi - lo) * l + kBayer[(cy + y) & 3][(cx + x) & 3] / 16.0 - 0.5;
            Set(cx + x, cy + y, Shade(r, static_cast<int>(std::lround(v))));
        }
}

void cCanvas::Box(int x, int y, int w, int h, eRamp r, int mid) {
    Rect(x, y, w, h, Shade(r, mid));
    Rect(x, y, w, 1, Shade(r, mid + 2));
    Rect(x, y, 1, h, Shade(r, mid + 1));
    Rect(x, y + h - 1, w, 1, Shade(r, mid - 2));
    Rect(x + w - 1, y, 1, h, Shade(r, mid - 1));
}

void cCanvas::Gradient(int x, int y, int w, int h, eRamp r, int top, int bottom) {
    for (int j = 0; j < h; ++j) {
        const double t = h > 1 ? static_cast<double>(j) / (h - 1) : 0.0;
        const double v = top + (bottom - top) * t;
        for (int i = 0; i < w; ++i) {
            const int k = static_cast<int>(v + kBayer[(y + j) & 3][(x + i) & 3] / 16.0);
            Set(x + i, y + j, Shade(r, k));
        }
    }
}

void cCanvas::Outline(int x, int y, int w, int h, uint8_t c) {
    std::vector<uint8_t> mark(static_cast<size_t>(w) * h, 0);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (Get(x + i, y + j) != PAL_KEY) continue;
            const bool inside = [&](int px, int py) { return px >= x && py >= y && px < x + w && py < y + h; }(x + i, y + j);
            if (!inside) continue;
            auto drawn = [&](int px, int py) {
                if (px < x || py < y || px >= x + w || py >= y + h) return false;
                const uint8_t v = Get(px, py);
                return v != PAL_KEY && v != c;
            };
            if (drawn(x + i - 1, y + j) || drawn(x + i + 1, y + j) || drawn(x + i, y + j - 1) || drawn(x + i, y + j + 1))
                mark[static_cast<size_t>(j) * w + i] = 1;
        }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (mark[static_cast<size_t>(j) * w + i]) Set(x + i, y + j, c);
}

void cCanvas::Blit(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy, bool keyed) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint8_t v = src.Get(sx + i, sy + j);
            if (keyed && v == PAL_KEY) continue;
            Set(dx + i, dy + j, v);
        }
}

void cCanvas::BlitMirror(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint8_t v = src.Get(sx + w - 1 - i, sy + j);
            if (v != PAL_KEY) Set(dx + i, dy + j, v);
        }
}

void cCanvas::BlitScaled(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy, int factor) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint8_t v = src.Get(sx + i, sy + j);
            if (v != PAL_KEY) Rect(dx + i * factor, dy + j * factor, factor, factor, v);
        }
}

void cCanvas::BlitHalf(const cCanvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int j = 0; j < h / 2; ++j)
        for (int i = 0; i < w / 2; ++i) {
            const uint8_t v[4] = {src.Get(sx + 2 * i, sy + 2 * j), src.Get(sx + 2 * i + 1, sy + 2 * j),
                                  src.Get(sx + 2 * i, sy + 2 * j + 1), src.Get(sx + 2 * i + 1, sy + 2 * j + 1)};
            // Outlines win so that the small picture keeps its edges; else the first drawn colour.
            uint8_t pick = PAL_KEY;
            int drawn = 0;
            for (uint8_t c : v)
                if (c != PAL_KEY) {
                    ++drawn;
                    if (pick == PAL_KEY || c == PAL_INK) pick = c;
                }
            if (drawn >= 2) Set(dx + i, dy + j, pick);
        }
}

int cCanvas::TextWidth(const std::string& text, int scale) { return static_cast<int>(text.size()) * 6 * scale - scale; }

void cCanvas::Text(int x, int y, const std::string& text, uint8_t c, int scale, int wide) {
    if (wide <= 0) wide = scale;
    for (size_t n = 0; n < text.size(); ++n) {
        const GLYPH* g = FindGlyph(text[n]);
        if (!g) continue;
        const int gx = x + static_cast<int>(n) * 6 * wide;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g->rows[row] & (16 >> col)) Rect(gx + col * wide, y + row * scale, wide, scale, c);
    }
}

void cCanvas::Title(int x, int y, const std::string& text, eRamp r, int scale, int wide) {
    if (wide <= 0) wide = scale;
    const int w = TextWidth(text, wide) + 2 * wide, h = 7 * scale + 2 * scale;
    cCanvas layer(w, h);
    layer.Text(wide / 2 + 1, scale / 2 + 1, text, PAL_INK, scale, wide);
    layer.Text(wide / 2 + 1 + wide / 3, scale / 2 + 1 + scale / 3, text, PAL_INK, scale, wide);
    cCanvas fill(w, h);
    fill.Text(wide / 2, scale / 2, text, PAL_WHITE, scale, wide);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (fill.Get(i, j) != PAL_KEY) {
                const int k = 7 - (j * 6) / h;
                layer.Set(i, j, Shade(r, k));
            }
    layer.Outline(0, 0, w, h);
    Blit(layer, 0, 0, w, h, x, y);
}

void cCanvas::Recolour(int x, int y, int w, int h, eRamp from, eRamp to) {
    const int lo = PAL_RAMP + 8 * from;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const int v = Get(i, j);
            if (v >= lo && v < lo + 8) Set(i, j, Shade(to, v - lo));
        }
}

std::vector<uint8_t> cCanvas::EncodeBmp(bool bRle) const {
    BMPIMAGE img;
    img.nWidth = m_nW;
    img.nHeight = m_nH;
    img.nBitCount = 8;
    img.Palette = GamePalette();
    img.Index = m_Px;
    img.Pixels.resize(m_Px.size());
    for (size_t i = 0; i < m_Px.size(); ++i) img.Pixels[i] = img.Palette[m_Px[i]];
    return ::EncodeBmp(img, 8, bRle ? BMP_RLE8 : BMP_RGB);
}

}  // namespace sample
