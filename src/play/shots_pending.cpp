#include "play/play_scene.h"

void cPlayScene::UpdateShots() {}
