#include "actors/player.h"

#include <algorithm>
#include <cmath>

#include "database/global_objects.h"

cPlayer::cPlayer(const cPlayer& src) : cChara() {
    cPlayer::operator=(src);
}

cPlayer& cPlayer::operator=(const cPlayer& src) {
    if (this == &src) return *this;
    cChara::operator=(static_cast<const cChara&>(src));
    CopyPlayerMembers(src);
    return *this;
}

cChara& cPlayer::operator=(const cChara& src) {
    if (this == &src) return *this;
    cChara::operator=(src);
    if (const auto* lpPlayer = dynamic_cast<const cPlayer*>(&src)) CopyPlayerMembers(*lpPlayer);
    return *this;
}

void cPlayer::CopyPlayerMembers(const cPlayer& src) {
    std::copy(std::begin(src.dSavedPos), std::end(src.dSavedPos), dSavedPos);
    touchedItems = src.touchedItems;
    nPlScrLeft = src.nPlScrLeft;
    nPlScrTop = src.nPlScrTop;
    nPlScrRight = src.nPlScrRight;
    nPlScrBottom = src.nPlScrBottom;
    bLanding = src.bLanding;
    nJumpCounter = src.nJumpCounter;
    bJumping = src.bJumping;
    bJumpReady = src.bJumpReady;
    bJumpedThisCmd = src.bJumpedThisCmd;
    bJumpHandled = src.bJumpHandled;
    nSizeChangeCount = src.nSizeChangeCount;
    bSizeChange = src.bSizeChange;
    nProtect = src.nProtect;
    bRescue = src.bRescue;
    std::copy(std::begin(src.dRescuePos), std::end(src.dRescuePos), dRescuePos);
    nObjectContactCount = src.nObjectContactCount;
    guides = src.guides;
    input = src.input;
    pendingItemCmds = src.pendingItemCmds;
    pending = src.pending;
    box2 = src.box2;
    box3 = src.box3;
    nPlayerIndex = src.nPlayerIndex;
    nItemCooldown = src.nItemCooldown;
    lpPrevLastStandBlock = src.lpPrevLastStandBlock;
    bLeftGround = src.bLeftGround;
    bIgnoreDirection = src.bIgnoreDirection;
    bIgnoreButtons = src.bIgnoreButtons;
}

void cPlayer::OnScale(int32_t newScale) {
    box2.Scale(newScale);
    box3.Scale(newScale);
}

void cPlayer::UpdateHitRectX() {
    CalcRectX();
}

void cPlayer::UpdateHitRectY() {
    CalcRectY();
}

void cPlayer::Setup(int32_t id, int32_t index, cCharaData& record, const int32_t spawnRect[4], double px, double py,
                    cWorldState* world) {
    const cStageData& st = PlayStage;
    if (record.chSize == 0) record.chSize = 1;
    cChara::Setup(&record, spawnRect, 0);
    nPlayerIndex = index;
    // The body box of the player's state: walking (A) or flying (B).
    const bool bFly = data.byFlying != 0;
    const int32_t w = bFly ? st.nHeroBodyBW : st.nHeroBodyAW;
    const int32_t h = bFly ? st.nHeroBodyBH : st.nHeroBodyAH;
    const bool bBottom = (bFly ? st.bHeroBodyBAlign : st.bHeroBodyAAlign) != 0;
    const int32_t offX = (32 - w) / 2;
    const int32_t offY = bBottom ? 32 - h : (32 - h) / 2;
    cGameObject::Setup(id, data.byController, data.byKeyInput, data.byForce, 0, nullptr, 0, offX, offY, w, h, 32, 32,
                       0, data.byFlying, 0);
    SetHitBox(w, h, bBottom);
    x = px;
    y = py;
    x2 = x + nHitW - 1;
    y2 = y + nHitH - 1;
    input = InputList.empty() ? nullptr : &InputList[data.byKeyInput];
    const int32_t scale = data.chSize < 1 ? 1 : data.chSize;
    nScale = 1;
    SetScale(scale, 1, world);
    nScale = scale;
    SetFlying(data.byFlying, true, false, false);
    nSizeChangeCount = 0;
    nFacing = data.byFacing;
    landed = 1;
    bJumpReady = 1;
    nJumpCounter = bJumping = bJumpedThisCmd = bJumpHandled = 0;
    nSizeChangeCount = bSizeChange = 0;
    touchedItems.clear();
    BuildGuides();
    UpdateHitRectX();
    UpdateHitRectY();
    SetFlows(data.vFlow, 0, -1);
}

bool cPlayer::IsItemUntouched(int32_t id) const {
    return std::find(touchedItems.begin(), touchedItems.end(), id) == touchedItems.end();
}

void cPlayer::ForgetTouchedItem(int32_t id) {
    touchedItems.remove(id);
}
