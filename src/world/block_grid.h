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

// What the collision reads of a cell, two bytes beside each cell of the grid
// so that the edges of every object need not reach into the block copies:
// byKind the hit kind of a drawn block (0 for the empty block), or
// BLOCKHIT_ASK when only the cell can tell (a block with conditions);
// byPassGroup the block's pass-through group.
struct BLOCKHIT {
    uint8_t byKind = 0;
    uint8_t byPassGroup = 255;
    bool operator==(const BLOCKHIT&) const = default;
};
constexpr uint8_t BLOCKHIT_ASK = 255;

// One entry per cell of BlockGrid. Whatever changes a cell's block (the
// stage set-up, summons and erasures) brings its entry up to date.
extern cSafeVector<BLOCKHIT> BlockHits;
// Counts the changes of BlockHits (never 0): every function below that
// writes the table moves it on, so that what was read of the table under
// one value still holds while the value stays.
extern uint32_t BlockHitsVersion;
// The entry for a cell's block.
BLOCKHIT BlockHitOf(const cBlockCell& cell);
// The entry of cell `index` from its block; the whole table from the grid.
void SyncBlockHit(int32_t index);
void RebuildBlockHits();

// The hit value of a cell for an object of pass kind `passKind`
// (cBlockData::GetBlockHitKind: 0 for the empty block or when the block's
// conditions fail now, 0 when its pass-through group equals passKind, else
// its hit kind: 0 none, 1 solid, 2 deadly).
inline int32_t GetBlockHitKind(cBlockCell& cell, int32_t passKind) { return cell.GetBlockHitKind(passKind); }
// The same for a cell index from BlockHits; 0 outside the grid.
inline int32_t GetBlockHitKindAt(int32_t cell, int32_t passKind) {
    if (cell < 0 || cell >= static_cast<int32_t>(BlockHits.size())) return 0;
    const BLOCKHIT h = BlockHits.data()[cell];
    if (h.byKind == BLOCKHIT_ASK) return BlockGrid.data()[cell].GetBlockHitKind(passKind);
    return h.byPassGroup == passKind ? 0 : h.byKind;
}
// Empties the grid and its table (tests).
void ResetBlockGrid();
