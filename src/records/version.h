#pragma once
// The data-version state of every load and save. Each thread has its own: a
// load on the stage-loading thread never changes what the main thread sees
// while it loads other files. A thread starts in the start-up state; what one
// thread's load learns reaches another only through VERSIONSTATE, handed over
// explicitly.
#include <cstdint>

constexpr uint32_t DATA_VERSION = 825;

// Initialised with constants (constinit): a read is a plain access to the
// thread's copy, with no call to set it up first.
extern thread_local constinit uint32_t nDataVersion;   // version this program writes (825)
extern thread_local constinit uint32_t nReadVersion;   // version word of the data file this thread opened last for reading
extern thread_local constinit int bVersionTooNew;      // 1 when that file was refused as newer than the program
extern thread_local constinit int bRemoveCR;           // loaded strings lose their carriage returns when set

// A copy of one thread's version state.
struct VERSIONSTATE {
    uint32_t nDataVersion = DATA_VERSION;
    uint32_t nReadVersion = DATA_VERSION;
    int bVersionTooNew = 0;
    int bRemoveCR = 1;
};

// The calling thread's state, and replacing it.
VERSIONSTATE GetVersionState();
void SetVersionState(const VERSIONSTATE& state);

// Back to the start-up state: 825, 825, 0, 1 (the calling thread's).
void ResetVersionState();
