// The end of a cleared stage: the hero's carried status, then by the play
// kind the next stage of a series, the save record's clear marks and bests,
// and the scene that follows.
#include "actors/cmd/next_stage.h"
#include "database/global_objects.h"
#include "database/world_map_records.h"
#include "play/play_run.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "scene/scene_manager.h"
#include "scene/stage_loader.h"

namespace {

// The stage's page on the world map marks the stage cleared; without one the
// record's clear-flag index does.
void FlagStoryCleared(const cWorldPage* page) {
    const int32_t flag = page ? page->nClearFlag : ClearFlagIndex(SaveData);
    if (flag >= 0 && static_cast<size_t>(flag) < SaveData.vMapFlag.size()) SaveData.vMapFlag[flag] = 1;
}

}  // namespace

int32_t cPlayScene::EndStage() {
    if (PlayStage.bCarryHeroStatus)
        for (size_t i = 0; i < World.vPlayer.size(); ++i) {
            HEROSTATUS status;
            status.nTimeLimit = World.nStageTime;
            status.nLives = SaveData.nLives;
            status.nBgm = PlayStage.nBgm;
            SaveData.StoreHeroStatus(static_cast<int>(i), World.vPlayer[i].data, status);
        }
    switch (SceneManager.nTitleChoice) {
        case TITLE_NEW_STORY:
        case TITLE_CONTINUE: return EndStory();
        case TITLE_CHALLENGE: return EndChallenge();
        case TITLE_FREE_PLAY: return EndFreePlay();
        case TITLE_REPLAY: SaveData.RestoreVars(1); return SCENE_PLAY;
        default: return SCENE_CHALLENGE;
    }
}

int32_t cPlayScene::LoadNextStage() {
    if (!SeriesFlag(SaveData) || World.nNextStage == 0) return 0;
    std::string name;
    if (!MakeNextStageFileName(name, World.nNextStage)) return 0;
    if (!LoadStageFile(name.c_str(), 0, nullptr)) return 0;
    // The series keeps its base name, so that the stage after this one is
    // found the same way.
    SaveData.nStageNo = World.nNextStage;
    KeyLog.Clear();
    PrevKeyLog.Clear();
    return 1;
}

int32_t cPlayScene::EndStory() {
    if (LoadNextStage()) return SCENE_PLAY;
    const cWorldPage* page = FindCurrentPage(SaveData);
    FlagStoryCleared(page);
    SaveData.RecordStageResult(SaveData.strStage, SaveData.strRankName, SaveData.nEvent1, SaveData.nEvent2,
                               SaveData.nEvent3, SaveData.nScore);
    InStageSwitch(SaveData) = 0;
    switch (page ? page->nAfterClear : 0) {
        case 1: SaveData.NextLap(); return SCENE_WORLD_MAP;
        case 2: return SCENE_TITLE;
        default: return SCENE_WORLD_MAP;
    }
}

int32_t cPlayScene::EndFreePlay() {
    if (SeriesFlag(SaveData) && !bStageTest) return LoadNextStage() ? SCENE_PLAY : SCENE_TITLE;
    // The same stage again, from its own start.
    NextStageStart.bOverride = 0;
    return SCENE_PLAY;
}
