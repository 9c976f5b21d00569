#include "play/effect_instance.h"

#include <algorithm>

#include "database/database.h"
#include "platform/graphics/dd_blit.h"
#include "records/utility.h"

cEffectInstance::cEffectInstance(int16_t id, double x, double y, int32_t width, int32_t height,
                                 int32_t bAdvanceWhileFrozen)
    : m_nId(id), m_dX(x), m_dY(y), m_nWidth(width), m_nHeight(height), m_bAdvanceWhileFrozen(bAdvanceWhileFrozen) {
    const cEffectBmpData& rec = TakeRecord(id);
    // Only the width tells whether the graphic is stretched.
    m_bScaled = rec.nCellWidth != width ? 1 : 0;
    ResetCursor(m_nId);
}

cEffectInstance::cEffectInstance(int16_t id, const EFFECTRECT& a, const EFFECTRECT& b, int8_t scale) : m_nId(id) {
    const cEffectBmpData& rec = TakeRecord(id);
    if (rec.bScalable && scale > 1) {
        m_bScaled = 1;
        m_nWidth = rec.nCellWidth * scale;
        m_nHeight = rec.nCellHeight * scale;
    } else {
        m_nWidth = rec.nCellWidth;
        m_nHeight = rec.nCellHeight;
    }
    EFFECTRECT t;
    if (a.dLeft <= b.dRight && a.dRight >= b.dLeft && a.dTop <= b.dBottom && a.dBottom >= b.dTop) {
        t.dLeft = std::max(a.dLeft, b.dLeft);
        t.dTop = std::max(a.dTop, b.dTop);
        t.dRight = std::min(a.dRight, b.dRight);
        t.dBottom = std::min(a.dBottom, b.dBottom);
    }
    m_dX = t.dLeft + (DoubleToInt(t.dRight - t.dLeft + 1.0) >> 1) - (m_nWidth >> 1);
    m_dY = t.dTop + (DoubleToInt(t.dBottom - t.dTop + 1.0) >> 1) - (m_nHeight >> 1);
    const int k = rec.bScalable ? scale : 1;
    m_dX += RandRange(-4 * k, 4 * k);
    m_dY += RandRange(-4 * k, 4 * k);
    ResetCursor(m_nId);
}

const cEffectBmpData& cEffectInstance::TakeRecord(int16_t id) {
    const cEffectBmpData& rec = Database.vEffect[id];
    if (id < 0 || static_cast<size_t>(id) >= Database.vEffect.size()) m_nId = 0;
    return rec;
}

void cEffectInstance::ResetCursor(int16_t id) {
    m_vFrame = EffectWorkTable[id];
    m_nFrame = 0;
    m_nTicks = 0;
}

int32_t cEffectInstance::StepFrame() {
    if (m_vFrame.empty()) return 0;
    // The end item is final: stepping again stays on it.
    if (CurrentCell() == FRAMEITEM_END || static_cast<size_t>(m_nFrame) + 1 >= m_vFrame.size()) return CurrentCell();
    ++m_nTicks;
    if (m_nTicks >= m_vFrame[static_cast<size_t>(m_nFrame)].nFrames) {
        ++m_nFrame;
        m_nTicks = 0;
        // Effect animations end with -4; the other end codes behave as for any animation.
        switch (m_vFrame[static_cast<size_t>(m_nFrame)].nCell) {
            case FRAMEITEM_JUMP:  // an effect has one animation: start it again
            case FRAMEITEM_LOOP: m_nFrame = 0; break;
            case FRAMEITEM_HOLD: m_nFrame = std::max(0, m_nFrame - 1); break;
            default: break;
        }
    }
    return CurrentCell();
}

int32_t cEffectInstance::CurrentCell() const {
    if (m_vFrame.empty()) return 0;
    return m_vFrame[static_cast<size_t>(m_nFrame)].nCell;
}

int cEffectInstance::Draw(DDSURFACEDATA* dst, STAGESURFACES& surfaces, double scrollX, double scrollY, int frozen) {
    // Entry 0 stands for no effect: nothing to show.
    if (m_nId <= 0) return 1;
    const cEffectBmpData& rec = Database.vEffect[m_nId];
    if (rec.vFrame.empty()) return 1;
    int32_t cell;
    if (frozen == 1 && m_bAdvanceWhileFrozen == 0) {
        cell = CurrentCell();
    } else {
        cell = StepFrame();
        if (cell == FRAMEITEM_END) return 1;
    }
    const int x = DoubleToInt(m_dX - scrollX), y = DoubleToInt(m_dY - scrollY);
    const int index = EffectSurfaceIndex(m_nId, m_bScaled);
    // A table that lacks the surface (pictures not loaded) draws nothing.
    if (index < 0 || static_cast<size_t>(index) >= surfaces.vSurface.size()) return 0;
    DDSURFACEDATA* src = &surfaces.vSurface[index];
    if (m_bScaled) {
        DDStretchBlt(dst, x, y, m_nWidth, m_nHeight, src, cell * rec.nCellWidth, 0, rec.nCellWidth, rec.nCellHeight,
                     DDBLT_COLORKEY);
    } else {
        DDBlt(dst, x, y, m_nWidth, m_nHeight, src, cell * m_nWidth, 0, DDBLT_COLORKEY);
    }
    return 0;
}

void DrawEffectInstances(std::list<cEffectInstance>& list, DDSURFACEDATA* dst, STAGESURFACES& surfaces,
                         double scrollX, double scrollY, int frozen) {
    DDBeginBatch(0);
    for (auto it = list.begin(); it != list.end();) {
        if (it->Draw(dst, surfaces, scrollX, scrollY, frozen) == 1) {
            it = list.erase(it);
        } else {
            ++it;
        }
    }
    DDEndBatch();
}
