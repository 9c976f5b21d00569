#pragma once
// Laying out short menus from the text table: widths are counted in
// characters (a Shift-JIS pair is one, a newline none), 16 pixels each.
// The helpers themselves are members of cSystemData (system_data.h).
#include <string>

class cSystemData;

// One block of text-table entries as MakeMenuText draws it.
struct MENUTEXTBOX {
    std::string strText;  // each entry followed by "\n" (" " before it when indented)
    int nWidth = 0;       // pixels: the widest entry (plus one for the indent) x 16
    int nHeight = 0;      // pixels: entries x 16
};

// Characters of a CP932 text for menu widths.
int GetMenuCharCount(const std::string& text);
// The block of entries first .. first + n - 1; false (nothing to draw) when n <= 0.
bool BuildMenuTextBox(const cSystemData& sys, int first, int n, int indent, MENUTEXTBOX& box);
