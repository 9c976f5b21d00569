#include "app/start_file.h"

#include <filesystem>

#include "app/front_services.h"
#include "database/data_paths.h"
#include "platform/system/file_name.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"
#include "records/data_file.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"
#include "scene/system_ini.h"

namespace {

int32_t* g_pChallengeSwitch = nullptr;

bool IsReplayName(const std::string& path) {
    std::string ext;
    if (!GetExtensionStr(ext, path)) return false;
    return ext.compare(0, 5, "rpl4_") == 0;
}

bool ExistsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ToNativePath(path, false), ec);
}

}  // namespace

void SetChallengeSwitch(int32_t* pSwitch) { g_pChallengeSwitch = pSwitch; }

bool StartWithFile() {
    if (IniData.FreeStage.empty()) return true;
    std::string path = IniData.FreeStage;
    std::string numbered;
    const bool bReplay = IsReplayName(path);
    if (!bReplay && FindLastNumberedFileStr(numbered, path.c_str(), ExtTable[EXT_STG4])) path = numbered;
    if (!ExistsFile(path)) {
        WriteReportEC("「%s」の読み込みに失敗しました！", path.c_str());
        IniData.FreeStage.clear();
        return true;
    }
    if (bReplay) {
        // A replay plays back as the title's replay item plays it.
        if (!StartReplayFromFile(path)) {
            ErrMesBox(GetLoadErrorMes(path).c_str());
            IniData.FreeStage.clear();
            return true;
        }
        SceneManager.nCurrent = SCENE_PLAY;
        SceneManager.nPrevious = SCENE_TITLE;
        return true;
    }
    bStageTest = 1;
    IniData.FreeStage = path;
    if (!PlayStageFile(path, 1)) return false;
    SceneManager.nCurrent = SCENE_PLAY;
    SceneManager.nPrevious = SCENE_TITLE;
    SceneManager.nTitleChoice = TITLE_FREE_PLAY;
    SceneManager.nGameType = GAME_FREE;
    SceneManager.nRankSwitch = 1;
    if (g_pChallengeSwitch) *g_pChallengeSwitch = 0;
    return true;
}
