#pragma once
// Stored fields written as a table: one row per field in stored order (member,
// width in bytes, first version that stores it, first version that no longer
// does). Layout registers from the table, so a row can be checked against the
// file format without reading serialisation code.
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "records/record.h"

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

    // The rest of a record stream after its field-count word n, read into the
    // current registry: the fields, the strings, carriage returns removed.
    // The same rules as the generic load; for records that must see the
    // count before choosing their layout.
    void LoadAfterCount(cDataReader& file, uint32_t n);
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
