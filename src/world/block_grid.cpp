#include "world/block_grid.h"

cSafeVector<cBlockCell> BlockGrid;

int32_t GetBlockHitKind(cBlockCell& cell, int32_t passKind) {
    return cell.GetBlockHitKind(passKind);
}

int32_t GetBlockHitKindAt(int32_t cell, int32_t passKind) {
    if (cell < 0 || cell >= static_cast<int32_t>(BlockGrid.size())) return 0;
    return GetBlockHitKind(BlockGrid[cell], passKind);
}

void ResetBlockGrid() {
    BlockGrid.clear();
    BlockGrid.shrink_to_fit();
}
