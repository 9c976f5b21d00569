#include "records/version.h"

thread_local constinit uint32_t nDataVersion = DATA_VERSION;
thread_local constinit uint32_t nReadVersion = DATA_VERSION;
thread_local constinit int bVersionTooNew = 0;
thread_local constinit int bRemoveCR = 1;

VERSIONSTATE GetVersionState() {
    VERSIONSTATE s;
    s.nDataVersion = nDataVersion;
    s.nReadVersion = nReadVersion;
    s.bVersionTooNew = bVersionTooNew;
    s.bRemoveCR = bRemoveCR;
    return s;
}

void SetVersionState(const VERSIONSTATE& state) {
    nDataVersion = state.nDataVersion;
    nReadVersion = state.nReadVersion;
    bVersionTooNew = state.bVersionTooNew;
    bRemoveCR = state.bRemoveCR;
}

void ResetVersionState() { SetVersionState(VERSIONSTATE{}); }
