#include "platform/system/sysreport.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

#include "platform/graphics/dd_init.h"
#include "platform/system/log.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    std::vector<std::string> lines;
    std::string all = ss.str();
    for (size_t pos = 0; pos < all.size();) {
        const size_t end = all.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(all.substr(pos) + "<no CR LF>");
            break;
        }
        lines.push_back(all.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

void Copy(char (&dst)[256], const char* src) {
    std::snprintf(dst, sizeof dst, "%s", src);
}

SYSTEMFACTS SampleFacts() {
    SYSTEMFACTS f;
    f.os = "Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64 PID 0 Build 1";
    Copy(f.cpu.szVendor, "GenuineIntel");
    Copy(f.cpu.szBrand, "Example CPU @ 3.00GHz");
    f.cpu.dClock = 2993999999.0;
    f.mem.dwTotalPhys = 16ULL << 30;
    f.mem.dwAvailPhys = (3ULL << 30) + (1ULL << 19);  // 3072.5 MB
    f.mem.dwTotalVirtual = 1ULL << 47;
    f.mem.dwAvailVirtual = (1ULL << 47) - (100ULL << 20);
    f.nDiskFree = 0x7FFFFFFF;
    return f;
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPlatformState();
        ASSERT_EQ(ReportInit(path.c_str()), 1);
    }
    void TearDown() override { ResetPlatformState(); }
    cTempDir dir;
    std::string path = dir.File("Report_Game.txt");
};

TEST_F(ReportTest, SystemReportLinesInTheirFormats) {
    ASSERT_EQ(WriteSystemReportLines(SampleFacts()), 1);
    EXPECT_EQ(ReadLines(path), (std::vector<std::string>{
                                   "OS : Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64 PID 0 Build 1",
                                   "CPU : GenuineIntel Example CPU @ 3.00GHz 2993",  // MHz truncated
                                   "Mem Total : 16384.000MB",
                                   "Mem Free : 3072MB",  // no decimals, rounded
                                   "Vir Total : 134217728.000MB",
                                   "Vir Free : 134217628MB",
                                   "HD Free : 2048MB",  // 0x7FFFFFFF bytes
                               }));
}

TEST_F(ReportTest, EmptyBrandAndUnknownSystemLeaveTheirBlanks) {
    SYSTEMFACTS f = SampleFacts();
    f.cpu.szBrand[0] = '\0';
    f.os = FormatOSDescription("", "Linux 6.1.0", 0, 7);
    WriteSystemReportLines(f);
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "OS :  Linux 6.1.0 PID 0 Build 7");
    EXPECT_EQ(lines[1], "CPU : GenuineIntel  2993");
}

TEST_F(ReportTest, AReportLogThatCannotBeWrittenGetsNothing) {
    ResetLogs();
    EXPECT_EQ(WriteSystemReportLines(SampleFacts()), 0);
    EXPECT_EQ(WriteDisplayReportLines(DISPLAYFACTS{}, 1), 0);
}

TEST_F(ReportTest, ThisMachinesReportHasEveryLineInItsFormat) {
    ASSERT_EQ(WriteSystemReport(), 1);
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 7u);
    const char* patterns[] = {
        R"(OS : .* PID \d+ Build \d+)",       R"(CPU : .* \d+)",           R"(Mem Total : \d+\.\d{3}MB)",
        R"(Mem Free : +\d+MB)",             R"(Vir Total : \d+\.\d{3}MB)", R"(Vir Free : +\d+MB)",
        R"(HD Free : +\d+MB)",
    };
    for (size_t i = 0; i < 7; ++i) EXPECT_TRUE(std::regex_match(lines[i], std::regex(patterns[i]))) << lines[i];
    const int hd = std::atoi(lines[6].c_str() + 10);
    EXPECT_LE(hd, 2048);
}

TEST_F(ReportTest, TheTwoStepReportWritesItsLinesAheadOfThoseWrittenWhileItsClockRuns) {
    WriteReport("App : ver 825");
    const auto start = std::chrono::steady_clock::now();
    {
        cSystemReport report;
        WriteReport("Joystick 0 : opened");  // a line of the start while the clock runs
        std::thread([] { WriteReport("from another thread"); }).join();
        EXPECT_EQ(ReadLines(path).size(), 1u);
        EXPECT_EQ(report.End(), 1);
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5));  // the clock's window
        EXPECT_EQ(report.End(), 1);  // written once
    }
    WriteReport("after");
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "App : ver 825");
    const char* patterns[] = {
        R"(OS : .* PID \d+ Build \d+)",       R"(CPU : .* \d+)",           R"(Mem Total : \d+\.\d{3}MB)",
        R"(Mem Free : +\d+MB)",             R"(Vir Total : \d+\.\d{3}MB)", R"(Vir Free : +\d+MB)",
        R"(HD Free : +\d+MB)",
    };
    for (size_t i = 0; i < 7; ++i) EXPECT_TRUE(std::regex_match(lines[i + 1], std::regex(patterns[i]))) << lines[i + 1];
    EXPECT_EQ(lines[8], "Joystick 0 : opened");
    EXPECT_EQ(lines[9], "from another thread");
    EXPECT_EQ(lines[10], "after");
    // The clock is this machine's, as the one-step report measures it (to a few MHz).
    const int twoStep = std::atoi(lines[2].substr(lines[2].rfind(' ') + 1).c_str());
    const int oneStep = static_cast<int>(MeasureCPUClock() / 1000000);
    EXPECT_NEAR(twoStep, oneStep, std::max(5, oneStep / 100));
}

TEST_F(ReportTest, TheTwoStepReportEndsWhenItGoes) {
    { cSystemReport report; }
    WriteReport("after");
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].rfind("OS : ", 0), 0u);
    EXPECT_EQ(lines[7], "after");
}

DISPLAYFACTS DisplayFacts(int bWindow, int bDirectDraw, int bDirect3D) {
    DISPLAYFACTS f;
    f.state = DISPLAYSTATE{bWindow, 32, bDirectDraw, bDirect3D};
    f.nVramTotal = 512ULL << 20;
    f.nVramFree = 256ULL << 20;
    f.nRefreshRate = 60;
    f.library = "SDL 2.26.5";
    f.displays = {"Screen A"};
    return f;
}

TEST_F(ReportTest, DisplayReportUnderDirectDrawHasNoDirect3DLines) {
    ASSERT_EQ(WriteDisplayReportLines(DisplayFacts(1, 1, 0), 1), 1);
    EXPECT_EQ(ReadLines(path), (std::vector<std::string>{"Mode : Window", "Bpp : 32", "VRAM Total : 512.000MB",
                                                         "VRAM Free : 256.000MB", "RR : 60"}));
}

TEST_F(ReportTest, DisplayReportUnderDirect3DAloneHasNoMemoryOrRefreshLines) {
    ASSERT_EQ(WriteDisplayReportLines(DisplayFacts(0, 0, 1), 1), 1);
    EXPECT_EQ(ReadLines(path), (std::vector<std::string>{"Mode : Fullscreen", "Bpp : 32", "SDL 2.26.5",
                                                         "---デバイス0", "Destination : Screen A", "DDI : 9"}));
}

TEST_F(ReportTest, DisplayFactsComeFromTheGraphicsLayerAndSDL) {
    // The state the graphics layer was started in: DirectDraw at 8 bits in a window...
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 8, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    const DISPLAYSTATE dd = CurrentDisplayState();
    EXPECT_EQ(dd.bWindow, 1);
    EXPECT_EQ(dd.nBpp, 8);
    EXPECT_EQ(dd.bDirectDraw, 1);
    EXPECT_EQ(dd.bDirect3D, 0);
    // ...and Direct3D at 32 full screen, with no DirectDraw memory lines.
    ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 0, 0, 1, 60, 0, nullptr, nullptr, 0));
    cEnvGuard env("SDL_VIDEODRIVER", "dummy");
    // No X server: with one, libdbus (reached by SDL through X11 autolaunch)
    // keeps an allocation that the leak checker reports.
    env.Unset("DISPLAY");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    const DISPLAYFACTS f = CollectDisplayFacts();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    DDResetForTest();
    EXPECT_EQ(f.state.bWindow, 0);
    EXPECT_EQ(f.state.nBpp, 32);
    EXPECT_EQ(f.state.bDirectDraw, 0);
    EXPECT_EQ(f.state.bDirect3D, 1);
    EXPECT_EQ(f.nVramTotal, 0u);  // no DirectDraw back end
    EXPECT_FALSE(f.displays.empty());
    EXPECT_EQ(f.library.rfind("SDL 2.", 0), 0u);
    uint32_t total = 1, free = 1;
    DDGetVideoMemory(&total, &free);
    EXPECT_EQ(total, 0u);
    EXPECT_EQ(free, 0u);
}

TEST_F(ReportTest, NoVideoMemoryIsCountedUnderEitherBackEnd) {
    uint32_t total = 1, free = 1;
    DDGetVideoMemory(&total, &free);
    EXPECT_EQ(total, 0u);
    EXPECT_EQ(free, 0u);
    EXPECT_GE(GetDDIVersion(), 9u);  // the Direct3D back end may start
}

// ---- machine facts ----

// A scripted cpuid: leaf -> registers; leaves not listed are absent.
std::map<uint32_t, std::array<uint32_t, 4>> g_Leaves;
bool ScriptedCpuid(uint32_t leaf, uint32_t regs[4]) {
    auto it = g_Leaves.find(leaf);
    if (it == g_Leaves.end()) return false;
    for (int i = 0; i < 4; ++i) regs[i] = it->second[i];
    return true;
}
uint32_t Chars(const char* s) {
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}

TEST(CpuInfo, ReadsVendorFlagsAndBrandFromTheLeaves) {
    g_Leaves.clear();
    // Vendor "AuthenticAMD" is EBX "Auth", EDX "enti", ECX "cAMD".
    g_Leaves[0] = {1, Chars("Auth"), Chars("cAMD"), Chars("enti")};
    g_Leaves[1] = {0, 0, 0, (1u << 23) | (1u << 26)};  // MMX and SSE2, no SSE
    g_Leaves[0x80000000] = {0x80000004, 0, 0, 0};
    g_Leaves[0x80000001] = {0, 0, 0, 1u << 31};  // 3DNow!, no extensions
    const char* brand = "Sample Processor 1000 MHz";  // 25 characters, zero-padded to 48
    char padded[48] = {};
    std::memcpy(padded, brand, std::strlen(brand));
    for (uint32_t l = 0; l < 3; ++l)
        g_Leaves[0x80000002 + l] = {Chars(padded + 16 * l), Chars(padded + 16 * l + 4), Chars(padded + 16 * l + 8),
                                    Chars(padded + 16 * l + 12)};
    CPUINFO info;
    info.dClock = 5;
    FillCPUInfo(&info, ScriptedCpuid);
    EXPECT_STREQ(info.szVendor, "AuthenticAMD");
    EXPECT_STREQ(info.szBrand, brand);
    EXPECT_EQ(info.bMMX, 1);
    EXPECT_EQ(info.bSSE, 0);
    EXPECT_EQ(info.bSSE2, 1);
    EXPECT_EQ(info.b3DNow, 1);
    EXPECT_EQ(info.b3DNowExt, 0);
    EXPECT_EQ(info.dClock, 5);  // the clock is measured elsewhere
}

TEST(CpuInfo, WithoutTheBrandLeavesTheBrandIsEmpty) {
    g_Leaves.clear();
    g_Leaves[0] = {0, Chars("Genu"), Chars("ntel"), Chars("ineI")};
    g_Leaves[0x80000000] = {0x80000001, 0, 0, 0};
    g_Leaves[0x80000001] = {0, 0, 0, 0};
    CPUINFO info;
    FillCPUInfo(&info, ScriptedCpuid);
    EXPECT_STREQ(info.szVendor, "GenuineIntel");
    EXPECT_STREQ(info.szBrand, "");
    EXPECT_EQ(info.bMMX, 0);  // highest leaf 0: no flags read
}

TEST(CpuInfo, WithoutCpuidEverythingIsEmpty) {
    CPUINFO info;
    Copy(info.szVendor, "stale");
    FillCPUInfo(&info, [](uint32_t, uint32_t*) { return false; });
    EXPECT_STREQ(info.szVendor, "");
    EXPECT_STREQ(info.szBrand, "");
}

TEST(CpuInfo, ProcCpuinfoGivesTheFirstProcessor) {
    const PROCCPUINFO p = ParseProcCpuinfo(
        "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Example CPU\ncpu MHz\t\t: 2400.123\n\n"
        "processor\t: 1\nvendor_id\t: Other\nmodel name\t: Other CPU\ncpu MHz\t\t: 800.0\n");
    EXPECT_EQ(p.vendor, "GenuineIntel");
    EXPECT_EQ(p.model, "Example CPU");
    EXPECT_DOUBLE_EQ(p.dMHz, 2400.123);
}

TEST(SystemFacts, OsReleaseNameWithQuotesOrWithout) {
    EXPECT_EQ(ParseOsReleaseName("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(ParseOsReleaseName("NAME=Sample\nVERSION='1 \\\"x\\\"'\n"), "Sample 1 \"x\"");
    EXPECT_EQ(ParseOsReleaseName(""), "");
}

TEST(SystemFacts, ThisMachinesFiguresAreConsistent) {
    MEMORYSTATUS m;
    GetMemoryStatus(&m);
    EXPECT_EQ(m.dwLength, sizeof(MEMORYSTATUS));
    EXPECT_GT(m.dwTotalPhys, 0u);
    EXPECT_LE(m.dwAvailPhys, m.dwTotalPhys);
    EXPECT_LE(m.dwAvailVirtual, m.dwTotalVirtual);
    // What the process can have is memory the machine has, not the 128 TB of address space.
    EXPECT_LE(m.dwTotalVirtual, m.dwTotalPageFile);
    EXPECT_LE(GetDiskFreeBytes(nullptr), 0x7FFFFFFFu);
    EXPECT_EQ(GetDiskFreeBytes("no\\such\\folder"), 0u);
    int major = 0, minor = 0;
    std::string text;
    GetOSDescription(&text, &major, &minor);
    EXPECT_EQ(major, 5);
    EXPECT_EQ(minor, 1);
    // The process id, and the kernel's build number.
    EXPECT_NE(text.find(" PID " + std::to_string(::getpid()) + " Build "), std::string::npos) << text;
    EXPECT_TRUE(IsWindowsVersionAtLeast(5, 1));
    EXPECT_FALSE(IsWindowsVersionAtLeast(6, 0));
}

}  // namespace
