#include "platform/system/sysreport.h"

#include <SDL.h>

#include <cstdio>

#include "platform/graphics/dd_init.h"
#include "platform/seam/native_window.h"
#include "platform/system/cp932.h"
#include "platform/system/log.h"

namespace {

constexpr double BYTES_TO_MB = 1.0 / 1048576.0;
constexpr uint32_t SOFTWARE_DDI_VERSION = 9;

double MB(uint64_t bytes) { return static_cast<double>(bytes) * BYTES_TO_MB; }

}  // namespace

namespace {

// The facts but the processor's clock.
SYSTEMFACTS FactsWithoutClock() {
    SYSTEMFACTS f;
    GetOSDescription(&f.os, nullptr, nullptr);
    GetCPUIdentity(&f.cpu);
    GetMemoryStatus(&f.mem);
    f.nDiskFree = GetDiskFreeBytes(nullptr);
    return f;
}

}  // namespace

SYSTEMFACTS CollectSystemFacts() {
    SYSTEMFACTS f = FactsWithoutClock();
    f.cpu.dClock = MeasureCPUClock();
    return f;
}

int WriteSystemReportLines(const SYSTEMFACTS& f) {
    // The first line tells whether the log can be written at all.
    if (!WriteReport("OS : %s", f.os.c_str())) return 0;
    WriteReport("CPU : %s %s %d", f.cpu.szVendor, f.cpu.szBrand, static_cast<int>(f.cpu.dClock / 1000000));
    WriteReport("Mem Total : %.3fMB", MB(f.mem.dwTotalPhys));
    WriteReport("Mem Free : %3.fMB", MB(f.mem.dwAvailPhys));
    WriteReport("Vir Total : %.3fMB", MB(f.mem.dwTotalVirtual));
    WriteReport("Vir Free : %3.fMB", MB(f.mem.dwAvailVirtual));
    WriteReport("HD Free : %3.fMB", MB(f.nDiskFree));
    return 1;
}

int WriteSystemReport() { return WriteSystemReportLines(CollectSystemFacts()); }

cSystemReport::cSystemReport() : m_Facts(FactsWithoutClock()) {
    m_Clock = OpenCPUClockWindow();
    HoldReportLines();
}

cSystemReport::~cSystemReport() { End(); }

int cSystemReport::End() {
    if (m_bEnded) return m_nResult;
    m_bEnded = true;
    m_Facts.cpu.dClock = CloseCPUClockWindow(m_Clock);
    ReleaseReportLines([this] { m_nResult = WriteSystemReportLines(m_Facts); });
    return m_nResult;
}

DISPLAYSTATE CurrentDisplayState() {
    DISPLAYSTATE s;
    s.bDirectDraw = lpDDCon != nullptr;
    s.bDirect3D = lpDTCon != nullptr;
    s.nBpp = DDGetColorBit();
    s.bWindow = DDG.bWindow != 0;
    if (SDL_Window* window = SdlWindowOf(DDG.hWnd))
        s.bWindow = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    return s;
}

DISPLAYFACTS CollectDisplayFacts() {
    DISPLAYFACTS f;
    f.state = CurrentDisplayState();
    if (f.state.bDirectDraw) {
        MEMORYSTATUS mem;
        GetMemoryStatus(&mem);
        f.nVramTotal = mem.dwTotalPhys;
        f.nVramFree = mem.dwAvailPhys;
    }
    SDL_version v;
    SDL_GetVersion(&v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "SDL %d.%d.%d", v.major, v.minor, v.patch);
    f.library = buf;
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_DisplayMode mode;
        if (SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0)
            f.nRefreshRate = static_cast<uint32_t>(mode.refresh_rate);
        const int n = SDL_GetNumVideoDisplays();
        for (int i = 0; i < n; ++i) {
            const char* name = SDL_GetDisplayName(i);
            f.displays.push_back(Utf8ToCp932(name ? name : ""));
        }
    }
    return f;
}

int WriteDisplayReportLines(const DISPLAYFACTS& f, int detailed) {
    if (!WriteReport(f.state.bWindow ? "Mode : Window" : "Mode : Fullscreen")) return 0;
    WriteReport("Bpp : %d", f.state.nBpp);
    if (f.state.bDirectDraw) {
        WriteReport("VRAM Total : %.3fMB", MB(f.nVramTotal));
        WriteReport("VRAM Free : %.3fMB", MB(f.nVramFree));
        WriteReport("RR : %u", f.nRefreshRate);
    }
    if (f.state.bDirect3D) WriteDirect3DReport(f, detailed);
    return 1;
}

int WriteDisplayReport(int detailed) { return WriteDisplayReportLines(CollectDisplayFacts(), detailed); }

int WriteDirect3DReport(const DISPLAYFACTS& f, int) {
    // The capability dump, the format table and the acceleration flags describe
    // a Direct3D device; the software renderer has none to describe.
    WriteReport("%s", f.library.c_str());
    for (size_t i = 0; i < f.displays.size(); ++i) {
        WriteReport("---デバイス%d", static_cast<int>(i));
        WriteReport("Destination : %s", f.displays[i].c_str());
        WriteReport("DDI : %u", GetDDIVersion());
    }
    return 1;
}

uint32_t GetDDIVersion() { return SOFTWARE_DDI_VERSION; }

void DDGetVideoMemory(uint32_t* total, uint32_t* free) {
    // Surfaces live in main memory: there is no video memory to count.
    if (total) *total = 0;
    if (free) *free = 0;
}
