#pragma once
// What the stage drawing of the play screen reads of the play scene: the two
// scroll axes' positions and first cells, and the block grid. The play scene
// fills these from ScrollX, ScrollY and its cell vector before it draws.
#include <functional>

class cBlockData;
struct DDSURFACEDATA;

// The scroll axes as the drawing sees them.
struct PLAYSCROLLVIEW {
    double dPosX = 0, dPosY = 0;       // ScrollX.dPos, ScrollY.dPos: grid dots at the screen's left and top
    int nMarginX = 10, nMarginY = 10;  // ScrollX.nMargin, ScrollY.nMargin: the axes' first cell
};

// The block grid: nRows rows of (1 << nPitchShift) cells, nCols of them used;
// cell (c, r) is (r << nPitchShift) + c.
struct BLOCKGRIDVIEW {
    int nCols = 0;         // ScrollX.nCells
    int nRows = 0;         // ScrollY.nCells
    int nPitchShift = 0;   // ScrollX.nPitchShift
    // The block record of a cell index (never called outside the grid); null draws nothing.
    std::function<const cBlockData*(int cell)> fnCell;
    // The dedicated bitmap of a graphic index (graphic source 4); null or unset: none.
    std::function<DDSURFACEDATA*(int index)> fnDedicated;
};
