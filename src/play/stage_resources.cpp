#include "play/stage_resources.h"

#include <string>

#include "database/database.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_strip.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"

namespace {

// Fills a table with `perEntry` surfaces for each of the entries first..count-1
// of a list; entry i's group starts at (i - first) * perEntry. `failure` is the
// error-log line of a picture that cannot be loaded (one %s: the entry's name).
template <class REC>
void LoadTable(STAGESURFACES& table, const cSafeVector<REC>& list, int first, int perEntry, const char* failure) {
    ReleaseStageSurfaces(table);
    const int entries = static_cast<int>(list.size()) - first;
    if (entries <= 0) return;
    const size_t n = static_cast<size_t>(entries) * static_cast<size_t>(perEntry);
    table.vSurface.resize(n);
    table.vInfo.resize(n);
    const uint32_t second = DDIsD3D() ? 1 : 0;
    for (int e = 0; e < entries; ++e) {
        const REC& rec = list.data()[first + e];
        const size_t base = static_cast<size_t>(e) * static_cast<size_t>(perEntry);
        for (int k = 0; k < perEntry; ++k)
            table.vInfo[base + static_cast<size_t>(k)] =
                DDSURFACEINFO(rec.strFile.c_str(), 1, second, 0, 0, 0, 0, 0, 0, 0, 0);
        DDSURFACEDATA* head = &table.vSurface.data()[base];
        // An entry without a file has no picture; its handles stay empty.
        if (rec.strFile.empty()) continue;
        const int code = DDCreateSurfaceFromFile(head, table.vInfo[base].szPath, 1, DDGetColorBit(), second, 0, 0, 0,
                                                 0, 0, 0);
        if (!DDCheckErr(code)) WriteECf(failure, rec.strName.c_str());
        // The other handles of the group show the first one's picture.
        for (int k = 1; k < perEntry; ++k) table.vSurface.data()[base + static_cast<size_t>(k)].lpViewSD = head;
    }
}

// The colour the stencil is filled with: the transparent colour of a picture.
uint32_t ColorKeyValue() { return DDIsD3D() ? lpDTCon->dwClearColor : DDG.dwColorKey; }

}  // namespace

void LoadDedicatedBitmaps(STAGESURFACES& table, const cSafeVector<cCharaBmpData>& list) {
    LoadTable(table, list, 0, CHARABMP_SURFACES, "専用bmp %s 読み込み失敗！");
}

void LoadSwordBitmaps(STAGESURFACES& table, const cSafeVector<cSwordTypeData>& list) {
    LoadTable(table, list, 0, SWORD_SURFACES, "ソード %s 読み込み失敗！");
}

void LoadEffectBitmaps(STAGESURFACES& table, const cSafeVector<cEffectBmpData>& list) {
    LoadTable(table, list, 1, EFFECT_SURFACES, "エフェクト %s 読み込み失敗！");
}

void LoadDedicatedBitmaps(STAGESURFACES& table) { LoadDedicatedBitmaps(table, Database.vCharaBmp); }
void LoadSwordBitmaps(STAGESURFACES& table) { LoadSwordBitmaps(table, Database.vSwordType); }
void LoadEffectBitmaps(STAGESURFACES& table) { LoadEffectBitmaps(table, Database.vEffect); }

void ReleaseStageSurfaces(STAGESURFACES& table) {
    // Views first, so that no record points at a released one.
    for (DDSURFACEDATA& sd : table.vSurface) sd.lpViewSD = nullptr;
    DDReleaseSurfaceVector(table.vSurface);
    table.vSurface.clear();
    table.vInfo.clear();
}

int EffectSurfaceIndex(int id, int scaled) {
    if (id <= 0) return -1;
    return 2 * id - 2 + (scaled && DDIsD3D() ? 1 : 0);
}

bool BuildSightMask(DDSURFACEDATA* mask, DDSURFACEDATA* stencil, int radius, int shape, int bRgbColorKey) {
    DDReleaseSurface(mask);
    DDReleaseSurface(stencil);
    const int r = radius > 0 ? radius : 0;
    const int w = 1280 + 2 * r, h = 960 + 2 * r;
    if (!DDCreateSurface(mask, w, h, 1, 0, 0, 0, 0)) {
        OutOfMemory();
        return false;
    }
    DDClearSurface(mask, 16);
    if (r == 0) return true;
    if (shape != 1 && shape != 2) {
        DDFillRect(mask, w / 2 - r, h / 2 - r, 2 * r, 2 * r, 0);
        return true;
    }
    if (!DDCreateSurface(stencil, 2 * r, 2 * r, 1, 0, 0, 0, 0)) {
        OutOfMemory();
        return false;
    }
    if (bRgbColorKey) {
        DDFillRectRGB(stencil, 0, 0, 2 * r, 2 * r, ColorKeyValue());
    } else {
        DDFillRect(stencil, 0, 0, 2 * r, 2 * r, 0);
    }
    DDBltCircle(mask, w / 2, h / 2, r, r, r, 1, stencil, r, r, DDBLT_COPY);
    return true;
}
