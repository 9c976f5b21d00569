#include "actors/chara.h"
#include "actors/chara_draw.h"
#include "actors/player.h"
#include "play/play_scene.h"

int32_t cPlayScene::DetectHits() { return PLAY_GOON; }

int32_t cChara::Die() {
    dying = 1;
    return 0;
}

int32_t cChara::DrawDeath(DDSURFACEDATA* dst, int frozen) {
    CHARASRCRECT rec;
    CHARAPLACE place;
    CharaFrame(*this, frozen, rec, place);
    if (deathEffect.m_nId != 0) {
        if (DrawCharaEffect(deathEffect, dst, rec, place, frozen, 1) != 1) return 0;
        deathEffect.Reset();
    }
    if (nKind != 0) return 1;
    if (frozen) return 0;
    return ++deathWait > 60 ? 1 : 0;
}

void cPlayer::DrawSightMask(DDSURFACEDATA*) {}
