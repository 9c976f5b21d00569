#pragma once
// The Unicode character of each CP932 character, for the glyph renderer.

// Code point of a single-byte CP932 code; 0 when it draws nothing (control
// codes, lone lead bytes). 0x5C is drawn as the yen sign, as Japanese fonts do.
char32_t Cp932ByteToCodePoint(unsigned char code);
// Code point of a double-byte CP932 character; 0 when it has none.
char32_t Cp932PairToCodePoint(unsigned char lead, unsigned char trail);
