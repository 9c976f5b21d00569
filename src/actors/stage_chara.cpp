#include "actors/stage_chara.h"

#include <cmath>

#include "database/global_objects.h"
#include "world/world_state.h"

cStageChara::cStageChara(const cStageChara& src) : cChara() {
    cStageChara::operator=(src);
}

cStageChara& cStageChara::operator=(const cStageChara& src) {
    if (this == &src) return *this;
    cChara::operator=(static_cast<const cChara&>(src));
    CopyStageMembers(src);
    return *this;
}

cChara& cStageChara::operator=(const cChara& src) {
    if (this == &src) return *this;
    cChara::operator=(src);
    if (const auto* lpStage = dynamic_cast<const cStageChara*>(&src)) CopyStageMembers(*lpStage);
    return *this;
}

void cStageChara::CopyStageMembers(const cStageChara& src) {
    item = src.item;
    rangeA = src.rangeA;
    rangeB = src.rangeB;
    for (int i = 0; i < 4; ++i) {
        dRectA[i] = src.dRectA[i];
        dRectB[i] = src.dRectB[i];
    }
    nCounter1 = src.nCounter1;
    nCounter2 = src.nCounter2;
    bIgnoreX = src.bIgnoreX;
    bIgnoreY = src.bIgnoreY;
    bOnScreen = src.bOnScreen;
    bActivated = src.bActivated;
    nActivityWord = src.nActivityWord;
    bGroup = src.bGroup;
    nGroup = src.nGroup;
    bAlwaysActive = src.bAlwaysActive;
    bKeepRunning = src.bKeepRunning;
    nActivationMode = src.nActivationMode;
    nIconCounter = src.nIconCounter;
    bTakesPartInCollision = src.bTakesPartInCollision;
    bySummonSetting1 = src.bySummonSetting1;
    bySummonSetting2 = src.bySummonSetting2;
    push = src.push;
    byBlockChara = src.byBlockChara;
    bCondHeld = src.bCondHeld;
}

void cStageChara::Setup(int32_t id, cCharaData& record, const cItem* lpItem, double px, double py, int32_t n,
                        uint16_t valueB) {
    const cStageData& st = PlayStage;
    if (record.byForce == 0) record.byForce = 1;
    const int32_t rect[4] = {static_cast<int32_t>(px), static_cast<int32_t>(py), static_cast<int32_t>(px) + 31,
                             static_cast<int32_t>(py) + 31};
    cChara::Setup(&record, rect, static_cast<int16_t>(n));

    // Body box inside the 32 × 32 cell.
    int32_t offX = 0, offY = 0, w = 32, h = 32;
    if (!data.bWholeCell) {
        const bool bFly = data.byFlying != 0;
        w = bFly ? st.nCharaBodyBW : st.nCharaBodyAW;
        h = bFly ? st.nCharaBodyBH : st.nCharaBodyAH;
        const bool bBottom = (bFly ? st.bCharaBodyBAlign : st.bCharaBodyAAlign) != 0;
        offX = (32 - w) >> 1;
        offY = bBottom ? 32 - h : (32 - h) >> 1;
    }
    cGameObject::Setup(id, data.byController, data.byKeyInput, data.byForce, 0, nullptr, 0, offX, offY, w, h, 32, 32,
                       0, data.byFlying, valueB);
    x = px;
    y = py;
    x2 = x + nHitW - 1;
    y2 = y + nHitH - 1;

    // Hit ranges against characters (A) and against shots (B).
    if (data.bWholeCell) {
        rangeA.Set(0, 0, 0, 0);
        rangeB.Set(0, 0, 32, 32);
    } else {
        bool bSet = true;
        int32_t rw = 0, rh = 0;
        bool bBottom = false;
        switch (data.byHitRangeKind) {
        case 0:
            rw = bScreen ? st.nCharaRange0FlyW : st.nCharaRange0W;
            rh = bScreen ? st.nCharaRange0FlyH : st.nCharaRange0H;
            bBottom = (bScreen ? st.bCharaRange0FlyAlign : st.bCharaRange0Align) != 0;
            break;
        case 1:
            rw = st.nCharaRange1W;
            rh = st.nCharaRange1H;
            break;
        case 2:
            rw = st.nShotRangeW;
            rh = st.nShotRangeH;
            break;
        case 3:
            rw = nCellW;
            rh = nCellH;
            break;
        default:
            bSet = false;
            break;
        }
        if (bSet) {
            SetHitBox(rw, rh, bBottom);
            rangeA.Set(nBoxX - offX, nBoxY - offY, rw, rh);
        }
        rangeB.Set((16 - (st.nCharaRange1W >> 1)) - offX, (16 - (st.nCharaRange1H >> 1)) - offY, st.nCharaRange1W,
                   st.nCharaRange1H);
    }
    nScale = 1;
    const int32_t scale = data.chSize < 1 ? 1 : data.chSize;
    // A stage character's moves leave the view alone: no world to follow.
    SetScale(scale, 1, nullptr);
    nScale = scale;
    nCounter1 = nCounter2 = 0;
    // A whole-cell character is solid over its cell and touches no one: it
    // moves as a block for the others to stand on.
    byBlockChara = data.bWholeCell ? 1 : 0;

    if (lpItem) item = *lpItem;
    else item = cItem();

    // Activity area: 画面内, X座標のみ画面内, Y座標のみ画面内, 全範囲.
    static const int32_t kIgnore[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    const int32_t area = data.bySetting52 < 4 ? data.bySetting52 : 0;
    bIgnoreX = kIgnore[area][0];
    bIgnoreY = kIgnore[area][1];
    nActivationMode = data.bySetting53;
    bGroup = data.bySetting50 != 0;
    nGroup = data.wSetting51;
    bKeepRunning = data.bySetting49 != 0;
    bActivated = 0;
    nActivityWord = 0;
    Anime.Restart(0, true);
    UpdateHitRectX();
    UpdateHitRectY();
    SetFlows(data.vFlow, 0, -1);
}

void cStageChara::OnScale(int32_t newScale) {
    if (!data.bWholeCell) {
        rangeA.Scale(newScale);
        rangeB.Scale(newScale);
        return;
    }
    rangeA.nOffX = rangeA.nOffY = rangeB.nOffX = rangeB.nOffY = 0;
    rangeA.nW = rangeB.nW = nHitW;
    rangeA.nH = rangeB.nH = nHitH;
}

// A stage character's FixAfterMoveX is ClampX(2), which the speed limit
// has just done.
int32_t cStageChara::MoveStepX(cWorldState* /*world*/) {
    const int32_t r = MoveBySpeedX();
    ReclampX();
    return r == CLAMP_GRID ? 4 : r;
}

int32_t cStageChara::FallStep(cWorldState* /*world*/) {
    UpdateFall();
    if (dAccelY == 0 && bScreen) AddPushY();
    const int32_t r = LimitFallSpeed(2);
    ReclampY();
    if (!bScreen) return r == CLAMP_STAGE_FAR || r == CLAMP_GRID_FAR ? 7 : r;
    return r == CLAMP_GRID || r == CLAMP_GRID_FAR ? 8 : r;
}

void cStageChara::SetCellPos(int32_t col, int32_t row) {
    x = (CurScrollX().nMargin + col) * 32 + nCellOffX + 0.5;
    y = (CurScrollY().nMargin + row) * 32 + nCellOffY;
    x2 = x + nHitW - 1;
    y2 = y + nHitH - 1;
    // A stage character's moves leave the view alone: no world to follow.
    AdjustPosOnScale(nScale, 1, nullptr);
    FixAfterMoveX(nullptr);
    FixAfterMoveY(nullptr);
}
