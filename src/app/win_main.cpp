#include "app/win_main.h"

#include <cstdlib>

#include "app/game_thread.h"
#include "app/init_app.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/startup_log.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_present.h"
#include "platform/input/input_script.h"
#include "platform/sound/midi_synth.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/sysreport.h"
#include "platform/system/thread_messages.h"
#include "platform/system/timer.h"
#include "platform/window/dialog.h"
#include "platform/window/main_thread_messages.h"
#include "platform/window/platform_services.h"
#include "records/services.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"

namespace {

constexpr int kFailedStart = 1;
constexpr int kFaultEnd = 2;  // closed because of a fault in the game's data, or no memory

// Ends every thread that may still run and the window, when the loop was
// left some other way than the window's close.
void EndLeftovers() {
    thLoadStage.Exit();
    thPause.Exit();
    thRankEntry.Exit();
    thGame.Exit(cThread::GAME_EXIT_TRIES);
    if (MainWindow.Exists()) MainWindow.Destroy();
}

void MessageLoop() {
    // Every pass serves the waiting events and requests and shows the newest
    // frame; waiting at most 1 ms keeps the loop off the processor.
    bool bFirst = true;
    while (PumpMainMessages()) {
        if (DDPresentPending() && bFirst) {
            bFirst = false;
            StartupLogFirstFrame();
        }
        WaitMainMessage(bAppActive.load() ? 1 : 10);
    }
}

}  // namespace

int WinMain(const std::string& commandLine, int nCmdShow) {
    StartupLogBegin();
    const char* ec = std::getenv("QV_EC_LOG");
    ECInit(ec && ec[0] == '1', "EC_Game.txt");
    // The logs are emptied only once this start knows it runs alone.
    ReportInitDeferred("Report_Game.txt");
    WriteReport("App : ver %s", "825");
    // The system report measures the processor's clock while the window
    // system starts; later lines wait for its lines.
    StartupLogMark("system report");
    cSystemReport systemReport;
    // The music synthesiser's soundfont takes a while to load: it loads while
    // the program starts (after the system report has read the machine's
    // memory); music asked for before it has loaded starts when it has.
    PreloadMidiSynth();
    ReadEditorSetting();
    InstallPlatformRecordServices();
    if (const char* max = std::getenv("QV_MAX_FRAMES")) SetMaxFrames(static_cast<uint32_t>(std::strtoul(max, nullptr, 10)));
    if (!LoadInputScriptFromEnv()) WriteReport("QV_INPUT : the script cannot be read");

    if (!AcquireSingleInstance()) {
        DropLogs();
        ReleaseGgs4();
        return 0;
    }
    if (!ClaimLogs()) {
        ReleaseGgs4();
        ReleaseSingleInstance();
        return kFailedStart;
    }
    StartupLogMark("single instance");
    PrepareStartData();
    cWindowSystem windows;
    StartupLogMark("window system");
    systemReport.End();
    StartupLogMark("system report written");
    if (!windows.Ok()) {
        ErrMesBox("ウインドウが生成出来ません！");
        ReleaseGgs4();
        ReleaseSingleInstance();
        return kFailedStart;
    }
    MainWindow.Layout(640, 480, 100, 100, 640, 480, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                      0, 0, 0, 0, 0);
    SetMainWindow(&MainWindow);
    if (!MainWindow.Create("", 100, 100)) {
        ErrMesBox("ウインドウが生成出来ません！");
        ReleaseGgs4();
        SetMainWindow(nullptr);
        ReleaseSingleInstance();
        return kFailedStart;
    }
    hWndMain = MainWindow.GetNativeWindow();
    MainWindow.CenterOnDesktop();
    SendEditorNotice(EDITOR_STARTED, 1);
    StartupLogMark("window");

    const uint64_t start = timeGetTime();
    if (!InitApp(commandLine, nCmdShow)) {
        WriteReport("InitApp : failed");
        ExitApp();
        SendEditorNotice(EDITOR_ENDED, 0);
        MainWindow.Destroy();
        SetMainWindow(nullptr);
        ReleaseSingleInstance();
        return kFailedStart;
    }
    WriteReport("InitApp : done (%llu ms)", static_cast<unsigned long long>(timeGetTime() - start));
    bInitDone = 1;
    StartupLogMark("init app");
    if (!thGame.Create(GameLoop, nullptr)) {
        WriteReportMes("ゲームスレッドを開始出来ません！");
        ExitApp();
        MainWindow.Destroy();
        SetMainWindow(nullptr);
        ReleaseSingleInstance();
        return kFailedStart;
    }
    while (!PostThreadMessage(thGame.GetThreadId(), WM_APP, 0, 0)) {
    }
    // A close that came while the program started closes now.
    MainWindow.EndStartup();
    // While a dialog waits, frames are counted and scripted keys typed into it.
    SetDialogFrameService(&CountDialogFrame);
    MessageLoop();
    SetDialogFrameService(nullptr);
    WriteReport("Message loop : WM_QUIT after %u frames", GetFrameCount());

    EndLeftovers();
    DDWriteFrameDump();
    ExitApp();
    SetMainWindow(nullptr);
    ReleaseSingleInstance();
    // A close for a fault is no success, though it was orderly.
    const std::string fault = RecFaultReason();
    if (!fault.empty()) WriteReport("App : closed because of a fault : %s", fault.c_str());
    WriteReport("App : end");
    const int code = GetQuitCode();
    return fault.empty() || code != 0 ? code : kFaultEnd;
}
