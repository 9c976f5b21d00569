#pragma once
// Stored fields of the stage and definition records written as tables: one
// row per field in stored order (member, first version that stores it), so a
// row can be checked against the file format. Layout registers from the table.
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

#include "records/record.h"
#include "stage/field_rows.h"

template <class C>
struct DEFROW {
    using MEMBER = std::variant<uint8_t C::*, int8_t C::*, uint16_t C::*, int16_t C::*, int32_t C::*, double C::*,
                                std::string C::*>;
    MEMBER lpMember;
    uint32_t nFrom = 0;  // first data version that stores the field

    bool IsString() const { return std::holds_alternative<std::string C::*>(lpMember); }
    // Bytes of the field in the stream (0 for strings).
    int Width() const {
        return std::visit(
            [](auto pm) -> int {
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::string C::*>) return 0;
                else return static_cast<int>(sizeof(std::declval<C&>().*pm));
            },
            lpMember);
    }
};

// A record whose Layout registers from a DEFROW table.
class cDefRecord : public cTableRecord {
protected:
    // Registers, for `self`, every row that a file of version `version` stores.
    template <class C>
    void LayoutDefRows(std::span<const DEFROW<C>> rows, uint32_t version, C* self) {
        ClearAllFields();
        for (const DEFROW<C>& row : rows) {
            if (version < row.nFrom) continue;
            std::visit(
                [&](auto pm) {
                    using P = decltype(pm);
                    if constexpr (std::is_same_v<P, std::string C::*>) AddStringField(&(self->*pm));
                    else if constexpr (std::is_same_v<P, double C::*>) AddDoubleField(&(self->*pm));
                    else if constexpr (std::is_same_v<P, int32_t C::*>) AddIntField(&(self->*pm));
                    else if constexpr (std::is_same_v<P, int16_t C::*> || std::is_same_v<P, uint16_t C::*>)
                        AddShortField(&(self->*pm));
                    else AddByteField(&(self->*pm));
                },
                row.lpMember);
        }
    }
};

// Number of numeric fields a table registers for version v.
template <class C>
int CountDefRows(std::span<const DEFROW<C>> rows, uint32_t v) {
    int n = 0;
    for (const auto& r : rows)
        if (v >= r.nFrom && !r.IsString()) ++n;
    return n;
}

// Bytes of the numeric fields a table registers for version v.
template <class C>
int DefRowBytes(std::span<const DEFROW<C>> rows, uint32_t v) {
    int n = 0;
    for (const auto& r : rows)
        if (v >= r.nFrom) n += r.Width();
    return n;
}
