#pragma once
// Stored fields of the stage and definition records written as tables: one
// row per field in stored order (member, first version that stores it), so a
// row can be checked against the file format. Layout registers from the table;
// load, save and clear can also work straight from it.
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

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

// Where the fields that one version stores live in an object of class C:
// numeric fields as byte offsets and sizes, strings as offsets, in stored order.
struct DEFPLAN {
    const void* lpRows = nullptr;  // the table the plan was made from
    uint32_t nVersion = 0;
    struct NUM {
        uint32_t nOffset;
        uint32_t nSize;
    };
    std::vector<NUM> vNum;
    std::vector<uint32_t> vStr;
    uint32_t nNumBytes = 0;
};

// The plan of table `rows` for version v, made once and kept per thread.
template <class C>
const DEFPLAN& GetDefPlan(std::span<const DEFROW<C>> rows, uint32_t v, C* self) {
    thread_local std::array<DEFPLAN, 4> cache;
    thread_local size_t next = 0;
    for (const DEFPLAN& p : cache)
        if (p.lpRows == rows.data() && p.nVersion == v) return p;
    DEFPLAN& p = cache[next];
    next = (next + 1) % cache.size();
    p.lpRows = rows.data();
    p.nVersion = v;
    p.vNum.clear();
    p.vStr.clear();
    p.nNumBytes = 0;
    const auto* base = reinterpret_cast<const uint8_t*>(self);
    for (const DEFROW<C>& row : rows) {
        if (v < row.nFrom) continue;
        std::visit(
            [&](auto pm) {
                const auto offset = static_cast<uint32_t>(reinterpret_cast<const uint8_t*>(&(self->*pm)) - base);
                using P = decltype(pm);
                if constexpr (std::is_same_v<P, std::string C::*>) {
                    p.vStr.push_back(offset);
                } else {
                    p.vNum.push_back({offset, static_cast<uint32_t>(sizeof(self->*pm))});
                    p.nNumBytes += static_cast<uint32_t>(sizeof(self->*pm));
                }
            },
            row.lpMember);
    }
    return p;
}

// A record whose Layout registers from a DEFROW table. Its load, save and
// clear work straight from the table: the same stream as the generic
// operations, without building the registry (records that come by the ten
// thousand in a stage).
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
        const DEFPLAN& plan = GetDefPlan(rows, version, self);
        LoadPlanned(file, n, plan, reinterpret_cast<uint8_t*>(self));
    }
    // The generic save at the current version, from the table.
    template <class C>
    void SaveDefRows(cDataWriter& file, std::span<const DEFROW<C>> rows, C* self) {
        SavePlanned(file, GetDefPlan(rows, CurrentVersion(), self), reinterpret_cast<uint8_t*>(self));
    }
    // The generic clear, from the table: every stored number 0, every string empty.
    template <class C>
    void ClearDefRows(std::span<const DEFROW<C>> rows, C* self) {
        ClearPlanned(GetDefPlan(rows, CurrentVersion(), self), reinterpret_cast<uint8_t*>(self));
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
    static uint32_t CurrentVersion();
    // The stream after the count word n, read into the fields the plan names
    // (the rules of the generic load: n above the plan fails, strings lose
    // their carriage returns).
    static void LoadPlanned(cDataReader& file, uint32_t n, const DEFPLAN& plan, uint8_t* self);
    static void SavePlanned(cDataWriter& file, const DEFPLAN& plan, uint8_t* self);
    static void ClearPlanned(const DEFPLAN& plan, uint8_t* self);
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
