#pragma once
// Shift-JIS (code page 932) to and from UTF-8, through iconv's "CP932".
// Bytes that do not convert become U+FFFD (to UTF-8) or "?" (to CP932).
#include <string>

std::string Cp932ToUtf8(const std::string& text);
std::string Utf8ToCp932(const std::string& text);
// True when byte b starts a double-byte CP932 character.
inline bool IsCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// A UTF-8 literal (u8"...") as a std::string: narrow literals are CP932, so
// text that must be UTF-8 in the source is written this way.
inline std::string U8(const char8_t* s) { return std::string(reinterpret_cast<const char*>(s)); }
