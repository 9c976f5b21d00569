#include "play/draw/block_draw.h"

#include <vector>

#include "database/block_icon.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "play/draw/copied_screen.h"
#include "records/utility.h"
#include "stage/block_data.h"

namespace {

constexpr int CELL = 32;
constexpr int SCREEN_W = 640, SCREEN_H = 480;
constexpr int SCREEN_COLUMNS = 21;  // 640 dots and the part cell at the right
constexpr int SCREEN_ROWS = 16;     // 480 dots and the part cell at the bottom

// The screen's first cell and the dots of it that lie left of and above the screen.
struct GRIDORIGIN {
    int c0, r0, fx, fy;
};

GRIDORIGIN Origin(const PLAYSCROLLVIEW& scroll) {
    const int px = DoubleToInt(scroll.dPosX), py = DoubleToInt(scroll.dPosY);
    return GRIDORIGIN{px >> 5, py >> 5, px & 31, py & 31};
}

// The block drawn in cell (col, row) on `layer`, with its dedicated bitmap; null when none is drawn there.
// Without judging, a block with conditions counts as none (a judgement may draw random numbers).
const cBlockData* DrawnBlock(const BLOCKGRIDVIEW& grid, int col, int row, int layer, bool judge,
                             DDSURFACEDATA** dedicated) {
    if (row < 0 || row >= grid.nRows || col < 0 || col >= grid.nCols) return nullptr;
    const cBlockData* b = grid.fnCell((row << grid.nPitchShift) + col);
    if (!b || b->wGraphic == 0 || b->byLayer != layer || b->bHidden) return nullptr;
    if (judge ? !b->ConditionsHold() : !b->vCond.empty()) return nullptr;
    *dedicated = b->byGraphicKind == GRAPHIC_BMP && grid.fnDedicated ? grid.fnDedicated(b->wGraphic) : nullptr;
    return b;
}

// The last covered screen of layer-0 blocks, its cells, and the cells of this picture.
cCopiedScreen g_Covered;
std::vector<COPIEDPIECE> g_Pieces;
struct DRAWNCELL {
    const cBlockData* lpBlock;
    DDSURFACEDATA* lpDedicated;
    int x, y;
};
std::vector<DRAWNCELL> g_Cells;

}  // namespace

void DrawBlocks(DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll, int layer) {
    if (!grid.fnCell) return;
    const GRIDORIGIN o = Origin(scroll);
    DDBeginBatch(0);
    for (int i = 0; i < SCREEN_ROWS; ++i)
        for (int k = 0; k < SCREEN_COLUMNS; ++k) {
            DDSURFACEDATA* dedicated = nullptr;
            if (const cBlockData* b = DrawnBlock(grid, o.c0 + k, o.r0 + i, layer, true, &dedicated))
                DrawBlockIcon(*b, dst, k * CELL - o.fx, i * CELL - o.fy, dedicated);
        }
    DDEndBatch();
}

bool BlocksCoverScreen(const DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll) {
    if (!grid.fnCell) return false;
    const GRIDORIGIN o = Origin(scroll);
    // The cells a picture of a few kinds of block repeats: each source cell is looked at once.
    struct SEEN {
        const DDSURFACEDATA* lpSurface;
        int nSrcX, nSrcY;
        bool bOpaque;
    };
    SEEN seen[16];
    int nSeen = 0;
    for (int i = 0; i * CELL - o.fy < SCREEN_H; ++i)
        for (int k = 0; k * CELL - o.fx < SCREEN_W; ++k) {
            DDSURFACEDATA* dedicated = nullptr;
            const cBlockData* b = DrawnBlock(grid, o.c0 + k, o.r0 + i, 0, false, &dedicated);
            if (!b) return false;
            const BLOCKGRAPHIC g = GetBlockGraphic(b->byGraphicKind, b->wGraphic, b->wGraphicSub, dedicated);
            if (!g.lpSurface || g.nDx != 0 || g.nDy != 0 || g.nWidth != CELL || g.nHeight != CELL) return false;
            int n = 0;
            while (n < nSeen && !(seen[n].lpSurface == g.lpSurface && seen[n].nSrcX == g.nSrcX && seen[n].nSrcY == g.nSrcY))
                ++n;
            if (n == nSeen) {
                const bool opaque = DDBltIsOpaque(dst, g.lpSurface, g.nSrcX, g.nSrcY, CELL, CELL, DDBLT_COLORKEY);
                if (nSeen < 16) seen[nSeen++] = SEEN{g.lpSurface, g.nSrcX, g.nSrcY, opaque};
                if (!opaque) return false;
            } else if (!seen[n].bOpaque) {
                return false;
            }
        }
    return true;
}

void DrawCoveringBlocks(DDSURFACEDATA* dst, const BLOCKGRIDVIEW& grid, const PLAYSCROLLVIEW& scroll) {
    if (!grid.fnCell) return;
    // The walk of DrawBlocks (each condition judged as it judges it), the drawing put off.
    const GRIDORIGIN o = Origin(scroll);
    g_Cells.clear();
    g_Pieces.clear();
    bool keep = dst != &PrimarySD && dst->Surface.width == SCREEN_W && dst->Surface.height == SCREEN_H;
    for (int i = 0; i < SCREEN_ROWS; ++i)
        for (int k = 0; k < SCREEN_COLUMNS; ++k) {
            DDSURFACEDATA* dedicated = nullptr;
            const cBlockData* b = DrawnBlock(grid, o.c0 + k, o.r0 + i, 0, true, &dedicated);
            if (!b) continue;
            const int x = k * CELL - o.fx, y = i * CELL - o.fy;
            g_Cells.push_back(DRAWNCELL{b, dedicated, x, y});
            const BLOCKGRAPHIC g = GetBlockGraphic(b->byGraphicKind, b->wGraphic, b->wGraphicSub, dedicated);
            keep = keep && g.lpSurface && b->bMark != 1;
            if (keep) g_Pieces.push_back(COPIEDPIECE{x + g.nDx, y + g.nDy, g.nWidth, g.nHeight, g.lpSurface, g.nSrcX, g.nSrcY});
        }
    if (keep && g_Covered.Matches(dst, g_Pieces)) {
        g_Covered.CopyTo(dst);
        return;
    }
    DDBeginBatch(0);
    for (const DRAWNCELL& c : g_Cells) DrawBlockIcon(*c.lpBlock, dst, c.x, c.y, c.lpDedicated);
    DDEndBatch();
    if (keep) g_Covered.Keep(dst, g_Pieces);
    else g_Covered.Clear();
}
