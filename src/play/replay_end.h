#pragma once
// Automation for replay tests and benchmarks (not a player feature): with
// QV_REPLAY_END=PATH set at start, the first replay saved by hotkey during
// play, or the first played replay that reaches the end of its log, writes
// the state of the run to the report log ("Replay end : ..."), the last frame
// handed over (the picture after the run's last frame) to PATH as a 24-bit
// BMP, and closes the program in order.
#include <cstdint>

class cChara;

// what: "saved" or "played"; frames: frames of play in the run; seed: the
// random seed the run was set up with.
void ReportReplayEnd(const char* what, int32_t frames, uint32_t seed, const cChara* hero, int32_t score,
                     int32_t stageTime, int32_t elapsedFrames);
// Reports again (tests running the program more than once in a process).
void ResetReplayEnd();
