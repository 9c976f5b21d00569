#pragma once
// The text of a message window: variable codes ("#C12_Z4." and the like)
// replaced by variable values, and the window size a text needs in the
// second of the three fonts. Texts are CP932 of any length.
#include <cstdint>
#include <string>

#include "records/safe_container.h"

// The variables that variable codes read: common variables (indices
// 0..1000) and stage variables (indices 0..999); a missing list reads as
// empty.
struct MESSAGEVARS {
    const cSafeVector<int32_t>* lpCommon = nullptr;
    const cSafeVector<int32_t>* lpStage = nullptr;
};

// Replaces every variable code of text by its value (the code's variable
// number 1..1000; other codes stay as they are). A number beyond the
// variable list follows the bad-index rule. Without `vars`, the variables
// of the run in play: the save record's common variables and the stage's.
void ExpandMessageText(std::string& text);
void ExpandMessageText(std::string& text, const MESSAGEVARS& vars);
// Window size of text: its measured size in the second font + 2 on each axis.
void LayoutMessageText(int* width, int* height, std::string text);
