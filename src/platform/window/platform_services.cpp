#include "platform/window/platform_services.h"

#include <chrono>
#include <map>
#include <mutex>

#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/request_messages.h"
#include "platform/system/mesbox.h"
#include "platform/system/messages.h"
#include "platform/system/path.h"
#include "records/services.h"

namespace {

// A sound effect asked for again within a millisecond of its last request
// sounds the same as once: the repeat is not sent to the main thread. (A
// stage whose hundreds of characters hit each other would otherwise wait
// for the main thread tens of thousands of times in one frame.)
constexpr auto SE_REPEAT_WINDOW = std::chrono::milliseconds(1);

bool SoundDue(int n) {
    static std::mutex lock;
    static std::map<int, std::chrono::steady_clock::time_point> last;
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> guard(lock);
    auto [it, added] = last.try_emplace(n, now);
    if (!added && now - it->second < SE_REPEAT_WINDOW) return false;
    it->second = now;
    return true;
}

}  // namespace

void InstallPlatformRecordServices() {
    RECORDSERVICES s;
    s.WriteEC = [](const char* line) { WriteEC(line); };
    s.WriteReport = [](const char* line) { WriteReport("%s", line); };
    s.PostClose = [] { PostCloseMain(); };
    // The main window plays sound effect n.
    s.SendPlaySE = [](int n) {
        if (!SoundDue(n)) return 0;
        return static_cast<int>(SendMessageMain(WM_PLAY_SE, static_cast<WPARAM>(n), 0));
    };
    s.DebugMesBox = [](const char* text) { DebugMesBoxF("%s", text); };
    SetPathService(s);
    SetRecordServices(s);
}
