#include "records/services.h"

#include <cstdio>
#include <mutex>

namespace {

RECORDSERVICES g_Services;
std::mutex g_FaultLock;
std::string g_strFault;  // guarded by g_FaultLock

}  // namespace

void SetRecordServices(const RECORDSERVICES& services) { g_Services = services; }

void ResetRecordServices() {
    g_Services = RECORDSERVICES{};
    std::lock_guard<std::mutex> lock(g_FaultLock);
    g_strFault.clear();
}

void RecWriteEC(const std::string& line) {
    if (g_Services.WriteEC) g_Services.WriteEC(line.c_str());
}

void RecWriteReport(const std::string& line) {
    if (g_Services.WriteReport)
        g_Services.WriteReport(line.c_str());
    else
        std::fprintf(stderr, "%s\n", line.c_str());
}

void RecPostClose() {
    if (g_Services.PostClose) g_Services.PostClose();
}

void RecFaultClose(const std::string& why) {
    {
        std::lock_guard<std::mutex> lock(g_FaultLock);
        if (g_strFault.empty()) g_strFault = why.empty() ? std::string("?") : why;
    }
    RecPostClose();
}

std::string RecFaultReason() {
    std::lock_guard<std::mutex> lock(g_FaultLock);
    return g_strFault;
}

int RecSendPlaySE(int n) { return g_Services.SendPlaySE ? g_Services.SendPlaySE(n) : 0; }

void RecDebugMesBox(const std::string& text) {
    if (g_Services.DebugMesBox) g_Services.DebugMesBox(text.c_str());
}

std::string RecNativePath(const std::string& path, bool bCreate) {
    if (g_Services.ToNativePath) return g_Services.ToNativePath(path, bCreate);
    std::string s = path;
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}
