#include "actors/item_run.h"

#include <memory>

#include "actors/flow_check.h"
#include "actors/flow_exec.h"
#include "actors/flow_resolve.h"
#include "actors/flow_setup.h"
#include "actors/item.h"
#include "actors/player.h"
#include "platform/system/log.h"
#include "records/utility.h"
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

int32_t g_nItemDepth = 0;

}  // namespace

void ChangeFlowsCmd(cChara& chara, const cFlowCmd& cmd, int32_t bDeferred) {
    auto* player = dynamic_cast<cPlayer*>(&chara);
    if (!bDeferred && player && player->nPlayerIndex == 0) {
        player->pendingItemCmds.push_back(cmd);
        return;
    }
    const int32_t mode = cmd.vParam.empty() ? 0 : cmd.vParam[0];
    const int32_t id = cmd.vParam.size() > 1 ? cmd.vParam[1] : 0;
    switch (mode) {
    case 0:
        chara.SetFlows(cmd.SubFlows(), 1, -1);
        break;
    case 1:
        chara.SetFlows(cmd.SubFlows(), 1, chara.RemoveFlowsById(id));
        break;
    case 2:
        chara.RemoveFlowsById(id);
        break;
    default:
        break;
    }
}

int32_t ChangeFlowsItemProc(const ITEMSTEP& step) {
    ChangeFlowsCmd(step.taker, step.cmd, 0);
    return 0;
}

int32_t cPlayer::RunItemCmds(const cSafeVector<cFlowCmd>& cmds, cWorldState* world, cSceneServices& services,
                             const cFlowRun* lpFlow) {
    // An item whose commands take it again (or two that take each other)
    // would nest without end: deeper takes do nothing.
    if (g_nItemDepth >= MAX_ITEM_DEPTH) {
        WriteECf("アイテムの取得が %d 段を超えたので止めます", MAX_ITEM_DEPTH);
        return 0;
    }
    ++g_nItemDepth;
    // The list runs with its loops unrolled, as a flow's commands do.
    cSafeVector<cFlowCmd> list = cmds;
    while (ExpandLoopCmds(list)) {}
    int32_t result = 0;
    for (const cFlowCmd& stored : list) {
        cFlowCmd cmd = stored;
        CheckFlowCmd(cmd);
        if (cmd.nCode != ITEMCMD_ARRANGE) {
            ResolveItemFlowParams(cmd, *this, world);
            pending.clear();
        }
        ITEMCMDPROC proc = cmd.nCode < ITEM_CMD_NUM ? ItemCmdProcTable[cmd.nCode] : nullptr;
        const int32_t r = proc ? proc(ITEMSTEP{*this, cmd, lpFlow, world, services}) : 0;
        if (hp < 1) {
            result = 2;
            break;
        }
        if (r != 0) {
            result = r;
            break;
        }
    }
    if (result == 0 && hp < 1) result = 2;
    --g_nItemDepth;
    return result;
}

void cPlayer::ShowItemText(int32_t iconKind, int32_t iconFrame, int32_t iconExtra, const cWorldState* world,
                           cSceneServices& services) {
    if (!world) return;
    services.ShowItemIcon(iconKind, iconFrame, iconExtra, nId);
}

int32_t TakeItem(cPlayer& taker, const cItem& item, cWorldState* world) {
    if (item.bUsed) return 0;
    // A pick-up is taken with the scene's services.
    cSceneServices& services = SceneServices();
    if (item.data.bPickupMessage)
        taker.ShowItemText(item.data.byGraphicKind, item.data.wGraphic, item.data.wGraphicSub, world, services);
    if (item.data.wSound) PlayDataSE(item.data.wSound);
    return taker.RunItemCmds(item.data.vCmd, world, services);
}
