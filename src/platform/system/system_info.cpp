#include "platform/system/system_info.h"

#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/system/chrono_types.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/system/cp932.h"
#include "records/services.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define QV_HAVE_CPUID 1
#endif

namespace {

constexpr uint32_t MAX_DISK_FREE = 0x7FFFFFFF;
// The Windows platform number has no Linux value; the report shows this.
constexpr int DEFAULT_MAJOR = 5, DEFAULT_MINOR = 1;
// The clock is measured over this window. A sleep, not a busy loop: the
// time-stamp counter runs on at its fixed rate while the thread sleeps.
// Each end reads the counter between two reads of the steady clock, taken
// again until the two lie within a microsecond of each other (no switch to
// another thread came between): an end is then known to a microsecond, a
// 5,000th of the window, and the clock comes out to the MHz below 5 GHz.
constexpr auto CLOCK_WINDOW = std::chrono::milliseconds(5);

std::string ReadTextFile(const char* path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::string();
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return std::string();
    const size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

void CopyText(char (&dst)[256], const std::string& src) {
    const size_t n = std::min(src.size(), sizeof dst - 1);
    std::memcpy(dst, src.data(), n);
    dst[n] = '\0';
}

// The four registers as text, in the order given, up to the first zero byte.
std::string RegisterText(std::initializer_list<uint32_t> regs) {
    std::string s;
    for (uint32_t r : regs)
        for (int i = 0; i < 4; ++i) s += static_cast<char>((r >> (8 * i)) & 0xFF);
    const size_t z = s.find('\0');
    return z == std::string::npos ? s : s.substr(0, z);
}

// Value of "KEY=value" in os-release text, with its quotes and escapes undone.
std::string OsReleaseValue(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size() + 1, key + "=") != 0) continue;
        std::string v = Trim(line.substr(key.size() + 1));
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
            v = v.substr(1, v.size() - 2);
            std::string out;
            for (size_t i = 0; i < v.size(); ++i) {
                if (v[i] == '\\' && i + 1 < v.size()) ++i;
                out += v[i];
            }
            v = out;
        }
        return v;
    }
    return std::string();
}

// The kernel's build number: the digits after '#' in its version text.
int KernelBuild(const char* version) {
    const char* p = std::strchr(version, '#');
    return p ? std::atoi(p + 1) : 0;
}

// Size of the process's virtual memory in bytes (VmSize), 0 when unknown.
uint64_t ProcessVirtualSize() {
    std::istringstream in(ReadTextFile("/proc/self/status"));
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 7, "VmSize:") == 0) return std::strtoull(line.c_str() + 7, nullptr, 10) * 1024;
    return 0;
}

// MemAvailable of /proc/meminfo in bytes, 0 when the kernel does not give it.
uint64_t MemAvailable() {
    std::istringstream in(ReadTextFile("/proc/meminfo"));
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 13, "MemAvailable:") == 0) return std::strtoull(line.c_str() + 13, nullptr, 10) * 1024;
    return 0;
}

}  // namespace

bool NativeCpuid(uint32_t leaf, uint32_t regs[4]) {
#ifdef QV_HAVE_CPUID
    unsigned a, b, c, d;
    // False for a leaf above the highest one of its range.
    if (!__get_cpuid_count(leaf, 0, &a, &b, &c, &d)) return false;
    regs[0] = a;
    regs[1] = b;
    regs[2] = c;
    regs[3] = d;
    return true;
#else
    (void)leaf;
    (void)regs;
    return false;
#endif
}

void FillCPUInfo(CPUINFO* info, CpuidFunction cpuid) {
    const double clock = info->dClock;
    *info = CPUINFO{};
    info->dClock = clock;
    uint32_t r[4];
    if (!cpuid || !cpuid(0, r)) return;
    const uint32_t maxLeaf = r[0];
    CopyText(info->szVendor, RegisterText({r[1], r[3], r[2]}));
    if (maxLeaf >= 1 && cpuid(1, r)) {
        info->bMMX = (r[3] >> 23) & 1;
        info->bSSE = (r[3] >> 25) & 1;
        info->bSSE2 = (r[3] >> 26) & 1;
    }
    if (!cpuid(0x80000000, r)) return;
    const uint32_t maxExt = r[0];
    if (maxExt >= 0x80000001 && cpuid(0x80000001, r)) {
        info->b3DNow = (r[3] >> 31) & 1;
        info->b3DNowExt = (r[3] >> 30) & 1;
    }
    if (maxExt >= 0x80000004) {
        std::string brand;
        for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
            if (!cpuid(leaf, r)) return;
            brand += RegisterText({r[0], r[1], r[2], r[3]});
            if (brand.size() % 16) break;  // a zero byte ended the string
        }
        CopyText(info->szBrand, brand);
    }
}

PROCCPUINFO ParseProcCpuinfo(const std::string& text) {
    PROCCPUINFO out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            if (Trim(line).empty() && (!out.vendor.empty() || !out.model.empty())) break;  // first processor only
            continue;
        }
        const std::string key = Trim(line.substr(0, colon)), value = Trim(line.substr(colon + 1));
        if (key == "vendor_id" && out.vendor.empty()) out.vendor = value;
        else if (key == "model name" && out.model.empty()) out.model = value;
        else if (key == "cpu MHz" && out.dMHz == 0) out.dMHz = std::strtod(value.c_str(), nullptr);
    }
    return out;
}

#ifdef QV_HAVE_CPUID
namespace {

// One end of the window: the counter and the steady clock at the middle of
// the (shortest of a few) bracket of steady-clock reads around it.
struct CLOCKEND {
    uint64_t nTsc = 0;
    std::chrono::steady_clock::time_point at;
};

CLOCKEND ReadClockEnd() {
    using clock = std::chrono::steady_clock;
    CLOCKEND best;
    auto bestSpan = clock::duration::max();
    for (int i = 0; i < 8; ++i) {
        const auto a = clock::now();
        const uint64_t t = __rdtsc();
        const auto b = clock::now();
        if (b - a < bestSpan) {
            bestSpan = b - a;
            best = {t, a + (b - a) / 2};
        }
        if (bestSpan < std::chrono::microseconds(1)) break;
    }
    return best;
}

}  // namespace
#endif

CPUCLOCKWINDOW OpenCPUClockWindow() {
    CPUCLOCKWINDOW window;
#ifdef QV_HAVE_CPUID
    const CLOCKEND start = ReadClockEnd();
    window.nTsc = start.nTsc;
    window.at = start.at;
#endif
    return window;
}

double CloseCPUClockWindow(const CPUCLOCKWINDOW& window) {
#ifdef QV_HAVE_CPUID
    std::this_thread::sleep_until(window.at + CLOCK_WINDOW);
    const CLOCKEND end = ReadClockEnd();
    const double seconds = std::chrono::duration<double>(end.at - window.at).count();
    if (seconds > 0) return static_cast<double>(end.nTsc - window.nTsc) / seconds;
#endif
    (void)window;
    return ParseProcCpuinfo(ReadTextFile("/proc/cpuinfo")).dMHz * 1e6;
}

double MeasureCPUClock() { return CloseCPUClockWindow(OpenCPUClockWindow()); }

void GetCPUIdentity(CPUINFO* info) {
    FillCPUInfo(info, NativeCpuid);
    if (!info->szVendor[0] || !info->szBrand[0]) {
        const PROCCPUINFO proc = ParseProcCpuinfo(ReadTextFile("/proc/cpuinfo"));
        if (!info->szVendor[0]) CopyText(info->szVendor, proc.vendor);
        if (!info->szBrand[0]) CopyText(info->szBrand, proc.model);
    }
}

void GetCPUInfo(CPUINFO* info) {
    GetCPUIdentity(info);
    info->dClock = MeasureCPUClock();
}

void GetMemoryStatus(MEMORYSTATUS* status) {
    *status = MEMORYSTATUS{};
    status->dwLength = sizeof(MEMORYSTATUS);
    struct sysinfo si {};
    if (sysinfo(&si) == 0) {
        const uint64_t unit = si.mem_unit ? si.mem_unit : 1;
        status->dwTotalPhys = si.totalram * unit;
        status->dwAvailPhys = MemAvailable();
        if (status->dwAvailPhys == 0) status->dwAvailPhys = (si.freeram + si.bufferram) * unit;
        status->dwTotalPageFile = status->dwTotalPhys + si.totalswap * unit;
        status->dwAvailPageFile = status->dwAvailPhys + si.freeswap * unit;
        if (status->dwTotalPhys)
            status->dwMemoryLoad =
                static_cast<uint32_t>(100 - status->dwAvailPhys * 100 / status->dwTotalPhys);
    }
    // The memory the process can have: physical memory and swap, or less
    // when a limit is set on its address space.
    status->dwTotalVirtual = status->dwTotalPageFile;
    status->dwAvailVirtual = status->dwAvailPageFile;
    struct rlimit rl {};
    if (getrlimit(RLIMIT_AS, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY && rl.rlim_cur < status->dwTotalVirtual) {
        const uint64_t used = ProcessVirtualSize();
        status->dwTotalVirtual = rl.rlim_cur;
        status->dwAvailVirtual = std::min(status->dwAvailVirtual, used < rl.rlim_cur ? rl.rlim_cur - used : 0);
    }
}

uint32_t GetDiskFreeBytes(const char* directory) {
    const std::string path = directory ? RecNativePath(directory, false) : std::string(".");
    struct statvfs st {};
    if (statvfs(path.empty() ? "." : path.c_str(), &st) != 0) return 0;
    const unsigned __int128 bytes = static_cast<unsigned __int128>(st.f_bavail) * st.f_frsize;
    return bytes > MAX_DISK_FREE ? MAX_DISK_FREE : static_cast<uint32_t>(bytes);
}

std::string ParseOsReleaseName(const std::string& text) {
    std::string name = OsReleaseValue(text, "PRETTY_NAME");
    if (!name.empty()) return name;
    name = OsReleaseValue(text, "NAME");
    const std::string version = OsReleaseValue(text, "VERSION");
    if (!name.empty() && !version.empty()) name += " " + version;
    return name;
}

std::string FormatOSDescription(const std::string& name, const std::string& version, int pid, int build) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%s %s PID %d Build %d", name.c_str(), version.c_str(), pid, build);
    return buf;
}

void GetOSDescription(std::string* text, int* major, int* minor) {
    if (major) *major = DEFAULT_MAJOR;
    if (minor) *minor = DEFAULT_MINOR;
    if (!text) return;
    std::string osRelease = ReadTextFile("/etc/os-release");
    if (osRelease.empty()) osRelease = ReadTextFile("/usr/lib/os-release");
    std::string version;
    int build = 0;
    struct utsname u {};
    if (uname(&u) == 0) {
        version = std::string(u.sysname) + " " + u.release;
        build = KernelBuild(u.version);
    }
    *text = FormatOSDescription(Utf8ToCp932(ParseOsReleaseName(osRelease)), version, static_cast<int>(::getpid()), build);
}

bool IsWindowsVersionAtLeast(int major, int minor) {
    int osMajor = 0, osMinor = 0;
    GetOSDescription(nullptr, &osMajor, &osMinor);
    return osMajor > major || (osMajor == major && osMinor >= minor);
}
