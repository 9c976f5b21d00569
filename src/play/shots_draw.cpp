// Shots and swords on the play screen. A shot shows one 16 x 16 piece of the
// shot picture of its facing; a sword shows the sheet rectangle of its
// current frame from the stage's sword pictures.
#include "play/shots_draw.h"

#include "actors/chara_draw.h"
#include "actors/shot.h"
#include "database/common_bitmaps.h"
#include "database/database.h"
#include "database/sword_type.h"
#include "platform/graphics/dd_blit.h"

namespace {

constexpr int32_t SHOT_PIECE = 16;        // a shot picture's piece
constexpr int32_t SHOT_SHEET_COLUMNS = 30; // graphic numbers per row pair of the shot picture

// Blits (sx, sy, w, h) of src at the object's screen position, stretched to
// its scaled cell size at scale 2 or more.
void DrawCell(const cShot& s, DDSURFACEDATA* dst, DDSURFACEDATA* src, int32_t sx, int32_t sy, int32_t w, int32_t h) {
    if (s.nScale >= 2)
        DDStretchBlt(dst, s.nScrLeft, s.nScrTop, s.nCellW, s.nCellH, src, sx, sy, w, h, DDBLT_COLORKEY);
    else
        DDBlt(dst, s.nScrLeft, s.nScrTop, w, h, src, sx, sy, DDBLT_COLORKEY);
}

void DrawSword(const cShot& s, const CHARADRAW& draw) {
    const auto& types = Database.vSwordType;
    if (s.nSwordType < 0 || s.nSwordType >= static_cast<int32_t>(types.size())) return;
    const auto& frames = types.data()[s.nSwordType].vFrame;
    if (s.nSwordFrame < 0 || s.nSwordFrame >= static_cast<int32_t>(frames.size())) return;
    const int32_t* v = frames[static_cast<size_t>(s.nSwordFrame)].nValue;
    const int32_t facing = s.nFacing ? 1 : 0;
    // Four surfaces per sword type: the scale-1 pair, then the pair for larger scales.
    DDSURFACEDATA* src = draw.SwordBmp.At(static_cast<size_t>(s.nSwordType), (s.nScale >= 2 ? 2 : 0) + facing);
    if (!src) return;
    DrawCell(s, draw.lpDst, src, v[SWORDFRAME_SHEET_X], v[SWORDFRAME_SHEET_Y], v[SWORDFRAME_WIDTH],
             v[SWORDFRAME_HEIGHT]);
}

}  // namespace

void cShot::Draw(const CHARADRAW& draw) {
    if (settings.nByte22) return;  // hidden
    if (!bFlying) {
        DrawSword(*this, draw);
        return;
    }
    int32_t frame = draw.bFrozen ? Anime.GetFrame() : Anime.Step();
    if (frame < 0) frame = 0;
    const int32_t g = MapAltGraphic(settings.nGraphic, 1);
    if (g < 0) return;
    DDSURFACEDATA* sheet = &CommonSurfaces[CB_SHOT + (nFacing ? 1 : 0)];
    DrawCell(*this, draw.lpDst, sheet, g % SHOT_SHEET_COLUMNS * SHOT_PIECE,
             (g / SHOT_SHEET_COLUMNS * 2 + frame) * SHOT_PIECE, SHOT_PIECE, SHOT_PIECE);
}

void DrawShots(const CHARADRAW& draw, const std::vector<cShot*>& shots) {
    DDBeginBatch(0);
    for (cShot* s : shots) {
        s->UpdateScreenRect();
        s->Draw(draw);
    }
    DDEndBatch();
}
