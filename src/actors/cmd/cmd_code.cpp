// The code command and the expression language's view of the game.
#include "actors/chara.h"
#include "actors/cmd/chara_expr_host.h"
#include "actors/cmd/cmd_bodies.h"
#include "actors/cmd/status_ops.h"
#include "actors/player.h"
#include "actors/expr/expr_program.h"
#include "actors/expr/expr_tables.h"
#include "database/global_objects.h"
#include "database/system_data.h"
#include "database/system_switches.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "stage/flow_cmd.h"
#include "stage/stage_data.h"
#include "world/scene_services.h"
#include "world/world_state.h"

namespace {

cChara& Chara(void* o) { return *static_cast<cChara*>(o); }

// The status row of a code status: v1..v8 are character variables 1..8.
int32_t StatusRow(int nStatus, int32_t& n) {
    n = 0;
    if (nStatus < CODE_ST_HP) {
        n = nStatus - CODE_ST_V1 + 1;
        return STROW_VAR;
    }
    return nStatus - CODE_ST_HP + STROW_HP;
}

}  // namespace

int32_t* cCharaExprHost::SysField(int nSys) {
    switch (nSys) {
    case CODE_SYS_TIME: return m_World ? &m_World->nStageTime : nullptr;
    case CODE_SYS_SCRLX: return &PlayStage.nAutoScrollX;
    case CODE_SYS_SCRLY: return &PlayStage.nAutoScrollY;
    case CODE_SYS_SCORE: return &m_Services.RunScore();
    case CODE_SYS_LIFE: return &m_Services.RunLives();
    default: return nullptr;
    }
}

cSafeVector<int32_t>* cCharaExprHost::Vars(int nScope) {
    if (nScope == CODE_VAR_COMMON) return &m_Services.CommonVars();
    return m_World ? &m_World->vStageVars : nullptr;
}

void* cCharaExprHost::GetObject(int nObj) {
    switch (nObj) {
    case CODE_OBJ_MY: return &m_My;
    case CODE_OBJ_TG:
    case CODE_OBJ_TG1: return m_My.GetTarget(0);
    case CODE_OBJ_TG2: return m_My.GetTarget(1);
    case CODE_OBJ_TG3: return m_My.GetTarget(2);
    case CODE_OBJ_TG4: return m_My.GetTarget(3);
    case CODE_OBJ_PL: return m_World ? static_cast<cChara*>(m_World->Hero()) : nullptr;
    default: return nullptr;
    }
}

int32_t cCharaExprHost::GetStatus(void* o, int nStatus) {
    int32_t n = 0;
    const int32_t row = StatusRow(nStatus, n);
    int32_t value = 0;  // a bad row or variable reads as 0
    ReadCharaStatus(Chara(o), row, n, value);
    return value;
}

void cCharaExprHost::SetStatus(void* o, int nStatus, int32_t value) {
    int32_t n = 0;
    const int32_t row = StatusRow(nStatus, n);
    SetCharaStatus(Chara(o), row, n, value);
}

int cCharaExprHost::GetKind(void* o) { return Chara(o).nKind; }

int32_t cCharaExprHost::GetSys(int nSys) {
    const int32_t* f = SysField(nSys);
    return f ? *f : 0;
}

void cCharaExprHost::SetSys(int nSys, int32_t value) {
    if (int32_t* f = SysField(nSys)) *f = value;
}

bool cCharaExprHost::GetLivesSwitch() { return GetSysSwitch(SystemData, eSysSwitch::LivesSwitch) != 0; }

int cCharaExprHost::GetVarCount(int nScope) {
    const cSafeVector<int32_t>* v = Vars(nScope);
    return v ? static_cast<int>(v->size()) : 0;
}

int32_t cCharaExprHost::GetVar(int nScope, int n) { return Vars(nScope)->data()[n]; }

void cCharaExprHost::SetVar(int nScope, int n, int32_t value) { Vars(nScope)->data()[n] = value; }

void cCharaExprHost::RequestDeathCheck() {
    if (m_World) m_World->bDeathCheck = 1;
}

void cCharaExprHost::SetSightRadius(void* o, int nRadius) { Chara(o).sight = nRadius; }

void cCharaExprHost::ApplyScrollSpeed(int nSys) { ApplySysScroll(nSys, m_World, m_Services); }

void cCharaExprHost::StartHpGauge(void* o, int32_t nDiff) {
    cChara& c = Chara(o);
    if (c.data.nMaxHP > 0) StartGauge(c.hpGauge, c.hp, nDiff, c.data.nMaxHP);
}

void cCharaExprHost::StartSpGauge(void* o, int32_t nDiff) {
    cChara& c = Chara(o);
    if (c.data.nMaxSP > 0) StartGauge(c.spGauge, c.sp, nDiff, c.data.nMaxSP);
}

void cCharaExprHost::ErrorBox(const std::string& text) {
    if (m_lpErrorShown && *m_lpErrorShown) return;
    if (m_lpErrorShown) *m_lpErrorShown = 1;
    ErrMesBox(text.c_str());
}

void cCharaExprHost::BadIndex(int nIndex, int nSize) { WriteECf("err V[%d] ( %d )", nIndex, nSize); }

namespace {

// The command's text compiled, compiled again when the text changed.
const CODEPROGRAM& Program(const cFlowCmd& cmd) {
    if (!cmd.CodeProgram() || CodeProgramText(*cmd.CodeProgram()) != cmd.strText)
        cmd.SetCodeProgram(CompileCode(cmd.strText));
    return *cmd.CodeProgram();
}

}  // namespace

int RunCode(cChara& chara, const cFlowCmd& cmd, cWorldState* world, cSceneServices& services) {
    cCharaExprHost host(chara, world, services);
    return RunCodeProgram(Program(cmd), host);
}

void RunCodeProc(const FLOWSTEP& step) {
    cChara& chara = step.chara;
    cFlowCmdRun& state = step.state;
    if (!state.cmd) return;
    // The text runs on every step of the command; a faulty text is reported
    // once per run.
    cCharaExprHost host(chara, step.world, step.services, &state.bCodeErrorShown);
    RunCodeProgram(Program(*state.cmd), host);
}
