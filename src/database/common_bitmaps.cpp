#include "database/common_bitmaps.h"

#include <vector>

#include "platform/graphics/dd_init.h"
#include "platform/system/log.h"
#include "records/services.h"

namespace {

// One row as written: path and the ten values of DDSURFACEINFO in field order.
struct COMMONBITMAPROW {
    const char* szPath;
    uint32_t dwColorKey, dwDDMemory, dwDTMemory, dwNoTexture, dwIndexMap, dwTolerate;
    uint32_t dwMirrorWidth, dwMirrorHeight, dwWidth, dwHeight;
};

// clang-format off
constexpr COMMONBITMAPROW kRows[COMMON_BITMAP_NUM] = {
    //  path                      key dd  dt  noT map tol mirW mirH width height
    {"bmp\\plt\\Palette.bmp",      0,  1,  0,  0,  0,  0,  0,  0,    0,    0},  // 0
    {"bmp\\Debug.bmp",             1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 1
    {"bmp\\Block.bmp",             1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 2
    {"bmp\\Block.bmp",             1,  1,  0,  1,  0,  0,  0,  0,    0,    0},  // 3
    {"bmp\\Character1.bmp",        1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 4
    {"bmp\\Character1.bmp",        1,  0,  0,  1,  0,  0, 32,  0,    0,    0},  // 5
    {"bmp\\Character2.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 6
    {"bmp\\Character2.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 7
    {"bmp\\Character3.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 8
    {"bmp\\Character3.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 9
    {"bmp\\Character4.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 10
    {"bmp\\Character4.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 11
    {"bmp\\Character5.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 12
    {"bmp\\Character5.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 13
    {"bmp\\Character6.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 14
    {"bmp\\Character6.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 15
    {"bmp\\Character7.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 16
    {"bmp\\Character7.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 17
    {"bmp\\Character8.bmp",        1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 18
    {"bmp\\Character8.bmp",        1,  0,  0,  1,  0,  1, 32,  0,    0,    0},  // 19
    {"bmp\\Shot.bmp",              1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 20
    {"bmp\\Shot.bmp",              1,  0,  0,  1,  0,  0, 16,  0,    0,    0},  // 21
    {"bmp\\Character1.bmp",        1,  1,  0,  1,  0,  0,  0,  0,    0,    0},  // 22
    {"bmp\\Character1.bmp",        1,  1,  0,  1,  0,  0, 32,  0,    0,    0},  // 23
    {"bmp\\Character2.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 24
    {"bmp\\Character2.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 25
    {"bmp\\Character3.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 26
    {"bmp\\Character3.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 27
    {"bmp\\Character4.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 28
    {"bmp\\Character4.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 29
    {"bmp\\Character5.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 30
    {"bmp\\Character5.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 31
    {"bmp\\Character6.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 32
    {"bmp\\Character6.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 33
    {"bmp\\Character7.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 34
    {"bmp\\Character7.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 35
    {"bmp\\Character8.bmp",        1,  1,  0,  1,  0,  1,  0,  0,    0,    0},  // 36
    {"bmp\\Character8.bmp",        1,  1,  0,  1,  0,  1, 32,  0,    0,    0},  // 37
    {"bmp\\Shot.bmp",              1,  1,  0,  1,  0,  0,  0,  0,    0,    0},  // 38
    {"bmp\\Shot.bmp",              1,  1,  0,  1,  0,  0, 16,  0,    0,    0},  // 39
    {"bmp\\Item.bmp",              1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 40
    {"bmp\\Item.bmp",              1,  1,  0,  1,  0,  0,  0,  0,    0,    0},  // 41
    {"bmp\\Item_Mini.bmp",         1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 42
    {"bmp\\Mark.bmp",              1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 43
    {"bmp\\Mark.bmp",              1,  1,  0,  1,  0,  0,  0,  0,    0,    0},  // 44
    {"bmp\\Window.bmp",            0,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 45
    {"bmp\\StatusWindow.bmp",      1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 46
    {"bmp\\Title.bmp",             0,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 47
    {"bmp\\GameMode.bmp",          1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 48
    {"bmp\\Accessory.bmp",         1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 49
    {"bmp\\Symbol.bmp",            1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 50
    {"bmp\\Word.bmp",              1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 51
    {"bmp\\WorldMapChip.bmp",      1,  0,  0,  0,  0,  0,  0,  0,    0,    0},  // 52
    {"bmp\\WorldEvent.bmp",        1,  1,  0,  0,  0,  0,  0,  0,    0,    0},  // 53
    {"bmp\\WorldBack.bmp",         0,  1,  0,  0,  0,  1,  0,  0,    0,    0},  // 54
    {"背景その1.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 55
    {"背景その2.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 56
    {"背景その3.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 57
    {"背景その4.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 58
    {"背景その5.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 59
    {"背景その6.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 60
    {"背景その7.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 61
    {"背景その8.bmp",              1,  0,  0,  0,  0,  1,  0,  0,    0,    0},  // 62
    {"E",                          1,  1,  0,  0,  0,  0,  0,  0,  256,  960},  // 63
    {"E",                          1,  1,  0,  0,  0,  0,  0,  0,  256,  960},  // 64
    {"E",                          1,  1,  0,  0,  0,  0,  0,  0,  640,  480},  // 65
    {"E",                          0,  1,  0,  0,  0,  0,  0,  0,  640,  480},  // 66
    {"E",                          1,  0,  0,  0,  0,  0,  0,  0,  640,  480},  // 67
    {"E",                          1,  1,  0,  1,  0,  0,  0,  0,  640,  480},  // 68
    {"E",                          1,  0,  2,  0,  0,  0,  0,  0, 1024, 1024},  // 69
    {"E",                          1,  1,  1,  0,  0,  0,  0,  0, 1024, 1024},  // 70
};
// clang-format on

// Twin rows and the row whose picture they show.
struct TWINROW {
    int nTwin;
    int nFirst;
};
constexpr TWINROW kTwins[] = {
    {3, 2},   {5, 4},   {22, 4},  {23, 4},  {7, 6},   {24, 6},  {25, 6},  {9, 8},   {26, 8},
    {27, 8},  {11, 10}, {28, 10}, {29, 10}, {13, 12}, {30, 12}, {31, 12}, {15, 14}, {32, 14},
    {33, 14}, {17, 16}, {34, 16}, {35, 16}, {19, 18}, {36, 18}, {37, 18}, {21, 20}, {38, 20},
    {39, 20}, {41, 40}, {44, 43}, {68, 67},
};

}  // namespace

DDSURFACEINFO CommonBitmapInfo[COMMON_BITMAP_NUM];
DDSURFACEDATA CommonSurfaces[COMMON_BITMAP_NUM];

namespace {
// Fills the table before main, as the other global objects are made.
const bool g_bTableBuilt = (BuildCommonBitmapTable(), true);
}  // namespace

void BuildCommonBitmapTable() {
    for (int i = 0; i < COMMON_BITMAP_NUM; ++i) {
        const COMMONBITMAPROW& r = kRows[i];
        CommonBitmapInfo[i] = DDSURFACEINFO(r.szPath, r.dwColorKey, r.dwDDMemory, r.dwDTMemory, r.dwNoTexture,
                                            r.dwIndexMap, r.dwTolerate, r.dwMirrorWidth, r.dwMirrorHeight,
                                            r.dwWidth, r.dwHeight);
    }
}

int SharedSurfaceRow(int row) {
    for (const TWINROW& t : kTwins)
        if (t.nTwin == row) return t.nFirst;
    return -1;
}

void LinkSharedSurfaces() {
    // DirectDraw twins hold their own copies (mirrored ones cannot be drawn
    // from the first row's picture by a blit), so they stay unlinked there.
    const bool share = DDIsD3D();
    for (const TWINROW& t : kTwins) CommonSurfaces[t.nTwin].lpViewSD = share ? &CommonSurfaces[t.nFirst] : nullptr;
}

bool SetCommonBitmapPath(int row, const char* path) {
    if (row < 0 || row >= COMMON_BITMAP_NUM) return false;
    const uint32_t dw[10] = {
        CommonBitmapInfo[row].dwColorKey,    CommonBitmapInfo[row].dwDDMemory,    CommonBitmapInfo[row].dwDTMemory,
        CommonBitmapInfo[row].dwNoTexture,   CommonBitmapInfo[row].dwIndexMap,    CommonBitmapInfo[row].dwTolerate,
        CommonBitmapInfo[row].dwMirrorWidth, CommonBitmapInfo[row].dwMirrorHeight, CommonBitmapInfo[row].dwWidth,
        CommonBitmapInfo[row].dwHeight,
    };
    CommonBitmapInfo[row] = DDSURFACEINFO(path ? path : "", dw[0], dw[1], dw[2], dw[3], dw[4], dw[5], dw[6], dw[7],
                                          dw[8], dw[9]);
    return true;
}

bool LoadCommonBitmaps(const int* rows, int count) {
    if (count < 1) return true;
    // DDLoadSurfaces reads the descriptions DDInit was given: they must be this table.
    if (DDG.lpSurfaceArray != CommonSurfaces || DDG.lpSurfaceInfo != CommonBitmapInfo ||
        DDG.nSurfaceCount != COMMON_BITMAP_NUM) {
        WriteReportEC("LoadCommonBitmaps: the graphics layer was not started with the common bitmaps");
        return false;
    }
    return DDLoadSurfaces(CommonSurfaces, rows, count);
}

bool LoadCommonBitmaps(std::initializer_list<int> rows) {
    return LoadCommonBitmaps(rows.begin(), static_cast<int>(rows.size()));
}

bool LoadCommonBitmapsOrClose(const int* rows, int count) {
    if (LoadCommonBitmaps(rows, count)) return true;
    RecFaultClose("the common bitmaps could not be loaded");
    return false;
}

bool LoadCommonBitmapsOrClose(std::initializer_list<int> rows) {
    return LoadCommonBitmapsOrClose(rows.begin(), static_cast<int>(rows.size()));
}

void ReleaseCommonBitmaps() {
    for (DDSURFACEDATA& sd : CommonSurfaces) DDReleaseSurface(&sd);
}

void ResetCommonBitmaps() {
    ReleaseCommonBitmaps();
    for (DDSURFACEDATA& sd : CommonSurfaces) sd.lpViewSD = nullptr;
    BuildCommonBitmapTable();
}
