// The English setting of System.ini reaches the dialogs that the game opens
// from its scenes: the file chooser of free play and the ranking-name dialog
// of the options, in this process so that the dialogs are seen through the
// dialog framework's frame hook.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/game_folder.h"
#include "app/standard_scenes.h"
#include "app/win_main.h"
#include "platform/input/input_script.h"
#include "platform/system/mesbox.h"
#include "platform/window/dialog.h"
#include "platform/window/menu_cursor.h"
#include "player/name_dlg.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

using namespace apptest;

TEST(DialogLanguage, TheEnglishSettingReachesTheFileChooserAndTheNameDialog) {
    ResetAppState();
    cTempDir dir;
    MakeGameFolder(dir.Path(), WindowedIni("English=1\r\n"));
    cEnvGuard env;
    SetWindowRunEnv(env);
    env.Unset("QV_AUTO_ANSWER");
    env.Set("QV_MAX_FRAMES", "700");
    RereadAutoAnswer();
    cWorkDirGuard cwd(dir.Path());
    SetSceneFactory(CreateStandardScene);
    std::vector<std::string> seen;
    SetDialogFrameHook([&](cDialog& dlg, int frame) {
        if (frame != 2) return;
        if (dlg.ResourceId() == 102) seen.push_back("name " + dlg.FindCtrl(cNameDlg::IDC_LABEL)->GetText());
        else seen.push_back("dialog " + dlg.Title());
        dlg.OnCancel();
    });
    // Title: down three to free play, confirm (the chooser opens and is
    // cancelled); down two to the options, confirm; down to the ranking
    // name, confirm (the name dialog opens and is cancelled).
    std::ostringstream keys;
    int at = 40;
    for (const char* key : {"DOWN", "DOWN", "DOWN", "Z", "DOWN", "DOWN", "Z", "DOWN", "DOWN", "DOWN", "DOWN", "Z"}) {
        keys << at << ' ' << key << " down\n" << at + 2 << ' ' << key << " up\n";
        at += std::string(key) == "Z" ? 60 : 10;
    }
    ParseInputScript(keys.str());
    ASSERT_EQ(WinMain("", 1), 0);
    cwd.Restore();
    EXPECT_EQ(seen, (std::vector<std::string>{"dialog load stage file", "name      Name"}));
    ResetAppState();
}
