#include "records/cmd.h"

#include "records/services.h"

void cCmd::Layout(uint32_t) {
    ClearAllFields();
    AddIntField(&nEnable);
    AddStringField(&strText);
}

int cCmd::GetCmdNum(int n, const std::vector<cCmd>& cmds) {
    int k = 0;
    for (size_t i = 0; i < cmds.size(); ++i) {
        if (!cmds[i].nEnable) continue;
        if (k == n) return static_cast<int>(i);
        ++k;
    }
    RecDebugMesBox("cCmd::GetCmdNum 番号が不正です！");
    return 0;
}

int cCmd::GetEnableNum(const std::vector<cCmd>& cmds) {
    int k = 0;
    for (const cCmd& c : cmds)
        if (c.nEnable) ++k;
    return k;
}
