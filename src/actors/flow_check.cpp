#include "actors/flow_check.h"

#include "platform/system/log.h"
#include "stage/cmd_list.h"
#include "stage/code_table.h"
#include "stage/flow.h"
#include "stage/flow_cmd.h"

bool CheckFlowCmd(cFlowCmd& cmd) {
    const bool bItem = cmd.IsItemCmd();
    const int num = bItem ? ITEM_CMD_NUM : CHARA_CMD_NUM;
    if (cmd.nCode >= num) {
        WriteECf("コマンドコード %d は範囲外です（%d 個）", cmd.nCode, num);
        return false;
    }
    const int32_t want = (bItem ? ItemCmdTable : CharaCmdTable)[cmd.nCode].nParamNum;
    const int32_t have = static_cast<int32_t>(cmd.vParam.size());
    if (have >= want) return true;
    WriteECf("コマンド %d のパラメータが %d 個しかありません（%d 個）", cmd.nCode, have, want);
    cmd.vParam.resize(want, 0);
    return false;
}

void CheckFlows(cSafeVector<cFlow>& flows, int32_t first, int32_t count) {
    for (int32_t i = first; i < first + count && i < static_cast<int32_t>(flows.size()); ++i) {
        cFlow& f = flows[i];
        for (cEdCmdList& step : f.vKeyCond) {
            if (static_cast<int>(step.vKey.size()) >= KEYSLOT_NUM) continue;
            WriteECf("キー条件の長さ %d が足りません（%d）", static_cast<int>(step.vKey.size()), KEYSLOT_NUM);
            step.vKey.resize(KEYSLOT_NUM, 0);
        }
        for (cFlowCmd& c : f.vCmd) CheckFlowCmd(c);
    }
}
