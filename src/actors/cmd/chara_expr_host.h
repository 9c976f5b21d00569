#pragma once
// The expression language's game: the running character (my), its target
// slots (tg, tg1..tg4), player 0 (pl), the system values of the play scene
// and of the run, the common variables of the save record and the stage
// variables of the world the character plays in.
#include "actors/expr/expr_host.h"
#include "records/safe_container.h"

class cChara;
class cWorldState;
class cSceneServices;

class cCharaExprHost : public cExprHost {
public:
    // world: the world `my` plays in (null: none); services: the scene's
    // services (the run's record and common variables); lpErrorShown: the
    // run's flag of an error already shown (null: every error is shown).
    cCharaExprHost(cChara& my, cWorldState* world, cSceneServices& services, int32_t* lpErrorShown = nullptr)
        : m_My(my), m_World(world), m_Services(services), m_lpErrorShown(lpErrorShown) {}

    void* GetObject(int nObj) override;
    int32_t GetStatus(void* lpObject, int nStatus) override;
    void SetStatus(void* lpObject, int nStatus, int32_t value) override;
    int GetKind(void* lpObject) override;
    int32_t GetSys(int nSys) override;
    void SetSys(int nSys, int32_t value) override;
    bool GetLivesSwitch() override;
    int GetVarCount(int nScope) override;
    int32_t GetVar(int nScope, int n) override;
    void SetVar(int nScope, int n, int32_t value) override;
    void RequestDeathCheck() override;
    void SetSightRadius(void* lpObject, int nRadius) override;
    void ApplyScrollSpeed(int nSys) override;
    void StartHpGauge(void* lpObject, int32_t nDiff) override;
    void StartSpGauge(void* lpObject, int32_t nDiff) override;
    void ErrorBox(const std::string& text) override;
    // Logged only: bad data of a code text never closes the program.
    void BadIndex(int nIndex, int nSize) override;

private:
    // The system field of code value nSys; null for none.
    int32_t* SysField(int nSys);
    // The common (CODE_VAR_COMMON) or stage variables; null for none.
    cSafeVector<int32_t>* Vars(int nScope);

    cChara& m_My;
    cWorldState* m_World;
    cSceneServices& m_Services;
    int32_t* m_lpErrorShown;
};
