#include "database/block_icon.h"

#include "database/common_bitmaps.h"
#include "platform/graphics/dd_blit.h"

namespace {

constexpr int CELL = 32;
constexpr int CELLS_PER_COLUMN = 15;
constexpr int CHARA_COLUMNS = 20;  // graphic numbers per character sheet
constexpr int SHOT_PIECE = 16;
constexpr int SHOT_COLUMNS = 30;

// The cell of a column-major sheet of 32-dot cells, or nothing when it lies outside the sheet.
BLOCKGRAPHIC SheetCell(DDSURFACEDATA* sd, int sx, int sy, int w = CELL, int h = CELL) {
    BLOCKGRAPHIC g;
    if (!sd || !sd->HasSurface() || sx < 0 || sy < 0 || sx + w > sd->nWidth || sy + h > sd->nHeight) return g;
    g.lpSurface = sd;
    g.nSrcX = sx;
    g.nSrcY = sy;
    g.nWidth = w;
    g.nHeight = h;
    return g;
}

BLOCKGRAPHIC NumberedCell(DDSURFACEDATA* sd, int n) {
    return SheetCell(sd, n / CELLS_PER_COLUMN * CELL, n % CELLS_PER_COLUMN * CELL);
}

}  // namespace

BLOCKGRAPHIC GetBlockGraphic(int kind, int index, int sub, DDSURFACEDATA* dedicated) {
    switch (kind) {
    case GRAPHIC_BLOCK: return NumberedCell(&CommonSurfaces[CB_BLOCK], index);
    case GRAPHIC_CHARA: {
        const int sheet = index < CHARA_COLUMNS ? CB_CHARACTER1 : CB_CHARACTER1 + 2;
        return SheetCell(&CommonSurfaces[sheet], index % CHARA_COLUMNS * CELL, sub % CELLS_PER_COLUMN * CELL);
    }
    case GRAPHIC_ITEM: return NumberedCell(&CommonSurfaces[CB_ITEM], index);
    case GRAPHIC_SHOT: {
        BLOCKGRAPHIC g = SheetCell(&CommonSurfaces[CB_SHOT], index % SHOT_COLUMNS * SHOT_PIECE,
                                   index / SHOT_COLUMNS * 2 * SHOT_PIECE, SHOT_PIECE, SHOT_PIECE);
        g.nDx = g.nDy = (CELL - SHOT_PIECE) / 2;
        return g;
    }
    case GRAPHIC_BMP: return NumberedCell(dedicated, sub);
    default: return BLOCKGRAPHIC{};
    }
}

void DrawBlockIcon(const cBlockData& block, DDSURFACEDATA* dst, int x, int y, DDSURFACEDATA* dedicated) {
    const BLOCKGRAPHIC g = GetBlockGraphic(block.byGraphicKind, block.wGraphic, block.wGraphicSub, dedicated);
    if (g.lpSurface)
        DDBlt(dst, x + g.nDx, y + g.nDy, g.nWidth, g.nHeight, g.lpSurface, g.nSrcX, g.nSrcY, DDBLT_COLORKEY);
    if (block.bMark == 1) {
        const BLOCKGRAPHIC m = NumberedCell(&CommonSurfaces[CB_MARK], block.wMark);
        if (m.lpSurface) DDBlt(dst, x, y, CELL, CELL, m.lpSurface, m.nSrcX, m.nSrcY, DDBLT_COLORKEY);
    }
}
