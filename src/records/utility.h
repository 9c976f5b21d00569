#pragma once
// Small helpers that every subsystem uses: printf-style formatting into
// strings, integer text, the inclusive random range, sound requests and √2.
#include <cstdint>
#include <string>

// Longest text FormatString and FormatString2 produce (a 5120-byte buffer).
constexpr int FORMAT_BUFFER_SIZE = 5120;

// Formats like sprintf and assigns the result (at most 5119 bytes) to str.
// str may also appear among the arguments: they are read before it changes.
void FormatString(std::string& str, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Formats like sprintf and appends the result (at most 5119 bytes) to str.
std::string& FormatString2(std::string& str, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Decimal text of value, at least `digits` wide; leading zeros when bZero is
// set, else spaces; "-" for negatives, "+" for the rest when bPlus is set.
void IntToStr(std::string& str, int value, int digits, int bZero, int bPlus);
// Number of decimal digits of value (1 to 10), the sign not counted.
int GetDigitNum(int value);
// A random integer between a and b inclusive, from the runtime generator.
int RandRange(int a, int b);

// Asks the main window to play sound effect n (WM_USER+5) and returns its answer.
int PlaySE(int n);
// Plays the sound a data record names: 0 is none, n is list entry n + 16.
void PlayDataSE(uint16_t n);

extern const double dRoot2;     // √2
extern const double dInvRoot2;  // 1/√2

// Turns a double into an int the one way the runtime does it: truncation
// toward zero, clamped to the int range (NaN gives 0).
int DoubleToInt(double d);
