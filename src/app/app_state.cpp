#include "app/app_state.h"

#include "app/stage_loader.h"
#include "database/global_objects.h"

void ResetAppState() {
    SetStageLoadTarget(nullptr, nullptr);
    SetStageLoadPump(nullptr);
    strStageSearchExt = "stg4";
    ResetDatabaseState();
}
