#include "app/app_state.h"

#include "app/blink_colors.h"
#include "app/boot_data.h"
#include "app/editor_notice.h"
#include "app/init_app.h"
#include "app/main_window.h"
#include "app/scene_manager.h"
#include "app/single_instance.h"
#include "app/stage_loader.h"
#include "app/start_file.h"
#include "app/system_ini.h"
#include "app/window_data.h"
#include "database/global_objects.h"
#include "platform/graphics/dd_palette.h"

void ResetAppState() {
    // The threads end before the window and the objects they use go.
    thGame.Exit();
    ResetMainWindowState();
    SceneManager.Reset();
    ResetBlinkColors();
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
    ResetDatabaseState();
}
