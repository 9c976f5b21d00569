#pragma once
// A calendar time as the player's files store it: eight 16-bit words (year,
// month, day of week, day, hour, minute, second, millisecond), 16 bytes.
#include <cstdint>

#include "records/data_stream.h"

struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

// The local time now, from the installed source (the system clock unless a
// test installed another).
void GetLocalTime(SYSTEMTIME* st);
// Installs a source of the local time (null: the system clock again).
void SetLocalTimeSource(void (*source)(SYSTEMTIME* st));

// The 16 bytes, word by word, little-endian.
void ReadSystemTime(cDataReader& file, SYSTEMTIME& st);
void WriteSystemTime(cDataWriter& file, const SYSTEMTIME& st);
