// The ranges of the characters' distance conditions, drawn over the stage
// as translucent areas that pulse with a 32-frame counter: bands for the
// one-axis ranges, a disc for the circular one.
#include <algorithm>
#include <cmath>

#include "actors/chara.h"
#include "platform/graphics/dd_blit.h"
#include "play/play_scene.h"
#include "scene/editor_notice.h"
#include "stage/cond.h"
#include "stage/flow.h"

namespace {

constexpr int SCREEN_W = 640, SCREEN_H = 480;
constexpr int COND_DISTANCE = 7;
// Range display: 0 never, 1 always, 2 only in a test play started by the editor.
constexpr int SHOW_ALWAYS = 1, SHOW_TEST = 2;
constexpr int DISC_ROW = 2;  // rows of the disc drawn per span
// Colours by the condition's sense: within (0) and outside (1).
constexpr uint32_t RGB_WITHIN = 0x0040FF40u, RGB_OUTSIDE = 0x00FF4040u;

void Fill(DDSURFACEDATA* dst, double l, double t, double r, double b, uint32_t argb) {
    const int x0 = std::max(0, static_cast<int>(std::floor(l))), y0 = std::max(0, static_cast<int>(std::floor(t)));
    const int x1 = std::min(SCREEN_W, static_cast<int>(std::ceil(r))), y1 = std::min(SCREEN_H, static_cast<int>(std::ceil(b)));
    if (x1 > x0 && y1 > y0) DDDrawQuadRGB(dst, x0, y0, x1 - x0, y1 - y0, argb);
}

// One condition's range around character c at screen position (sx, sy).
void DrawDistanceRange(DDSURFACEDATA* dst, const cChara& c, double sx, double sy, const cEdCond& cond,
                       uint32_t alpha) {
    const double r = static_cast<double>(cond.nValue) * 16 + cond.nOpVarNum;
    if (r < 0) return;
    const uint32_t argb = (alpha << 24) | (cond.nCompare == 0 ? RGB_WITHIN : RGB_OUTSIDE);
    const bool bRight = c.nFacing == 1;
    const double w = c.nHitW, h = c.nHitH;
    switch (cond.nAxis) {
    case 0: Fill(dst, sx - r, 0, sx + w + r, SCREEN_H, argb); break;
    case 1: Fill(dst, bRight ? sx : sx - r, 0, bRight ? sx + w + r : sx + w, SCREEN_H, argb); break;
    case 2: Fill(dst, bRight ? sx - r : sx, 0, bRight ? sx + w : sx + w + r, SCREEN_H, argb); break;
    case 3: Fill(dst, 0, sy - r, SCREEN_W, sy + h + r, argb); break;
    case 4: Fill(dst, 0, bRight ? sy : sy - r, SCREEN_W, bRight ? sy + h + r : sy + h, argb); break;
    case 5: Fill(dst, 0, bRight ? sy - r : sy, SCREEN_W, bRight ? sy + h : sy + h + r, argb); break;
    case 6: {
        const double cx = sx + w / 2, cy = sy + h / 2;
        const int top = std::max(0, static_cast<int>(cy - r)), bottom = std::min(SCREEN_H, static_cast<int>(cy + r) + 1);
        for (int row = top; row < bottom; row += DISC_ROW) {
            const double dy = row + DISC_ROW / 2.0 - cy;
            if (std::fabs(dy) > r) continue;
            const double half = std::sqrt(r * r - dy * dy);
            Fill(dst, cx - half, row, cx + half, row + DISC_ROW, argb);
        }
        break;
    }
    default: break;
    }
}

bool Shown(const cEdCond& cond) {
    return cond.nKind == COND_DISTANCE &&
           (cond.nShowRange == SHOW_ALWAYS || (cond.nShowRange == SHOW_TEST && bEditorStart));
}

void DrawCharaRanges(DDSURFACEDATA* dst, const cChara& c, const cPlayScene& s, uint32_t alpha) {
    if (c.dying || c.data.bTransparent) return;
    const double sx = c.x - s.World.ScrollX.dPos, sy = c.y - s.World.ScrollY.dPos;
    for (size_t i = 0; i < c.flows.size(); ++i) {
        const cFlow* def = c.flows[i].def;
        if (!def || (def->bLatch && c.flows[i].condLatched)) continue;
        for (const cEdCond& cond : def->vCond)
            if (Shown(cond)) DrawDistanceRange(dst, c, sx, sy, cond, alpha);
    }
}

// Whether a character's flows show a range at all, looked at once a picture for each list of
// flow definitions (characters of one kind share theirs).
class cShownRanges {
public:
    bool Any(const cChara& c) {
        const cSafeVector<cFlow>* defs = &c.FlowDefs();
        for (int i = 0; i < nSeen; ++i)
            if (seen[i].defs == defs) return seen[i].bAny;
        bool any = false;
        for (const cFlow& flow : *defs)
            for (const cEdCond& cond : flow.vCond) any = any || Shown(cond);
        if (nSeen < SEEN_MAX) seen[nSeen++] = SEEN{defs, any};
        return any;
    }

private:
    static constexpr int SEEN_MAX = 16;
    struct SEEN {
        const cSafeVector<cFlow>* defs;
        bool bAny;
    };
    SEEN seen[SEEN_MAX];
    int nSeen = 0;
};

}  // namespace

void cPlayScene::DrawDistanceConds(DDSURFACEDATA* dst, int32_t frozen) {
    if (!frozen) nRangeFrame = (nRangeFrame + 1) & 31;
    // The fill rises and falls once per 32 frames.
    const uint32_t alpha = 40 + static_cast<uint32_t>(nRangeFrame < 16 ? nRangeFrame : 31 - nRangeFrame) * 3;
    cShownRanges shown;
    if (cPlayer* lpHero = World.Hero(); lpHero && shown.Any(*lpHero)) DrawCharaRanges(dst, *lpHero, *this, alpha);
    for (const cStageChara& c : World.lstStageChara)
        if (c.IsOnScreen() && shown.Any(c)) DrawCharaRanges(dst, c, *this, alpha);
}
