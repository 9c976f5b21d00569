#include "platform/system/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/system/chrono_types.h"
#include "platform/system/log.h"
#include "platform/system/thread_messages.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// Waits up to two seconds for cond.
template <typename Cond>
bool Eventually(Cond cond) {
    for (int i = 0; i < 2000; ++i) {
        if (cond()) return true;
        std::this_thread::sleep_for(1ms);
    }
    return cond();
}

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// Drains the calling thread's queue.
void DrainOwnQueue() {
    MSG m;
    while (PeekMessage(&m, PM_REMOVE)) {
    }
}

// ---- queues ----

TEST(ThreadQueue, MessagesComeInOrderAndPeekCanLeaveThem) {
    DrainOwnQueue();
    const uint32_t self = GetCurrentThreadId();
    EXPECT_NE(self, 0u);
    EXPECT_EQ(GetCurrentThreadId(), self);
    ASSERT_TRUE(PostThreadMessage(self, WM_APP, 1, 2));
    ASSERT_TRUE(PostThreadMessage(self, WM_APP + 1, 3, 4));
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, PM_NOREMOVE));
    EXPECT_EQ(m.message, WM_APP);
    ASSERT_TRUE(PeekMessage(&m, PM_REMOVE));
    EXPECT_EQ(m.message, WM_APP);
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_EQ(m.lParam, 2);
    EXPECT_EQ(GetMessage(&m), 1);
    EXPECT_EQ(m.message, WM_APP + 1);
    EXPECT_FALSE(PeekMessage(&m, PM_REMOVE));
    ASSERT_TRUE(PostThreadMessage(self, WM_QUIT, 7, 0));
    EXPECT_EQ(GetMessage(&m), 0);
    EXPECT_EQ(m.wParam, 7u);
}

TEST(ThreadQueue, PostingToNoThreadOrAFullQueueFails) {
    EXPECT_FALSE(PostThreadMessage(0, WM_APP, 0, 0));
    EXPECT_FALSE(PostThreadMessage(0xFFFFFFF0u, WM_APP, 0, 0));
    DrainOwnQueue();
    const uint32_t self = GetCurrentThreadId();
    for (uint32_t i = 0; i < MAX_POSTED_MESSAGES; ++i) ASSERT_TRUE(PostThreadMessage(self, WM_APP, i, 0));
    EXPECT_FALSE(PostThreadMessage(self, WM_APP, 0, 0));
    DrainOwnQueue();
}

// ---- worker bodies ----

std::atomic<uint32_t> g_nReplyTo{0};

// Answers every message with message + 1 to g_nReplyTo; ends on WM_QUIT.
unsigned EchoBody(void*) {
    MSG m;
    while (GetMessage(&m)) PostThreadMessage(g_nReplyTo, m.message + 1, m.wParam, m.lParam);
    return 0;
}

// Counts frames, passing the gate at each frame boundary; ends on WM_QUIT.
unsigned FrameBody(void* param) {
    auto* frames = static_cast<std::atomic<int>*>(param);
    MSG m;
    for (;;) {
        if (PeekMessage(&m, PM_REMOVE)) {
            if (m.message == WM_QUIT) return 0;
            continue;
        }
        ++*frames;
        Sleep(1);
    }
}

std::atomic<bool> g_bRelease{false};
std::atomic<bool> g_bStubbornDone{false};

// Takes no messages and ignores the quit flag until the test releases it.
unsigned StubbornBody(void*) {
    while (!g_bRelease) std::this_thread::sleep_for(1ms);
    g_bStubbornDone = true;
    return 0;
}

// Takes the first WM_QUIT inside a nested wait, then waits for another.
unsigned NestedQuitBody(void*) {
    MSG m;
    while (GetMessage(&m)) {
    }
    while (GetMessage(&m)) {
    }
    return 0;
}

unsigned ThrowingBody(void*) { throw 1; }

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLogs();
        ReportInit(report.c_str());
        ECInit(1, ec.c_str());
        DrainOwnQueue();
    }
    void TearDown() override { ResetLogs(); }
    cTempDir dir;
    std::string report = dir.File("Report_Game.txt"), ec = dir.File("EC_Game.txt");
};

TEST_F(ThreadTest, AWorkerTakesItsMessagesAndEndsOnQuit) {
    g_nReplyTo = GetCurrentThreadId();
    cThread th;
    ASSERT_EQ(th.Create(EchoBody, nullptr), 1u);
    ASSERT_NE(th.GetThreadId(), 0u);
    // The queue exists from the start: the first post already reaches it.
    ASSERT_TRUE(PostThreadMessage(th.GetThreadId(), WM_APP, 5, 6));
    ASSERT_TRUE(PostThreadMessage(th.GetThreadId(), WM_USER, 8, 9));
    MSG m;
    ASSERT_EQ(GetMessage(&m), 1);
    EXPECT_EQ(m.message, WM_APP + 1);
    EXPECT_EQ(m.wParam, 5u);
    ASSERT_EQ(GetMessage(&m), 1);
    EXPECT_EQ(m.message, WM_USER + 1);
    const uint32_t id = th.GetThreadId();
    ASSERT_TRUE(PostThreadMessage(id, WM_QUIT, 0, 0));
    th.Wait();
    EXPECT_FALSE(th.IsRunning());
    EXPECT_EQ(th.GetThreadId(), 0u);
    EXPECT_FALSE(PostThreadMessage(id, WM_APP, 0, 0));  // the ended thread has no queue
    th.Wait();                                           // nothing to wait for
}

TEST_F(ThreadTest, AnObjectStartsAgainOnlyAfterItsThreadHasEnded) {
    std::atomic<int> frames{0};
    cThread th;
    ASSERT_EQ(th.Create(FrameBody, &frames), 1u);
    EXPECT_EQ(th.Create(FrameBody, &frames), 0u);  // still running
    EXPECT_NE(ReadAll(report).find("still runs"), std::string::npos);
    th.Exit();
    ASSERT_EQ(th.Create(FrameBody, &frames), 1u);
    th.Exit();
}

TEST_F(ThreadTest, SuspendHoldsTheThreadAtItsNextGateAndResumesAreCounted) {
    std::atomic<int> frames{0};
    cThread th;
    ASSERT_EQ(th.Create(FrameBody, &frames), 1u);
    ASSERT_TRUE(Eventually([&] { return frames > 3; }));
    EXPECT_TRUE(th.Suspend());
    EXPECT_TRUE(th.Suspend());
    ASSERT_TRUE(Eventually([&] { return th.IsParked(); }));
    const int held = frames;
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(frames, held);
    EXPECT_TRUE(th.Resume());  // one of two
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(frames, held);
    EXPECT_TRUE(th.Resume());
    EXPECT_TRUE(Eventually([&] { return frames > held + 3; }));
    EXPECT_FALSE(th.IsParked());
    th.Exit();
}

TEST_F(ThreadTest, ASuspendedThreadTakesNoMessageUntilResumed) {
    g_nReplyTo = GetCurrentThreadId();
    cThread th;
    ASSERT_EQ(th.Create(EchoBody, nullptr), 1u);
    th.Suspend();
    ASSERT_TRUE(PostThreadMessage(th.GetThreadId(), WM_APP, 0, 0));
    ASSERT_TRUE(Eventually([&] { return th.IsParked(); }));
    std::this_thread::sleep_for(20ms);
    MSG m;
    EXPECT_FALSE(PeekMessage(&m, PM_REMOVE));
    th.Resume();
    ASSERT_EQ(GetMessage(&m), 1);
    EXPECT_EQ(m.message, WM_APP + 1);
    th.Exit();
}

TEST_F(ThreadTest, ExitOnASuspendedThreadOpensTheGateAndEndsItInOrder) {
    std::atomic<int> frames{0};
    cThread th;
    ASSERT_EQ(th.Create(FrameBody, &frames), 1u);
    th.Suspend();
    th.Suspend();
    ASSERT_TRUE(Eventually([&] { return th.IsParked(); }));
    th.Exit();
    // Ended by its own loop, not let go at the bound.
    EXPECT_EQ(ReadAll(report).find("left running"), std::string::npos);
    EXPECT_FALSE(th.IsRunning());
    EXPECT_EQ(ReadAll(ec), "Exit A\r\nExit B\r\nExit C\r\nExit D\r\nExit E\r\n");
    th.Exit();  // a second Exit does nothing
    EXPECT_EQ(ReadAll(ec), "Exit A\r\nExit B\r\nExit C\r\nExit D\r\nExit E\r\n");
    EXPECT_TRUE(th.Suspend());  // no thread: nothing to do
    EXPECT_TRUE(th.Resume());
}

TEST_F(ThreadTest, ExitAsksAgainWhenANestedLoopTookTheFirstQuit) {
    cThread th;
    ASSERT_EQ(th.Create(NestedQuitBody, nullptr), 1u);
    th.Exit();
    EXPECT_FALSE(th.IsRunning());
    EXPECT_EQ(ReadAll(report).find("left running"), std::string::npos);
}

TEST_F(ThreadTest, AThreadThatNeverEndsIsLetGoAfterTheBoundAndNotKilled) {
    g_bRelease = false;
    g_bStubbornDone = false;
    cThread th;
    ASSERT_EQ(th.Create(StubbornBody, nullptr), 1u);
    th.Exit();
    EXPECT_FALSE(th.IsRunning());
    // Let go after the whole bound of passes, which the report names.
    EXPECT_NE(ReadAll(report).find("did not end in " + std::to_string(cThread::EXIT_TRIES) + " ms; left running"),
              std::string::npos);
    EXPECT_NE(ReadAll(ec).find("Exit E"), std::string::npos);
    // Still alive: it finishes its own way once released.
    EXPECT_FALSE(g_bStubbornDone);
    g_bRelease = true;
    EXPECT_TRUE(Eventually([] { return g_bStubbornDone.load(); }));
}

TEST_F(ThreadTest, AnExceptionEndsOnlyItsThread) {
    cThread th;
    ASSERT_EQ(th.Create(ThrowingBody, nullptr), 1u);
    ASSERT_TRUE(Eventually([&] { return th.HasEnded(); }));
    th.Wait();
    EXPECT_NE(ReadAll(report).find("uncaught exception"), std::string::npos);
}

TEST_F(ThreadTest, DestroyingTheObjectEndsItsThread) {
    std::atomic<int> frames{0};
    uint32_t id = 0;
    {
        cThread th;
        ASSERT_EQ(th.Create(FrameBody, &frames), 1u);
        id = th.GetThreadId();
    }
    EXPECT_FALSE(PostThreadMessage(id, WM_APP, 0, 0));
}

}  // namespace

namespace {

cThread g_SelfWaiter;
std::atomic<int> g_nSelfWaitDone{0};
std::atomic<bool> g_bSelfWaiterCreated{false};

unsigned SelfWaitingBody(void*) {
    while (!g_bSelfWaiterCreated) std::this_thread::sleep_for(1ms);
    g_SelfWaiter.Wait();  // refused, not a hang
    g_SelfWaiter.Exit();
    g_nSelfWaitDone = 1;
    return 0;
}

TEST(ThreadSelf, AThreadCannotWaitForOrEndItself) {
    ResetLogs();
    ASSERT_EQ(g_SelfWaiter.Create(SelfWaitingBody, nullptr), 1u);
    g_bSelfWaiterCreated = true;
    ASSERT_TRUE(Eventually([] { return g_nSelfWaitDone.load() == 1; }));
    g_SelfWaiter.Wait();
    EXPECT_FALSE(g_SelfWaiter.IsRunning());
}

}  // namespace
