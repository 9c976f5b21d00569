#include "platform/system/log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/system/cp932.h"
#include "platform/system/file_owner.h"
#include "platform/system/mesbox.h"
#include "records/services.h"

namespace {

std::mutex g_LogLock;
std::string g_ReportPath;
std::string g_ECPath;
int g_bECEnabled = 0;
bool g_bECStarted = false;
bool g_bHeld = false;               // report lines wait in g_Held
std::vector<std::string> g_Held;
// Until the logs are claimed, lines of both logs wait here (true: the error log's).
bool g_bDeferred = false;
std::vector<std::pair<bool, std::string>> g_Deferred;
thread_local bool t_bAhead = false;  // this thread writes ahead of the held lines

constexpr size_t LINE_BUFFER = 1024;  // WriteReportEC, WriteReportMes

// Formats a line; with a limit the text is cut to limit - 1 bytes (a buffer
// of that size with its terminating zero), without one it is kept whole.
std::string VFormat(const char* format, va_list args, size_t limit) {
    char buf[LINE_BUFFER];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(buf, sizeof buf, format, copy);
    va_end(copy);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof buf) return std::string(buf, static_cast<size_t>(n));
    if (limit) return std::string(buf, std::min(limit, sizeof buf) - 1);
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

bool WriteReportLineLocked(const std::string& text);

// Appends text + CR LF to an existing report log, or keeps it while the log
// is held or not yet claimed. Caller holds the lock.
bool AppendReportLocked(const std::string& text) {
    if (g_ReportPath.empty()) return false;
    if (g_bHeld && !t_bAhead) {
        g_Held.push_back(text);
        return true;
    }
    if (g_bDeferred) {
        g_Deferred.emplace_back(false, text);
        return true;
    }
    return WriteReportLineLocked(text);
}

// Appends text + CR LF to the report log itself. Caller holds the lock.
bool WriteReportLineLocked(const std::string& text) {
    const FilePtr f = OpenFile(g_ReportPath.c_str(), "r+b");
    if (!f) return false;
    std::fseek(f.get(), 0, SEEK_END);
    std::fwrite(text.data(), 1, text.size(), f.get());
    std::fwrite("\r\n", 1, 2, f.get());
    return true;
}

void WriteECLocked(const std::string& text) {
    if (!g_bECEnabled) return;
    if (g_bDeferred) {
        g_Deferred.emplace_back(true, text);
        return;
    }
    const FilePtr f = OpenFile(g_ECPath.c_str(), g_bECStarted ? "ab" : "wb");
    g_bECStarted = true;  // a failed first open is not retried as a first write
    if (!f) return;
    std::fwrite(text.data(), 1, text.size(), f.get());
    std::fwrite("\r\n", 1, 2, f.get());
}

int ReportAndEC(const std::string& text, bool bShow) {
    {
        std::lock_guard<std::mutex> lock(g_LogLock);
        if (!AppendReportLocked(text)) return 0;
        WriteECLocked(text);
    }
    if (bShow) ErrMesBox(text.c_str());
    return 1;
}

}  // namespace

int ReportInit(const char* path) {
    std::lock_guard<std::mutex> lock(g_LogLock);
    if (!OpenFile(path, "wb")) return 0;  // created empty, closed at once
    g_ReportPath = path;
    return 1;
}

void ReportInitDeferred(const char* path) {
    std::lock_guard<std::mutex> lock(g_LogLock);
    g_ReportPath = path;
    g_bDeferred = true;
    g_Deferred.clear();
}

int ClaimLogs() {
    std::lock_guard<std::mutex> lock(g_LogLock);
    g_bDeferred = false;
    std::vector<std::pair<bool, std::string>> lines;
    lines.swap(g_Deferred);
    if (!OpenFile(g_ReportPath.c_str(), "wb")) return 0;
    // Written as they came: lines held back since are written after them.
    for (const auto& [bEC, text] : lines) {
        if (bEC) WriteECLocked(text);
        else WriteReportLineLocked(text);
    }
    return 1;
}

void DropLogs() {
    std::lock_guard<std::mutex> lock(g_LogLock);
    // Kept on standard error, where a person who started it sees them.
    for (const auto& [bEC, text] : g_Deferred)
        if (!bEC) std::fprintf(stderr, "%s\n", Cp932ToUtf8(text).c_str());
    for (const std::string& text : g_Held) std::fprintf(stderr, "%s\n", Cp932ToUtf8(text).c_str());
    g_bDeferred = false;
    g_Deferred.clear();
    g_bHeld = false;
    g_Held.clear();
    g_ReportPath.clear();
    g_bECEnabled = 0;
}

std::string ReportPath() {
    std::lock_guard<std::mutex> lock(g_LogLock);
    return g_ReportPath;
}

int WriteReport(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args, 0);
    va_end(args);
    std::lock_guard<std::mutex> lock(g_LogLock);
    return AppendReportLocked(text) ? 1 : 0;
}

int WriteReportEC(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args, LINE_BUFFER);
    va_end(args);
    return ReportAndEC(text, false);
}

int WriteReportMes(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args, LINE_BUFFER);
    va_end(args);
    return ReportAndEC(text, true);
}

const char* ECInit(int enabled, const char* path) {
    std::lock_guard<std::mutex> lock(g_LogLock);
    g_bECEnabled = enabled;
    g_ECPath = path ? path : "";
    return g_ECPath.c_str();
}

void WriteEC(const char* text) {
    std::lock_guard<std::mutex> lock(g_LogLock);
    WriteECLocked(text ? text : "");
}

void WriteECString(const char* text) { WriteEC(text); }

void WriteECf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args, 0);
    va_end(args);
    std::lock_guard<std::mutex> lock(g_LogLock);
    WriteECLocked(text);
}

void WriteECAndClose(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args, 0);
    va_end(args);
    {
        std::lock_guard<std::mutex> lock(g_LogLock);
        WriteECLocked(text);
    }
    RecFaultClose(text);
}

bool IsECEnabled() {
    std::lock_guard<std::mutex> lock(g_LogLock);
    return g_bECEnabled != 0;
}

void ResetLogs() {
    std::lock_guard<std::mutex> lock(g_LogLock);
    g_bHeld = false;
    g_Held.clear();
    g_bDeferred = false;
    g_Deferred.clear();
    g_ReportPath.clear();
    g_ECPath.clear();
    g_bECEnabled = 0;
    g_bECStarted = false;
}

void HoldReportLines() {
    std::lock_guard<std::mutex> lock(g_LogLock);
    g_bHeld = true;
}

void ReleaseReportLines(const std::function<void()>& ahead) {
    t_bAhead = true;
    ahead();
    t_bAhead = false;
    std::lock_guard<std::mutex> lock(g_LogLock);
    g_bHeld = false;
    for (const std::string& text : g_Held) AppendReportLocked(text);
    g_Held.clear();
}
