// Drawing a message entry each frame: its countdown, the refresh of its
// text, its place on the screen, the keep-inside rule and the picture of
// each kind (the opening box of a text window, the rising icons).
#include "database/common_bitmaps.h"
#include "database/common_fonts.h"
#include "platform/graphics/dd_blit.h"
#include "play/message/message.h"
#include "play/message/message_surface.h"
#include "play/message/message_text.h"

namespace {

// The icons rise by one dot every four of their 30 frames.
int IconRise(int framesLeft) { return (30 - framesLeft) >> 2; }

}  // namespace

int cMessage::DrawMessage(DDSURFACEDATA* dst, int frozen, const MESSAGEVIEW& view) {
    if (nDisplayEnd == MESEND_TIME && (bCountWhileFrozen || !frozen)) {
        if (--nFramesLeft < 0) {
            ReleaseSurface();
            return 1;
        }
    }
    if (bRefresh && nRefreshInterval && view.nFrameCount % nRefreshInterval == 0 && nKind == MESSAGE_TEXT &&
        bExpand)
        RefreshText();

    int x = 0, y = 0;
    if (!Place(view, &x, &y)) {
        // The followed character is gone: the entry ends with it, whatever its kind.
        ReleaseSurface();
        return 1;
    }
    if (bKeepInside) {
        if (x < 0) x = 0;
        else if (x + nWidth >= 639) x = 640 - nWidth;
        if (y < 20) y = 20;  // below the status bar
        else if (y + nHeight >= 479) y = 480 - nHeight;
    }

    switch (nKind) {
    case MESSAGE_EXTRA_LIFE:
        DDBlt(dst, x, y - IconRise(nFramesLeft), 16, 16, &CommonSurfaces[CB_ACCESSORY], 0, 48, DDBLT_COLORKEY);
        break;
    case MESSAGE_ITEM_ICON:
        if (view.DrawIcon16) view.DrawIcon16(dst, x, y - IconRise(nFramesLeft), nIconKind, nIconFrame, nIconExtra);
        break;
    case MESSAGE_TEXT:
        DrawWindow(dst, x, y);
        break;
    default:
        break;
    }
    return 0;
}

void cMessage::RefreshText() {
    std::string text = strSource;
    ExpandMessageText(text);
    if (text == strText) return;
    strText.swap(text);
    int w = 0, h = 0;
    LayoutMessageText(&w, &h, strText);
    if (w != nWidth || h != nHeight || !lpSurface) {
        nWidth = w;
        nHeight = h;
        const int index = MessageSurfaceIndex(lpSurface);
        ReleaseSurface();
        CreateMessageSurfaceAt(index);
    }
    DrawMessageText(lpSurface);
}

bool cMessage::Place(const MESSAGEVIEW& view, int* px, int* py) {
    const int w = nWidth, h = nHeight;
    int x = 0, y = 0;
    switch (nPosMode) {
    case MESPOS_SELF_ABOVE:
    case MESPOS_SELF_BELOW:
    case MESPOS_SELF_CENTRE:
    case MESPOS_HERO_ABOVE:
    case MESPOS_HERO_BELOW:
    case MESPOS_HERO_CENTRE: {
        MESSAGECHARA c;
        if (!view.FindChara || !view.FindChara(nCharaID, &c)) return false;
        const int sx = static_cast<int>(c.x - static_cast<int>(view.dScrollX));
        const int sy = static_cast<int>(c.y - static_cast<int>(view.dScrollY));
        x = sx - c.nCellOffsetX + (c.nCellWidth >> 1) - (w >> 1) + nOffsetX;
        const int top = sy - c.nCellOffsetY;
        if (nPosMode == MESPOS_SELF_ABOVE || nPosMode == MESPOS_HERO_ABOVE) y = top - h + nOffsetY;
        else if (nPosMode == MESPOS_SELF_BELOW || nPosMode == MESPOS_HERO_BELOW) y = top + c.nCellHeight + 1 + nOffsetY;
        else y = top + (c.nCellHeight >> 1) - (h >> 1) + nOffsetY;
        break;
    }
    case MESPOS_SCREEN:
        x = nCellX * 32 + nOffsetX;
        y = nCellY * 32 + nOffsetY;
        break;
    case MESPOS_STAGE:
        x = static_cast<int>((view.nMarginX + nCellX) * 32 + nOffsetX - view.dScrollX);
        y = static_cast<int>((view.nMarginY + nCellY) * 32 + nOffsetY - view.dScrollY);
        break;
    default:  // the screen's centre (also for a mode outside the list)
        x = nOffsetX - (w >> 1) + 320;
        y = nOffsetY - (h >> 1) + 240;
        break;
    }

    const bool screenMode = nPosMode == MESPOS_SCREEN || nPosMode == MESPOS_SCREEN_CENTRE ||
                            nPosMode < MESPOS_SCREEN_CENTRE || nPosMode > MESPOS_STAGE;
    if (screenMode && !bFixed) {
        // Stored as a stage position: the window scrolls with the stage.
        if (!bAnchored) {
            nAnchorX = static_cast<int>(view.dScrollX + 0.5 + x);
            nAnchorY = static_cast<int>(view.dScrollY + 0.5 + y);
            bAnchored = 1;
        } else {
            x = static_cast<int>(nAnchorX - (view.dScrollX - 0.5));
            y = static_cast<int>(nAnchorY - (view.dScrollY - 0.5));
        }
    } else if (!screenMode && bFixed) {
        // Stays where it first appeared on the screen.
        if (!bAnchored) {
            nAnchorX = x;
            nAnchorY = y;
            bAnchored = 1;
        } else {
            x = nAnchorX;
            y = nAnchorY;
        }
    }
    *px = x;
    *py = y;
    return true;
}

void cMessage::DrawWindow(DDSURFACEDATA* dst, int x, int y) {
    if (!lpSurface) return;  // its surface could not be made
    if (lpSurface->bLost) {
        DrawMessageText(lpSurface);
        lpSurface->bLost = 0;
    }
    if (strText.empty()) return;
    if (bOpening && dOpenCount < 10.0) {
        dOpenCount += 1.0;
        const double s = dOpenCount * 0.1;
        if (dOpenCount < 10.0) {
            // A box growing from the window's centre; a window without a box shows nothing yet.
            if (bWindow) {
                const int hw = nWidth >> 1, hh = nHeight >> 1;
                Fonts[FONT_MEDIUM].DrawBox(dst, static_cast<int>((x + hw) - hw * s), static_cast<int>((y + hh) - hh * s),
                                           static_cast<int>(nWidth * s), static_cast<int>(nHeight * s));
            }
            return;
        }
    }
    DDBlt(dst, x, y, nWidth, nHeight, lpSurface, 0, 0, DDBLT_COLORKEY);
}
