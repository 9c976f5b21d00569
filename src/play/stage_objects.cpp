#include "play/stage_objects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "database/global_objects.h"
#include "play/block_collision.h"
#include "play/play_scene.h"
#include "world/block_grid.h"
#include "world/live_limits.h"

int32_t bOffsetsKeepPos2 = 0;
int32_t bProtectAllCells = 0;

namespace {

// Life time in steps of `time` tenths of a second.
int32_t LifeSteps(int32_t time) {
    const int64_t steps = int64_t{time} * PlayStage.nSteps * 6;
    return static_cast<int32_t>(std::clamp<int64_t>(steps, INT32_MIN, INT32_MAX));
}

// Adds the n-th placement offset of `rec` to both corners (and, while the
// switch is 0, to the second position pair).
void AddPlacementOffset(cStageChara& c, const cCharaData& rec, int32_t n) {
    const double dx = rec.GetOffsetX(n, rec.byFacing);
    const double dy = rec.GetOffsetY(n, rec.byFacing);
    c.x += dx;
    c.x2 += dx;
    c.y += dy;
    c.y2 += dy;
    if (!bOffsetsKeepPos2) {
        c.dPos2X += dx;
        c.dPos2Y += dy;
    }
}

void AddItemOffset(cItem& it) {
    it.x += it.data.nOffsetX;
    it.x2 += it.data.nOffsetX;
    it.y += it.data.nOffsetY;
    it.y2 += it.data.nOffsetY;
}

// Appends a copy of `obj` when it lies in the grid, clamped, with its screen
// rectangle; the new element or null.
template <class List, class T>
T* AddIfInStage(List& list, T& obj) {
    if (!obj.IsInStage(true)) return nullptr;
    obj.ClampX(2);
    obj.ClampY(2);
    list.push_back(obj);
    list.back().UpdateScreenRect();
    return &list.back();
}

}  // namespace

void CreateStageCharas(cObjectList<cStageChara>& list, int32_t col, int32_t row, int32_t& idCounter,
                       const cCharaData& record, const cItem* lpItem) {
    cCharaData rec = record;
    const double px = (col + CurScrollX().nMargin) * 32 + 16;
    const double py = (row + CurScrollY().nMargin) * 32 + 16;
    for (int32_t n = 0; n <= rec.byRepeat; ++n) {
        cStageChara c;
        c.Setup(idCounter, rec, lpItem, px, py, n);
        c.SetCellPos(col, row);
        AddPlacementOffset(c, rec, n);
        if (AddIfInStage(list, c)) ++idCounter;
    }
}

void CreateStageItem(std::list<cItem>& list, int32_t col, int32_t row, int32_t& idCounter, const cItemData& record) {
    const cItemData rec = record;
    cItem it;
    it.Setup(idCounter, rec);
    it.SetCellPos(col, row);
    AddItemOffset(it);
    if (AddIfInStage(list, it)) ++idCounter;
}

void SummonItem(std::list<cItem>& list, double x, double y, const SUMMONSETTINGS& settings, const cItemData& record,
                int32_t& idCounter) {
    if (!LiveRoomFor(LIVE_ITEM, list.size())) return;
    cItem it;
    it.Setup(idCounter, record);
    it.x = x + it.nCellOffX;
    it.y = y + it.nCellOffY;
    it.x2 = it.x + it.nHitW - 1;
    it.y2 = it.y + it.nHitH - 1;
    AddItemOffset(it);
    if (!it.IsInStage(true)) return;
    if (settings.bLifeTime) it.nLifeTime = LifeSteps(settings.nTime);
    if (AddIfInStage(list, it)) ++idCounter;
}

int32_t SummonChara(cObjectList<cStageChara>& list, double x, double y, const SUMMONSETTINGS& settings,
                    const cCharaData& record, uint8_t facing, uint8_t side, cChara* lpSummoner, int32_t& idCounter) {
    // Refused before the record and its flows are copied.
    if (!LiveRoomFor(LIVE_CHARA, list.size())) return 0;
    cCharaData rec = record;
    rec.byFacing = facing;
    rec.byForce = side;
    if (settings.bNoScore) rec.nScore = 0;
    int32_t added = 0;
    for (int32_t n = 0; n <= rec.byRepeat && LiveRoomFor(LIVE_CHARA, list.size()); ++n) {
        cStageChara c;
        c.Setup(idCounter, rec, nullptr, x, y, n);
        c.x = x + c.nCellOffX;
        c.y = y + c.nCellOffY;
        c.x2 = c.x + c.nHitW - 1;
        c.y2 = c.y + c.nHitH - 1;
        AddPlacementOffset(c, rec, n);
        cStageChara* lpNew = AddIfInStage(list, c);
        if (!lpNew) continue;
        if (IsInsideBlock(*lpNew)) {
            list.pop_back();
            continue;
        }
        lpNew->InitTargets(lpSummoner, lpWorld);
        if (settings.bLifeTime) lpNew->nLifeTime = LifeSteps(settings.nTime);
        lpNew->bySummonSetting1 = settings.bySetting1;
        lpNew->bySummonSetting2 = settings.bySetting2;
        if (lpPlayScene) {
            lpPlayScene->World.CharaBucket(lpNew->Side()).Add(lpNew, HITKIND_STAGECHARA);
            lpPlayScene->BlockCharas.Add(lpNew);
        }
        ++idCounter;
        ++added;
    }
    return added;
}

namespace {

bool SquareHits(cChara& obj, cBlockCell& cell, double left, double top, double right, double bottom) {
    return GetBlockHitKind(cell, obj.Side()) != 0 && obj.OverlapsRect(left, top, right, bottom);
}

// Puts `record` into the cell; with a protection switch set, the old cell
// comes back when the block would meet a protected object.
void PutBlock(cBlockCell& cell, int32_t col, int32_t row, const cBlockData& record, const SUMMONSETTINGS& settings) {
    if (!settings.bProtectPlayer && !settings.bProtectChara) {
        cell = record;
        cell.byState = 0;
        BlockMeetsObjects(cell, col, row, settings);
        return;
    }
    const cBlockCell old = cell;
    cell = record;
    cell.byState = 0;
    if (BlockMeetsObjects(cell, col, row, settings) == 1) cell = old;
}

void EraseBlock(cBlockCell& cell) {
    cell = PlayStage.vBlock.empty() ? cBlockData() : PlayStage.vBlock[0];
    cell.byState = 0;
}

}  // namespace

int32_t BlockMeetsObjects(cBlockCell& cell, int32_t col, int32_t row, const SUMMONSETTINGS& settings) {
    if (!lpPlayScene) return 0;
    const double left = col * 32.0, top = row * 32.0;
    const double right = (col + 1) * 32.0 - 0.1, bottom = (row + 1) * 32.0 - 0.1;
    for (cPlayer& p : lpPlayScene->World.vPlayer) {
        if (p.dying || !SquareHits(p, cell, left, top, right, bottom)) continue;
        p.byBlockDeath = 2;
        if (settings.bProtectPlayer) return 1;
    }
    for (cStageChara& c : lpPlayScene->World.lstStageChara) {
        if (c.dying || !c.bTakesPartInCollision || !SquareHits(c, cell, left, top, right, bottom)) continue;
        c.byBlockDeath = 2;
        if (settings.bProtectChara) return 1;
    }
    return 0;
}

void SummonBlock(double x, double y, const cBlockData& record, const SUMMONSETTINGS& settings) {
    const cScrollAxis& sx = CurScrollX();
    // Far outside the grid (or not a number) names no cell: the position is
    // never wrapped into one.
    const double fx = x + 16.5, fy = y + 16.5;
    if (!(fx > -1 && fy > -1 && fx < 32.0 * sx.nPitch && fy < 32.0 * CurScrollY().nCells)) return;
    const int32_t col = static_cast<int32_t>(fx) >> 5;
    const int32_t row = static_cast<int32_t>(fy) >> 5;
    // A column beyond the row pitch would name a cell of the next row.
    if (col < 0 || row < 0 || col >= sx.nPitch) return;
    const int32_t index = (row << sx.nPitchShift) + col;
    if (BlockGrid.empty() || index >= static_cast<int32_t>(BlockGrid.size())) return;
    cBlockCell& cell = BlockGrid[index];
    if (cell.bProtect != 0) {
        const bool bPresent =
            cell.wGraphic != 0 && cell.ConditionsHold();
        if (bProtectAllCells || bPresent) return;
    }
    switch (settings.nBlockMode) {
    case 0:
        PutBlock(cell, col, row, record, settings);
        break;
    case 1:
        EraseBlock(cell);
        break;
    case 2: {
        // Toggle, each cell at most once per command.
        if (!lpPlayScene) return;
        auto& changed = lpPlayScene->World.vChangedCells;
        if (std::find(changed.begin(), changed.end(), index) != changed.end()) return;
        if (cell.wGraphic == 0) PutBlock(cell, col, row, record, settings);
        else EraseBlock(cell);
        changed.push_back(index);
        break;
    }
    default:
        break;
    }
    SyncBlockHit(index);
}

void ResetStageObjects() {
    bOffsetsKeepPos2 = 0;
    bProtectAllCells = 0;
}
