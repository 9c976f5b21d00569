#include "platform/text/glyph_codes.h"

#include <iconv.h>

#include <mutex>
#include <vector>

#include "platform/seam/iconv_converters.h"
#include "platform/system/cp932.h"
#include "platform/system/font_sjis.h"

namespace {

// One character of CP932 bytes to its code point; 0 when it has none.
char32_t Convert(iconv_t cd, const char* in, size_t n) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char32_t out[2] = {0, 0};
    char* src = const_cast<char*>(in);
    char* dst = reinterpret_cast<char*>(out);
    size_t srcLeft = n, dstLeft = sizeof out;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1) || srcLeft != 0 || dstLeft != sizeof(char32_t)) return 0;
    return out[0];
}

// All 65536 two-byte values, built once.
const std::vector<char32_t>& Table() {
    static std::vector<char32_t> table;
    static std::once_flag once;
    std::call_once(once, [] {
        table.assign(65536, 0);
        const cConverter converter(eConversion::Cp932ToUtf32);
        iconv_t cd = converter.Get();
        if (!cd) return;
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            // single bytes live at index b (no lead byte is 0)
            if (!IsCp932LeadByte(static_cast<unsigned char>(b))) table[b] = Convert(cd, &c, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!IsCp932TrailByte(static_cast<unsigned char>(trail))) continue;
                char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                table[(lead << 8) | trail] = Convert(cd, pair, 2);
            }
        }
    });
    return table;
}

}  // namespace

char32_t Cp932ByteToCodePoint(unsigned char code) {
    if (code < 0x20 || code == 0x7F) return 0;
    if (code == 0x5C) return 0xA5;
    return Table()[code];
}

char32_t Cp932PairToCodePoint(unsigned char lead, unsigned char trail) {
    return Table()[(static_cast<unsigned>(lead) << 8) | trail];
}
