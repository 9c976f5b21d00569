#include "play/play_run.h"

#include "app/scene_manager.h"
#include "database/global_objects.h"
#include "database/option_data.h"
#include "database/system_data.h"
#include "player/player_records.h"

bool IsReplayPlay() { return SceneManager.nTitleChoice == 4 || SceneManager.nGameType == GAME_REPLAY; }

int32_t& StageScore(cSaveData& save) { return save.nValue15; }

int32_t& SeriesFlag(cSaveData& save) { return save.bMultiPart; }

void ClearRunStateWords(cSaveData& save) {
    save.nValue23 = 0;
    save.nValue33 = 0;
}

bool IsRankKindEnabled(int type, int kind) {
    if (type < 0 || static_cast<size_t>(type) >= SystemData.vGameTypeFlags.size()) return false;
    const cGameTypeFlags& flags = SystemData.vGameTypeFlags[type];
    return flags.bOn && static_cast<size_t>(kind) < flags.vFlag.size() && flags.vFlag[kind] != 0;
}

bool IsResultRanked(int type, int kind) {
    const size_t k = static_cast<size_t>(kind);
    return kind >= 0 && k < PlayStage.vRankSwitch.size() && PlayStage.vRankSwitch[k] && IsRankKindEnabled(type, kind);
}

void RestoreHeroRecord(int player) {
    const int hero = PlayStage.FindHero();
    if (hero < 0) return;
    HEROSTATUS status;
    SaveData.RestoreHeroStatus(player, PlayStage.vPlacedChara[hero], status);
}

int OptionRankMode() { return OptionData.nRankMode; }

const char* OptionRankName() { return OptionData.strRankName.c_str(); }
