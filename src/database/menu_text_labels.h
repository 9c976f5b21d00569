#pragma once
// Label lists built before the program starts: the font names that nFontNo
// indexes and the labels of the colour-mode and colour-depth choices. Each
// list ends with an empty entry.

constexpr int FONT_NAME_COUNT = 123;  // with the empty end entry
extern const char* const FontNameList[FONT_NAME_COUNT];
// The font name at index n; "" when n lies outside the list.
const char* GetFontName(int n);

extern const char* const ColorModeLabels[3];     // choices of nColorMode
extern const char* const BppLabels[4];           // choices of nDDBpp
extern const char* const BppLabelsNo8Bit[3];     // choices of nD3DBpp
