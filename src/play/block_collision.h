#pragma once
// Characters against the block grid and against block characters (stage
// characters that move as solid platforms). Every check answers 0 (nothing)
// or 2 (the contact kills) unless said otherwise. Positions are grid dots.
#include <cstdint>
#include <list>

class cBlockCell;
class cChara;
class cPlayer;
class cStageChara;
class cBlockCharaIndex;

// --- the block grid ---
// The cell of the highest hit value among span + 1 samples from (x1, y1) to
// (x2, y2) (ties: the one nearest the middle; a vertical edge keeps the
// first); -1 when every sample lies outside the grid.
int32_t BestEdgeCell(const cChara& c, double x1, double y1, double x2, double y2);
// The same along the bottom edge, the last sample on the right edge.
int32_t BestBottomCell(const cChara& c);
// The corner cell (top-left, bottom-left, top-right, bottom-right) of the
// highest hit value for the cell rectangle (x1, y1)-(x2, y2).
int32_t BestCornerCell(const cChara& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The hit value of cell `cell` for the character (0 outside the grid).
int32_t CellHitFor(const cChara& c, int32_t cell);

int32_t CheckLeft(cChara& c);
int32_t CheckRight(cChara& c);
int32_t CheckCeiling(cChara& c);
// bCountNoGround: an empty floor counts toward falling (not in push-outs).
int32_t CheckFloor(cChara& c, bool bCountNoGround = true);
// After a horizontal move / after a fall.
int32_t BlockHitH(cChara& c);
int32_t BlockHitV(cChara& c);
// Both sides of one axis in a fixed order.
int32_t PushOutH(cChara& c);
int32_t PushOutV(cChara& c);
// PushOutH then PushOutV, their results left unread.
void PushOut(cChara& c);
// The screen edges of auto-scrolling stages (and of screen-switch objects).
int32_t ClampScreenX(cChara& c);
int32_t ClampScreenY(cChara& c);

// --- block effects of the hero ---
int32_t StepBlockEffect(cChara& hero);
// The item held by the block the hero stands on; 0 or the take result.
int32_t StepBlockItem(cPlayer& hero);
void SnapToGround(cChara& c);

// --- block characters ---
// The stage character counts as a block character for `c`.
bool IsBlockCharaFor(const cStageChara& bc, const cChara& c);
int32_t HitBlockChara(cChara& c, const cBlockCharaIndex& list);
void CarryOnObject(cChara& c);
cStageChara* FindBlockCharaBelow(cChara& c);
void RecheckBlockCharaAxis(cChara& c, const cBlockCharaIndex& list, int32_t axis);
int32_t OverlapsBlockCharaExcept(const cChara& c, const cBlockCharaIndex& list, int32_t id);
int32_t IsOnCarrier(const cChara& c);
int32_t IsEnclosedByBlockCharas(const cChara& c, const double startRect[4]);
int32_t CornerCellsSolid(const cChara& c);
// In a solid cell, or touching a block character.
int32_t IsInsideBlock(cChara& c);

// The character's left / top edge moved to v, the other edges following.
void MoveLeftTo(cChara& c, double v);
void MoveTopTo(cChara& c, double v);
