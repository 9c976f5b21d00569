#include "scene/scene_state.h"

#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"
#include "scene/window_requests.h"

void ResetSceneLayer() {
    SceneManager.Reset();
    SetStageLoadTarget(nullptr, nullptr);
    SetStageLoadPump(nullptr);
    SetPlayStageFile(nullptr);
    strStageSearchExt = "stg4";
    bStageTest = 0;
    IniData = INIDATA{};
    ResetEditorSetting();
    ResetWindowRequests();
}
