#pragma once
// The text rules of the edit box, on CP932 text: lines, characters per line
// and bytes are cut only at whole characters (a lead byte is never parted
// from its trail byte).
#include <string>

// At most maxBytes bytes of text, cut before the character that would not fit.
std::string CutTextBytes(const std::string& text, int maxBytes);
// Cuts lines beyond maxLines and characters beyond maxChars per line. Lines
// end at "\n" ("\r\n" kept as it is). A double-byte character counts one
// character when bDbcs is set, else two. 0 means no limit.
std::string CutEditText(const std::string& text, int maxChars, int maxLines, int bDbcs);
// The text that reading the box back gives: GetDlgItemText with a maximum
// count of 2 x limit - 1 (bDbcs) or limit, the terminating zero included.
std::string ReadBackEditText(const std::string& text, int byteLimit, int bDbcs);
