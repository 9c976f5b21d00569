#pragma once
// The expression language of the code command: 32-bit integer arithmetic
// over character statuses, system values and the common and stage
// variables, with "=" as assignment. A text is evaluated in two steps:
// groups "( … )" and calls "rand(a, b)" are replaced by their values
// (EvalExpr), then the words are made items and the operators applied pass
// by pass: * / % first, then + -, then = (EvalTokens).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "actors/expr/expr_context.h"
#include "actors/expr/expr_host.h"

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
