#pragma once
// What the machine is: the system's name and version, the processor, the
// memory and the free disk space, read from what Linux offers (os-release,
// uname, cpuid and /proc/cpuinfo, sysinfo and /proc, statvfs).
#include <chrono>
#include <cstdint>
#include <string>

// The processor.
struct CPUINFO {
    char szBrand[256] = {};   // brand string (48 characters of cpuid), empty when not available
    char szVendor[256] = {};  // vendor string (12 characters of cpuid leaf 0), empty when not available
    int bMMX = 0;
    int bSSE = 0;
    int bSSE2 = 0;
    int b3DNow = 0;
    int b3DNowExt = 0;
    double dClock = 0;  // measured clock frequency in Hz
};

// Memory figures in bytes (64-bit: nothing is capped at 4 GB).
struct MEMORYSTATUS {
    uint32_t dwLength = 0;      // sizeof(MEMORYSTATUS), set by GetMemoryStatus
    uint32_t dwMemoryLoad = 0;  // percent of physical memory in use
    uint64_t dwTotalPhys = 0;
    uint64_t dwAvailPhys = 0;
    uint64_t dwTotalPageFile = 0;  // physical memory and swap
    uint64_t dwAvailPageFile = 0;
    uint64_t dwTotalVirtual = 0;  // what the process can have: physical memory and swap, or its address-space limit
    uint64_t dwAvailVirtual = 0;
};

// One cpuid query: fills eax, ebx, ecx, edx of leaf; false when cpuid is not there.
using CpuidFunction = bool (*)(uint32_t leaf, uint32_t regs[4]);
// The processor's own cpuid (false everywhere off x86).
bool NativeCpuid(uint32_t leaf, uint32_t regs[4]);

// Fills the strings and flags from cpuid (both strings empty and all flags 0
// without it); leaves the clock alone.
void FillCPUInfo(CPUINFO* info, CpuidFunction cpuid);
// Fills everything: cpuid, /proc/cpuinfo where cpuid says nothing, and the clock.
void GetCPUInfo(CPUINFO* info);
// GetCPUInfo without the clock.
void GetCPUIdentity(CPUINFO* info);
// The processor clock in Hz, measured against the steady clock; 0 when unknown.
double MeasureCPUClock();
// MeasureCPUClock in two steps, so that other work can go on while the
// clock runs: the window opens, and its close waits out what is left of
// the measuring time and gives the clock.
struct CPUCLOCKWINDOW {
    uint64_t nTsc = 0;
    std::chrono::steady_clock::time_point at;
};
CPUCLOCKWINDOW OpenCPUClockWindow();
double CloseCPUClockWindow(const CPUCLOCKWINDOW& window);

// Parses /proc/cpuinfo text: vendor_id, model name and cpu MHz of the first processor.
struct PROCCPUINFO {
    std::string vendor, model;
    double dMHz = 0;
};
PROCCPUINFO ParseProcCpuinfo(const std::string& text);

// Fills the record (its length first).
void GetMemoryStatus(MEMORYSTATUS* status);

// Free bytes available to the caller on the disk of directory (null: the
// current one), at most 0x7FFFFFFF; 0 on failure.
uint32_t GetDiskFreeBytes(const char* directory);

// The system's name from os-release text (PRETTY_NAME, else NAME and VERSION), UTF-8.
std::string ParseOsReleaseName(const std::string& text);
// "%s %s PID %d Build %d": name, kernel name and release, process id and the
// kernel's build number (the "#N" of its version).
std::string FormatOSDescription(const std::string& name, const std::string& version, int pid, int build);
// The system's description into text (when given), and the Windows-style
// version into major and minor (when given). Linux has none of its own: the
// outputs keep their defaults 5 and 1.
void GetOSDescription(std::string* text, int* major, int* minor);
// True when the version of GetOSDescription is at least major.minor.
bool IsWindowsVersionAtLeast(int major, int minor);
