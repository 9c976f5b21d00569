#pragma once
// The walk over one level of a code text that both the evaluator of the
// text (EvalExpr) and its compiler follow, so that they cut it alike. A
// group "( … )" counts where it opens a word (at the start of the level or
// after a blank), a call where a function's name opens the word; after
// either, the rest of the word holds no further group or call, and any other
// '(' is an ordinary byte. A '(' without its ')' ends the walk.
#include <string_view>
#include <vector>

#include "actors/expr/expr_tables.h"

// How a walk ended: at the end of the level, at a '(' without ')', or
// stopped by the visitor.
enum { CODE_WALK_DONE, CODE_WALK_UNCLOSED, CODE_WALK_STOPPED };

// Walks text[begin, end), whose bracket table is match. The visitor gets
// v.Byte(c) for each byte of the level's own text, v.Group(open, close) for
// a group and v.Call(func, nameLen, open, close) for a call of func whose
// name (nameLen bytes, already given to Byte) opens the word; Call returns
// false to stop the walk.
template <typename V>
int WalkCodeLevel(std::string_view text, const std::vector<int>& match, int begin, int end, V& v) {
    int start = begin;   // where the current word begins
    bool bDone = false;  // the current word has had its group or call
    for (int i = begin; i < end;) {
        const char c = text[i];
        if (c == ' ') {
            v.Byte(c);
            start = ++i;
            bDone = false;
            continue;
        }
        if (c != '(') {
            v.Byte(c);
            ++i;
            continue;
        }
        const int close = match[i];
        if (close < 0) return CODE_WALK_UNCLOSED;
        if (!bDone && i == start) {
            v.Group(i, close);
        } else {
            const int func = bDone ? -1 : FindCodeName(CodeFuncNames, text.data() + start, i - start);
            if (func < 0) {
                // Not a call: the bracket is an ordinary byte of the word.
                v.Byte(c);
                ++i;
                continue;
            }
            if (!v.Call(func, i - start, i, close)) return CODE_WALK_STOPPED;
        }
        i = close + 1;
        bDone = true;
    }
    return CODE_WALK_DONE;
}

// Calls arg(from, to) for each argument text[from, to) of the call whose
// brackets are at open and close, split at its own commas; empty arguments
// are skipped (a blank one counts). The count of arguments.
template <typename F>
int ForEachCodeCallArg(std::string_view text, int open, int close, F arg) {
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
            if (i > from) {
                arg(from, i);
                ++count;
            }
            from = i + 1;
        }
    }
    return count;
}
