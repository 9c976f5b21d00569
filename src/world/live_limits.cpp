#include "world/live_limits.h"

#include "platform/system/log.h"

namespace {

struct LIVELIMIT {
    size_t nMax;
    const char* lpName;
};
constexpr LIVELIMIT LIMITS[LIVE_KIND_NUM] = {
    {LIVE_SHOT_MAX, "shots"}, {LIVE_CHARA_MAX, "characters"}, {LIVE_ITEM_MAX, "items"}};
// Per kind: the last request was refused (one log line per run of refusals).
bool g_bFull[LIVE_KIND_NUM] = {};

}  // namespace

bool LiveRoomFor(eLiveKind kind, size_t count) {
    const LIVELIMIT& limit = LIMITS[kind];
    if (count < limit.nMax) {
        g_bFull[kind] = false;
        return true;
    }
    if (!g_bFull[kind])
        WriteECf("live %s at the limit of %zu: no more are made", limit.lpName, limit.nMax);
    g_bFull[kind] = true;
    return false;
}
