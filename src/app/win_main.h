#pragma once
// The program's start and end: the logs and the system report, the single
// instance, the main window, the editor's notices, the start-up, the game
// thread, the main thread's message loop, and the ordered end.
#include <string>

// Runs the program in the current folder; commandLine: a stage or replay
// file to play at once (may be empty). Returns the exit code: the closing
// WM_QUIT's code (0) after a run, 0 when the player declines to end a
// running instance, 1 when the start failed.
int WinMain(const std::string& commandLine, int nCmdShow);
