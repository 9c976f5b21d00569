#pragma once
// The pictures a stage needs beside the common bitmaps: the characters'
// dedicated bitmaps, the sword pictures and the effect pictures, each a table
// of surfaces made from one database list; and the sight mask of the hero.
// A picture that cannot be loaded is written to the error log and the stage
// is played without it.
#include <vector>

#include "database/effect_bmp.h"
#include "database/media_records.h"
#include "database/sword_type.h"
#include "platform/graphics/dd_surface.h"
#include "records/safe_container.h"

// Surfaces per entry of each table.
constexpr int CHARABMP_SURFACES = 4;
constexpr int SWORD_SURFACES = 4;
constexpr int EFFECT_SURFACES = 2;

// One table: surface records and their descriptions side by side. Within an
// entry's group the first surface holds the picture and the others are views
// of it, so the records must not move once loaded (the loaders size the
// vectors before creating anything).
struct STAGESURFACES {
    cSafeVector<DDSURFACEDATA> vSurface;
    std::vector<DDSURFACEINFO> vInfo;
};

// Dedicated bitmaps: entry i uses surfaces 4i .. 4i + 3.
void LoadDedicatedBitmaps(STAGESURFACES& table, const cSafeVector<cCharaBmpData>& list);
// Swords: sword type t uses surfaces 4t .. 4t + 3.
void LoadSwordBitmaps(STAGESURFACES& table, const cSafeVector<cSwordTypeData>& list);
// Effects: entry 0 stands for no effect and has no picture; effect n (from 1)
// uses surfaces 2n - 2 and 2n - 1.
void LoadEffectBitmaps(STAGESURFACES& table, const cSafeVector<cEffectBmpData>& list);
// The same three from the loaded database.
void LoadDedicatedBitmaps(STAGESURFACES& table);
void LoadSwordBitmaps(STAGESURFACES& table);
void LoadEffectBitmaps(STAGESURFACES& table);
// Releases every surface of the table and empties it.
void ReleaseStageSurfaces(STAGESURFACES& table);

// The effect surface effect `id` is drawn from: 2n - 2 unscaled, 2n - 1 scaled
// (2n - 2 again under the DirectDraw rules); -1 for id 0 or below.
int EffectSurfaceIndex(int id, int scaled);

// Rebuilds the sight mask: a (1280 + 2r) x (960 + 2r) surface of palette
// colour 16 with a see-through hole of radius r at its centre (a 2r x 2r
// square unless shape is 1 or 2: a disc cut from the stencil surface). r = 0
// leaves it dark. bRgbColorKey: the stencil is filled with the graphics
// layer's colour-key RGB value instead of palette colour 0. A surface that
// cannot be made is reported as lack of memory and closes the program;
// false then.
bool BuildSightMask(DDSURFACEDATA* mask, DDSURFACEDATA* stencil, int radius, int shape, int bRgbColorKey);
