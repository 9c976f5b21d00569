#pragma once
// The items of an expression text free of groups and calls: words separated
// by blanks, each an operator, a variable, a status, a system value or a
// number; "obj." prefixes pick the character of the next item. Every byte
// other than blank, '.' and the end is part of a word, so the bytes of
// Shift-JIS characters (never below 0x40 after a lead byte) stay in words.
#include <cstdint>
#include <string>
#include <vector>

struct CODECONTEXT;

enum { CODE_ITEM_NUMBER, CODE_ITEM_VAR, CODE_ITEM_STATUS, CODE_ITEM_SYS, CODE_ITEM_OP };

// One item. Variables, statuses and system values are assignable; numbers
// and operators are not. nValue is read when the item is made.
struct CODEITEM {
    int nKind = CODE_ITEM_NUMBER;
    int32_t nValue = 0;
    int nSize = 32;  // width of the stored field in bits
    int nOp = 0;     // operators: index into CodeOpNames
    int32_t nMin = -999999;
    int32_t nMax = 999999;
    int nStatus = 0;              // statuses: index into CodeStatusTable
    int nSys = 0;                 // system values: index into CodeSysTable
    void* lpObject = nullptr;     // statuses: the character
    int nVar = 0;                 // variables: the scope
    int nIndex = 0;               // variables: the element
};

// What a non-empty word is, read from its bytes alone: an operator, a
// variable (nVar the scope, nNumber the element), a status, a system value or
// a number (nNumber its value); -1 in the fields of the other kinds.
struct CODEWORD {
    int nKind = CODE_ITEM_NUMBER;
    int nOp = -1;
    int nVar = -1;
    int32_t nNumber = 0;
    int nStatus = -1;
    int nSys = -1;
};
CODEWORD ClassifyCodeWord(const char* w, int len);

// Makes the item of a word for the character object nObj names, reading its
// value from the game now. False after an error (reported through ctx).
bool MakeCodeItem(CODECONTEXT& ctx, int nObj, const CODEWORD& word, CODEITEM& item);

// The decimal number at the start of [p, end): blanks skipped, an optional
// sign, digits up to the first other byte; no digits read 0. Values beyond 32
// bits saturate.
int32_t ReadCodeNumber(const char* p, const char* end);

// The error of a prefix (the bytes before its '.') that names no object.
void ReportUnknownObject(CODECONTEXT& ctx, const std::string& prefix);

// Scans text into items. False after an error (reported through ctx).
bool MakeCodeItems(CODECONTEXT& ctx, const std::string& text, std::vector<CODEITEM>& items);
