#include "records/utility.h"

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "records/crt_rand.h"
#include "records/services.h"

const double dRoot2 = std::sqrt(2.0);
const double dInvRoot2 = 1.0 / std::sqrt(2.0);

namespace {

// Formats into a fixed buffer; the text is cut at FORMAT_BUFFER_SIZE - 1 bytes.
std::string FormatV(const char* format, va_list args) {
    char buf[FORMAT_BUFFER_SIZE];
    int n = std::vsnprintf(buf, sizeof buf, format ? format : "", args);
    if (n < 0) return std::string();
    return std::string(buf, n < FORMAT_BUFFER_SIZE ? static_cast<size_t>(n) : FORMAT_BUFFER_SIZE - 1);
}

}  // namespace

void FormatString(std::string& str, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    str = std::move(text);
}

std::string& FormatString2(std::string& str, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    str += text;
    return str;
}

int GetDigitNum(int value) {
    int n = 1;
    for (int i = 0; i < 10 && value / 10 != 0; ++i) {
        value /= 10;
        ++n;
    }
    return n;
}

void IntToStr(std::string& str, int value, int digits, int bZero, int bPlus) {
    const int d = GetDigitNum(value);
    const int w = (digits <= 0 || digits < d) ? d : digits;
    const bool bNegative = value < 0;
    // 64 bits so that INT_MIN has an absolute value.
    long long v = value;
    if (v < 0) v = -v;
    std::string text(static_cast<size_t>(w), '0');
    for (int i = w - 1; i >= 0; --i) {
        text[static_cast<size_t>(i)] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    if (!bZero) {
        for (size_t i = 0; i + 1 < text.size() && text[i] == '0'; ++i) text[i] = ' ';
    }
    if (bNegative)
        text.insert(0, 1, '-');
    else if (bPlus)
        text.insert(0, 1, '+');
    str = std::move(text);
}

int RandRange(int a, int b) {
    long long lo = a < b ? a : b;
    long long hi = a < b ? b : a;
    // Widest range is 2^32 values: computed in 64 bits, never divides by zero.
    long long width = hi - lo + 1;
    return static_cast<int>(lo + crt::rand() % width);
}

int PlaySE(int n) { return RecSendPlaySE(n); }

void PlayDataSE(uint16_t n) {
    if (n == 0) return;
    PlaySE(static_cast<int>(n) + 16);
}

int DoubleToInt(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 2147483647.0) return INT_MAX;
    if (d <= -2147483648.0) return INT_MIN;
    return static_cast<int>(d);
}
