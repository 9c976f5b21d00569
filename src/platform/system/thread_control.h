#pragma once
// The shared state of one thread: its message queue, suspend count and quit
// and end flags. Kept alive by the thread itself and by its cThread, so that
// either may go first. Internal to the platform layer.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/system/messages.h"

struct cThreadControl {
    uint32_t nId = 0;
    std::mutex lock;
    std::condition_variable changed;  // a message, a resume, the quit request or the end
    std::deque<MSG> queue;
    int nSuspendCount = 0;
    bool bStarted = false;  // Create has stored the thread in its cThread: the body may run
    bool bQuit = false;
    bool bParked = false;  // held at the gate right now
    bool bEnded = false;   // the thread body has returned

    // True while the gate is closed for this thread. Caller holds the lock.
    bool IsHeld() const { return nSuspendCount > 0 && !bQuit; }
};

// Makes a control with a new id and registers its queue.
std::shared_ptr<cThreadControl> NewThreadControl();
// Removes the queue of that control from the registry (posts then fail).
void UnregisterThreadControl(const cThreadControl& control);
// Makes control the calling thread's own (at the start of a thread body); null clears.
void AdoptThreadControl(std::shared_ptr<cThreadControl> control);
