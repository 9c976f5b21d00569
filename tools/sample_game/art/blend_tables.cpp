#include "sample_game/art/blend_tables.h"

#include <cstdio>

#include "platform/graphics/fx_palette.h"
#include "sample_game/art/canvas.h"

namespace sample {

std::vector<uint8_t> MakeBlendTable(int n) {
    PALETTEENTRY pal[256];
    const std::vector<uint32_t>& game = GamePalette();
    for (int i = 0; i < 256; ++i)
        pal[i] = PALETTEENTRY{static_cast<uint8_t>(game[i] >> 16), static_cast<uint8_t>(game[i] >> 8),
                              static_cast<uint8_t>(game[i]), 0};
    DDMakePaletteVariant(pal, n);
    // A mix never gives the transparent colour, nor one of the blinking
    // colours, whose entries the screen keeps rotating.
    std::vector<int> candidates;
    for (int i = 1; i < 256; ++i)
        if (i < PAL_BLINK || i >= PAL_BLINK + 32) candidates.push_back(i);
    std::vector<uint8_t> table(HBT_TABLE_SIZE);
    for (int a = 0; a < 256; ++a) {
        table[a + 256 * a] = static_cast<uint8_t>(a);
        for (int b = a + 1; b < 256; ++b) {
            // Twice the mix, so that it stays in integers.
            const int r = pal[a].peRed + pal[b].peRed, g = pal[a].peGreen + pal[b].peGreen,
                      bl = pal[a].peBlue + pal[b].peBlue;
            int best = candidates.front(), bestD = 1 << 30;
            for (int c : candidates) {
                const int dr = 2 * pal[c].peRed - r, dg = 2 * pal[c].peGreen - g, db = 2 * pal[c].peBlue - bl;
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestD) {
                    bestD = d;
                    best = c;
                }
            }
            table[a + 256 * b] = table[b + 256 * a] = static_cast<uint8_t>(best);
        }
    }
    return table;
}

std::string BlendTablePath(int n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "bmp/hbt/hbt%02d.dat", n);
    return buf;
}

}  // namespace sample
