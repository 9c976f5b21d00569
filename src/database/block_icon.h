#pragma once
// The picture of a block: its graphic (source kind, index, sub-index) as a
// 32 x 32 cell, with the overlay cell of the mark sheet over it when its
// overlay flag is 1. Sheets of 32-dot cells run down a column of 15 cells,
// then on to the next column.
#include "platform/graphics/dd_surface.h"
#include "stage/block_data.h"

// Where a graphic's 32 x 32 cell comes from.
struct BLOCKGRAPHIC {
    DDSURFACEDATA* lpSurface = nullptr;  // null: nothing to draw (no sheet, or a cell outside it)
    int nSrcX = 0, nSrcY = 0;
    int nWidth = 32, nHeight = 32;       // 16 x 16 for shot pieces
    int nDx = 0, nDy = 0;                // offset inside the 32 x 32 cell
};

// The source of a graphic: 0 the block sheet, 1 the character sheets (index 0..19
// on the first, 20.. on the second; the sub-index picks the row), 2 the item
// sheet, 3 the first frame of a shot piece centred in the cell, 4 the
// dedicated bitmap `dedicated` (its cells chosen by the sub-index).
BLOCKGRAPHIC GetBlockGraphic(int kind, int index, int sub, DDSURFACEDATA* dedicated);
// Draws the block's graphic 32 x 32 at (x, y) and its overlay cell.
void DrawBlockIcon(const cBlockData& block, DDSURFACEDATA* dst, int x, int y, DDSURFACEDATA* dedicated = nullptr);
