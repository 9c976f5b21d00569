#pragma once
// Stored fields of the stage and definition records written as tables: one
// row per field in stored order (member, first version that stores it), so a
// row can be checked against the file format. Layout registers from the table.
#include <cstdint>
#include <cstring>
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

// A record whose Layout registers from a DEFROW table. Its load, save and
// clear can also work straight from the table, which reads and writes the same
// stream as the generic operations without building the registry (records
// that come by the ten thousand in a stage).
class cDefRecord : public cTableRecord {
protected:
    // The generic load of a record stream of version `version`, from the table.
    template <class C>
    void LoadDefRows(cDataReader& file, std::span<const DEFROW<C>> rows, uint32_t version, C* self) {
        const uint32_t n = file.ReadU32();
        if (!file.Failed()) LoadDefRowsAfterCount(file, n, rows, version, self);
    }
    // The same after the field-count word n, read by the caller.
    template <class C>
    void LoadDefRowsAfterCount(cDataReader& file, uint32_t n, std::span<const DEFROW<C>> rows, uint32_t version,
                               C* self) {
        if (n > static_cast<uint32_t>(CountRows(rows, version, false))) {
            file.SetFailed("field count " + std::to_string(n) + " above the registered");
            return;
        }
        uint32_t i = 0;
        for (const DEFROW<C>& row : rows) {
            if (i == n) break;
            if (version < row.nFrom || row.IsString()) continue;
            std::visit(
                [&](auto pm) {
                    using P = decltype(pm);
                    if constexpr (!std::is_same_v<P, std::string C::*>) file.Read(&(self->*pm), sizeof(self->*pm));
                },
                row.lpMember);
            ++i;
        }
        uint32_t m = file.ReadU32();
        if (file.Failed()) return;
        if (m > static_cast<uint32_t>(CountRows(rows, version, true))) {
            file.SetFailed("string count " + std::to_string(m) + " above the registered");
            return;
        }
        uint32_t k = 0;
        for (const DEFROW<C>& row : rows) {
            if (version < row.nFrom || !row.IsString()) continue;
            std::string& str = self->*std::get<std::string C::*>(row.lpMember);
            if (k < m) {
                ReadDefString(file, str);
                if (file.Failed()) return;
            }
            ++k;
            if (bRemoveCRFlag()) std::erase(str, '\r');
        }
    }
    // The generic save at the current version, from the table.
    template <class C>
    void SaveDefRows(cDataWriter& file, std::span<const DEFROW<C>> rows, C* self) {
        const uint32_t v = CurrentVersion();
        file.WriteU32(static_cast<uint32_t>(CountRows(rows, v, false)));
        for (const DEFROW<C>& row : rows) {
            if (v < row.nFrom || row.IsString()) continue;
            std::visit(
                [&](auto pm) {
                    using P = decltype(pm);
                    if constexpr (!std::is_same_v<P, std::string C::*>) file.Write(&(self->*pm), sizeof(self->*pm));
                },
                row.lpMember);
        }
        file.WriteU32(static_cast<uint32_t>(CountRows(rows, v, true)));
        for (const DEFROW<C>& row : rows)
            if (v >= row.nFrom && row.IsString()) WriteDefString(file, self->*std::get<std::string C::*>(row.lpMember));
    }
    // The generic clear, from the table: every stored number 0, every string empty.
    template <class C>
    void ClearDefRows(std::span<const DEFROW<C>> rows, C* self) {
        const uint32_t v = CurrentVersion();
        for (const DEFROW<C>& row : rows) {
            if (v < row.nFrom) continue;
            std::visit(
                [&](auto pm) {
                    using P = decltype(pm);
                    if constexpr (std::is_same_v<P, std::string C::*>) (self->*pm).clear();
                    else std::memset(&(self->*pm), 0, sizeof(self->*pm));
                },
                row.lpMember);
        }
    }

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

private:
    template <class C>
    static int CountRows(std::span<const DEFROW<C>> rows, uint32_t v, bool bStrings) {
        int n = 0;
        for (const auto& r : rows)
            if (v >= r.nFrom && r.IsString() == bStrings) ++n;
        return n;
    }
    static uint32_t CurrentVersion();
    static bool bRemoveCRFlag();
    // A stored string: u32 length with its NUL (1 = empty, no bytes), the bytes.
    static void ReadDefString(cDataReader& file, std::string& str);
    static void WriteDefString(cDataWriter& file, std::string& str);
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
