#pragma once
// Window styles, rectangles and the further message codes of the window
// framework, with the values the Windows API gives them.
#include <cstdint>

#include "platform/system/messages.h"
#include "platform/system/native_window.h"

// A window handle is the native window behind it.
using HWND = NativeWindow*;

enum : uint32_t {
    WS_OVERLAPPED = 0x00000000,
    WS_MAXIMIZEBOX = 0x00010000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_THICKFRAME = 0x00040000,
    WS_SYSMENU = 0x00080000,
    WS_HSCROLL = 0x00100000,
    WS_VSCROLL = 0x00200000,
    WS_DLGFRAME = 0x00400000,
    WS_BORDER = 0x00800000,
    WS_CAPTION = 0x00C00000,
    WS_MAXIMIZE = 0x01000000,
    WS_DISABLED = 0x08000000,
    WS_VISIBLE = 0x10000000,
    WS_MINIMIZE = 0x20000000,
    WS_POPUP = 0x80000000,
};

// Message codes beyond messages.h that the framework dispatches or names.
enum : uint32_t {
    WM_GETMINMAXINFO = 0x0024,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_QUERYNEWPALETTE = 0x030F,
    WM_PALETTECHANGED = 0x0311,
};

// wParam of WM_SIZE.
enum : uint32_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
// Button flags in wParam of the mouse messages.
enum : uint32_t { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8 };

struct POINT {
    int32_t x = 0, y = 0;
};
struct RECT {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct MINMAXINFO {
    POINT ptReserved, ptMaxSize, ptMaxPosition, ptMinTrackSize, ptMaxTrackSize;
};

// Packs two 16-bit values as the mouse and size messages carry them.
inline LPARAM MAKELPARAM(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<int32_t>((static_cast<uint32_t>(hi) << 16) | (static_cast<uint32_t>(lo) & 0xFFFF)));
}
inline int LOWORD(uintptr_t v) { return static_cast<int>(v & 0xFFFF); }
inline int HIWORD(uintptr_t v) { return static_cast<int>((v >> 16) & 0xFFFF); }
