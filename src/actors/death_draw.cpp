// The death presentation of a character: its death effect, then (for the
// hero) a second's pause before the scene takes over.
#include "actors/chara.h"
#include "actors/chara_draw.h"
#include "actors/player.h"

int32_t cChara::DrawDeath(const CHARADRAW& draw) {
    CHARASRCRECT rec;
    CHARAPLACE place;
    CharaFrame(*this, draw, rec, place);
    if (deathEffect.m_nId != 0) {
        if (DrawCharaEffect(deathEffect, draw, rec, place, 1) != 1) return 0;
        deathEffect.Reset();
    }
    if (nKind != 0) return 1;
    if (draw.bFrozen) return 0;
    return ++deathWait > 60 ? 1 : 0;
}
