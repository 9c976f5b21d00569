#include "player/rank_rules.h"

#include <cstddef>

#include "database/global_objects.h"
#include "database/system_data.h"

bool IsRankKindEnabled(int type, int kind) {
    if (type < 0 || static_cast<size_t>(type) >= SystemData.vGameTypeFlags.size()) return false;
    const cGameTypeFlags& flags = SystemData.vGameTypeFlags[type];
    return flags.bOn && static_cast<size_t>(kind) < flags.vFlag.size() && flags.vFlag[kind] != 0;
}

bool IsResultRanked(int type, int kind) {
    const size_t k = static_cast<size_t>(kind);
    return kind >= 0 && k < PlayStage.vRankSwitch.size() && PlayStage.vRankSwitch[k] && IsRankKindEnabled(type, kind);
}
