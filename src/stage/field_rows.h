#pragma once
// Stored fields written as a table: one row per field in stored order (member,
// width in bytes, first version that stores it, first version that no longer
// does). Layout registers from the table, so a row can be checked against the
// file format without reading serialisation code.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "records/record.h"
#include "records/version.h"

template <class C>
struct FIELDROW {
    using MEMBER = std::variant<std::monostate,  // a dropped value: read into scratch
                                uint8_t C::*, int16_t C::*, int32_t C::*, double C::*,
                                int16_t (C::*)[3], std::string C::*>;
    MEMBER lpMember;
    int nWidth = 0;        // bytes of one element; 0 for strings
    uint32_t nFrom = 0;    // first data version that stores the field
    uint32_t nUntil = 0;   // first data version that no longer stores it; 0: still stored

    // Whether a file of version v stores this field.
    bool StoredIn(uint32_t v) const { return v >= nFrom && (nUntil == 0 || v < nUntil); }
    // Whether the width column agrees with the member's type (scratch rows: any width).
    bool WidthMatches() const {
        return std::visit(
            [this](auto pm) -> bool {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::monostate>) return nWidth > 0;
                else if constexpr (std::is_same_v<P, std::string C::*>) return nWidth == 0;
                else if constexpr (std::is_same_v<P, int16_t (C::*)[3]>) return nWidth == 2;
                else return nWidth == static_cast<int>(sizeof(std::declval<C&>().*pm));
            },
            lpMember);
    }
    // Elements the row registers (arrays of three count as one field of three).
    int Count() const { return std::holds_alternative<int16_t (C::*)[3]>(lpMember) ? 3 : 1; }
    bool IsString() const { return std::holds_alternative<std::string C::*>(lpMember); }
};

// A record whose Layout registers from a FIELDROW table.
class cTableRecord : public cRecord {
protected:
    // Registers every row stored in version `version`, in table order, for
    // the object `self` (this record as its own class). `skip`, when not
    // null, names one member that is left out (a layout variant).
    template <class C>
    void LayoutRows(std::span<const FIELDROW<C>> rows, uint32_t version, C* self,
                    const typename FIELDROW<C>::MEMBER* skip = nullptr) {
        ClearAllFields();
        for (const FIELDROW<C>& row : rows) {
            if (!row.StoredIn(version)) continue;
            if (skip && *skip == row.lpMember) continue;
            std::visit(
                [&](auto pm) {
                    using P = decltype(pm);
                    if constexpr (std::is_same_v<P, std::monostate>) AddScratchField(row.nWidth);
                    else if constexpr (std::is_same_v<P, std::string C::*>) AddStringField(&(self->*pm));
                    else if constexpr (std::is_same_v<P, int16_t (C::*)[3]>) AddShortField(&(self->*pm)[0], 3);
                    else if constexpr (std::is_same_v<P, double C::*>) AddDoubleField(&(self->*pm));
                    else if constexpr (std::is_same_v<P, int32_t C::*>) AddIntField(&(self->*pm));
                    else if constexpr (std::is_same_v<P, int16_t C::*>) AddShortField(&(self->*pm));
                    else AddByteField(&(self->*pm));
                },
                row.lpMember);
        }
    }

    // Reads the record stream straight from the table for the version being
    // read (nReadVersion), with the rules of the generic load: the stored
    // field count governs, a count above the table's is a failed load,
    // strings lose their carriage returns. Builds no registry, so loading
    // many small records stays cheap. `n`: the field-count word when the
    // caller has read it already.
    template <class C>
    void LoadRows(cDataReader& file, std::span<const FIELDROW<C>> rows, C* self,
                  const typename FIELDROW<C>::MEMBER* skip = nullptr, const uint32_t* n = nullptr);
    // Number of numeric fields the table stores in the version being read
    // (nReadVersion), from the loading plan.
    template <class C>
    static size_t StoredNumericRows(std::span<const FIELDROW<C>> rows, C* self);
    // Writes the record stream straight from the table at nDataVersion.
    template <class C>
    void SaveRows(cDataWriter& file, std::span<const FIELDROW<C>> rows, C* self);

private:
    // Reads one string of a record stream into s.
    static void LoadString(cDataReader& file, std::string& s);
    static void SaveString(cDataWriter& file, std::string& s);
};

// Number of numeric fields (descriptors) that `rows` registers for version v.
template <class C>
int CountNumericRows(std::span<const FIELDROW<C>> rows, uint32_t v) {
    int n = 0;
    for (const auto& r : rows)
        if (r.StoredIn(v) && !r.IsString()) ++n;
    return n;
}

// Reads u32 count and that many record streams into v, the count checked
// against the bytes left (each element at least nMinBytes). Elements that
// existed are loaded in place; new ones are default records.
template <class V>
void LoadRecordList(cDataReader& file, V& v, size_t nMinBytes) {
    uint32_t n = file.ReadCount(nMinBytes);
    if (file.Failed()) return;
    v.resize(n);
    for (auto& e : v) {
        e.Load(file);
        if (file.Failed()) return;
    }
}

// Where a row's value lives in `self`: its numeric bytes, or its string.
template <class C>
struct ROWTARGET {
    void* lpBytes = nullptr;         // null for strings and scratch rows
    size_t nBytes = 0;
    std::string* lpString = nullptr;
};

template <class C>
ROWTARGET<C> RowTarget(const FIELDROW<C>& row, C* self) {
    ROWTARGET<C> t;
    std::visit(
        [&](auto pm) {
            using P = decltype(pm);
            if constexpr (std::is_same_v<P, std::monostate>) t.nBytes = static_cast<size_t>(row.nWidth);
            else if constexpr (std::is_same_v<P, std::string C::*>) t.lpString = &(self->*pm);
            else {
                t.lpBytes = &(self->*pm);
                t.nBytes = sizeof(self->*pm);
            }
        },
        row.lpMember);
    return t;
}

// Where the rows stored in one version live inside an object of class C:
// byte offsets and sizes, in stored order. Built once per version and kept
// per thread, so that loading many records walks no variant.
struct ROWPLAN {
    uint32_t nOffset;  // offset in the object; unused for scratch rows
    uint32_t nSize;
    uint32_t nEnd;     // stream bytes of the numeric rows up to and including this one
    bool bScratch;
};

// Numeric rows [nFirst, nLast] of a plan, which lie back to back both in the
// stream and in the object, so that one copy moves them all.
struct COPYRUN {
    uint32_t nFirst;
    uint32_t nLast;
};

template <class C>
struct TABLEPLAN {
    uint32_t nVersion = 0;
    const void* lpSkip = nullptr;
    bool bBuilt = false;
    std::vector<ROWPLAN> vNumeric;
    std::vector<COPYRUN> vRun;      // every numeric row but the scratch ones, in stored order
    std::vector<uint32_t> vString;  // offsets of the string members

    // Stream bytes of the first n numeric rows.
    size_t BytesOf(uint32_t n) const { return n ? vNumeric[n - 1].nEnd : 0; }
};

// bSave: the plan of saving. Three plans are kept apart: loading, loading
// with a member left out (both may be for an older version, and may
// alternate record by record) and saving.
template <class C>
const TABLEPLAN<C>& GetTablePlan(std::span<const FIELDROW<C>> rows, C* self, uint32_t v,
                                 const typename FIELDROW<C>::MEMBER* skip, bool bSave) {
    thread_local TABLEPLAN<C> plans[3];
    TABLEPLAN<C>& plan = plans[bSave ? 2 : (skip ? 1 : 0)];
    if (plan.bBuilt && plan.nVersion == v && plan.lpSkip == skip) return plan;
    plan = TABLEPLAN<C>();
    plan.nVersion = v;
    plan.lpSkip = skip;
    plan.bBuilt = true;
    const char* base = reinterpret_cast<const char*>(self);
    uint32_t nEnd = 0;
    for (const auto& r : rows) {
        if (!r.StoredIn(v) || (skip && *skip == r.lpMember)) continue;
        ROWTARGET<C> t = RowTarget(r, self);
        if (t.lpString) {
            plan.vString.push_back(static_cast<uint32_t>(reinterpret_cast<const char*>(t.lpString) - base));
            continue;
        }
        nEnd += static_cast<uint32_t>(t.nBytes);
        ROWPLAN p{0, static_cast<uint32_t>(t.nBytes), nEnd, t.lpBytes == nullptr};
        const uint32_t i = static_cast<uint32_t>(plan.vNumeric.size());
        if (!p.bScratch) {
            p.nOffset = static_cast<uint32_t>(reinterpret_cast<const char*>(t.lpBytes) - base);
            // The row extends the last run when it directly follows that
            // run's last row both in the stream and in the object.
            bool bJoined = false;
            if (!plan.vRun.empty()) {
                COPYRUN& run = plan.vRun.back();
                const ROWPLAN& prev = plan.vNumeric[run.nLast];
                if (run.nLast + 1 == i && prev.nOffset + prev.nSize == p.nOffset) {
                    run.nLast = i;
                    bJoined = true;
                }
            }
            if (!bJoined) plan.vRun.push_back(COPYRUN{i, i});
        }
        plan.vNumeric.push_back(p);
    }
    return plan;
}

// Copies one run of n bytes. Runs are mostly a few bytes long: those are
// copied inline as two fixed-size copies that overlap in the middle (both
// copy the same bytes there), longer ones through memcpy.
inline void CopyRunBytes(void* dst, const void* src, size_t n) {
    auto* d = static_cast<uint8_t*>(dst);
    const auto* s = static_cast<const uint8_t*>(src);
    if (n == 1) {
        *d = *s;
    } else if (n >= 2 && n <= 3) {
        std::memcpy(d, s, 2);
        std::memcpy(d + n - 2, s + n - 2, 2);
    } else if (n >= 4 && n <= 8) {
        std::memcpy(d, s, 4);
        std::memcpy(d + n - 4, s + n - 4, 4);
    } else if (n >= 9 && n <= 16) {
        std::memcpy(d, s, 8);
        std::memcpy(d + n - 8, s + n - 8, 8);
    } else {
        std::memcpy(d, s, n);
    }
}

template <class C>
size_t cTableRecord::StoredNumericRows(std::span<const FIELDROW<C>> rows, C* self) {
    return GetTablePlan(rows, self, nReadVersion, nullptr, false).vNumeric.size();
}

template <class C>
void cTableRecord::LoadRows(cDataReader& file, std::span<const FIELDROW<C>> rows, C* self,
                            const typename FIELDROW<C>::MEMBER* skip, const uint32_t* pn) {
    const TABLEPLAN<C>& plan = GetTablePlan(rows, self, nReadVersion, skip, false);
    const uint32_t n = pn ? *pn : file.ReadU32();
    if (file.Failed()) return;
    if (n > plan.vNumeric.size()) {
        file.SetFailed("field count " + std::to_string(n) + " above the " + std::to_string(plan.vNumeric.size()) +
                       " stored");
        return;
    }
    // The numeric fields are taken in one read, then spread over the members
    // run by run; the last run may be cut short by the stored count.
    const uint8_t* p = file.ReadSpan(plan.BytesOf(n));
    if (file.Failed()) return;
    char* base = reinterpret_cast<char*>(self);
    for (const COPYRUN& run : plan.vRun) {
        if (run.nFirst >= n) break;
        const ROWPLAN& first = plan.vNumeric[run.nFirst];
        const ROWPLAN& last = plan.vNumeric[std::min(run.nLast, n - 1)];
        const uint32_t from = first.nEnd - first.nSize;
        CopyRunBytes(base + first.nOffset, p + from, last.nEnd - from);
    }
    const uint32_t m = file.ReadU32();
    if (file.Failed()) return;
    if (m > plan.vString.size()) {
        file.SetFailed("string count " + std::to_string(m) + " above the " + std::to_string(plan.vString.size()) +
                       " stored");
        return;
    }
    for (uint32_t k = 0; k < m && !file.Failed(); ++k)
        LoadString(file, *reinterpret_cast<std::string*>(base + plan.vString[k]));
}

template <class C>
void cTableRecord::SaveRows(cDataWriter& file, std::span<const FIELDROW<C>> rows, C* self) {
    const TABLEPLAN<C>& plan = GetTablePlan<C>(rows, self, nDataVersion, nullptr, true);
    const uint32_t n = static_cast<uint32_t>(plan.vNumeric.size());
    file.WriteU32(n);
    // The numeric fields gathered run by run straight into the stream;
    // dropped values keep the zeros that Extend gives.
    uint8_t* p = file.Extend(plan.BytesOf(n));
    const char* base = reinterpret_cast<const char*>(self);
    for (const COPYRUN& run : plan.vRun) {
        const ROWPLAN& first = plan.vNumeric[run.nFirst];
        const ROWPLAN& last = plan.vNumeric[run.nLast];
        const uint32_t from = first.nEnd - first.nSize;
        CopyRunBytes(p + from, base + first.nOffset, last.nEnd - from);
    }
    file.WriteU32(static_cast<uint32_t>(plan.vString.size()));
    for (uint32_t off : plan.vString) SaveString(file, *reinterpret_cast<std::string*>(const_cast<char*>(base) + off));
}
