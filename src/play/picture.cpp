#include "play/picture.h"

#include <cmath>

#include "database/database.h"
#include "platform/graphics/dd_blit.h"
#include "platform/graphics/dd_init.h"
#include "platform/system/log.h"
#include "records/utility.h"

namespace {

// size x percent / 100, rounded half away from zero.
int32_t ScaleSize(int32_t size, int32_t percent) {
    return static_cast<int32_t>(std::llround(static_cast<double>(size) * percent / 100.0));
}

}  // namespace

void SetPicture(PICTUREENTRY& e, uint16_t id, int32_t base, int32_t cellX, int32_t cellY, int32_t offsetX,
                int32_t offsetY, int32_t pictureWidth, int32_t pictureHeight, int32_t hold, int32_t layer,
                int32_t scale, int32_t mode, int32_t frames, int32_t countWhileWaiting, int32_t charaId,
                int32_t value12, int32_t value13) {
    e = PICTUREENTRY{};
    e.wId = id;
    e.nBase = base;
    e.nCellX = cellX;
    e.nCellY = cellY;
    e.nOffsetX = offsetX;
    e.nOffsetY = offsetY;
    e.nWidth = ScaleSize(pictureWidth, scale);
    e.nHeight = ScaleSize(pictureHeight, scale);
    e.bScaled = scale != 100 ? 1 : 0;
    e.nLayer = layer;
    e.nMode = mode;
    e.nCharaId = charaId;
    e.nFrames = frames;
    e.bCountWhileWaiting = countWhileWaiting;
    e.bHold = hold;
    e.nValue12 = value12;
    e.nValue13 = value13;
}

int DrawPicture(PICTUREENTRY& e, DDSURFACEDATA* dst, DDSURFACEDATA* picture, int frozen, const PICTUREVIEW& view) {
    if (e.nMode == PICMODE_TIMED) {
        if (!(frozen == 1 && e.bCountWhileWaiting == 0)) --e.nFrames;
        if (e.nFrames < 0) return 1;
    }
    const int32_t w = e.nWidth, h = e.nHeight;
    int x = 0, y = 0;
    switch (e.nBase) {
        case PICBASE_SCREEN:
            x = e.nOffsetX - w / 2 + 320;
            y = e.nOffsetY - h / 2 + 240;
            break;
        case PICBASE_CHARA:
        case PICBASE_PLAYER: {
            double cx = 0, cy = 0;
            // A character that is gone leaves the picture at its last centre.
            if (view.FindCharaCentre && view.FindCharaCentre(e.nCharaId, cx, cy)) {
                e.dCharaX = cx;
                e.dCharaY = cy;
            }
            x = DoubleToInt(e.dCharaX - w / 2 - DoubleToInt(view.dScrollX)) + e.nOffsetX;
            y = DoubleToInt(e.dCharaY - h / 2 - DoubleToInt(view.dScrollY)) + e.nOffsetY;
            break;
        }
        case PICBASE_CELL:
            x = e.nCellX * 32 + e.nOffsetX;
            y = e.nCellY * 32 + e.nOffsetY;
            break;
        case PICBASE_SCROLL_CELL:
            x = DoubleToInt((view.nScrollBaseX + e.nCellX) * 32.0 + e.nOffsetX - view.dScrollX);
            y = DoubleToInt((view.nScrollBaseY + e.nCellY) * 32.0 + e.nOffsetY - view.dScrollY);
            break;
        default: break;
    }
    if (e.nBase == PICBASE_SCREEN || e.nBase == PICBASE_CELL) {
        // Without the hold flag the picture stays on the stage where it first appeared.
        if (e.bHold == 0) {
            if (!e.bPosTaken) {
                e.bPosTaken = 1;
                e.nHeldX = DoubleToInt(view.dScrollX + 0.5 + x);
                e.nHeldY = DoubleToInt(view.dScrollY + 0.5 + y);
            } else {
                x = DoubleToInt(e.nHeldX - (view.dScrollX - 0.5));
                y = DoubleToInt(e.nHeldY - (view.dScrollY - 0.5));
            }
        }
    } else if (e.bHold == 1) {
        // Held: the first screen position stays for good.
        if (!e.bPosTaken) {
            e.bPosTaken = 1;
            e.nHeldX = x;
            e.nHeldY = y;
        }
        x = e.nHeldX;
        y = e.nHeldY;
    }
    if (picture && picture->HasSurface()) {
        if (e.bScaled) {
            DDStretchBlt(dst, x, y, w, h, picture, 0, 0, picture->nWidth, picture->nHeight, DDBLT_COLORKEY);
        } else {
            DDBlt(dst, x, y, w, h, picture, 0, 0, DDBLT_COLORKEY);
        }
    }
    return 0;
}

cPictureList::ITEM* cPictureList::Load(uint16_t id) {
    const std::string file = Database.vPicture[id].strFile;
    ITEM& item = m_Items.emplace_back();
    const int code =
        DDCreateSurfaceFromFile(&item.Surface, file.c_str(), 1, DDGetColorBit(), 0, 0, 0, 0, 0, 0, 0);
    if (!DDCheckErr(code)) {
        WriteECf("%s 読み込み失敗！", file.c_str());
        DDReleaseSurface(&item.Surface);
        m_Items.pop_back();
        return nullptr;
    }
    item.Entry.wId = id;
    return &item;
}

void cPictureList::Draw(DDSURFACEDATA* dst, int32_t layer, int frozen, const PICTUREVIEW& view) {
    for (auto it = m_Items.begin(); it != m_Items.end();) {
        if (it->Entry.nLayer == layer && DrawPicture(it->Entry, dst, &it->Surface, frozen, view) == 1) {
            DDReleaseSurface(&it->Surface);
            it = m_Items.erase(it);
        } else {
            ++it;
        }
    }
}

void cPictureList::Clear() {
    for (ITEM& item : m_Items) DDReleaseSurface(&item.Surface);
    m_Items.clear();
}
