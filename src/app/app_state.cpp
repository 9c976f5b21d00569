#include "app/app_state.h"

#include "app/boot_data.h"
#include "app/init_app.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/standard_scenes.h"
#include "app/start_file.h"
#include "app/window_data.h"
#include "database/global_objects.h"
#include "play/play_scene.h"
#include "platform/graphics/dd_palette.h"
#include "scene/editor_notice.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"

void ResetAppState() {
    // The threads end before the window and the objects they use go.
    thGame.Exit();
    ResetMainWindowState();
    SceneManager.Reset();
    SetSceneFactory(CreateStandardScene);
    SetStageLoadTarget(nullptr, nullptr);
    SetStageLoadPump(nullptr);
    strStageSearchExt = "stg4";
    IniData = INIDATA{};
    BootData.Reset();
    WindowData.Reset();
    ResetEditorSetting();
    SetPlayStageFile(nullptr);
    SetChallengeSwitch(nullptr);
    bStageTest = 0;
    bWindowed = 1;
    nScreenBpp = 32;
    bNoFlip = 0;
    ReleaseSingleInstance();
    DDSetPaletteUnPalHook(nullptr);
    ResetPlayState();
}
