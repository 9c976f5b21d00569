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
#include <set>
#include <utility>
#include <vector>

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

// One glyph as FreeType rasterised it: a byte per pixel (1 ink), its size
// and its bearings from the pen.
struct GLYPHBITMAP {
    int left = 0, top = 0, width = 0, rows = 0;
    std::vector<uint8_t> ink;
};

// A font file mapped into memory: the faces read their glyphs from it
// without a system call per read. It keeps the glyphs rasterised ahead
// (PrepareGlyphs), by height and character.
class cMappedFile {
public:
    cMappedFile(void* data, size_t size) : m_pData(data), m_nSize(size) {}
    ~cMappedFile() { ::munmap(m_pData, m_nSize); }
    cMappedFile(const cMappedFile&) = delete;
    cMappedFile& operator=(const cMappedFile&) = delete;
    const void* Data() const { return m_pData; }
    size_t Size() const { return m_nSize; }
    // A glyph rasterised ahead; null when there is none (entries are never removed).
    const GLYPHBITMAP* Prepared(int height, char32_t cp) const {
        std::lock_guard<std::mutex> lock(m_Lock);
        const auto it = m_Prepared.find({height, cp});
        return it == m_Prepared.end() ? nullptr : &it->second;
    }
    // Keeps a glyph (the first one kept of a character stays); the one kept.
    const GLYPHBITMAP* AddPrepared(int height, char32_t cp, GLYPHBITMAP&& glyph) {
        std::lock_guard<std::mutex> lock(m_Lock);
        return &m_Prepared.emplace(std::make_pair(height, cp), std::move(glyph)).first->second;
    }
    // The glyphs of a height are rasterised ahead (PrepareGlyphs), from now on.
    void MarkPreparing(int height) {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Preparing.insert(height);
    }
    bool IsPreparing(int height) const {
        std::lock_guard<std::mutex> lock(m_Lock);
        return m_Preparing.count(height) != 0;
    }

private:
    void* m_pData;
    size_t m_nSize;
    mutable std::mutex m_Lock;  // guards m_Prepared and m_Preparing
    std::map<std::pair<int, char32_t>, GLYPHBITMAP> m_Prepared;
    std::set<int> m_Preparing;
};

// The mapping of a file, shared by every face open on it and kept for the
// program's life, with the glyphs prepared on it (caller holds TtfLock); null on failure.
std::shared_ptr<cMappedFile> MapFile(const std::string& path) {
    static auto* mapped = new std::map<std::string, std::shared_ptr<cMappedFile>>;
    if (auto kept = (*mapped)[path]) return kept;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    void* data = MAP_FAILED;
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        data = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED) return nullptr;
    auto file = std::make_shared<cMappedFile>(data, static_cast<size_t>(st.st_size));
    (*mapped)[path] = file;
    return file;
}

// A face of FreeType on a mapped file at a height in pixels (points at 72
// dots an inch, the size SDL_ttf gives the same height); null on failure.
FtFacePtr OpenFace(FT_Library library, const cMappedFile& file, int height) {
    FT_Face raw = nullptr;
    if (FT_New_Memory_Face(library, static_cast<const FT_Byte*>(file.Data()), static_cast<FT_Long>(file.Size()), 0,
                           &raw) != 0)
        return nullptr;
    FtFacePtr face(raw);
    if (FT_Set_Char_Size(face.get(), 0, static_cast<FT_F26Dot6>(height) * 64, 0, 0) != 0) return nullptr;
    return face;
}

// Rasterises glyph index of face without anti-aliasing; false when it cannot be had.
bool Rasterise(FT_Face face, FT_UInt index, GLYPHBITMAP& out) {
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
        return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO && bm.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.width = static_cast<int>(bm.width);
    out.rows = static_cast<int>(bm.rows);
    out.ink.assign(static_cast<size_t>(out.width) * out.rows, 0);
    for (int y = 0; y < out.rows; ++y) {
        const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < out.width; ++x)
            out.ink[static_cast<size_t>(y) * out.width + x] =
                bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] != 0;
    }
    return true;
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
    int size = 0;  // the height it was opened at
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
    FtFacePtr face = library ? OpenFace(library, *mapped, height) : nullptr;
    if (!face) {
        if (library) ReleaseLibrary();
        ttf.reset();
        TTF_Quit();
        return false;
    }
    TTF_SetFontHinting(ttf.get(), TTF_HINTING_MONO);
    m_Height = TTF_FontHeight(ttf.get());
    m_Ascent = TTF_FontAscent(ttf.get());
    m_pFont = std::make_unique<cFont>(cFont{std::move(mapped), std::move(ttf), std::move(face), height});
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
    cMappedFile& file = *m_pFont->file;
    const GLYPHBITMAP* glyph = file.Prepared(m_pFont->size, cp);
    GLYPHBITMAP drawn;
    if (!glyph) {
        if (!Rasterise(face, index, drawn)) return false;
        // A glyph of a height prepared ahead is kept with the prepared ones:
        // a thread still preparing them skips it.
        glyph = file.IsPreparing(m_pFont->size) ? file.AddPrepared(m_pFont->size, cp, std::move(drawn)) : &drawn;
    }
    // The glyph's cell: its left bearing from the pen (none to the left of
    // it), its top from the ascent (a glyph taller than the ascent starts at
    // the cell's top).
    const int left = x + std::max(glyph->left, 0);
    const int top = y + std::max(m_Ascent - glyph->top, 0);
    for (int by = 0; by < glyph->rows; ++by) {
        const int dy = top + by;
        if (dy < 0 || dy >= h) continue;
        const uint8_t* row = glyph->ink.data() + static_cast<size_t>(by) * glyph->width;
        for (int bx = 0; bx < glyph->width; ++bx) {
            const int dx = left + bx;
            if (dx >= 0 && dx < w && row[bx]) mask[dy * pitch + dx] = 1;
        }
    }
    return true;
}

void PrepareGlyphs(const std::string& faceName, int height, const std::vector<char32_t>& chars) {
    if (height <= 0) return;
    const std::string path = FindFontFile(faceName);
    if (path.empty()) return;
    std::shared_ptr<cMappedFile> file;
    {
        std::lock_guard<std::mutex> lock(TtfLock());
        file = MapFile(path);
    }
    if (!file) return;
    // A library of this thread's own: nothing here waits for the faces in use.
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return;
    file->MarkPreparing(height);
    if (FtFacePtr face = OpenFace(library, *file, height)) {
        for (char32_t cp : chars) {
            const FT_UInt index = FT_Get_Char_Index(face.get(), cp);
            if (index == 0 || IsDefaultIgnorable(cp) || file->Prepared(height, cp)) continue;
            GLYPHBITMAP glyph;
            if (Rasterise(face.get(), index, glyph)) file->AddPrepared(height, cp, std::move(glyph));
        }
    }
    FT_Done_FreeType(library);
}

bool IsGlyphPrepared(const std::string& faceName, int height, char32_t cp) {
    const std::string path = FindFontFile(faceName);
    if (path.empty()) return false;
    std::shared_ptr<cMappedFile> file;
    {
        std::lock_guard<std::mutex> lock(TtfLock());
        file = MapFile(path);
    }
    return file && file->Prepared(height, cp) != nullptr;
}
