#pragma once
// A game for the expression evaluator: a running character, four target
// slots and a player as plain status arrays, the variables and system
// values, and a record of every effect and message the evaluator asks for.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "actors/expr/expr_host.h"
#include "actors/expr/expr_tables.h"

struct FAKECHARA {
    std::array<int32_t, CODE_ST_NUM> vStatus{};
    int nKind = 1;
    int nSightRadius = -1;
};

class cFakeExprHost : public cExprHost {
public:
    FAKECHARA my, pl;
    std::array<FAKECHARA, 4> tg;
    std::array<bool, 4> bTarget{};  // which target slots hold a character
    std::array<int32_t, CODE_SYS_NUM> vSys{};
    bool bLivesSwitch = false;
    std::vector<int32_t> vCommon = std::vector<int32_t>(1001);
    std::vector<int32_t> vStage = std::vector<int32_t>(1000);

    std::vector<std::string> vBox;                     // error boxes shown
    int nBadIndex = 0;                                 // bad indices reported
    int nDeathCheck = 0;                               // death checks requested
    std::vector<int> vScroll;                          // scroll speeds applied
    std::vector<std::pair<void*, int32_t>> vHpGauge;   // hit-point gauge changes
    std::vector<std::pair<void*, int32_t>> vSpGauge;   // special-point gauge changes

    cFakeExprHost() {
        for (FAKECHARA* c : {&my, &pl, &tg[0], &tg[1], &tg[2], &tg[3]}) {
            c->vStatus[CODE_ST_MHP] = 100;
            c->vStatus[CODE_ST_HP] = 50;
            c->vStatus[CODE_ST_MSP] = 30;
            c->vStatus[CODE_ST_SP] = 10;
        }
    }

    void* GetObject(int nObj) override {
        if (nObj == CODE_OBJ_MY) return &my;
        if (nObj == CODE_OBJ_PL) return &pl;
        const int slot = nObj == CODE_OBJ_TG ? 0 : nObj - CODE_OBJ_TG1;
        return bTarget[slot] ? &tg[slot] : nullptr;
    }
    int32_t GetStatus(void* o, int n) override { return Chara(o).vStatus[n]; }
    void SetStatus(void* o, int n, int32_t v) override { Chara(o).vStatus[n] = v; }
    int GetKind(void* o) override { return Chara(o).nKind; }
    int32_t GetSys(int n) override { return vSys[n]; }
    void SetSys(int n, int32_t v) override { vSys[n] = v; }
    bool GetLivesSwitch() override { return bLivesSwitch; }
    int GetVarCount(int s) override { return static_cast<int>(Vars(s).size()); }
    int32_t GetVar(int s, int n) override { return Vars(s)[n]; }
    void SetVar(int s, int n, int32_t v) override { Vars(s)[n] = v; }
    void RequestDeathCheck() override { ++nDeathCheck; }
    void SetSightRadius(void* o, int r) override { Chara(o).nSightRadius = r; }
    void ApplyScrollSpeed(int n) override { vScroll.push_back(n); }
    void StartHpGauge(void* o, int32_t d) override { vHpGauge.emplace_back(o, d); }
    void StartSpGauge(void* o, int32_t d) override { vSpGauge.emplace_back(o, d); }
    void ErrorBox(const std::string& text) override { vBox.push_back(text); }
    void BadIndex(int, int) override { ++nBadIndex; }

private:
    static FAKECHARA& Chara(void* o) { return *static_cast<FAKECHARA*>(o); }
    std::vector<int32_t>& Vars(int s) { return s == CODE_VAR_COMMON ? vCommon : vStage; }
};
