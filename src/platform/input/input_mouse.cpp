#include "platform/input/input_mouse.h"

#include "platform/input/input_keys.h"
#include "platform/input/vkey.h"

namespace {

struct MOUSELATCHES {
    int32_t bPrevL = 0, bPrevR = 0;
    int32_t bLatchL = 0, bLatchR = 0;
};
MOUSELATCHES g_Latches;

struct CURSOR {
    bool bKnown = false;
    int x = 0, y = 0;
};
CURSOR g_Cursor;

void PressEdge(int32_t down, int32_t& latch, int32_t& pushed) {
    if (!down) {
        latch = 0;
        pushed = 0;
    } else if (!latch) {
        latch = 1;
        pushed = 1;
    } else {
        pushed = 0;
    }
}

}  // namespace

void UpdateMouseButtons(MOUSEDATA& mouse, unsigned mode) {
    g_Latches.bPrevL = mouse.bLDown;
    g_Latches.bPrevR = mouse.bRDown;
    if (mode & MOUSE_READ) {
        mouse.bLDown = IsKeyHeld(VK_LBUTTON) ? 1 : 0;
        mouse.bRDown = IsKeyHeld(VK_RBUTTON) ? 1 : 0;
    }
    if (mode & MOUSE_PRESS) {
        PressEdge(mouse.bLDown, g_Latches.bLatchL, mouse.bLPush);
        PressEdge(mouse.bRDown, g_Latches.bLatchR, mouse.bRPush);
    }
    if (mode & MOUSE_RELEASE) {
        mouse.bLUp = g_Latches.bPrevL == 1 && mouse.bLDown == 0;
        mouse.bRUp = g_Latches.bPrevR == 1 && mouse.bRDown == 0;
    }
}

void ResetMouseLatches() { g_Latches = MOUSELATCHES{}; }

bool GetLastCursorPos(int& x, int& y) {
    if (!g_Cursor.bKnown) return false;
    x = g_Cursor.x;
    y = g_Cursor.y;
    return true;
}

void SetLastCursorPos(int x, int y) { g_Cursor = CURSOR{true, x, y}; }
