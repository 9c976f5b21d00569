#pragma once
// The software rasterizer behind every blit: maps destination pixels to
// source pixels along each axis, clips exactly (a pixel is drawn only when
// it lies inside the destination and its source pixel inside the source,
// at the place it would have unclipped), and runs the pixel kernels of
// the three blit kinds.
#include <cstdint>
#include <vector>

#include "platform/graphics/dd_surface.h"

namespace dd {

enum RASTER {
    RASTER_DD,    // DirectDraw: copy, colour key by value
    RASTER_SOFT,  // Direct3D pixel copy between locked surfaces: flags 1 copies alpha != 0
    RASTER_QUAD,  // Direct3D textured quad: texture operations, then alpha blending
};

// Draw states of a quad.
struct STATES {
    uint32_t diffuse = 0xFFFFFFFF;
    uint32_t colorOp = 4;
    uint32_t alphaOp = 2;
};

// Destination positions d0 .. d0+n-1 along one axis and their source positions.
struct AXIS {
    int d0 = 0, n = 0;
    int s0 = 0, step = 0;    // step +1 / -1: source = s0 + step * k; step 0: table
    std::vector<int> table;  // source of position k when step is 0
    int Src(int k) const { return step ? s0 + step * k : table[static_cast<size_t>(k)]; }
};

// Both axes of a blit after exact clipping; false when nothing is drawn.
bool ClipAxes(const DDSURFACEDATA* dst, int x, int y, int w, int h, const DDSURFACEDATA* src, int sx, int sy, int sw,
              int sh, RASTER kind, AXIS* ax, AXIS* ay);
// Clears the destination area a quad blit covers to value.
void ClearQuadArea(DDSURFACEDATA* dst, int x, int y, int w, int h, const DDSURFACEDATA* src, int sx, int sy, int sw,
                   int sh, uint32_t value);
// Draws one blit of the given kind over axes that ClipAxes made for it.
void RasterizeAxes(DDSURFACEDATA* dst, DDSURFACEDATA* src, const AXIS& ax, const AXIS& ay, int flags, RASTER kind,
                   const STATES& st);
// Draws one blit of the given kind.
void Rasterize(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
               int flags, RASTER kind, const STATES& st);

}  // namespace dd
