#include "platform/graphics/dd_init.h"

#include <cstring>

#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_present.h"
#include "platform/system/chrono_types.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/timer.h"

PIXELLAYOUT PixelLayout;
PIXELLAYOUT BackPixelLayout;
DTCONTROL* lpDTCon = nullptr;
DDCONTROL* lpDDCon = nullptr;
DDGLOBAL DDG;

DDSURFACEDATA PrimarySD;
DDSURFACEDATA BackBuffer;
DDSURFACEDATA ScreenCopySD;
DDSURFACEDATA VirBackBuffer;
DDSURFACEDATA WorkSD;

namespace {

// Result codes of the DirectDraw set-up.
enum { INIT_OK = 0, CREATEEX_ERR = 1, SETCOOPLEVEL_ERR = 2, SETDISPLAYMODE_ERR = 3, CREATESURFACE_ERR_ = 4,
       GETATTACHEDSURFACE_ERR = 5, CREATEPALETTE_ERR = 6, SETPALETTE_ERR = 7, CLIPPER_ERR = 10, SETHWND_ERR = 11,
       SETCLIPPER_ERR = 12 };

void NameRecord(DDSURFACEDATA* sd, const char* name) { std::snprintf(sd->szName, sizeof sd->szName, "%s", name); }

// Full screen is the desktop's own mode: the window covers it and the picture is scaled.
void SetFullScreen() {
    if (!DDG.hWnd) return;
    DDSetWindowScreenMode(DDG.hWnd, DDG.bWindow != 0);
}

// A screen-sized record with pixels of the current format (DirectDraw rules).
bool MakeScreenRecord(DDSURFACEDATA* sd, uint32_t memory) {
    DDReleaseSurface(sd);
    DDAllocSurfaceData(sd);
    if (!sd->Surface.Allocate(dd::SurfaceFormat(), DDG.nWidth, DDG.nHeight)) return false;
    sd->nWidth = sd->nTexWidth = DDG.nWidth;
    sd->nHeight = sd->nTexHeight = DDG.nHeight;
    sd->dwMemoryType = memory;
    return true;
}

int InitDirectDraw() {
    if (DDG.nColorBit != 8 && DDG.nColorBit != 32) {
        WriteReportEC("SetDisplayMode Err");
        return SETDISPLAYMODE_ERR;
    }
    if (!MakeScreenRecord(&PrimarySD, 0) || !MakeScreenRecord(&BackBuffer, 0)) {
        WriteReportEC("Primary CreateSurface Err");
        return CREATESURFACE_ERR_;
    }
    if (!MakeScreenRecord(&ScreenCopySD, 1)) return CREATESURFACE_ERR_;
    PALETTEENTRY pal[256];
    for (int i = 0; i < 256; ++i) {
        const bool fixed = DDG.bWindow && (i < 10 || i > 245);
        pal[i].peRed = static_cast<uint8_t>(i);
        pal[i].peGreen = fixed ? 0 : static_cast<uint8_t>(i);
        pal[i].peBlue = 0;
        pal[i].peFlags = fixed ? PC_EXPLICIT : PC_RESERVED;
    }
    if (!DDG.bWindow) pal[0].peBlue = 255;
    DDSetPaletteEntries(0, 256, pal);
    if (DDG.nColorBit == 32) PixelLayout = PIXELLAYOUT{16, 8, 0, 0, 255, 255, 255, 0};
    return INIT_OK;
}

bool InitD3D() {
    if (DDG.nColorBit != 32) return false;
    lpDTCon = new DTCONTROL;
    if (DDG.hWnd && DDG.bWindow && DDG.bVSync) {
        const int rate = DDGetWindowRefreshRate(DDG.hWnd);
        if (rate != 0) {
            WriteReportEC("RefreshRate : %d", rate);
            if (rate != 60) {
                DDG.bVSync = 0;
                WriteReportEC("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！");
            }
        }
    }
    PixelLayout = PIXELLAYOUT{16, 8, 0, 24, 255, 255, 255, 255};
    BackPixelLayout = PIXELLAYOUT{};
    WriteReportEC("Device HAL-HARD");
    WriteReportEC("X8R8G8B8");
    DDSetDeviceStates();
    DDResetDiffuseColor();
    DDResetColorOp();
    DDResetAlphaOp();

    DDReleaseSurface(&BackBuffer);
    DDAllocSurfaceData(&BackBuffer);
    BackBuffer.nWidth = BackBuffer.nTexWidth = DDG.nWidth;
    BackBuffer.nHeight = BackBuffer.nTexHeight = DDG.nHeight;
    BackBuffer.dwMemoryType = 0;
    NameRecord(&BackBuffer, "BackBuffer");
    BackBuffer.lpDT->dwSerial = 0;
    BackBuffer.lpDT->bColorKey = 0;
    BackBuffer.lpDT->bRenderTarget = 1;
    BackBuffer.lpDT->bTexture = 1;
    if (!BackBuffer.Surface.Allocate(DDFMT_ARGB8888, DDG.nWidth, DDG.nHeight)) return false;
    lpDTCon->dwSurfaceCounter = 1;

    DDReleaseSurface(&VirBackBuffer);
    DDAllocSurfaceData(&VirBackBuffer);
    DDSelectBackBuffer(0);
    lpDTCon->bCopying = 0;
    DDCreateSurface(&VirBackBuffer, DDG.nWidth, DDG.nHeight, 0, 0, 0, 0, 0);
    NameRecord(&VirBackBuffer, "VirBackBuffer");
    DDReleaseSurface(&WorkSD);
    DDAllocSurfaceData(&WorkSD);
    DDCreateSurface(&WorkSD, DDG.nWidth, DDG.nHeight, 0, 0, 0, 0, 0);
    NameRecord(&WorkSD, "WorkSD");
    return true;
}

}  // namespace

bool DDCheckInitErr(int code) {
    const char* name = nullptr;
    switch (code) {
        case CREATEEX_ERR: name = "CREATEEX_ERR"; break;
        case SETCOOPLEVEL_ERR: name = "SETCOOPLEVEL_ERR"; break;
        case SETDISPLAYMODE_ERR: name = "SETDISPLAYMODE_ERR"; break;
        case CREATESURFACE_ERR_: name = "CREATESURFACE_ERR"; break;
        case GETATTACHEDSURFACE_ERR: name = "GETATTACHEDSURFACE_ERR"; break;
        case CREATEPALETTE_ERR: name = "CREATEPALETTE_ERR"; break;
        case SETPALETTE_ERR: name = "SETPALETTE_ERR"; break;
        case CLIPPER_ERR: name = "CLIPPER_ERR"; break;
        case SETHWND_ERR: name = "SETHWND_ERR"; break;
        case SETCLIPPER_ERR: name = "SETCLIPPER_ERR"; break;
        default: return true;
    }
    WriteEC(name);
    return false;
}

bool DDInit(int bDirect3D, NativeWindow* hWnd, int width, int height, int depth, int vsync, int windowMode,
            int backBufferCount, int refreshRate, int setRefresh, DDSURFACEDATA* surfaces,
            const DDSURFACEINFO* infos, int count) {
    if (DDG.bOnce) DDEnd();
    DDG.bDirect3D = bDirect3D;
    DDG.hWnd = hWnd;
    DDG.nWidth = width > 0 ? width : 640;
    DDG.nHeight = height > 0 ? height : 480;
    // A depth of 16 runs at 32: every 16-bit rule has a 32-bit twin and the picture looks the same.
    if (depth == 16) {
        WriteReport("ColorBit 16 -> 32 (16-bit colour runs at 32 bits)");
        depth = 32;
    }
    DDG.nColorBit = depth;
    DDG.nBytePerPixel = depth / 8;
    DDG.bVSync = vsync;
    DDG.bWindow = windowMode;
    DDG.nBackBufferCount = backBufferCount;
    DDG.nRefreshRate = refreshRate;
    DDG.bSetRefresh = setRefresh;
    DDG.lpSurfaceArray = surfaces;
    DDG.lpSurfaceInfo = infos;
    DDG.nSurfaceCount = surfaces && infos && count > 0 ? count : 0;
    WriteReportEC("VSync : %d", vsync);

    if (!bDirect3D) {
        if (windowMode == 0 || windowMode == 1) {
            lpDDCon = new DDCONTROL;
            if (!DDCheckInitErr(InitDirectDraw())) return false;
        }
    } else if (!InitD3D()) {
        return false;
    }
    DDG.bInit = 1;
    DDG.bOnce = 1;
    if (hWnd) DDOpenPresenter(hWnd, DDG.bVSync);
    // After the presenter: making its renderer can make the window anew.
    SetFullScreen();
    return true;
}

void DDEnd() {
    DDClosePresenter();
    DDResetBatches();
    for (int i = 0; DDG.lpSurfaceArray && i < DDG.nSurfaceCount; ++i) DDReleaseSurface(&DDG.lpSurfaceArray[i]);
    DDG.lpSurfaceArray = nullptr;
    DDG.lpSurfaceInfo = nullptr;
    DDG.nSurfaceCount = 0;
    if (lpDDCon) {
        DDReleaseSurface(&BackBuffer);
        DDReleaseSurface(&PrimarySD);
        DDReleaseSurface(&ScreenCopySD);
        delete lpDDCon;
        lpDDCon = nullptr;
    }
    if (lpDTCon) {
        DDReleaseSurface(&WorkSD);
        DDReleaseSurface(&VirBackBuffer);
        DDReleaseSurface(&BackBuffer);
        delete lpDTCon;
        lpDTCon = nullptr;
    }
    DDG.bInit = 0;
}

void DDExit() { DDEnd(); }

void DDResetForTest() {
    DDEnd();
    for (DDSURFACEDATA* sd : {&PrimarySD, &BackBuffer, &ScreenCopySD, &VirBackBuffer, &WorkSD}) {
        DDReleaseSurface(sd);
        *sd = DDSURFACEDATA{};
    }
    DDG = DDGLOBAL{};
    PixelLayout = PIXELLAYOUT{};
    BackPixelLayout = PIXELLAYOUT{};
    DDResetPalettes();
    DDResetFrames();
}

void DDSelectBackBuffer(int on) {
    if (!lpDTCon) return;
    if (lpDTCon->bVirtualMode && !on && VirBackBuffer.HasSurface()) DDCopyVirBackBuffer();
    lpDTCon->bVirtualMode = on ? 1 : 0;
    lpDTCon->lpCurrentTarget = on ? &VirBackBuffer : &BackBuffer;
    if (lpDTCon->lpCurrentTarget->HasSurface()) DDSetRenderTarget(0, lpDTCon->lpCurrentTarget);
}

int DDRedirectBackBuffer(DDSURFACEDATA** dst) {
    if (!lpDTCon || !dst || !lpDTCon->bVirtualMode || *dst != &BackBuffer) return 0;
    *dst = &VirBackBuffer;
    return 1;
}

void DDCopyVirBackBuffer() {
    if (!lpDTCon) return;
    lpDTCon->bCopying = 1;
    DDSetAlphaOp(D3DTOP_DISABLE);
    DDBlt(&BackBuffer, 0, 0, VirBackBuffer.nWidth, VirBackBuffer.nHeight, &VirBackBuffer, 0, 0, 0);
    DDResetAlphaOp();
    lpDTCon->bCopying = 0;
}

int DDBeginScene() {
    if (!lpDTCon) return 0;
    lpDTCon->bInScene = 1;
    return 1;
}

void DDEndScene() {
    if (lpDTCon) lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(int, DDSURFACEDATA* sd) {
    if (!dd::IsRenderTarget(sd)) return 0;
    lpDTCon->lpRenderTarget = sd;
    return 1;
}

void DDSetDeviceStates() {}

int DDPresent(int fps, int, int) {
    if (!lpDTCon) return 1;
    if (lpDTCon->bVirtualMode) DDCopyVirBackBuffer();
    DDG.bLastVirtualMode = lpDTCon->bVirtualMode;
    // Presenting never blocks the game thread, so the pacing gate runs with VSync on as well.
    FramePacePacer().Wait(fps > 0 ? static_cast<uint32_t>(fps) : 0);
    DDEndScene();
    DDSubmitFrame(&BackBuffer);
    return 1;
}

void DDFlip() {
    if (lpDTCon || !lpDDCon || !BackBuffer.HasSurface()) return;
    DDSubmitFrame(&BackBuffer);
}

int DDSetDialogMode(int on) {
    if (lpDTCon && on) DDEndScene();
    return 1;
}

int DDMesBox(const char* text, const char* caption, unsigned style) {
    if (!DDSetDialogMode(1)) {
        WriteECf("DDMesBox 失敗! %s, %s", text ? text : "", caption ? caption : "");
        return 0;
    }
    MesBox(text ? text : "", caption ? caption : "", style);
    DDSetDialogMode(0);
    return 1;
}
