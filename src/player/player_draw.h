#pragma once
// Drawing the player's records in the front-end scenes: the story slot list
// and one table of the ranking list in hand.
#include "player/ranking.h"
#include "player/save_data.h"

struct DDSURFACEDATA;

// A framed box 320 wide and 16 x rows high at (x, y), a line of colour 240
// between rows; per row, from slot `top` on, the slot number from 1 at
// x + 16 and the slot's summary at x + 64 (16-pixel font).
void DrawSaveSlots(DDSURFACEDATA* dst, int x, int y, const cSafeVector<cSaveSlot>& slots, int top, int rows);
// Table n of the list at (x, y): framed box, title, the used rows (rank, name,
// value), the hint to switch tables when game type g has two or more, and
// the highlight icon on row `mark` (-1: none).
void DrawRankingTable(DDSURFACEDATA* dst, int x, int y, const cRankingList& list, int n, int g, int mark,
                      int bEnglish = 0);
