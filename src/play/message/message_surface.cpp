#include "play/message/message_surface.h"

#include <iterator>

#include "database/common_fonts.h"
#include "platform/graphics/dd_init.h"
#include "platform/graphics/dd_palette.h"
#include "platform/system/sysreport.h"
#include "play/message/message.h"
#include "records/services.h"

std::list<DDSURFACEDATA> lstMessageSurface;
std::list<DDSURFACEINFO> lstMessageSurfaceInfo;

void ClearMessageData() {
    DDReleaseSurfaceList(lstMessageSurface);
    lstMessageSurface.clear();
    lstMessageSurfaceInfo.clear();
}

int MessageSurfaceIndex(const DDSURFACEDATA* surface) {
    int index = 0;
    for (const DDSURFACEDATA& sd : lstMessageSurface) {
        if (&sd == surface) return index;
        ++index;
    }
    return index;
}

void cMessage::CreateMessageSurface() { CreateMessageSurfaceAt(static_cast<int>(lstMessageSurface.size())); }

void cMessage::CreateMessageSurfaceAt(int index) {
    // Under DirectDraw a window goes to system memory when video memory runs low.
    uint32_t ddMemory = 0;
    if (!DDIsD3D()) {
        uint32_t total = 0, free = 0;
        DDGetVideoMemory(&total, &free);
        if (total && free * 100 / total < 20) ddMemory = 1;
    }
    const int count = static_cast<int>(lstMessageSurface.size());
    if (index > count) index = count;
    const bool ok = DDInsertSurfaceList(lstMessageSurface, lstMessageSurfaceInfo, index, nWidth, nHeight, 1, ddMemory,
                                        0, 0);
    lpSurface = nullptr;
    lpSurfaceInfo = nullptr;
    if (static_cast<int>(lstMessageSurface.size()) == count + 1 && index >= 0) {
        DDSURFACEDATA* sd = &*std::next(lstMessageSurface.begin(), index);
        DDSURFACEINFO* info = &*std::next(lstMessageSurfaceInfo.begin(), index);
        if (ok) {
            lpSurface = sd;
            lpSurfaceInfo = info;
        } else {
            // A record without pixels would stay in the list for no window.
            DDEraseSurfaceList(lstMessageSurface, lstMessageSurfaceInfo, sd);
        }
    }
    if (!ok) RecPostClose();
}

void cMessage::ReleaseSurface() {
    if (lpSurface) DDEraseSurfaceList(lstMessageSurface, lstMessageSurfaceInfo, lpSurface);
    lpSurface = nullptr;
    lpSurfaceInfo = nullptr;
}

void cMessage::DrawMessageText(DDSURFACEDATA* surface) const {
    if (!surface) return;
    DDClearSurface(surface, 0);
    Font& font = Fonts[FONT_MEDIUM];
    if (bWindow) font.DrawTextRect(surface, 1, 1, 0, 0, strText.c_str(), 0);
    else font.DrawText(surface, 1, 1, strText.c_str());
}
