#include "actors/expr/expr_scanner.h"

#include <cstdint>

#include "actors/expr/expr_context.h"
#include "actors/expr/expr_host.h"
#include "actors/expr/expr_tables.h"
#include "records/utility.h"

namespace {

bool IsNumberBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The variable scope whose name starts with the word's first byte; -1 when none.
int FindVarScope(char c) {
    for (int i = 0; CodeVarNames[i][0] != '\0'; ++i)
        if (CodeVarNames[i][0] == c) return i;
    return -1;
}

}  // namespace

CODEWORD ClassifyCodeWord(const char* w, int len) {
    CODEWORD word;
    if ((word.nOp = FindCodeName(CodeOpNames, w, len)) >= 0) {
        word.nKind = CODE_ITEM_OP;
    } else if ((word.nVar = FindVarScope(w[0])) >= 0) {
        word.nKind = CODE_ITEM_VAR;
        word.nNumber = ReadCodeNumber(w + 1, w + len);
    } else if ((word.nStatus = FindCodeName(CodeStatusNames, w, len)) >= 0) {
        word.nKind = CODE_ITEM_STATUS;
    } else if ((word.nSys = FindCodeName(CodeSysNames, w, len)) >= 0) {
        word.nKind = CODE_ITEM_SYS;
    } else {
        word.nKind = CODE_ITEM_NUMBER;
        word.nNumber = ReadCodeNumber(w, w + len);
    }
    return word;
}

bool MakeCodeItem(CODECONTEXT& ctx, int nObj, const CODEWORD& word, CODEITEM& item) {
    cExprHost& host = ctx.host;
    if (word.nKind == CODE_ITEM_OP) {
        item.nKind = CODE_ITEM_OP;
        item.nOp = word.nOp;
        return true;
    }
    // Every other word resolves its object first; an empty slot fails silently.
    void* lpObject = nullptr;
    if (nObj != CODE_OBJ_SYS) {
        lpObject = host.GetObject(nObj);
        if (!lpObject) {
            ctx.Fail();
            return false;
        }
    }
    if (word.nKind == CODE_ITEM_VAR) {
        const int scope = word.nVar;
        const int n = word.nNumber;
        const int count = host.GetVarCount(scope);
        if (n < 0 || n >= count) {
            ctx.BadIndex(n, count);
            return false;
        }
        item.nKind = CODE_ITEM_VAR;
        item.nVar = scope;
        item.nIndex = n;
        item.nValue = host.GetVar(scope, n);
        return true;
    }
    if (word.nKind == CODE_ITEM_STATUS) {
        const int st = word.nStatus;
        // A status through "sys." has no character: it fails like an empty slot.
        if (!lpObject) {
            ctx.Fail();
            return false;
        }
        const CODESTATUS& row = CodeStatusTable[st];
        item.nKind = CODE_ITEM_STATUS;
        item.nStatus = st;
        item.lpObject = lpObject;
        item.nSize = row.nBits;
        item.nMin = row.nMin;
        item.nMax = row.nMax;
        if (st == CODE_ST_HP) item.nMax = host.GetStatus(lpObject, CODE_ST_MHP);
        if (st == CODE_ST_SP) item.nMax = host.GetStatus(lpObject, CODE_ST_MSP);
        item.nValue = host.GetStatus(lpObject, st);
        return true;
    }
    if (word.nKind == CODE_ITEM_SYS) {
        const int sys = word.nSys;
        item.nKind = CODE_ITEM_SYS;
        item.nSys = sys;
        item.nMin = CodeSysTable[sys].nMin;
        item.nMax = CodeSysTable[sys].nMax;
        item.nValue = host.GetSys(sys);
        if (sys == CODE_SYS_LIFE && item.nValue == CODE_LIFE_UNUSED) {
            // Lives not in use read 100 (or 0) and stay unused when assigned.
            item.nValue = host.GetLivesSwitch() ? 0 : 100;
            item.nMin = item.nMax = CODE_LIFE_UNUSED;
        }
        return true;
    }
    item.nKind = CODE_ITEM_NUMBER;
    item.nValue = word.nNumber;
    return true;
}

int32_t ReadCodeNumber(const char* p, const char* end) {
    while (p < end && IsNumberBlank(*p)) ++p;
    bool bMinus = false;
    if (p < end && (*p == '-' || *p == '+')) bMinus = *p++ == '-';
    int64_t v = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > INT64_C(2147483648)) v = INT64_C(2147483648);  // saturated, no overflow
    }
    if (bMinus) v = -v;
    if (v > INT32_MAX) v = INT32_MAX;
    return static_cast<int32_t>(v);
}

void ReportUnknownObject(CODECONTEXT& ctx, const std::string& prefix) {
    std::string msg;
    FormatString(msg, "オブジェクト \"%s.\" が認識できません！", prefix.c_str());
    ctx.Error(msg);
}

bool MakeCodeItems(CODECONTEXT& ctx, const std::string& text, std::vector<CODEITEM>& items) {
    const char* s = text.c_str();
    const size_t n = text.size();
    int nObj = CODE_OBJ_MY;
    bool bMade = false;  // an item was made since the start or the last prefix
    size_t word = 0;     // where the current word starts
    for (size_t i = 0; i <= n; ++i) {
        const char c = s[i];
        if (c == '.') {
            const int obj = FindCodeName(CodeObjNames, s + word, static_cast<int>(i - word));
            if (obj >= 0) {
                nObj = obj;
            } else if (!bMade) {
                ReportUnknownObject(ctx, text.substr(word, i - word));
                return false;
            }
            // After an item, a prefix that is not an object is dropped.
            bMade = false;
            word = i + 1;
            continue;
        }
        if (c != ' ' && c != '\0') continue;
        const int len = static_cast<int>(i - word);
        const char* w = s + word;
        word = i + 1;
        if (len > 0) {
            CODEITEM item;
            if (!MakeCodeItem(ctx, nObj, ClassifyCodeWord(w, len), item)) return false;
            items.push_back(item);
            nObj = CODE_OBJ_MY;
            bMade = true;
        }
        if (c == '\0') break;
    }
    return true;
}
