#pragma once
// One worker thread. Its body reads its own message queue
// (thread_messages.h) and ends when it takes WM_QUIT. Suspend and Resume
// close and open the thread's cooperative gate; Exit asks the thread to end
// (WM_QUIT and the quit flag) and waits a bounded time. A thread is never
// killed: one that does not end in time is let go with a log line.
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

struct cThreadControl;

class cThread {
public:
    using StartRoutine = unsigned (*)(void* param);

    cThread() = default;
    // Ends a thread that still runs (Exit).
    ~cThread();
    cThread(const cThread&) = delete;
    cThread& operator=(const cThread&) = delete;

    // Starts startRoutine(param) at once; 1 on success, 0 when the thread cannot
    // start or a thread of this object still runs.
    uint32_t Create(StartRoutine startRoutine, void* param);
    // Blocks until the thread has ended, then forgets it.
    void Wait();
    // Closes the gate: the thread stops at its next gate; true (also without a thread).
    bool Suspend();
    // Opens the gate once more (suspensions are counted); true (also without a thread).
    bool Resume();
    // Asks the thread to end and waits for it (at most nTries passes of 1 ms);
    // does nothing without a thread.
    void Exit(int nTries = EXIT_TRIES);

    // The id that PostThreadMessage takes; 0 when no thread runs.
    uint32_t GetThreadId() const;
    // True while a thread exists (started and not yet waited for).
    bool IsRunning() const;
    // True while the thread is held at its gate.
    bool IsParked() const;
    // True once the thread body has returned.
    bool HasEnded() const;

    // Passes of 1 ms that Exit waits before it lets the thread go.
    static constexpr int EXIT_TRIES = 200;
    // The same for the game thread, whose scenes the program frees after it:
    // a frame that loads a stage may take long, and a thread let go would
    // run on freed scenes.
    static constexpr int GAME_EXIT_TRIES = 10000;

private:
    // Joins (or lets go) and forgets the thread, once: the game thread's wait
    // and the main thread's exit may both finish one worker.
    void Finish(bool bJoin);
    // The thread's control block, or null once it is forgotten.
    std::shared_ptr<cThreadControl> Control() const;
    bool IsCallerTheThread() const;

    mutable std::mutex m_FinishLock;  // guards the three members below
    uint32_t m_nThreadId = 0;
    std::thread m_hThread;
    std::shared_ptr<cThreadControl> m_pControl;
};
