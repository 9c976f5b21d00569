// Groups and calls: each "( … )" that opens a word and each call of a
// function is replaced by the decimal text of its value, left to right, and
// what remains goes to EvalTokens (the walk is expr_walk.h's).
#include <cstring>

#include "actors/expr/expr_eval.h"
#include "actors/expr/expr_tables.h"
#include "actors/expr/expr_walk.h"
#include "records/utility.h"

namespace {

// Evaluates the arguments of the call whose '(' is at open and ')' at close;
// the value of the call, or false after an error.
bool EvalCall(CODECONTEXT& ctx, int func, std::string_view text, const std::vector<int>& match, int open, int close,
              int depth, int32_t& value) {
    int32_t arg[2] = {0, 0};
    int count = 0;
    ForEachCodeCallArg(text, open, close, [&](int from, int to) {
        const int32_t v = EvalExpr(ctx, text, match, from, to, depth + 1);
        if (count < 2) arg[count] = v;
        ++count;
    });
    if (count != 2) {
        ReportBadArgs(ctx, func);
        return false;
    }
    value = RandRange(arg[0], arg[1]);
    return true;
}

// The walk of EvalExpr: the level's text with the values of its groups and
// calls in their places.
struct EVALWALK {
    CODECONTEXT& ctx;
    std::string_view text;
    const std::vector<int>& match;
    int depth;
    std::string out;

    void Byte(char c) { out += c; }
    // A group: an error inside leaves it 0 and evaluation goes on.
    void Group(int open, int close) { out += std::to_string(EvalExpr(ctx, text, match, open + 1, close, depth + 1)); }
    bool Call(int func, int nameLen, int open, int close) {
        int32_t value = 0;
        if (!EvalCall(ctx, func, text, match, open, close, depth, value)) return false;
        out.resize(out.size() - nameLen);
        out += std::to_string(value);
        return true;
    }
};

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
    EVALWALK walk{ctx, text, match, depth, {}};
    walk.out.reserve(end - begin);
    switch (WalkCodeLevel(text, match, begin, end, walk)) {
        case CODE_WALK_UNCLOSED: ReportUnclosed(ctx); return 0;
        case CODE_WALK_STOPPED: return 0;
        default: return EvalTokens(ctx, walk.out);
    }
}
