#include "scene/window_requests.h"

#include "platform/system/thread_messages.h"
#include "platform/window/main_thread_messages.h"

std::atomic<uint32_t> bAppActive{0};
std::atomic<uint32_t> dwRequestDone{0};
std::atomic<uint32_t> dwRequestResult{0};
std::atomic<uint32_t> dwNameDone{0};
std::atomic<int32_t> nStageBgm{0};
std::atomic<int32_t> nStageBgmLoop{1};

uint32_t RequestDialog(uint32_t msg, WPARAM wParam) {
    std::atomic<uint32_t>& done = msg == WM_NAME_DIALOG ? dwNameDone : dwRequestDone;
    done = 0;
    SendMessageMain(msg, wParam, 0);
    // A closing program answers no more: the thread is being ended.
    while (!done.load() && !IsQuitRequested()) Sleep(1);
    return msg == WM_NAME_DIALOG ? done.load() : (done.load() ? dwRequestResult.load() : 0);
}

void ResetWindowRequests() {
    bAppActive = 0;
    dwRequestDone = dwRequestResult = dwNameDone = 0;
    nStageBgm = 0;
    nStageBgmLoop = 1;
}
