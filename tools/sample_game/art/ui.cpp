// The front-end pictures (title, menus, windows, status bar, the world map's
// chips and events), the backgrounds, pictures, the boss' own bitmap, and the
// list of every picture of the game.
#include <cmath>

#include "sample_game/art/sheets.h"

namespace sample {

namespace {

void Stars(cCanvas& c, int h, uint32_t seed) {
    cTextureNoise rnd(seed);
    for (int i = 0; i < 90; ++i) {
        const int x = rnd.Range(c.W()), y = rnd.Range(h);
        c.Set(x, y, i % 7 == 0 ? uint8_t{PAL_WHITE} : Grey(9 + (i & 3)));
    }
}

// A band of hills along the bottom: height from a sum of two sines, the
// second `ratio` times as frequent as the first.
void Hills(cCanvas& c, int base, int amp, double freq, double ratio, double phase, eRamp r, int top, int bottom) {
    for (int x = 0; x < c.W(); ++x) {
        const double v = std::sin(x * freq + phase) + 0.5 * std::sin(x * freq * ratio + phase * 1.7);
        const int y0 = base - static_cast<int>(amp * (0.5 + 0.35 * v));
        for (int y = y0; y < c.H(); ++y) {
            const int k = top + (bottom - top) * (y - y0) / std::max(1, c.H() - y0);
            c.Set(x, y, Shade(r, y == y0 ? top + 1 : k));
        }
    }
}

// Hills whose two sines repeat `waves` and 2 * waves + 1 times across the
// picture, so that the picture tiles side by side without a seam.
void TilingHills(cCanvas& c, int base, int amp, int waves, double phase, eRamp r, int top, int bottom) {
    const double freq = 2 * 3.14159265358979 * waves / c.W();
    Hills(c, base, amp, freq, (2.0 * waves + 1) / waves, phase, r, top, bottom);
}

void Tree(cCanvas& c, int x, int y, int s) {
    c.Rect(x - s / 6, y - s / 2, s / 3, s / 2, Shade(R_BROWN, 3));
    c.Ball(x, y - s / 2 - s / 3, s / 2, s / 2, R_LEAF, 1, 6);
}

cCanvas MakePaletteBmp() {
    // One pixel per colour in rows 8 to 23 (where a true-colour screen reads its palette);
    // the rows above hold the transparent colour, which the top-left pixel names.
    cCanvas c(16, 24);
    for (int i = 0; i < 256; ++i) c.Set(i % 16, 8 + i / 16, static_cast<uint8_t>(i));
    return c;
}

cCanvas MakeDebugBmp() {
    // Hit-box colours and the digits used by the debug display.
    cCanvas c(256, 32);
    const eRamp ramps[8] = {R_RED, R_GREEN, R_BLUE, R_YELLOW, R_PURPLE, R_TEAL, R_ORANGE, R_ICE};
    for (int i = 0; i < 8; ++i) c.Frame(i * 16, 0, 16, 16, Shade(ramps[i], 6));
    for (int d = 0; d < 10; ++d) c.Text(d * 8 + 1, 20, std::string(1, static_cast<char>('0' + d)), PAL_WHITE);
    c.Text(130, 4, "DEBUG", PAL_WHITE);
    return c;
}

cCanvas MakeSymbolBmp(int pitch, int lineH) {
    // Icons for the letters a..z: buttons and arrows the texts can show.
    cCanvas c(26 * pitch, lineH);
    for (int k = 0; k < 26; ++k) {
        const int x = k * pitch, r = pitch / 2 - 1;
        c.Ball(x + pitch / 2, lineH / 2, r, r, static_cast<eRamp>(k % RAMP_NUM), 2, 7);
        c.Text(x + pitch / 2 - 2, lineH / 2 - 3, std::string(1, static_cast<char>('A' + k)), PAL_INK);
        c.Outline(x, 0, pitch, lineH);
    }
    return c;
}

cCanvas MakeWindowBmp() {
    // The framed boxes' background: deep blue with a soft vertical shine.
    cCanvas c(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const int k = 3 + ((y / 8 + x / 64) & 1 ? 0 : 1) * ((x + y) & 1);
            c.Set(x, y, static_cast<uint8_t>(242 + std::min(13, k + (y < 6 ? 4 - y / 2 : 0))));
        }
    return c;
}

cCanvas MakeStatusWindowBmp() {
    cCanvas c(640, 24);
    c.Gradient(0, 0, 640, 20, R_NIGHT, 5, 2);
    c.Rect(0, 19, 640, 1, Shade(R_GOLD, 5));
    c.Rect(0, 20, 640, 1, Shade(R_GOLD, 2));
    return c;
}

cCanvas MakeTitleBmp() {
    cCanvas c(640, 480);
    c.Gradient(0, 0, 640, 480, R_NIGHT, 1, 7);
    Stars(c, 240, 3);
    c.Ball(590, 36, 20, 20, R_YELLOW, 5, 7);
    c.Disc(600, 30, 17, 17, Shade(R_NIGHT, 1));
    cCanvas far(640, 480);
    Hills(far, 330, 90, 0.012, 2.3, 0.5, R_CASTLE, 3, 2);
    c.Blit(far, 0, 0, 640, 480, 0, 0);
    // A castle on the far hill.
    c.Box(420, 238, 90, 70, R_CASTLE, 3);
    for (int k = 0; k < 3; ++k) {
        c.Box(410 + k * 45, 200, 20, 60, R_CASTLE, 4);
        c.Rect(410 + k * 45, 196, 20, 4, Shade(R_RED, 3));
        c.Rect(416 + k * 45, 215, 6, 8, Shade(R_YELLOW, 6));
    }
    cCanvas near(640, 480);
    Hills(near, 430, 70, 0.02, 2.3, 2.0, R_LEAF, 2, 0);
    c.Blit(near, 0, 0, 640, 480, 0, 0);
    for (int k = 0; k < 6; ++k) Tree(c, 30 + k * 110 + (k & 1) * 20, 440 + (k & 1) * 8, 40);
    c.Title(92, 60, "STAR SHARD", R_GOLD, 8);
    c.Title(168, 140, "QUEST", R_ORANGE, 8);
    c.Text(236, 210, "A SMALL ACTION GAME", Shade(R_ICE, 7), 1);
    // The hero, three times larger, on the near hill.
    cCanvas hero(32, 32);
    DrawCharacterCell(hero, 0, 0, CG_HERO, CROW_CHEER);
    cCanvas faced(32, 32);
    faced.BlitMirror(hero, 0, 0, 32, 32, 0, 0);
    c.BlitScaled(faced, 0, 0, 32, 32, 60, 300, 3);
    return c;
}

cCanvas MakeGameModeBmp() {
    // One 32-dot row per title menu item.
    const char* items[] = {"NEW GAME", "CONTINUE", "CHALLENGE", "FREE PLAY", "REPLAY", "OPTIONS", "QUIT"};
    cCanvas c(192, 32 * 7);
    for (int k = 0; k < 7; ++k) c.Title(4, k * 32 + 6, items[k], R_GOLD, 2);
    return c;
}

cCanvas MakeAccessoryBmp() {
    cCanvas c(128, 224);
    // (0, 0) 32 x 32 cursor: a pointing star; (32, 0) its second frame.
    for (int f = 0; f < 2; ++f) {
        c.Ball(16 + f * 32, 16, 9 - f, 9 - f, R_GOLD, 3, 7);
        for (int k = 0; k < 5; ++k) {
            const double a = -1.5708 + k * 1.2566;
            c.Line(16 + f * 32, 16, 16 + f * 32 + static_cast<int>(14 * std::cos(a)), 16 + static_cast<int>(14 * std::sin(a)),
                   Shade(R_YELLOW, 6));
        }
        c.Outline(f * 32, 0, 32, 32);
    }
    // (64, 0) 16 x 16 cursor arrow; (80, 0) the parent level's dimmer arrow.
    for (int f = 0; f < 2; ++f)
        for (int j = 0; j < 6; ++j) c.Rect(64 + f * 16 + 3 + j, 2 + j, 2, 12 - 2 * j, Shade(f ? R_STONE : R_GOLD, 6 - j / 2));
    c.Outline(64, 0, 32, 16);
    // (96, 0) 32 x 32 cleared sign.
    c.Ball(112, 16, 13, 13, R_RED, 3, 6);
    c.Disc(112, 16, 9, 9, PAL_KEY);
    c.Ball(112, 16, 8, 8, R_GOLD, 4, 7);
    c.Text(107, 13, "OK", PAL_INK);
    c.Outline(96, 0, 32, 32);
    // (16 k, 32): the status items' icons: score, stage score, HP, SP, lives.
    c.Ball(8, 40, 6, 6, R_GOLD, 3, 7);
    c.Ball(24, 40, 6, 6, R_YELLOW, 3, 7);
    c.Ball(37, 38, 3, 3, R_RED, 3, 7);
    c.Ball(43, 38, 3, 3, R_RED, 3, 7);
    for (int j = 0; j < 6; ++j) c.Rect(35 + j / 1, 40 + j, 11 - 2 * j, 1, Shade(R_RED, 4));
    c.Ball(56, 41, 5, 5, R_BLUE, 3, 7);
    c.Ball(72, 40, 6, 6, R_SKIN, 3, 7);
    c.Rect(66, 34, 12, 3, Shade(R_HAIR, 4));
    c.Outline(0, 32, 96, 16);
    // (0, 48) the stock icon; (16, 48) the ranking highlight.
    c.Ball(8, 56, 6, 6, R_GREEN, 3, 7);
    c.Ball(24, 56, 6, 6, R_PINK, 4, 7);
    c.Outline(0, 48, 32, 16);
    // (0..127, 64..127): the walker of the world map, four facings and two frames each.
    const int rows[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
    for (int d = 0; d < 4; ++d)
        for (int f = 0; f < 2; ++f) {
            cCanvas cell(32, 32);
            DrawCharacterCell(cell, 0, 0, CG_HERO, f ? 3 : 5);
            if (d == 1 || d == 2)
                c.BlitMirror(cell, 0, 0, 32, 32, rows[d][0] + f * 32, rows[d][1]);
            else
                c.Blit(cell, 0, 0, 32, 32, rows[d][0] + f * 32, rows[d][1]);
        }
    // (0, 128) and (64, 128): the 50 x 16 gauge frames; fills at rows 144 (normal) and 160 (warning);
    // rows 176 and 192 the gain and the loss.
    for (int g = 0; g < 2; ++g) {
        const int x = g * 64;
        c.Rect(x, 128, 50, 16, PAL_INK);
        c.Frame(x, 128, 50, 16, Shade(R_GOLD, 5));
        c.Rect(x + 1, 129, 48, 1, Shade(R_GOLD, 7));
        c.Gradient(x, 144, 50, 16, g ? R_BLUE : R_GREEN, 7, 3);
        c.Gradient(x, 160, 50, 16, R_RED, 7, 3);
        c.Gradient(x, 176, 50, 16, R_ICE, 7, 5);
        c.Gradient(x, 192, 50, 16, R_ORANGE, 6, 4);
        // The small gauges over characters: 2-dot rows 208 frame, 210 fill, 212 warning, 214 gain, 216 loss.
        c.Rect(x, 208, 50, 2, PAL_INK);
        c.Rect(x, 210, 50, 2, Shade(g ? R_BLUE : R_GREEN, 6));
        c.Rect(x, 212, 50, 2, Shade(R_RED, 6));
        c.Rect(x, 214, 50, 2, Shade(R_ICE, 7));
        c.Rect(x, 216, 50, 2, Shade(R_ORANGE, 6));
    }
    return c;
}

cCanvas MakeWordBmp() {
    // The play screen's banners, each inside the rectangle the scene copies:
    // (0, 0) 128 x 32 "STAGE", followed on screen by a 32 x 32 digit of row 128;
    // (160, 0) 80 x 32 the start word; (0, 32) 128 x 32 the replay banner;
    // (0, 64) 128 x 32 the clear banner; (0, 96) 144 x 32 the game-over banner,
    // in condensed letters to fit. Row 128: the stage digits; row 160: the timer digits.
    cCanvas c(320, 192);
    c.Title(25, 4, "STAGE", R_SKY, 3);  // a word space before the digit's first dot at x 134
    c.Title(160 + (80 - cCanvas::TextWidth("GO!", 3) - 6) / 2, 4, "GO!", R_YELLOW, 3);
    c.Title(8, 32 + 4, "REPLAY", R_ORANGE, 3);
    c.Title(8, 64 + 4, "CLEAR!", R_GOLD, 3);
    c.Title((144 - cCanvas::TextWidth("GAME OVER", 2) - 4) / 2, 96 + 4, "GAME OVER", R_RED, 3, 2);
    for (int d = 0; d < 10; ++d) {
        const std::string digit(1, static_cast<char>('0' + d));
        c.Title(d * 32 + 5, 128 + 4, digit, R_SKY, 3);
        c.Title(d * 32 + 5, 160 + 3, digit, R_ICE, 3);
    }
    return c;
}

cCanvas MakeWorldMapChipBmp() {
    cCanvas c(160, 64);
    for (int g = 0; g < 10; ++g) {
        const int x = (g % 5) * 32, y = (g / 5) * 32;
        switch (g) {
            case MC_WATER:
                c.Gradient(x, y, 32, 32, R_WATER, 4, 3);
                c.Rect(x + 4, y + 8, 6, 1, Shade(R_ICE, 6));
                c.Rect(x + 18, y + 20, 7, 1, Shade(R_ICE, 6));
                break;
            case MC_MOUNTAIN:
                c.Rect(x, y, 32, 32, Shade(R_GREEN, 4));
                for (int j = 0; j < 26; ++j) c.Rect(x + 16 - j / 2 - 1, y + 4 + j, j + 2, 1, Shade(R_STONE, j < 8 ? 7 : 4 - (j > 18)));
                break;
            case MC_FOREST:
                c.Rect(x, y, 32, 32, Shade(R_GREEN, 4));
                for (int k = 0; k < 3; ++k) c.Ball(x + 7 + k * 9, y + 12 + (k & 1) * 8, 7, 8, R_LEAF, 1, 6);
                break;
            case MC_ROCK:
                c.Rect(x, y, 32, 32, Shade(R_SAND, 4));
                c.Ball(x + 16, y + 18, 12, 10, R_STONE, 1, 6);
                break;
            case MC_LAVA:
                c.Gradient(x, y, 32, 32, R_LAVA, 6, 3);
                c.Disc(x + 10, y + 12, 3, 2, Shade(R_YELLOW, 7));
                break;
            case MC_GRASS:
                c.Rect(x, y, 32, 32, Shade(R_GREEN, 4));
                for (int k = 0; k < 6; ++k) c.Rect(x + 3 + k * 5, y + 5 + (k * 11) % 22, 1, 3, Shade(R_GREEN, 6));
                break;
            case MC_SAND:
                c.Rect(x, y, 32, 32, Shade(R_SAND, 5));
                for (int k = 0; k < 8; ++k) c.Set(x + (k * 13) % 32, y + (k * 7) % 32, Shade(R_SAND, 3));
                break;
            case MC_ROAD:
                c.Rect(x, y, 32, 32, Shade(R_GREEN, 4));
                c.Rect(x + 10, y, 12, 32, Shade(R_SAND, 6));
                c.Rect(x, y + 10, 32, 12, Shade(R_SAND, 6));
                break;
            case MC_BRIDGE:
                c.Gradient(x, y, 32, 32, R_WATER, 4, 3);
                c.Box(x, y + 8, 32, 16, R_BROWN, 5);
                for (int i = 0; i < 32; i += 6) c.Rect(x + i, y + 8, 1, 16, Shade(R_BROWN, 3));
                break;
            case MC_SNOW:
                c.Rect(x, y, 32, 32, Shade(R_ICE, 7));
                c.Rect(x + 6, y + 6, 3, 1, Shade(R_ICE, 4));
                c.Rect(x + 20, y + 22, 4, 1, Shade(R_ICE, 4));
                break;
        }
    }
    return c;
}

cCanvas MakeWorldEventBmp() {
    // Rows: 0 a village gate, 1 a cave, 2 a tower, 3 the castle, 4 the challenge sign;
    // column 0 not yet cleared, column 1 cleared (a flag on top).
    cCanvas c(64, 160);
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 2; ++k) {
            const int x = k * 32, y = r * 32;
            switch (r) {
                case 0:
                    c.Box(x + 6, y + 10, 20, 20, R_BROWN, 4);
                    c.Rect(x + 12, y + 18, 8, 12, Shade(R_NIGHT, 2));
                    c.Rect(x + 4, y + 8, 24, 3, Shade(R_RED, 4));
                    break;
                case 1:
                    c.Ball(x + 16, y + 22, 14, 10, R_STONE, 1, 6);
                    c.Disc(x + 16, y + 26, 6, 6, Shade(R_NIGHT, 1));
                    break;
                case 2:
                    c.Box(x + 10, y + 6, 12, 25, R_CASTLE, 4);
                    c.Rect(x + 14, y + 12, 4, 5, Shade(R_YELLOW, 6));
                    break;
                case 3:
                    c.Box(x + 4, y + 14, 24, 17, R_CASTLE, 3);
                    c.Box(x + 2, y + 6, 8, 12, R_CASTLE, 4);
                    c.Box(x + 22, y + 6, 8, 12, R_CASTLE, 4);
                    c.Rect(x + 13, y + 22, 6, 9, Shade(R_NIGHT, 1));
                    break;
                case 4:
                    c.Rect(x + 15, y + 14, 3, 17, Shade(R_BROWN, 3));
                    c.Box(x + 5, y + 5, 22, 12, R_SAND, 5);
                    c.Text(x + 13, y + 8, "!", Shade(R_RED, 3));
                    break;
            }
            if (k == 1) {
                c.Rect(x + 24, y + 1, 1, 12, Shade(R_STEEL, 6));
                for (int j = 0; j < 5; ++j) c.Rect(x + 25, y + 1 + j, 6 - j, 1, Shade(R_GOLD, 6));
            }
            c.Outline(x, y, 32, 32);
        }
    return c;
}

cCanvas MakeWorldBackBmp() {
    cCanvas c(640, 480);
    c.Gradient(0, 0, 640, 480, R_WATER, 3, 2);
    cTextureNoise rnd(5);
    for (int i = 0; i < 200; ++i) c.Rect(rnd.Range(640), rnd.Range(480), 4 + rnd.Range(6), 1, Shade(R_WATER, 4));
    return c;
}

cCanvas MakeSkyBmp() {
    cCanvas c(640, 480);
    c.Gradient(0, 0, 640, 480, R_SKY, 3, 7);
    for (int k = 0; k < 5; ++k) {
        const int x = 40 + k * 130, y = 50 + (k * 37) % 120;
        c.Ball(x, y, 30, 12, R_ICE, 5, 7);
        c.Ball(x + 22, y - 6, 20, 12, R_ICE, 6, 7);
    }
    return c;
}

cCanvas MakeHillsBmp() {
    cCanvas c(640, 480);
    TilingHills(c, 330, 140, 2, 1.0, R_GREEN, 3, 1);
    cCanvas near(640, 480);
    TilingHills(near, 420, 90, 3, 3.0, R_LEAF, 4, 2);
    c.Blit(near, 0, 0, 640, 480, 0, 0);
    for (int k = 0; k < 8; ++k) Tree(c, 20 + k * 80, 390 + (k & 1) * 20, 28);
    return c;
}

cCanvas MakeCaveBmp() {
    cCanvas c(640, 480);
    c.Gradient(0, 0, 640, 480, R_CASTLE, 1, 2);
    cTextureNoise rnd(9);
    // Stalactites; one that reaches over an edge goes on at the other, so the picture tiles.
    for (int i = 0; i < 30; ++i) {
        const int x = rnd.Range(640), len = 20 + rnd.Range(60);
        for (int j = 0; j < len; ++j)
            for (int wrap : {-640, 0, 640}) c.Rect(x + wrap - (len - j) / 8, j, (len - j) / 4 + 1, 1, Shade(R_CASTLE, 3));
    }
    for (int i = 0; i < 40; ++i) c.Set(rnd.Range(640), rnd.Range(480), Shade(R_TEAL, 6));
    return c;
}

cCanvas MakeCastleBmp() {
    cCanvas c(640, 480);
    c.Gradient(0, 0, 640, 480, R_NIGHT, 1, 3);
    for (int x = 0; x < 640; x += 160) {
        c.Box(x + 40, 120, 80, 360, R_CASTLE, 2);
        c.Disc(x + 80, 170, 18, 30, Shade(R_NIGHT, 1));
        c.Rect(x + 62, 170, 36, 30, Shade(R_NIGHT, 1));
        c.Rect(x + 79, 140, 2, 60, Shade(R_CASTLE, 1));
        // Torches.
        c.Ball(x + 20, 260, 4, 6, R_ORANGE, 4, 7);
        c.Rect(x + 19, 266, 3, 10, Shade(R_BROWN, 3));
    }
    return c;
}

cCanvas MakeNightBmp() {
    cCanvas c(640, 240);
    c.Gradient(0, 0, 640, 240, R_NIGHT, 1, 4);
    Stars(c, 240, 8);
    return c;
}

cCanvas MakeBannerBmp() {
    cCanvas c(320, 64);
    c.Box(0, 0, 320, 64, R_NIGHT, 3);
    c.Frame(3, 3, 314, 58, Shade(R_GOLD, 5));
    c.Title(40, 18, "STAGE START", R_GOLD, 3);
    return c;
}

cCanvas MakeElderBmp() {
    // A portrait for the messages: the village elder.
    cCanvas c(96, 96);
    c.Gradient(0, 0, 96, 96, R_SAND, 6, 4);
    c.Ball(48, 44, 24, 26, R_SKIN, 2, 7);
    c.Ball(48, 74, 26, 16, PAL_WHITE == 0 ? R_ICE : R_ICE, 4, 7);
    c.Rect(32, 38, 8, 3, PAL_INK);
    c.Rect(56, 38, 8, 3, PAL_INK);
    c.Rect(28, 30, 14, 3, Grey(12));
    c.Rect(54, 30, 14, 3, Grey(12));
    c.Ball(48, 18, 26, 10, R_GREEN, 2, 6);
    c.Frame(0, 0, 96, 96, Shade(R_BROWN, 2));
    return c;
}

cCanvas MakeBossBmp() {
    // The golem king at twice the size: fifteen 64 x 64 frames in one column.
    cCanvas c(64, 960);
    for (int row = 0; row < CROW_NUM; ++row) {
        cCanvas cell(32, 32);
        DrawCharacterCell(cell, 0, 0, CG_GOLEM, row);
        c.BlitScaled(cell, 0, 0, 32, 32, 0, row * 64, 2);
    }
    return c;
}

}  // namespace

std::vector<PICTURE> MakeAllPictures() {
    std::vector<PICTURE> out;
    auto add = [&](const std::string& path, cCanvas c) { out.push_back(PICTURE{path, std::move(c)}); };
    add("bmp/plt/Palette.bmp", MakePaletteBmp());
    add("bmp/Debug.bmp", MakeDebugBmp());
    add("bmp/Block.bmp", MakeBlockSheet());
    for (int k = 1; k <= 8; ++k) add("bmp/Character" + std::to_string(k) + ".bmp", MakeCharacterSheet(k));
    add("bmp/Shot.bmp", MakeShotSheet());
    cCanvas items = MakeItemSheet();
    add("bmp/Item_Mini.bmp", MakeItemMiniSheet(items));
    add("bmp/Item.bmp", std::move(items));
    add("bmp/Mark.bmp", MakeMarkSheet());
    add("bmp/Window.bmp", MakeWindowBmp());
    add("bmp/StatusWindow.bmp", MakeStatusWindowBmp());
    add("bmp/Title.bmp", MakeTitleBmp());
    add("bmp/GameMode.bmp", MakeGameModeBmp());
    add("bmp/Accessory.bmp", MakeAccessoryBmp());
    add("bmp/Symbol.bmp", MakeSymbolBmp(16, 16));
    add("bmp/Word.bmp", MakeWordBmp());
    add("bmp/WorldMapChip.bmp", MakeWorldMapChipBmp());
    add("bmp/WorldEvent.bmp", MakeWorldEventBmp());
    add("bmp/WorldBack.bmp", MakeWorldBackBmp());
    add(kBackSky, MakeSkyBmp());
    add(kBackHills, MakeHillsBmp());
    add(kBackCave, MakeCaveBmp());
    add(kBackCastle, MakeCastleBmp());
    add(kBackNight, MakeNightBmp());
    add(kEffectFiles[0], MakeEffectStrip(0, 8, 32));
    add(kEffectFiles[1], MakeEffectStrip(1, 4, 32));
    add(kEffectFiles[2], MakeEffectStrip(2, 6, 32));
    add(kEffectFiles[3], MakeEffectStrip(3, 6, 32));
    add(kSwordFiles[0], MakeSwordSheet(false));
    add(kSwordFiles[1], MakeSwordSheet(true));
    add(kPictureFiles[0], MakeBannerBmp());
    add(kPictureFiles[1], MakeElderBmp());
    add(kBossFile, MakeBossBmp());
    return out;
}

}  // namespace sample
