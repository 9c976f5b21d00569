#pragma once
// A record of two 32-bit values, stored in every version: the frames of an
// effect graphic (cell, duration in tenths of a second) use it.
#include <cstdint>
#include <vector>

#include "records/field_table.h"
#include "records/inline_list.h"

// A plain value stored as a table record, not a record itself: pair lists are
// copied, loaded and freed as arrays.
struct cPairRecord {
    // Both values 0.
    cPairRecord() = default;
    // The two values given.
    cPairRecord(int32_t v1, int32_t v2) : nValue1(v1), nValue2(v2) {}
    // The table load and save of the two values.
    void Load(cDataReader& file);
    void Save(cDataWriter& file);
    // The stored fields in stored order.
    static std::span<const FIELDROW<cPairRecord>> Rows();

    int32_t nValue1 = 0;
    int32_t nValue2 = 0;
};

// The stored fields of a pair in stored order.
inline constexpr FIELDROW<cPairRecord> g_PairRows[] = {
    {&cPairRecord::nValue1, 4},
    {&cPairRecord::nValue2, 4},
};
static_assert(WidthsMatch(g_PairRows), "a width column disagrees with its member");

// A list of pairs: the frame lists of effect graphics, mostly a few frames
// long, keep up to 8 inside themselves.
using cPairList = cInlineList<cPairRecord, 8>;

// Smallest record stream of a pair (its two count words): bounds a pair count.
constexpr size_t PAIR_MIN_BYTES = 8;

// A list of pairs as the list loader and saver store any records (u32 count,
// then each pair's record stream), the pairs taken and written in bulk.
void LoadPairList(cDataReader& file, cPairList& v);
void SavePairList(cDataWriter& file, cPairList& v);
