#include "records/records_state.h"

#include "records/crt_rand.h"
#include "records/data_file.h"
#include "records/services.h"
#include "records/version.h"

void ResetRecordsState() {
    ResetVersionState();
    ResetRecordServices();
    crt::srand(1);
    SetFileStepHook(nullptr);
}
