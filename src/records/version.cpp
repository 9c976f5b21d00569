#include "records/version.h"

uint32_t nDataVersion = DATA_VERSION;
uint32_t nReadVersion = DATA_VERSION;
int bVersionTooNew = 0;
int bRemoveCR = 1;

void ResetVersionState() {
    nDataVersion = DATA_VERSION;
    nReadVersion = DATA_VERSION;
    bVersionTooNew = 0;
    bRemoveCR = 1;
}
