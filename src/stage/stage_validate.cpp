#include "stage/stage_validate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "records/utility.h"
#include "stage/definition_context.h"
#include "stage/stage_data.h"

namespace {

// Fills a palette list up to two entries with default records. An empty
// list first gets its fixed entry 0 as a load leaves it (the class clear), so
// that a saved stage loads back the same.
template <class T>
void PadPalette(cSafeVector<T>& list, bool bClassClear) {
    if (list.empty()) list.emplace_back();
    while (list.size() < 2) {
        list.emplace_back();
        if (!bClassClear) list.back().cRecord::Clear();
    }
}

template <class T>
bool CheckCells(const cSafeVector<T>& list, const cStageData& s, const char* what, std::string& why) {
    for (size_t i = 0; i < list.size(); ++i) {
        const T& e = list.data()[i];
        if (e.wCellX >= s.nWidth || e.wCellY >= s.nHeight) {
            FormatString(why, "%s %d placed at (%d, %d) outside the %d x %d stage", what, static_cast<int>(i),
                         e.wCellX, e.wCellY, s.nWidth, s.nHeight);
            return false;
        }
    }
    return true;
}

}  // namespace

void CheckPlacedBlock(cBlockData& b) {
    b.CheckIndex();
    b.CheckItemIndex();
}

void CheckPlacedChara(cCharaData& c, bool bFlowsChecked) { bFlowsChecked ? c.CheckOwnIndex() : c.CheckIndex(); }

void CheckPlacedItem(cItemData& it, bool bFlowsChecked) { bFlowsChecked ? it.CheckOwnIndex() : it.CheckIndex(); }

void cStageData::Validate(bool bLoadChecked, bool bBlockItemsChecked) {
    const PALETTELISTS own{&vBlock, &vChara, &vItem};
    cStagePaletteScope scope(own);
    // The load's checks depend only on the palette sizes and the database:
    // when no palette grew since they ran, running them again changes nothing.
    const bool bGrew = ValidateAllButPlaced();
    const bool bSkipChecked = bLoadChecked && !bGrew;
    if (!bSkipChecked || !bBlockItemsChecked) {
        for (auto& b : vPlacedBlock) {
            if (bSkipChecked) b.CheckItemIndex();
            else CheckPlacedBlock(b);
        }
    }
    for (auto& c : vPlacedChara) CheckPlacedChara(c, bSkipChecked);
    for (auto& it : vPlacedItem) CheckPlacedItem(it, bSkipChecked);
}

bool cStageData::ValidateAllButPlaced() {
    const PALETTELISTS own{&vBlock, &vChara, &vItem};
    cStagePaletteScope scope(own);

    // In 64 bits: the stage size may not have been checked yet. A stage
    // narrower or lower than the screen gets a negative first column or row
    // (the scroll area then ends at the stage's far edge).
    auto limit = [](int32_t& v, int64_t hi) {
        hi = std::max<int64_t>(hi, INT32_MIN);
        if (v > hi) v = static_cast<int32_t>(hi);
    };
    limit(nScrollLeft, int64_t{nWidth} - 20);
    limit(nScrollRight, int64_t{nWidth} - 1);
    limit(nScrollTop, int64_t{nHeight} - 15);
    limit(nScrollBottom, int64_t{nHeight} - 1);
    SetHitLevel(nHitLevel);
    if (const FLOWDBCOUNTS* db = GetFlowDbCounts())
        if (static_cast<uint32_t>(nBgm) >= static_cast<uint32_t>(db->nBgm)) nBgm = 0;
    // The ranking code reads one switch per result kind.
    if (vRankSwitch.size() < STAGE_RANK_SWITCH_NUM) vRankSwitch.resize(STAGE_RANK_SWITCH_NUM, 0);

    const FLOWPALETTESIZES before = GetPaletteSizes();
    PadPalette(vBlock, true);
    PadPalette(vChara, false);
    PadPalette(vItem, false);
    const FLOWPALETTESIZES after = GetPaletteSizes();

    // A character's and an item's index checks include those of their flows.
    // Palette blocks get the same checks as placed ones.
    for (auto& b : vBlock) CheckPlacedBlock(b);
    for (auto& c : vChara) c.CheckIndex();
    for (auto& it : vItem) it.CheckIndex();
    // A carried item that names no placed item is none (no index check
    // changes what a character carries).
    const int32_t nItems = static_cast<int32_t>(vPlacedItem.size());
    for (auto& c : vPlacedChara)
        if (c.nItem < -1 || c.nItem >= nItems) c.nItem = -1;
    return std::memcmp(&before, &after, sizeof before) != 0;
}

bool CheckStageStructure(const cStageData& s, std::string& why) { return CheckStageStructure(s, why, false); }

bool CheckStageStructure(const cStageData& s, std::string& why, bool bBlocksInside) {
    if (s.nWidth < STAGE_MIN_WIDTH || s.nWidth > STAGE_MAX_WIDTH || s.nHeight < STAGE_MIN_HEIGHT ||
        s.nHeight > STAGE_MAX_HEIGHT ||
        static_cast<long long>(s.nWidth) * s.nHeight > STAGE_MAX_CELLS) {
        FormatString(why, "stage size %d x %d outside the playable range", s.nWidth, s.nHeight);
        return false;
    }
    if (s.nHitLevel < STAGE_MIN_HIT_LEVEL || s.nHitLevel > STAGE_MAX_HIT_LEVEL) {
        FormatString(why, "hit level %d gives no steps per frame", s.nHitLevel);
        return false;
    }
    if (s.nStepLevel < 0 || s.nStepLevel > STAGE_MAX_STEP_LEVEL) {
        FormatString(why, "step level %d outside 0..%d", s.nStepLevel, STAGE_MAX_STEP_LEVEL);
        return false;
    }
    if (s.nFps < 1) {
        FormatString(why, "frame rate %d", s.nFps);
        return false;
    }
    if (!std::isfinite(s.dGravity)) {
        why = "gravity is not a number";
        return false;
    }
    for (size_t i = 0; i < s.vBg.size(); ++i) {
        const cIntRec& bg = s.vBg.data()[i];
        if (!std::isfinite(bg.e) || !std::isfinite(bg.f) || !std::isfinite(bg.i) || !std::isfinite(bg.j)) {
            FormatString(why, "background layer %d holds a value that is not a number", static_cast<int>(i));
            return false;
        }
    }
    // Flows and commands refuse codes, indices and nesting they cannot run
    // while they load; what is left is where the objects stand.
    return (bBlocksInside || CheckCells(s.vPlacedBlock, s, "block", why)) &&
           CheckCells(s.vPlacedChara, s, "character", why) &&
           CheckCells(s.vPlacedItem, s, "item", why);
}

std::string GetStageLoadErrorMes(const std::string& name) {
    std::string text;
    FormatString(text, "ステージファイル %s の読み込みに失敗しました！", name.c_str());
    return text;
}
