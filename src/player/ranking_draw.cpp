// Drawing one ranking table into the ranking panel.
#include <algorithm>
#include <string>

#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/graphics/dd_blit.h"
#include "platform/system/font_sjis.h"
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
