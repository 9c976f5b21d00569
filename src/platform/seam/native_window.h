#pragma once
// A NativeWindow is an SDL window: the casts between the two handles.
#include <SDL.h>

#include <cstring>

#include "platform/system/native_window.h"

inline SDL_Window* SdlWindowOf(NativeWindow* window) { return reinterpret_cast<SDL_Window*>(window); }
inline NativeWindow* NativeWindowOf(SDL_Window* window) { return reinterpret_cast<NativeWindow*>(window); }

// The software renderer draws into the window's own surface (shared memory
// under X11) instead of handing it to an OpenGL texture: no GL driver and
// none of its threads are started for a picture made in software. Call
// before the first window.
inline void SoftwareWindowSurfaces() { SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0"); }

// SDL's video driver draws nowhere (dummy or offscreen): no one sees the
// window, so its frames are made in software, with no GL driver behind them.
inline bool SdlDrawsNowhere() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}
