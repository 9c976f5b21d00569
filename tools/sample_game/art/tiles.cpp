// The block sheet, the item sheets, the shot sheet, the marks, effects and swords.
#include <cmath>

#include "sample_game/art/sheets.h"

namespace sample {

namespace {

void Speckle(cCanvas& c, int x, int y, int w, int h, uint32_t seed, uint8_t a, uint8_t b, int n) {
    cTextureNoise rnd(seed);
    for (int i = 0; i < n; ++i) c.Set(x + rnd.Range(w), y + rnd.Range(h), (i & 1) ? a : b);
}

void Bricks(cCanvas& c, int x, int y, eRamp r, int rowH, int brickW) {
    c.Rect(x, y, 32, 32, Shade(r, 1));
    for (int row = 0; row < 32 / rowH; ++row) {
        const int off = (row & 1) ? brickW / 2 : 0;
        for (int bx = -off; bx < 32; bx += brickW) {
            const int x0 = std::max(bx, 0), x1 = std::min(bx + brickW - 1, 32);
            if (x1 - x0 > 0) c.Box(x + x0, y + row * rowH, x1 - x0, rowH - 1, r, 4 + ((row + bx) & 1) / 1);
        }
    }
}

void DrawBlock(cCanvas& c, int g, int x, int y) {
    switch (g) {
        case BG_GRASS:
        case BG_GRASS_L:
        case BG_GRASS_R:
            c.Rect(x, y, 32, 32, Shade(R_BROWN, 3));
            Speckle(c, x, y + 8, 32, 24, 11 + g, Shade(R_BROWN, 2), Shade(R_BROWN, 5), 40);
            c.Gradient(x, y, 32, 7, R_GREEN, 7, 4);
            for (int i = 0; i < 32; i += 3) c.Rect(x + i, y + 7, 2, 1 + ((i * 7) % 4), Shade(R_GREEN, 3));
            if (g == BG_GRASS_L) c.Rect(x, y, 2, 32, Shade(R_BROWN, 1));
            if (g == BG_GRASS_R) c.Rect(x + 30, y, 2, 32, Shade(R_BROWN, 1));
            break;
        case BG_DIRT:
            c.Rect(x, y, 32, 32, Shade(R_BROWN, 3));
            Speckle(c, x, y, 32, 32, 7, Shade(R_BROWN, 2), Shade(R_BROWN, 5), 60);
            c.Disc(x + 9, y + 20, 3, 2, Shade(R_STONE, 4));
            c.Disc(x + 23, y + 9, 2, 2, Shade(R_STONE, 3));
            break;
        case BG_STONE: Bricks(c, x, y, R_STONE, 16, 16); break;
        case BG_BRICK: Bricks(c, x, y, R_ORANGE, 8, 16); break;
        case BG_CASTLE: Bricks(c, x, y, R_CASTLE, 16, 32); break;
        case BG_CASTLE_TOP:
            Bricks(c, x, y, R_CASTLE, 16, 32);
            c.Rect(x + 8, y, 16, 8, PAL_KEY);
            break;
        case BG_PLANK:
            c.Box(x, y, 32, 8, R_BROWN, 5);
            for (int i = 7; i < 32; i += 8) c.Rect(x + i, y + 1, 1, 6, Shade(R_BROWN, 2));
            c.Rect(x + 3, y + 8, 2, 3, Shade(R_BROWN, 2));
            c.Rect(x + 27, y + 8, 2, 3, Shade(R_BROWN, 2));
            break;
        case BG_SPIKES:
            c.Box(x, y + 26, 32, 6, R_STEEL, 2);
            for (int i = 0; i < 4; ++i)
                for (int k = 0; k < 18; ++k) c.Rect(x + i * 8 + k / 4, y + 25 - k, 8 - (k / 4) * 2, 1, Shade(R_STEEL, k < 9 ? 3 : 6));
            break;
        case BG_PRIZE:
        case BG_USED:
            c.Box(x, y, 32, 32, g == BG_PRIZE ? R_GOLD : R_BROWN, g == BG_PRIZE ? 5 : 3);
            c.Frame(x + 2, y + 2, 28, 28, Shade(g == BG_PRIZE ? R_GOLD : R_BROWN, 2));
            if (g == BG_PRIZE) c.Title(x + 9, y + 5, "?", R_ORANGE, 3);
            break;
        case BG_ICE:
            c.Gradient(x, y, 32, 32, R_ICE, 7, 3);
            c.Line(x + 4, y + 4, x + 12, y + 12, PAL_WHITE);
            c.Line(x + 18, y + 6, x + 22, y + 10, PAL_WHITE);
            c.Frame(x, y, 32, 32, Shade(R_ICE, 2));
            break;
        case BG_CAVE:
        case BG_CAVE_TOP:
            c.Rect(x, y, 32, 32, Shade(R_CASTLE, 2));
            for (int i = 0; i < 5; ++i) c.Ball(x + 5 + (i * 13) % 26, y + 5 + (i * 7) % 24, 5, 4, R_CASTLE, 1, 4);
            if (g == BG_CAVE_TOP) c.Gradient(x, y, 32, 5, R_TEAL, 5, 3);
            break;
        case BG_LAVA:
            c.Gradient(x, y, 32, 32, R_LAVA, 7, 2);
            for (int i = 0; i < 4; ++i) c.Disc(x + 4 + i * 8, y + 3 + (i & 1) * 2, 3, 2, Shade(R_YELLOW, 7));
            break;
        case BG_WATER:
            c.Gradient(x, y, 32, 32, R_WATER, 6, 2);
            for (int i = 0; i < 32; i += 8) c.Rect(x + i, y + 2 + ((i / 8) & 1), 5, 1, Shade(R_ICE, 7));
            break;
        case BG_LADDER:
            c.Rect(x + 5, y, 3, 32, Shade(R_BROWN, 4));
            c.Rect(x + 24, y, 3, 32, Shade(R_BROWN, 3));
            for (int j = 4; j < 32; j += 9) c.Rect(x + 8, y + j, 16, 2, Shade(R_BROWN, 5));
            break;
        case BG_GOAL:
            c.Rect(x + 14, y, 4, 32, Shade(R_STEEL, 5));
            c.Rect(x + 15, y, 1, 32, Shade(R_STEEL, 7));
            break;
        case BG_FLAG_TOP:
            c.Rect(x + 14, y + 6, 4, 26, Shade(R_STEEL, 5));
            c.Ball(x + 16, y + 4, 4, 4, R_GOLD, 3, 7);
            for (int j = 0; j < 12; ++j) c.Rect(x + 2 + j / 2, y + 9 + j, 12 - j / 2, 1, Shade(R_RED, 5 - j / 4));
            c.Title(x + 4, y + 11, "*", R_YELLOW, 1);
            break;
        case BG_DOOR:
            c.Box(x + 2, y, 28, 32, R_BROWN, 4);
            c.Rect(x + 16, y + 2, 1, 30, Shade(R_BROWN, 2));
            c.Ball(x + 23, y + 17, 2, 2, R_GOLD, 3, 7);
            c.Rect(x + 4, y + 8, 24, 2, Shade(R_STEEL, 3));
            c.Rect(x + 4, y + 24, 24, 2, Shade(R_STEEL, 3));
            break;
        case BG_METAL:
            c.Box(x, y, 32, 32, R_STEEL, 4);
            c.Box(x + 4, y + 4, 24, 24, R_STEEL, 5);
            for (int px : {3, 27})
                for (int py : {3, 27}) c.Rect(x + px, y + py, 2, 2, Shade(R_STEEL, 1));
            break;
        case BG_CRATE:
            c.Box(x, y, 32, 32, R_SAND, 4);
            c.Frame(x + 3, y + 3, 26, 26, Shade(R_BROWN, 3));
            c.Line(x + 3, y + 3, x + 28, y + 28, Shade(R_BROWN, 3));
            c.Line(x + 28, y + 3, x + 3, y + 28, Shade(R_BROWN, 3));
            break;
        case BG_CLOUD:
            c.Ball(x + 9, y + 10, 8, 6, R_ICE, 4, 7);
            c.Ball(x + 22, y + 9, 9, 7, R_ICE, 4, 7);
            c.Ball(x + 16, y + 6, 7, 5, R_ICE, 5, 7);
            break;
        case BG_BRIDGE:
            c.Box(x, y + 4, 32, 6, R_BROWN, 5);
            c.Rect(x, y, 32, 1, Shade(R_SAND, 3));
            for (int i = 2; i < 32; i += 10) c.Line(x + i, y, x + i + 3, y + 4, Shade(R_SAND, 3));
            break;
        case BG_BELT_L:
        case BG_BELT_R:
            c.Box(x, y, 32, 14, R_STONE, 3);
            for (int i = 0; i < 4; ++i) {
                const int ax = x + 4 + i * 7;
                const int d = g == BG_BELT_L ? -1 : 1;
                c.Line(ax, y + 7, ax + 3 * d, y + 4, Shade(R_YELLOW, 6));
                c.Line(ax, y + 7, ax + 3 * d, y + 10, Shade(R_YELLOW, 6));
            }
            break;
        case BG_SPRING:
            c.Box(x + 4, y + 26, 24, 6, R_STEEL, 3);
            for (int j = 0; j < 4; ++j) c.Rect(x + 8 + (j & 1) * 2, y + 12 + j * 4, 14, 2, Shade(R_STEEL, 6));
            c.Box(x + 2, y + 8, 28, 5, R_RED, 5);
            break;
        default:
            break;
    }
}

void DrawItem(cCanvas& c, int g, int x, int y) {
    const int cx = x + 16, cy = y + 16;
    switch (g) {
        case 1:
        case 2:
        case 3:
        case 4: {
            const int rx[4] = {8, 6, 2, 6};
            c.Ball(cx, cy, rx[g - 1], 9, R_GOLD, 2, 7);
            if (rx[g - 1] > 4) c.Rect(cx - 1, cy - 5, 2, 10, Shade(R_GOLD, 3));
            break;
        }
        case IG_HEART:
            c.Ball(cx - 5, cy - 3, 6, 6, R_RED, 2, 7);
            c.Ball(cx + 5, cy - 3, 6, 6, R_RED, 2, 6);
            for (int j = 0; j < 11; ++j) c.Rect(cx - 10 + j, cy + j - 2, 20 - 2 * j, 1, Shade(R_RED, 4 - j / 4));
            c.Rect(cx - 7, cy - 6, 2, 2, PAL_WHITE);
            break;
        case IG_KEY:
            c.Ball(cx - 6, cy, 5, 5, R_GOLD, 3, 7);
            c.Disc(cx - 6, cy, 2, 2, PAL_KEY);
            c.Rect(cx - 1, cy - 1, 12, 3, Shade(R_GOLD, 5));
            c.Rect(cx + 6, cy + 2, 2, 4, Shade(R_GOLD, 4));
            c.Rect(cx + 9, cy + 2, 2, 3, Shade(R_GOLD, 4));
            break;
        case IG_GEM:
            for (int j = 0; j < 8; ++j) c.Rect(cx - 4 - j, cy - 8 + j, 8 + 2 * j, 1, Shade(R_TEAL, 7 - j / 3));
            for (int j = 0; j < 10; ++j) c.Rect(cx - 11 + j, cy + j, 22 - 2 * j, 1, Shade(R_TEAL, 4 - j / 4));
            c.Line(cx - 4, cy - 8, cx, cy + 9, Shade(R_TEAL, 6));
            break;
        case IG_STAR:
            for (int k = 0; k < 5; ++k) {
                const double a = -1.5708 + k * 1.2566;
                c.Line(cx, cy, cx + static_cast<int>(11 * std::cos(a)), cy + static_cast<int>(11 * std::sin(a)), Shade(R_YELLOW, 6));
            }
            c.Ball(cx, cy + 1, 6, 6, R_YELLOW, 4, 7);
            c.Rect(cx - 3, cy - 1, 2, 3, PAL_INK);
            c.Rect(cx + 2, cy - 1, 2, 3, PAL_INK);
            break;
        case IG_POTION:
            c.Ball(cx, cy + 4, 8, 8, R_BLUE, 2, 7);
            c.Rect(cx - 3, cy - 10, 6, 7, Shade(R_ICE, 6));
            c.Rect(cx - 4, cy - 12, 8, 3, Shade(R_BROWN, 4));
            c.Rect(cx - 5, cy + 1, 3, 3, PAL_WHITE);
            break;
        case IG_ONE_UP:
            c.Ball(cx, cy - 2, 10, 9, R_GREEN, 2, 7);
            c.Rect(cx - 10, cy - 1, 21, 2, PAL_KEY);
            c.Box(cx - 6, cy + 1, 12, 9, R_SAND, 5);
            c.Rect(cx - 3, cy + 3, 2, 3, PAL_INK);
            c.Rect(cx + 2, cy + 3, 2, 3, PAL_INK);
            c.Disc(cx - 4, cy - 6, 2, 2, Shade(R_SAND, 7));
            break;
        case IG_APPLE:
            c.Ball(cx, cy + 2, 9, 9, R_RED, 2, 7);
            c.Rect(cx, cy - 10, 2, 5, Shade(R_BROWN, 3));
            c.Ball(cx + 5, cy - 8, 4, 2, R_LEAF, 3, 6);
            break;
        case IG_CHEST:
            c.Box(x + 5, y + 14, 22, 13, R_BROWN, 4);
            c.Ball(cx, y + 14, 11, 7, R_BROWN, 3, 6);
            c.Rect(x + 5, y + 14, 22, 8, Shade(R_BROWN, 4));
            c.Rect(x + 5, y + 14, 22, 2, Shade(R_GOLD, 5));
            c.Rect(cx - 2, y + 16, 4, 5, Shade(R_GOLD, 6));
            break;
        case IG_CLOCK:
            c.Ball(cx, cy, 10, 10, R_SKY, 3, 7);
            c.Disc(cx, cy, 7, 7, PAL_WHITE);
            c.Line(cx, cy, cx, cy - 6, PAL_INK);
            c.Line(cx, cy, cx + 4, cy + 2, PAL_INK);
            break;
        default:
            break;
    }
}

void DrawShot(cCanvas& c, int g, int frame, int x, int y) {
    const int cx = x + 8, cy = y + 8;
    switch (g) {
        case SG_FIRE:
            c.Ball(cx + 1, cy, 5 - frame, 4, R_LAVA, 3, 7);
            c.Ball(cx + 2, cy, 2, 2, R_YELLOW, 6, 7);
            c.Rect(cx - 6, cy - 1 + frame, 3, 2, Shade(R_ORANGE, 5));
            break;
        case SG_ORB:
            c.Ball(cx, cy, 5 + frame, 5 + frame, R_PURPLE, 3, 7);
            c.Set(cx - 2, cy - 2, PAL_WHITE);
            break;
        case SG_ARROW:
            c.Rect(x + 1, cy, 12, 1, Shade(R_BROWN, 5));
            c.Line(x + 13, cy - 2, x + 15, cy, Shade(R_STEEL, 7));
            c.Line(x + 13, cy + 2, x + 15, cy, Shade(R_STEEL, 7));
            c.Rect(x + 1, cy - 2 + frame, 3, 1, PAL_WHITE);
            break;
        case SG_STAR:
            c.Line(cx - 5, cy, cx + 5, cy, Shade(R_YELLOW, 7));
            c.Line(cx, cy - 5, cx, cy + 5, Shade(R_YELLOW, 7));
            if (frame) {
                c.Line(cx - 3, cy - 3, cx + 3, cy + 3, Shade(R_YELLOW, 5));
                c.Line(cx - 3, cy + 3, cx + 3, cy - 3, Shade(R_YELLOW, 5));
            }
            c.Ball(cx, cy, 2, 2, R_YELLOW, 6, 7);
            break;
        case SG_BULLET:
            c.Ball(cx, cy, 4, 3, R_STEEL, 2, 7);
            break;
        case SG_ICE:
            for (int j = 0; j < 5; ++j) c.Rect(cx - 6 + j, cy - j / 2, 12 - 2 * j, 1 + j / 2 * 2, Shade(R_ICE, 7 - j));
            break;
        case SG_LEAF:
            c.Ball(cx, cy, 6, 3 - frame, R_LEAF, 3, 7);
            c.Line(cx - 5, cy, cx + 5, cy, Shade(R_LEAF, 2));
            break;
        case SG_BOMB:
            c.Ball(cx, cy + 1, 6, 6, R_NIGHT, 2, 6);
            c.Rect(cx + 2, cy - 7, 2, 3, Shade(R_BROWN, 4));
            c.Set(cx + 4, cy - 8, frame ? Shade(R_YELLOW, 7) : Shade(R_ORANGE, 6));
            break;
        case SG_ROCK:
            c.Ball(cx, cy, 6, 5, R_STONE, 1, 6);
            break;
        case SG_SPARK:
            c.Ball(cx, cy, 3 + frame * 2, 3 + frame * 2, R_TEAL, 4, 7);
            break;
        default:
            return;
    }
    c.Outline(x, y, 16, 16);
}

}  // namespace

cCanvas MakeBlockSheet() {
    cCanvas c(320, 480);
    for (int g = 1; g <= BG_FLAG_TOP; ++g) DrawBlock(c, g, (g / 15) * 32, (g % 15) * 32);
    return c;
}

cCanvas MakeItemSheet() {
    cCanvas c(320, 480);
    for (int g = 1; g <= IG_CLOCK; ++g) {
        const int x = (g / 15) * 32, y = (g % 15) * 32;
        DrawItem(c, g, x, y);
        c.Outline(x, y, 32, 32);
    }
    // Column 9: the highlight frames drawn over highlighted items (15 frames).
    for (int k = 0; k < 15; ++k) {
        const int x = 9 * 32, y = k * 32;
        const uint8_t col = static_cast<uint8_t>(PAL_BLINK + k * 2);
        c.Frame(x + 1 + k % 3, y + 1 + k % 3, 30 - 2 * (k % 3), 30 - 2 * (k % 3), col);
        c.Set(x + 16, y + 1, PAL_WHITE);
    }
    return c;
}

cCanvas MakeItemMiniSheet(const cCanvas& items) {
    cCanvas c(160, 240);
    for (int cell = 0; cell < 150; ++cell) c.BlitHalf(items, (cell / 15) * 32, (cell % 15) * 32, 32, 32, (cell / 15) * 16, (cell % 15) * 16);
    return c;
}

cCanvas MakeShotSheet() {
    cCanvas c(480, 128);
    for (int g = 1; g <= SG_SPARK; ++g)
        for (int f = 0; f < 2; ++f) DrawShot(c, g, f, (g % 30) * 16, ((g / 30) * 2 + f) * 16);
    return c;
}

cCanvas MakeMarkSheet() {
    // Icons drawn over blocks in the editor and at play: arrows, a lock, a star, a skull.
    cCanvas c(64, 480);
    const char* marks[] = {"", "<", ">", "!", "?", "*", "+", "-", "1", "2", "3", "4", "5", "6", "7"};
    for (int k = 1; k < 15; ++k) {
        c.Ball(16, k * 32 + 16, 9, 9, static_cast<eRamp>(k % 8), 3, 7);
        c.Title(11, k * 32 + 8, marks[k][0] == '<' ? "-" : marks[k], R_ICE, 2);
        c.Outline(0, k * 32, 32, 32);
    }
    return c;
}

cCanvas MakeEffectStrip(int kind, int cells, int size) {
    cCanvas c(cells * size, size);
    for (int k = 0; k < cells; ++k) {
        const int cx = k * size + size / 2, cy = size / 2;
        const double t = (k + 1.0) / cells;
        switch (kind) {
            case 0: {  // explosion
                const int r = static_cast<int>(size / 2 * (0.3 + 0.65 * std::sin(t * 3.0)));
                c.Ball(cx, cy, r, r, k < cells / 2 ? R_YELLOW : R_LAVA, 2, 7);
                if (k > cells / 2) c.Disc(cx + r / 3, cy - r / 4, r / 2, r / 2, PAL_KEY);
                for (int s = 0; s < 6; ++s) {
                    const double a = s * 1.047 + k;
                    c.Set(cx + static_cast<int>(std::cos(a) * r * 1.2), cy + static_cast<int>(std::sin(a) * r * 1.2), Shade(R_YELLOW, 7));
                }
                break;
            }
            case 1: {  // hit spark
                const int r = 3 + k * size / (2 * cells);
                for (int s = 0; s < 8; ++s) {
                    const double a = s * 0.785 + 0.4;
                    c.Line(cx + static_cast<int>(std::cos(a) * r / 2), cy + static_cast<int>(std::sin(a) * r / 2),
                           cx + static_cast<int>(std::cos(a) * r), cy + static_cast<int>(std::sin(a) * r), Shade(R_YELLOW, 7 - k));
                }
                c.Ball(cx, cy, 4 - k / 2, 4 - k / 2, R_ICE, 5, 7);
                break;
            }
            case 2: {  // smoke
                const int r = 4 + k * 2;
                c.Ball(cx - 3, cy + 2 - k, r, r - 1, R_STONE, 3 + (k > 3), 7);
                c.Ball(cx + 4, cy - k, r - 2, r - 2, R_STONE, 4, 7);
                break;
            }
            case 3: {  // sparkle
                const int r = 2 + (k < cells / 2 ? k : cells - k) * 2;
                c.Line(cx - r * 2, cy, cx + r * 2, cy, PAL_WHITE);
                c.Line(cx, cy - r * 2, cx, cy + r * 2, PAL_WHITE);
                c.Ball(cx, cy, r / 2 + 1, r / 2 + 1, R_YELLOW, 6, 7);
                break;
            }
        }
        c.Outline(k * size, 0, size, size);
    }
    return c;
}

cCanvas MakeSwordSheet(bool spear) {
    // Four 32 x 32 frames of a swing (or a thrust), blade pointing to the left as the sheets face.
    cCanvas c(128, 32);
    for (int k = 0; k < 4; ++k) {
        cCanvas f(32, 32);
        if (spear) {
            const int reach = 10 + k * 5;
            f.Rect(32 - reach, 15, reach, 2, Shade(R_BROWN, 5));
            f.Rect(26 - reach, 13, 7, 6, Shade(R_STEEL, 6));
            f.Rect(24 - reach, 15, 2, 2, Shade(R_STEEL, 7));
        } else {
            const double a = 3.14159 * (0.75 - k * 0.25);
            const int ex = 16 + static_cast<int>(std::cos(a) * 14), ey = 16 - static_cast<int>(std::sin(a) * 14);
            for (int w = -1; w <= 1; ++w) f.Line(16 + w, 16, ex + w, ey, Shade(R_STEEL, 6 + (w == 0)));
            f.Ball(16, 16, 3, 3, R_GOLD, 3, 7);
            // The arc of the swing behind the blade.
            for (int s = 0; s < k; ++s) {
                const double b = 3.14159 * (0.75 - s * 0.25);
                f.Set(16 + static_cast<int>(std::cos(b) * 13), 16 - static_cast<int>(std::sin(b) * 13), Shade(R_ICE, 7));
            }
        }
        f.Outline(0, 0, 32, 32);
        c.BlitMirror(f, 0, 0, 32, 32, k * 32, 0);
    }
    return c;
}

}  // namespace sample
