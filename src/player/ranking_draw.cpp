// Drawing one ranking table into the ranking panel.
#include <cstdio>
#include <string>

#include "database/common_fonts.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/system/font_sjis.h"
#include "player/ranking.h"

namespace {

int DigitCount(int v) {
    char text[16];
    return std::snprintf(text, sizeof text, "%d", v);
}

}  // namespace

void cRankingList::Draw(DDSURFACEDATA* dst, int x, int y, int n, int g, int bEnglish) const {
    if (n < 0 || n >= static_cast<int>(vRanking.size())) return;
    const cRanking& table = vRanking[static_cast<size_t>(n)];
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(dst, x + 1, y + 1, 270, 350);
    const size_t textNo = static_cast<size_t>(5 + n);
    const char* name = textNo < SystemData.vText.size() ? SystemData.vText[textNo].c_str() : "";
    if (bEnglish) {
        // Lower-case letters of the title would otherwise draw as symbol icons.
        const int symbols = font.SymbolsOn();
        if (GetSysSwitch(SystemData, eSysSwitch::EnglishRankingTitle)) font.SetSymbolsOn(0);
        font.DrawTextF(dst, x, y, "Ranking     %s", name);
        font.SetSymbolsOn(symbols);
    } else {
        font.DrawTextF(dst, x, y, "ランキング    %s", name);
    }
    const int rows = static_cast<int>(table.vRankData.size());
    int width = 8;
    if (n != RANK_TABLE_CLEAR_TIME) {
        width = rows > 0 ? DigitCount(table.vRankData[0].nValue) : 1;
        if (width > 11) width = 11;
    }
    for (int i = 0; i < rows; ++i) {
        const cRankData& row = table.vRankData[static_cast<size_t>(i)];
        if (!row.bUse) continue;
        const int ry = y + 16 * (i + 1);
        font.DrawTextF(dst, x + 16, ry, "%d", i + 1);
        font.DrawTextF(dst, x + 64, ry, "%s", row.strName.c_str());
        if (n == RANK_TABLE_CLEAR_TIME)
            font.DrawTextF(dst, x + 144, ry, "%s", MakeTimeText(row.nValue).c_str());
        else
            font.DrawTextF(dst, x + (width - DigitCount(row.nValue) + 9) * 16, ry, "%d", row.nValue);
    }
    if (SystemData.CountEnabledItems(g) >= 2 && SystemData.vText.size() > 25) {
        const std::string& hint = SystemData.vText[25];
        font.DrawText(dst, x + 136 - 8 * GetSjisCharCount(hint.c_str()), y + 16 * (rows + 1), hint.c_str());
    }
}
