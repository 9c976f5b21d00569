#pragma once
// The block grid of the stage in play: ScrollY.nCells rows of ScrollX.nPitch
// cells, cell index = (row << ScrollX.nPitchShift) + column in grid cells
// (stage cell + 10 on both axes). Each cell holds a copy of a block record
// and its state byte.
#include <cstdint>

#include "records/safe_container.h"
#include "stage/block_data.h"

class cBlockCell : public cBlockData {
public:
    cBlockCell() = default;
    // Assigning a block record copies the record; the state is the caller's.
    cBlockCell& operator=(const cBlockData& block) {
        cBlockData::operator=(block);
        bCondLatched = 0;
        return *this;
    }

    uint8_t byState = 0;  // 0 after a summon
    // Block conditions
    uint8_t bCondLatched = 0;  // latched conditions have held once
};

// The cells of the grid (sized by the stage set-up).
extern cSafeVector<cBlockCell> BlockGrid;

// The hit value of a cell for an object of pass kind `passKind`
// (cBlockData::GetBlockHitKind: 0 for the empty block or when the block's
// conditions fail now, 0 when its pass-through group equals passKind, else
// its hit kind: 0 none, 1 solid, 2 deadly).
inline int32_t GetBlockHitKind(cBlockCell& cell, int32_t passKind) { return cell.GetBlockHitKind(passKind); }
// The same for a cell index; 0 outside the grid.
inline int32_t GetBlockHitKindAt(int32_t cell, int32_t passKind) {
    if (cell < 0 || cell >= static_cast<int32_t>(BlockGrid.size())) return 0;
    return BlockGrid.data()[cell].GetBlockHitKind(passKind);
}
// Empties the grid (tests).
void ResetBlockGrid();
