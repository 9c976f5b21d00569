#include "actors/expr/expr_eval.h"

#include <cstdint>

#include "actors/expr/expr_scanner.h"
#include "actors/expr/expr_tables.h"
#include "records/utility.h"

void CODECONTEXT::Error(const std::string& text) {
    bCodeError = true;
    if (bShown) return;
    bShown = true;
    host.ErrorBox(text);
}

void CODECONTEXT::BadIndex(int nIndex, int nSize) {
    bCodeError = true;
    host.BadIndex(nIndex, nSize);
}

namespace {

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

int32_t Clamp64(int64_t v) { return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v); }

// The value as the field of the given width holds it, read back sign-extended.
int32_t Narrow(int32_t v, int bits) {
    if (bits == 8) return static_cast<int8_t>(v);
    if (bits == 16) return static_cast<int16_t>(v);
    return v;
}

bool IsAssignable(const CODEITEM& item) {
    return item.nKind == CODE_ITEM_VAR || item.nKind == CODE_ITEM_STATUS || item.nKind == CODE_ITEM_SYS;
}

// Stores v, clamped to the item's bounds, through the item, with the effects
// the stored field has on the game; returns the stored value.
int32_t Assign(cExprHost& host, const CODEITEM& left, int32_t v) {
    int32_t hi = left.nMax;
    // Points are bounded by their maximum as it is now: an earlier assignment
    // of the same text may have lowered it since the item was read.
    if (left.nKind == CODE_ITEM_STATUS && (left.nStatus == CODE_ST_HP || left.nStatus == CODE_ST_SP))
        hi = host.GetStatus(left.lpObject, left.nStatus == CODE_ST_HP ? CODE_ST_MHP : CODE_ST_MSP);
    v = Clamp(v, left.nMin, hi);
    if (left.nKind == CODE_ITEM_VAR) {
        host.SetVar(left.nVar, left.nIndex, v);
    } else if (left.nKind == CODE_ITEM_SYS) {
        host.SetSys(left.nSys, v);
        if (left.nSys == CODE_SYS_SCRLX || left.nSys == CODE_SYS_SCRLY) host.ApplyScrollSpeed(left.nSys);
    } else {
        void* obj = left.lpObject;
        v = Narrow(v, left.nSize);
        host.SetStatus(obj, left.nStatus, v);
        switch (left.nStatus) {
            case CODE_ST_HP:
                if (v <= 0 && obj != host.GetObject(CODE_OBJ_MY)) host.RequestDeathCheck();
                break;
            case CODE_ST_MHP:
            case CODE_ST_MSP: {
                // The points follow their new maximum into [1, max].
                const int points = left.nStatus == CODE_ST_MHP ? CODE_ST_HP : CODE_ST_SP;
                const int32_t old = host.GetStatus(obj, points);
                const int32_t now = Clamp(old, 1, v);
                if (now != old) host.SetStatus(obj, points, now);
                break;
            }
            case CODE_ST_SIGHT:
                if (host.GetKind(obj) == 0) host.SetSightRadius(obj, v * 32 / 2);
                break;
            default:
                break;
        }
    }
    return v;
}

// Applies operator op to left and right; false after an error (a division
// by zero leaves bDivZero set for the caller to report with its text).
bool Apply(CODECONTEXT& ctx, int op, const CODEITEM& left, const CODEITEM& right, int32_t& result, bool& bDivZero) {
    const int32_t l = left.nValue;
    const int32_t r = right.nValue;
    // 32-bit arithmetic that wraps on overflow.
    const uint32_t ul = static_cast<uint32_t>(l), ur = static_cast<uint32_t>(r);
    switch (op) {
        case CODE_OP_SET:
            if (!IsAssignable(left)) {
                ctx.Error("代入先が不正です！");
                return false;
            }
            result = Assign(ctx.host, left, r);
            return true;
        case CODE_OP_ADD: result = static_cast<int32_t>(ul + ur); return true;
        case CODE_OP_SUB: result = static_cast<int32_t>(ul - ur); return true;
        case CODE_OP_MUL: result = static_cast<int32_t>(ul * ur); return true;
        default: break;
    }
    if (r == 0) {
        bDivZero = true;
        return false;
    }
    // Truncation toward zero; the one quotient beyond 32 bits wraps.
    if (l == INT32_MIN && r == -1) {
        result = op == CODE_OP_DIV ? INT32_MIN : 0;
        return true;
    }
    result = op == CODE_OP_DIV ? l / r : l % r;
    return true;
}

}  // namespace

int ApplyCodeItems(CODECONTEXT& ctx, std::vector<CODEITEM>& items, bool& bDivZero) {
    bDivZero = false;
    int32_t last = items.empty() ? 0 : items.back().nValue;
    // Pass 0 is * / %, pass 1 + -, pass 2 =; left to right within a pass. The
    // items a pass keeps are written over the front of the list (never ahead
    // of the one read); until its first operator they stay where they are.
    for (int pass = 0; pass < 3; ++pass) {
        size_t done = 0;
        const size_t count = items.size();
        for (size_t k = 0; k < count; ++k) {
            const CODEITEM& item = items[k];
            if (item.nKind != CODE_ITEM_OP || CodeOpLevel[item.nOp] != pass) {
                if (done != k) items[done] = item;
                ++done;
                continue;
            }
            // An operator without a left or right operand is a bad index of the list.
            const int size = static_cast<int>(done + count - k);
            if (done == 0) {
                ctx.BadIndex(-1, size);
                return 0;
            }
            if (k + 1 >= count) {
                ctx.BadIndex(static_cast<int>(done) + 1, size);
                return 0;
            }
            CODEITEM& left = items[done - 1];
            int32_t value = 0;
            if (!Apply(ctx, item.nOp, left, items[++k], value, bDivZero)) return 0;
            // The operands give way to a plain number, in the left one's place.
            left = CODEITEM{};
            left.nValue = value;
            last = value;
        }
        items.resize(done);
    }
    return last;
}

void ReportDivZero(CODECONTEXT& ctx, const std::string& text) {
    std::string msg;
    FormatString(msg, "0除算が行われました！(%s)", text.c_str());
    ctx.Error(msg);
}

int EvalTokens(CODECONTEXT& ctx, const std::string& text) {
    std::vector<CODEITEM> items;
    if (!MakeCodeItems(ctx, text, items)) return 0;
    bool bDivZero = false;
    const int v = ApplyCodeItems(ctx, items, bDivZero);
    if (bDivZero) ReportDivZero(ctx, text);
    return v;
}

cCodeRun::cCodeRun(cExprHost& host) : ctx(host), m_lpMy(host.GetObject(CODE_OBJ_MY)) {
    m_nHp = m_lpMy ? host.GetStatus(m_lpMy, CODE_ST_HP) : 0;
    m_nSp = m_lpMy ? host.GetStatus(m_lpMy, CODE_ST_SP) : 0;
}

int cCodeRun::Finish() {
    if (ctx.bCodeError) return 0;
    if (m_lpMy) {
        cExprHost& host = ctx.host;
        const int64_t dHp = int64_t{host.GetStatus(m_lpMy, CODE_ST_HP)} - m_nHp;
        const int64_t dSp = int64_t{host.GetStatus(m_lpMy, CODE_ST_SP)} - m_nSp;
        if (dHp != 0) host.StartHpGauge(m_lpMy, Clamp64(dHp));
        if (dSp != 0) host.StartSpGauge(m_lpMy, Clamp64(dSp));
    }
    return 1;
}

int RunCode(const std::string& text, cExprHost& host) {
    cCodeRun run(host);
    const std::string_view s(text.c_str());  // up to the first NUL
    EvalExpr(run.ctx, s, MatchCodeBrackets(s), 0, static_cast<int>(s.size()), 0);
    return run.Finish();
}
