// The warp command: the character jumps to a place at once, and jumps back
// when that place is outside the stage or inside a block.
#include <cmath>

#include "actors/chara.h"
#include "actors/cmd/cmd_bodies.h"
#include "records/utility.h"
#include "stage/flow_cmd.h"
#include "world/block_grid.h"
#include "world/world_state.h"

namespace {

enum { DIR_FRONT, DIR_BACK, DIR_LEFT, DIR_RIGHT, DIR_FRONT_Y, DIR_BACK_Y, DIR_UP, DIR_DOWN,
       DIR_UP_LEFT, DIR_DOWN_LEFT, DIR_UP_RIGHT, DIR_DOWN_RIGHT, DIR_INPUT };

// The direction code after the facing: 前 and 後 become left or right,
// 前Y and 後Y up or down, 入力方向 the direction held when the flow started.
int32_t ResolveWarpDir(const cChara& c, int32_t code, const cFlowRun* f) {
    const bool right = c.nFacing != 0;
    if (code == DIR_INPUT) {
        static const int32_t table[10] = {0, 2, 3, 6, 7, 8, 9, 10, 11, 0};
        const int32_t s = f ? f->startDir : 0;
        code = s >= 0 && s < 10 ? table[s] : 0;
        if (code == 0) return right ? DIR_RIGHT : DIR_LEFT;
    }
    switch (code) {
    case DIR_FRONT: return right ? DIR_RIGHT : DIR_LEFT;
    case DIR_BACK: return right ? DIR_LEFT : DIR_RIGHT;
    case DIR_FRONT_Y: return right ? DIR_DOWN : DIR_UP;
    case DIR_BACK_Y: return right ? DIR_UP : DIR_DOWN;
    default: return code;
    }
}

void MoveByDir(cChara& c, int32_t dir, double d) {
    const double k = d * dInvRoot2;
    switch (dir) {
    case DIR_LEFT: c.x -= d; break;
    case DIR_RIGHT: c.x += d; break;
    case DIR_UP: c.y -= d; break;
    case DIR_DOWN: c.y += d; break;
    case DIR_UP_LEFT: c.x -= k; c.y -= k; break;
    case DIR_DOWN_LEFT: c.x -= k; c.y += k; break;
    case DIR_UP_RIGHT: c.x += k; c.y -= k; break;
    case DIR_DOWN_RIGHT: c.x += k; c.y += k; break;
    default: break;
    }
}

// The edges, columns and rows and the hit boxes follow the position, then
// the character's own after-move steps run (the hero's bring the scroll along).
void AfterMove(cChara& c, cWorldState* world) {
    c.x2 = c.x + c.nHitW - 1;
    c.y2 = c.y + c.nHitH - 1;
    c.nColL = static_cast<int32_t>(c.x) >> 5;
    c.nColR = static_cast<int32_t>(c.x2) >> 5;
    c.nRowT = static_cast<int32_t>(c.y) >> 5;
    c.nRowB = static_cast<int32_t>(c.y2) >> 5;
    c.UpdateHitRectX();
    c.UpdateHitRectY();
    c.CalcRectX();
    c.CalcRectY();
    c.FixAfterMoveX(world);
    c.FixAfterMoveY(world);
}

bool InsideBlock(const cChara& c, const cWorldState& world) {
    const cScrollAxis& ax = world.ScrollX;
    for (int32_t row = c.nRowT; row <= c.nRowB; ++row)
        for (int32_t col = c.nColL; col <= c.nColR; ++col) {
            if (col < 0 || col >= ax.nPitch || row < 0) continue;
            if (GetBlockHitKindAt((row << ax.nPitchShift) + col, c.Side()) != 0) return true;
        }
    return false;
}

}  // namespace

void Warp(cChara& chara, const cFlowCmd& cmd, const cFlowRun* lpFlow, cWorldState* world) {
    if (!cmd.spMove || !world) return;
    const cEdMove& m = *cmd.spMove;
    chara.bAnchorX = chara.bAnchorY = 0;
    const double oldX = chara.x, oldY = chara.y;
    const double d = (m.nDist + m.nDistInc * chara.nCloneIndex) * 16.0;
    if (m.nMode == 0) {
        MoveByDir(chara, ResolveWarpDir(chara, m.nDir, lpFlow), d);
    } else if (m.nMode >= 1 && m.nMode <= 4) {
        const cChara* t = chara.GetTarget(m.nMode - 1);
        if (!t) return;
        chara.x += (t->x + t->x2) / 2 - (chara.x + chara.x2) / 2;
        chara.y += (t->y + t->y2) / 2 - (chara.y + chara.y2) / 2;
        MoveByDir(chara, ResolveWarpDir(chara, m.nDir, lpFlow), d);
    } else if (m.nMode == 5) {
        double ox = m.nTargetXBl * 32 + m.nTargetXDot, oy = m.nTargetYBl * 32 + m.nTargetYDot;
        if (m.nOrigin == 0) {
            if (chara.nFacing != 0 && m.bMirrorX) ox = -ox;
            if (chara.nFacing != 0 && m.bMirrorY) oy = -oy;
            chara.x += ox;
            chara.y += oy;
        } else {
            const cScrollAxis& sx = world->ScrollX;
            const cScrollAxis& sy = world->ScrollY;
            double bx = sx.nMargin * 32.0, by = sy.nMargin * 32.0;
            if (m.nOrigin == 2) {
                bx = std::floor(sx.dPos / 32) * 32;
                by = std::floor(sy.dPos / 32) * 32;
            } else if (m.nOrigin == 3) {
                bx = sx.dPos;
                by = sy.dPos;
            }
            // Centred across the cell, standing on its bottom.
            chara.x = bx + ox + 16.5 - chara.nHitW / 2.0;
            chara.y = by + oy + 16.5 - 16 - (chara.nHitH - 32);
        }
    } else {
        return;
    }
    AfterMove(chara, world);
    chara.UpdateScreenRect();
    if (chara.IsInStage(false) && !InsideBlock(chara, *world)) {
        if (!chara.IsFlying()) chara.dSpeedY = 0;
        // A warp to a screen cell keeps the character there on the screen
        // until a movement command clears the anchors.
        if (m.nMode == 5 && m.nOrigin == 2) {
            chara.bAnchorX = chara.bAnchorY = 1;
            chara.nAnchorX = chara.nScrLeft;
            chara.nAnchorY = chara.nScrTop;
        }
        return;
    }
    chara.x = oldX;
    chara.y = oldY;
    AfterMove(chara, world);
    chara.UpdateScreenRect();
}

void WarpProc(const FLOWSTEP& step) {
    if (step.state.cmd) Warp(step.chara, *step.state.cmd, &step.flow, step.world);
}
