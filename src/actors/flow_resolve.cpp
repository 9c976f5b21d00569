#include "actors/flow_resolve.h"

#include "actors/player.h"
#include "database/database.h"
#include "world/scene_services.h"
#include "world/world_state.h"

void ResolveFlowParams(cFlowCmd& cmd, cChara& chara, const PENDINGARRANGELIST& pending, const cWorldState* world) {
    if (pending.empty()) return;
    ARRANGECONTEXT ctx;
    ctx.vCommonVar = SceneServices().CommonVars();
    if (world) ctx.vStageVar = world->vStageVars;
    ctx.vCharaVar = chara.vars;
    ctx.nCharaBitmapNum = static_cast<int>(Database.vCharaBmp.size());
    ApplyFlowArrangements(cmd, pending, ctx);
}

void ResolveItemFlowParams(cFlowCmd& cmd, cPlayer& player, const cWorldState* world) {
    ResolveFlowParams(cmd, player, player.pending, world);
}
