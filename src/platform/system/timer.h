#pragma once
// Process-wide timers in milliseconds on the timer clock (clock.h): the
// stopwatch that measures a frame's processing time, a frame counter for
// periodic events, the frames-per-second meter and the two frame-pacing
// gates (one polled by the frame driver, one by the presenter). Times are
// 64-bit, so nothing wraps after 49.7 days.
#include <cstdint>

#include "platform/system/frame_pacer.h"

// Milliseconds on the timer clock.
uint64_t timeGetTime();

// Sets the stopwatch start to now and returns it.
uint64_t StartStopwatch();
// Milliseconds since the stopwatch start; bRestart: the start becomes now.
uint64_t GetStopwatchTime(int bRestart);
// bStore: stores and returns the milliseconds since the start; 0: the stored lap.
uint64_t LapStopwatch(int bStore);

// mode 0: count := 0, returns 0. mode 2: 1 when the count is 0. Other modes:
// count + 1; on reaching limit the count becomes 0 and the call returns 1.
int TickCounter(int mode, uint32_t limit);

// The frames of the last whole second (0 in the first); bCount: this call is a frame.
uint32_t GetFPS(int bCount);

// True when the next frame is due (frame driver's gate); fps 0 always.
bool CheckFrameTime(uint32_t fps);
// True when the next frame is due (presenter's gate); fps 0 always. The two
// further words are passed on by the presenter and change nothing.
bool CheckFramePace(uint32_t fps, uint32_t nArg1, uint32_t nArg2);

// The pacers behind CheckFrameTime and CheckFramePace; Wait() on them
// sleeps to the deadline instead of polling.
cFramePacer& FrameTimePacer();
cFramePacer& FramePacePacer();

// Every timer back to its state at start (tests).
void ResetTimers();
