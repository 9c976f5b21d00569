#include "play/play_scene.h"

void cPlayScene::Draw(int32_t, int32_t, int32_t, int32_t) {}
