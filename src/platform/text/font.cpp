#include "platform/text/font.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/system/font_sjis.h"
#include "platform/text/glyph_codes.h"
#include "platform/system/log.h"

const char* const kFontCacheBuiltIn =
    "０１２３４５６７８９ー～、。．！？「」（）・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
    "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむ"
    "めもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょアイウエオカキクケコサ"
    "シスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴザジズゼゾダヂヅデトバビブベボヴパピプ"
    "ペポァィゥェォッャュョ□■☆★％＆＜＞：";

namespace {

int g_nFontCount = 0;  // running number of fonts made

bool IsFullWidthSpace(const char* p) {
    return static_cast<unsigned char>(p[0]) == 0x81 && static_cast<unsigned char>(p[1]) == 0x40;
}

// Code points of count bytes of text (count < 0: up to the end or "\n").
std::vector<char32_t> CodePoints(const char* text, int count) {
    std::vector<char32_t> cps;
    int n = count < 0 ? GetLineLength(text) : count;
    for (int i = 0; i < n && text[i];) {
        if (i + 1 < n && IsSjisPair(text + i)) {
            cps.push_back(Cp932PairToCodePoint(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1])));
            i += 2;
        } else {
            cps.push_back(Cp932ByteToCodePoint(static_cast<unsigned char>(text[i])));
            ++i;
        }
    }
    return cps;
}

}  // namespace

Font::Font() = default;

Font::~Font() = default;

bool Font::Create(const char* faceName, int glyphW, int glyphH, int charPitch, int linePitch, int colourNumber,
                  DDSURFACEDATA* box, int boxParamA, int boxParamB, DDSURFACEDATA* symbols, int cacheFlag,
                  int screenW, int screenH, bool bDirect3D) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_nGlyphW = glyphW;
    m_nGlyphH = glyphH;
    m_nCharPitch = charPitch;
    m_nLinePitch = linePitch;
    m_nColourNumber = colourNumber;
    m_lpBox = box;
    m_nBoxParam[0] = boxParamA;
    m_nBoxParam[1] = boxParamB;
    m_lpSymbol = symbols;
    m_bSymbols = symbols ? 1 : 0;
    m_bCache = cacheFlag;
    if (!m_Face.Open(faceName ? faceName : "", glyphH)) {
        WriteReportEC("Font: %s (%d) cannot be opened", faceName ? faceName : "", glyphH);
        return false;
    }
    m_nNumber = ++g_nFontCount;
    m_pSurfaces.reset();  // the surface layer makes them again from the new caches
    ++m_nGeneration;

    m_lpFastFont_Half.reset();
    m_lpFastFont_FullAdd.reset();
    if (!cacheFlag) return true;
    if (charPitch <= 0 || linePitch <= 0) {
        WriteECf("※フォントクラスで文字間が未設定！");
        m_bCache = 0;
        return true;
    }
    const int columns = bDirect3D ? std::min(1024 / charPitch, 32) : std::min(screenW / charPitch, 32);
    const int rows = bDirect3D ? std::min(1024 / linePitch, 32) : std::min(screenH / linePitch, 30);
    if (columns <= 0 || rows <= 0) {
        WriteECAndClose("m_lpFastFont_FullAdd Err");
        m_bCache = 0;
        return false;
    }
    m_lpFastFont_Half = std::make_unique<cFontCache>(0, charPitch, linePitch, 16, 16);
    m_lpFastFont_FullAdd = std::make_unique<cFontCache>(1, charPitch, linePitch, columns, rows);
    FillCache(*m_lpFastFont_Half);
    for (const char* p = kFontCacheBuiltIn; IsSjisPair(p); p += 2)
        if (!m_lpFastFont_FullAdd->Add(p)) break;
    FillCache(*m_lpFastFont_FullAdd);
    return true;
}

void Font::PrepareCacheGlyphs(const char* faceName, int glyphH) {
    std::vector<char32_t> chars;
    for (int c = 16; c < 256; ++c) {
        const char chr[2] = {static_cast<char>(c), 0};
        for (char32_t cp : CodePoints(chr, 1)) chars.push_back(cp);
    }
    for (const char* p = kFontCacheBuiltIn; IsSjisPair(p); p += 2)
        for (char32_t cp : CodePoints(p, 2)) chars.push_back(cp);
    PrepareGlyphs(faceName ? faceName : "", glyphH, chars);
}

void Font::FillCache(cFontCache& cache) const {
    cache.ClearSurface();
    if (cache.Kind() == 0) {
        // Row 0 stays empty; every other code gets its own cell.
        for (int c = 16; c < 256; ++c) {
            char chr[2] = {static_cast<char>(c), 0};
            DrawCacheCell(cache, c, chr);
        }
        return;
    }
    for (const cFontCache::ENTRY& e : cache.Entries()) DrawCacheCell(cache, e.cell, e.chr);
}

void Font::DrawCacheCell(cFontCache& cache, int cell, const char* chr) const {
    const int count = IsSjisPair(chr) ? 2 : 1;
    if (count == 1 && (chr[0] == ' ' || chr[0] == '\n')) return;
    DrawGlyph(cache.CellMask(cell), cache.SurfacePitch(), cache.CellWidth(), cache.CellHeight(), 0, 0, chr, count);
}

void Font::Restore() {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_lpFastFont_Half) FillCache(*m_lpFastFont_Half);
    if (m_lpFastFont_FullAdd) FillCache(*m_lpFastFont_FullAdd);
    ++m_nGeneration;
}

void Font::DrawGlyph(uint8_t* mask, int pitch, int w, int h, int x, int y, const char* text, int count) const {
    std::vector<char32_t> cps = CodePoints(text, count);
    if (cps.empty()) return;
    int gx = x, gy = y;
    if (m_bCentring) {
        int width = 0;
        for (char32_t cp : cps) width += m_Face.Advance(cp);
        gx = x + (m_nCharPitch >> 1) - (width >> 1);
        gy = y + (m_nLinePitch >> 1) - (m_Face.Height() >> 1);
    } else if (count == 1) {
        gx = x + (m_nCharPitch >> 3);
        gy = y + (m_nLinePitch >> 4) - 1;
    }
    for (size_t i = 0; i < cps.size(); ++i) {
        m_Face.Render(cps[i], mask, pitch, w, h, gx, gy);
        if (i + 1 < cps.size()) gx += m_Face.Advance(cps[i]);  // the pen after the last glyph is not needed
    }
}

void Font::DrawGlyphTo(const GLYPHTARGET& target, int x, int y, const char* text, int count) const {
    if (count > 0 && m_nCharPitch > 0) {
        // One character in a fixed cell: clipped to the cell, as in the cache.
        std::vector<uint8_t> mask(static_cast<size_t>(m_nCharPitch) * m_nLinePitch, 0);
        DrawGlyph(mask.data(), m_nCharPitch, m_nCharPitch, m_nLinePitch, 0, 0, text, count);
        DrawGlyphMask(target, x, y, mask.data(), m_nCharPitch, m_nCharPitch, m_nLinePitch);
        return;
    }
    // A proportional line, with room around it for the glyphs' overhangs.
    const int margin = 8;
    const int w = LineWidth(text, count < 0 ? GetLineLength(text) : count) + 2 * margin;
    const int h = std::max(m_nLinePitch, m_Face.Height()) + 2 * margin;
    std::vector<uint8_t> mask(static_cast<size_t>(w) * h, 0);
    DrawGlyph(mask.data(), w, w, h, margin, margin, text, count);
    DrawGlyphMask(target, x - margin, y - margin, mask.data(), w, w, h);
}

int Font::LineWidth(const char* line, int len) const {
    int width = 0;
    for (char32_t cp : CodePoints(line, len)) width += m_Face.Advance(cp);
    return width;
}

namespace {

// Cells drawn straight onto the target.
class cTargetSink : public cGlyphSink {
public:
    explicit cTargetSink(const GLYPHTARGET& t) : m_t(t) {}
    void Cell(const cFontCache& cache, int cell, int x, int y) override {
        DrawGlyphMask(m_t, x, y, cache.CellMask(cell), cache.SurfacePitch(), cache.CellWidth(), cache.CellHeight());
    }

private:
    const GLYPHTARGET& m_t;
};

}  // namespace

void Font::DrawText(const GLYPHTARGET& target, int x, int y, const char* text, int bNoSymbols) {
    if (!text) return;
    std::lock_guard<std::mutex> lock(m_Lock);
    cTargetSink sink(target);
    DrawLines(target, x, y, &sink, x, y, text, m_bSymbols && !bNoSymbols,
              m_bCache && m_lpFastFont_Half && m_lpFastFont_FullAdd);
}

void Font::DrawLines(const GLYPHTARGET& work, int wx, int wy, cGlyphSink* sink, int dx, int dy, const char* text,
                     bool bSymbols, bool bCache) {
    if (m_nCharPitch == 0) {
        int line = 0;
        for (const char* p = text;; ++line) {
            int len = GetLineLength(p);
            if (len > 0) DrawGlyphTo(work, wx, wy + line * m_nLinePitch, p, -1);
            if (!p[len]) break;
            p += len + 1;
        }
        return;
    }
    bCache = bCache && sink;
    int px = 0, py = 0;
    for (const char* p = text; *p;) {
        if (IsSjisPair(p)) {
            if (!IsFullWidthSpace(p)) {
                int cell = bCache ? m_lpFastFont_FullAdd->Find(p) : -1;
                if (bCache && cell < 0 && m_lpFastFont_FullAdd->Add(p)) {
                    cell = m_lpFastFont_FullAdd->Count() - 1;
                    DrawCacheCell(*m_lpFastFont_FullAdd, cell, p);
                }
                if (cell >= 0)
                    sink->Cell(*m_lpFastFont_FullAdd, cell, dx + px, dy + py);
                else
                    DrawGlyphTo(work, wx + px, wy + py, p, 2);  // no cache, or a full one: drawn each time
            }
            px += m_nCharPitch;
            p += 2;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n') {
            py += m_nLinePitch;
            px = 0;
        } else if (c == ' ' || (bSymbols && c >= 'a' && c <= 'z')) {
            px += m_nCharPitch;
        } else {
            if (bCache)
                sink->Cell(*m_lpFastFont_Half, c, dx + px, dy + py);
            else
                DrawGlyphTo(work, wx + px, wy + py, p, 1);
            px += m_nCharPitch;
        }
        ++p;
    }
}

TEXTSIZE Font::Measure(const char* text) const {
    if (m_nCharPitch) return MeasureTextLines(*this, text);
    TEXTSIZE size;
    int lines = 0;
    for (const char* p = text;;) {
        int len = GetLineLength(p);
        size.cx = std::max(size.cx, LineWidth(p, len));
        ++lines;
        if (!p[len]) break;
        p += len + 1;
    }
    size.cy = lines * m_nLinePitch;
    return size;
}

TEXTSIZE MeasureTextLines(const Font& font, const char* text) {
    TEXTSIZE size;
    int lines = 0;
    std::string line;
    for (const char* p = text ? text : "";;) {
        int len = GetLineLength(p);
        line.assign(p, static_cast<size_t>(len));  // any length: no fixed line buffer
        size.cx = std::max(size.cx, GetSjisCharCount(line.c_str()) * font.CharPitch());
        ++lines;
        if (!p[len]) break;
        p += len + 1;
    }
    size.cy = lines * font.LinePitch();
    return size;
}
