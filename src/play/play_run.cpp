#include "play/play_run.h"

#include "database/global_objects.h"
#include "database/option_data.h"
#include "player/player_records.h"
#include "scene/scene_manager.h"

bool IsReplayPlay() { return SceneManager.nTitleChoice == TITLE_REPLAY || SceneManager.nGameType == GAME_REPLAY; }

int32_t& StageScore(cSaveData& save) { return save.nValue15; }

int32_t& SeriesFlag(cSaveData& save) { return save.bMultiPart; }

void ClearRunStateWords(cSaveData& save) {
    save.nValue23 = 0;
    save.nValue33 = 0;
}

void RestoreHeroRecord(int player) {
    const int hero = PlayStage.FindHero();
    if (hero < 0) return;
    HEROSTATUS status;
    SaveData.RestoreHeroStatus(player, PlayStage.vPlacedChara[hero], status);
}

int OptionRankMode() { return OptionData.nRankMode; }

const char* OptionRankName() { return OptionData.strRankName.c_str(); }
