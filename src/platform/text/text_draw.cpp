#include "platform/text/text_draw.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"
#include "platform/system/font_sjis.h"
#include "platform/graphics/fx_strip.h"
#include "platform/system/log.h"

// Texture copies of a font's caches and its work surface (Direct3D rules).
struct FONTSURFACES {
    DDSURFACEDATA half, full, work;
    int nFullSynced = 0;    // cells of the full-width cache copied so far
    int nGeneration = -1;   // the font's Restore count they were made at
    uint32_t dwColour = 0;  // the ink they were made with
    bool bOk = false;
};

namespace {

void DeleteFontSurfaces(FONTSURFACES* p) {
    if (!p) return;
    DDReleaseSurface(&p->half);
    DDReleaseSurface(&p->full);
    DDReleaseSurface(&p->work);
    delete p;
}

// Copies cells [from, to) of a cache into its texture, ink opaque, the rest transparent.
void CopyCells(DDSURFACEDATA& sd, const cFontCache& cache, int from, int to, uint32_t ink) {
    if (!sd.HasSurface() || sd.Surface.format != DDFMT_ARGB8888) return;
    for (int cell = from; cell < to; ++cell) {
        const uint8_t* m = cache.CellMask(cell);
        const int x0 = cache.CellX(cell), y0 = cache.CellY(cell);
        for (int y = 0; y < cache.CellHeight() && y0 + y < sd.Surface.height; ++y) {
            uint32_t* d = sd.Surface.Row32(y0 + y) + x0;
            for (int x = 0; x < cache.CellWidth() && x0 + x < sd.Surface.width; ++x)
                d[x] = m[y * cache.SurfacePitch() + x] ? ink : 0;
        }
    }
}

// The Direct3D surfaces of a font, made on first use and kept in step with its caches.
FONTSURFACES* SurfacesFor(Font& font, uint32_t ink) {
    FONTSURFACES* s = font.Surfaces();
    if (!s) {
        s = new FONTSURFACES;
        font.SetSurfaces(s, &DeleteFontSurfaces);
        if (const cFontCache* h = font.HalfCache()) {
            if (!DDCreateSurface(&s->half, h->Columns() * h->CellWidth(), h->Rows() * h->CellHeight(), 1, 1,
                                 DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
                WriteECAndClose("m_lpFastFont_Half Err");
                return nullptr;
            }
        }
        if (const cFontCache* f = font.FullCache()) {
            if (!DDCreateSurface(&s->full, f->Columns() * f->CellWidth(), f->Rows() * f->CellHeight(), 1, 1,
                                 DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
                WriteECAndClose("m_lpFastFont_FullAdd Err");
                return nullptr;
            }
        }
        // Textures (drawn as quads, so tints and blending apply), transparent to start with.
        for (DDSURFACEDATA* sd : {&s->half, &s->full}) std::fill(sd->Surface.bits.begin(), sd->Surface.bits.end(), 0);
        s->bOk = true;
    }
    if (!s->bOk) return nullptr;
    if (s->nGeneration != font.Generation() || s->dwColour != ink) {
        if (const cFontCache* h = font.HalfCache()) CopyCells(s->half, *h, 0, h->Capacity(), ink);
        s->nFullSynced = 0;
        s->nGeneration = font.Generation();
        s->dwColour = ink;
    }
    if (const cFontCache* f = font.FullCache()) {
        if (s->nFullSynced < f->Count()) CopyCells(s->full, *f, s->nFullSynced, f->Count(), ink);
        s->nFullSynced = f->Count();
    }
    return s;
}

// The work surface a text of w x h pixels is drawn on (at most a screen-sized
// texture): made on first use, and made anew, larger, when a text needs more.
bool EnsureWorkSurface(FONTSURFACES& s, int w, int h) {
    if (s.work.HasSurface() && s.work.Surface.width >= w && s.work.Surface.height >= h) return true;
    const int width = std::max(w, s.work.HasSurface() ? s.work.Surface.width : 0);
    const int height = std::max(h, s.work.HasSurface() ? s.work.Surface.height : 0);
    DDReleaseSurface(&s.work);
    if (!DDCreateSurface(&s.work, std::max(width, 1), std::max(height, 1), 1, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
        s.bOk = false;
        WriteECAndClose("DDCreateSurface Font::Work");
        return false;
    }
    std::snprintf(s.work.szName, sizeof s.work.szName, "Font::Work");
    std::fill(s.work.Surface.bits.begin(), s.work.Surface.bits.end(), 0);
    return true;
}

// Cached glyphs blitted from the texture copies.
class cBlitSink : public cGlyphSink {
public:
    cBlitSink(Font& font, FONTSURFACES& s, DDSURFACEDATA* dst, uint32_t ink) : m_Font(font), m_S(s), m_Dst(dst), m_Ink(ink) {}
    void Cell(const cFontCache& cache, int cell, int x, int y) override {
        DDSURFACEDATA* src = &m_S.half;
        if (cache.Kind() == 1) {
            if (cell >= m_S.nFullSynced) {  // added during this walk
                CopyCells(m_S.full, cache, m_S.nFullSynced, cache.Count(), m_Ink);
                m_S.nFullSynced = cache.Count();
            }
            src = &m_S.full;
        }
        (void)m_Font;
        DDBlt(m_Dst, x, y, cache.CellWidth(), cache.CellHeight(), src, cache.CellX(cell), cache.CellY(cell),
              DDBLT_COLORKEY);
    }

private:
    Font& m_Font;
    FONTSURFACES& m_S;
    DDSURFACEDATA* m_Dst;
    uint32_t m_Ink;
};

}  // namespace

GLYPHTARGET GlyphTargetOf(DDSURFACEDATA* sd, uint32_t colourNumber) {
    GLYPHTARGET t;
    if (!sd || !sd->HasSurface()) return t;
    t.pixels = sd->Surface.bits.data();
    t.pitch = sd->Surface.pitch;
    t.width = std::min(sd->nWidth, sd->Surface.width);
    t.height = std::min(sd->nHeight, sd->Surface.height);
    t.bytesPerPixel = sd->Surface.BytesPerPixel();
    t.colour = sd->Surface.format == DDFMT_INDEX8 ? colourNumber : PalNumToRGB(colourNumber);
    if (DDIsD3D() && t.bytesPerPixel == 4) t.colour |= 0xFF000000u;
    return t;
}

void Font::DrawText(DDSURFACEDATA* dst, int x, int y, const char* text, int bNoSymbols) {
    if (!dst || !text) return;
    if (DDIsD3D()) DDRedirectBackBuffer(&dst);
    if (!DDIsD3D()) {
        // A colour-keyed copy of the glyphs is their ink written in place.
        DrawText(GlyphTargetOf(dst, m_nColourNumber), x, y, text, bNoSymbols);
    } else {
        std::lock_guard<std::mutex> lock(Lock());
        const uint32_t ink = 0xFF000000u | PalNumToRGB(m_nColourNumber);
        FONTSURFACES* s = SurfacesFor(*this, ink);
        if (!s) return;
        const TEXTSIZE size = Measure(text);
        // No text is drawn larger than a screen-sized texture.
        int screenW = DDG.nWidth, screenH = DDG.nHeight;
        DDAdjustTextureSize(&screenW, &screenH);
        const int w = std::min(size.cx + 2 * m_nCharPitch, screenW);
        const int h = std::min(size.cy + m_nLinePitch, screenH);
        if (!EnsureWorkSurface(*s, w, h)) return;
        for (int r = 0; r < h; ++r) std::fill_n(s->work.Surface.Row32(r), w, 0u);
        GLYPHTARGET work = GlyphTargetOf(&s->work, m_nColourNumber);
        work.colour = ink;
        cBlitSink sink(*this, *s, dst, ink);
        const bool cache = m_bCache && m_lpFastFont_Half && m_lpFastFont_FullAdd;
        DDBeginBatch(0);
        DrawLines(work, 0, 0, &sink, x, y, text, m_bSymbols && !bNoSymbols, cache);
        DDEndBatch();
        DDBlt(dst, x, y, w, h, &s->work, 0, 0, DDBLT_COLORKEY);
    }
    if (!bNoSymbols && m_bSymbols) DrawSymbols(dst, x, y, text);
}

void Font::DrawTextF(DDSURFACEDATA* dst, int x, int y, const char* format, ...) {
    char buf[560];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    DrawText(dst, x, y, buf);
}

void Font::DrawSymbols(DDSURFACEDATA* dst, int x, int y, const char* text) {
    if (!m_bSymbols || !m_lpSymbol || !m_nCharPitch || !dst || !text) return;
    int px = 0, py = 0;
    for (const char* p = text; *p;) {
        if (IsSjisPair(p)) {
            px += m_nCharPitch;
            p += 2;
            continue;
        }
        const char c = *p++;
        if (c == '\n') {
            px = 0;
            py += m_nLinePitch;
            continue;
        }
        if (c >= 'a' && c <= 'z')
            DDBlt(dst, x + px, y + py, m_nCharPitch, m_nLinePitch, m_lpSymbol, (c - 'a') * m_nCharPitch, 0, DDBLT_COLORKEY);
        px += m_nCharPitch;
    }
}

void Font::DrawBox(DDSURFACEDATA* dst, int x, int y, int w, int h) {
    if (!dst || !m_lpBox) return;
    if (x == 10000) x = m_lpBox->nWidth / 2 - w / 2;
    if (y == 10000) y = m_lpBox->nHeight / 2 - h / 2;
    DDBltFramed(dst, x, y, w, h, m_lpBox, m_nBoxParam[0], static_cast<uint32_t>(m_nBoxParam[1]));
}

void Font::DrawTextRect(DDSURFACEDATA* dst, int x, int y, int w, int h, const char* text, int margin) {
    if (!text) text = "";
    if (w == 0 || h == 0) {
        const TEXTSIZE size = Measure(text);
        w = size.cx + margin;
        h = size.cy;
    }
    if (m_lpBox) {
        if (x == 10000) x = m_lpBox->nWidth / 2 - w / 2;
        if (y == 10000) y = m_lpBox->nHeight / 2 - h / 2;
    }
    DrawBox(dst, x, y, w, h);
    DrawText(dst, x + margin, y, text);
}

void Font::DrawTextBoxF(DDSURFACEDATA* dst, int x, int y, int w, int h, const char* format, ...) {
    char buf[560];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    DrawTextRect(dst, x, y, w, h, buf, 0);
}

int CreateFonts(Font* fonts, const FONTINFO* infos, int count) {
    auto surface = [](uint32_t n) -> DDSURFACEDATA* {
        return DDG.lpSurfaceArray && static_cast<int>(n) < DDG.nSurfaceCount ? &DDG.lpSurfaceArray[n] : nullptr;
    };
    int ok = 1;
    for (int i = 0; i < count; ++i) {
        const FONTINFO& f = infos[i];
        char face[256];
        std::memcpy(face, f.szFaceName, sizeof face);
        face[255] = 0;
        if (!fonts[i].Create(face, static_cast<int>(f.dwGlyphWidth), static_cast<int>(f.dwGlyphHeight),
                             static_cast<int>(f.dwCharPitch), static_cast<int>(f.dwLinePitch),
                             static_cast<int>(f.dwColourNumber), surface(f.dwBoxSurface), static_cast<int>(f.dwBoxParam[0]),
                             static_cast<int>(f.dwBoxParam[1]), surface(f.dwSymbolSurface), static_cast<int>(f.dwCache),
                             DDG.nWidth, DDG.nHeight, DDIsD3D()))
            ok = 0;
    }
    return ok;
}

void DrawDigitStrip(DDSURFACEDATA* surface, Font& font) {
    if (!surface) return;
    DDFillRect(surface, 0, 0, surface->nWidth, surface->nHeight, 0);
    font.DrawText(surface, 0, 0, "0123456789", 1);
}

int CreateDigitSurfaces(DDSURFACEDATA* digits, const DDSURFACEINFO* infos, int count, Font* fonts,
                        const FONTINFO* fontInfos) {
    (void)fontInfos;
    for (int i = 0; i < count; ++i) {
        const int w = 10 * std::max(fonts[i].CharPitch(), 1), h = std::max(fonts[i].LinePitch(), 1);
        if (!DDCreateSurface(&digits[i], w, h, static_cast<int>(infos[i].dwColorKey), infos[i].dwDDMemory,
                             infos[i].dwDTMemory, 0, 0))
            return 0;
        DrawDigitStrip(&digits[i], fonts[i]);
    }
    return 1;
}
