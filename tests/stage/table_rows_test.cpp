// Table-driven streams of the flow records checked against the generic
// registry stream, and loads that store fewer fields than the table holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <variant>
#include <vector>

#include "stage/flow_fixture.h"
#include "stage/old_streams.h"

namespace {

using TableRowsTest = FlowTest;

// Calls f(bytes, size) for the numeric member of every row stored at the
// current version, in stored order.
template <class C, class F>
void ForEachNumericMember(C& rec, F f) {
    for (const auto& row : C::Rows()) {
        if (!row.StoredIn(DATA_VERSION)) continue;
        std::visit(
            [&](auto pm) {
                using P = decltype(pm);
                if constexpr (!std::is_same_v<P, std::monostate> && !IS_TEXT_MEMBER<C, P>)
                    f(reinterpret_cast<uint8_t*>(&(rec.*pm)), sizeof(rec.*pm));
            },
            row.lpMember);
    }
}

// Every byte of every stored numeric member a different nonzero value (up to 250).
template <class C>
void FillDistinct(C& rec) {
    uint8_t next = 1;
    ForEachNumericMember(rec, [&](uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            p[i] = next;
            next = next == 250 ? 1 : static_cast<uint8_t>(next + 1);
        }
    });
}

// The stored numeric members' bytes, one entry per row.
template <class C>
std::vector<std::vector<uint8_t>> MemberBytes(C& rec) {
    std::vector<std::vector<uint8_t>> v;
    ForEachNumericMember(rec, [&](uint8_t* p, size_t n) { v.emplace_back(p, p + n); });
    return v;
}

template <class C>
void ExpectTableSaveMatchesRegistry() {
    C rec;
    FillDistinct(rec);
    const std::vector<uint8_t> table = SaveBytes(rec);
    cDataWriter generic;
    oldstream::Record(generic, rec, DATA_VERSION);
    // The record stream comes first; lists of the record may follow it.
    ASSERT_GE(table.size(), generic.Size());
    EXPECT_TRUE(std::equal(generic.Bytes().begin(), generic.Bytes().end(), table.begin()));
}

TEST_F(TableRowsTest, SaveWritesWhatTheRegistryWrites) {
    ExpectTableSaveMatchesRegistry<cFlow>();
    ExpectTableSaveMatchesRegistry<cFlowCmd>();
    ExpectTableSaveMatchesRegistry<cEdCond>();
    ExpectTableSaveMatchesRegistry<cCondList>();
    ExpectTableSaveMatchesRegistry<cEdCmdList>();
    ExpectTableSaveMatchesRegistry<cEdMove>();
    ExpectTableSaveMatchesRegistry<cEdShot>();
}

// For every stored count k: the first k fields take the stream's values, the
// others keep those of a new record.
template <class C>
void ExpectFewerFieldsKeepTheRest() {
    C src;
    FillDistinct(src);
    const std::vector<uint8_t> full = SaveBytes(src);
    const auto want = MemberBytes(src);
    C fresh;
    const auto kept = MemberBytes(fresh);
    size_t nBytes = 0;
    for (uint32_t k = 0; k <= want.size(); ++k) {
        if (k > 0) nBytes += want[k - 1].size();
        std::vector<uint8_t> bytes(4);
        std::memcpy(bytes.data(), &k, 4);
        bytes.insert(bytes.end(), full.begin() + 4, full.begin() + 4 + static_cast<std::ptrdiff_t>(nBytes));
        bytes.insert(bytes.end(), 4, 0);  // no strings
        C dst;
        ASSERT_TRUE(oldstream::LoadAt(dst, bytes, DATA_VERSION)) << k;
        const auto got = MemberBytes(dst);
        for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], i < k ? want[i] : kept[i]) << k << " row " << i;
    }
}

TEST_F(TableRowsTest, LoadOfFewerFieldsKeepsTheOthers) {
    ExpectFewerFieldsKeepTheRest<cEdShot>();
    ExpectFewerFieldsKeepTheRest<cEdCond>();
}

TEST_F(TableRowsTest, FieldBytesCutShortAreRefused) {
    cEdShot src;
    FillDistinct(src);
    const std::vector<uint8_t> full = SaveBytes(src);
    cEdShot fresh;
    const auto kept = MemberBytes(fresh);
    // Cut inside the numeric fields: the load fails and no member is written.
    for (size_t cut = 4; cut < 4 + 97; ++cut) {
        const std::vector<uint8_t> bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        cEdShot dst;
        EXPECT_FALSE(oldstream::LoadAt(dst, bytes, DATA_VERSION)) << cut;
        EXPECT_EQ(MemberBytes(dst), kept) << cut;
    }
}

}  // namespace
