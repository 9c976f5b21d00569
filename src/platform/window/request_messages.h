#pragma once
// The requests other threads send the main window: dialogs, sound effects,
// music and the Direct3D device reset. The window's procedure that serves
// them lives with the program's start (app/main_window).
#include <cstdint>

#include "platform/system/messages.h"

enum : uint32_t {
    WM_NAME_DIALOG = WM_USER + 1,    // ranking-name dialog
    WM_PLAY_FILE = WM_USER + 2,      // free play: stage or replay chooser
    WM_LOAD_REPLAY = WM_USER + 3,    // replay chooser
    WM_SAVE_REPLAY = WM_USER + 4,    // replay save (wParam 0 current, 1 previous key log)
    WM_PLAY_SE = WM_USER + 5,        // sound effect wParam
    WM_PLAY_BGM = WM_USER + 6,       // music scene wParam (4: stage music lParam)
    WM_RESTORE_DEVICE = WM_USER + 100,
};
