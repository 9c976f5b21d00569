#pragma once
// The keyword tables of the code command's expression language and the
// status and system-value tables that its assignments clamp to. Each keyword
// table ends with an empty string; a word matches a row only as a whole.
#include <cstdint>

// Bounds of numbers and variables.
constexpr int32_t CODE_VALUE_MIN = -999999;
constexpr int32_t CODE_VALUE_MAX = 999999;
// The lives count that stands for lives not in use.
constexpr int32_t CODE_LIFE_UNUSED = 999999;

extern const char* const CodeFuncNames[];    // "rand"
extern const char* const CodeOpNames[];      // "=" "+" "-" "*" "/" "%"
extern const int CodeOpLevel[];              // pass of each operator: 2 1 1 0 0 0
extern const char* const CodeObjNames[];     // "my" "tg" "tg1" ... "tg4" "pl" "sys"
extern const char* const CodeVarNames[];     // "C" (common) "S" (stage)
extern const char* const CodeStatusNames[];  // the names of CodeStatusTable, in order
extern const char* const CodeSysNames[];     // the names of CodeSysTable, in order

enum { CODE_FUNC_RAND = 0 };
enum { CODE_OP_SET, CODE_OP_ADD, CODE_OP_SUB, CODE_OP_MUL, CODE_OP_DIV, CODE_OP_MOD, CODE_OP_NUM };
enum { CODE_OBJ_MY, CODE_OBJ_TG, CODE_OBJ_TG1, CODE_OBJ_TG2, CODE_OBJ_TG3, CODE_OBJ_TG4, CODE_OBJ_PL, CODE_OBJ_SYS };
enum { CODE_VAR_COMMON, CODE_VAR_STAGE };
enum {
    CODE_ST_V1 = 0,  // v1 … v8: indices 0 to 7
    CODE_ST_HP = 8,
    CODE_ST_SP,
    CODE_ST_MHP,
    CODE_ST_MSP,
    CODE_ST_CID,
    CODE_ST_Z,
    CODE_ST_MARK,
    CODE_ST_SIGHT,
    CODE_ST_POWER,
    CODE_ST_IMP,
    CODE_ST_DEF,
    CODE_ST_IMPD,
    CODE_ST_STOP,
    CODE_ST_GETSC,
    CODE_ST_NUM
};
enum { CODE_SYS_TIME, CODE_SYS_SCRLX, CODE_SYS_SCRLY, CODE_SYS_SCORE, CODE_SYS_LIFE, CODE_SYS_NUM };

// One status of a character: its name, the width of its stored field
// (8, 16 or 32 bits; narrower fields are read sign-extended) and the bounds an
// assignment clamps to. The upper bound of hp and sp is the character's
// current max hit points and max special points instead of nMax.
struct CODESTATUS {
    const char* lpName;
    int nBits;
    int32_t nMin;
    int32_t nMax;
};
extern const CODESTATUS CodeStatusTable[CODE_ST_NUM];

// One system value (all 32 bits).
struct CODESYS {
    const char* lpName;
    int32_t nMin;
    int32_t nMax;
};
extern const CODESYS CodeSysTable[CODE_SYS_NUM];

// Index of the row of table (ended by "") equal to word as a whole; -1 when none.
int FindCodeName(const char* const* table, const char* word, int len);
