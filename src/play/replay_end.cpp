#include "play/replay_end.h"

#include <cstdlib>

#include "actors/chara.h"
#include "platform/graphics/dd_present.h"
#include "platform/system/log.h"
#include "platform/window/main_thread_messages.h"

namespace {

bool g_bReported = false;

}  // namespace

void ReportReplayEnd(const char* what, int32_t frames, uint32_t seed, const cChara* hero, int32_t score,
                     int32_t stageTime, int32_t elapsedFrames) {
    const char* path = std::getenv("QV_REPLAY_END");
    if (!path || !*path || g_bReported) return;
    g_bReported = true;
    // Positions in full precision: a replay that plays back identically
    // gives the very same line.
    WriteReport("Replay end : %s frames %d seed %u hero %.17g,%.17g score %d time %d elapsed %d", what, frames, seed,
                hero ? hero->x : 0.0, hero ? hero->y : 0.0, score, stageTime, elapsedFrames);
    if (!DDWriteLastFrame(path)) WriteReport("Replay end : the frame could not be written to %s", path);
    PostCloseMain();
}

void ResetReplayEnd() { g_bReported = false; }
