#include "platform/window/platform_services.h"

#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"
#include "platform/system/mesbox.h"
#include "platform/system/messages.h"
#include "platform/system/path.h"
#include "records/services.h"

void InstallPlatformRecordServices() {
    RECORDSERVICES s;
    s.WriteEC = [](const char* line) { WriteEC(line); };
    s.WriteReport = [](const char* line) { WriteReport("%s", line); };
    s.PostClose = [] { PostCloseMain(); };
    // WM_USER+5: the main window plays sound effect n.
    s.SendPlaySE = [](int n) { return static_cast<int>(SendMessageMain(WM_USER + 5, static_cast<WPARAM>(n), 0)); };
    s.DebugMesBox = [](const char* text) { DebugMesBoxF("%s", text); };
    SetPathService(s);
    SetRecordServices(s);
}
