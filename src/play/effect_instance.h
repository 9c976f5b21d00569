#pragma once
// A running effect: one animation of the database's effect graphics played
// at a place of the stage, started by the effect command or by a hit. The
// play-screen drawing steps and draws each instance once per drawn frame and
// removes it when its animation reaches its end.
#include <cstdint>
#include <list>
#include <vector>

#include "database/database_work.h"
#include "platform/graphics/dd_surface.h"
#include "play/stage_resources.h"
#include "world/scene_services.h"

class cEffectInstance {
public:
    // An effect of the given size with its top-left at (x, y) in stage dots
    // (the effect command); drawn stretched when width differs from the
    // graphic's cell width. bAdvanceWhileFrozen: it also plays while the
    // screen is drawn frozen (a command that waits for it).
    cEffectInstance(int16_t id, double x, double y, int32_t width, int32_t height, int32_t bAdvanceWhileFrozen);
    // A hit effect centred where the victim's and the attacker's rectangles
    // overlap (on the stage point (0, 0) when they do not), scattered by up to
    // 4 dots (4 x scale for a scalable graphic) on each axis with two draws of
    // the runtime generator, x first. A scalable graphic grows with a scale above 1.
    cEffectInstance(int16_t id, const EFFECTRECT& victim, const EFFECTRECT& attacker, int8_t scale);

    // Loads effect id's frames and starts them from the first frame.
    void ResetCursor(int16_t id);
    // Steps (or, while frozen and not advancing while frozen, only reads) the
    // animation and draws the current frame at its position less the scroll
    // position, from the effect surfaces. 1 when the effect is over (no frames,
    // or the animation reached its end): the caller removes it; else 0.
    int Draw(DDSURFACEDATA* dst, STAGESURFACES& surfaces, double scrollX, double scrollY, int frozen);

    int16_t m_nId = 0;
    double m_dX = 0, m_dY = 0;
    int32_t m_nWidth = 0, m_nHeight = 0;
    int32_t m_bScaled = 0;
    // The animation: frame items of the effect work table, the item shown and
    // the ticks spent on it.
    std::vector<FRAMEITEM> m_vFrame;
    int32_t m_nFrame = 0;
    int32_t m_nTicks = 0;
    int32_t m_bAdvanceWhileFrozen = 0;

private:
    // Effect id's graphic; an id outside the list is reported (bad index) and
    // becomes 0, the entry that stands for no effect.
    const cEffectBmpData& TakeRecord(int16_t id);
    // One tick: the cell of the item shown afterwards (end codes -1 and -2
    // handled here; -4 returned). 0 for an empty animation.
    int32_t StepFrame();
    // The cell of the item shown, without advancing.
    int32_t CurrentCell() const;
};

// The effect list of the play scene: draws every instance in one draw batch
// and removes those whose draw reports the end.
void DrawEffectInstances(std::list<cEffectInstance>& list, DDSURFACEDATA* dst, STAGESURFACES& surfaces,
                         double scrollX, double scrollY, int frozen);
