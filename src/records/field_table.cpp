#include "records/field_table.h"

#include <algorithm>
#include <cstring>

namespace {

// Calls f with the text member t of the object at base, as the string or the
// compact text it is.
template <class F>
void AtText(char* base, TABLEPLAN::TEXT t, F f) {
    if (t.bCompact) f(*reinterpret_cast<cText*>(base + t.nOffset));
    else f(*reinterpret_cast<std::string*>(base + t.nOffset));
}

}  // namespace

void TABLEPLAN::AddNumeric(uint32_t nOffset, uint32_t nSize, bool bScratch) {
    const uint32_t nEnd = BytesOf(static_cast<uint32_t>(vNumeric.size())) + nSize;
    const auto i = static_cast<uint32_t>(vNumeric.size());
    vNumeric.push_back(NUM{bScratch ? 0 : nOffset, nSize, static_cast<uint32_t>(nEnd), bScratch});
    if (bScratch) return;
    if (!vRun.empty()) {
        COPYRUN& run = vRun.back();
        const NUM& prev = vNumeric[run.nLast];
        if (run.nLast + 1 == i && prev.nOffset + prev.nSize == nOffset) {
            run.nLast = i;
            return;
        }
    }
    vRun.push_back(COPYRUN{i, i});
}

void FailStringCount(cDataReader& file, uint32_t m, uint32_t registered) {
    file.SetFailed("string count " + std::to_string(m) + " above the " + std::to_string(registered) + " registered");
}

void TABLEPLAN::Load(cDataReader& file, uint32_t n, char* base) const {
    if (n > vNumeric.size()) {
        file.SetFailed("field count " + std::to_string(n) + " above the " + std::to_string(vNumeric.size()) +
                       " registered");
        return;
    }
    // The numeric fields are taken in one read, then spread over the members.
    const uint8_t* p = file.ReadSpan(BytesOf(n));
    if (file.Failed()) return;
    SpreadNumbers(p, n, base);
    const uint32_t m = file.ReadU32();
    if (file.Failed()) return;
    if (m > vString.size()) {
        file.SetFailed("string count " + std::to_string(m) + " above the " + std::to_string(vString.size()) +
                       " registered");
        return;
    }
    for (uint32_t k = 0; k < m; ++k) {
        AtText(base, vString[k], [&file](auto& s) { LoadStreamString(file, s); });
        if (file.Failed()) return;
    }
    if (bRemoveCR)
        for (const TEXT& t : vString) AtText(base, t, [](auto& s) { RemoveCarriageReturns(s); });
}

void TABLEPLAN::SpreadNumbers(const uint8_t* p, uint32_t n, char* base) const {
    // Run by run; the last run may be cut short by the stored count.
    for (const COPYRUN& run : vRun) {
        if (run.nFirst >= n) break;
        const NUM& first = vNumeric[run.nFirst];
        const NUM& last = vNumeric[std::min(run.nLast, n - 1)];
        const uint32_t from = first.nEnd - first.nSize;
        CopyRunBytes(base + first.nOffset, p + from, last.nEnd - from);
    }
}

void TABLEPLAN::ReadNumbers(cDataReader& file, char* base) const {
    const auto n = static_cast<uint32_t>(vNumeric.size());
    const uint8_t* p = file.ReadSpan(BytesOf(n));
    if (!file.Failed()) SpreadNumbers(p, n, base);
}

void TABLEPLAN::WriteNumbers(cDataWriter& file, const char* base) const {
    // The numeric fields gathered run by run straight into the stream;
    // dropped values are written as zeros.
    uint8_t* p = file.Extend(BytesOf(static_cast<uint32_t>(vNumeric.size())));
    for (const NUM& num : vNumeric)
        if (num.bScratch) std::memset(p + num.nEnd - num.nSize, 0, num.nSize);
    for (const COPYRUN& run : vRun) {
        const NUM& first = vNumeric[run.nFirst];
        const NUM& last = vNumeric[run.nLast];
        const uint32_t from = first.nEnd - first.nSize;
        CopyRunBytes(p + from, base + first.nOffset, last.nEnd - from);
    }
}

void TABLEPLAN::Save(cDataWriter& file, char* base) const {
    file.WriteU32(static_cast<uint32_t>(vNumeric.size()));
    WriteNumbers(file, base);
    file.WriteU32(static_cast<uint32_t>(vString.size()));
    for (const TEXT& t : vString) AtText(base, t, [&file](auto& s) { SaveStreamString(file, s); });
}

void TABLEPLAN::Clear(char* base) const {
    for (const COPYRUN& run : vRun) {
        const NUM& first = vNumeric[run.nFirst];
        const NUM& last = vNumeric[run.nLast];
        std::memset(base + first.nOffset, 0, last.nEnd - (first.nEnd - first.nSize));
    }
    for (const TEXT& t : vString) AtText(base, t, [](auto& s) { s.clear(); });
}
