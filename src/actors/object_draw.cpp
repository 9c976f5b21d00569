// The drawing members of the characters and items.
#include <algorithm>

#include "actors/chara_draw.h"
#include "actors/item.h"
#include "actors/player.h"
#include "actors/stage_chara.h"
#include "database/common_bitmaps.h"
#include "database/database.h"
#include "database/database_work.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/fx_strip.h"

namespace {

constexpr int ICON_SIZE = 32;           // the carried item's cell, drawn as a 16 x 16 icon
constexpr int ICON_SHOW_FROM = 64;      // counts 64..95 show it
constexpr int ICON_PERIOD = 96;
constexpr int HIGHLIGHT_CELL = 32;
constexpr int HIGHLIGHT_PER_COLUMN = 15;

CHARAPLACE PlaceOf(const cGameObject& o) {
    CHARAPLACE p;
    p.nX = o.nScrLeft;
    p.nY = o.nScrTop;
    p.nWidth = o.nCellW;
    p.nHeight = o.nCellH;
    p.nBaseWidth = o.nBaseCellW;
    p.nBaseHeight = o.nBaseCellH;
    p.nSize = std::max(o.nScale, 1);
    return p;
}

// An invincible character is drawn through the blinking colour of its kind
// (the hero's row brightens, the others' row darkens); the tint is a
// Direct3D draw state, so the DirectDraw rules draw it plain.
void BlinkWhileInvincible(const cChara& c, const CHARADRAW& draw, CHARASRCRECT& rec) {
    if (!c.IsInvincible() || !rec.lpSrc) return;
    rec.bTint = 1;
    const BLINKCOLOR& blink = draw.Blink[c.nKind == 0 ? 0 : 1];
    rec.dwDiffuse = blink.dwColor;
    rec.dwColorOp = blink.dwBlend;
}

}  // namespace

int32_t cChara::FrameRow() const {
    if (data.wAnimeSet >= Database.vAnimeSet.size()) return 0;
    const cAnimeSetData& set = Database.vAnimeSet[data.wAnimeSet];
    int32_t row = 0;
    if (data.byFlying != 0) row += set.nOffsetC;
    if (data.byInvincible != 0) row += set.nOffsetA;
    return row;
}

void CharaFrame(cChara& c, const CHARADRAW& draw, CHARASRCRECT& rec, CHARAPLACE& place) {
    const int32_t frame = c.StepAnime(draw.bFrozen);
    c.UpdateScreenRect();
    CalcCharaSrcRect(draw, rec, c.data.byGraphicKind, c.data.wGraphic, c.data.wGraphicSub, c.nFacing,
                     frame + c.FrameRow());
    BlinkWhileInvincible(c, draw, rec);
    place = PlaceOf(c);
}

int32_t cChara::StepAnime(int32_t bPaused) {
    int32_t frame = bPaused ? Anime.GetFrame() : Anime.Step();
    int32_t fewest = 0;
    bool overridden = false;
    for (auto it = overlays.begin(); it != overlays.end();) {
        const int32_t f = bPaused ? it->Cursor.GetFrame() : it->Cursor.Step();
        if (!bPaused) {
            if (f == FRAMEITEM_END) {
                it = overlays.erase(it);
                continue;
            }
            if (it->nRemain > 0) --it->nRemain;
        }
        if (it->bOverride && (!overridden || it->nRemain < fewest)) {
            overridden = true;
            fewest = it->nRemain;
            frame = f;
        }
        ++it;
    }
    return frame;
}

void cChara::Draw(const CHARADRAW& draw) {
    CHARASRCRECT rec;
    CHARAPLACE place;
    CharaFrame(*this, draw, rec, place);
    if (data.bTransparent) return;
    if (DrawCharaEffect(effect, draw, rec, place, 1) == 1) effect.Reset();
}

void cChara::DrawHpGauge(const CHARADRAW& draw) { DrawCharaGauge(*this, draw, hpGauge, 0); }
void cChara::DrawSpGauge(const CHARADRAW& draw) { DrawCharaGauge(*this, draw, spGauge, 1); }

void cPlayer::Draw(const CHARADRAW& draw) {
    cChara::Draw(draw);
    DDSURFACEDATA* dst = draw.lpDst;
    const int sx = nScrLeft + nCellOffX, sy = nScrTop + nCellOffY;  // the position on the screen
    for (const GUIDERECT& g : guides) {
        int x = sx + g.nLeft, y = sy + g.nTop;
        if (g.nAnchor == 1) x += nBoxX, y += nBoxY;
        else if (g.nAnchor == 2) x += box2.nOffX, y += box2.nOffY;
        else if (g.nAnchor == 3) x += box3.nOffX, y += box3.nOffY;
        if (g.nStyle == 1) DDFillRect(dst, x, y, g.nWidth, g.nHeight, static_cast<uint32_t>(g.nColour));
        else if (g.nStyle == 2) DDDrawFrame(dst, x, y, g.nWidth, g.nHeight, 1, static_cast<uint32_t>(g.nColour));
    }
}

void cStageChara::DrawCarriedItemIcon(const CHARADRAW& draw) {
    if (!item.IsSet() || hp <= 0 || dying || data.bTransparent) return;
    if (nIconCounter >= ICON_SHOW_FROM && nIconCounter < ICON_PERIOD)
        DrawIcon16(draw.lpDst, nScrLeft + nCellW / 2 - ICON_SIZE / 4, nScrTop - ICON_SIZE / 2, item.data.byGraphicKind,
                   item.data.wGraphic, item.data.wGraphicSub);
    if (draw.bFrozen) return;
    if (++nIconCounter >= ICON_PERIOD) nIconCounter = 0;
}

void cItem::Draw(const CHARADRAW& draw) {
    if (data.bHidden) return;
    const int32_t frame = draw.bFrozen ? Anime.GetFrame() : Anime.Step();
    CHARASRCRECT rec;
    CalcCharaSrcRect(draw, rec, data.byGraphicKind, data.wGraphic, data.wGraphicSub, 0, frame);
    const CHARAPLACE place = PlaceOf(*this);
    DDSURFACEDATA* dst = draw.lpDst;
    DrawCharaLook(dst, rec, place, CHARAEFFECTLOOK{});
    if (bHighlight != 1) return;
    // The highlight frame: cells run down a column of 15 of the common sheet.
    DDSURFACEDATA* sheet = &CommonSurfaces[CB_MARK];
    const int sx = nHighlightCount / HIGHLIGHT_PER_COLUMN * HIGHLIGHT_CELL;
    const int sy = nHighlightCount % HIGHLIGHT_PER_COLUMN * HIGHLIGHT_CELL;
    if (place.nSize >= 2)
        DDStretchBlt(dst, place.nX, place.nY, HIGHLIGHT_CELL * place.nSize, HIGHLIGHT_CELL * place.nSize, sheet, sx, sy,
                     HIGHLIGHT_CELL, HIGHLIGHT_CELL, DDBLT_COLORKEY);
    else DDBlt(dst, place.nX, place.nY, HIGHLIGHT_CELL, HIGHLIGHT_CELL, sheet, sx, sy, DDBLT_COLORKEY);
}
