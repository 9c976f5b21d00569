#include "actors/chara_lookup.h"

#include "actors/player.h"
#include "actors/stage_chara.h"
#include "world/world_state.h"

cChara* FindCharaById(int32_t id) {
    if (!lpWorld) return nullptr;
    for (cPlayer& p : lpWorld->vPlayer)
        if (p.nId == id) return &p;
    for (cStageChara& c : lpWorld->lstStageChara)
        if (c.nId == id) return &c;
    return nullptr;
}
