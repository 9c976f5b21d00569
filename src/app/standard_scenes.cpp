#include "app/standard_scenes.h"

#include "app/challenge_scene.h"
#include "app/map_menu_scene.h"
#include "app/option_scene.h"
#include "app/title_scene.h"
#include "app/world_map_scene.h"
#include "play/play_scene.h"
#include "scene/scene_manager.h"

cScene* CreateStandardScene(int nScene) {
    switch (nScene) {
        case SCENE_TITLE: return new cTitleScene();
        case SCENE_CHALLENGE: return new cChallengeScene();
        case SCENE_OPTION: return new cOptionScene();
        case SCENE_PLAY: return new cPlayScene();
        case SCENE_WORLD_MAP: return new cWorldMapScene();
        case SCENE_MAP_MENU: return new cMapMenuScene();
        default: return nullptr;  // scenes still to come
    }
}
