#pragma once
// A NativeWindow is an SDL window: the casts between the two handles.
#include <SDL.h>

#include "platform/system/native_window.h"

inline SDL_Window* SdlWindowOf(NativeWindow* window) { return reinterpret_cast<SDL_Window*>(window); }
inline NativeWindow* NativeWindowOf(SDL_Window* window) { return reinterpret_cast<NativeWindow*>(window); }
