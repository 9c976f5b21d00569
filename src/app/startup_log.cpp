#include "app/startup_log.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>

namespace {

std::mutex g_Lock;            // the game thread writes too
std::string g_strFile;       // empty: the log is off
double g_dProcessStartMs = 0;  // the process's start on the boot-time clock
bool g_bFirstFrame = false;  // the first frame's line is written

double BootClockMs() {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The process's start in ms on the boot-time clock: field 22 of
// /proc/self/stat, in clock ticks since boot; -1 when it cannot be read.
double ProcessStartMs() {
    std::ifstream f("/proc/self/stat");
    std::string text;
    std::getline(f, text);
    const auto paren = text.rfind(')');  // the command name may hold spaces
    if (paren == std::string::npos) return -1;
    std::istringstream fields(text.substr(paren + 2));
    std::string field;
    // Fields 3..21 come first; the start time is field 22.
    for (int i = 3; i <= 21 && fields >> field; ++i) {
    }
    unsigned long long ticks = 0;
    if (!(fields >> ticks)) return -1;
    const long hz = sysconf(_SC_CLK_TCK);
    return hz > 0 ? static_cast<double>(ticks) * 1000.0 / static_cast<double>(hz) : -1;
}

// Milliseconds since the process started.
double SinceStart() { return BootClockMs() - g_dProcessStartMs; }

void WriteLine(const char* line) {
    std::lock_guard<std::mutex> lock(g_Lock);
    if (g_strFile.empty()) return;
    if (FILE* f = std::fopen(g_strFile.c_str(), "a")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}

}  // namespace

void StartupLogBegin() {
    const char* file = std::getenv("QV_STARTUP_LOG");
    if (!file || !*file) return;
    g_dProcessStartMs = ProcessStartMs();
    if (g_dProcessStartMs < 0) return;
    g_strFile = file;
    if (FILE* f = std::fopen(file, "w")) std::fclose(f);
    char line[64];
    std::snprintf(line, sizeof line, "process start %.3f", g_dProcessStartMs);
    WriteLine(line);
    StartupLogMark("main");
}

void StartupLogMark(const char* name) {
    if (g_strFile.empty()) return;
    char line[96];
    std::snprintf(line, sizeof line, "%s %.3f", name, SinceStart());
    WriteLine(line);
}

void StartupLogFirstFrame() {
    if (g_strFile.empty() || g_bFirstFrame) return;
    g_bFirstFrame = true;
    const double now = SinceStart();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    char line[128];
    std::snprintf(line, sizeof line, "first frame %.3f peak memory %ld KB processor %.3f", now, usage.ru_maxrss, cpuMs);
    WriteLine(line);
}
