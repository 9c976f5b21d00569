#include "platform/system/thread_messages.h"

#include <atomic>
#include <thread>
#include <unordered_map>

#include "platform/system/thread_control.h"

namespace {

std::atomic<uint32_t> g_nNextThreadId{1};
std::mutex g_RegistryLock;
std::unordered_map<uint32_t, std::shared_ptr<cThreadControl>> g_Registry;

// The calling thread's control; a thread that was not started by cThread
// gets one on first use and gives it up when it ends.
struct THREADSELF {
    std::shared_ptr<cThreadControl> pControl;
    bool bOwned = false;  // made here, so removed here at thread end
    ~THREADSELF() {
        if (pControl && bOwned) UnregisterThreadControl(*pControl);
    }
};
thread_local THREADSELF t_Self;

cThreadControl& Self() {
    if (!t_Self.pControl) {
        t_Self.pControl = NewThreadControl();
        t_Self.bOwned = true;
    }
    return *t_Self.pControl;
}

std::shared_ptr<cThreadControl> Find(uint32_t id) {
    std::lock_guard<std::mutex> lock(g_RegistryLock);
    auto it = g_Registry.find(id);
    return it == g_Registry.end() ? nullptr : it->second;
}

// Holds the thread while its gate is closed. Caller holds c.lock.
void PassGateLocked(cThreadControl& c, std::unique_lock<std::mutex>& lock) {
    if (!c.IsHeld()) return;
    c.bParked = true;
    c.changed.notify_all();
    c.changed.wait(lock, [&] { return !c.IsHeld(); });
    c.bParked = false;
}

// Waits until a message is queued and the gate is open. Caller holds c.lock.
void WaitForMessageLocked(cThreadControl& c, std::unique_lock<std::mutex>& lock) {
    for (;;) {
        PassGateLocked(c, lock);
        if (!c.queue.empty()) return;
        c.changed.wait(lock, [&] { return !c.queue.empty() || c.IsHeld(); });
    }
}

}  // namespace

std::shared_ptr<cThreadControl> NewThreadControl() {
    auto control = std::make_shared<cThreadControl>();
    control->nId = g_nNextThreadId++;
    std::lock_guard<std::mutex> lock(g_RegistryLock);
    g_Registry[control->nId] = control;
    return control;
}

void UnregisterThreadControl(const cThreadControl& control) {
    std::lock_guard<std::mutex> lock(g_RegistryLock);
    g_Registry.erase(control.nId);
}

void AdoptThreadControl(std::shared_ptr<cThreadControl> control) {
    t_Self.pControl = std::move(control);
    t_Self.bOwned = false;
}

uint32_t GetCurrentThreadId() { return Self().nId; }

bool PostThreadMessage(uint32_t idThread, uint32_t message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<cThreadControl> c = Find(idThread);
    if (!c) return false;
    std::lock_guard<std::mutex> lock(c->lock);
    if (c->queue.size() >= MAX_POSTED_MESSAGES) return false;
    c->queue.push_back(MSG{message, wParam, lParam});
    c->changed.notify_all();
    return true;
}

int GetMessage(MSG* msg) {
    cThreadControl& c = Self();
    std::unique_lock<std::mutex> lock(c.lock);
    WaitForMessageLocked(c, lock);
    const MSG m = c.queue.front();
    c.queue.pop_front();
    if (msg) *msg = m;
    return m.message == WM_QUIT ? 0 : 1;
}

bool PeekMessage(MSG* msg, uint32_t removeFlag) {
    cThreadControl& c = Self();
    std::unique_lock<std::mutex> lock(c.lock);
    PassGateLocked(c, lock);
    if (c.queue.empty()) return false;
    if (msg) *msg = c.queue.front();
    if (removeFlag & PM_REMOVE) c.queue.pop_front();
    return true;
}

void WaitMessage() {
    cThreadControl& c = Self();
    std::unique_lock<std::mutex> lock(c.lock);
    WaitForMessageLocked(c, lock);
}

void PassThreadGate() {
    cThreadControl& c = Self();
    std::unique_lock<std::mutex> lock(c.lock);
    PassGateLocked(c, lock);
}

void Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    PassThreadGate();
}

bool IsQuitRequested() {
    cThreadControl& c = Self();
    std::lock_guard<std::mutex> lock(c.lock);
    return c.bQuit;
}
