#include "play/message/message.h"

#include "play/message/message_text.h"

cMessage::cMessage(int kind, const std::string* text, int iconKind, int iconFrame, int iconExtra, int posMode,
                   int cellX, int cellY, int offsetX, int offsetY, int keepInside, int fixed, int displayEnd,
                   int frames, int countWhileFrozen, int charaId, int chained, int expand, int refresh,
                   int refreshInterval, int window, int useId, int messageId) {
    OpenMessage(kind, text, iconKind, iconFrame, iconExtra, posMode, cellX, cellY, offsetX, offsetY, keepInside,
                fixed, displayEnd, frames, countWhileFrozen, charaId, chained, expand, refresh, refreshInterval,
                window, useId, messageId, 0);
}

void cMessage::OpenMessage(int kind, const std::string* text, int iconKind, int iconFrame, int iconExtra,
                           int posMode, int cellX, int cellY, int offsetX, int offsetY, int keepInside, int fixed,
                           int displayEnd, int frames, int countWhileFrozen, int charaId, int chained, int expand,
                           int refresh, int refreshInterval, int window, int useId, int messageId,
                           int keepSurface) {
    nKind = kind;
    if (text) strText = strSource = *text;
    nIconKind = iconKind;
    nIconFrame = iconFrame;
    nIconExtra = iconExtra;
    nPosMode = posMode;
    nCellX = cellX;
    nCellY = cellY;
    nOffsetX = offsetX;
    nOffsetY = offsetY;
    bKeepInside = keepInside;
    bFixed = fixed;
    nDisplayEnd = displayEnd;
    nFramesLeft = frames;
    bCountWhileFrozen = countWhileFrozen;
    nCharaID = charaId;
    bExpand = expand;
    bRefresh = refresh;
    nRefreshInterval = refreshInterval;
    bWindow = window;
    bUseID = useId;
    nMessageID = messageId;
    bAnchored = 0;

    if (bExpand) ExpandMessageText(strText);
    if (nKind == MESSAGE_TEXT) {
        LayoutMessageText(&nWidth, &nHeight, strText);
    } else if (nKind == MESSAGE_ITEM_ICON || nKind == MESSAGE_EXTRA_LIFE) {
        nWidth = nHeight = 16;
    }
    // A window opened while its flow still shows the previous one appears at once.
    bOpening = nDisplayEnd == MESEND_KEY && !chained;
    dOpenCount = 0;

    if (nKind == MESSAGE_TEXT) {
        if (!keepSurface) {
            ReleaseSurface();  // an entry opened again gives up its old window
            CreateMessageSurface();
        }
        DrawMessageText(lpSurface);
    } else {
        ReleaseSurface();
    }
}
