#include "play/effects/scr_effect_run.h"

#include <algorithm>
#include <utility>

#include "database/database.h"
#include "database/database_work.h"
#include "records/utility.h"

SCREFFECTWORK ScrEffectWork;

namespace {

// Kinds that move the current value from parameter 2 to parameter 3.
bool IsRangeKind(int32_t kind) { return kind >= SCREFFECT_SPLIT_H && kind != SCREFFECT_BLINK; }
// Kinds whose current value counts the run time (start 0, end the run time, step 1/6).
bool IsClockKind(int32_t kind) { return (kind >= SCREFFECT_MOVE && kind <= SCREFFECT_SHAKE_V) || kind == SCREFFECT_BLINK; }

}  // namespace

int32_t cScrEffectRun::Kind() const {
    if (!m_lpDef || m_lpDef->nKind < 0 || m_lpDef->nKind > SCREFFECT_MOSAIC) return 0;
    return m_lpDef->nKind;
}

int32_t cScrEffectRun::Param(int n) const { return m_lpDef && n >= 1 && n <= 5 ? m_lpDef->nParam[n - 1] : 0; }

void cScrEffectRun::Setup(int id, int reversed) {
    m_nId = static_cast<int16_t>(id);
    cScrEffect* def = EffectRunDef(Database.vScrEffect, Database.vScrEffect2, id, reversed);
    m_lpDef = def;
    m_dCurrent = m_dShake = m_dStep = m_dElapsed = 0;
    m_nWork[0] = m_nWork[1] = 0;
    m_bTimed = 0;
    m_nTime = def->nParam[0];
    const int32_t kind = Kind();
    if (kind == SCREFFECT_MOVE && reversed) {
        std::swap(def->nParam[1], def->nParam[3]);
        std::swap(def->nParam[2], def->nParam[4]);
    }
    if (IsClockKind(kind)) m_dStep = 1.0 / 6;
    if (kind == SCREFFECT_MOVE) {
        m_nWork[0] = def->nParam[1];
        m_nWork[1] = def->nParam[2];
    }
    if (IsRangeKind(kind)) {
        if (reversed) std::swap(def->nParam[1], def->nParam[2]);
        m_dCurrent = def->nParam[1];
        m_dStep = effectrun::LegStep(def->nParam[1], def->nParam[2], m_nTime);
        if (def->nParam[1] == def->nParam[2]) {
            m_bTimed = 1;
            m_dStep = 1.0 / 6;
        }
    }
}

void cScrEffectRun::CopyEntry(const cScrEffectRun& e) {
    m_lpDef = e.m_lpDef;
    m_dCurrent = e.m_dCurrent;
    m_dShake = e.m_dShake;
    m_dStep = e.m_dStep;
    m_nWork[0] = e.m_nWork[0];
    m_nWork[1] = e.m_nWork[1];
    m_bTimed = e.m_bTimed;
    m_dElapsed = e.m_dElapsed;
    m_nTime = e.m_nTime;
}

int32_t cScrEffectRun::Step(int32_t start, int32_t end, double step) {
    ++m_nFrame;
    if (m_bTimed) {
        m_dElapsed += m_dStep;
        if (m_dElapsed <= m_nTime) return 0;
    } else if (start > end) {
        m_dCurrent -= step;
        if (DoubleToInt(m_dCurrent) >= end) return 0;
    } else {
        m_dCurrent += step;
        if (DoubleToInt(m_dCurrent) <= end) return 0;
    }
    return EndLeg();
}

void cScrEffectRun::Reset() {
    ResetRun();
    m_bTimed = 0;
}

EFFECTWORKLISTS<cScrEffectRun>& cScrEffectRun::Work() { return ScrEffectWork; }

void cScrEffectRun::Shake() {
    const double amplitude = Param(2);
    const double speed = amplitude * Param(3) * 4 / (std::max(m_nTime, int32_t{1}) * 6.0);
    if (m_nWork[0] == 0) {
        m_dShake += speed;
        if (m_dShake >= amplitude) m_dShake = amplitude, m_nWork[0] = 1;
    } else {
        m_dShake -= speed;
        if (m_dShake <= -amplitude) m_dShake = -amplitude, m_nWork[0] = 0;
    }
}

int32_t cScrEffectRun::Advance() {
    const int32_t kind = Kind();
    switch (kind) {
        case SCREFFECT_NONE: return 0;
        case SCREFFECT_MOVE: {
            const double time = std::max(m_nTime, int32_t{1});
            m_nWork[0] = DoubleToInt((Param(4) - Param(2)) / time * m_dCurrent + Param(2));
            m_nWork[1] = DoubleToInt((Param(5) - Param(3)) / time * m_dCurrent + Param(3));
            return Step(0, m_nTime, 1.0 / 6);
        }
        case SCREFFECT_SHAKE_H:
        case SCREFFECT_SHAKE_V:
            Shake();
            return Step(0, m_nTime, 1.0 / 6);
        case SCREFFECT_BLINK:
            effectrun::BlinkFrame(Param(2), &m_nWork[0], &m_nWork[1]);
            return Step(0, m_nTime, m_dStep);
        case SCREFFECT_WAVE_H:
        case SCREFFECT_WAVE_V: m_nWork[0] = effectrun::NextPhase(m_nWork[0]); break;
        default: break;
    }
    return Step(Param(2), Param(3), m_dStep);
}

void ResizeScrEffectWork() { ScrEffectWork.Prepare(Database.vScrEffect, Database.vScrEffect2); }

cScrEffectRun& GetScreenEffectEntry(cSafeVector<cScrEffectRun>& list, int id) { return list[id]; }

void ResetScrEffectWork() { ScrEffectWork.Clear(); }
