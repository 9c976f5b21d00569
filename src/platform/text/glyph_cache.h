#pragma once
// A cache of ready-drawn characters in fixed cells: one for the 256
// single-byte codes (16 x 16 cells, code c in cell c) and one for double-byte
// characters, added in first-use order and never removed. The cache surface
// holds glyph masks (1 = ink); drawing a cell writes the text colour where
// the mask is set, which is what a colour-keyed blit of a cell in the text
// colour does.
#include <cstdint>
#include <list>
#include <vector>

// A pixel buffer that glyphs are drawn into, clipped to its clip rectangle.
struct GLYPHTARGET {
    void* pixels = nullptr;
    int pitch = 0;          // bytes per row
    int width = 0, height = 0;
    int bytesPerPixel = 4;  // 1: palette indices; 4: 32-bit pixels
    uint32_t colour = 0;    // palette index or pixel value written for ink
    int clipX = 0, clipY = 0, clipW = -1, clipH = -1;  // clipW < 0: the whole buffer
};

// Writes colour for every set byte of a w x h mask (pitch bytes per row) to
// target at (x, y), clipped.
void DrawGlyphMask(const GLYPHTARGET& target, int x, int y, const uint8_t* mask, int pitch, int w, int h);

class cFontCache {
public:
    struct ENTRY {
        char chr[4];  // the character's bytes, zero-terminated
        int cell;
        int x, y;     // the cell's position on the cache surface
    };

    // kind 0 half-width (16 x 16 cells), 1 full-width (columns x rows).
    cFontCache(int kind, int cellW, int cellH, int columns, int rows);

    int Kind() const { return m_Kind; }
    int CellWidth() const { return m_CellW; }
    int CellHeight() const { return m_CellH; }
    int Columns() const { return m_Columns; }
    int Rows() const { return m_Rows; }
    int Capacity() const { return m_Capacity; }
    int Count() const { return m_Count; }
    const std::list<ENTRY>& Entries() const { return m_Entries; }

    // Takes the next free cell for a character (1 or 2 bytes): 1 added; 0 full.
    int Add(const char* chr);
    // Cell of a character; -1 when it is not in the cache.
    int Find(const char* chr) const;
    // Draws the character's cell at (x, y): 1 when found and drawn, else 0.
    int DrawChar(const GLYPHTARGET& target, int x, int y, const char* chr) const;
    // Draws the cell of a single-byte code (0..255).
    void DrawCode(const GLYPHTARGET& target, int x, int y, unsigned char code) const;

    // The mask of cell i (pitch = SurfacePitch()).
    uint8_t* CellMask(int i);
    const uint8_t* CellMask(int i) const;
    int SurfacePitch() const { return m_Columns * m_CellW; }
    // Cell position of index i.
    int CellX(int i) const { return i % m_Columns * m_CellW; }
    int CellY(int i) const { return i / m_Columns * m_CellH; }
    // Clears every cell's pixels (the entries stay).
    void ClearSurface();

private:
    static int Key(const char* chr);

    int m_Kind;
    int m_CellW, m_CellH;
    int m_Columns, m_Rows, m_Capacity;
    std::vector<uint8_t> m_Surface;
    std::list<ENTRY> m_Entries;
    int m_Count = 0;
    int m_NextCell = 0;
    std::vector<int> m_Index;  // first cell of each two-byte key: the list search, done once
};
