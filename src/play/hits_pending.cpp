#include "actors/chara.h"
#include "play/play_scene.h"

int32_t cPlayScene::DetectHits() { return PLAY_GOON; }

int32_t cChara::Die() {
    dying = 1;
    return 0;
}
