// Groups and calls: each "( … )" that opens a word and each call of a
// function is replaced by the decimal text of its value, left to right, and
// what remains goes to EvalTokens. After a replacement the rest of its word
// holds no further group or call (a number never names a function).
#include <cstring>

#include "actors/expr/expr_eval.h"
#include "actors/expr/expr_tables.h"
#include "records/utility.h"

namespace {

// Evaluates the arguments of the call whose '(' is at open and ')' at close;
// the value of the call, or false after an error.
bool EvalCall(CODECONTEXT& ctx, int func, std::string_view text, const std::vector<int>& match, int open, int close,
              int depth, int32_t& value) {
    int32_t arg[2] = {0, 0};
    int count = 0;
    int from = open + 1;
    int nest = 0;
    for (int i = open + 1; i <= close; ++i) {
        const char c = text[i];
        if (c == '(') {
            ++nest;
        } else if (c == ')' && nest > 0) {
            --nest;
        } else if ((c == ',' || c == ')') && nest == 0) {
            // Empty arguments are skipped; a blank one counts and reads 0.
            if (i > from) {
                const int32_t v = EvalExpr(ctx, text, match, from, i, depth + 1);
                if (count < 2) arg[count] = v;
                ++count;
            }
            from = i + 1;
        }
    }
    if (count != 2) {
        ReportBadArgs(ctx, func);
        return false;
    }
    value = RandRange(arg[0], arg[1]);
    return true;
}

}  // namespace

void ReportTooDeep(CODECONTEXT& ctx) { ctx.Error("括弧の入れ子が深すぎます！"); }

void ReportUnclosed(CODECONTEXT& ctx) { ctx.Error("\")\"が見つかりません！"); }

void ReportBadArgs(CODECONTEXT& ctx, int func) {
    std::string msg;
    FormatString(msg, "関数 %s の引数が不正です！", CodeFuncNames[func]);
    ctx.Error(msg);
}

std::vector<int> MatchCodeBrackets(std::string_view text) {
    std::vector<int> match(text.size(), -1);
    std::vector<int> open;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        if (text[i] == '(') {
            open.push_back(i);
        } else if (text[i] == ')' && !open.empty()) {
            match[open.back()] = i;
            open.pop_back();
        }
    }
    return match;
}

int EvalExpr(CODECONTEXT& ctx, std::string_view text, const std::vector<int>& match, int begin, int end, int depth) {
    if (depth > CODE_MAX_DEPTH) {
        ReportTooDeep(ctx);
        return 0;
    }
    std::string out;
    out.reserve(end - begin);
    int start = begin;   // where the current word begins
    bool bDone = false;  // the current word has had its group or call
    for (int i = begin; i < end;) {
        const char c = text[i];
        if (c == ' ') {
            out += c;
            start = ++i;
            bDone = false;
            continue;
        }
        if (c != '(') {
            out += c;
            ++i;
            continue;
        }
        const int close = match[i];
        if (close < 0) {
            ReportUnclosed(ctx);
            return 0;
        }
        if (!bDone && i == start) {
            // A group: an error inside leaves it 0 and evaluation goes on.
            out += std::to_string(EvalExpr(ctx, text, match, i + 1, close, depth + 1));
            i = close + 1;
            bDone = true;
            continue;
        }
        const int func = bDone ? -1 : FindCodeName(CodeFuncNames, text.data() + start, i - start);
        if (func >= 0) {
            int32_t value = 0;
            if (!EvalCall(ctx, func, text, match, i, close, depth, value)) return 0;
            out.resize(out.size() - (i - start));
            out += std::to_string(value);
            i = close + 1;
            bDone = true;
            continue;
        }
        // Not a call: the bracket is an ordinary byte of the word.
        out += c;
        ++i;
    }
    return EvalTokens(ctx, out);
}
