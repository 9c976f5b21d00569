#pragma once
// Drawing of characters: the picture of a frame (which sheet and cell, the
// mirrored sheet for a right-facing character), the character effect that
// transforms it, the small HP and SP gauges above a character, and the
// 16 x 16 icons of graphics.
#include <cstddef>
#include <cstdint>

#include "actors/chara_effect_run.h"
#include "database/blink_colors.h"
#include "platform/graphics/dd_surface.h"
#include "records/safe_container.h"

class cChara;
struct GAUGE;

// A table of the scene's surfaces in groups of nGroup (one group a sheet or
// sword type).
struct SURFACETABLE {
    cSafeVector<DDSURFACEDATA>* lpSurfaces = nullptr;  // null: an empty table
    int32_t nGroup = 1;

    // Surface k of group `group`, or null beyond the table.
    DDSURFACEDATA* At(std::size_t group, std::size_t k) const {
        const std::size_t index = group * static_cast<std::size_t>(nGroup) + k;
        return lpSurfaces && index < lpSurfaces->size() ? &lpSurfaces->data()[index] : nullptr;
    }
};

// What the scene hands the characters, items and shots to draw with, built
// once a picture: the surface drawn on, the frozen switch, the dedicated
// sheets and sword pictures, the hero's sight mask, the blinking colours of
// invincible characters and the scroll place.
struct CHARADRAW {
    DDSURFACEDATA* lpDst = nullptr;
    int32_t bFrozen = 0;               // nothing advances
    SURFACETABLE CharaBmp;             // the dedicated sheets
    SURFACETABLE SwordBmp;             // the sword pictures
    DDSURFACEDATA* lpSightMask = nullptr;
    BLINKCOLOR Blink[2];               // the hero's row, the other characters' row
    double dScrollX = 0, dScrollY = 0; // the stage dot at the screen's top-left
};

// Where the picture of one frame comes from.
struct CHARASRCRECT {
    DDSURFACEDATA* lpSrc = nullptr;     // null: nothing to draw
    DDSURFACEDATA* lpSrc2 = nullptr;    // the picture copied to a work surface (the same picture)
    DDSURFACEDATA* lpScaled = nullptr;  // a picture already drawn at a size factor (none here)
    int32_t bTint = 0;                  // draw with the two draw states below
    uint32_t dwDiffuse = 0xFFFFFFFF;
    uint32_t dwColorOp = 4;
    int32_t bScaled = 0;
    int32_t nScaleFactor = 1;           // factor of lpScaled
    int32_t nSrcX = 0, nSrcY = 0;
    int32_t nWidth = 32, nHeight = 32;
};

// Where and how large a character is drawn on the screen.
struct CHARAPLACE {
    int32_t nX = 0, nY = 0;        // screen top-left of the drawn cell
    int32_t nWidth = 32, nHeight = 32;
    int32_t nBaseWidth = 32, nBaseHeight = 32;
    int32_t nSize = 1;             // size factor: 2 and more draw a giant
};

// Graphic sources of the definitions.
enum : int32_t { CHARASRC_BLOCK = 0, CHARASRC_CHARA = 1, CHARASRC_ITEM = 2, CHARASRC_SHOT = 3, CHARASRC_BMP = 4 };

// Fills rec with the picture of `frame` of a graphic (source, number, sub):
// the character source takes column `number` (the second sheet from 20 on)
// and row frame mod 15, from the mirrored twin of the sheet when facing is 1;
// the other sources take their graphic's cell advanced by `frame` (cell
// sub + frame of the context's dedicated sheet `number` for source 4).
// false (lpSrc null) for a cell outside its sheet.
bool CalcCharaSrcRect(const CHARADRAW& draw, CHARASRCRECT& rec, int32_t source, int32_t number, int32_t sub,
                      int32_t facing, int32_t frame);
// A graphic's 32 x 32 cell shrunk to 16 x 16 at (x, y) (the item and message icons).
void DrawIcon16(DDSURFACEDATA* dst, int x, int y, int source, int number, int sub);

// Draws the frame through the run's current look (plain drawing without an
// effect) when bDraw is 1, and advances the run unless frozen; 1 when the
// effect has ended (never while frozen).
int32_t DrawCharaEffect(cCharaEffectRun& run, const CHARADRAW& draw, const CHARASRCRECT& rec, const CHARAPLACE& place,
                        int bDraw);
// The frame drawn as the look asks (the effect's pixel work goes through the
// character work surface).
void DrawCharaLook(DDSURFACEDATA* dst, const CHARASRCRECT& rec, const CHARAPLACE& place, const CHARAEFFECTLOOK& look);

// One gauge (which 0 HP, 1 SP) of a character above its drawn cell while it
// has frames left and the character is not dying; the frame counts down and
// the change strip shrinks unless frozen.
void DrawCharaGauge(cChara& chara, const CHARADRAW& draw, GAUGE& gauge, int which);

// One frame of a character: its animation stepped (unless frozen), its
// screen rectangle brought up to date, its picture and place.
void CharaFrame(cChara& chara, const CHARADRAW& draw, CHARASRCRECT& rec, CHARAPLACE& place);

// Releases the character work surface (tests, end of play).
void ResetCharaDrawWork();
