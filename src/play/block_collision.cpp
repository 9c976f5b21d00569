#include "play/block_collision.h"

#include <cmath>

#include "actors/chara.h"
#include "actors/damage.h"
#include "actors/player.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "play/block_clear.h"
#include "play/block_collision_util.h"
#include "play/play_scene.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

namespace {

// The grid as the samples of one edge read it, its sizes fetched once.
struct GRIDVIEW {
    int32_t nPitch, nShift, nRows;
    GRIDVIEW() {
        const cScrollAxis& sx = CurScrollX();
        nPitch = sx.nPitch;
        nShift = sx.nPitchShift;
        nRows = CurScrollY().nCells;
    }
    // The cell under a point, -1 outside the grid.
    int32_t CellAt(double px, double py) const {
        const int32_t col = static_cast<int32_t>(px) >> 5;
        const int32_t row = static_cast<int32_t>(py) >> 5;
        if (col < 0 || row < 0 || col >= nPitch || row >= nRows) return -1;
        return (row << nShift) + col;
    }
};

// Samples from the first end to the other: at least enough for an edge to
// meet every cell it crosses.
int32_t SampleSpan(const cChara& c, double length) { return EdgeSampleSpan(c, length); }

bool IsPlayer(const cChara& c) { return c.nKind == 0; }
bool DiesOnBlocks(const cChara& c) { return c.bScreen && c.nBlockMode == BLOCKMODE_DIE; }
bool Skips(const cChara& c) { return c.bScreen && c.nBlockMode == BLOCKMODE_PASS; }

cBlockCell* CellPtr(int32_t cell) {
    return cell < 0 || cell >= static_cast<int32_t>(BlockGrid.size()) ? nullptr : &BlockGrid[cell];
}

// A side contact: the side is kept and the block triggers of that side start.
void TouchedSide(cChara& c, int32_t side) {
    c.nLastBlockSide = side;
    StartCharaTrigger(c, TRIGGER_BLOCK);
    StartCharaTrigger(c, TRIGGER_BLOCK_SIDE);
    StartCharaTrigger(c, side == 0 ? TRIGGER_BLOCK_LEFT : TRIGGER_BLOCK_RIGHT);
}

}  // namespace

int32_t CellHitFor(const cChara& c, int32_t cell) { return GetBlockHitKindAt(cell, c.Side()); }

void MoveLeftTo(cChara& c, double v) {
    c.x = v;
    c.x2 = v + c.nHitW - 1;
    c.FixAfterMoveX(lpWorld);
}

void MoveTopTo(cChara& c, double v) {
    c.y = v;
    c.y2 = v + c.nHitH - 1;
    c.FixAfterMoveY(lpWorld);
}

namespace {

// The samples of an edge from its first end (see BestEdgeCell). Out of line,
// as is EndsCell: most edges lie in one cell and EdgeCell answers them
// without saving the registers these need.
[[gnu::noinline]] int32_t SampleEdge(const cChara& c, const GRIDVIEW& grid, bool bVertical, double x1, double y1, double len,
                   int32_t span) {
    const double mid = len / 2;
    const int32_t side = c.Side();
    int32_t best = -1, bestHit = -1;
    double bestDist = 0;
    for (int32_t i = 0; i <= span; ++i) {
        // len × 0 / span is 0 and len × 1 / 1 is len, without the division.
        const double d = i == 0 ? 0.0 : span == 1 ? len : len * i / span;
        const int32_t cell = bVertical ? grid.CellAt(x1, y1 + d) : grid.CellAt(x1 + d, y1);
        if (cell < 0) continue;
        const int32_t hit = GetBlockHitKindAt(cell, side);
        const double dist = std::fabs(d - mid);
        if (hit > bestHit || (hit == bestHit && !bVertical && dist < bestDist)) {
            best = cell;
            bestHit = hit;
            bestDist = dist;
        }
    }
    return best;
}

// Far more than the few units in the last place by which len × span / span
// can miss len at grid coordinates, far less than a dot.
constexpr double kEndSlack = 1e-6;

// The samples of an edge of one span, its two ends, the first in firstCell:
// both lie as far from the middle, so the last wins only by a higher hit.
// Both are asked, the first first, as the sampling asks them.
[[gnu::noinline]] int32_t EndsCell(const cChara& c, const GRIDVIEW& grid, bool bVertical, double x1, double y1,
                                   double len, int32_t firstCell) {
    const int32_t lastCell = bVertical ? grid.CellAt(x1, y1 + len) : grid.CellAt(x1 + len, y1);
    const int32_t side = c.Side();
    const int32_t firstHit = firstCell < 0 ? -1 : GetBlockHitKindAt(firstCell, side);
    if (lastCell < 0) return firstCell;
    return GetBlockHitKindAt(lastCell, side) > firstHit ? lastCell : firstCell;
}

// BestEdgeCell, inline in the checks of this file.
inline int32_t EdgeCell(const cChara& c, double x1, double y1, double x2, double y2) {
    const bool bVertical = x1 == x2;
    const double len = bVertical ? y2 - y1 : x2 - x1;
    const GRIDVIEW grid;
    // The samples move one way along one axis: when the first and the last
    // fall in the same cell, so do all between, and that cell is the answer.
    const int32_t firstCell = grid.CellAt(x1, y1);
    if (firstCell >= 0) {
        // The last sample lies at len × span / span, which is len or a few
        // units in its last place off: a cell is chosen by the whole part, so
        // unless the end lies that close to a whole number, len gives its cell
        // without the span or the division.
        const double start = bVertical ? y1 : x1;
        const double end = start + len;
        double lastPos = end;
        if (static_cast<int32_t>(end - kEndSlack) != static_cast<int32_t>(end + kEndSlack)) {
            const int32_t span = SampleSpan(c, len);
            if (span != 1) lastPos = start + len * span / span;
        }
        if (firstCell == (bVertical ? grid.CellAt(x1, lastPos) : grid.CellAt(lastPos, y1))) return firstCell;
    }
    const int32_t span = SampleSpan(c, len);
    if (span != 1) return SampleEdge(c, grid, bVertical, x1, y1, len, span);
    return EndsCell(c, grid, bVertical, x1, y1, len, firstCell);
}

}  // namespace

int32_t BestEdgeCell(const cChara& c, double x1, double y1, double x2, double y2) {
    return EdgeCell(c, x1, y1, x2, y2);
}

int32_t BestBottomCell(const cChara& c) {
    const double len = c.x2 - c.x;
    const int32_t span = SampleSpan(c, len);
    const GRIDVIEW grid;
    int32_t best = -1, bestHit = -1;
    for (int32_t i = 0; i <= span; ++i) {
        const double px = i == span ? c.x2 : c.x + std::trunc(static_cast<double>(c.nHitW) / span) * i;
        const int32_t cell = grid.CellAt(px, c.y2);
        if (cell < 0) continue;
        const int32_t hit = CellHitFor(c, cell);
        if (hit > bestHit) best = cell, bestHit = hit;
    }
    return best;
}

int32_t BestCornerCell(const cChara& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int32_t shift = CurScrollX().nPitchShift;
    const int32_t cells[4] = {(y1 << shift) + x1, (y2 << shift) + x1, (y1 << shift) + x2, (y2 << shift) + x2};
    int32_t best = cells[0], bestHit = CellHitFor(c, cells[0]);
    for (int32_t i = 1; i < 4; ++i) {
        const int32_t hit = CellHitFor(c, cells[i]);
        if (hit > bestHit) best = cells[i], bestHit = hit;
    }
    return best;
}

int32_t CheckLeft(cChara& c) {
    const int32_t hit = CellHitFor(c, EdgeCell(c, c.x, c.y, c.x, c.y2));
    if (hit == 0) return 0;
    if (hit == 2 && IsPlayer(c)) return 2;
    if (DiesOnBlocks(c)) return 2;
    c.bContactL = 1;
    c.dPushX = 0;
    MoveLeftTo(c, c.x + 32 - (static_cast<int32_t>(c.x) & 31));
    TouchedSide(c, 0);
    return 0;
}

int32_t CheckRight(cChara& c) {
    const int32_t hit = CellHitFor(c, EdgeCell(c, c.x2, c.y, c.x2, c.y2));
    if (hit == 0) return 0;
    if (hit == 2 && IsPlayer(c)) return 2;
    if (DiesOnBlocks(c)) return 2;
    c.bContactR = 1;
    c.dPushX = 0;
    MoveLeftTo(c, c.x - ((static_cast<int32_t>(c.x2) & 31) + 1));
    TouchedSide(c, 1);
    return 0;
}

int32_t CheckCeiling(cChara& c) {
    // A top edge within the cells found clear meets nothing: the edge of a
    // character just lifted out of its floor usually is.
    if (InKeptClearCells(c, c.x, c.y, c.x2, c.y)) return 0;
    const int32_t hit = CellHitFor(c, EdgeCell(c, c.x, c.y, c.x2, c.y));
    if (hit == 0) return 0;
    if (hit == 2 && IsPlayer(c)) return 2;
    if (DiesOnBlocks(c)) return 2;
    c.OnHitCeiling(lpWorld);
    c.bContactU = 1;
    return 0;
}

// A floor check that met nothing: one more step without ground.
void NoGround(cChara& c) {
    if (!CountNoGround(c, PlayStage.nSteps)) NoGroundGrace(c);
}

void NoGroundGrace(cChara& c) {
    if (c.nNoGroundFrames >= GroundGraceSteps(PlayStage.nSteps, PlayStage.dGravityStep)) {
        if (!IsPlayer(c)) {
            c.bFalling = 1;
        } else if (!c.standingOnObject) {
            c.bFalling = 1;
            if (lpPlayScene && lpPlayScene->World.Hero()) lpPlayScene->World.Hero()->bLeftGround = 1;
        }
    }
}

int32_t CheckFloor(cChara& c, bool bCountNoGround) {
    const int32_t cell = EdgeCell(c, c.x, c.y2, c.x2, c.y2);
    const int32_t hit = CellHitFor(c, cell);
    // The push-out takes only the solid and deadly cases: the block the
    // character stands on stays.
    if (hit == 0) {
        if (bCountNoGround) NoGround(c);
        return 0;
    }
    c.lpStandBlock = CellPtr(cell);
    if (hit == 2) {
        c.lpLastStandBlock = c.lpStandBlock;
        if (IsPlayer(c)) return 2;
    }
    if (DiesOnBlocks(c)) return 2;
    if (!GetSysSwitch(SystemData, eSysSwitch::LandWhileRising) && !c.bScreen && c.dSpeedY < 0) return 0;
    if (hit == 1 && IsPlayer(c)) c.lpStandBlock = CellPtr(BestBottomCell(c));
    c.lpLastStandBlock = c.lpStandBlock;
    c.OnLand(lpWorld);
    c.bContactD = 1;
    c.nNoGroundFrames = 0;
    c.bFalling = 0;
    return 0;
}

// Where no block can meet the character, every edge check below answers
// nothing and moves nothing: the checks of an axis are skipped whole.

int32_t BlockHitH(cChara& c) {
    if (Skips(c) || HitsNoBlock(c)) return 0;
    const bool bRightFirst = (c.bScreen && c.nBlockMode == BLOCKMODE_HIT) || c.dSpeedX > 0;
    if (bRightFirst) {
        if (CheckRight(c) == 2) return 2;
        return CheckLeft(c);
    }
    if (CheckLeft(c) == 2) return 2;
    return CheckRight(c);
}

int32_t BlockHitV(cChara& c) {
    if (Skips(c)) return 0;
    c.lpStandBlock = nullptr;
    if (HitsNoBlock(c)) {
        NoGround(c);
        return 0;
    }
    const bool bFloorFirst = (c.bScreen && c.nBlockMode == BLOCKMODE_HIT) || c.dSpeedY > 0;
    if (bFloorFirst) {
        if (CheckFloor(c) == 2) return 2;
        return CheckCeiling(c);
    }
    if (CheckCeiling(c) == 2) return 2;
    return CheckFloor(c);
}

int32_t PushOutH(cChara& c) {
    if (Skips(c) || HitsNoBlock(c)) return 0;
    const int32_t r = CheckRight(c);
    const int32_t l = CheckLeft(c);
    return r == 2 || l == 2 ? 2 : 0;
}

int32_t PushOutV(cChara& c) {
    if (Skips(c) || HitsNoBlock(c)) return 0;
    const int32_t f = CheckFloor(c, false);
    const int32_t u = CheckCeiling(c);
    return f == 2 || u == 2 ? 2 : 0;
}

void PushOut(cChara& c) {
    // Neither axis can move a character that no block meets.
    if (Skips(c) || HitsNoBlock(c)) return;
    PushOutH(c);
    PushOutV(c);
}

int32_t ClampScreenX(cChara& c) {
    const cScrollAxis& sx = CurScrollX();
    if (!sx.bAuto && !c.bScreen) return 0;
    c.UpdateScreenRect();
    if (c.nScrLeft < 0) {
        c.bContactL = 1;
        MoveLeftTo(c, sx.dPos);
    } else if (c.nScrRight + 1 >= SCROLL_VIEW_X) {
        c.bContactR = 1;
        MoveLeftTo(c, sx.dPos + SCROLL_VIEW_X - c.nHitW - 1);
    }
    return 0;
}

int32_t ClampScreenY(cChara& c) {
    const cScrollAxis& sy = CurScrollY();
    if (!sy.bAuto && !c.bScreen) return 0;
    c.UpdateScreenRect();
    if (c.nScrTop < 0) {
        c.bContactU = 1;
        MoveTopTo(c, sy.dPos);
    } else if (c.nScrBottom + 1 >= SCROLL_VIEW_Y) {
        c.bContactD = 1;
        MoveTopTo(c, sy.dPos + SCROLL_VIEW_Y - c.nHitH - 1);
        if (!c.bScreen) return 2;
    }
    return 0;
}

int32_t CornerCellsSolid(const cChara& c) {
    const int32_t shift = CurScrollX().nPitchShift;
    const int32_t cells[4] = {(c.nRowT << shift) + c.nColL, (c.nRowB << shift) + c.nColL,
                              (c.nRowT << shift) + c.nColR, (c.nRowB << shift) + c.nColR};
    for (int32_t cell : cells)
        if (CellHitFor(c, cell) != 0) return 1;
    return 0;
}

int32_t IsInsideBlock(cChara& c) {
    if (Skips(c)) return 0;
    const int32_t cell = BestCornerCell(c, static_cast<int32_t>(c.x) >> 5, static_cast<int32_t>(c.y) >> 5,
                                        static_cast<int32_t>(c.x2) >> 5, static_cast<int32_t>(c.y2) >> 5);
    if (CellHitFor(c, cell) != 0) return 1;
    if (!lpPlayScene) return 0;
    for (cStageChara& bc : lpPlayScene->BlockCharas)
        if (IsBlockCharaFor(bc, c) && Overlap(RectOf(c), RectOf(bc))) return 1;
    return 0;
}
