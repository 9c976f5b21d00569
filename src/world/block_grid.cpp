#include "world/block_grid.h"

cSafeVector<cBlockCell> BlockGrid;

void ResetBlockGrid() {
    BlockGrid.clear();
    BlockGrid.shrink_to_fit();
}
