// The end of a cleared challenge stage: the stage's result in the challenge
// record, the stages opened by it, the record saved.
#include <algorithm>

#include "database/global_objects.h"
#include "database/system_data.h"
#include "play/play_scene.h"
#include "player/player_records.h"
#include "player/save_roles.h"
#include "scene/scene_manager.h"

int32_t cPlayScene::EndChallenge() {
    if (LoadNextStage()) return SCENE_PLAY;
    const int32_t stage = ClearFlagIndex(SaveData);  // 1-based challenge stage
    const int32_t index = stage - 1;
    if (index >= 0 && static_cast<size_t>(index) < SaveData.vPair.size()) {
        cPairRecord& result = SaveData.vPair[index];
        result.nValue1 = 1;
        if (SaveData.nScore > result.nValue2) {
            SaveData.nBestTotal += SaveData.nScore - result.nValue2;
            result.nValue2 = SaveData.nScore;
        }
    }
    const int32_t open = std::min(std::max(StagesReached(SaveData), stage + 1), SystemData.nMaxStage);
    StagesReached(SaveData) = std::max(open, 1);
    SaveData.SaveChallenge();
    return SCENE_CHALLENGE;
}
