#include "player/save_roles.h"

#include "database/system_data.h"
#include "database/world_map.h"

void SetStartStock(cSaveData& d, int g) {
    const int unlimited = g >= 0 && static_cast<size_t>(g) < SystemData.vStartFlag.size() ? SystemData.vStartFlag[g] : 1;
    if (unlimited) {
        d.nLivesInit = d.nLives = UNLIMITED_LIVES;
        return;
    }
    d.nLivesInit = static_cast<size_t>(g) < SystemData.vStartValue.size() ? SystemData.vStartValue[g] : 1;
    d.nLives = d.nLivesInit - 1;
}

int32_t MakePageRef(int eventIndex, int pageIndex) {
    if (eventIndex < 0 || pageIndex < 0 || pageIndex > 0xFFFF || eventIndex > 0x7FFE) return 0;
    return ((eventIndex << 16) | pageIndex) + 1;
}

cWorldPage* FindCurrentPage(const cSaveData& d) {
    if (d.lpWorld <= 0) return nullptr;
    const size_t ev = static_cast<size_t>((d.lpWorld - 1) >> 16);
    const size_t page = static_cast<size_t>((d.lpWorld - 1) & 0xFFFF);
    if (ev >= WorldMap.vEvent.size() || page >= WorldMap.vEvent[ev].vPage.size()) return nullptr;
    return &WorldMap.vEvent[ev].vPage[page];
}
