#pragma once
// The start's cost, for the start-up benchmark: with QV_STARTUP_LOG=FILE
// set, FILE receives one line per point of the start, each in milliseconds
// since the process started (the kernel's start time, to its clock tick):
//   main 12.345
//   system report 14.002 took 51.210
//   first frame 131.870 peak memory 46916 KB
// Without the variable nothing is measured or written.

// Reads the variable and writes the "main" line (at the entry of the program).
void StartupLogBegin();
// The system report ran from startMs to now (times of StartupLogNow).
void StartupLogSystemReport(double startMs);
// The first frame is on the screen: its time and the peak resident memory.
void StartupLogFirstFrame();
// Milliseconds since the process started; 0 while the log is off.
double StartupLogNow();
