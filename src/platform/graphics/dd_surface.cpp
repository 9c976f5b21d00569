#include "platform/graphics/dd_surface.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_palette.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "records/services.h"

namespace {

void CopyName(char (&to)[260], const char* from) {
    std::snprintf(to, sizeof to, "%s", from ? from : "");
}

}  // namespace

// ---- pixels and records ----------------------------------------------------

bool DDPIXELS::Allocate(DDFORMAT f, int w, int h) {
    Clear();
    if (w < 1 || h < 1) return false;
    const int p = ((w * (f == DDFMT_INDEX8 ? 1 : 4)) + 15) & ~15;
    try {
        bits.assign(static_cast<size_t>(p) * h, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    format = f;
    width = w;
    height = h;
    pitch = p;
    return true;
}

void DDPIXELS::Clear() {
    format = DDFMT_NONE;
    width = height = pitch = 0;
    bColorKey = false;
    dwColorKey = 0;
    std::vector<uint8_t>().swap(bits);
}

std::list<DDSURFACEDATA*>& DDSurfaceList() {
    // Never destroyed: records with static lifetime release themselves after other statics are gone.
    static auto* list = new std::list<DDSURFACEDATA*>;
    return *list;
}

void dd::ListAdd(DDSURFACEDATA* sd) {
    auto& list = DDSurfaceList();
    if (std::find(list.begin(), list.end(), sd) == list.end()) list.push_back(sd);
}

DDSURFACEDATA::DDSURFACEDATA(DDSURFACEDATA&& o) noexcept { *this = std::move(o); }

DDSURFACEDATA& DDSURFACEDATA::operator=(DDSURFACEDATA&& o) noexcept {
    if (this == &o) return *this;
    DDFreeSurface(this);
    lpDT = std::exchange(o.lpDT, nullptr);
    lpDDS = std::exchange(o.lpDDS, nullptr);
    std::memcpy(szName, o.szName, sizeof szName);
    std::memcpy(szPath, o.szPath, sizeof szPath);
    o.szName[0] = o.szPath[0] = 0;
    nWidth = std::exchange(o.nWidth, 0);
    nHeight = std::exchange(o.nHeight, 0);
    nTexWidth = std::exchange(o.nTexWidth, 0);
    nTexHeight = std::exchange(o.nTexHeight, 0);
    dwMemoryType = std::exchange(o.dwMemoryType, 0);
    nMirrorWidth = std::exchange(o.nMirrorWidth, 0);
    nMirrorHeight = std::exchange(o.nMirrorHeight, 0);
    lpViewSD = std::exchange(o.lpViewSD, nullptr);
    bLost = std::exchange(o.bLost, 0);
    Surface = std::move(o.Surface);
    o.Surface.Clear();
    // The surface list follows the record to its new address.
    for (auto& p : DDSurfaceList())
        if (p == &o) p = this;
    return *this;
}

DDSURFACEDATA::~DDSURFACEDATA() { DDFreeSurface(this); }

DDSURFACEINFO::DDSURFACEINFO(const char* path, uint32_t colorKey, uint32_t ddMemory, uint32_t dtMemory,
                             uint32_t noTexture, uint32_t indexMap, uint32_t tolerate, uint32_t mirrorWidth,
                             uint32_t mirrorHeight, uint32_t width, uint32_t height)
    : dwColorKey(colorKey), dwDDMemory(ddMemory), dwDTMemory(dtMemory), dwNoTexture(noTexture),
      dwIndexMap(indexMap), dwTolerate(tolerate), dwMirrorWidth(mirrorWidth), dwMirrorHeight(mirrorHeight),
      dwWidth(width), dwHeight(height) {
    CopyName(szPath, path);
}

// ---- creation --------------------------------------------------------------

void DDAllocSurfaceData(DDSURFACEDATA* sd) {
    if (!sd) return;
    if (lpDTCon) {
        if (!sd->lpDT) sd->lpDT = new DTDATA;
    } else if (!sd->lpDDS) {
        sd->lpDDS = new DDPART;
    }
}

void DDAdjustTextureSize(int* w, int* h) {
    if (!lpDTCon) return;
    auto pow2 = [](int v) {
        if (v <= 1 || (v & (v - 1)) == 0) return v;
        int top = 1;
        while (top <= v / 2) top <<= 1;
        return top * 2;
    };
    if (lpDTCon->bPow2Textures) {
        *w = pow2(*w);
        *h = pow2(*h);
    }
    if (lpDTCon->bSquareTextures) *w = *h = std::max(*w, *h);
}

bool DDCheckTextureSize(int w, int h) {
    if (!lpDTCon) return true;
    bool ok = true;
    if (w > lpDTCon->nMaxTextureWidth) {
        WriteReportEC("このビデオカードでは横幅%dを超える画像はサポートされていません！", lpDTCon->nMaxTextureWidth);
        ok = false;
    }
    if (h > lpDTCon->nMaxTextureHeight) {
        WriteReportEC("このビデオカードでは縦幅%dを超える画像はサポートされていません！", lpDTCon->nMaxTextureHeight);
        ok = false;
    }
    return ok;
}

namespace {

// A texture the software device can hold: positive sides within the largest size.
bool TextureFits(int tw, int th) {
    return tw >= 1 && th >= 1 && tw <= lpDTCon->nMaxTextureWidth && th <= lpDTCon->nMaxTextureHeight;
}

bool CreateD3D(DDSURFACEDATA* sd, int w, int h, int colorKey, uint32_t ddMemory, uint32_t dtMemory, int noTexture,
               int restore) {
    DTDATA* dt = sd->lpDT;
    if (!dt) return false;
    if (!restore) {
        CopyName(sd->szName, "OffScreen");
        CopyName(sd->szPath, "E");
        dt->dwMemoryType = dtMemory;
        dt->bColorKey = colorKey == 1;
        dt->bSystemCopy = 0;
        dt->bTexture = 0;
        if (!noTexture) dt->dwSerial = lpDTCon->dwSurfaceCounter++;
    }
    sd->Surface.Clear();
    if (noTexture) {
        sd->nWidth = sd->nTexWidth = w;
        sd->nHeight = sd->nTexHeight = h;
        sd->dwMemoryType = ddMemory;
        return true;
    }
    int tw = w, th = h;
    DDAdjustTextureSize(&tw, &th);
    if (!DDCheckTextureSize(tw, th)) WriteReportEC("上記の理由でテクスチャの描画が失敗する可能性があります。(空)");
    if (dt->dwMemoryType == DTMEMORYTYPE_VIDEO_NORT) dt->dwMemoryType = DTMEMORYTYPE_VIDEO_RT;
    if (!TextureFits(tw, th)) {
        WriteReportEC("D3DXCreateTexture Err hr = %x", 0x8876086Cu);
        return false;
    }
    if (dt->dwMemoryType == DTMEMORYTYPE_VIDEO_RT) {
        dt->bRenderTarget = 1;
        dt->dwPool = DTPOOL_DEFAULT;
        dt->bSystemCopy = 1;
    } else {
        dt->bRenderTarget = 0;
        dt->dwPool = DTPOOL_SYSTEMMEM;
    }
    if (!sd->Surface.Allocate(DDFMT_ARGB8888, tw, th)) {
        WriteReportEC("D3DXCreateTexture Err hr = %x", 0x8007000Eu);
        return false;
    }
    dt->bTexture = 1;
    sd->nWidth = w;
    sd->nHeight = h;
    sd->nTexWidth = tw;
    sd->nTexHeight = th;
    if (DDSetRenderTarget(0, sd)) {
        dd::FillPixels(sd->Surface, 0, 0, tw, th, lpDTCon->dwKeyColor);
        DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
    }
    if (!restore) dd::ListAdd(sd);
    return true;
}

bool CreateDD(DDSURFACEDATA* sd, int w, int h, int colorKey, uint32_t ddMemory) {
    sd->Surface.Clear();
    if (w < 1 || h < 1 || w > BMP_MAX_SIDE || h > BMP_MAX_SIDE) {
        WriteReportEC(ddMemory == 0 ? "CreateSurface Video -> System Err" : "CreateSurface System Err");
        return false;
    }
    if (!sd->Surface.Allocate(dd::SurfaceFormat(), w, h)) {
        WriteReportEC(ddMemory == 0 ? "CreateSurface Video -> System Err" : "CreateSurface System Err");
        return false;
    }
    if (colorKey == 1) {
        sd->Surface.bColorKey = true;
        sd->Surface.dwColorKey = DDG.dwColorKey;
    }
    sd->nWidth = sd->nTexWidth = w;
    sd->nHeight = sd->nTexHeight = h;
    sd->dwMemoryType = ddMemory;
    DDFillRect(sd, 0, 0, w, h, 0);
    return true;
}

}  // namespace

bool DDCreateSurface(DDSURFACEDATA* sd, int w, int h, int colorKey, uint32_t ddMemory, uint32_t dtMemory,
                     int noTexture, int restore) {
    if (!sd) return false;
    DDAllocSurfaceData(sd);
    if (lpDTCon) return CreateD3D(sd, w, h, colorKey, ddMemory, dtMemory, noTexture, restore);
    return CreateDD(sd, w, h, colorKey, ddMemory);
}

// ---- pictures from files ---------------------------------------------------

namespace {

bool CopyBitmapImage(DDSURFACEDATA* sd, const char* path, const BMPIMAGE& img, int depth, int indexMap, int cw,
                     int ch) {
    if (!sd->lpDDS) DDAllocSurfaceData(sd);
    if (depth == 8 && (sd->Surface.width != img.nWidth || sd->Surface.height != img.nHeight)) {
        WriteReportEC("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", path, sd->Surface.width, sd->Surface.height,
                      img.nWidth, img.nHeight);
    } else if (!sd->Surface.Empty()) {
        dd::CopyImage(sd->Surface, img, cw, ch, 0);
    }
    if (sd->lpDDS) {
        if (indexMap && depth != 8) DDMakePalIndexMap(&sd->lpDDS->PalIndexMap, sd);
        else sd->lpDDS->PalIndexMap.clear();
    }
    return true;
}

int FromFileDD(DDSURFACEDATA* sd, const char* path, int colorKey, int depth, uint32_t ddMemory, int indexMap, int cw,
               int ch) {
    BMPIMAGE img;
    if (!LoadBmpFile(path ? path : "", &img)) {
        WriteEC(path ? path : "");
        return LOADIMAGE_ERR;
    }
    if (!DDCreateSurface(sd, img.nWidth, img.nHeight, colorKey, ddMemory, 0, 0, 0)) return CREATESURFACE_ERR;
    if (!CopyBitmapImage(sd, path, img, depth, indexMap, cw, ch)) return LOADIMAGE_ERR;
    sd->nMirrorWidth = cw;
    sd->nMirrorHeight = ch;
    sd->nWidth = sd->nTexWidth = img.nWidth;
    sd->nHeight = sd->nTexHeight = img.nHeight;
    CopyName(sd->szPath, path);
    sd->dwMemoryType = ddMemory;
    return DD_OK;
}

int FromFileD3D(DDSURFACEDATA* sd, const char* path, int colorKey, int depth, uint32_t ddMemory, uint32_t dtMemory,
                int noTexture, int indexMap, int cw, int ch, int restore) {
    DDAllocSurfaceData(sd);
    DTDATA* dt = sd->lpDT;
    if (!restore) {
        CopyName(sd->szName, "OffScreenFromFile");
        CopyName(sd->szPath, path);
        dt->dwMemoryType = dtMemory;
        dt->bColorKey = colorKey == 1;
        dt->bSystemCopy = 0;
        dt->bTexture = 0;
        if (!noTexture) dt->dwSerial = lpDTCon->dwSurfaceCounter++;
    }
    sd->Surface.Clear();
    BMPIMAGE img;
    if (!LoadBmpFile(path ? path : "", &img)) {
        if (path && *path) WriteReportEC("LoadImage Err %s", path);
        return LOADIMAGE_ERR;
    }
    if (noTexture) {
        sd->nWidth = sd->nTexWidth = img.nWidth;
        sd->nHeight = sd->nTexHeight = img.nHeight;
    } else {
        int tw = img.nWidth, th = img.nHeight;
        DDAdjustTextureSize(&tw, &th);
        if (!DDCheckTextureSize(tw, th))
            WriteReportEC("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)", path);
        if (dt->dwMemoryType == DTMEMORYTYPE_VIDEO_NORT) {
            WriteECf("DDCreateSurfaceFromFile Err DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。"
                     "DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
            dt->dwMemoryType = DTMEMORYTYPE_VIDEO_RT;
        }
        if (!TextureFits(tw, th)) {
            WriteReportEC("テクスチャの作成に失敗。(%s)", path);
            return CREATESURFACE_ERR;
        }
        dt->bRenderTarget = 0;
        dt->dwPool = dt->dwMemoryType == DTMEMORYTYPE_VIDEO_RT ? DTPOOL_MANAGED : DTPOOL_SYSTEMMEM;
        if (!sd->Surface.Allocate(DDFMT_ARGB8888, tw, th)) {
            WriteReportEC("テクスチャの作成に失敗。(%s)", path);
            return CREATESURFACE_ERR;
        }
        dt->bTexture = 1;
        dd::CopyImage(sd->Surface, img, 0, 0, 0xFF000000);
        // The loader's colour key: pixels of the transparent colour become transparent black.
        const uint32_t key = 0xFF000000u | (lpDTCon->rgbTransmit.rgbtRed << 16) |
                             (lpDTCon->rgbTransmit.rgbtGreen << 8) | lpDTCon->rgbTransmit.rgbtBlue;
        for (int y = 0; y < img.nHeight; ++y) {
            uint32_t* row = sd->Surface.Row32(y);
            for (int x = 0; x < img.nWidth; ++x)
                if (row[x] == key) row[x] = 0;
        }
        sd->nWidth = img.nWidth;
        sd->nHeight = img.nHeight;
        sd->nTexWidth = tw;
        sd->nTexHeight = th;
    }
    if (!noTexture && (cw || ch)) {
        DDSURFACEDATA temp;
        if (FromFileD3D(&temp, path, colorKey, depth, ddMemory, dtMemory, 0, 0, 0, 0, 0) == DD_OK)
            CreateMirror(sd, &temp, cw, ch);
        DDReleaseSurface(&temp);
    }
    if (!restore) dd::ListAdd(sd);
    sd->nMirrorWidth = cw;
    sd->nMirrorHeight = ch;
    sd->dwMemoryType = ddMemory;
    if (indexMap && depth != 8) DDMakePalIndexMap(&dt->PalIndexMap, sd);
    else dt->PalIndexMap.clear();
    return DD_OK;
}

}  // namespace

int DDCreateSurfaceFromFile(DDSURFACEDATA* sd, const char* path, int colorKey, int depth, uint32_t ddMemory,
                            uint32_t dtMemory, int noTexture, int indexMap, int mirrorWidth, int mirrorHeight,
                            int restore) {
    if (!sd) return CREATESURFACE_ERR;
    if (mirrorWidth < 0 || mirrorHeight < 0) mirrorWidth = mirrorHeight = 0;
    if (lpDTCon)
        return FromFileD3D(sd, path, colorKey, depth, ddMemory, dtMemory, noTexture, indexMap, mirrorWidth,
                           mirrorHeight, restore);
    DDAllocSurfaceData(sd);
    return FromFileDD(sd, path, colorKey, depth, ddMemory, indexMap, mirrorWidth, mirrorHeight);
}

bool CopyBitmap(DDSURFACEDATA* sd, const char* path, int depth, int indexMap, int mirrorWidth, int mirrorHeight) {
    if (lpDTCon || !path || !*path) return true;
    if (!sd) return false;
    BMPIMAGE img;
    if (!LoadBmpFile(path, &img)) return false;
    return CopyBitmapImage(sd, path, img, depth, indexMap, std::max(0, mirrorWidth), std::max(0, mirrorHeight));
}

bool DDReloadBitmap(DDSURFACEDATA* sd, int depth) {
    if (lpDTCon) return true;
    if (!sd) return false;
    const bool map = sd->lpDDS && !sd->lpDDS->PalIndexMap.empty();
    return CopyBitmap(sd, sd->szPath, depth, map, sd->nMirrorWidth, sd->nMirrorHeight);
}

bool CreateMirror(DDSURFACEDATA* dst, DDSURFACEDATA* src, int cw, int ch) {
    if (!dst || !src || cw <= 0 || ch != 0) return true;
    if (DDSetRenderTarget(0, dst)) {
        DDClearSurfaceRGB(dst, lpDTCon->dwClearColor);
        DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
    }
    for (int k = 0; k < src->nWidth / cw; ++k)
        DDStretchBlt(dst, k * cw, 0, cw, src->nHeight, src, (k + 1) * cw, 0, -cw, src->nHeight, 0);
    return true;
}

bool DDCheckErr(int code) {
    switch (code) {
        case CREATESURFACE_ERR: WriteEC("CREATESURFACE_ERR"); return false;
        case LOADIMAGE_ERR: WriteEC("LOADIMAGE_ERR"); return false;
        case SETCOLORKEY_ERR: WriteEC("SETCOLORKEY_ERR"); return false;
        default: return true;
    }
}

int DDCheckBitmapSize(int* larger, const char* path, int maxWidth, int maxHeight) {
    if (larger) *larger = 0;
    if (lpDTCon) return 1;
    int w = 0, h = 0;
    if (!ReadBmpSize(path ? path : "", &w, &h)) return 0;
    if (larger) *larger = (w > maxWidth || h > maxHeight) ? 1 : 0;
    return 1;
}

// ---- tables and containers -------------------------------------------------

bool DDLoadSurfaces(DDSURFACEDATA* array, const int* indices, int count) {
    if (!array || !indices) return count < 1;
    for (int k = 0; k < count; ++k) {
        const int i = indices[k];
        if (i < 0 || i >= DDG.nSurfaceCount || !DDG.lpSurfaceInfo) {
            WriteReportEC("DDLoadSurfaces index %d out of range (%d)", i, DDG.nSurfaceCount);
            return false;
        }
        DDReleaseSurface(&array[i]);
        const DDSURFACEINFO& d = DDG.lpSurfaceInfo[i];
        if (std::strcmp(d.szPath, "E") == 0) {
            if (!DDCreateSurface(&array[i], static_cast<int>(d.dwWidth), static_cast<int>(d.dwHeight),
                                 static_cast<int>(d.dwColorKey), d.dwDDMemory, d.dwDTMemory,
                                 static_cast<int>(d.dwNoTexture), 0) &&
                !d.dwTolerate) {
                OutOfMemory();
                return false;
            }
            continue;
        }
        // A tolerated entry without a file is a row without a picture.
        if (d.szPath[0] == '\0' && d.dwTolerate) continue;
        const int code = DDCreateSurfaceFromFile(&array[i], d.szPath, static_cast<int>(d.dwColorKey), DDG.nColorBit,
                                                 d.dwDDMemory, d.dwDTMemory, static_cast<int>(d.dwNoTexture),
                                                 static_cast<int>(d.dwIndexMap), static_cast<int>(d.dwMirrorWidth),
                                                 static_cast<int>(d.dwMirrorHeight), 0);
        if (!DDCheckErr(code) && !d.dwTolerate) {
            ErrMesBoxF("%s の読み込みに失敗！", d.szPath);
            return false;
        }
    }
    return true;
}

namespace {

DDSURFACEINFO BlankInfo(int colorKey, uint32_t ddMemory, uint32_t dtMemory, int noTexture) {
    return DDSURFACEINFO("", static_cast<uint32_t>(colorKey), ddMemory, dtMemory, static_cast<uint32_t>(noTexture),
                         0, 0, 0, 0, 0, 0);
}

}  // namespace

bool DDAddSurface(std::vector<DDSURFACEDATA>& records, std::vector<DDSURFACEINFO>& infos, int w, int h, int colorKey,
                  uint32_t ddMemory, uint32_t dtMemory, int noTexture) {
    records.emplace_back();
    infos.push_back(BlankInfo(colorKey, ddMemory, dtMemory, noTexture));
    return DDCreateSurface(&records.back(), w, h, colorKey, ddMemory, dtMemory, noTexture, 0);
}

bool DDAddSurfaceList(std::list<DDSURFACEDATA>& records, std::list<DDSURFACEINFO>& infos, int w, int h, int colorKey,
                      uint32_t ddMemory, uint32_t dtMemory, int noTexture) {
    records.emplace_back();
    infos.push_back(BlankInfo(colorKey, ddMemory, dtMemory, noTexture));
    return DDCreateSurface(&records.back(), w, h, colorKey, ddMemory, dtMemory, noTexture, 0);
}

bool DDInsertSurfaceList(std::list<DDSURFACEDATA>& records, std::list<DDSURFACEINFO>& infos, int index, int w, int h,
                         int colorKey, uint32_t ddMemory, uint32_t dtMemory, int noTexture) {
    const int count = static_cast<int>(records.size());
    if (index >= count) return DDAddSurfaceList(records, infos, w, h, colorKey, ddMemory, dtMemory, noTexture);
    if (index < 0 || static_cast<int>(infos.size()) < index) {
        WriteECAndClose("err L[%d] ( %d , %d )", index, count, 564);
        return false;
    }
    auto r = records.emplace(std::next(records.begin(), index));
    infos.insert(std::next(infos.begin(), index), BlankInfo(colorKey, ddMemory, dtMemory, noTexture));
    return DDCreateSurface(&*r, w, h, colorKey, ddMemory, dtMemory, noTexture, 0);
}

int DDEraseSurfaceList(std::list<DDSURFACEDATA>& records, std::list<DDSURFACEINFO>& infos, const DDSURFACEDATA* sd) {
    int index = 0;
    for (auto it = records.begin(); it != records.end(); ++it, ++index) {
        if (&*it != sd) continue;
        DDReleaseSurface(&*it);
        records.erase(it);
        if (index < static_cast<int>(infos.size())) infos.erase(std::next(infos.begin(), index));
        return 1;
    }
    return 0;
}

// ---- release ---------------------------------------------------------------

void DDFreeSurface(DDSURFACEDATA* sd) {
    if (!sd) return;
    sd->Surface.Clear();
    if (sd->lpDT || sd->lpDDS) DDSurfaceList().remove(sd);
    delete std::exchange(sd->lpDT, nullptr);
    delete std::exchange(sd->lpDDS, nullptr);
}

void DDReleaseSurface(DDSURFACEDATA* sd) { DDFreeSurface(sd); }

void DDReleaseSurfaceVector(std::vector<DDSURFACEDATA>& records) {
    for (auto& r : records) DDReleaseSurface(&r);
}

void DDReleaseSurfaceList(std::list<DDSURFACEDATA>& records) {
    for (auto& r : records) DDReleaseSurface(&r);
}
