#pragma once
// Walking Shift-JIS (CP932) text: a lead byte followed by a trail byte is one
// character; every other byte is a character of its own.

// True when a CP932 trail byte may follow a lead byte.
inline bool IsCp932TrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
// 1 when the byte at p is a lead byte and the next one a trail byte.
int IsSjisPair(const char* p);
// Characters in text: a lead/trail pair counts 1, "\n" does not count.
int GetSjisCharCount(const char* text);
// Bytes up to the first "\n" or the end.
int GetLineLength(const char* text);
