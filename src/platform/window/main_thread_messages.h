#pragma once
// Messages to the main window from any thread. The main thread owns SDL:
// it pumps events, turns them into window messages and runs the window
// procedure. Other threads post requests (WM_CLOSE, WM_USER+1..+6,
// WM_USER+100) as SDL user events, which SDL queues thread-safely; a
// blocking send is a request with a completion signal. Every wait loop of
// the main thread keeps serving requests (ServeMainThreadRequests), so a
// sender is never left waiting on a main thread that waits for it.
#include <cstdint>
#include <functional>

#include "platform/window/window_defs.h"

class cWindow;

// Starts SDL's video, joystick and event subsystems on the calling thread,
// which becomes the main thread; opens the joysticks present. false (with a
// report line) when SDL cannot start.
bool InitWindowSystem();
// Closes the joysticks and stops what InitWindowSystem started.
void EndWindowSystem();
// InitWindowSystem for the life of the object.
class cWindowSystem {
public:
    cWindowSystem() : m_bOk(InitWindowSystem()) {}
    ~cWindowSystem() {
        if (m_bOk) EndWindowSystem();
    }
    cWindowSystem(const cWindowSystem&) = delete;
    cWindowSystem& operator=(const cWindowSystem&) = delete;
    // Whether SDL started.
    bool Ok() const { return m_bOk; }

private:
    bool m_bOk;
};
// Whether the caller is the main thread.
bool IsMainThread();

// The window that requests go to (null: none; pending sends are answered 0).
void SetMainWindow(cWindow* pWindow);
cWindow* GetMainWindow();

// Queues msg for the main window; false when it cannot be queued.
bool PostMessageMain(uint32_t msg, WPARAM wParam, LPARAM lParam);
// Runs msg in the main window's procedure and returns its result. From the
// main thread the procedure is called at once; from another thread the
// caller waits until the main thread has run it. 0 at once, or when the
// window goes away first, when there is no main window.
LRESULT SendMessageMain(uint32_t msg, WPARAM wParam, LPARAM lParam);
// Runs call on the main thread and returns its result: at once from the main
// thread, else served like a send (message boxes and dialogs asked for by
// other threads). 0 without running it once the main window is gone.
LRESULT CallOnMainThread(const std::function<LRESULT()>& call);
// PostMessageMain(WM_CLOSE): the close request of the record layer and fatal paths.
void PostCloseMain();

// Main thread: serves every event waiting; 0 once a quit has been posted.
int PumpMainMessages();
// Main thread: waits up to timeoutMs for an event, then PumpMainMessages.
int WaitMainMessage(int timeoutMs);
// Main thread: serves only the requests waiting (for wait loops that must
// not handle the window's own events); nothing on other threads.
void ServeMainThreadRequests();

// Asks the main loop to end with exitCode.
void PostQuitMessageMain(int exitCode);
// Whether a quit was posted, and its code.
bool IsQuitPosted();
int GetQuitCode();
// Back to the start-up state: the window system ended, no main window, no
// quit posted, pending sends answered 0 (tests).
void ResetMainThreadMessages();

// Whether the application counts as active from the start: with no window
// manager there are no focus events (SDL_VIDEODRIVER dummy or offscreen),
// and automated runs (QV_FAST=1) never wait for focus (they also stay active
// when the window loses it).
bool IsActiveFromStart();

// Internal to the window framework: the main window's SDL window is gone;
// every waiting send is answered 0 and later sends return 0 at once.
void MainWindowDestroyed();
