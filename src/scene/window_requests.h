#pragma once
// What the game thread and the main window share: the requests the game
// thread sends the main window (dialogs, sound effects, music, the Direct3D
// device reset), each waited on by the asking thread, and the flags both
// read. The window's procedure that serves them lives with the program's
// start (app/main_window).
#include <atomic>
#include <cstdint>

#include "platform/system/messages.h"
#include "platform/window/request_messages.h"

// 1 while the application is the active one; 0 makes both loops idle.
extern std::atomic<uint32_t> bAppActive;
// Done flag and result of the dialog requests, and the name dialog's done flag.
extern std::atomic<uint32_t> dwRequestDone;
extern std::atomic<uint32_t> dwRequestResult;
extern std::atomic<uint32_t> dwNameDone;
// The stage music last asked for, and the loop argument the play engine set for it.
extern std::atomic<int32_t> nStageBgm;
extern std::atomic<int32_t> nStageBgmLoop;

// Game thread: asks for dialog request msg and waits until it is done;
// its result (0 also when the program closes meanwhile).
uint32_t RequestDialog(uint32_t msg, WPARAM wParam);

// The flags above back to their start state (tests, and the main window's reset).
void ResetWindowRequests();
