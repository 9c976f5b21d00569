#pragma once
// The mouse state a framework window keeps: the cursor in client
// coordinates and the two buttons held, pressed and released. The press
// latches and previous states are shared by all windows. Main thread only.
#include <cstdint>

struct MOUSEDATA {
    int32_t x = 0, y = 0;          // cursor in client coordinates
    int32_t bLDown = 0, bRDown = 0;
    int32_t bLPush = 0, bRPush = 0;  // went down at this update
    int32_t bLUp = 0, bRUp = 0;      // went up at this update
};

// Mode bits of UpdateMouseButtons.
enum : unsigned { MOUSE_READ = 1, MOUSE_PRESS = 2, MOUSE_RELEASE = 4 };

// Updates the button flags of mouse: 1 reads the held buttons, 2 the press
// edges, 4 the release edges.
void UpdateMouseButtons(MOUSEDATA& mouse, unsigned mode);
// Forgets the shared latches (tests).
void ResetMouseLatches();

// Main thread: the last cursor position seen in window coordinates, kept
// from the window's mouse events; false before the first one.
bool GetLastCursorPos(int& x, int& y);
// Main thread: remembers the cursor position of a mouse event.
void SetLastCursorPos(int x, int y);
