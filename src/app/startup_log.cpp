#include "app/startup_log.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string g_strFile;       // empty: the log is off
double g_dProcessStartMs = 0;  // the process's start on the boot-time clock

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

void WriteLine(const char* line) {
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
    std::snprintf(line, sizeof line, "main %.3f", StartupLogNow());
    WriteLine(line);
}

double StartupLogNow() { return g_strFile.empty() ? 0 : BootClockMs() - g_dProcessStartMs; }

void StartupLogSystemReport(double startMs) {
    const double now = StartupLogNow();
    char line[96];
    std::snprintf(line, sizeof line, "system report %.3f took %.3f", startMs, now - startMs);
    WriteLine(line);
}

void StartupLogFirstFrame() {
    if (g_strFile.empty()) return;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    char line[96];
    std::snprintf(line, sizeof line, "first frame %.3f peak memory %ld KB", StartupLogNow(), usage.ru_maxrss);
    WriteLine(line);
}
