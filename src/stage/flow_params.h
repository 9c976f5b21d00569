#pragma once
// The arrangeable numbers of flow commands: for every character-command kind
// the numbers the arrange command may change at run time, with their labels
// and ranges (the parameter label table), and the access to the stored member
// behind each (a parameter, a move-setting or a shot-setting member).
#include <cstdint>
#include <string>

#include "records/safe_container.h"

class cFlowCmd;

// One arrangeable number of a command kind.
struct FLOWPARAMLABEL {
    std::string strLabel;
    int32_t nMin = 0;
    int32_t nMax = 0;
};

// The parameter label table: one row per character-command kind (40), the
// descriptor's index in its row = the arrangeable-number index. Rows of kinds
// without arrangeable numbers are empty. Built by InitFlowParamLabels.
extern cSafeVector<cSafeVector<FLOWPARAMLABEL>> FlowParamLabels;

// Builds the parameter label table (once, at start-up, before data is loaded;
// a second call builds it afresh).
void InitFlowParamLabels();

// Whether arrangements naming `kind` are looked at: kinds with a row of
// arrangeable numbers, and the three moves whose row is empty (3, 4, 7).
bool HasFlowParamAccess(int kind);
// Number of arrangeable numbers `kind` maps to a member (0 for other kinds).
int GetFlowParamCount(int kind);
// Reads number `index` of a command of `kind` into value (sign-extended from
// the member's width); false, value untouched, when the kind has no such
// number or the command lacks the member (no setting, too few parameters).
bool GetFlowParam(cFlowCmd& cmd, int kind, int index, int32_t& value);
// Writes value to number `index`, narrowed to the member's width; false when
// there is nothing to write to.
bool SetFlowParam(cFlowCmd& cmd, int kind, int index, int32_t value);
