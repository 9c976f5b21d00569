#include "platform/text/font_face.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <sys/stat.h>

#include <cstdlib>
#include <mutex>

#include "platform/seam/owners.h"
#include "platform/system/cp932.h"

namespace {

// FreeType is one library for all faces: every call goes through this lock.
std::mutex& TtfLock() {
    static std::mutex m;
    return m;
}

bool FileExists(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

}  // namespace

std::string FindFontFile(const std::string& faceName) {
    const std::string name = Cp932ToUtf8(faceName);
    const bool mincho = name.find(U8(u8"明朝")) != std::string::npos || name.find("Mincho") != std::string::npos;
    bool proportional = name.find(U8(u8"Ｐ")) != std::string::npos;
    if (!proportional) {
        // A "P" standing alone or before the style, as in "HGP" or "MS PGothic".
        for (size_t i = 0; i < name.size(); ++i)
            if (name[i] == 'P' && (i + 1 == name.size() || !(name[i + 1] >= 'a' && name[i + 1] <= 'z'))) proportional = true;
    }
    const std::string file = mincho ? (proportional ? "ipamp.ttf" : "ipam.ttf") : (proportional ? "ipagp.ttf" : "ipag.ttf");
    const std::string sub = mincho ? "ipafont-mincho/" : "ipafont-gothic/";
    std::string dirs[] = {
        std::getenv("QV_FONT_DIR") ? std::string(std::getenv("QV_FONT_DIR")) + "/" : std::string(),
        "/usr/share/fonts/opentype/" + sub,
        "/usr/share/fonts/truetype/" + sub,
        "/usr/share/fonts/opentype/ipafont/",
        "/usr/share/fonts/truetype/ipafont/",
    };
    for (const std::string& d : dirs)
        if (!d.empty() && FileExists(d + file)) return d + file;
    // The other variant of the same family is better than nothing.
    const std::string other = mincho ? "ipam.ttf" : "ipag.ttf";
    for (const std::string& d : dirs)
        if (!d.empty() && FileExists(d + other)) return d + other;
    return {};
}

struct cFontFace::cFont {
    TtfFontPtr ttf;
};

cFontFace::cFontFace() = default;

cFontFace::~cFontFace() { Close(); }

void cFontFace::Close() {
    std::lock_guard<std::mutex> lock(TtfLock());
    if (m_pFont) {
        m_pFont.reset();
        TTF_Quit();  // balances the TTF_Init of Open
    }
    m_Height = m_Ascent = 0;
}

bool cFontFace::Open(const std::string& faceName, int height) {
    Close();
    if (height <= 0) return false;
    std::string file = FindFontFile(faceName);
    if (file.empty()) return false;
    std::lock_guard<std::mutex> lock(TtfLock());
    if (TTF_Init() != 0) return false;
    TtfFontPtr ttf(TTF_OpenFont(file.c_str(), height));
    if (!ttf) {
        TTF_Quit();
        return false;
    }
    TTF_SetFontHinting(ttf.get(), TTF_HINTING_MONO);
    m_Height = TTF_FontHeight(ttf.get());
    m_Ascent = TTF_FontAscent(ttf.get());
    m_pFont = std::make_unique<cFont>(cFont{std::move(ttf)});
    return true;
}

int cFontFace::Advance(char32_t cp) const {
    if (!m_pFont || cp == 0) return 0;
    std::lock_guard<std::mutex> lock(TtfLock());
    int minx, maxx, miny, maxy, advance;
    if (TTF_GlyphMetrics32(m_pFont->ttf.get(), cp, &minx, &maxx, &miny, &maxy, &advance) != 0) return 0;
    return advance;
}

bool cFontFace::Render(char32_t cp, uint8_t* mask, int pitch, int w, int h, int x, int y) const {
    if (!m_pFont || cp == 0) return false;
    SdlSurfacePtr s;
    {
        std::lock_guard<std::mutex> lock(TtfLock());
        if (!TTF_GlyphIsProvided32(m_pFont->ttf.get(), cp)) return false;
        SDL_Color white{255, 255, 255, 255};
        s.reset(TTF_RenderGlyph32_Solid(m_pFont->ttf.get(), cp, white));
    }
    if (!s || s->format->BytesPerPixel != 1) return false;
    if (SDL_MUSTLOCK(s.get())) SDL_LockSurface(s.get());
    const auto* src = static_cast<const uint8_t*>(s->pixels);
    for (int sy = 0; sy < s->h; ++sy) {
        int dy = y + sy;
        if (dy < 0 || dy >= h) continue;
        for (int sx = 0; sx < s->w; ++sx) {
            int dx = x + sx;
            if (dx < 0 || dx >= w) continue;
            if (src[sy * s->pitch + sx]) mask[dy * pitch + dx] = 1;
        }
    }
    if (SDL_MUSTLOCK(s.get())) SDL_UnlockSurface(s.get());
    return true;
}
