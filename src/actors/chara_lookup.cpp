#include "actors/chara_lookup.h"

#include "actors/player.h"
#include "actors/stage_chara.h"
#include "world/world_state.h"

cChara* FindCharaById(int32_t id, cWorldState* world) {
    if (!world) return nullptr;
    for (cPlayer& p : world->vPlayer)
        if (p.nId == id) return &p;
    for (cStageChara& c : world->lstStageChara)
        if (c.nId == id) return &c;
    return nullptr;
}
