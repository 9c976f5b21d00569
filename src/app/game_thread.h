#pragma once
// The game thread's body: it runs the scene manager's frames while the
// application is active, sleeps 1 ms while it is not, and ends on WM_QUIT
// (or its quit request). A frame that fails asks the main window to close.

// The body of thGame (param unused); returns 1.
unsigned GameLoop(void* param);
