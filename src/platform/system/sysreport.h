#pragma once
// The description of the machine written to the report log: the system
// report at program start (system, processor, memory, free disk) and the
// display report once the graphics layer runs (mode, colour depth, the
// memory surfaces live in, refresh rate and, under the Direct3D back end,
// the displays). Each report returns 1, or 0 when the report log cannot be
// written (nothing is written then).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system/system_info.h"

// What the system report says.
struct SYSTEMFACTS {
    std::string os;  // GetOSDescription text (CP932)
    CPUINFO cpu;
    MEMORYSTATUS mem;
    uint32_t nDiskFree = 0;  // GetDiskFreeBytes of the current folder
};
// Reads the facts from the machine (takes about 5 ms: the clock is measured).
SYSTEMFACTS CollectSystemFacts();
// Writes the system report's lines for facts.
int WriteSystemReportLines(const SYSTEMFACTS& facts);
// Writes the system report of this machine.
int WriteSystemReport();
// The system report in two steps, so that the program goes on starting
// while the processor's clock is measured: the constructor reads the other
// facts and opens the clock's window, and holds back the report lines
// written after it; End (or the destructor) closes the window (waiting out
// what is left of it), writes the report's lines, then the held ones.
class cSystemReport {
public:
    cSystemReport();
    ~cSystemReport();
    cSystemReport(const cSystemReport&) = delete;
    cSystemReport& operator=(const cSystemReport&) = delete;
    // WriteSystemReport's result; the lines are written once.
    int End();

private:
    SYSTEMFACTS m_Facts;
    CPUCLOCKWINDOW m_Clock;
    bool m_bEnded = false;
    int m_nResult = 0;
};

// The graphics layer's state that the display report shows.
struct DISPLAYSTATE {
    int bWindow = 1;      // in a window (else full screen)
    int nBpp = 32;        // colour depth
    int bDirectDraw = 1;  // the DirectDraw back end runs
    int bDirect3D = 0;    // the Direct3D back end runs
};
// The state the graphics layer runs in: its back end and depth, and full
// screen only when the window really covers the screen.
DISPLAYSTATE CurrentDisplayState();

// What the display report says.
struct DISPLAYFACTS {
    DISPLAYSTATE state;
    uint64_t nVramTotal = 0;  // bytes of memory for surfaces
    uint64_t nVramFree = 0;
    uint32_t nRefreshRate = 0;        // Hz, 0 when unknown
    std::string library;              // the library behind the display ("SDL 2.26.5")
    std::vector<std::string> displays;  // names of the displays (CP932)
};
// Reads the facts from the graphics layer and SDL (when its video runs).
DISPLAYFACTS CollectDisplayFacts();
// Writes the display report's lines for facts.
int WriteDisplayReportLines(const DISPLAYFACTS& facts, int detailed);
// Writes the display report of the running graphics layer.
int WriteDisplayReport(int detailed);
// The Direct3D part of the display report: the library and the displays; 1.
int WriteDirect3DReport(const DISPLAYFACTS& facts, int detailed);

// The display driver's interface version that the Direct3D back end checks;
// the software renderer offers everything it needs.
uint32_t GetDDIVersion();
// Megabytes of video memory, total and free: always 0 and 0, as surfaces
// live in main memory (the display report shows that memory instead).
void DDGetVideoMemory(uint32_t* total, uint32_t* free);
