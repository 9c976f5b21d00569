#include "platform/graphics/dd_palette.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/graphics/bmp.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_internal.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"

PALETTEENTRY DDBasePalette[256];
PALETTEENTRY DDScreenPalette[256];

namespace {

PALETTEENTRY g_Hardware[256];
uint32_t g_HardwareRGB[256];
DDSETPALETTEUNPAL g_SetPaletteUnPal = nullptr;

uint32_t EntryRGB(const PALETTEENTRY& e) { return (e.peRed << 16) | (e.peGreen << 8) | e.peBlue; }

// Palette number n as a pixel value of the DirectDraw rules (logs numbers above 255 and uses 0).
uint32_t DDPixelOf(uint32_t n) {
    if (n > 255) {
        WriteECf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(n));
        n = 0;
    }
    return DDG.nColorBit == 8 ? n : EntryRGB(DDBasePalette[n]);
}

}  // namespace

void DDSetPaletteEntries(int first, int count, const PALETTEENTRY* entries) {
    if (!entries || first < 0 || first > 255 || count < 1) return;
    count = std::min(count, 256 - first);
    for (int i = 0; i < count; ++i) {
        g_Hardware[first + i] = entries[i];
        g_HardwareRGB[first + i] = EntryRGB(entries[i]);
    }
}

void DDGetPaletteEntries(int first, int count, PALETTEENTRY* entries) {
    if (!entries || first < 0 || first > 255 || count < 1) return;
    count = std::min(count, 256 - first);
    for (int i = 0; i < count; ++i) entries[i] = g_Hardware[first + i];
}

const uint32_t* DDHardwarePaletteRGB() { return g_HardwareRGB; }

void DDSetPaletteUnPalHook(DDSETPALETTEUNPAL fn) { g_SetPaletteUnPal = fn; }

void DDResetPalettes() {
    for (int i = 0; i < 256; ++i) {
        DDBasePalette[i] = DDScreenPalette[i] = g_Hardware[i] = PALETTEENTRY{};
        g_HardwareRGB[i] = 0;
    }
}

uint32_t PalNumToRGB(uint32_t n) {
    if (n > 255) {
        WriteECf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(n));
        return 0;
    }
    const PALETTEENTRY& e = DDBasePalette[n];
    if (lpDTCon) {
        if (DDG.nColorBit == 8) return n;
        if (n == 0) return lpDTCon->dwClearColor;
        return 0xFF000000u | EntryRGB(e);
    }
    if (DDG.nColorBit == 8) return n;
    if (DDG.nColorBit == 24 || DDG.nColorBit == 32) return EntryRGB(e);
    return 0;
}

int DDFillRect(DDSURFACEDATA* sd, int x, int y, int w, int h, uint32_t n) {
    if (!sd) return 0;
    if (lpDTCon) {
        uint32_t colour = 0;
        if (n > 255) WriteECf("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(n));
        else colour = PalNumToRGB(n);
        DDFillRectRGB(sd, x, y, w, h, colour);
        return 1;
    }
    if (!sd->HasSurface()) return 0;
    const uint32_t value = DDPixelOf(n);
    // The rectangle is cut to the surface on every side (its far edges stay where they were).
    if (dd::ClipRect(&x, &y, &w, &h, std::min(sd->nWidth, sd->Surface.width), std::min(sd->nHeight, sd->Surface.height)))
        dd::FillPixels(sd->Surface, x, y, w, h, value);
    return 1;
}

int DDClearSurface(DDSURFACEDATA* sd, uint32_t n) {
    if (!sd) return 0;
    return DDFillRect(sd, 0, 0, sd->nWidth, sd->nHeight, n);
}

void DDFillRectRGB(DDSURFACEDATA* sd, int x, int y, int w, int h, uint32_t colour) {
    if (!sd) return;
    if (!lpDTCon) {
        if (sd->HasSurface() && dd::ClipRect(&x, &y, &w, &h, sd->Surface.width, sd->Surface.height))
            dd::FillPixels(sd->Surface, x, y, w, h, colour);
        return;
    }
    sd = dd::Resolve(sd);
    DDRedirectBackBuffer(&sd);
    if (!sd->HasSurface()) return;
    if (!dd::ClipRect(&x, &y, &w, &h, std::min(sd->nWidth, sd->Surface.width), std::min(sd->nHeight, sd->Surface.height)))
        return;
    if (!dd::IsRenderTarget(sd)) {
        dd::FillPixels(sd->Surface, x, y, w, h, colour);
        return;
    }
    if (sd->lpDT->bColorKey && colour == dd::TransparentValue(sd)) {
        // A transparent fill of a keyed target writes true transparency.
        DDBeginScene();
        dd::FillPixels(sd->Surface, x, y, w, h, colour);
        return;
    }
    if (DDFillBatchOpen()) {
        DDAddFillBatch(sd, x, y, w, h, colour);
        return;
    }
    DDBeginScene();
    dd::FillQuad(sd->Surface, x, y, w, h, colour);
}

void DDClearSurfaceRGB(DDSURFACEDATA* sd, uint32_t colour) {
    if (sd) DDFillRectRGB(sd, 0, 0, sd->nWidth, sd->nHeight, colour);
}

bool DDLoadPaletteFromFile(PALETTEENTRY* palette, const char* path, int) {
    if (!palette) return false;
    BMPIMAGE img;
    if (!LoadBmpFile(path ? path : "", &img)) return false;
    bool tableRead = false;
    if (img.nBitCount == 8) {
        for (int i = 0; i < 256; ++i) {
            const uint32_t c = i < static_cast<int>(img.Palette.size()) ? img.Palette[static_cast<size_t>(i)] : 0;
            if (lpDTCon) {
                palette[i] = PALETTEENTRY{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                          static_cast<uint8_t>(c), 255};
            } else if (DDG.nColorBit == 8) {
                const uint8_t flags = (i < 10 || i > 245) ? PC_EXPLICIT : PC_RESERVED;
                palette[i] = PALETTEENTRY{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                          static_cast<uint8_t>(c), flags};
                tableRead = true;
            }
        }
    }
    if (DDG.nColorBit == 8) {
        if (!lpDTCon) DDSetPaletteEntries(0, 256, palette);
    } else if (!tableRead) {
        DDSURFACEDATA temp;
        if (DDCreateSurfaceFromFile(&temp, path, 0, DDG.nColorBit, 1, 1, 0, 0, 0, 0, 0) == DD_OK && g_SetPaletteUnPal)
            g_SetPaletteUnPal(palette, &temp);
        DDReleaseSurface(&temp);
    }
    return true;
}

void DDSetTransmit(uint8_t cbRed, uint8_t cbGreen, uint8_t cbBlue) {
    if (lpDTCon) {
        lpDTCon->rgbTransmit = DDRGBTRIPLE{cbBlue, cbGreen, cbRed};
        WriteECf("SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = %d,"
                 "lpDTCon->rgbTransmit.rgbtBlue = %d",
                 cbRed, cbGreen, cbBlue);
        lpDTCon->dwClearColor = 0;
        lpDTCon->dwKeyColor = 0xFF000000u | (cbRed << 16) | (cbGreen << 8) | cbBlue;
        lpDTCon->wTransmit_16 = 0;
        lpDTCon->wKey16 = 0;
        DDG.dwColorKey = 0;
        return;
    }
    if (DDG.nColorBit == 32) {
        // The key is compared with 32-bit pixels, which hold red in bits 16-23.
        DDG.dwColorKey = (cbRed << 16) | (cbGreen << 8) | cbBlue;
        if (lpDDCon) lpDDCon->rgbTransmit = DDRGBTRIPLE{cbBlue, cbGreen, cbRed};
    }
}

int DDSetTransmitFromFile(const char* path) {
    BMPIMAGE img;
    if (!LoadBmpFile(path ? path : "", &img)) {
        DDCheckErr(LOADIMAGE_ERR);
        WriteECf("%s 作成失敗！", path ? path : "");
        return 0;
    }
    const uint32_t rgb = img.RGB(0, 0);
    const uint8_t r = static_cast<uint8_t>(rgb >> 16), g = static_cast<uint8_t>(rgb >> 8), b = static_cast<uint8_t>(rgb);
    if (lpDTCon) {
        DDSetTransmit(r, g, b);
        return 1;
    }
    if (DDG.nColorBit == 8) {
        DDG.dwColorKey = img.IsIndexed() ? img.Index[0] : dd::NearestPaletteIndex(rgb);
    } else {
        DDG.dwColorKey = rgb;
        if (lpDDCon) lpDDCon->rgbTransmit = DDRGBTRIPLE{b, g, r};
    }
    return 1;
}

bool DDMakePalIndexMap(std::vector<uint8_t>* map, DDSURFACEDATA* sd) {
    if (!map || !sd) return false;
    const DDPIXELS& px = sd->Surface;
    if (px.Empty()) return false;
    const int stride = px.pitch / px.BytesPerPixel();
    const int w = std::min(sd->nWidth, px.width), h = std::min(sd->nHeight, px.height);
    map->assign(static_cast<size_t>(std::max(h, 0)) * stride, 0);
    std::unordered_map<uint32_t, uint8_t> first;
    for (int i = 255; i >= 0; --i) first[EntryRGB(DDBasePalette[i])] = static_cast<uint8_t>(i);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t& out = (*map)[static_cast<size_t>(y) * stride + x];
            if (px.format == DDFMT_INDEX8) {
                out = px.Row(y)[x];
                continue;
            }
            // Pixels of no palette colour keep 0.
            const auto it = first.find(px.Row32(y)[x] & 0xFFFFFF);
            if (it != first.end()) out = it->second;
        }
    return true;
}
