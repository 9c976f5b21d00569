#pragma once
// A code text compiled once and run on every step: the same evaluation as
// RunCode (expr_eval.h) without reading the text again. Compiling follows
// the text as EvalExpr does: groups and calls become slots whose values are
// worked out first, in order; the rest of each level is cut into words and
// the words classified. Only the values of the slots change from run to run.
// A slot always opens a word, and the word is then its value's decimal text
// followed by fixed bytes, so it is a number (or an object prefix that no
// object name matches); its number and the texts of the messages that quote
// it are made from the value when it is run.
#include <memory>
#include <string>

class cExprHost;
struct CODEPROGRAM;

// Compiles text (up to its first NUL). Never fails: faults of the text are
// kept and reported when it runs, as RunCode reports them.
std::shared_ptr<const CODEPROGRAM> CompileCode(const std::string& text);
// The whole text the program was compiled from.
const std::string& CodeProgramText(const CODEPROGRAM& program);
// Runs the program for the host's running character: RunCode(text, host).
int RunCodeProgram(const CODEPROGRAM& program, cExprHost& host);
