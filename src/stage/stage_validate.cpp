#include "stage/stage_validate.h"

#include <cmath>

#include "records/utility.h"
#include "stage/definition_context.h"
#include "stage/stage_data.h"

namespace {

// Fills a palette list up to two entries with default records.
template <class T>
void PadPalette(cSafeVector<T>& list, bool bClassClear) {
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

bool CheckFlows(const cSafeVector<cCharaData>& list, const char* what, std::string& why) {
    for (size_t i = 0; i < list.size(); ++i)
        for (const cFlow& f : list.data()[i].vFlow)
            if (!f.CheckStructure(why)) {
                why = std::string(what) + " " + std::to_string(i) + ": " + why;
                return false;
            }
    return true;
}

bool CheckItemCmds(const cSafeVector<cItemData>& list, const char* what, std::string& why) {
    for (size_t i = 0; i < list.size(); ++i)
        for (const cFlowCmd& c : list.data()[i].vCmd)
            if (!c.CheckStructure(why)) {
                why = std::string(what) + " " + std::to_string(i) + ": " + why;
                return false;
            }
    return true;
}

}  // namespace

void cStageData::Validate() {
    const PALETTELISTS own{&vBlock, &vChara, &vItem};
    cStagePaletteScope scope(own);

    if (nScrollLeft > nWidth - 20) nScrollLeft = nWidth - 20;
    if (nScrollRight > nWidth - 1) nScrollRight = nWidth - 1;
    if (nScrollTop > nHeight - 15) nScrollTop = nHeight - 15;
    if (nScrollBottom > nHeight - 1) nScrollBottom = nHeight - 1;
    SetHitLevel(nHitLevel);
    if (const FLOWDBCOUNTS* db = GetFlowDbCounts())
        if (static_cast<uint32_t>(nBgm) >= static_cast<uint32_t>(db->nBgm)) nBgm = 0;
    // The ranking code reads one switch per result kind.
    if (vRankSwitch.size() < STAGE_RANK_SWITCH_NUM) vRankSwitch.resize(STAGE_RANK_SWITCH_NUM, 0);

    PadPalette(vBlock, true);
    PadPalette(vChara, false);
    PadPalette(vItem, false);

    auto checkBlocks = [](cSafeVector<cBlockData>& list) {
        for (auto& b : list) {
            b.CheckIndex();
            b.CheckItemIndex();
        }
    };
    auto checkCharas = [](cSafeVector<cCharaData>& list) {
        for (auto& c : list) {
            c.CheckIndex();
            c.CheckFlowIndex();
        }
    };
    auto checkItems = [](cSafeVector<cItemData>& list) {
        for (auto& it : list) {
            it.CheckIndex();
            it.CheckFlowIndex();
        }
    };
    checkBlocks(vBlock);
    checkCharas(vChara);
    checkItems(vItem);
    checkBlocks(vPlacedBlock);
    checkCharas(vPlacedChara);
    checkItems(vPlacedItem);
    // A carried item that names no placed item is none.
    const int32_t nItems = static_cast<int32_t>(vPlacedItem.size());
    for (auto& c : vPlacedChara)
        if (c.nItem < -1 || c.nItem >= nItems) c.nItem = -1;
}

bool CheckStageStructure(const cStageData& s, std::string& why) {
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
    if ((s.bScrollLeft && s.nScrollLeft < 0) || (s.bScrollRight && s.nScrollRight < 0) ||
        (s.bScrollTop && s.nScrollTop < 0) || (s.bScrollBottom && s.nScrollBottom < 0)) {
        why = "negative scroll limit";
        return false;
    }
    for (size_t i = 0; i < s.vBg.size(); ++i) {
        const cIntRec& bg = s.vBg.data()[i];
        if (!std::isfinite(bg.e) || !std::isfinite(bg.f) || !std::isfinite(bg.i) || !std::isfinite(bg.j)) {
            FormatString(why, "background layer %d holds a value that is not a number", static_cast<int>(i));
            return false;
        }
    }
    if (!CheckCells(s.vPlacedBlock, s, "block", why) || !CheckCells(s.vPlacedChara, s, "character", why) ||
        !CheckCells(s.vPlacedItem, s, "item", why))
        return false;
    return CheckFlows(s.vChara, "palette character", why) && CheckFlows(s.vPlacedChara, "character", why) &&
           CheckItemCmds(s.vItem, "palette item", why) && CheckItemCmds(s.vPlacedItem, "item", why);
}

std::string GetStageLoadErrorMes(const std::string& name) {
    std::string text;
    FormatString(text, "ステージファイル %s の読み込みに失敗しました！", name.c_str());
    return text;
}
