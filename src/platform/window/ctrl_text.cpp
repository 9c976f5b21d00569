#include "platform/window/ctrl_text.h"

#include "platform/system/font_sjis.h"

std::string CutTextBytes(const std::string& text, int maxBytes) {
    size_t i = 0;
    while (i < text.size()) {
        size_t len = IsSjisPair(text.c_str() + i) ? 2 : 1;
        if (static_cast<int>(i + len) > maxBytes) break;
        i += len;
    }
    return text.substr(0, i);
}

std::string CutEditText(const std::string& text, int maxChars, int maxLines, int bDbcs) {
    std::string out;
    int lines = 1, chars = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (maxLines > 0 && lines >= maxLines) break;  // the rest is past the last line
            size_t len = text[i] == '\r' ? 2 : 1;
            out.append(text, i, len);
            i += len;
            ++lines;
            chars = 0;
            continue;
        }
        const bool pair = IsSjisPair(text.c_str() + i);
        const int width = pair && !bDbcs ? 2 : 1;
        const size_t len = pair ? 2 : 1;
        if (maxChars <= 0 || chars + width <= maxChars) {
            out.append(text, i, len);
            chars += width;
        }
        i += len;
    }
    return out;
}

std::string ReadBackEditText(const std::string& text, int byteLimit, int bDbcs) {
    const int maxCount = bDbcs ? 2 * byteLimit - 1 : byteLimit;
    return CutTextBytes(text, maxCount - 1);
}
