#include "actors/chara_effect_run.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "database/database.h"
#include "database/database_work.h"
#include "records/utility.h"

CHARAEFFECTWORK CharaEffectWork;

namespace effectrun {

double LegStep(int32_t start, int32_t end, int32_t time) {
    // A run time below one tenth (not offered by the editor) is taken as one tenth.
    const double frames = std::max(time, int32_t{1}) * 6.0;
    return std::fabs(static_cast<double>(end) - static_cast<double>(start)) / frames;
}

int32_t NextPhase(int32_t phase) {
    ++phase;
    return phase >= 360 ? 0 : phase;
}

void BlinkFrame(int32_t interval, int32_t* counter, int32_t* flag) {
    if (*counter >= interval) {
        *counter = 0;
        *flag = *flag ? 0 : 1;
    }
    ++*counter;
}

}  // namespace effectrun

namespace {

enum : int32_t { KIND_WAVE_H = 4, KIND_WAVE_V = 5, KIND_BLINK = 6, KIND_TRANSLUCENT = 14 };

bool IsBlinkKind(int32_t kind) { return kind == KIND_BLINK || kind == KIND_TRANSLUCENT; }
bool IsWaveKind(int32_t kind) { return kind == KIND_WAVE_H || kind == KIND_WAVE_V; }

}  // namespace

int32_t CHARAEFFECTLOOK::StripSize(int32_t extent) const {
    const int32_t n = nParam4 > 0 ? nParam4 : 1;
    return extent <= 0 ? 0 : (extent + n - 1) / n;
}

int32_t cCharaEffectRun::Kind() const {
    if (!m_lpDef || m_lpDef->nKind < 0 || m_lpDef->nKind > 16) return 0;
    return m_lpDef->nKind;
}

void cCharaEffectRun::Setup(int id, int reversed) {
    m_nId = static_cast<int16_t>(id);
    cCharaEffect* def = EffectRunDef(Database.vCharaEffect, Database.vCharaEffect2, id, reversed);
    m_lpDef = def;
    m_nStart = m_nEnd = 0;
    m_dCurrent = m_dStep = m_dElapsed = 0;
    m_nTime = def->nParam[0];
    m_nWork[0] = m_nWork[1] = 0;
    const int32_t kind = Kind();
    if (kind == 0) return;
    if (IsBlinkKind(kind)) {
        m_nEnd = m_nTime;
        m_dStep = 1.0 / 6;
    } else {
        if (reversed) std::swap(def->nParam[1], def->nParam[2]);
        m_nStart = def->nParam[1];
        m_nEnd = def->nParam[2];
        m_dCurrent = m_nStart;
        m_dStep = effectrun::LegStep(m_nStart, m_nEnd, m_nTime);
    }
    if (m_nStart == m_nEnd) {
        m_dStep = 1.0 / 6;
        m_dElapsed = 0;
    }
}

void cCharaEffectRun::CopyEntry(const cCharaEffectRun& e) {
    m_lpDef = e.m_lpDef;
    m_nStart = e.m_nStart;
    m_nEnd = e.m_nEnd;
    m_dCurrent = e.m_dCurrent;
    m_dStep = e.m_dStep;
    m_dElapsed = e.m_dElapsed;
    m_nTime = e.m_nTime;
    m_nWork[0] = e.m_nWork[0];
    m_nWork[1] = e.m_nWork[1];
}

int32_t cCharaEffectRun::Step() {
    ++m_nFrame;
    if (m_nStart > m_nEnd) {
        m_dCurrent -= m_dStep;
        if (m_dCurrent >= m_nEnd) return 0;
    } else if (m_nStart < m_nEnd) {
        m_dCurrent += m_dStep;
        if (m_dCurrent <= m_nEnd) return 0;
    } else {
        m_dElapsed += m_dStep;
        if (m_dElapsed <= m_nTime) return 0;
    }
    return EndLeg();
}

void cCharaEffectRun::Reset() { ResetRun(); }

EFFECTWORKLISTS<cCharaEffectRun>& cCharaEffectRun::Work() { return CharaEffectWork; }

CHARAEFFECTLOOK cCharaEffectRun::Look() const {
    CHARAEFFECTLOOK look;
    look.nKind = m_nId ? Kind() : 0;
    if (look.nKind == 0) return look;
    look.nValue = DoubleToInt(m_dCurrent);
    look.nParam4 = m_lpDef->nParam[3];
    look.nParam5 = m_lpDef->nParam[4];
    if (IsWaveKind(look.nKind)) look.nPhase = m_nWork[0];
    if (look.nKind == KIND_BLINK) look.bVisible = m_nWork[1];
    if (look.nKind == KIND_TRANSLUCENT) look.bTranslucent = m_nWork[1] ? 0 : 1;
    return look;
}

int32_t cCharaEffectRun::Frame(int frozen, CHARAEFFECTLOOK* look) {
    if (look) *look = Look();
    if (frozen || m_nId == 0) return 0;
    const int32_t kind = Kind();
    if (IsWaveKind(kind)) m_nWork[0] = effectrun::NextPhase(m_nWork[0]);
    if (IsBlinkKind(kind)) effectrun::BlinkFrame(m_lpDef->nParam[1], &m_nWork[0], &m_nWork[1]);
    return Step();
}

void ResizeCharaEffectWork() { CharaEffectWork.Prepare(Database.vCharaEffect, Database.vCharaEffect2); }

cCharaEffectRun& GetCharaEffectEntry(cSafeVector<cCharaEffectRun>& list, int id) { return list[id]; }

void ResetCharaEffectWork() { CharaEffectWork.Clear(); }
