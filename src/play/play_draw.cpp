// One picture of the play screen, composed into the back buffer in a fixed
// order: backgrounds, blocks, the stage's objects, front layers, pictures,
// running effects, messages, the screen effect, the status strip, the timer,
// the hint line and the screen colour change. Entries of the picture, effect
// and message lists whose drawing reports their end are removed here, so
// nothing ages while the picture is drawn frozen.
#include "actors/chara_draw.h"
#include "actors/chara_lookup.h"
#include "database/blink_colors.h"
#include "database/common_bitmaps.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "play/draw/background_draw.h"
#include "play/draw/block_draw.h"
#include "play/draw/status_draw.h"
#include "play/effect_instance.h"
#include "play/message/message.h"
#include "play/play_scene.h"
#include "scene/editor_notice.h"
#include "stage/stage_data.h"
#include "world/block_grid.h"

namespace {

constexpr int SHOT_SHEET_A = CB_BLANK_FIRST, SHOT_SHEET_B = CB_BLANK_FIRST + 1;
constexpr int SHOT_PIECE = 16, SHOT_COLUMNS = 8, SHOT_ROWS = 30;

PLAYSCROLLVIEW ScrollView(const cPlayScene& s) {
    return PLAYSCROLLVIEW{s.World.ScrollX.dPos, s.World.ScrollY.dPos, s.World.ScrollX.nMargin, s.World.ScrollY.nMargin};
}

BLOCKGRIDVIEW GridView(cPlayScene& s) {
    BLOCKGRIDVIEW g;
    g.nCols = s.World.ScrollX.nCells;
    g.nRows = s.World.ScrollY.nCells;
    g.nPitchShift = s.World.ScrollX.nPitchShift;
    g.fnCell = [](int cell) -> const cBlockData* {
        return cell >= 0 && static_cast<size_t>(cell) < BlockGrid.size() ? &BlockGrid.data()[cell] : nullptr;
    };
    g.fnDedicated = [&s](int index) -> DDSURFACEDATA* {
        const size_t head = static_cast<size_t>(index) * CHARABMP_SURFACES;
        return index >= 0 && head < s.DedicatedBmp.vSurface.size() ? &s.DedicatedBmp.vSurface.data()[head]
                                                                         : nullptr;
    };
    return g;
}

// What the characters, items and shots draw with in this picture.
CHARADRAW CharaDrawView(cPlayScene& s, DDSURFACEDATA* dst, int32_t frozen) {
    CHARADRAW d;
    d.lpDst = dst;
    d.bFrozen = frozen;
    d.CharaBmp = SURFACETABLE{&s.DedicatedBmp.vSurface, CHARABMP_SURFACES};
    d.SwordBmp = SURFACETABLE{&s.SwordBmp.vSurface, SWORD_SURFACES};
    d.lpSightMask = &s.SightMask;
    d.Blink[0] = BlinkColors[0];
    d.Blink[1] = BlinkColors[1];
    d.dScrollX = s.World.ScrollX.dPos;
    d.dScrollY = s.World.ScrollY.dPos;
    return d;
}

PICTUREVIEW PictureView(const cPlayScene& s) {
    PICTUREVIEW v;
    v.dScrollX = s.World.ScrollX.dPos;
    v.dScrollY = s.World.ScrollY.dPos;
    v.nScrollBaseX = s.World.ScrollX.nMargin;
    v.nScrollBaseY = s.World.ScrollY.nMargin;
    v.FindCharaCentre = [](int32_t id, double& cx, double& cy) {
        const cChara* c = FindCharaById(id, lpWorld);
        if (!c) return false;
        cx = c->x + c->nHitW / 2.0;
        cy = c->y + c->nHitH / 2.0;
        return true;
    };
    return v;
}

MESSAGEVIEW MessageView(const cPlayScene& s) {
    MESSAGEVIEW v;
    v.dScrollX = s.World.ScrollX.dPos;
    v.dScrollY = s.World.ScrollY.dPos;
    v.nMarginX = s.World.ScrollX.nMargin;
    v.nMarginY = s.World.ScrollY.nMargin;
    v.nFrameCount = s.nFrameCount;
    v.FindChara = [](int id, MESSAGECHARA* out) {
        const cChara* c = FindCharaById(id, lpWorld);
        if (!c) return false;
        *out = MESSAGECHARA{c->x, c->y, c->nCellOffX, c->nCellOffY, c->nCellW, c->nCellH};
        return true;
    };
    v.DrawIcon16 = DrawIcon16;
    return v;
}

PLAYSTATUS StatusView(cPlayScene& s) {
    PLAYSTATUS st;
    st.bStatusBar = s.bStatusBar;
    s.GetRunTotals(st.nTotalScore, st.nStageScore, st.nLives);
    if (const cPlayer* h = s.World.Hero()) {
        st.nHp = h->hp, st.nHpMax = h->data.nMaxHP;
        st.nSp = h->sp, st.nSpMax = h->data.nMaxSP;
    }
    st.bTimerHidden = s.bTimerHidden;
    st.nStageTime = s.World.nStageTime;
    st.nWarnTime = PlayStage.nStatusDisplay;
    return st;
}

}  // namespace

void cPlayScene::RebuildShotSheets() {
    const int sheets[2] = {SHOT_SHEET_A, SHOT_SHEET_B};
    const int pictures[2] = {CB_SHOT, CB_SHOT_MIRROR};
    for (int n = 0; n < 2; ++n) {
        DDSURFACEDATA* sheet = &CommonSurfaces[sheets[n]];
        if (!sheet->HasSurface()) continue;
        DDClearSurface(sheet, 0);
        // Each 16 x 16 piece centred in a 32 x 32 cell.
        for (int row = 0; row < SHOT_ROWS; ++row)
            for (int k = 0; k < SHOT_COLUMNS; ++k)
                DDBlt(sheet, 8 + 32 * k, 8 + 32 * row, SHOT_PIECE, SHOT_PIECE, &CommonSurfaces[pictures[n]],
                      SHOT_PIECE * k, SHOT_PIECE * row, DDBLT_COLORKEY);
    }
}

void cPlayScene::Draw(int32_t inPlay, int32_t frozen, int32_t timerSound, int32_t showHint) {
    DDSURFACEDATA* dst = &BackBuffer;
    if (CommonSurfaces[SHOT_SHEET_A].bLost || CommonSurfaces[SHOT_SHEET_B].bLost) {
        RebuildShotSheets();
        CommonSurfaces[SHOT_SHEET_A].bLost = CommonSurfaces[SHOT_SHEET_B].bLost = 0;
    }
    if (ScrEffect.m_nId != 0) DDSelectBackBuffer(1);
    const PLAYSCROLLVIEW scroll = ScrollView(*this);
    StepLayerScroll(PlayStage.vBg, nState == PLAYSTATE_PAUSE);

    // The pause menu may hide the stage's objects.
    if (!inPlay && nState == PLAYSTATE_PAUSE && SystemData.bPauseEffect) {
        DrawBackgroundLayers(dst, PlayStage.vBg, scroll, 0);
        DrawBackgroundLayers(dst, PlayStage.vBg, scroll, 1);
        DrawColorChange(ColorChange, frozen);
        return;
    }

    const BLOCKGRIDVIEW grid = GridView(*this);
    // Opaque blocks over the whole screen hide the layers behind them.
    const bool covered = BlocksCoverScreen(dst, grid, scroll);
    if (!covered) DrawBackgroundLayers(dst, PlayStage.vBg, scroll, 0);
    const PICTUREVIEW pictures = PictureView(*this);
    Pictures.Draw(dst, 0, frozen, pictures);
    if (covered) DrawCoveringBlocks(dst, grid, scroll);
    else DrawBlocks(dst, grid, scroll, 0);
    const CHARADRAW charas = CharaDrawView(*this, dst, frozen);
    DrawObjects(charas);
    DrawBlocks(dst, grid, scroll, 1);
    DrawBackgroundLayers(dst, PlayStage.vBg, scroll, 1);
    DrawDistanceConds(dst, frozen);
    if (cPlayer* lpHero = World.Hero()) lpHero->DrawSightMask(charas);
    Pictures.Draw(dst, 1, frozen, pictures);

    DDBeginBatch(0);
    for (auto it = lstEffect.begin(); it != lstEffect.end();) {
        if (!*it || (*it)->Draw(dst, EffectBmp, World.ScrollX.dPos, World.ScrollY.dPos, frozen) == 1)
            it = lstEffect.erase(it);
        else ++it;
    }
    DDEndBatch();

    const MESSAGEVIEW messages = MessageView(*this);
    for (auto it = lstStageWork.begin(); it != lstStageWork.end();) {
        if (!*it || (*it)->DrawMessage(dst, frozen, messages) == 1) it = lstStageWork.erase(it);
        else ++it;
    }

    SCREFFECTSCENE scene;
    if (const cPlayer* h = World.Hero()) {
        scene.nCenterX = h->nScrLeft + h->nCellW / 2;
        scene.nCenterY = h->nScrTop + h->nCellH / 2;
    }
    scene.DrawBackgroundLayers = [&] {
        DrawBackgroundLayers(dst, PlayStage.vBg, scroll, 0);
        DrawBackgroundLayers(dst, PlayStage.vBg, scroll, 1);
    };
    DrawScreenEffect(ScrEffect, dst, frozen, ScrEffectCanvas, scene);

    const PLAYSTATUS status = StatusView(*this);
    DrawStatusBar(dst, status);
    DrawStageTimer(dst, status, timerSound);
    if (showHint == 1) DrawHintLine(dst, ShowsEndHint(), static_cast<int>(bEditorStart));
    UpdateBlinkColors();
    DrawColorChange(ColorChange, frozen);
    // The hero's death presentation ended in this picture: the scene takes
    // over once every list of the picture has been walked.
    if (bHeroDeathDone) {
        bHeroDeathDone = 0;
        HeroDeathOver();
    }
}
