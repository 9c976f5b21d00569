#pragma once
// Palette operations of the screen effects: mixing a palette toward a
// colour, rotating a range of entries, the palette variants chosen in the
// options, palettes read from true-colour pictures, 16-bit pixels from
// palette entries with the channel table, and the 65,536-byte blend tables
// that translucency uses on 8-bit screens.
#include <cstdint>
#include <string>

#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_surface.h"

// Size of a blend table: entry [a + 256 * b] mixes palette indices a and b.
constexpr int HBT_TABLE_SIZE = 65536;

// Copies entries first..last from src to dst mixed toward (r, g, b): weight 256 keeps src, 0 gives the colour; flags 1.
void DDBlendPalette(PALETTEENTRY* dst, int first, int last, int weight, uint8_t r, uint8_t g, uint8_t b,
                    const PALETTEENTRY* src);
// Copies all 256 entries from src to dst, then rotates first..last by count (direction 0 toward the end, 1 toward the start).
void DDRotatePalette(PALETTEENTRY* dst, int first, int last, int count, int direction, const PALETTEENTRY* src);
// Turns a loaded palette into variant n (0..23) of the options; false (palette unchanged) for another n.
bool DDMakePaletteVariant(PALETTEENTRY* palette, int n);
// Program path of the blend table of palette variant n: "bmp\hbt\hbtNN.dat".
std::string DDHbtTablePath(int n);
// Reads a blend table (HBT_TABLE_SIZE bytes) into buffer; true when read or not needed (Direct3D),
// false when the file is missing or short (buffer unchanged).
bool DDLoadHbtTable(uint8_t* buffer, const char* path);
// The blend table of the palette variant in force (HBT_TABLE_SIZE bytes, zero until loaded): what the 8-bit
// translucent and colour-blend blits mix through.
uint8_t* DDHbtTable();
// Fills palette from the 16 x 16 colour cells at rows 8..23 of a true-colour picture; 1.
int DDSetPalette_UnPal(PALETTEENTRY* palette, DDSURFACEDATA* sd);
// The 16-bit pixel of a palette entry through the channel table (DirectDraw; 0 and a log line under Direct3D).
uint16_t DDPalToRGB16(const PALETTEENTRY& entry);
// Fills the red, green and blue rows of the channel table from the primary surface's pixel format (DirectDraw).
void DDReadPixelFormat(PIXELLAYOUT* layout);
// Shift and largest value of one colour channel given by its mask in a pixel of bitCount bits.
void DDChannelFromMask(uint32_t mask, uint32_t bitCount, uint32_t* shift, uint32_t* max);
