#include "play/draw/block_draw.h"

#include "database/block_icon.h"
#include "platform/graphics/dd_blit.h"
#include "records/utility.h"
#include "stage/block_data.h"

namespace {

constexpr int SCREEN_COLUMNS = 21;  // 640 dots and the part cell at the right
constexpr int SCREEN_ROWS = 16;     // 480 dots and the part cell at the bottom

}  // namespace

void DrawBlocks(DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll, int layer) {
    if (!grid.fnCell) return;
    const int px = DoubleToInt(scroll.dPosX), py = DoubleToInt(scroll.dPosY);
    const int c0 = px >> 5, r0 = py >> 5;
    const int fx = px & 31, fy = py & 31;
    DDBeginBatch(0);
    for (int i = 0; i < SCREEN_ROWS; ++i) {
        const int row = r0 + i;
        if (row < 0 || row >= grid.nRows) continue;
        for (int k = 0; k < SCREEN_COLUMNS; ++k) {
            const int col = c0 + k;
            if (col < 0 || col >= grid.nCols) continue;
            const cBlockData* b = grid.fnCell((row << grid.nPitchShift) + col);
            if (!b || b->wGraphic == 0 || b->byLayer != layer || b->bHidden || !b->ConditionsHold()) continue;
            DDSURFACEDATA* dedicated =
                b->byGraphicKind == GRAPHIC_BMP && grid.fnDedicated ? grid.fnDedicated(b->wGraphic) : nullptr;
            DrawBlockIcon(*b, dst, k * 32 - fx, i * 32 - fy, dedicated);
        }
    }
    DDEndBatch();
}
