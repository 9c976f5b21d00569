#pragma once
// The expression language of the code command: 32-bit integer arithmetic
// over character statuses, system values and the common and stage
// variables, with "=" as assignment. A text is evaluated in two steps:
// groups "( … )" and calls "rand(a, b)" are replaced by their values
// (EvalExpr), then the words are made items and the operators applied pass
// by pass: * / % first, then + -, then = (EvalTokens).
// The code command runs its text compiled once (expr_program.h); RunCode and
// EvalExpr evaluate the text itself and are the reference that the compiled
// form is checked against.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "actors/expr/expr_context.h"
#include "actors/expr/expr_host.h"

struct CODEITEM;

// One evaluation of a whole text: reads the running character's points
// first; Finish starts its hit-point and special-point gauge changes when
// the evaluation succeeded and they changed, and returns 1, or 0 after any
// error.
class cCodeRun {
public:
    explicit cCodeRun(cExprHost& host);
    int Finish();

    CODECONTEXT ctx;

private:
    void* m_lpMy;
    int32_t m_nHp = 0;
    int32_t m_nSp = 0;
};

// Evaluates the code text for the host's running character once. 1 on
// success; 0 after any error (assignments made before it stay). Starts the
// running character's hit-point and special-point gauge changes when they
// changed.
int RunCode(const std::string& text, cExprHost& host);

// Index of the matching ')' of every '(' of text (-1: none); other bytes -1.
std::vector<int> MatchCodeBrackets(std::string_view text);

// Evaluates text[begin, end) of the whole text whose bracket table is match:
// groups and calls first, then EvalTokens. depth counts the enclosing groups.
int EvalExpr(CODECONTEXT& ctx, std::string_view text, const std::vector<int>& match, int begin, int end, int depth);

// Evaluates a text free of groups and calls.
int EvalTokens(CODECONTEXT& ctx, const std::string& text);

// Applies the operators of the items of a text free of groups and calls,
// pass by pass; the value of the text. After a division by zero returns 0
// with bDivZero set: the caller reports it with the text (ReportDivZero).
// Other errors are reported here. The list is used up.
int ApplyCodeItems(CODECONTEXT& ctx, std::vector<CODEITEM>& items, bool& bDivZero);
void ReportDivZero(CODECONTEXT& ctx, const std::string& text);

// The errors of groups and calls: nesting deeper than CODE_MAX_DEPTH, a '('
// without its ')', a call of func without two arguments.
void ReportTooDeep(CODECONTEXT& ctx);
void ReportUnclosed(CODECONTEXT& ctx);
void ReportBadArgs(CODECONTEXT& ctx, int func);
