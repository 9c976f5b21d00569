#pragma once
// Surface records: every picture the game draws lives in a DDSURFACEDATA,
// whose pixels are held in memory in one of two formats (32-bit ARGB8888
// with straight alpha, or 8-bit indices into the screen palette). A record
// carries the part of the back end it was made under (DTDATA for the
// Direct3D rules, DDPART for the DirectDraw rules); both back ends draw in
// software into the same pixels. Records are created blank or from BMP
// files, kept in containers with a parallel list of descriptions, and
// released. A record owns its pixels: it can be moved, not copied, and its
// destructor releases it.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

// Pixel format of a surface.
enum DDFORMAT : uint8_t {
    DDFMT_NONE = 0,       // no pixels
    DDFMT_INDEX8 = 8,     // one byte per pixel: palette index
    DDFMT_ARGB8888 = 32,  // one 32-bit word per pixel: alpha 24-31, red 16-23, green 8-15, blue 0-7
};

// The pixels of one surface (a DirectDraw surface or a Direct3D texture).
struct DDPIXELS {
    DDFORMAT format = DDFMT_NONE;
    int width = 0, height = 0;  // allocated size (the texture size under Direct3D)
    int pitch = 0;              // bytes per row (a multiple of 16)
    bool bColorKey = false;     // a DirectDraw source colour key is set
    uint32_t dwColorKey = 0;    // its value: a palette index at 8 bits, 0x00RRGGBB at 32 bits
    std::vector<uint8_t> bits;

    bool Empty() const { return format == DDFMT_NONE; }
    int BytesPerPixel() const { return format == DDFMT_INDEX8 ? 1 : 4; }
    uint8_t* Row(int y) { return bits.data() + static_cast<size_t>(y) * pitch; }
    const uint8_t* Row(int y) const { return bits.data() + static_cast<size_t>(y) * pitch; }
    uint32_t* Row32(int y) { return reinterpret_cast<uint32_t*>(Row(y)); }
    const uint32_t* Row32(int y) const { return reinterpret_cast<const uint32_t*>(Row(y)); }
    // Allocates w x h pixels of format f, all zero; false (no pixels) when memory runs out.
    bool Allocate(DDFORMAT f, int w, int h);
    // Frees the pixels (format none).
    void Clear();
};

// Direct3D memory types.
enum : uint32_t { DTMEMORYTYPE_VIDEO_RT = 0, DTMEMORYTYPE_SYSTEM = 1, DTMEMORYTYPE_VIDEO_NORT = 2 };
// Memory pool of a Direct3D texture.
enum : uint32_t { DTPOOL_DEFAULT = 0, DTPOOL_MANAGED = 1, DTPOOL_SYSTEMMEM = 2 };

// Direct3D part of a record.
struct DTDATA {
    uint32_t dwSerial = 0;       // serial number from the surface counter; identifies the record in the list
    uint32_t dwMemoryType = 0;   // DTMEMORYTYPE_*
    uint32_t dwPool = 0;         // DTPOOL_* of the texture
    int bColorKey = 0;           // the record takes part in transparency
    int bRenderTarget = 0;       // the texture can be a render target
    int bSystemCopy = 0;         // keeps a system-memory copy for reading back (blank render targets)
    int bTexture = 0;            // a texture was made (not a no-texture record)
    std::vector<uint8_t> PalIndexMap;  // palette-index map, empty when not asked for
};

// DirectDraw part of a record.
struct DDPART {
    std::vector<uint8_t> PalIndexMap;  // palette-index map, empty when not asked for
};

struct DDSURFACEDATA {
    DTDATA* lpDT = nullptr;            // Direct3D part; null under DirectDraw
    DDPART* lpDDS = nullptr;           // DirectDraw part; null under Direct3D
    char szName[260] = {};             // label for logs
    int nWidth = 0, nHeight = 0;       // the picture's size
    int nTexWidth = 0, nTexHeight = 0; // the texture's size (power-of-two and square rules)
    char szPath[260] = {};             // the picture file; "E" for a blank surface
    uint32_t dwMemoryType = 0;         // DirectDraw memory: 0 video, 1 system
    int nMirrorWidth = 0;              // mirror cell width (0 = none)
    int nMirrorHeight = 0;             // mirror cell height (0 = none)
    DDSURFACEDATA* lpViewSD = nullptr; // for a view, the record whose picture it shows
    int bLost = 0;                     // contents gone: the owner must draw them again
    DDPIXELS Surface;                  // the pixels

    DDSURFACEDATA() = default;
    DDSURFACEDATA(const DDSURFACEDATA&) = delete;
    DDSURFACEDATA& operator=(const DDSURFACEDATA&) = delete;
    DDSURFACEDATA(DDSURFACEDATA&& o) noexcept;
    DDSURFACEDATA& operator=(DDSURFACEDATA&& o) noexcept;
    ~DDSURFACEDATA();

    // True when the record has pixels to draw.
    bool HasSurface() const { return !Surface.Empty(); }
};

// One row of a table of pictures (300 bytes in the original layout).
struct DDSURFACEINFO {
    char szPath[260] = {};     // picture file; "E" = a blank surface of the given size
    uint32_t dwColorKey = 0;   // 1 = transparent where the picture has the transparent colour
    uint32_t dwDDMemory = 0;   // DirectDraw memory: 0 video, 1 system
    uint32_t dwDTMemory = 0;   // Direct3D memory type
    uint32_t dwNoTexture = 0;  // 1 = only the sizes are recorded
    uint32_t dwIndexMap = 0;   // 1 = build the palette-index map
    uint32_t dwTolerate = 0;   // 1 = a failed load is not an error for the table load
    uint32_t dwMirrorWidth = 0;
    uint32_t dwMirrorHeight = 0;
    uint32_t dwWidth = 0;      // size of a blank surface
    uint32_t dwHeight = 0;

    DDSURFACEINFO() = default;
    // A row from a path (at most 259 bytes kept) and the ten values in field order.
    DDSURFACEINFO(const char* path, uint32_t colorKey, uint32_t ddMemory, uint32_t dtMemory, uint32_t noTexture,
                  uint32_t indexMap, uint32_t tolerate, uint32_t mirrorWidth, uint32_t mirrorHeight, uint32_t width,
                  uint32_t height);
};

// Result codes of DDCreateSurfaceFromFile and DDCheckErr.
enum : int { DD_OK = 0, CREATESURFACE_ERR = 4, LOADIMAGE_ERR = 8, SETCOLORKEY_ERR = 9 };

// Every Direct3D record made by DDCreateSurface / DDCreateSurfaceFromFile, in creation order.
std::list<DDSURFACEDATA*>& DDSurfaceList();

// Gives the record the back-end part it lacks.
void DDAllocSurfaceData(DDSURFACEDATA* sd);
// Enlarges a texture size by the device's power-of-two and square rules.
void DDAdjustTextureSize(int* w, int* h);
// False (after logging) when a size exceeds the device's largest texture.
bool DDCheckTextureSize(int w, int h);
// Creates a blank surface; true when created.
bool DDCreateSurface(DDSURFACEDATA* sd, int w, int h, int colorKey, uint32_t ddMemory, uint32_t dtMemory,
                     int noTexture, int restore);
// Creates a surface from a BMP file; DD_OK, CREATESURFACE_ERR or LOADIMAGE_ERR.
int DDCreateSurfaceFromFile(DDSURFACEDATA* sd, const char* path, int colorKey, int depth, uint32_t ddMemory,
                            uint32_t dtMemory, int noTexture, int indexMap, int mirrorWidth, int mirrorHeight,
                            int restore);
// False (after logging the code's name) for 4, 8 and 9; true otherwise.
bool DDCheckErr(int code);
// 1 when the file was read (*larger = 1 when it exceeds the limits), 0 when not loadable; 1 at once under Direct3D.
int DDCheckBitmapSize(int* larger, const char* path, int maxWidth, int maxHeight);
// Loads the listed entries of the common table into array; true when each loaded or may fail.
bool DDLoadSurfaces(DDSURFACEDATA* array, const int* indices, int count);
// Appends a blank record and its description; true when created.
bool DDAddSurface(std::vector<DDSURFACEDATA>& records, std::vector<DDSURFACEINFO>& infos, int w, int h, int colorKey,
                  uint32_t ddMemory, uint32_t dtMemory, int noTexture);
bool DDAddSurfaceList(std::list<DDSURFACEDATA>& records, std::list<DDSURFACEINFO>& infos, int w, int h, int colorKey,
                      uint32_t ddMemory, uint32_t dtMemory, int noTexture);
// Inserts a blank record and its description before index (appends at or past the end).
bool DDInsertSurfaceList(std::list<DDSURFACEDATA>& records, std::list<DDSURFACEINFO>& infos, int index, int w, int h,
                         int colorKey, uint32_t ddMemory, uint32_t dtMemory, int noTexture);
// Releases and unlinks the record at address sd and its description; 1 removed, 0 not found.
int DDEraseSurfaceList(std::list<DDSURFACEDATA>& records, std::list<DDSURFACEINFO>& infos, const DDSURFACEDATA* sd);
// Releases the record's pixels and parts (null does nothing).
void DDFreeSurface(DDSURFACEDATA* sd);
void DDReleaseSurface(DDSURFACEDATA* sd);
void DDReleaseSurfaceVector(std::vector<DDSURFACEDATA>& records);
void DDReleaseSurfaceList(std::list<DDSURFACEDATA>& records);
// Copies the record's picture again from its file (DirectDraw); true under Direct3D.
bool DDReloadBitmap(DDSURFACEDATA* sd, int depth);
// Copies a BMP file into the record's pixels, mirrored within cells (DirectDraw); true when copied.
bool CopyBitmap(DDSURFACEDATA* sd, const char* path, int depth, int indexMap, int mirrorWidth, int mirrorHeight);
// Draws src into dst with each column of cells mirrored left-right (Direct3D); true.
bool CreateMirror(DDSURFACEDATA* dst, DDSURFACEDATA* src, int mirrorWidth, int mirrorHeight);
