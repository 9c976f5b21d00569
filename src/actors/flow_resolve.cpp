#include "actors/flow_resolve.h"

#include "actors/player.h"
#include "database/database.h"
#include "play/play_scene.h"
#include "player/player_records.h"

void ResolveFlowParams(cFlowCmd& cmd, cChara& chara, const PENDINGARRANGELIST& pending) {
    if (pending.empty()) return;
    ARRANGECONTEXT ctx;
    ctx.vCommonVar = SaveData.vVar;
    if (lpPlayScene) ctx.vStageVar = lpPlayScene->vStageVars;
    ctx.vCharaVar = chara.vars;
    ctx.nCharaBitmapNum = static_cast<int>(Database.vCharaBmp.size());
    ApplyFlowArrangements(cmd, pending, ctx);
}

void ResolveItemFlowParams(cFlowCmd& cmd, cPlayer& player) {
    ResolveFlowParams(cmd, player, player.pending);
}
