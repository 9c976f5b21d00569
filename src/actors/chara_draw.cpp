#include "actors/chara_draw.h"

#include <algorithm>

#include "actors/chara.h"
#include "database/block_icon.h"
#include "database/common_bitmaps.h"
#include "database/system_data.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/graphics/dd_sprite_list.h"
#include "platform/graphics/fx_palette.h"
#include "platform/graphics/fx_pixel.h"
#include "platform/graphics/fx_strip.h"
#include "platform/graphics/fx_warp.h"

namespace {

constexpr int CELL = 32;
constexpr int CELLS_PER_COLUMN = 15;
constexpr int CHARA_COLUMNS = 20;  // graphic numbers per character sheet
constexpr int WORK_SIZE = 512;     // the character work surface: a giant of up to 16 cells

// Effect kinds.
enum : int32_t {
    FX_BURST = 1, FX_SPLIT_H, FX_SPLIT_V, FX_WAVE_H, FX_WAVE_V, FX_BLINK, FX_ROTATE_A, FX_ROTATE_B, FX_TURN,
    FX_CIRCLE, FX_GROW, FX_LENS, FX_COLOUR, FX_TRANSLUCENT, FX_MOSAIC, FX_BLUR,
};

DDSURFACEDATA g_Work;  // the character work surface

// The work surface for the back end and depth in force; null when it cannot be made.
DDSURFACEDATA* Work() {
    const DDFORMAT format = DDGetColorBit() == 8 ? DDFMT_INDEX8 : DDFMT_ARGB8888;
    const bool fits = g_Work.HasSurface() && !g_Work.bLost && g_Work.Surface.format == format &&
                      (g_Work.lpDT != nullptr) == DDIsD3D();
    if (fits) return &g_Work;
    DDReleaseSurface(&g_Work);
    if (!DDCreateSurface(&g_Work, WORK_SIZE, WORK_SIZE, 1, 1, DTMEMORYTYPE_VIDEO_NORT, 0, 0)) return nullptr;
    return &g_Work;
}

// Kinds whose pixel work reads the picture's pixels: always drawn from the work surface.
bool IsPixelKind(int32_t kind) {
    return kind == FX_ROTATE_A || kind == FX_ROTATE_B || kind == FX_COLOUR || kind == FX_TRANSLUCENT ||
           kind == FX_MOSAIC || kind == FX_BLUR || kind == FX_LENS;
}

// The frame as the effect reads it: the record's picture, or the work surface
// holding the frame at its drawn size.
struct FRAMESOURCE {
    DDSURFACEDATA* lpSrc = nullptr;
    int nX = 0, nY = 0, nW = 0, nH = 0;
};

// Copies the frame to (0, 0) of the work surface at the drawn size: opaque,
// so its transparent pixels stay transparent, and mirrored as its sheet is.
bool CopyFrameToWorkScaled(const CHARASRCRECT& rec, const CHARAPLACE& place, FRAMESOURCE& out) {
    DDSURFACEDATA* work = Work();
    if (!work || place.nWidth > WORK_SIZE || place.nHeight > WORK_SIZE) return false;
    DDSURFACEDATA* src = rec.lpSrc2 ? rec.lpSrc2 : rec.lpSrc;
    if (place.nWidth == rec.nWidth && place.nHeight == rec.nHeight) {
        const DDCOLORPAIR pair{rec.dwDiffuse, rec.dwColorOp};
        DDBltEx(work, 0, 0, rec.nWidth, rec.nHeight, src, rec.nSrcX, rec.nSrcY, DDBLT_COPY, rec.bTint ? &pair : nullptr);
    } else {
        DDStretchBlt(work, 0, 0, place.nWidth, place.nHeight, src, rec.nSrcX, rec.nSrcY, rec.nWidth, rec.nHeight,
                     DDBLT_COPY);
    }
    out = FRAMESOURCE{work, 0, 0, place.nWidth, place.nHeight};
    return true;
}

// Plain drawing of a frame source at the character's place (stretched when the sizes differ).
void DrawPlain(DDSURFACEDATA* dst, const FRAMESOURCE& s, const CHARAPLACE& p, const CHARASRCRECT& rec, bool direct,
               int flags = DDBLT_COLORKEY) {
    const DDCOLORPAIR pair{rec.dwDiffuse, rec.dwColorOp};
    const DDCOLORPAIR* tint = direct && rec.bTint ? &pair : nullptr;
    if (s.nW == p.nWidth && s.nH == p.nHeight) DDBltEx(dst, p.nX, p.nY, p.nWidth, p.nHeight, s.lpSrc, s.nX, s.nY, flags, tint);
    else DDBltColor(dst, p.nX, p.nY, p.nWidth, p.nHeight, s.lpSrc, s.nX, s.nY, s.nW, s.nH, flags, tint);
}

}  // namespace

bool CalcCharaSrcRect(const CHARADRAW& draw, CHARASRCRECT& rec, int32_t source, int32_t number, int32_t sub,
                      int32_t facing, int32_t frame) {
    rec = CHARASRCRECT{};
    frame = std::max(frame, 0);
    if (source == CHARASRC_CHARA) {
        // The sheets face left; the twin row after each sheet is its mirror in 32-dot columns.
        const int sheet = (number < CHARA_COLUMNS ? CB_CHARACTER1 : CB_CHARACTER1 + 2) + (facing == 1 ? 1 : 0);
        DDSURFACEDATA* sd = &CommonSurfaces[sheet];
        const int sx = number % CHARA_COLUMNS * CELL, sy = frame % CELLS_PER_COLUMN * CELL;
        const DDSURFACEDATA* pic = sd->lpViewSD ? sd->lpViewSD : sd;
        if (number < 0 || !pic->HasSurface() || sx + CELL > pic->nWidth || sy + CELL > pic->nHeight) return false;
        rec.lpSrc = rec.lpSrc2 = sd;
        rec.nSrcX = sx;
        rec.nSrcY = sy;
        return true;
    }
    DDSURFACEDATA* dedicated =
        source == CHARASRC_BMP ? draw.CharaBmp.At(static_cast<std::size_t>(std::max(number, 0)), 0) : nullptr;
    // The other sheets: the graphic's own cell advanced by the frame.
    const BLOCKGRAPHIC g = source == CHARASRC_BMP ? GetBlockGraphic(source, number, sub + frame, dedicated)
                                                  : GetBlockGraphic(source, number + frame, sub, dedicated);
    if (!g.lpSurface) return false;
    rec.lpSrc = rec.lpSrc2 = g.lpSurface;
    rec.nSrcX = g.nSrcX - g.nDx;
    rec.nSrcY = g.nSrcY - g.nDy;
    if (g.nDx != 0) {  // a 16-dot shot piece: drawn as its own size centred in the cell
        rec.nSrcX = g.nSrcX;
        rec.nSrcY = g.nSrcY;
        rec.nWidth = g.nWidth;
        rec.nHeight = g.nHeight;
    }
    return true;
}

void DrawIcon16(DDSURFACEDATA* dst, int x, int y, int source, int number, int sub) {
    const BLOCKGRAPHIC g = GetBlockGraphic(source, number, sub, nullptr);
    if (!g.lpSurface) return;
    DDStretchBlt(dst, x + g.nDx / 2, y + g.nDy / 2, g.nWidth / 2, g.nHeight / 2, g.lpSurface, g.nSrcX, g.nSrcY,
                 g.nWidth, g.nHeight, DDBLT_COLORKEY);
}

void DrawCharaLook(DDSURFACEDATA* dst, const CHARASRCRECT& rec, const CHARAPLACE& p, const CHARAEFFECTLOOK& look) {
    if (!rec.lpSrc || !look.bVisible) return;
    const int32_t kind = look.nKind;
    const int factor = std::max(p.nSize, 1);
    const bool direct = p.nWidth == rec.nWidth && p.nHeight == rec.nHeight;
    FRAMESOURCE s{rec.lpSrc, rec.nSrcX, rec.nSrcY, rec.nWidth, rec.nHeight};
    if (kind == 0 || kind == FX_BLINK || (kind == FX_TRANSLUCENT && !look.bTranslucent)) {
        DrawPlain(dst, s, p, rec, direct);
        return;
    }
    DDFlushSpriteList();  // the effects below may read the pixels drawn so far
    if ((!direct || IsPixelKind(kind)) && !CopyFrameToWorkScaled(rec, p, s)) {
        DrawPlain(dst, s, p, rec, direct);
        return;
    }
    const int x = p.nX, y = p.nY, w = p.nWidth, h = p.nHeight, v = look.nValue;
    const int key = DDBLT_COLORKEY;
    switch (kind) {
    case FX_BURST: DDBltQuarters(dst, x, y, w, h, s.lpSrc, s.nX, s.nY, v, key); break;
    case FX_SPLIT_H: DDBltStripShift(dst, x, y, w, h, look.StripSize(h), v, s.lpSrc, s.nX, s.nY, key, 0); break;
    case FX_SPLIT_V: DDBltStripShift(dst, x, y, w, h, look.StripSize(w), v, s.lpSrc, s.nX, s.nY, key, 1); break;
    case FX_WAVE_H:
    case FX_WAVE_V:
        DDBltWave(dst, x, y, w, h, look.nParam4, v, look.nPhase, look.nParam5 * factor, s.lpSrc, s.nX, s.nY, key,
                  kind == FX_WAVE_V ? 1 : 0);
        break;
    case FX_ROTATE_A:
    case FX_ROTATE_B: DDBltRotatePixel(dst, x + w / 2, y + h / 2, w, h, w / 2, h / 2, v, s.lpSrc, s.nX, s.nY, 1); break;
    case FX_TURN:
        DDBltTurn(dst, x, y, w, h, s.lpSrc, s.nX, s.nY, s.lpSrc, s.nX, s.nY, s.nW, s.nH, key, v, 0);
        break;
    case FX_CIRCLE:
        DDBltCircle(dst, x + w / 2, y + h / 2, w / 2, h / 2, v, std::max(look.nParam4 * factor, 1), s.lpSrc,
                    s.nX + s.nW / 2, s.nY + s.nH / 2, key);
        break;
    case FX_GROW: {
        const int grow = (v - CELL) * factor;
        DDStretchBlt(dst, x - grow / 2, y - grow / 2, w + grow, h + grow, s.lpSrc, s.nX, s.nY, s.nW, s.nH, key);
        break;
    }
    case FX_LENS: {
        // The frame, then the lens over it around the centre moved by the offsets.
        DrawPlain(dst, s, p, rec, false);
        const int cx = x + w / 2 + look.nParam4 * factor, cy = y + h / 2 + look.nParam5 * factor;
        DDBltLens(dst, cx, cy, std::max(w, h) / 2, v, dst, cx, cy, 0, 0);
        break;
    }
    case FX_COLOUR:
        DDBltBlendColor(dst, x, y, w, h, s.lpSrc, s.nX, s.nY, 1, DDBasePalette, DDHbtTable(), look.nParam4, v);
        break;
    case FX_TRANSLUCENT: DDBltPixelEffect(dst, x, y, w, h, s.lpSrc, s.nX, s.nY, 1, DDHbtTable()); break;
    case FX_MOSAIC: DDBltMosaic(dst, x, y, w, h, std::max(v, 1), s.lpSrc, s.nX, s.nY, 1); break;
    case FX_BLUR: DDBltBlur(dst, x, y, w, h, v, v, s.lpSrc, s.nX, s.nY, 1); break;
    default: DrawPlain(dst, s, p, rec, false); break;
    }
}

int32_t DrawCharaEffect(cCharaEffectRun& run, const CHARADRAW& draw, const CHARASRCRECT& rec, const CHARAPLACE& place,
                        int bDraw) {
    CHARAEFFECTLOOK look;
    const int32_t end = run.Frame(draw.bFrozen, &look);
    if (bDraw) DrawCharaLook(draw.lpDst, rec, place, look);
    return draw.bFrozen ? 0 : end;
}

void DrawCharaGauge(cChara& c, const CHARADRAW& draw, GAUGE& g, int which) {
    if (g.nTimer < 1 || c.dying) return;
    DDSURFACEDATA* dst = draw.lpDst;
    DDSURFACEDATA* acc = &CommonSurfaces[CB_ACCESSORY];
    const int x = c.nScrLeft + c.nCellW / 2 - GAUGE_WIDTH / 2, y = c.nScrTop - (which == 0 ? 3 : 7);
    const int sx = which == 0 ? 0 : 64;
    const bool tall = acc->nHeight >= 209;
    const int rowFrame = tall ? 208 : 128, rowFill = tall ? 210 : 144, rowWarn = tall ? 212 : 160;
    const int rowGain = tall ? 214 : 176, rowLoss = tall ? 216 : 192;
    const int value = which == 0 ? c.hp : c.sp, max = which == 0 ? c.data.nMaxHP : c.data.nMaxSP;
    const int fill = std::clamp(g.nFill, 0, GAUGE_WIDTH);
    DDBlt(dst, x, y, GAUGE_WIDTH, 2, acc, sx, rowFrame, DDBLT_COLORKEY);
    const int warn = SystemData.IsWithinLimit(which == 0 ? 2 : 3, value, max);
    DDBlt(dst, x, y, fill, 2, acc, sx, warn ? rowWarn : rowFill, DDBLT_COLORKEY);
    // The change: a gain marks the end of the fill it added, a loss the strip beyond the fill it took.
    if (g.dChange >= 0) {
        const int n = static_cast<int>(g.dChange);
        DDBlt(dst, x + fill - n, y, n, 2, acc, sx, rowLoss, DDBLT_COLORKEY);
    } else {
        DDBlt(dst, x + fill, y, static_cast<int>(-g.dChange), 2, acc, sx, rowGain, DDBLT_COLORKEY);
    }
    if (draw.bFrozen) return;
    --g.nTimer;
    if (g.nTimer >= GAUGE_FADE_FRAMES) g.dChange -= g.dStep;
    else g.dChange = 0;
}

void ResetCharaDrawWork() { DDReleaseSurface(&g_Work); }
