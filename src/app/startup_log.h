#pragma once
// The start's cost, for the start-up benchmark: with QV_STARTUP_LOG=FILE
// set, FILE receives one line per point of the start, each in milliseconds
// since the process started (the kernel's start time, to its clock tick),
// the first giving that start on the boot-time clock so that a program that
// started this one can measure from its own clock:
//   process start 10573120.000
//   main 12.345
//   system report 12.401
//   ...
//   first frame 131.870 peak memory 46916 KB processor 98.100
// Without the variable nothing is measured or written.

// Reads the variable and writes the "process start" and "main" lines (at the entry of the program).
void StartupLogBegin();
// A point of the start was reached: "name time".
void StartupLogMark(const char* name);
// A frame is on the screen: the first one writes its time, the peak resident
// memory and the processor time of all threads so far; later ones nothing.
void StartupLogFirstFrame();
