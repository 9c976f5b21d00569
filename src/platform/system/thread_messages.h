#pragma once
// A message queue for every thread, with the posting and reading calls that
// Windows threads use (PostThreadMessage, GetMessage, PeekMessage,
// WaitMessage), and the cooperative suspend gate: a thread held by
// cThread::Suspend stops at the next gate it passes, which is at every
// message read and wait here, in Sleep, and at PassThreadGate (the frame
// boundary). A thread asked to end (cThread::Exit) passes every gate.
#include <cstdint>

#include "platform/system/messages.h"

enum : uint32_t { PM_NOREMOVE = 0x0, PM_REMOVE = 0x1 };

// At most this many messages wait in one queue; further posts fail.
constexpr uint32_t MAX_POSTED_MESSAGES = 10000;

// The calling thread's id (never 0); gives the thread its queue on first use.
uint32_t GetCurrentThreadId();
// Queues a message for the thread with that id; false when there is no such
// thread or its queue is full.
bool PostThreadMessage(uint32_t idThread, uint32_t message, WPARAM wParam, LPARAM lParam);
// Waits for the next message of the calling thread and takes it; 0 when it is
// WM_QUIT, else 1.
int GetMessage(MSG* msg);
// Looks at the next message without waiting; PM_REMOVE takes it. False when none.
bool PeekMessage(MSG* msg, uint32_t removeFlag);
// Waits until a message is queued for the calling thread.
void WaitMessage();

// The frame-boundary gate: holds the calling thread while it is suspended.
void PassThreadGate();
// Sleeps ms milliseconds, then passes the gate.
void Sleep(uint32_t ms);
// True once the calling thread has been asked to end (cThread::Exit).
bool IsQuitRequested();
