#pragma once
// The graphics back end: the global state every DD function consults, the
// five screen records, DDInit / DDEnd, the render-target selection of the
// Direct3D rules and the hand-over of finished frames. Both back ends are
// one software renderer; lpDTCon (Direct3D rules) or lpDDCon (DirectDraw
// rules) tells which rules apply, exactly one of them after DDInit.
//
// The application frame: calls DDInit on the main thread with the main
// window (the presenter opens on it), DDPresent (Direct3D) or DDFlip
// (DirectDraw) at the end of each frame on the game thread, and
// DDPresentPending (dd_present.h) on the main thread as it serves its
// events; at exit DDWriteFrameDump, then DDEnd.
#include <cstdint>

#include "platform/graphics/dd_surface.h"
#include "platform/system/native_window.h"

// Shifts and largest values of the colour components of a pixel.
struct PIXELLAYOUT {
    uint32_t dwRShift = 0, dwGShift = 0, dwBShift = 0, dwAShift = 0;
    uint32_t dwRMax = 0, dwGMax = 0, dwBMax = 0, dwAMax = 0;
};
extern PIXELLAYOUT PixelLayout;      // surfaces and textures
extern PIXELLAYOUT BackPixelLayout;  // the Direct3D back buffer at 16 bits (never used: 16 runs at 32)

struct DDRGBTRIPLE {
    uint8_t rgbtBlue = 0, rgbtGreen = 0, rgbtRed = 0;
};

// Draw-state values of the Direct3D rules (texture operations).
enum : uint32_t {
    D3DTOP_DISABLE = 1, D3DTOP_SELECTARG1 = 2, D3DTOP_SELECTARG2 = 3, D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5, D3DTOP_MODULATE4X = 6, D3DTOP_ADD = 7, D3DTOP_ADDSIGNED = 8,
    D3DTOP_ADDSIGNED2X = 9, D3DTOP_SUBTRACT = 10,
};

// State block of the Direct3D rules.
struct DTCONTROL {
    int bPow2Textures = 0;               // textures must have power-of-two sides
    int bSquareTextures = 0;             // textures must be square
    int nMaxTextureWidth = 16384;        // largest texture
    int nMaxTextureHeight = 16384;
    int bVirtualMode = 0;                // virtual back buffer mode (DDSelectBackBuffer)
    DDSURFACEDATA* lpCurrentTarget = nullptr;  // the target when no other is asked for
    int bCopying = 0;                    // VirBackBuffer is being copied onto BackBuffer
    DDRGBTRIPLE rgbTransmit;             // transparent colour
    DDRGBTRIPLE rgbKey16;                // 16-bit key colour (kept for callers)
    uint32_t dwClearColor = 0;           // colour that cleared textures get (transparent black)
    uint32_t dwKeyColor = 0xFF000000;    // 0xFF000000 + the transparent colour
    uint16_t wTransmit_16 = 0;
    uint16_t wKey16 = 0;
    int bInScene = 0;                    // between DDBeginScene and DDEndScene
    uint32_t dwDiffuse = 0xFFFFFFFF;     // vertex colour of the following draws
    uint32_t dwColorOp = D3DTOP_MODULATE;
    uint32_t dwAlphaOp = D3DTOP_SELECTARG1;
    uint32_t dwSurfaceCounter = 1;       // next serial number of a texture record
    DDSURFACEDATA* lpRenderTarget = nullptr;  // the render target set last
};

// State block of the DirectDraw rules.
struct DDCONTROL {
    DDRGBTRIPLE rgbTransmit;  // transparent colour
    DDRGBTRIPLE rgbKey16;     // 16-bit key colour (kept for callers)
    uint32_t dwTextWord = 0;  // kept by the text drawer
};

extern DTCONTROL* lpDTCon;
extern DDCONTROL* lpDDCon;

// The graphics globals.
struct DDGLOBAL {
    int bDirect3D = 0;        // 1 = Direct3D rules
    int bInit = 0;            // set by a successful DDInit
    NativeWindow* hWnd = nullptr;
    int nWidth = 640, nHeight = 480;
    int nColorBit = 32;       // the depth in force: 8 or 32 (16 runs at 32)
    int nBytePerPixel = 4;
    int bWindow = 1;          // 0 full screen (desktop), 1 window
    int nBackBufferCount = 1;
    int bVSync = 0;
    int nRefreshRate = 60;
    int bSetRefresh = 0;
    DDSURFACEDATA* lpSurfaceArray = nullptr;   // the common bitmaps
    const DDSURFACEINFO* lpSurfaceInfo = nullptr;
    int nSurfaceCount = 0;
    uint32_t dwColorKey = 0;  // DirectDraw colour key as a pixel value of the depth (0x00RRGGBB at 32)
    int bLastVirtualMode = 0;
    int bOnce = 0;
};
extern DDGLOBAL DDG;

// The screen records.
extern DDSURFACEDATA PrimarySD;     // DirectDraw: the visible surface (its pixels are the last frame shown)
extern DDSURFACEDATA BackBuffer;    // destination of all game drawing
extern DDSURFACEDATA ScreenCopySD;  // DirectDraw: work copy of the screen for fades
extern DDSURFACEDATA VirBackBuffer; // Direct3D: takes the drawing in virtual back buffer mode
extern DDSURFACEDATA WorkSD;        // Direct3D: screen-sized work render target

// True under the Direct3D rules, false under DirectDraw (or before DDInit).
inline bool DDIsD3D() { return lpDTCon != nullptr; }
// Current colour depth (8 or 32 once DDInit ran).
inline int DDGetColorBit() { return DDG.nColorBit; }

// Starts the back end; false when the settings cannot be had (a depth of 24, an unknown mode).
bool DDInit(int bDirect3D, NativeWindow* hWnd, int width, int height, int depth, int vsync, int windowMode,
            int backBufferCount, int refreshRate, int setRefresh, DDSURFACEDATA* surfaces,
            const DDSURFACEINFO* infos, int count);
// Ends the back end and releases every screen record and common bitmap.
void DDEnd();
void DDExit();
// Back to the state before DDInit, global records released (tests).
void DDResetForTest();

// Writes the DDCheckInitErr code's name to the error log; false for a failure code.
bool DDCheckInitErr(int code);

// Virtual back buffer mode: on, drawing aimed at BackBuffer lands in VirBackBuffer.
void DDSelectBackBuffer(int on);
// Replaces *dst by VirBackBuffer in virtual mode when it is BackBuffer; 1 when replaced.
int DDRedirectBackBuffer(DDSURFACEDATA** dst);
// Copies VirBackBuffer onto BackBuffer with its alpha ignored.
void DDCopyVirBackBuffer();
// Scene guards of the Direct3D rules; DDBeginScene gives 0 without Direct3D.
int DDBeginScene();
void DDEndScene();
// Makes a render-target record the target; 1 set, 0 not a render target.
int DDSetRenderTarget(int unused, DDSURFACEDATA* sd);
// Default draw states (nothing to set in software; kept for callers).
void DDSetDeviceStates();
// Ends the frame under Direct3D: copies the virtual back buffer, paces, hands BackBuffer over; 1.
int DDPresent(int fps, int a, int b);
// Shows BackBuffer under DirectDraw (in place of the flip or the blit to the primary).
void DDFlip();
// Shows a message box while the graphics own the screen; 1 shown.
int DDMesBox(const char* text, const char* caption, unsigned style);
// Lets a window box show over the screen (1) or ends that (0); 1 done.
int DDSetDialogMode(int on);
