#include "play/play_scene.h"

#include "platform/system/timer.h"
#include "play/block_grid.h"
#include "play/stage_objects.h"

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

void ResetPlayState() {
    lpPlayScene = nullptr;
    bScrollFollowSwitch = 0;
    ResetBlockGrid();
    ResetStageObjects();
}
