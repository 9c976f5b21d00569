#pragma once
// Turns SDL's window, keyboard, mouse and joystick events into the key and
// joystick snapshots and into window messages for the window they belong to.
// Main thread only.
#include <SDL.h>

class cWindow;

// Feeds one SDL event to the snapshots and to its window's procedure.
void DispatchSdlEvent(const SDL_Event& event);
// Makes window events of the SDL window with this id go to pWindow (null: none).
void RegisterSdlWindow(unsigned windowId, cWindow* pWindow);
// The window registered for an SDL window id; null when none.
cWindow* FindSdlWindow(unsigned windowId);
// Runs the event when it is a request to the main window (a post or a
// send); false, doing nothing, for any other event.
bool ServeRequestEvent(const SDL_Event& event);
