#pragma once
// Showing finished frames. The game thread hands each finished back buffer
// over (DDSubmitFrame, called by DDPresent and DDFlip); the main thread
// uploads the newest one to one streaming texture and presents it,
// scaled to the window with nearest-pixel sampling and letterboxed to keep
// the picture's shape (DDPresentPending). The last frame handed over is kept for the frame dump.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/dd_surface.h"
#include "platform/system/native_window.h"

// One frame as 0x00RRGGBB pixels, top row first.
struct DDFRAME {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// Opens the presenter on a window (main thread); false when no renderer can be made.
bool DDOpenPresenter(NativeWindow* window, int vsync);
// Closes the presenter (main thread); frames handed over later are only kept.
void DDClosePresenter();
// True while a presenter is open.
bool DDHasPresenter();
// Hands a finished picture over (any thread); 8-bit pictures go through the hardware palette.
void DDSubmitFrame(const DDSURFACEDATA* sd);
// Presents the newest frame handed over, if any (main thread); true when one was presented.
bool DDPresentPending();
// Presents the newest frame handed over, else the one presented last again
// (main thread; the window was uncovered); true when one was presented.
bool DDPresentAgain();
// Installs a function called after each hand-over, an observer of the frames
// (the play fuzzer's watchdog); null for none. The game installs none.
void DDSetFrameNotify(void (*notify)());
// A copy of the last frame handed over; false when there was none.
bool DDGetLastFrame(DDFRAME* frame);
// Forgets the last frame (tests).
void DDResetFrames();
// Writes the last frame handed over as a 24-bit BMP to a native path; false when none or on failure.
bool DDWriteLastFrame(const std::string& nativePath);
// At exit: with QV_FRAME_DUMP=PATH set, writes the last frame there; true when written.
bool DDWriteFrameDump();
// Renders the frame last presented again and reads the window's pixels back (tests).
bool DDReadBackWindow(DDFRAME* frame);

// The window's screen mode: windowed, or full screen in the desktop's own
// mode (the picture is scaled) with the mouse cursor hidden.
void DDSetWindowScreenMode(NativeWindow* window, bool bWindowed);
// The refresh rate of the display the window is on; 0 when unknown.
int DDGetWindowRefreshRate(NativeWindow* window);
