#pragma once
// The host of the dialogs: the SDL window and renderer they are drawn in,
// and the events of the window's own loop that reach them. Main thread only.
#include <SDL.h>

#include <functional>

// Where dialogs are drawn; the window framework fills it in at start-up.
// Without a host a modal dialog opens a window of its own.
struct DIALOGHOST {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    // Draws the picture under the dialogs (the game's last frame).
    std::function<void(SDL_Renderer*)> drawBackdrop;
    // Serves an event during a nested loop (requests to the main window);
    // true when it took the event.
    std::function<bool(const SDL_Event&)> serveEvent;
};
void SetDialogHost(const DIALOGHOST& host);
void ResetDialogHost();
// Passes an event of the window's own loop to open modeless dialogs; true
// when a dialog took it.
bool DialogHostProcessEvent(const SDL_Event& e);
// Draws open modeless dialogs over the frame (before it is presented).
void DialogHostDrawModeless();

// The presenter's renderer (dd_present.h); null while it is closed.
SDL_Renderer* DDPresenterRenderer();
// Draws the newest frame handed to the presenter into its renderer, scaled
// and letterboxed as presented (the backdrop of dialogs); black before the
// first frame. Not presented.
void DDDrawPresenterBackdrop(SDL_Renderer* renderer);
// The presenter's renderer is going: a host drawing with it is reset.
void DialogHostRendererGone(SDL_Renderer* renderer);

// Virtual-key code of an SDL key code (0 when the dialogs have no use for it).
int DialogKeyToVk(int sdlKey);
