#include "platform/system/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Converts with one iconv handle; an invalid input sequence is replaced and
// skipped (skip bytes of input), so the result is always produced.
std::string Convert(const char* to, const char* from, const std::string& in, const char* replacement,
                    size_t skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: replace the bad sequence and go on.
            out += replacement;
            size_t n = skip ? skip : Utf8SequenceLength(static_cast<unsigned char>(*src));
            n = std::min(n, srcLeft);
            src += n;
            srcLeft -= n;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& text) {
    return Convert("UTF-8", "CP932", text, "\xEF\xBF\xBD", 1);
}

std::string Utf8ToCp932(const std::string& text) {
    // A UTF-8 sequence with no CP932 form becomes one "?".
    return Convert("CP932", "UTF-8", text, "?", 0);
}
