#include "stage/stage_state.h"

#include "records/records_state.h"
#include "stage/block_data.h"
#include "stage/definition_context.h"
#include "stage/flow_arrange.h"
#include "stage/flow_params.h"
#include "stage/flow_refs.h"

void ResetStageState() {
    ResetFlowDbCounts();
    SetBlockCondTest(nullptr);
    SetFlowEditorFlag(false);
    SetCommonPalette(PALETTELISTS{});
    SetPlayStagePalette(PALETTELISTS{});
    SetInputDirPlayback(0, 0);
    FlowParamLabels.clear();
    ResetRecordsState();
}
