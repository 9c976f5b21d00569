#include "app/front_services.h"

#include "app/main_window.h"
#include "app/start_file.h"
#include "database/global_objects.h"
#include "database/option_data.h"
#include "database/system_data.h"
#include "database/world_map.h"
#include "platform/system/file_name.h"
#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"
#include "play/play_scene.h"
#include "player/file_sel_dlg.h"
#include "player/name_dlg.h"
#include "player/player_records.h"
#include "player/replay_service.h"
#include "player/save_roles.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"

namespace {

// The English setting of System.ini: the dialogs' texts follow it.
int English() { return IniData.English != 0 ? 1 : 0; }

bool IsReplayPath(const std::string& path) {
    std::string ext;
    return GetExtensionStr(ext, path) && ext.compare(0, 5, "rpl4_") == 0;
}

// WM_NAME_DIALOG: options' name while the option scene asked, else the name of
// the play scene's entry about to be registered.
int ServeNameDialog(WPARAM) {
    std::string* const entry = lpPlayScene ? &lpPlayScene->strRankName : nullptr;
    std::string* target = SceneManager.nTitleChoice == TITLE_OPTION ? &OptionData.strRankName : entry;
    return RunNameDialog(target, English());
}

// WM_PLAY_FILE: the free-play chooser; a stage starts play, a replay plays back.
int ServePlayFile(WPARAM) {
    std::string path;
    if (!RunFileSelDialog(path, FILESEL_LOAD_STAGE, English())) return 0;
    const int ok = IsReplayPath(path) ? StartReplayFromFile(path) : PlayStageFile(path, 0);
    if (!ok) PostCloseMain();
    return 1;
}

// WM_LOAD_REPLAY: the replay chooser; the chosen replay names the play's stage file.
int ServeReplayChooser(WPARAM) {
    if (!ServeLoadReplay(English())) return 0;
    SetCurrentStageFileName(strReplayFile);
    return 1;
}

int ServeReplaySave(WPARAM wParam) { return ServeSaveReplay(static_cast<int>(wParam), English()); }

}  // namespace

void ResetForNewStory() {
    SaveData.Clear();
    SaveData.nMapX = WorldMap.nStartX;
    SaveData.nMapY = WorldMap.nStartY;
    SetStartStock(SaveData, GAME_STORY);
}

int StartPlayFromFile(const std::string& path, int flag) {
    // A path has at most 259 characters.
    const std::string copy = path.substr(0, 259);
    SaveData.Clear();
    if (!LoadStageFile(copy.c_str(), flag, nullptr)) return 0;
    ClearFlagIndex(SaveData) = 1;
    InStageSwitch(SaveData) = 1;
    if (bStageTest) {
        SaveData.nLivesInit = SaveData.nLives = UNLIMITED_LIVES;
    } else {
        SetStartStock(SaveData, GAME_FREE);
    }
    std::string relative = GetCurrentStageFileName().empty() ? copy : GetCurrentStageFileName();
    MakeRelativePathStr(relative);
    SaveData.SetStageFile(relative, 0, 0, 0);
    return 1;
}

int StartReplayFromFile(const std::string& path) {
    if (!KeyLog.LoadReplay(path, PlayStage, ReplayStage, SaveData)) {
        WriteReport("Replay %s : could not be read", path.c_str());
        return 0;
    }
    strReplayFile = path;
    SetCurrentStageFileName(path);
    SceneManager.nTitleChoice = TITLE_REPLAY;
    SceneManager.nGameType = GAME_REPLAY;
    SceneManager.nRankSwitch = SystemData.vGameTypeFlags.size() > 3 ? SystemData.vGameTypeFlags[3].bOn : 0;
    return 1;
}


void InstallFrontServices() {
    SetPlayStageFile(&StartPlayFromFile);
    SetChallengeSwitch(&ChallengeSwitch(SaveData));
    SetDialogRequest(WM_NAME_DIALOG, &ServeNameDialog);
    SetDialogRequest(WM_PLAY_FILE, &ServePlayFile);
    SetDialogRequest(WM_LOAD_REPLAY, &ServeReplayChooser);
    SetDialogRequest(WM_SAVE_REPLAY, &ServeReplaySave);
}
