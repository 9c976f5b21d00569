#include "play/draw/status_draw.h"

#include <algorithm>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/system_data.h"
#include "database/system_sounds.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/fx_strip.h"
#include "platform/system/font_sjis.h"
#include "platform/system/timer.h"
#include "records/utility.h"

namespace {

enum : int { ITEM_TOTAL = 0, ITEM_STAGE = 1, ITEM_HP = 2, ITEM_SP = 3, ITEM_LIVES = 4, ITEM_NUM = 5 };
constexpr int GAUGE_W = 50, GAUGE_H = 16, ICON = 16, CHAR_W = 16;
constexpr int ITEM_Y = 3;

// Item i of the settings, or null when it is not shown (or the settings hold fewer items).
const cStatusItem* ShownItem(int i) {
    if (i >= static_cast<int>(SystemData.vStatusItem.size())) return nullptr;
    const cStatusItem& s = SystemData.vStatusItem[i];
    return s.bShow ? &s : nullptr;
}

int LabelWidth(const cStatusItem& s) {
    return s.bIcon ? ICON : GetSjisCharCount(s.strLabel.c_str()) * CHAR_W;
}

int ItemWidth(int i, const cStatusItem& s) {
    return LabelWidth(s) + (i == ITEM_HP || i == ITEM_SP ? GAUGE_W : std::max(s.nDigit, 0) * CHAR_W);
}

DDSURFACEDATA* Accessory() { return &CommonSurfaces[CB_ACCESSORY]; }

// The label or the item's icon; returns x after it.
int DrawLabel(DDSURFACEDATA* dst, int i, const cStatusItem& s, int x) {
    if (s.bIcon) DDBlt(dst, x, ITEM_Y, ICON, ICON, Accessory(), ICON * i, 32, DDBLT_COLORKEY);
    else Fonts[FONT_MEDIUM].DrawTextF(dst, x, ITEM_Y, "%s", s.strLabel.c_str());
    return x + LabelWidth(s);
}

void DrawGauge(DDSURFACEDATA* dst, int i, const cStatusItem& s, int x, int value, int max) {
    x = DrawLabel(dst, i, s, x);
    const int sx = i == ITEM_HP ? 0 : 64;
    DDBlt(dst, x, ITEM_Y, GAUGE_W, GAUGE_H, Accessory(), sx, 128, DDBLT_COLORKEY);
    // A value outside 0..max never draws past the frame.
    const int fill = max > 0 ? std::clamp(static_cast<int>(int64_t{value} * GAUGE_W / max), 0, GAUGE_W) : 0;
    const int row = SystemData.IsWithinLimit(i, value, max) ? 160 : 144;
    if (fill > 0) DDBlt(dst, x, ITEM_Y, fill, GAUGE_H, Accessory(), sx, row, DDBLT_COLORKEY);
    if (s.nCompat204) Fonts[FONT_SMALL].DrawTextF(dst, x + 2, 6, "%d", value);
}

void DrawNumberItem(DDSURFACEDATA* dst, int i, const cStatusItem& s, int x, int value) {
    const bool dash = i == ITEM_LIVES && value == UNLIMITED_LIVES;
    if (s.bIcon) {
        x = DrawLabel(dst, i, s, x);
        if (dash) Fonts[FONT_MEDIUM].DrawText(dst, x, ITEM_Y, "-");
        else Fonts[FONT_MEDIUM].DrawTextF(dst, x, ITEM_Y, "%d", value);
    } else if (dash) {
        Fonts[FONT_MEDIUM].DrawTextF(dst, x, ITEM_Y, "%s-", s.strLabel.c_str());
    } else {
        Fonts[FONT_MEDIUM].DrawTextF(dst, x, ITEM_Y, "%s%d", s.strLabel.c_str(), value);
    }
}

}  // namespace

void DrawStatusBar(DDSURFACEDATA* dst, const PLAYSTATUS& st) {
    if (!st.bStatusBar) return;
    int shown = 0, sum = 0;
    for (int i = 0; i < ITEM_NUM; ++i)
        if (const cStatusItem* s = ShownItem(i)) {
            ++shown;
            sum += ItemWidth(i, *s);
        }
    if (shown == 0) return;
    const int gap = (638 - sum) / (shown + 1);
    DDBlt(dst, 0, 0, 640, 20, &CommonSurfaces[CB_STATUS_WINDOW], 0, 0, DDBLT_COLORKEY);
    int x = gap;
    for (int i = 0; i < ITEM_NUM; ++i) {
        const cStatusItem* s = ShownItem(i);
        if (!s) continue;
        switch (i) {
        case ITEM_TOTAL: DrawNumberItem(dst, i, *s, x, st.nTotalScore); break;
        case ITEM_STAGE: DrawNumberItem(dst, i, *s, x, st.nStageScore); break;
        case ITEM_HP: DrawGauge(dst, i, *s, x, st.nHp, st.nHpMax); break;
        case ITEM_SP: DrawGauge(dst, i, *s, x, st.nSp, st.nSpMax); break;
        case ITEM_LIVES: DrawNumberItem(dst, i, *s, x, st.nLives); break;
        }
        x += ItemWidth(i, *s) + gap;
    }
}

void DrawStageTimer(DDSURFACEDATA* dst, const PLAYSTATUS& st, int timerSound) {
    if (st.bTimerHidden) return;
    DDDrawNumber(dst, 272, 24, 32, 32, &CommonSurfaces[CB_WORD], 0, 160, DDBLT_COLORKEY, st.nStageTime, 3, 1);
    if (st.nStageTime >= 1 && st.nStageTime <= st.nWarnTime && timerSound && TickCounter(2, 60))
        PlaySE(SE_TIMER_WARNING);
}

void DrawHintLine(DDSURFACEDATA* dst, int bEndHint, int bEditorStart) {
    const int text = bEndHint ? 27 : bEditorStart ? 26 : -1;
    if (text < 0 || text >= static_cast<int>(SystemData.vText.size())) return;
    const char* s = SystemData.vText[text].c_str();
    Fonts[FONT_MEDIUM].DrawText(dst, 320 - GetSjisCharCount(s) * 16 / 2, 456, s);
}
