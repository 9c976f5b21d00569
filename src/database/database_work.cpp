#include "database/database_work.h"

#include <algorithm>
#include <climits>

#include "database/database.h"

FRAMEITEMTABLE AnimeWorkTable;
FRAMEITEMTABLE EffectWorkTable;

namespace {

// A duration in tenths of a second as frames (six per tenth), saturated.
int32_t DurationToFrames(int32_t tenths) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{tenths} * 6, INT32_MIN, INT32_MAX));
}

}  // namespace

void BuildAnimeWorkTable(FRAMEITEMTABLE& table, const cDatabase& db) {
    table.clear();
    table.resize(db.vAnime.size());
    for (size_t i = 0; i < db.vAnime.size(); ++i) {
        const auto& frames = db.vAnime.data()[i].vFrame;
        std::vector<FRAMEITEM>& items = table.data()[i];
        items.resize(frames.size() + 1);
        bool hold = false;
        for (size_t j = 0; j < frames.size(); ++j) {
            const cAnimeSetFrame& f = frames[j];
            FRAMEITEM& it = items[j];
            it.nCell = f.nValue1;
            if (i == 0) {
                it.nFrames = 0;
                it.nFlag = 1;
            } else {
                it.nFrames = DurationToFrames(f.nValue2);
                if (f.nValue3 != 0) hold = true;
                it.nFlag = hold ? 1 : 0;
            }
        }
        items.back() = i == 0 ? FRAMEITEM{FRAMEITEM_LOOP, 0, 1} : FRAMEITEM{FRAMEITEM_END, 0, 0};
    }
}

void BuildEffectWorkTable(FRAMEITEMTABLE& table, const cDatabase& db) {
    table.clear();
    table.resize(db.vEffect.size());
    for (size_t i = 0; i < db.vEffect.size(); ++i) {
        const auto& frames = db.vEffect.data()[i].vFrame;
        std::vector<FRAMEITEM>& items = table.data()[i];
        items.resize(frames.size() + 1);
        for (size_t j = 0; j < frames.size(); ++j) {
            const cPairRecord& f = frames[j];
            items[j] = i == 0 ? FRAMEITEM{f.nValue1, 0, 1} : FRAMEITEM{f.nValue1, DurationToFrames(f.nValue2), 0};
        }
        items.back() = i == 0 ? FRAMEITEM{FRAMEITEM_LOOP, 0, 1} : FRAMEITEM{FRAMEITEM_END, 0, 0};
    }
}

void PrepareDatabaseWork(cDatabase& db) {
    db.MakeEffectCopies();
    BuildAnimeWorkTable(AnimeWorkTable, db);
    BuildEffectWorkTable(EffectWorkTable, db);
}

void ResetDatabaseWork() {
    AnimeWorkTable.clear();
    EffectWorkTable.clear();
}
