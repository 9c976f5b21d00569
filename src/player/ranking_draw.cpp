// Drawing a ranking table into the ranking panel, and the results panel
// after play.
#include <algorithm>
#include <string>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/graphics/dd_blit.h"
#include "platform/system/font_sjis.h"
#include "player/rank_rules.h"
#include "player/ranking.h"
#include "records/utility.h"

namespace {

const std::string& SysText(size_t i) {
    static const std::string empty;
    return i < SystemData.vText.size() ? SystemData.vText[i] : empty;
}

}  // namespace

void cRankingList::Draw(DDSURFACEDATA* dst, int x, int y, int n, int mark, int g, int bEnglish) const {
    if (n < 0 || n >= static_cast<int>(vRanking.size())) return;
    const cRanking& table = vRanking[static_cast<size_t>(n)];
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(dst, x + 1, y + 1, 270, 350);
    const std::string& name = SysText(static_cast<size_t>(5 + n));
    if (bEnglish) {
        // Lower-case letters of the title would otherwise draw as symbol icons.
        const int symbols = font.SymbolsOn();
        if (GetSysSwitch(SystemData, eSysSwitch::EnglishRankingTitle)) font.SetSymbolsOn(0);
        font.DrawTextF(dst, x, y, "Ranking     %s", name.c_str());
        font.SetSymbolsOn(symbols);
    } else {
        font.DrawTextF(dst, x, y, "ランキング    %s", name.c_str());
    }
    const int rows = static_cast<int>(table.vRankData.size());
    int width = 8;
    if (n != RANK_TABLE_CLEAR_TIME) width = rows > 0 ? std::min(GetDigitNum(table.vRankData[0].nValue), 11) : 1;
    for (int i = 0; i < rows; ++i) {
        const cRankData& row = table.vRankData[static_cast<size_t>(i)];
        if (!row.bUse) continue;
        const int ry = y + 16 * (i + 1);
        font.DrawTextF(dst, x + 16, ry, "%d", i + 1);
        font.DrawTextF(dst, x + 64, ry, "%s", row.strName.c_str());
        if (n == RANK_TABLE_CLEAR_TIME)
            font.DrawTextF(dst, x + 144, ry, "%s", MakeTimeText(row.nValue).c_str());
        else
            font.DrawTextF(dst, x + (width - GetDigitNum(row.nValue) + 9) * 16, ry, "%d", row.nValue);
    }
    if (SystemData.CountEnabledItems(g) >= 2) {
        const std::string& hint = SysText(25);
        font.DrawText(dst, x + 136 - 8 * GetSjisCharCount(hint.c_str()), y + 16 * (rows + 1), hint.c_str());
    }
    if (mark != -1) DDBlt(dst, x, y + 16 * (mark + 1), 16, 16, &CommonSurfaces[CB_ACCESSORY], 16, 48, DDBLT_COLORKEY);
}

void DrawResultRanking(DDSURFACEDATA* dst, int x, int y, int g, const cSafeVector<int32_t>& pos,
                       const cSafeVector<int32_t>& results) {
    if (pos.size() < RANK_TABLE_NUM || results.size() < RANK_TABLE_NUM) return;
    int shown[RANK_TABLE_NUM];
    int count = 0, nameWidth = 1, valueWidth = 1;
    for (int i = 0; i < RANK_TABLE_NUM; ++i) {
        if (!IsResultRanked(g, i)) continue;
        const size_t k = static_cast<size_t>(i);
        shown[count++] = i;
        nameWidth = std::max(nameWidth, GetSjisCharCount(SysText(5 + k).c_str()));
        valueWidth = std::max(valueWidth, i == RANK_TABLE_CLEAR_TIME ? 8 : GetDigitNum(results[k]));
    }
    if (count == 0) return;
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(dst, x, y, (valueWidth + 3 + nameWidth) * 16, 16 * count);
    const int valueX = x + (nameWidth + 2) * 16;
    for (int line = 0; line < count; ++line) {
        const int i = shown[line];
        const size_t k = static_cast<size_t>(i);
        const int ly = y + 16 * line;
        font.DrawTextF(dst, x + 16, ly, "%s", SysText(5 + k).c_str());
        if (i == RANK_TABLE_CLEAR_TIME)
            font.DrawTextF(dst, valueX, ly, "%s", MakeTimeText(results[k]).c_str());
        else
            font.DrawTextF(dst, valueX + (valueWidth - GetDigitNum(results[k])) * 16, ly, "%d", results[k]);
    }
    int icon = 0;
    for (int i = 0; i < RANK_TABLE_NUM; ++i)
        if (pos[static_cast<size_t>(i)] != -1)
            DDBlt(dst, x, y + 16 * icon++, 16, 16, &CommonSurfaces[CB_ACCESSORY], 16, 48, DDBLT_COLORKEY);
}
