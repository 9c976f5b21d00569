#pragma once
// Every picture of the sample game: the common sheets and the pictures that
// the database lists and the stages name. Paths are relative to the game
// folder, with forward slashes.
#include <string>
#include <vector>

#include "sample_game/art/canvas.h"

namespace sample {

struct PICTURE {
    std::string strPath;
    cCanvas Canvas;
};

// Rows of a character column (one column per graphic number, 32 x 32 cells).
enum eCharaRow {
    CROW_STAND = 0, CROW_STAND2 = 1, CROW_WALK = 2,  // walking: rows 2..5
    CROW_JUMP = 6, CROW_FALL = 7, CROW_ATTACK = 8,   // attack: rows 8, 9
    CROW_DAMAGE = 10, CROW_DOWN = 11, CROW_CROUCH = 12, CROW_CHEER = 13, CROW_SHOOT = 14,
    CROW_NUM = 15,
};

// Graphic numbers of the character sheets (column k of sheet 1 is graphic k).
enum eCharaGraphic {
    CG_HERO = 1, CG_SLIME = 2, CG_MUSHLING = 3, CG_BAT = 4, CG_CANNON = 5, CG_GHOST = 6, CG_KNIGHT = 7,
    CG_GOLEM = 8, CG_PLATFORM = 9, CG_VILLAGER = 10, CG_RED_SLIME = 11, CG_ICE_BAT = 12, CG_DARK_KNIGHT = 13,
    CG_FIRE_GHOST = 14,
};

// Block graphics (cell g of the block sheet: column g / 15, row g % 15).
enum eBlockGraphic {
    BG_GRASS = 1, BG_DIRT = 2, BG_STONE = 3, BG_BRICK = 4, BG_PLANK = 5, BG_SPIKES = 6, BG_PRIZE = 7,
    BG_ICE = 8, BG_CASTLE = 9, BG_CAVE = 10, BG_LAVA = 11, BG_WATER = 12, BG_LADDER = 13, BG_GOAL = 14,
    BG_DOOR = 15, BG_METAL = 16, BG_CRATE = 17, BG_CLOUD = 18, BG_GRASS_L = 19, BG_GRASS_R = 20,
    BG_BRIDGE = 21, BG_BELT_L = 22, BG_BELT_R = 23, BG_SPRING = 24, BG_CAVE_TOP = 25, BG_CASTLE_TOP = 26,
    BG_USED = 27, BG_FLAG_TOP = 28,
};

// Item graphics (cell g of the item sheet, laid out as the block sheet).
enum eItemGraphic {
    IG_COIN = 1,  // 1..4: the coin turning
    IG_HEART = 5, IG_KEY = 6, IG_GEM = 7, IG_STAR = 8, IG_POTION = 9, IG_ONE_UP = 10, IG_APPLE = 11,
    IG_CHEST = 12, IG_CLOCK = 13,
};

// Shot graphics (column g % 30, rows (g / 30) x 2 and the next: two frames).
enum eShotGraphic {
    SG_FIRE = 1, SG_ORB = 2, SG_ARROW = 3, SG_STAR = 4, SG_BULLET = 5, SG_ICE = 6, SG_LEAF = 7, SG_BOMB = 8,
    SG_ROCK = 9, SG_SPARK = 10,
};

// World-map chips (kind i shows picture i; 0..4 blocked, 5..9 open).
enum eMapChip { MC_WATER, MC_MOUNTAIN, MC_FOREST, MC_ROCK, MC_LAVA, MC_GRASS, MC_SAND, MC_ROAD, MC_BRIDGE, MC_SNOW };

// Files named by the database lists and the stages (relative, forward slashes).
inline constexpr const char* kBackSky = "bmp/back/sky.bmp";
inline constexpr const char* kBackHills = "bmp/back/hills.bmp";
inline constexpr const char* kBackCave = "bmp/back/cave.bmp";
inline constexpr const char* kBackCastle = "bmp/back/castle.bmp";
inline constexpr const char* kBackNight = "bmp/back/night.bmp";
inline constexpr const char* kEffectFiles[4] = {"bmp/effect/explosion.bmp", "bmp/effect/hit.bmp", "bmp/effect/smoke.bmp",
                                                "bmp/effect/sparkle.bmp"};
inline constexpr const char* kSwordFiles[2] = {"bmp/sword/sword.bmp", "bmp/sword/spear.bmp"};
inline constexpr const char* kPictureFiles[2] = {"bmp/picture/banner.bmp", "bmp/picture/elder.bmp"};
inline constexpr const char* kBossFile = "bmp/chara_sp/golem_king.bmp";

// Draws one 32 x 32 cell of character `graphic` in frame row `row` at (x, y), facing left.
void DrawCharacterCell(cCanvas& c, int x, int y, int graphic, int row);

// Every picture, in a fixed order.
std::vector<PICTURE> MakeAllPictures();

// Single pictures (also used by the contact sheet and the tests).
cCanvas MakeCharacterSheet(int sheet);
cCanvas MakeBlockSheet();
cCanvas MakeItemSheet();
cCanvas MakeItemMiniSheet(const cCanvas& items);
cCanvas MakeShotSheet();
cCanvas MakeMarkSheet();
// Effect strips: kind 0 explosion, 1 hit spark, 2 smoke, 3 sparkle; `cells` cells of size x size.
cCanvas MakeEffectStrip(int kind, int cells, int size);
// Four 32 x 32 frames of a sword swing, or of a spear thrust.
cCanvas MakeSwordSheet(bool spear);

}  // namespace sample
