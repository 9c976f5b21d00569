// Drawing a block of text-table entries as a framed box.
#include "database/menu_text.h"
#include "database/system_data.h"
#include "platform/text/font.h"

void cSystemData::MakeMenuText(DDSURFACEDATA* surface, Font& font, int x, int y, int first, int n,
                               int indent) const {
    MENUTEXTBOX box;
    if (!BuildMenuTextBox(*this, first, n, indent, box)) return;
    // The size is given, so the box is not measured from the text.
    font.DrawTextBoxF(surface, x, y, box.nWidth, box.nHeight, "%s", box.strText.c_str());
}
