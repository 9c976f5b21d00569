#include "platform/window/main_thread_messages.h"

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "platform/seam/joystick_devices.h"
#include "platform/seam/native_window.h"
#include "platform/seam/window_events.h"
#include "platform/system/log.h"
#include "platform/window/window.h"

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS;

// A blocking send waiting for the main thread. It lives on the sender's
// stack; the main thread reaches it only through the registry, under the lock.
struct SENDREQUEST {
    uint32_t msg;
    WPARAM wParam;
    LPARAM lParam;
    const std::function<LRESULT()>* pCall = nullptr;  // set: run this instead of the procedure
    LRESULT result = 0;
    bool bDone = false;
};

struct MAINQUEUE {
    std::mutex lock;
    std::condition_variable done;
    std::map<uint64_t, SENDREQUEST*> pending;
    uint64_t nextId = 1;
    bool bClosed = false;  // the main window is gone: sends are answered 0
};

MAINQUEUE& Queue() {
    static MAINQUEUE q;
    return q;
}

std::atomic<Uint32> g_PostEvent{0};  // user event types (0: not registered yet)
std::atomic<Uint32> g_SendEvent{0};
std::atomic<cWindow*> g_pMainWindow{nullptr};
std::atomic<bool> g_bQuit{false};
std::atomic<int> g_nQuitCode{0};
std::thread::id g_MainThread;
bool g_bInit = false;

void RegisterEventTypes() {
    if (g_PostEvent.load()) return;
    const Uint32 first = SDL_RegisterEvents(2);
    if (first == static_cast<Uint32>(-1)) return;
    g_SendEvent = first + 1;
    g_PostEvent = first;
}

LRESULT CallMainProc(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    cWindow* w = g_pMainWindow.load();
    if (!w) return 0;
    return w->WndProc(w->GetNativeWindow(), msg, wParam, lParam);
}

void AbandonSends() {
    MAINQUEUE& q = Queue();
    std::lock_guard<std::mutex> guard(q.lock);
    for (auto& [id, req] : q.pending) {
        req->result = 0;
        req->bDone = true;
    }
    q.pending.clear();
    q.done.notify_all();
}

void ServeSend(uint64_t id) {
    MAINQUEUE& q = Queue();
    SENDREQUEST copy{};
    {
        std::lock_guard<std::mutex> guard(q.lock);
        auto it = q.pending.find(id);
        if (it == q.pending.end()) return;  // answered already (the window went away)
        copy = *it->second;
    }
    // The sender waits until it is answered, so what pCall points to lives on.
    const LRESULT result = copy.pCall ? (*copy.pCall)() : CallMainProc(copy.msg, copy.wParam, copy.lParam);
    std::lock_guard<std::mutex> guard(q.lock);
    auto it = q.pending.find(id);
    if (it == q.pending.end()) return;
    it->second->result = result;
    it->second->bDone = true;
    q.pending.erase(it);
    q.done.notify_all();
}

// Runs one event: a request, or a window, keyboard, mouse or joystick event.
void HandleEvent(const SDL_Event& e) {
    if (e.type == g_PostEvent.load() && e.type != 0) {
        CallMainProc(static_cast<uint32_t>(e.user.code), reinterpret_cast<WPARAM>(e.user.data1),
                     reinterpret_cast<LPARAM>(e.user.data2));
    } else if (e.type == g_SendEvent.load() && e.type != 0) {
        ServeSend(reinterpret_cast<uintptr_t>(e.user.data1));
    } else {
        DispatchSdlEvent(e);
    }
}

}  // namespace

bool ServeRequestEvent(const SDL_Event& e) {
    if (e.type == 0 || (e.type != g_PostEvent.load() && e.type != g_SendEvent.load())) return false;
    HandleEvent(e);
    return true;
}

bool InitWindowSystem() {
    // Closing the last window is a WM_CLOSE of that window, not a second quit request.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SoftwareWindowSurfaces();
    if (SDL_InitSubSystem(kSubsystems) != 0) {
        WriteReport("SDL_Init : %s", SDL_GetError());
        return false;
    }
    RegisterEventTypes();
    g_MainThread = std::this_thread::get_id();
    g_bQuit = false;
    g_nQuitCode = 0;
    g_bInit = true;
    OpenJoystickDevices();
    return true;
}

void EndWindowSystem() {
    if (!g_bInit) return;
    AbandonSends();
    CloseJoystickDevices();
    SDL_QuitSubSystem(kSubsystems);
    // Nothing else of SDL in use: let it release the rest (its D-Bus connection too).
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
    g_bInit = false;
}

bool IsMainThread() { return g_bInit && std::this_thread::get_id() == g_MainThread; }

void SetMainWindow(cWindow* pWindow) {
    g_pMainWindow = pWindow;
    if (!pWindow) {
        MainWindowDestroyed();
        return;
    }
    std::lock_guard<std::mutex> guard(Queue().lock);
    Queue().bClosed = false;
}

cWindow* GetMainWindow() { return g_pMainWindow.load(); }

void MainWindowDestroyed() {
    {
        std::lock_guard<std::mutex> guard(Queue().lock);
        Queue().bClosed = true;
    }
    AbandonSends();
}

bool PostMessageMain(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    const Uint32 type = g_PostEvent.load();
    if (!type) return false;
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.user.code = static_cast<Sint32>(msg);
    e.user.data1 = reinterpret_cast<void*>(wParam);
    e.user.data2 = reinterpret_cast<void*>(lParam);
    return SDL_PushEvent(&e) == 1;
}

namespace {

// Queues req for the main thread and waits for its answer; 0 when it cannot be queued.
LRESULT SendAndWait(SENDREQUEST& req) {
    const Uint32 type = g_SendEvent.load();
    if (!type) return 0;
    MAINQUEUE& q = Queue();
    uint64_t id;
    {
        std::lock_guard<std::mutex> guard(q.lock);
        if (q.bClosed) return 0;
        id = q.nextId++;
        q.pending[id] = &req;
    }
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.user.data1 = reinterpret_cast<void*>(static_cast<uintptr_t>(id));
    const bool bPushed = SDL_PushEvent(&e) == 1;
    std::unique_lock<std::mutex> guard(q.lock);
    if (!bPushed) {
        q.pending.erase(id);
        return 0;
    }
    q.done.wait(guard, [&] { return req.bDone; });
    return req.result;
}

}  // namespace

LRESULT SendMessageMain(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    if (IsMainThread()) return CallMainProc(msg, wParam, lParam);
    if (!g_pMainWindow.load()) return 0;
    SENDREQUEST req{msg, wParam, lParam};
    return SendAndWait(req);
}

LRESULT CallOnMainThread(const std::function<LRESULT()>& call) {
    if (IsMainThread()) return call();
    SENDREQUEST req{WM_NULL, 0, 0, &call};
    return SendAndWait(req);
}

void PostCloseMain() { PostMessageMain(WM_CLOSE, 0, 0); }

int PumpMainMessages() {
    if (!IsMainThread()) return g_bQuit ? 0 : 1;
    SDL_Event e;
    while (!g_bQuit && SDL_PollEvent(&e)) HandleEvent(e);
    RefreshJoystickStates();
    return g_bQuit ? 0 : 1;
}

int WaitMainMessage(int timeoutMs) {
    if (!IsMainThread()) return g_bQuit ? 0 : 1;
    SDL_Event e;
    if (!g_bQuit && SDL_WaitEventTimeout(&e, timeoutMs)) HandleEvent(e);
    return PumpMainMessages();
}

void ServeMainThreadRequests() {
    if (!IsMainThread()) return;
    const Uint32 first = g_PostEvent.load(), last = g_SendEvent.load();
    if (!first) return;
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, first, last) == 1) HandleEvent(e);
}

void PostQuitMessageMain(int exitCode) {
    g_nQuitCode = exitCode;
    g_bQuit = true;
}

bool IsQuitPosted() { return g_bQuit; }

int GetQuitCode() { return g_nQuitCode; }

void ResetMainThreadMessages() {
    EndWindowSystem();
    g_pMainWindow = nullptr;
    AbandonSends();
    {
        std::lock_guard<std::mutex> guard(Queue().lock);
        Queue().bClosed = false;
    }
    g_bQuit = false;
    g_nQuitCode = 0;
}

bool IsActiveFromStart() {
    const char* fast = std::getenv("QV_FAST");
    if (fast && std::strcmp(fast, "1") == 0) return true;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) driver = std::getenv("SDL_VIDEODRIVER");
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}
