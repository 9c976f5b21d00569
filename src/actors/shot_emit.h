#pragma once
// Emission of shots and placement of summoned objects: direction codes
// resolved by the shooter's facing, volleys, and the six formations that
// lay objects out around the shooter, at the edge of the view or on a ring.
//
// Angles are degrees, 0° pointing left, 90° up, 180° right, 270° down; a
// velocity along θ at speed v is (−cos θ · v, −sin θ · v). Settings are
// written for a left-facing character and mirrored for a right-facing one.
#include <cstdint>

#include "actors/shot.h"

class cChara;
class cFlowRun;
class cWorldState;

// Command codes that emit or place objects.
enum eSpawnCode : int32_t { SPAWN_SHOT = 11, SPAWN_SWORD = 12, SPAWN_BLOCK = 13, SPAWN_CHARA = 14, SPAWN_ITEM = 15 };
// Resolved direction codes.
enum eShotDir : int32_t {
    SHOTDIR_FRONT = 0, SHOTDIR_BACK = 1, SHOTDIR_LEFT = 2, SHOTDIR_RIGHT = 3, SHOTDIR_FRONT_Y = 4, SHOTDIR_BACK_Y = 5,
    SHOTDIR_UP = 6, SHOTDIR_DOWN = 7, SHOTDIR_UP_LEFT = 8, SHOTDIR_DOWN_LEFT = 9, SHOTDIR_UP_RIGHT = 10,
    SHOTDIR_DOWN_RIGHT = 11, SHOTDIR_INPUT = 12,
};
// Formations (member 2 of the settings).
enum eFormation : int32_t {
    FORMATION_ROW = 0, FORMATION_COLUMN = 1, FORMATION_FAN = 2, FORMATION_STRIKE = 3, FORMATION_BURST = 4,
    FORMATION_RING = 5,
};

// The work record of one volley, filled by the emitter and the formation.
struct SHOTWORK {
    int32_t nCode = SPAWN_SHOT;  // what SpawnFromFormation makes
    int32_t nVolley = 0;
    double dSpeed = 0;           // dots per frame
    double dAngle = 0;           // volley angle from the settings
    int32_t nRange = 0;          // flight distance, half blocks
    int32_t nLife = 0;           // lifetime, tenths of a second
    double dOfsX = 0;            // volley offset
    double dOfsY = 0;
    int32_t nDir = SHOTDIR_LEFT; // resolved direction code
    int32_t nW = 16;             // size of one object
    int32_t nH = 16;
    double dVelX = 0;            // velocity and position of the next object
    double dVelY = 0;
    double dPosX = 0;
    double dPosY = 0;
    double dObjAngle = 0;        // angle of the next object
    int32_t nFlowId = 0;         // id of the flow that fires a shot (0 none)
};

// The direction `code` resolved for a shooter facing `facing` (0 left, 1
// right); `startDir` is the direction pattern held when the flow started.
int32_t ResolveShotDirection(int32_t code, int32_t facing, int32_t startDir);
// Base angle of a resolved direction (0 for codes without one).
double DirectionAngle(int32_t dir);
// The shooter's drawn rectangle in grid dots: left, top, right, bottom.
void CharaStageRect(const cChara& chara, int32_t rect[4]);

// Fires every volley of a ショット command into `list` (the shot list of
// `world`).
void FireShot(SHOTLIST& list, cChara& chara, const cFlowRun* lpFlow, const cEdShot& settings, cWorldState* world);
// Lays one volley out in `world` with the settings' formation; an unknown
// formation places nothing.
void RunFormation(SHOTLIST* lpList, cChara& chara, const cEdShot& settings, SHOTWORK& work, cWorldState* world);
// Makes the object of work.nCode at the work record's position in `world`.
void SpawnFromFormation(SHOTLIST* lpList, SHOTWORK& work, cChara& chara, const cEdShot& settings, cWorldState* world);
// The summon side of SpawnFromFormation (codes 13 to 15); nothing without a world.
void SpawnSummoned(const SHOTWORK& work, cChara& chara, const cEdShot& settings, cWorldState* world);
