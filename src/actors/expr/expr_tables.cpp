#include "actors/expr/expr_tables.h"

#include <cstring>
#include <iterator>

const char* const CodeFuncNames[] = {"rand", ""};
const char* const CodeOpNames[] = {"=", "+", "-", "*", "/", "%", ""};
const int CodeOpLevel[] = {2, 1, 1, 0, 0, 0};
const char* const CodeObjNames[] = {"my", "tg", "tg1", "tg2", "tg3", "tg4", "pl", "sys", ""};
const char* const CodeVarNames[] = {"C", "S", ""};
const char* const CodeStatusNames[] = {"v1",    "v2",  "v3",  "v4",   "v5",    "v6",  "v7",  "v8",
                                       "hp",    "sp",  "mhp", "msp",  "cid",   "z",   "mark", "sight",
                                       "power", "imp", "def", "impd", "stop", "getsc", ""};
const char* const CodeSysNames[] = {"time", "scrlx", "scrly", "score", "life", ""};
static_assert(std::size(CodeStatusNames) == CODE_ST_NUM + 1 && std::size(CodeSysNames) == CODE_SYS_NUM + 1);

const CODESTATUS CodeStatusTable[CODE_ST_NUM] = {
    {"v1", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v2", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v3", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v4", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v5", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v6", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v7", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"v8", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"hp", 32, 0, CODE_VALUE_MAX},  // upper bound: the current max hit points
    {"sp", 32, 0, CODE_VALUE_MAX},  // upper bound: the current max special points
    {"mhp", 32, 1, CODE_VALUE_MAX},
    {"msp", 32, 1, CODE_VALUE_MAX},
    {"cid", 8, 0, 99},
    {"z", 8, 0, 7},
    {"mark", 16, 0, 119},
    {"sight", 8, 0, 40},
    {"power", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
    {"imp", 8, -20, 20},
    {"def", 32, 0, CODE_VALUE_MAX},
    {"impd", 8, 0, 20},
    {"stop", 16, 0, 200},
    {"getsc", 32, CODE_VALUE_MIN, CODE_VALUE_MAX},
};

const CODESYS CodeSysTable[CODE_SYS_NUM] = {
    {"time", 0, 999},
    {"scrlx", -480, 480},
    {"scrly", -480, 480},
    {"score", 0, CODE_VALUE_MAX},
    {"life", 0, 99},
};

int FindCodeName(const char* const* table, const char* word, int len) {
    for (int i = 0; table[i][0] != '\0'; ++i)
        if (static_cast<int>(std::strlen(table[i])) == len && std::memcmp(table[i], word, len) == 0) return i;
    return -1;
}
