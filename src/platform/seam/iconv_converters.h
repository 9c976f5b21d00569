#pragma once
// The text converters: one iconv converter per direction and per thread,
// opened on first use and kept until the thread ends, so no conversion
// pays for opening one and no two threads share one.
#include <iconv.h>

#include "platform/seam/owners.h"

enum class eConversion { Cp932ToUtf8, Utf8ToCp932, Cp932ToUtf32 };

// A converter for one use on the calling thread (keep it on the stack):
// the thread's own, reset to its initial state; or, should the thread's
// converters be gone already (destructors at the thread's end), one opened
// for this use alone.
class cConverter {
public:
    explicit cConverter(eConversion conversion);
    cConverter(const cConverter&) = delete;
    cConverter& operator=(const cConverter&) = delete;
    // Null when iconv lacks the pair.
    iconv_t Get() const { return m_cd; }

private:
    IconvPtr m_pOwn;
    iconv_t m_cd = nullptr;
};
