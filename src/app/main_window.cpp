#include "app/main_window.h"

#include "app/startup_log.h"
#include "app/window_data.h"
#include "database/database.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_present.h"
#include "platform/graphics/dd_restore.h"
#include "platform/input/vkey.h"
#include "platform/sound/music_manager.h"
#include "platform/sound/sound_effects.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/thread_messages.h"
#include "platform/window/dialog.h"
#include "platform/window/dialog_mesbox.h"
#include "platform/window/main_thread_messages.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/system_ini.h"

cMainWindow MainWindow;
std::atomic<HWND> hWndMain{nullptr};
std::atomic<uint8_t> bInitDone{0};
RECT rcClient;

namespace {

std::atomic<DIALOGREQUEST> g_Dialog[4] = {};

cThread* const kWorkers[] = {&thGame, &thPause, &thRankEntry, &thLoadStage};

// A message box drawn in the main window: it runs on the main thread, also
// when another thread asks. A box the main thread no longer answers (the
// window is closing) takes its default answer.
int WindowMesBox(const std::string& text, const std::string& caption, unsigned style) {
    const LRESULT answer = CallOnMainThread([&]() -> LRESULT {
        return MainWindow.RunModal([&] { return DialogMesBox(text, caption, style); });
    });
    return answer > 0 ? static_cast<int>(answer) : DefaultMesBoxAnswer(style);
}

}  // namespace

bool OpenWindowDialogs() {
    if (!OpenWindowDialogHost(MainWindow.GetNativeWindow())) {
        WriteReport("Dialogs : drawn in windows of their own");
        return false;
    }
    SetMesBoxPresenter(&WindowMesBox);
    return true;
}

void CloseWindowDialogs() {
    SetMesBoxPresenter(nullptr);
    CloseWindowDialogHost();
}

int cMainWindow::RunModal(const std::function<int()>& run) {
    ++m_nServing;
    const int result = run();
    if (--m_nServing == 0 && bInitDone.load()) EndStartup();
    return result;
}

void ResetMainWindowState() {
    if (MainWindow.Exists()) MainWindow.Destroy();
    CloseWindowDialogs();
    MainWindow.Clear();
    MainWindow.ResetState();
    hWndMain = nullptr;
    bInitDone = 0;
    rcClient = RECT{};
    for (auto& d : g_Dialog) d = nullptr;
}

void SetDialogRequest(uint32_t msg, DIALOGREQUEST handler) {
    if (msg >= WM_NAME_DIALOG && msg <= WM_SAVE_REPLAY) g_Dialog[msg - WM_NAME_DIALOG] = handler;
}

void SuspendThreads() {
    for (cThread* t : kWorkers)
        if (t->IsRunning()) t->Suspend();
}

void ResumeThreads() {
    for (cThread* t : kWorkers)
        if (t->IsRunning()) t->Resume();
}

void cMainWindow::ResetState() {
    m_bCreated = false;
    m_nServing = 0;
    m_bCloseHeld = false;
}

void cMainWindow::EndStartup() {
    if (!m_bCloseHeld) return;
    m_bCloseHeld = false;
    PostMessageMain(WM_CLOSE, 0, 0);
}

void cMainWindow::OnDialogRequest(uint32_t msg, WPARAM wParam) {
    const DIALOGREQUEST handler = g_Dialog[msg - WM_NAME_DIALOG].load();
    int result = 0;
    DDSetDialogMode(1);
    SuspendThreads();
    if (handler)
        result = handler(wParam);
    else
        WriteReport("%s : no dialog for this request yet", GetMsgName(msg));
    DDSetDialogMode(0);
    ResumeThreads();
    if (msg == WM_NAME_DIALOG) {
        dwNameDone = 1;
        return;
    }
    dwRequestResult = result ? 1 : 0;
    dwRequestDone = 1;
}

void cMainWindow::OnMusic(WPARAM wParam, LPARAM lParam) {
    const int s = static_cast<int>(wParam);
    if (s < 0 || s > 4) return;
    if (s < 4) {
        const int32_t n = SystemData.vPlaceBgm[s];
        const uint8_t loop = SystemData.vPlaceFlag[s];
        if (n == 0) {
            Bgm.Stop();
            return;
        }
        const cBgmData& rec = Database.vBgm[n];
        Bgm.SetTrack(s, rec.strFile.c_str(), rec.nVolume);
        Bgm.Play(0, s, loop, 0, 1);
        return;
    }
    const int32_t n = static_cast<int32_t>(lParam);
    nStageBgm = n;
    const cBgmData& rec = Database.vBgm[n];
    Bgm.SetTrack(4, rec.strFile.c_str(), rec.nVolume);
    if (n)
        Bgm.Play(0, 4, nStageBgmLoop.load(), 0, 1);
    else
        Bgm.Stop();
}

void cMainWindow::OnClose() {
    if (thPause.IsRunning()) {
        // The pause thread's end asks for the close again (the game thread's
        // next frame of play), which then does the rest.
        WriteEC("WM_CLOSE thPause.m_hThread");
        if (cScene* play = SceneManager.Scene(SCENE_PLAY)) play->RequestQuit();
        PostThreadMessage(thPause.GetThreadId(), WM_QUIT, 0, 0);
        return;
    }
    // The game runs no more frames: saving the window's place may take long
    // (the file is synced to disk) and the frames of a closing program count
    // for nothing.
    StopFramesForClose();
    if (IniData.WindowMode != 0 && bInitDone.load() && !IsMinimized()) {
        const POINT pos = GetPosition();
        WindowData.nLeft = pos.x;
        WindowData.nTop = pos.y;
        WindowData.nWidth = ClientWidth();
        WindowData.nHeight = ClientHeight();
        WindowData.bMaximized = IsMaximized() ? 1 : 0;
        if (!SaveWindowData()) WriteReport("Window.dat could not be saved");
    }
    WriteEC("WM_CLOSE 成功！");
    Bgm.Stop();
    // From here no thread is answered any more: a send still waiting
    // returns 0, so that every thread can reach its end.
    MainWindowDestroyed();
    thLoadStage.Exit();
    thPause.Exit();
    thRankEntry.Exit();
    WriteEC("thPause.Exit()");
    thGame.Exit(cThread::GAME_EXIT_TRIES);
    WriteEC("thGame.Exit()");
    Destroy();
}

LRESULT cMainWindow::WndProc(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
    // The handle, the mouse position and the framework's own messages.
    cWindow::WndProc(hWnd, msg, wParam, lParam);
    switch (msg) {
        case WM_CREATE: m_bCreated = true; return 0;
        case WM_DESTROY:
            WriteEC("WM_DESTROY");
            CloseWindowDialogs();
            hWndMain = nullptr;
            if (bInitDone.load()) SendEditorNotice(EDITOR_ENDED, 1);
            PostQuitMessageMain(0);
            return 0;
        case WM_MOVE: {
            const POINT pos = GetPosition();
            rcClient = RECT{pos.x, pos.y, pos.x + ClientWidth(), pos.y + ClientHeight()};
            return 0;
        }
        case WM_PAINT:
            // The window was uncovered: the last frame again under either back
            // end, also while the game is inactive and runs no frames.
            if (bInitDone.load() && DDPresentAgain()) StartupLogFirstFrame();
            return 0;
        case WM_CLOSE:
            if (m_nServing > 0 || !bInitDone.load()) {
                m_bCloseHeld = true;
                return 0;
            }
            OnClose();
            return 0;
        case WM_ACTIVATEAPP:
            if (!bAppActive.load() && wParam && lpDTCon && IniData.WindowMode == 0)
                SendMessageMain(WM_RESTORE_DEVICE, 0, 0);
            bAppActive = static_cast<uint32_t>(wParam);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) PostMessageMain(WM_CLOSE, 0, 0);
            return 0;
        case WM_NAME_DIALOG:
        case WM_PLAY_FILE:
        case WM_LOAD_REPLAY:
        case WM_SAVE_REPLAY:
        case WM_PLAY_SE:
        case WM_PLAY_BGM:
        case WM_RESTORE_DEVICE: {
            ++m_nServing;
            if (msg == WM_PLAY_SE)
                DS_PlaySound(SoundList[static_cast<int>(wParam)], 0);
            else if (msg == WM_PLAY_BGM)
                OnMusic(wParam, lParam);
            else if (msg == WM_RESTORE_DEVICE)
                DDRestoreDevice();
            else
                OnDialogRequest(msg, wParam);
            if (--m_nServing == 0 && bInitDone.load()) EndStartup();
            return 0;
        }
        default: return 0;
    }
}
