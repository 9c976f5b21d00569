#include "actors/item.h"

#include "world/world_state.h"

cItem::cItem() {
    nKind = OBJKIND_ITEM;
    data.vInherit.assign(ITEM_GROUP_NUM, 0);
}

cItem& cItem::operator=(const cItem& src) {
    if (this == &src) return *this;
    cGameObject::CopyFrom(src);
    CopyItemMembers(src);
    return *this;
}

void cItem::CopyItemMembers(const cItem& src) {
    data = src.data;
    nIndex = src.nIndex;
    bShow1 = src.bShow1;
    bShow2 = src.bShow2;
    nLayer = src.nLayer;
    bActive = src.bActive;
    bUsed = src.bUsed;
    bHighlight = src.bHighlight;
    nHighlightCount = src.nHighlightCount;
    bCondHeld = src.bCondHeld;
}

void cItem::Setup(int32_t id, const cItemData& record) {
    data = record;
    data.vInherit.resize(ITEM_GROUP_NUM, 0);
    nIndex = 1;
    cGameObject::Setup(id, OBJKIND_ITEM, 0, 0, 0, nullptr, 0, 0, 0, 32, 32, 32, 32, 0, 0, 0);
    nScale = data.chSize < 1 ? 1 : data.chSize;
    // An item's moves leave the view alone: no world to follow.
    SetScale(nScale, 1, nullptr);
    bHighlight = data.bMark == 1;
    nHighlightCount = data.wMark;
}

void cItem::SetCellPos(int32_t cellX, int32_t cellY) {
    x = (CurScrollX().nMargin + cellX) * 32 + nCellOffX + 0.5;
    y = (CurScrollY().nMargin + cellY) * 32 + nCellOffY;
    x2 = x + nHitW - 1;
    y2 = y + nHitH - 1;
    AdjustPosOnScale(nScale, 1, nullptr);
    ClampX(2);
    ClampY(2);
}

void cItem::AdjustYOnScale(int32_t newScale, int32_t oldScale, cWorldState* /*world*/) {
    y -= (nBaseHitH + nBaseCellOffY) * (newScale - oldScale);
    ClampY(2);
}
