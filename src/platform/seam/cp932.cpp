#include "platform/system/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "platform/seam/iconv_converters.h"

namespace {

// The encodings of each conversion: to, from.
constexpr const char* CONVERSION_NAMES[][2] = {
    {"UTF-8", "CP932"},      // Cp932ToUtf8
    {"CP932", "UTF-8"},      // Utf8ToCp932
    {"UTF-32LE", "CP932"},   // Cp932ToUtf32
};
constexpr size_t CONVERSION_COUNT = sizeof CONVERSION_NAMES / sizeof CONVERSION_NAMES[0];

// Set when the thread's converters are destroyed; trivially destructible, so
// it can still be read by destructors that run after them.
thread_local bool t_bConvertersGone = false;

struct cThreadConverters {
    std::array<IconvPtr, CONVERSION_COUNT> cd;
    ~cThreadConverters() { t_bConvertersGone = true; }
};
thread_local cThreadConverters t_Converters;

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Converts with the thread's converter; an invalid input sequence is
// replaced and skipped (skip bytes of input), so the result is always produced.
std::string Convert(eConversion conversion, const std::string& in, const char* replacement, size_t skip) {
    const cConverter converter(conversion);
    iconv_t cd = converter.Get();
    if (!cd) return in;
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
    return out;
}

}  // namespace

cConverter::cConverter(eConversion conversion) {
    const auto i = static_cast<size_t>(conversion);
    if (t_bConvertersGone) {
        m_pOwn = OpenIconv(CONVERSION_NAMES[i][0], CONVERSION_NAMES[i][1]);
        m_cd = m_pOwn.get();
        return;
    }
    IconvPtr& cd = t_Converters.cd[i];
    if (!cd)
        cd = OpenIconv(CONVERSION_NAMES[i][0], CONVERSION_NAMES[i][1]);
    else
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    m_cd = cd.get();
}

std::string Cp932ToUtf8(const std::string& text) {
    return Convert(eConversion::Cp932ToUtf8, text, "\xEF\xBF\xBD", 1);
}

std::string Utf8ToCp932(const std::string& text) {
    // A UTF-8 sequence with no CP932 form becomes one "?".
    return Convert(eConversion::Utf8ToCp932, text, "?", 0);
}
