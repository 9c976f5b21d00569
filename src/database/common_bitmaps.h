#pragma once
// The common bitmaps: the 71 pictures every scene and the play screen draw
// from, described by one table of DDSURFACEINFO rows (the row index is the
// index into the array of common surfaces). The application hands both to
// DDInit; scenes then create the rows they need with LoadCommonBitmaps.
// Twin rows describe a second surface of an earlier row's picture (another
// memory kind, or the mirrored sheet); under Direct3D they show the first
// row's picture (LinkSharedSurfaces) instead of holding a copy of their own.
#include <cstdint>
#include <initializer_list>

#include "platform/graphics/dd_surface.h"

// Rows of the table with a name of their own.
enum : int {
    CB_PALETTE = 0,         // "bmp\plt\Palette.bmp": read by the palette functions only
    CB_DEBUG = 1,
    CB_BLOCK = 2,
    CB_BLOCK_SYSTEM = 3,    // twin of CB_BLOCK
    CB_CHARACTER1 = 4,      // character sheet k (1..8) at CB_CHARACTER1 + 2 (k - 1), its mirrored twin next
    CB_SHOT = 20,
    CB_SHOT_MIRROR = 21,
    CB_CHARACTER1_SYSTEM = 22,  // system-memory twins of rows 4..21, in the same order
    CB_ITEM = 40,
    CB_ITEM_SYSTEM = 41,
    CB_ITEM_MINI = 42,
    CB_MARK = 43,
    CB_MARK_SYSTEM = 44,
    CB_WINDOW = 45,
    CB_STATUS_WINDOW = 46,
    CB_TITLE = 47,
    CB_GAME_MODE = 48,
    CB_ACCESSORY = 49,
    CB_SYMBOL = 50,
    CB_WORD = 51,
    CB_WORLD_MAP_CHIP = 52,
    CB_WORLD_EVENT = 53,
    CB_WORLD_BACK = 54,
    CB_BACKGROUND1 = 55,    // the eight background slots 55..62 (paths set by the stage)
    CB_BACKGROUND_NUM = 8,
    CB_BLANK_FIRST = 63,    // blank surfaces 63..70
    COMMON_BITMAP_NUM = 71,
};

// The table of common bitmaps (plain data: the background rows are overwritten).
extern DDSURFACEINFO CommonBitmapInfo[COMMON_BITMAP_NUM];
// The common surfaces, one per row; created and released by the graphics layer.
extern DDSURFACEDATA CommonSurfaces[COMMON_BITMAP_NUM];

// Fills the 71 rows with their start values (done before main; again in tests).
void BuildCommonBitmapTable();
// The row whose picture twin row `row` shows, or -1 for a row with a picture of its own.
int SharedSurfaceRow(int row);
// Under Direct3D makes every twin row's surface a view of its first row's
// surface; under DirectDraw (twins hold their own, mirrored, copies) unlinks
// them. Called after DDInit.
void LinkSharedSurfaces();
// Replaces the path of a row (at most 259 bytes kept); false for a row outside the table.
bool SetCommonBitmapPath(int row, const char* path);
// Creates the listed rows' surfaces through DDLoadSurfaces; false when one that
// may not fail did not load (the player has been told) or when DDInit was not
// given the common table.
bool LoadCommonBitmaps(const int* rows, int count);
bool LoadCommonBitmaps(std::initializer_list<int> rows);
// As LoadCommonBitmaps, and on failure asks the main window to close (the scenes' rule).
bool LoadCommonBitmapsOrClose(const int* rows, int count);
bool LoadCommonBitmapsOrClose(std::initializer_list<int> rows);
// Releases every common surface (links to shared surfaces are kept).
void ReleaseCommonBitmaps();
// Releases every common surface, drops the links and rebuilds the table (tests).
void ResetCommonBitmaps();
