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
            WriteReportEC("cThread::Create: thread %u still runs", m_nThreadId);
            return 0;
        }
        Wait();  // an ended thread that was never waited for
    }
    std::shared_ptr<cThreadControl> control = NewThreadControl();
    try {
        m_hThread = std::thread(RunThreadBody, control, startRoutine, param);
    } catch (const std::system_error&) {
        UnregisterThreadControl(*control);
        return 0;
    }
    m_pControl = std::move(control);
    m_nThreadId = m_pControl->nId;
    {
        std::lock_guard<std::mutex> lock(m_pControl->lock);
        m_pControl->bStarted = true;
    }
    m_pControl->changed.notify_all();
    return 1;
}

bool cThread::IsCallerTheThread() const {
    if (m_hThread.get_id() != std::this_thread::get_id()) return false;
    // Waiting for itself would never return.
    WriteReportEC("cThread: thread %u cannot wait for itself", m_nThreadId);
    return true;
}

void cThread::Wait() {
    if (!IsRunning() || IsCallerTheThread()) return;
    {
        // Waiting is a wait like any other: the waiting thread passes its own gate.
        std::unique_lock<std::mutex> lock(m_pControl->lock);
        while (!m_pControl->bEnded) {
            m_pControl->changed.wait_for(lock, std::chrono::milliseconds(1));
            lock.unlock();
            PassThreadGate();
            lock.lock();
        }
    }
    m_hThread.join();
    Forget();
}

bool cThread::Suspend() {
    if (!m_pControl) return true;
    std::lock_guard<std::mutex> lock(m_pControl->lock);
    ++m_pControl->nSuspendCount;
    return true;
}

bool cThread::Resume() {
    if (!m_pControl) return true;
    {
        std::lock_guard<std::mutex> lock(m_pControl->lock);
        if (m_pControl->nSuspendCount > 0) --m_pControl->nSuspendCount;
    }
    m_pControl->changed.notify_all();
    return true;
}

void cThread::Exit() {
    if (!IsRunning() || IsCallerTheThread()) return;
    cThreadControl& c = *m_pControl;
    {
        // Open the gate whatever the count, so that the thread sees its quit.
        std::lock_guard<std::mutex> lock(c.lock);
        c.nSuspendCount = 0;
        c.bQuit = true;
    }
    c.changed.notify_all();
    WriteEC("Exit A");
    PostThreadMessage(m_nThreadId, WM_QUIT, 0, 0);
    WriteEC("Exit B");
    WriteEC("Exit C");
    bool bEnded = false;
    for (int pass = 0; pass < EXIT_TRIES; ++pass) {
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
    if (bEnded) {
        m_hThread.join();
    } else {
        // Never killed: the thread keeps its own state alive and is let go.
        WriteReportEC("cThread::Exit: thread %u did not end in %d ms; left running", m_nThreadId, EXIT_TRIES);
        m_hThread.detach();
    }
    Forget();
    WriteEC("Exit E");
}

bool cThread::IsParked() const {
    if (!m_pControl) return false;
    std::lock_guard<std::mutex> lock(m_pControl->lock);
    return m_pControl->bParked;
}

bool cThread::HasEnded() const {
    if (!m_pControl) return false;
    std::lock_guard<std::mutex> lock(m_pControl->lock);
    return m_pControl->bEnded;
}

void cThread::Forget() {
    m_pControl.reset();
    m_nThreadId = 0;
}
