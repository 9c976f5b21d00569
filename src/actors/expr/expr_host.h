#pragma once
// What the expression evaluator asks of the game. The evaluator reads and
// writes characters, system values and variables only through this
// interface; the play scene implements it over the running character.
// Characters are opaque handles that the host hands out (null: none).
// Statuses, system values and variable scopes are indices into the tables of
// expr_tables.h; the evaluator does the clamping and the narrowing to the
// field width, so setters only store.
#include <cstdint>
#include <string>

class cExprHost {
public:
    virtual ~cExprHost() = default;

    // The character an object index names (CODE_OBJ_MY … CODE_OBJ_PL): the
    // running character, target slot 1 (tg, tg1) to 4 (tg4), player 0 (pl).
    // Null when the slot holds no character.
    virtual void* GetObject(int nObj) = 0;
    // The stored field of status nStatus (CodeStatusTable), sign-extended.
    virtual int32_t GetStatus(void* lpObject, int nStatus) = 0;
    // Stores value, already clamped and narrowed to the field's width.
    virtual void SetStatus(void* lpObject, int nStatus, int32_t value) = 0;
    // The character's object kind: 0 the hero, 1 any other character.
    virtual int GetKind(void* lpObject) = 0;

    // The raw system value nSys (CodeSysTable); lives may hold CODE_LIFE_UNUSED.
    virtual int32_t GetSys(int nSys) = 0;
    // Stores a clamped system value.
    virtual void SetSys(int nSys, int32_t value) = 0;
    // The system settings' lives switch: set, `life` reads 0 while lives are
    // not in use; clear, it reads 100.
    virtual bool GetLivesSwitch() = 0;

    // Number of variables of a scope (CODE_VAR_COMMON, CODE_VAR_STAGE).
    virtual int GetVarCount(int nScope) = 0;
    virtual int32_t GetVar(int nScope, int n) = 0;
    virtual void SetVar(int nScope, int n, int32_t value) = 0;

    // Effects of assignments.
    virtual void RequestDeathCheck() = 0;                              // the play scene's death check
    virtual void SetSightRadius(void* lpObject, int nRadius) = 0;      // pixels; rebuilds the sight overlay
    virtual void ApplyScrollSpeed(int nSys) = 0;                       // CODE_SYS_SCRLX or SCRLY changed
    virtual void StartHpGauge(void* lpObject, int32_t nDiff) = 0;      // hit-point gauge change
    virtual void StartSpGauge(void* lpObject, int32_t nDiff) = 0;      // special-point gauge change

    // Errors: an error message box (Shift-JIS text), and a bad index of a
    // checked list (logged; the program is asked to close).
    virtual void ErrorBox(const std::string& text) = 0;
    virtual void BadIndex(int nIndex, int nSize) = 0;
};
