// The player's flying state, boxes, guides, move steps and scroll following.
#include <algorithm>
#include <cmath>

#include "actors/player.h"
#include "database/global_objects.h"
#include "world/world_state.h"

namespace {

constexpr int32_t CELL = 32;
constexpr int32_t SIZE_CHANGE_FRAMES = 2;

void SetBox(PLAYERBOX& b, int32_t w, int32_t h, int32_t bodyOffX, int32_t bodyOffY) {
    b.nBaseW = w;
    b.nBaseH = h;
    b.nBaseOffX = (CELL - w) / 2 - bodyOffX;
    b.nBaseOffY = (CELL - h) / 2 - bodyOffY;
}

void ScalePlayerBox(PLAYERBOX& b, int32_t scale) {
    b.nOffX = b.nBaseOffX * scale;
    b.nOffY = b.nBaseOffY * scale;
    b.nW = b.nBaseW * scale;
    b.nH = b.nBaseH * scale;
}

// The scroll position that keeps an object of `size` at `pos` centred in the view.
void Follow(cScrollAxis& axis, double pos, int32_t size) {
    if (axis.dAutoStep != 0) return;
    const double want = pos - (axis.nView / 2 - size / 2);
    const double hi = std::max<double>(axis.nMin, axis.nMax + 1 - axis.nView);
    axis.dPos = std::clamp<double>(want, axis.nMin, hi);
}

}  // namespace

void cPlayer::SetFlying(int32_t flying, bool bScaled, bool bKeepPos, bool bSizeChangeFlag) {
    const cStageData& st = PlayStage;
    const bool bWas = data.byFlying != 0;
    data.byFlying = static_cast<uint8_t>(flying);
    const bool bFly = flying != 0;
    SetBlockHit(flying);
    if (bKeepPos) {
        dSavedPos[0] = x;
        dSavedPos[1] = y;
        dSavedPos[2] = x2;
        dSavedPos[3] = y2;
    }
    if (bWas != bFly) {
        nSizeChangeCount = SIZE_CHANGE_FRAMES;
        if (bSizeChangeFlag) bSizeChange = 1;
    }
    if (!bFly) {
        dSpeedX = dSpeedY = dPushX = dPushY = 0;
    } else {
        // A flier has no ground; its air time is not limited.
        landed = 0;
        lpStandBlock = nullptr;
        standingOnObject = 0;
    }

    // Body box, then the hit box by the character's hit-range kind.
    const int32_t bodyW = bFly ? st.nHeroBodyBW : st.nHeroBodyAW;
    const int32_t bodyH = bFly ? st.nHeroBodyBH : st.nHeroBodyAH;
    const bool bBodyBottom = (bFly ? st.bHeroBodyBAlign : st.bHeroBodyAAlign) != 0;
    const int32_t bodyOffX = (CELL - bodyW) / 2;
    const int32_t bodyOffY = bBodyBottom ? CELL - bodyH : (CELL - bodyH) / 2;
    int32_t w = bFly ? st.nHeroRange0FlyW : st.nHeroRange0W;
    int32_t h = bFly ? st.nHeroRange0FlyH : st.nHeroRange0H;
    bool bBottom = (bFly ? st.bHeroRange0FlyAlign : st.bHeroRange0Align) != 0;
    switch (data.byHitRangeKind) {
    case 1: w = st.nHeroRange1W; h = st.nHeroRange1H; bBottom = false; break;
    case 2: w = st.nHeroRange2W; h = st.nHeroRange2H; bBottom = false; break;
    case 3: w = h = CELL; bBottom = false; break;
    default: break;
    }
    const int32_t scale = bScaled && nScale > 1 ? nScale : 1;
    nBaseCellOffX = bodyOffX;
    nBaseCellOffY = bodyOffY;
    nBaseHitW = bodyW;
    nBaseHitH = bodyH;
    nCellOffX = bodyOffX * scale;
    nCellOffY = bodyOffY * scale;
    nHitW = bodyW * scale;
    nHitH = bodyH * scale;
    SetHitBox(w * scale, h * scale, bBottom);
    nBoxX -= bodyOffX;
    nBoxY -= bodyOffY;

    SetBox(box2, st.nHeroRange1W, st.nHeroRange1H, bodyOffX, bodyOffY);
    SetBox(box3, st.nHeroBox3W, st.nHeroBox3H, bodyOffX, bodyOffY);
    ScalePlayerBox(box2, scale);
    ScalePlayerBox(box3, scale);
    x2 = x + nHitW - 1;
    y2 = y + nHitH - 1;
    CalcRectX();
    CalcRectY();
    BuildGuides();
}

void cPlayer::BuildGuides() {
    const cStageData& st = PlayStage;
    const int32_t show[4] = {st.nHeroBoxShow1, st.nHeroBoxShow2, st.nHeroBoxShow3, st.nHeroBoxShow4};
    const int32_t colour[4] = {st.nHeroBoxColour1, st.nHeroBoxColour2, st.nHeroBoxColour3, st.nHeroBoxColour4};
    const int32_t rect[4][4] = {{0, 0, nHitW, nHitH},
                                {nBoxX, nBoxY, nBoxW, nBoxH},
                                {box2.nOffX, box2.nOffY, box2.nW, box2.nH},
                                {box3.nOffX, box3.nOffY, box3.nW, box3.nH}};
    guides.clear();
    for (int32_t i = 0; i < 4; ++i) {
        if (show[i] != 1 && show[i] != 2) continue;
        guides.push_back(GUIDERECT{i, colour[i], rect[i][0], rect[i][1], rect[i][2], rect[i][3], show[i], i});
    }
    // Filled guides first, outlines over them; by anchor within a style.
    std::stable_sort(guides.begin(), guides.end(), [](const GUIDERECT& a, const GUIDERECT& b) {
        return a.nStyle != b.nStyle ? a.nStyle < b.nStyle : a.nOrder < b.nOrder;
    });
}

int32_t cPlayer::FixAfterMoveX(cWorldState* world) {
    const int32_t r = ClampX(2);
    if (world) Follow(world->ScrollX, x, nHitW);
    x2 = x + nHitW - 1;
    return r;
}

int32_t cPlayer::FixAfterMoveY(cWorldState* world) {
    const int32_t r = ClampY(2);
    if (world) Follow(world->ScrollY, y, nHitH);
    y2 = y + nHitH - 1;
    return r;
}

int32_t cPlayer::MoveStepX(cWorldState* world) { return StepSpeedX(world); }

int32_t cPlayer::FallStep(cWorldState* world) {
    UpdateFall();
    if (IsFlying() && dAccelY == 0) AddPushY();
    const int32_t r = LimitFallSpeed(2);
    FixAfterMoveY(world);
    if (!IsFlying() && (r == CLAMP_STAGE_FAR || r == CLAMP_GRID_FAR)) return 7;
    return r;
}
