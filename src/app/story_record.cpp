#include "app/story_record.h"

#include "database/world_map.h"

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
