#include "platform/system/font_sjis.h"

#include "platform/system/cp932.h"

int IsSjisPair(const char* p) {
    return IsCp932LeadByte(static_cast<unsigned char>(p[0])) && IsCp932TrailByte(static_cast<unsigned char>(p[1]))
               ? 1
               : 0;
}

int GetSjisCharCount(const char* text) {
    int n = 0;
    for (const char* p = text; *p;) {
        if (IsSjisPair(p)) {
            p += 2;
            ++n;
        } else {
            if (*p != '\n') ++n;
            ++p;
        }
    }
    return n;
}

int GetLineLength(const char* text) {
    int n = 0;
    while (text[n] && text[n] != '\n') ++n;
    return n;
}
