// Drawing the story slot list.
#include "database/common_fonts.h"
#include "platform/graphics/dd_palette.h"
#include "player/save_data.h"

void DrawSlotList(DDSURFACEDATA* dst, int x, int y, const cSafeVector<cSaveSlot>& slots, int first, int rows) {
    Font& font = Fonts[FONT_MEDIUM];
    font.DrawBox(dst, x, y, 320, 16 * rows);
    const int count = static_cast<int>(slots.size());
    for (int k = 0; k < rows && first + k < count; ++k) {
        const int ry = y + 16 * k;
        if (k < rows - 1) DDFillRect(dst, x, ry + 15, 320, 1, 240);
        font.DrawTextF(dst, x + 16, ry, "%d", first + k + 1);
        font.DrawText(dst, x + 64, ry, MakeSlotText(slots[static_cast<size_t>(first + k)]).c_str());
    }
}
