#include "player/system_time.h"

#include <sys/time.h>
#include <time.h>

namespace {

// The system clock's local time.
void SystemLocalTime(SYSTEMTIME* st) {
    timeval tv{};
    ::gettimeofday(&tv, nullptr);
    tm t{};
    const time_t secs = tv.tv_sec;
    ::localtime_r(&secs, &t);
    st->wYear = static_cast<uint16_t>(t.tm_year + 1900);
    st->wMonth = static_cast<uint16_t>(t.tm_mon + 1);
    st->wDayOfWeek = static_cast<uint16_t>(t.tm_wday);
    st->wDay = static_cast<uint16_t>(t.tm_mday);
    st->wHour = static_cast<uint16_t>(t.tm_hour);
    st->wMinute = static_cast<uint16_t>(t.tm_min);
    st->wSecond = static_cast<uint16_t>(t.tm_sec);
    st->wMilliseconds = static_cast<uint16_t>(tv.tv_usec / 1000);
}

void (*g_LocalTimeSource)(SYSTEMTIME*) = SystemLocalTime;

}  // namespace

void SetLocalTimeSource(void (*source)(SYSTEMTIME* st)) { g_LocalTimeSource = source ? source : SystemLocalTime; }

void GetLocalTime(SYSTEMTIME* st) { g_LocalTimeSource(st); }

void ReadSystemTime(cDataReader& file, SYSTEMTIME& st) {
    st.wYear = file.ReadU16();
    st.wMonth = file.ReadU16();
    st.wDayOfWeek = file.ReadU16();
    st.wDay = file.ReadU16();
    st.wHour = file.ReadU16();
    st.wMinute = file.ReadU16();
    st.wSecond = file.ReadU16();
    st.wMilliseconds = file.ReadU16();
}

void WriteSystemTime(cDataWriter& file, const SYSTEMTIME& st) {
    file.WriteU16(st.wYear);
    file.WriteU16(st.wMonth);
    file.WriteU16(st.wDayOfWeek);
    file.WriteU16(st.wDay);
    file.WriteU16(st.wHour);
    file.WriteU16(st.wMinute);
    file.WriteU16(st.wSecond);
    file.WriteU16(st.wMilliseconds);
}
