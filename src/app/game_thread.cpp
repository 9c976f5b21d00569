#include "app/game_thread.h"

#include "app/main_window.h"
#include "app/startup_log.h"
#include "platform/system/log.h"
#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"
#include "scene/scene_manager.h"

unsigned GameLoop(void*) {
    MSG msg;
    bool bFirst = true;
    for (;;) {
        if (PeekMessage(&msg, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            continue;  // WM_APP and the like: dropped unread
        }
        if (IsQuitRequested()) break;
        if (bAppActive.load()) {
            if (!SceneManager.Frame()) {
                PostCloseMain();
                return 1;
            }
            if (bFirst) StartupLogMark("first frame drawn");
            bFirst = false;
        } else {
            Sleep(1);
        }
    }
    WriteEC("GameLoop WM_QUIT!");
    return 1;
}
