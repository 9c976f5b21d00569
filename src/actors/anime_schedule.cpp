// The animations that flows schedule at set-up: each starts as an overlay of
// the character on its flow's frame, so that it reaches its hold frame as its
// command begins.
#include <vector>

#include "actors/chara.h"
#include "database/database_work.h"
#include "platform/system/log.h"

namespace {

void StartScheduled(cChara& chara, const cFlowRun& flow, const ANIMESCHEDULE& e) {
    if (e.nAnime < 0 || e.nAnime >= static_cast<int32_t>(AnimeWorkTable.size())) {
        WriteECf("アニメ %d は範囲外です（%d 個）", e.nAnime, static_cast<int>(AnimeWorkTable.size()));
        return;
    }
    OVERLAYANIME a;
    a.Cursor.Init(std::vector<std::vector<FRAMEITEM>>{AnimeWorkTable[e.nAnime]});
    a.Cursor.Restart(0, true);
    a.bOverride = 1;
    a.nRemain = e.nLength;
    a.nHoldRemain = e.nHoldExt;
    a.nFlowUid = flow.uid;
    a.Cursor.nTicks += e.nOffset;
    // The hold frame lasts through the command.
    if (e.nHoldExt >= 2 && e.bStretch) {
        for (FRAMEITEM& f : a.Cursor.vAnime[0]) {
            if (f.nCell >= 0 && f.nFlag != 0) {
                f.nFrames += e.nHoldExt - 1;
                break;
            }
        }
    }
    chara.overlays.push_back(std::move(a));
}

}  // namespace

void cChara::RunAnimeSchedules() {
    for (const cFlowRun& fr : flows)
        if (!fr.animeSchedule.empty()) RunAnimeScheduleOf(fr);
}

void cChara::RunAnimeScheduleOf(const cFlowRun& fr) {
    if (!fr.running || fr.paused || fr.halted) return;
    for (const ANIMESCHEDULE& e : fr.animeSchedule)
        if (e.nStart == fr.frame) StartScheduled(*this, fr, e);
}
