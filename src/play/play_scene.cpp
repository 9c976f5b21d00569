#include "play/play_scene.h"

#include "platform/system/timer.h"

cPlayScene* lpPlayScene = nullptr;

cPlayScene::cPlayScene() {
    nScreenColour[13] = 255;
    nRandSeed = static_cast<int32_t>(timeGetTime());
}

cPlayScene::~cPlayScene() {
    if (lpPlayScene == this) lpPlayScene = nullptr;
}

const cScrollAxis& CurScrollX() {
    static const cScrollAxis none;
    return lpPlayScene ? lpPlayScene->ScrollX : none;
}

const cScrollAxis& CurScrollY() {
    static const cScrollAxis none;
    return lpPlayScene ? lpPlayScene->ScrollY : none;
}
