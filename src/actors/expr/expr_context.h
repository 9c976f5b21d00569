#pragma once
// The state of one evaluation of a code text: the host, the error flag and
// whether a message box has been shown yet.
#include <string>

class cExprHost;

// Deepest nesting of groups and call arguments; deeper text is an error.
constexpr int CODE_MAX_DEPTH = 64;

struct CODECONTEXT {
    cExprHost& host;
    bool bCodeError = false;  // set by every error of the evaluation
    bool bShown = false;      // a message box has been shown

    explicit CODECONTEXT(cExprHost& h) : host(h) {}
    // Sets the error flag and shows text, unless a box was shown before: one
    // text with many faults shows one box per evaluation.
    void Error(const std::string& text);
    // Sets the error flag silently.
    void Fail() { bCodeError = true; }
    // A bad index of a checked list: reported to the host, and an error.
    void BadIndex(int nIndex, int nSize);
};
