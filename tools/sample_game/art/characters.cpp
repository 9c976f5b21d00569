// The character sheets: the hero, the enemies, the moving platform and the
// villager, each a column of fifteen 32 x 32 frames drawn facing right and
// stored facing left (the loader makes the mirrored twin).
#include <cmath>

#include "sample_game/art/sheets.h"

namespace sample {

namespace {

// What one frame of a walking figure does.
struct POSE {
    int bodyDy;    // body lowered by this many dots
    int footA;     // x offset of the front foot
    int footB;     // x offset of the back foot
    int liftA;     // front foot raised
    int liftB;
    int arm;       // 0 down, 1 forward, 2 up, 3 sword out, 4 sword raised
    bool hurt;
};

POSE HeroPose(int row) {
    switch (row) {
        case CROW_STAND: return {0, 2, -2, 0, 0, 0, false};
        case CROW_STAND2: return {1, 2, -2, 0, 0, 0, false};
        case 2: return {0, 4, -4, 0, 1, 0, false};
        case 3: return {1, 1, -1, 2, 0, 0, false};
        case 4: return {0, -4, 4, 1, 0, 0, false};
        case 5: return {1, -1, 1, 0, 2, 0, false};
        case CROW_JUMP: return {-1, 3, -3, 3, 1, 2, false};
        case CROW_FALL: return {0, 3, -2, 0, 2, 2, false};
        case CROW_ATTACK: return {0, 3, -3, 0, 0, 4, false};
        case 9: return {1, 5, -4, 0, 0, 3, false};
        case CROW_DAMAGE: return {1, -2, -5, 0, 1, 2, true};
        case CROW_CROUCH: return {5, 3, -3, 0, 0, 0, false};
        case CROW_CHEER: return {-1, 2, -2, 0, 0, 2, false};
        case CROW_SHOOT: return {0, 3, -3, 0, 0, 1, false};
        default: return {0, 2, -2, 0, 0, 0, false};
    }
}

// Draws into a 32 x 32 scratch cell facing right; the caller outlines and mirrors it.
void DrawHero(cCanvas& c, int row, eRamp tunic, eRamp cape) {
    if (row == CROW_DOWN) {
        // Lying on the ground, eyes closed.
        c.Box(6, 24, 16, 6, tunic);
        c.Ball(24, 26, 5, 4, R_SKIN, 2, 6);
        c.Rect(21, 22, 8, 3, Shade(R_HAIR, 3));
        c.Rect(2, 25, 5, 4, Shade(R_BROWN, 2));
        c.Line(24, 26, 26, 26, PAL_INK);
        return;
    }
    const POSE p = HeroPose(row);
    const int dy = p.bodyDy;
    // Cape behind the body.
    for (int j = 0; j < 11; ++j) c.Rect(9 - j / 4, 14 + dy + j, 5, 1, Shade(cape, j < 3 ? 5 : j < 7 ? 4 : 3));
    // Legs and boots.
    auto leg = [&](int fx, int lift, int shade) {
        const int x = 14 + fx, top = 23 + dy, bottom = 30 - lift;
        c.Rect(x, top, 3, bottom - top - 1, Shade(R_BLUE, shade - 1));
        c.Rect(x - 1, bottom - 2, 5, 3, Shade(R_BROWN, shade));
        c.Set(x + 3, bottom - 2, Shade(R_BROWN, shade + 2));
    };
    leg(p.footB, p.liftB, 2);
    // Tunic.
    c.Box(11, 14 + dy, 11, 10, tunic);
    c.Rect(11, 21 + dy, 11, 2, Shade(R_BROWN, 3));
    c.Set(16, 21 + dy, Shade(R_GOLD, 6));
    leg(p.footA, p.liftA, 4);
    // Head: face, hair, headband and the eye.
    c.Ball(17, 9 + dy, 6, 6, R_SKIN, 2, 7);
    c.Rect(11, 3 + dy, 11, 4, Shade(R_HAIR, 4));
    c.Rect(11, 4 + dy, 3, 7, Shade(R_HAIR, 3));
    c.Set(13, 3 + dy, Shade(R_HAIR, 6));
    c.Set(16, 3 + dy, Shade(R_HAIR, 6));
    c.Rect(11, 6 + dy, 12, 2, Shade(R_RED, 4));
    c.Rect(8, 7 + dy, 3, 1, Shade(R_RED, 3));
    if (p.hurt) {
        c.Line(19, 8 + dy, 21, 10 + dy, PAL_INK);
        c.Line(21, 8 + dy, 19, 10 + dy, PAL_INK);
    } else {
        c.Rect(20, 9 + dy, 1, 2, PAL_INK);
        c.Set(21, 12 + dy, Shade(R_SKIN, 2));
    }
    // Front arm and what it holds.
    switch (p.arm) {
        case 0: c.Rect(18, 15 + dy, 3, 6, Shade(R_SKIN, 4)); break;
        case 1:
            c.Rect(18, 16 + dy, 7, 3, Shade(R_SKIN, 4));
            c.Ball(26, 17 + dy, 2, 2, R_SKY, 3, 7);
            break;
        case 2: c.Rect(19, 9 + dy, 3, 7, Shade(R_SKIN, 4)); break;
        case 3:
            c.Rect(18, 16 + dy, 6, 3, Shade(R_SKIN, 4));
            c.Rect(23, 15 + dy, 2, 5, Shade(R_GOLD, 4));
            c.Rect(25, 16 + dy, 7, 2, Shade(R_STEEL, 6));
            c.Rect(25, 17 + dy, 7, 1, Shade(R_STEEL, 3));
            break;
        case 4:
            c.Rect(19, 9 + dy, 3, 7, Shade(R_SKIN, 4));
            c.Rect(18, 8 + dy, 5, 2, Shade(R_GOLD, 4));
            c.Rect(20, 1 + dy, 2, 7, Shade(R_STEEL, 6));
            c.Rect(21, 1 + dy, 1, 7, Shade(R_STEEL, 3));
            break;
    }
    if (row == CROW_CHEER) {
        c.Set(25, 3, Shade(R_YELLOW, 7));
        c.Set(27, 6, Shade(R_YELLOW, 6));
    }
}

void DrawSlime(cCanvas& c, int row, eRamp body) {
    int rx = 11, ry = 9, cy = 22;
    const int phase = row >= 2 && row <= 5 ? row - 2 : row == CROW_STAND2 ? 1 : 0;
    const int squash[4] = {0, 2, 0, -2};
    rx += squash[phase] / 2 + (row == CROW_JUMP ? -2 : row == CROW_FALL ? 2 : 0);
    ry -= squash[phase] + (row == CROW_JUMP ? -3 : row == CROW_FALL ? 2 : 0);
    cy = 31 - ry - (row == CROW_JUMP ? 3 : 0);
    if (row == CROW_DOWN) {
        c.Ball(16, 28, 13, 3, body, 1, 5);
        return;
    }
    c.Ball(16, cy, rx, ry, body, 1, 7);
    // Shine and eyes.
    c.Rect(10, cy - ry + 3, 3, 2, Shade(body, 7));
    const bool hurt = row == CROW_DAMAGE;
    for (int e : {18, 23}) {
        if (hurt) {
            c.Line(e - 1, cy - 3, e + 1, cy - 1, PAL_INK);
        } else {
            c.Rect(e - 1, cy - 4, 3, 4, PAL_WHITE);
            c.Rect(e, cy - 3, 2, 3, PAL_INK);
        }
    }
    if (row == CROW_ATTACK || row == 9) c.Rect(18, cy + 2, 6, 2, Shade(R_RED, 2));
}

void DrawMushling(cCanvas& c, int row, eRamp cap) {
    if (row == CROW_DOWN) {
        c.Ball(16, 27, 12, 4, cap, 1, 5);
        c.Rect(10, 29, 12, 2, Shade(R_SAND, 4));
        return;
    }
    const int step = row >= 2 && row <= 5 ? row - 2 : 0;
    const int bob = (step & 1) + (row == CROW_STAND2 ? 1 : 0);
    const int lf[4] = {2, 0, -2, 0};
    // Feet.
    c.Rect(11 + lf[step], 28, 5, 3, Shade(R_BROWN, 2));
    c.Rect(18 - lf[step], 28, 5, 3, Shade(R_BROWN, 3));
    // Stem with a face.
    c.Box(10, 16 + bob, 13, 12, R_SAND, 5);
    const bool hurt = row == CROW_DAMAGE;
    c.Rect(17, 19 + bob, 2, hurt ? 1 : 3, PAL_INK);
    c.Rect(21, 19 + bob, 2, hurt ? 1 : 3, PAL_INK);
    c.Rect(18, 25 + bob, 4, 1, Shade(R_BROWN, 2));
    // Cap with spots.
    c.Ball(16, 13 + bob, 14, 9, cap, 2, 7);
    c.Rect(2, 14 + bob, 28, 3, PAL_KEY);
    c.Disc(11, 8 + bob, 2, 2, Shade(R_SAND, 7));
    c.Disc(20, 6 + bob, 3, 2, Shade(R_SAND, 7));
    c.Disc(25, 11 + bob, 1, 1, Shade(R_SAND, 6));
}

void DrawBat(cCanvas& c, int row, eRamp body) {
    const int flap = (row + (row >= 2 && row <= 5 ? 0 : 1)) & 3;
    const int wingY[4] = {-6, -1, 4, -1};
    const int cy = row == CROW_DOWN ? 26 : 15 + (flap == 2 ? 1 : 0);
    if (row == CROW_DOWN) {
        c.Ball(16, 27, 6, 4, body, 1, 4);
        c.Rect(6, 28, 20, 2, Shade(body, 2));
        return;
    }
    for (int side : {-1, 1}) {
        const int tipX = 16 + side * 14, tipY = cy + wingY[flap];
        for (int k = 0; k < 8; ++k) {
            const int x = 16 + side * (4 + k * 10 / 8);
            const int y = cy - 1 + (tipY - cy) * k / 8;
            c.Rect(side < 0 ? x - 1 : x, y, 2, 5 - k / 3, Shade(body, 2 + (k & 1)));
        }
        c.Set(tipX, tipY, Shade(body, 1));
    }
    c.Ball(16, cy, 6, 6, body, 1, 6);
    c.Rect(12, cy - 8, 2, 3, Shade(body, 4));
    c.Rect(19, cy - 8, 2, 3, Shade(body, 4));
    const bool hurt = row == CROW_DAMAGE;
    c.Rect(14, cy - 2, 2, 2, hurt ? uint8_t{PAL_INK} : Shade(R_YELLOW, 7));
    c.Rect(18, cy - 2, 2, 2, hurt ? uint8_t{PAL_INK} : Shade(R_YELLOW, 7));
    c.Set(15, cy + 3, PAL_WHITE);
    c.Set(18, cy + 3, PAL_WHITE);
}

void DrawCannon(cCanvas& c, int row) {
    const int recoil = row == CROW_ATTACK || row == CROW_SHOOT ? -2 : row == 9 ? -1 : 0;
    if (row == CROW_DOWN) {
        c.Box(6, 24, 20, 7, R_STEEL, 2);
        c.Rect(8, 22, 4, 2, Shade(R_ORANGE, 5));
        return;
    }
    // Base, barrel and the muzzle.
    c.Box(7, 22, 18, 9, R_BROWN, 3);
    c.Ball(16, 18, 8, 7, R_STEEL, 1, 6);
    c.Box(18 + recoil, 14, 12, 7, R_STEEL, 4);
    c.Rect(29 + recoil, 13, 2, 9, Shade(R_STEEL, 2));
    c.Rect(13, 15, 3, 3, row == CROW_DAMAGE ? Shade(R_RED, 6) : Shade(R_YELLOW, 6));
    c.Disc(10, 29, 3, 2, Shade(R_STONE, 2));
    c.Disc(22, 29, 3, 2, Shade(R_STONE, 2));
    if (row == CROW_SHOOT) c.Ball(31, 17, 2, 3, R_ORANGE, 4, 7);
}

void DrawGhost(cCanvas& c, int row, eRamp body) {
    const int bob = (row & 3) == 1 ? 1 : (row & 3) == 3 ? -1 : 0;
    if (row == CROW_DOWN) {
        c.Ball(16, 26, 10, 5, body, 2, 6);
        return;
    }
    c.Ball(16, 14 + bob, 11, 11, body, 2, 7);
    c.Rect(5, 15 + bob, 23, 9, Shade(body, 5));
    for (int i = 0; i < 5; ++i) {
        const int x = 5 + i * 5 + ((row + i) & 1);
        c.Disc(x + 2, 25 + bob + (i & 1), 2, 3, Shade(body, 4));
    }
    const bool angry = row == CROW_ATTACK || row == 9;
    c.Rect(17, 10 + bob, 3, angry ? 3 : 5, PAL_INK);
    c.Rect(23, 10 + bob, 3, angry ? 3 : 5, PAL_INK);
    if (row == CROW_DAMAGE) c.Rect(17, 11 + bob, 9, 2, Shade(R_RED, 4));
    c.Rect(19, 18 + bob, 5, angry ? 3 : 2, Shade(R_NIGHT, 2));
    c.Rect(7, 12 + bob, 4, 3, Shade(body, 6));
}

void DrawKnight(cCanvas& c, int row, eRamp armour) {
    POSE p = HeroPose(row == CROW_DOWN ? 0 : row);
    const int dy = p.bodyDy;
    if (row == CROW_DOWN) {
        c.Box(4, 24, 24, 7, armour, 3);
        c.Rect(24, 22, 5, 3, Shade(R_RED, 4));
        return;
    }
    auto leg = [&](int fx, int lift, int shade) {
        c.Rect(14 + fx, 23 + dy, 4, 7 - lift - dy, Shade(armour, shade));
        c.Rect(13 + fx, 28 - lift, 6, 3, Shade(R_NIGHT, 2 + shade / 2));
    };
    leg(p.footB, p.liftB, 2);
    c.Box(10, 13 + dy, 13, 11, armour, 4);
    c.Rect(10, 20 + dy, 13, 2, Shade(R_RED, 3));
    leg(p.footA, p.liftA, 4);
    // Helmet with a visor slit and a plume.
    c.Ball(16, 8 + dy, 7, 7, armour, 2, 7);
    c.Rect(15, 7 + dy, 8, 2, PAL_INK);
    c.Rect(20, 7 + dy, 2, 1, Shade(R_RED, 6));
    for (int k = 0; k < 6; ++k) c.Rect(9 - k / 2, 1 + dy + k, 4, 1, Shade(R_RED, 5 - k / 2));
    // Shield at the back, spear in front.
    c.Ball(10, 17 + dy, 3, 5, R_GOLD, 2, 6);
    const int reach = p.arm == 3 ? 6 : 0;
    c.Rect(18, 16 + dy, 5 + reach / 2, 3, Shade(armour, 5));
    c.Rect(18 + reach, 4 + dy + (reach ? 12 : 0), reach ? 13 : 2, reach ? 2 : 24, Shade(R_BROWN, 4));
    if (reach)
        c.Rect(30, 14 + dy, 2, 6, Shade(R_STEEL, 7));
    else
        c.Rect(17, 1 + dy, 4, 4, Shade(R_STEEL, 7));
}

void DrawGolem(cCanvas& c, int row) {
    const int dy = row >= 2 && row <= 5 ? (row & 1) : row == CROW_STAND2 ? 1 : 0;
    if (row == CROW_DOWN) {
        c.Ball(10, 27, 6, 4, R_STONE, 1, 5);
        c.Ball(22, 28, 7, 3, R_STONE, 1, 4);
        c.Rect(16, 22, 6, 3, Shade(R_GOLD, 5));
        return;
    }
    c.Box(9, 27, 6, 4, R_STONE, 2);
    c.Box(18, 27, 6, 4, R_STONE, 3);
    c.Ball(16, 18 + dy, 12, 10, R_STONE, 1, 6);
    // Glowing eyes and cracks.
    const uint8_t eye = row == CROW_ATTACK || row == 9 ? Shade(R_RED, 7) : Shade(R_TEAL, 7);
    c.Rect(17, 14 + dy, 3, 3, eye);
    c.Rect(23, 14 + dy, 3, 3, eye);
    c.Line(8, 20 + dy, 12, 24 + dy, Shade(R_STONE, 1));
    c.Line(20, 22 + dy, 25, 21 + dy, Shade(R_STONE, 1));
    // Crown.
    for (int k = 0; k < 4; ++k) c.Rect(10 + k * 4, 5 + dy - (k & 1) * 2, 3, 5 + (k & 1) * 2, Shade(R_GOLD, 4 + (k & 1)));
    c.Rect(10, 8 + dy, 15, 2, Shade(R_GOLD, 3));
    c.Set(16, 8 + dy, Shade(R_RED, 6));
    // Fists.
    const int reach = row == 9 ? 5 : 0;
    c.Ball(26 + reach, 21 + dy, 4, 4, R_STONE, 2, 6);
    c.Ball(5, 22 + dy, 4, 4, R_STONE, 1, 4);
}

void DrawPlatform(cCanvas& c, int row) {
    // A floating raft of planks with metal caps; its propeller turns.
    c.Box(1, 2, 30, 10, R_BROWN, 4);
    for (int x = 8; x < 31; x += 8) c.Rect(x, 3, 1, 8, Shade(R_BROWN, 2));
    c.Box(0, 1, 4, 12, R_STEEL, 4);
    c.Box(28, 1, 4, 12, R_STEEL, 4);
    const int spin = row & 3;
    c.Rect(15, 12, 2, 4, Shade(R_STEEL, 3));
    const int w[4] = {12, 7, 2, 7};
    c.Rect(16 - w[spin] / 2, 16, w[spin], 2, Shade(R_STEEL, 5));
}

void DrawVillager(cCanvas& c, int row) {
    const int dy = row == CROW_STAND2 ? 1 : 0;
    c.Box(10, 14 + dy, 12, 17 - dy, R_GREEN, 4);
    c.Rect(10, 26, 12, 1, Shade(R_GREEN, 2));
    c.Ball(16, 9 + dy, 6, 6, R_SKIN, 2, 7);
    c.Rect(10, 2 + dy, 13, 4, Shade(R_SAND, 5));
    c.Rect(8, 5 + dy, 17, 2, Shade(R_SAND, 4));
    c.Rect(19, 9 + dy, 1, 2, PAL_INK);
    c.Rect(17, 12 + dy, 3, 1, Shade(R_RED, 3));
    c.Rect(20, 16 + dy, 2, 10, Shade(R_BROWN, 4));
    c.Rect(20, 4 + dy, 2, 12, Shade(R_BROWN, 4));
}

}  // namespace

void DrawCharacterCell(cCanvas& out, int x, int y, int graphic, int row) {
    cCanvas c(32, 32);
    switch (graphic) {
        case 0:
        case CG_HERO: DrawHero(c, row, R_BLUE, R_RED); break;
        case CG_SLIME: DrawSlime(c, row, R_GREEN); break;
        case CG_MUSHLING: DrawMushling(c, row, R_RED); break;
        case CG_BAT: DrawBat(c, row, R_PURPLE); break;
        case CG_CANNON: DrawCannon(c, row); break;
        case CG_GHOST: DrawGhost(c, row, R_ICE); break;
        case CG_KNIGHT: DrawKnight(c, row, R_STEEL); break;
        case CG_GOLEM: DrawGolem(c, row); break;
        case CG_PLATFORM: DrawPlatform(c, row); break;
        case CG_VILLAGER: DrawVillager(c, row); break;
        case CG_RED_SLIME: DrawSlime(c, row, R_RED); break;
        case CG_ICE_BAT: DrawBat(c, row, R_SKY); break;
        case CG_DARK_KNIGHT: DrawKnight(c, row, R_CASTLE); break;
        case CG_FIRE_GHOST: DrawGhost(c, row, R_ORANGE); break;
        default: {
            // The remaining columns: the hero in other colours, for a second player or a costume.
            static const eRamp tunics[] = {R_GREEN, R_PURPLE, R_TEAL, R_ORANGE, R_PINK, R_STONE};
            const eRamp t = tunics[graphic % 6];
            DrawHero(c, row, t, t == R_ORANGE ? R_PURPLE : R_GOLD);
            break;
        }
    }
    c.Outline(0, 0, 32, 32);
    // Stored facing left.
    out.BlitMirror(c, 0, 0, 32, 32, x, y);
}

cCanvas MakeCharacterSheet(int sheet) {
    // Twenty graphic columns of fifteen frames; sheet 2 holds graphics 20..39.
    cCanvas c(640, 480);
    for (int col = 0; col < 20; ++col) {
        int g = (sheet - 1) * 20 + col;
        if (sheet >= 3) g = col;  // the other sheets: the first sheet's characters recoloured
        for (int row = 0; row < CROW_NUM; ++row) DrawCharacterCell(c, col * 32, row * 32, sheet == 2 ? 15 + col : g, row);
    }
    if (sheet >= 3) {
        static const eRamp from[] = {R_BLUE, R_GREEN, R_RED, R_PURPLE, R_STEEL, R_ICE};
        static const eRamp to[] = {R_TEAL, R_ORANGE, R_PINK, R_SKY, R_GOLD, R_YELLOW};
        c.Recolour(0, 0, 640, 480, from[sheet % 6], to[sheet % 6]);
    }
    return c;
}

}  // namespace sample
