#pragma once
// The data-version state shared by every load and save.
#include <cstdint>

constexpr uint32_t DATA_VERSION = 825;

extern uint32_t nDataVersion;   // version this program writes (825)
extern uint32_t nReadVersion;   // version word of the data file opened last for reading
extern int bVersionTooNew;      // 1 when that file was refused as newer than the program
extern int bRemoveCR;           // loaded strings lose their carriage returns when set

// Back to the start-up state: 825, 825, 0, 1.
void ResetVersionState();
