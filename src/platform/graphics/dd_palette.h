#pragma once
// Palette numbers, the transparent colour and fills. Game data names colours
// by palette number; PalNumToRGB turns a number into the value a surface of
// the current back end and depth holds. The graphics layer keeps the base
// palette (as loaded), the screen palette (its mixed copy for fades) and the
// hardware palette that an 8-bit screen is shown through.
#include <cstdint>
#include <vector>

#include "platform/graphics/dd_surface.h"

struct PALETTEENTRY {
    uint8_t peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};
enum : uint8_t { PC_RESERVED = 1, PC_EXPLICIT = 2 };

extern PALETTEENTRY DDBasePalette[256];    // as loaded; palette number n is entry n
extern PALETTEENTRY DDScreenPalette[256];  // the copy fades mix into and set on the screen

// Sets count entries of the hardware palette from first (an 8-bit screen is shown through it).
void DDSetPaletteEntries(int first, int count, const PALETTEENTRY* entries);
// Reads the hardware palette.
void DDGetPaletteEntries(int first, int count, PALETTEENTRY* entries);
// Entries of the hardware palette as 0x00RRGGBB (for presenting 8-bit frames).
const uint32_t* DDHardwarePaletteRGB();

// Colour value of palette number n for the current back end and depth (0 and a log line above 255).
uint32_t PalNumToRGB(uint32_t n);
// Fills a rectangle with palette colour n; 1.
int DDFillRect(DDSURFACEDATA* sd, int x, int y, int w, int h, uint32_t n);
int DDClearSurface(DDSURFACEDATA* sd, uint32_t n);
// Fills a rectangle with a colour value (Direct3D rules; under DirectDraw a raw pixel value).
void DDFillRectRGB(DDSURFACEDATA* sd, int x, int y, int w, int h, uint32_t colour);
void DDClearSurfaceRGB(DDSURFACEDATA* sd, uint32_t colour);
// Reads the 256-entry colour table of a BMP into palette; false when the file cannot be loaded.
bool DDLoadPaletteFromFile(PALETTEENTRY* palette, const char* path, int unused);
// Sets the transparent colour from RGB bytes.
void DDSetTransmit(uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue);
// Sets the transparent colour from the top-left pixel of a picture; 1 set, 0 failed.
int DDSetTransmitFromFile(const char* path);
// Builds the palette-index map of a record into *map; true when built.
bool DDMakePalIndexMap(std::vector<uint8_t>* map, DDSURFACEDATA* sd);
// Resets the palettes and the transparent colour (tests).
void DDResetPalettes();

// Hook for the true-colour palette operation of the fades module (surface → palette).
using DDSETPALETTEUNPAL = int (*)(PALETTEENTRY* palette, DDSURFACEDATA* sd);
void DDSetPaletteUnPalHook(DDSETPALETTEUNPAL fn);
