#include "play/message/message_text.h"

#include <cstdlib>

#include "database/common_fonts.h"
#include "platform/system/cp932.h"
#include "player/player_records.h"
#include "world/world_state.h"

namespace {

// A parsed variable code: "#", letters C/S and digits, optionally "_" with
// Z (zero fill), P (plus sign) and a width digit, optionally ".".
struct VARCODE {
    size_t end = 0;  // one past the code's last character
    bool bCommon = false, bStage = false;
    int nDigits = 0;
    int nNumber = 0;  // stops growing once far beyond any variable number
    bool bZeroFill = false, bPlus = false;
    int nWidth = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

VARCODE ParseCode(const std::string& s, size_t hash) {
    VARCODE code;
    size_t p = hash + 1;
    for (; p < s.size(); ++p) {
        const char c = s[p];
        if (c == 'C' || c == 'c') {
            code.bCommon = true;
        } else if (c == 'S' || c == 's') {
            code.bStage = true;
        } else if (IsDigit(c)) {
            ++code.nDigits;
            if (code.nNumber < 100000) code.nNumber = code.nNumber * 10 + (c - '0');
        } else {
            break;
        }
    }
    if (p < s.size() && s[p] == '_') {
        for (++p; p < s.size(); ++p) {
            const char c = s[p];
            if (c == 'Z' || c == 'z') code.bZeroFill = true;
            else if (c == 'P' || c == 'p') code.bPlus = true;
            else if (IsDigit(c)) code.nWidth = c - '0';
            else break;
        }
    }
    if (p < s.size() && s[p] == '.') ++p;
    code.end = p;
    return code;
}

std::string FormatValue(int32_t v, const VARCODE& code) {
    std::string digits = std::to_string(std::llabs(static_cast<long long>(v)));
    if (code.nWidth > static_cast<int>(digits.size())) digits.insert(0, code.nWidth - digits.size(), '0');
    if (!code.bZeroFill)
        for (size_t k = 0; k + 1 < digits.size() && digits[k] == '0'; ++k) digits[k] = ' ';
    if (v < 0) digits.insert(0, 1, '-');
    else if (code.bPlus) digits.insert(0, 1, '+');
    return digits;
}

int32_t VariableValue(const VARCODE& code, const MESSAGEVARS& vars) {
    static const cSafeVector<int32_t> kNone;
    const cSafeVector<int32_t>* list = code.bCommon ? vars.lpCommon : vars.lpStage;
    return (list ? *list : kNone)[code.nNumber];
}

}  // namespace

void ExpandMessageText(std::string& text) {
    ExpandMessageText(text, MESSAGEVARS{&SaveData.vVar, lpWorld ? &lpWorld->vStageVars : nullptr});
}

void ExpandMessageText(std::string& text, const MESSAGEVARS& vars) {
    // Built into a new string so that a long text with many codes stays linear.
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        // A lead byte takes the next byte with it: a "#" there is part of the character.
        if (IsCp932LeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            out.append(text, i, 2);
            i += 2;
            continue;
        }
        if (c != '#') {
            out += c;
            ++i;
            continue;
        }
        const VARCODE code = ParseCode(text, i);
        if ((code.bCommon || code.bStage) && code.nDigits > 0 && code.nNumber >= 1 && code.nNumber <= 1000) {
            out += FormatValue(VariableValue(code, vars), code);
            i = code.end;
        } else {
            out += '#';
            ++i;
        }
    }
    text.swap(out);
}

void LayoutMessageText(int* width, int* height, std::string text) {
    const Font& font = Fonts[FONT_MEDIUM];
    const TEXTSIZE size = font.CharPitch() ? MeasureTextLines(font, text.c_str()) : font.Measure(text.c_str());
    *width = size.cx + 2;
    *height = size.cy + 2;
}
