#include "stage/stage_state.h"

#include "records/records_state.h"
#include "stage/definition_context.h"
#include "stage/flow_arrange.h"
#include "stage/flow_params.h"
#include "stage/flow_refs.h"
#include "stage/stage_load.h"

void ResetStageState() {
    ResetFlowDbCounts();
    SetFlowEditorFlag(false);
    SetCommonPalette(PALETTELISTS{});
    SetPlayStagePalette(PALETTELISTS{});
    SetInputDirPlayback(0, 0);
    FlowParamLabels.clear();
    SetStageLoadTarget(nullptr, nullptr);
    SetStageLoadPump(nullptr);
    strStageSearchExt = "stg4";
    ResetRecordsState();
}
