#include "player/player_draw.h"

#include <algorithm>
#include <string>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/system_data.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_palette.h"
#include "platform/system/font_sjis.h"
#include "records/utility.h"

namespace {

const std::string& SysText(int i) {
    static const std::string empty;
    return i >= 0 && static_cast<size_t>(i) < SystemData.vText.size() ? SystemData.vText[i] : empty;
}

}  // namespace

void DrawSaveSlots(DDSURFACEDATA* dst, int x, int y, const cSafeVector<cSaveSlot>& slots, int top, int rows) {
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(dst, x, y, 320, 16 * rows);
    for (int k = 1; k < rows; ++k) DDFillRect(dst, x, y + 16 * k, 320, 1, 240);
    for (int k = 0; k < rows; ++k) {
        const int slot = top + k;
        if (slot < 0 || static_cast<size_t>(slot) >= slots.size()) break;
        font.DrawTextF(dst, x + 16, y + 16 * k, "%d", slot + 1);
        font.DrawText(dst, x + 64, y + 16 * k, MakeSlotText(slots[slot]).c_str());
    }
}

void DrawRankingTable(DDSURFACEDATA* dst, int x, int y, const cRankingList& list, int n, int g, int mark,
                      int bEnglish) {
    if (n < 0 || static_cast<size_t>(n) >= list.vRanking.size()) return;
    const cRanking& table = list.vRanking[n];
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(dst, x + 1, y + 1, 270, 350);
    const int symbols = font.SymbolsOn();
    if (bEnglish && SystemData.bFontSymbols) font.SetSymbolsOn(0);
    font.DrawTextF(dst, x, y, bEnglish ? "Ranking     %s" : "ランキング    %s", SysText(5 + n).c_str());
    font.SetSymbolsOn(symbols);
    const int rows = static_cast<int>(table.vRankData.size());
    int width = 8;
    if (n != RANK_TABLE_CLEAR_TIME) width = rows > 0 ? std::min(GetDigitNum(table.vRankData[0].nValue), 11) : 1;
    for (int i = 0; i < rows; ++i) {
        const cRankData& row = table.vRankData[i];
        if (!row.bUse) continue;
        const int ry = y + 16 * (i + 1);
        font.DrawTextF(dst, x + 16, ry, "%d", i + 1);
        font.DrawTextF(dst, x + 64, ry, "%s", row.strName.c_str());
        if (n == RANK_TABLE_CLEAR_TIME) {
            font.DrawTextF(dst, x + 144, ry, "%s", MakeTimeText(row.nValue).c_str());
        } else {
            const int d = GetDigitNum(row.nValue);
            font.DrawTextF(dst, x + (width - d + 9) * 16, ry, "%d", row.nValue);
        }
    }
    if (SystemData.CountEnabledItems(g) >= 2) {
        const std::string& hint = SysText(25);
        font.DrawText(dst, x + 136 - 8 * GetSjisCharCount(hint.c_str()), y + 16 * (rows + 1), hint.c_str());
    }
    if (mark != -1) DDBlt(dst, x, y + 16 * (mark + 1), 16, 16, &CommonSurfaces[CB_ACCESSORY], 16, 48, DDBLT_COLORKEY);
}
