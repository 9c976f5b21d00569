#include "platform/text/font_face.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <map>
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

// A font file mapped into memory: the faces read their glyphs from it
// without a system call per read.
class cMappedFile {
public:
    cMappedFile(void* data, size_t size) : m_pData(data), m_nSize(size) {}
    ~cMappedFile() { ::munmap(m_pData, m_nSize); }
    cMappedFile(const cMappedFile&) = delete;
    cMappedFile& operator=(const cMappedFile&) = delete;
    const void* Data() const { return m_pData; }
    size_t Size() const { return m_nSize; }

private:
    void* m_pData;
    size_t m_nSize;
};

// The mapping of a file, shared by every face open on it (caller holds TtfLock); null on failure.
std::shared_ptr<cMappedFile> MapFile(const std::string& path) {
    static std::map<std::string, std::weak_ptr<cMappedFile>> mapped;
    if (auto kept = mapped[path].lock()) return kept;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    void* data = MAP_FAILED;
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        data = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED) return nullptr;
    auto file = std::make_shared<cMappedFile>(data, static_cast<size_t>(st.st_size));
    mapped[path] = file;
    return file;
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

namespace {

// The FreeType library the faces rasterise with, shared by every open face (caller holds TtfLock).
FT_Library g_Library = nullptr;
int g_nLibraryUsers = 0;

FT_Library AcquireLibrary() {
    if (!g_Library && FT_Init_FreeType(&g_Library) != 0) g_Library = nullptr;
    if (g_Library) ++g_nLibraryUsers;
    return g_Library;
}

void ReleaseLibrary() {
    if (--g_nLibraryUsers == 0) {
        FT_Done_FreeType(g_Library);
        g_Library = nullptr;
    }
}

// Characters that text shaping shows as nothing (the default-ignorable code
// points of the Basic Multilingual Plane), as a line of text draws them.
bool IsDefaultIgnorable(char32_t cp) {
    return cp == 0x00AD || cp == 0x034F || cp == 0x061C || (cp >= 0x115F && cp <= 0x1160) ||
           (cp >= 0x17B4 && cp <= 0x17B5) || (cp >= 0x180B && cp <= 0x180E) || (cp >= 0x200B && cp <= 0x200F) ||
           (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x206F) || cp == 0x3164 ||
           (cp >= 0xFE00 && cp <= 0xFE0F) || cp == 0xFEFF || cp == 0xFFA0 || (cp >= 0xFFF0 && cp <= 0xFFF8);
}

}  // namespace

// The face twice over the same mapped file: SDL_ttf gives the metrics, and
// FreeType rasterises single glyphs straight away (SDL_ttf would lay each one
// out as a line of text first, several times the work).
struct cFontFace::cFont {
    std::shared_ptr<cMappedFile> file;  // outlives the faces that read it
    TtfFontPtr ttf;
    FtFacePtr face;
};

cFontFace::cFontFace() = default;

cFontFace::~cFontFace() { Close(); }

void cFontFace::Close() {
    std::lock_guard<std::mutex> lock(TtfLock());
    if (m_pFont) {
        m_pFont.reset();
        ReleaseLibrary();
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
    std::shared_ptr<cMappedFile> mapped = MapFile(file);
    if (!mapped) return false;
    if (TTF_Init() != 0) return false;
    TtfFontPtr ttf(TTF_OpenFontRW(SDL_RWFromConstMem(mapped->Data(), static_cast<int>(mapped->Size())), 1, height));
    FT_Library library = ttf ? AcquireLibrary() : nullptr;
    FT_Face rawFace = nullptr;
    if (library && FT_New_Memory_Face(library, static_cast<const FT_Byte*>(mapped->Data()),
                                      static_cast<FT_Long>(mapped->Size()), 0, &rawFace) != 0)
        rawFace = nullptr;
    FtFacePtr face(rawFace);
    // The size SDL_ttf gives the same height: points at 72 dots an inch.
    if (!face || FT_Set_Char_Size(face.get(), 0, static_cast<FT_F26Dot6>(height) * 64, 0, 0) != 0) {
        face.reset();
        if (library) ReleaseLibrary();
        ttf.reset();
        TTF_Quit();
        return false;
    }
    TTF_SetFontHinting(ttf.get(), TTF_HINTING_MONO);
    m_Height = TTF_FontHeight(ttf.get());
    m_Ascent = TTF_FontAscent(ttf.get());
    m_pFont = std::make_unique<cFont>(cFont{std::move(mapped), std::move(ttf), std::move(face)});
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
    std::lock_guard<std::mutex> lock(TtfLock());
    FT_Face face = m_pFont->face.get();
    const FT_UInt index = FT_Get_Char_Index(face, cp);
    if (index == 0) return false;
    if (IsDefaultIgnorable(cp)) return true;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
        return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO && bm.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
    // The glyph's cell: its left bearing from the pen (none to the left of
    // it), its top from the ascent (a glyph taller than the ascent starts at
    // the cell's top).
    const int left = x + std::max(face->glyph->bitmap_left, 0);
    const int top = y + std::max(m_Ascent - face->glyph->bitmap_top, 0);
    for (int by = 0; by < static_cast<int>(bm.rows); ++by) {
        const int dy = top + by;
        if (dy < 0 || dy >= h) continue;
        const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(by) * bm.pitch;
        for (int bx = 0; bx < static_cast<int>(bm.width); ++bx) {
            const int dx = left + bx;
            if (dx < 0 || dx >= w) continue;
            const bool ink = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[bx >> 3] & (0x80 >> (bx & 7))) != 0 : row[bx] != 0;
            if (ink) mask[dy * pitch + dx] = 1;
        }
    }
    return true;
}
