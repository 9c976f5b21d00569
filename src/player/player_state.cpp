#include "player/player_state.h"

#include "database/global_objects.h"
#include "player/player_records.h"
#include "player/system_time.h"

void ResetPlayerLayer() {
    ResetPlayerRecords();
    SetLocalTimeSource(nullptr);
}

void ResetPlayerState() {
    ResetPlayerLayer();
    ResetDatabaseState();
}
