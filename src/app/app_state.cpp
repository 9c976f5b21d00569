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
#include "scene/scene_manager.h"

void ResetAppState() {
    // The threads end before the window and the objects they use go.
    thGame.Exit();
    ResetMainWindowState();
    BootData.Reset();
    WindowData.Reset();
    SetChallengeSwitch(nullptr);
    bWindowed = 1;
    nScreenBpp = 32;
    bNoFlip = 0;
    ReleaseSingleInstance();
    DDSetPaletteUnPalHook(nullptr);
    ResetPlayState();
    // The scene manager was emptied with the scene layer; the program's start installs the standard scenes.
    SetSceneFactory(CreateStandardScene);
}
