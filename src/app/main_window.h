#pragma once
// The main window and its procedure on the main thread. Besides the window's
// own duties (placement, painting, activation, closing) it serves the game
// thread: dialogs (WM_NAME_DIALOG..WM_SAVE_REPLAY), sound effects
// (WM_PLAY_SE), music (WM_PLAY_BGM) and the Direct3D device reset
// (WM_RESTORE_DEVICE), each asked for with a send that the asking thread waits on. WM_CLOSE ends every thread in
// order and destroys the window; a close that arrives while a request is
// served (from a nested loop) or while the program starts is held back
// until that is over.
#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/window/window.h"
#include "scene/window_requests.h"

class cMainWindow : public cWindow {
public:
    LRESULT WndProc(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) override;
    // Whether WM_CREATE has come.
    bool IsCreated() const { return m_bCreated; }
    // Held back: closes once the start-up is done (called by the start-up).
    void EndStartup();
    // Clears the flags (tests).
    void ResetState();
    // Runs a modal dialog or message box on the main thread as a request is
    // served: a close that comes from its nested loop waits until it ends.
    int RunModal(const std::function<int()>& run);

private:
    void OnClose();
    void OnMusic(WPARAM wParam, LPARAM lParam);
    void OnDialogRequest(uint32_t msg, WPARAM wParam);
    bool m_bCreated = false;
    int m_nServing = 0;           // requests being served (nested loops)
    bool m_bCloseHeld = false;    // a close came meanwhile
};

// The main window object and its handle (null once WM_DESTROY has run).
extern cMainWindow MainWindow;
extern std::atomic<HWND> hWndMain;
// Set once the start-up succeeded.
extern std::atomic<uint8_t> bInitDone;
// The window's client area on the screen, refreshed by WM_MOVE.
extern RECT rcClient;

// The work of a dialog request (WM_NAME_DIALOG..WM_SAVE_REPLAY): runs the dialog on the main
// thread and does what it confirms; 1 confirmed, 0 cancelled. The window
// runs it with the graphics in dialog mode and the worker threads suspended.
using DIALOGREQUEST = int (*)(WPARAM wParam);
// Installs the handler of request msg (WM_NAME_DIALOG..WM_SAVE_REPLAY; null: none, the
// request is answered 0 with a report line).
void SetDialogRequest(uint32_t msg, DIALOGREQUEST handler);

// The window destroyed and every global here back to its start state (tests).
void ResetMainWindowState();

// Main thread, once the graphics are up: message boxes (from any thread) and
// dialogs are drawn in the main window from now on, over the last frame;
// false when they cannot be (SDL's message box stays).
bool OpenWindowDialogs();
// Back to SDL's message box and dialogs in windows of their own; before the
// main window or the graphics go.
void CloseWindowDialogs();

// Suspends, or resumes, thGame, thPause, thRankEntry and thLoadStage in this order.
void SuspendThreads();
void ResumeThreads();
