// Copying decoded pictures into surface pixels.
#include <algorithm>
#include <cstdlib>

#include "platform/graphics/dd_internal.h"
#include "platform/graphics/dd_palette.h"

namespace dd {

uint8_t NearestPaletteIndex(uint32_t rgb) {
    int best = 0, bestDist = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = DDBasePalette[i];
        const int dr = e.peRed - static_cast<int>((rgb >> 16) & 255), dg = e.peGreen - static_cast<int>((rgb >> 8) & 255),
                  db = e.peBlue - static_cast<int>(rgb & 255);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

void CopyImage(DDPIXELS& px, const BMPIMAGE& img, int cw, int ch, uint32_t alpha) {
    if (px.Empty()) return;
    const int w = std::min(px.width, img.nWidth), h = std::min(px.height, img.nHeight);
    // Column x of a cell of width cw lands on the cell's mirrored column.
    auto mirror = [](int v, int cell) { return cell > 0 ? (v / cell + 1) * cell - (v % cell) - 1 : v; };
    for (int y = 0; y < img.nHeight; ++y) {
        const int ty = mirror(y, ch);
        if (ty < 0 || ty >= h) continue;
        for (int x = 0; x < img.nWidth; ++x) {
            const int tx = mirror(x, cw);
            if (tx < 0 || tx >= w) continue;
            const size_t i = static_cast<size_t>(y) * img.nWidth + x;
            if (px.format == DDFMT_INDEX8)
                px.Row(ty)[tx] = img.IsIndexed() ? img.Index[i] : NearestPaletteIndex(img.Pixels[i]);
            else
                px.Row32(ty)[tx] = alpha | img.Pixels[i];
        }
    }
}

}  // namespace dd
