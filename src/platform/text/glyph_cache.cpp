#include "platform/text/glyph_cache.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

void DrawGlyphMask(const GLYPHTARGET& t, int x, int y, const uint8_t* mask, int pitch, int w, int h) {
    int cx = t.clipX, cy = t.clipY;
    int cw = t.clipW < 0 ? t.width : t.clipW, ch = t.clipH < 0 ? t.height : t.clipH;
    int x0 = std::max({x, cx, 0}), y0 = std::max({y, cy, 0});
    int x1 = std::min({x + w, cx + cw, t.width}), y1 = std::min({y + h, cy + ch, t.height});
    if (x0 >= x1 || y0 >= y1 || !t.pixels) return;
    for (int py = y0; py < y1; ++py) {
        const uint8_t* m = mask + (py - y) * pitch + (x0 - x);
        uint8_t* row = static_cast<uint8_t*>(t.pixels) + static_cast<ptrdiff_t>(py) * t.pitch;
        if (t.bytesPerPixel == 1) {
            uint8_t* d = row + x0;
            const uint8_t c = static_cast<uint8_t>(t.colour);
            for (int i = 0; i < x1 - x0; ++i)
                if (m[i]) d[i] = c;
        } else {
            uint32_t* d = reinterpret_cast<uint32_t*>(row) + x0;
            for (int i = 0; i < x1 - x0; ++i)
                if (m[i]) d[i] = t.colour;
        }
    }
}

cFontCache::cFontCache(int kind, int cellW, int cellH, int columns, int rows)
    : m_Kind(kind),
      m_CellW(std::max(cellW, 1)),
      m_CellH(std::max(cellH, 1)),
      m_Columns(kind == 0 ? 16 : std::max(columns, 1)),
      m_Rows(kind == 0 ? 16 : std::max(rows, 1)),
      m_Capacity(m_Columns * m_Rows),
      m_Surface(static_cast<size_t>(m_Columns) * m_CellW * m_Rows * m_CellH, 0),
      m_Index(kind == 0 ? 0 : 65536, -1) {}

int cFontCache::Key(const char* chr) {
    auto a = static_cast<unsigned char>(chr[0]);
    auto b = a ? static_cast<unsigned char>(chr[1]) : 0;
    return (a << 8) | b;
}

int cFontCache::Add(const char* chr) {
    if (m_NextCell >= m_Capacity) return 0;
    ENTRY e{};
    e.chr[0] = chr[0];
    e.chr[1] = chr[0] ? chr[1] : 0;
    e.cell = m_NextCell;
    e.x = CellX(m_NextCell);
    e.y = CellY(m_NextCell);
    m_Entries.push_back(e);
    if (!m_Index.empty() && m_Index[Key(chr)] < 0) m_Index[Key(chr)] = m_NextCell;
    ++m_Count;
    ++m_NextCell;
    return 1;
}

int cFontCache::Find(const char* chr) const {
    if (!m_Index.empty()) return m_Index[Key(chr)];
    for (const ENTRY& e : m_Entries)
        if (e.chr[0] == chr[0] && e.chr[1] == (chr[0] ? chr[1] : 0)) return e.cell;
    return -1;
}

int cFontCache::DrawChar(const GLYPHTARGET& target, int x, int y, const char* chr) const {
    int cell = Find(chr);
    if (cell < 0) return 0;
    DrawGlyphMask(target, x, y, CellMask(cell), SurfacePitch(), m_CellW, m_CellH);
    return 1;
}

void cFontCache::DrawCode(const GLYPHTARGET& target, int x, int y, unsigned char code) const {
    if (code >= m_Capacity) return;
    DrawGlyphMask(target, x, y, CellMask(code), SurfacePitch(), m_CellW, m_CellH);
}

uint8_t* cFontCache::CellMask(int i) {
    return m_Surface.data() + static_cast<size_t>(CellY(i)) * SurfacePitch() + CellX(i);
}

const uint8_t* cFontCache::CellMask(int i) const {
    return m_Surface.data() + static_cast<size_t>(CellY(i)) * SurfacePitch() + CellX(i);
}

void cFontCache::ClearSurface() { std::fill(m_Surface.begin(), m_Surface.end(), 0); }
