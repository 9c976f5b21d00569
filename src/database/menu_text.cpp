#include "database/menu_text.h"

#include "database/system_data.h"
#include "platform/system/font_sjis.h"

int GetMenuCharCount(const std::string& text) { return GetSjisCharCount(text.c_str()); }

int cSystemData::CountEnabledItems(int type) const {
    const cGameTypeFlags& g = vGameTypeFlags[type];
    if (!g.bOn) return 0;
    int n = 0;
    for (uint8_t f : g.vFlag)
        if (f) ++n;
    return n;
}

int cSystemData::IsWithinLimit(int item, int value, int max) const {
    const cStatusItem& s = vStatusItem[item];
    if (s.bLimitPercent) {
        const double p = value * 100.0 / max;  // max 0 gives an infinity or a NaN: not within
        return static_cast<double>(s.nLimit) >= p ? 1 : 0;
    }
    return value <= s.nLimit ? 1 : 0;
}

int cSystemData::GetCenteredTextLeft(int x, int first, int n, int indent) const {
    int w = 0;
    for (int i = 0; i < n; ++i) {
        const int c = GetMenuCharCount(vText[first + i]);
        if (c > w) w = c;
    }
    return x - ((w + (indent ? 1 : 0)) * 16) / 2;
}

int cSystemData::GetCmdMenuLeft(int x, const std::vector<cCmd>& menu) {
    int w = 0;
    for (const cCmd& c : menu) {
        if (!c.nEnable) continue;
        const int n = GetMenuCharCount(c.strText);
        if (n > w) w = n;
    }
    if (w == 0) return x;
    return x - ((w + 1) * 16) / 2;
}

bool BuildMenuTextBox(const cSystemData& sys, int first, int n, int indent, MENUTEXTBOX& box) {
    box = MENUTEXTBOX();
    if (n <= 0) return false;  // a negative count has nothing to draw either
    int w = 0;
    for (int i = 0; i < n; ++i) {
        const std::string& t = sys.vText[first + i];
        const int c = GetMenuCharCount(t);
        if (c > w) w = c;
        if (indent) box.strText += ' ';
        box.strText += t;
        box.strText += '\n';
    }
    if (indent) ++w;
    box.nWidth = w * 16;
    box.nHeight = n * 16;
    return true;
}
