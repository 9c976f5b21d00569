#include "world/block_grid.h"

cSafeVector<cBlockCell> BlockGrid;
cSafeVector<BLOCKHIT> BlockHits;
uint32_t BlockHitsVersion = 1;

namespace {

void BumpBlockHitsVersion() {
    if (++BlockHitsVersion == 0) BlockHitsVersion = 1;
}

}  // namespace

BLOCKHIT BlockHitOf(const cBlockCell& cell) {
    if (cell.wGraphic == 0) return {};
    if (!cell.vCond.empty()) return {BLOCKHIT_ASK, cell.byPassGroup};
    // A stored kind of 255 reads as the sentinel: the cell is asked, which
    // answers the same.
    return {cell.byHitKind, cell.byPassGroup};
}

void SyncBlockHit(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= BlockGrid.size()) return;
    BlockHits[index] = BlockHitOf(BlockGrid[index]);
    BumpBlockHitsVersion();
}

void RebuildBlockHits() {
    BlockHits.resize(BlockGrid.size());
    for (size_t i = 0; i < BlockGrid.size(); ++i) BlockHits.data()[i] = BlockHitOf(BlockGrid.data()[i]);
    BumpBlockHitsVersion();
}

void ResetBlockGrid() {
    BlockGrid.clear();
    BlockGrid.shrink_to_fit();
    BlockHits.clear();
    BlockHits.shrink_to_fit();
    BumpBlockHitsVersion();
}
