#include "platform/system/thread.h"

#include "platform/system/chrono_types.h"
#include <system_error>

#include "platform/system/log.h"
#include "platform/system/thread_control.h"
#include "platform/system/thread_messages.h"

namespace {

void RunThreadBody(std::shared_ptr<cThreadControl> control, cThread::StartRoutine start, void* param) {
    AdoptThreadControl(control);
    {
        // The body may reach its own cThread (Wait, Exit, GetThreadId): it
        // starts only once Create has stored the thread there.
        std::unique_lock<std::mutex> lock(control->lock);
        control->changed.wait(lock, [&] { return control->bStarted; });
    }
    try {
        start(param);
    } catch (...) {
        // An exception must not end the process from a worker thread.
        WriteReportEC("thread %u: uncaught exception", control->nId);
    }
    UnregisterThreadControl(*control);
    {
        std::lock_guard<std::mutex> lock(control->lock);
        control->bEnded = true;
        control->queue.clear();
    }
    control->changed.notify_all();
    AdoptThreadControl(nullptr);
}

bool HasQuitQueued(const cThreadControl& c) {
    for (const MSG& m : c.queue)
        if (m.message == WM_QUIT) return true;
    return false;
}

}  // namespace

cThread::~cThread() {
    if (IsRunning()) Exit();
}

uint32_t cThread::Create(StartRoutine startRoutine, void* param) {
    if (!startRoutine) return 0;
    if (IsRunning()) {
        if (!HasEnded()) {
            WriteReportEC("cThread::Create: thread %u still runs", GetThreadId());
            return 0;
        }
        Wait();  // an ended thread that was never waited for
    }
    std::shared_ptr<cThreadControl> control = NewThreadControl();
    {
        // The body waits for bStarted, so it never sees these half set.
        std::lock_guard<std::mutex> finish(m_FinishLock);
        try {
            m_hThread = std::thread(RunThreadBody, control, startRoutine, param);
        } catch (const std::system_error&) {
            UnregisterThreadControl(*control);
            return 0;
        }
        m_pControl = control;
        m_nThreadId = control->nId;
    }
    {
        std::lock_guard<std::mutex> lock(control->lock);
        control->bStarted = true;
    }
    control->changed.notify_all();
    return 1;
}

uint32_t cThread::GetThreadId() const {
    std::lock_guard<std::mutex> finish(m_FinishLock);
    return m_nThreadId;
}

bool cThread::IsRunning() const {
    std::lock_guard<std::mutex> finish(m_FinishLock);
    return m_hThread.joinable();
}

std::shared_ptr<cThreadControl> cThread::Control() const {
    std::lock_guard<std::mutex> finish(m_FinishLock);
    return m_pControl;
}

void cThread::Finish(bool bJoin) {
    std::lock_guard<std::mutex> finish(m_FinishLock);
    if (!m_hThread.joinable()) return;
    if (bJoin) m_hThread.join();
    else m_hThread.detach();
    m_pControl.reset();
    m_nThreadId = 0;
}

bool cThread::IsCallerTheThread() const {
    {
        std::lock_guard<std::mutex> finish(m_FinishLock);
        if (m_hThread.get_id() != std::this_thread::get_id()) return false;
    }
    // Waiting for itself would never return.
    WriteReportEC("cThread: thread %u cannot wait for itself", GetThreadId());
    return true;
}

void cThread::Wait() {
    const std::shared_ptr<cThreadControl> control = Control();
    if (!control || IsCallerTheThread()) return;
    {
        // Waiting is a wait like any other: the waiting thread passes its own gate.
        std::unique_lock<std::mutex> lock(control->lock);
        while (!control->bEnded) {
            control->changed.wait_for(lock, std::chrono::milliseconds(1));
            lock.unlock();
            PassThreadGate();
            lock.lock();
        }
    }
    Finish(true);
}

bool cThread::Suspend() {
    const std::shared_ptr<cThreadControl> control = Control();
    if (!control) return true;
    std::lock_guard<std::mutex> lock(control->lock);
    ++control->nSuspendCount;
    return true;
}

bool cThread::Resume() {
    const std::shared_ptr<cThreadControl> control = Control();
    if (!control) return true;
    {
        std::lock_guard<std::mutex> lock(control->lock);
        if (control->nSuspendCount > 0) --control->nSuspendCount;
    }
    control->changed.notify_all();
    return true;
}

void cThread::Exit(int nTries) {
    const std::shared_ptr<cThreadControl> control = Control();
    if (!control || IsCallerTheThread()) return;
    cThreadControl& c = *control;
    const uint32_t nThreadId = c.nId;
    {
        // Open the gate whatever the count, so that the thread sees its quit.
        std::lock_guard<std::mutex> lock(c.lock);
        c.nSuspendCount = 0;
        c.bQuit = true;
    }
    c.changed.notify_all();
    WriteEC("Exit A");
    PostThreadMessage(nThreadId, WM_QUIT, 0, 0);
    WriteEC("Exit B");
    WriteEC("Exit C");
    bool bEnded = false;
    for (int pass = 0; pass < nTries; ++pass) {
        std::unique_lock<std::mutex> lock(c.lock);
        if (c.changed.wait_for(lock, std::chrono::milliseconds(1), [&] { return c.bEnded; })) {
            bEnded = true;
            break;
        }
        // A nested loop may have taken the first WM_QUIT; ask again.
        if (!HasQuitQueued(c) && c.queue.size() < MAX_POSTED_MESSAGES) c.queue.push_back(MSG{WM_QUIT, 0, 0});
        c.changed.notify_all();
    }
    WriteEC("Exit D");
    // Never killed: a thread that did not end keeps its own state alive and is let go.
    if (!bEnded) WriteReportEC("cThread::Exit: thread %u did not end in %d ms; left running", nThreadId, nTries);
    Finish(bEnded);
    WriteEC("Exit E");
}

bool cThread::IsParked() const {
    const std::shared_ptr<cThreadControl> control = Control();
    if (!control) return false;
    std::lock_guard<std::mutex> lock(control->lock);
    return control->bParked;
}

bool cThread::HasEnded() const {
    const std::shared_ptr<cThreadControl> control = Control();
    if (!control) return false;
    std::lock_guard<std::mutex> lock(control->lock);
    return control->bEnded;
}

