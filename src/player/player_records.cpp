#include "player/player_records.h"

#include "player/replay_service.h"

cSaveData SaveData;
cSaveData SnapSaveData;
cSaveData PrevSnapSaveData;
cKeyLog KeyLog;
cKeyLog PrevKeyLog;
cSafeVector<cSaveSlot> SaveSlotList(STORY_SLOT_NUM);
cRankingList RankingList;

void ResetPlayerRecords() {
    SaveData = cSaveData();
    SnapSaveData = cSaveData();
    PrevSnapSaveData = cSaveData();
    KeyLog = cKeyLog();
    PrevKeyLog = cKeyLog();
    SaveSlotList.assign(STORY_SLOT_NUM, cSaveSlot());
    RankingList = cRankingList();
    strReplayFile.clear();
    nReplayKeyCooldown = 0;
}
