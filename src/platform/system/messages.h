#pragma once
// Window and thread message codes, with the values the Windows API gives them,
// and the message record that thread queues and the window procedure carry.
#include <cstdint>

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ACTIVATEAPP = 0x001C,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

struct MSG {
    uint32_t message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
