// Lists of plain values whose current image fills them whole, written
// straight from their images into the list's room, against the same lists resized and loaded element by
// element: whole, cut at every length, with an odd element in the middle,
// of an older version, and over lists that held more or fewer elements.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "records/field_table.h"
#include "records/inline_list.h"
#include "records/records_state.h"
#include "records/version.h"
#include "support/list_load.h"

namespace {

// Three numbers, the last added at version 50 with default 7; the fields lie
// in the object in another order than in the stream.
struct cPlainToy {
    void Load(cDataReader& file);

    int32_t c = 7;
    int32_t a = 0;
    int32_t b = 0;
};
constexpr FIELDROW<cPlainToy> g_Rows[] = {
    {&cPlainToy::a, 4},
    {&cPlainToy::b, 4},
    {&cPlainToy::c, 4, 50, 0, 7},
};
static_assert(WidthsMatch(g_Rows));
void cPlainToy::Load(cDataReader& file) { LoadTable<g_Rows>(file, this); }

// Stream bytes of one element: count, a, b, c (the first `fields` of them kept), string count.
std::vector<uint8_t> ElementBytes(int i, uint32_t fields = 3, uint32_t strings = 0) {
    std::vector<uint8_t> out;
    const auto put = [&out](const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    };
    const int32_t v[3] = {1000 + i, 2000 + i, 3000 + i};
    put(&fields, 4);
    for (uint32_t k = 0; k < fields && k < 3; ++k) put(&v[k], 4);
    if (fields > 3) put(&v[0], 4);
    put(&strings, 4);
    return out;
}

// Four inside: lists of up to four elements and longer ones (on the heap).
using cToyList = cInlineList<cPlainToy, 4>;

struct LOADED {
    cToyList v;
    bool bFailed;
    size_t nPosition;
};

// `held` elements of 99s loaded with n streams from bytes: by LoadRowList
// (bAppend: AppendRowRecords after them), or as resizing and loading each.
LOADED Load(const std::vector<uint8_t>& bytes, size_t held, size_t n, bool bAppend, bool bFast) {
    cToyList v;
    v.resize(held);
    for (auto& e : v) e.a = e.b = e.c = 99;
    cDataReader r(bytes.data(), bytes.size());
    const size_t first = bAppend ? held : 0;
    if (bFast && bAppend) AppendRowRecords<g_Rows>(r, v, n);
    else if (bFast) LoadRowList<g_Rows>(r, v, n);
    else {
        v.resize(first + n);
        LoadRowRecords<g_Rows>(r, v.data() + first, n);
    }
    return LOADED{std::move(v), r.Failed(), r.Position()};
}

void ExpectSame(const std::vector<uint8_t>& bytes, size_t n, const std::string& what) {
    for (size_t held : {0, 2, 7}) {
        for (bool bAppend : {false, true}) {
            const std::string at = what + ", held " + std::to_string(held) + (bAppend ? ", appended" : "");
            const LOADED fast = Load(bytes, held, n, bAppend, true);
            const LOADED slow = Load(bytes, held, n, bAppend, false);
            EXPECT_EQ(fast.bFailed, slow.bFailed) << at;
            EXPECT_EQ(fast.nPosition, slow.nPosition) << at;
            ASSERT_EQ(fast.v.size(), slow.v.size()) << at;
            for (size_t i = 0; i < fast.v.size(); ++i) {
                EXPECT_EQ(fast.v[i].a, slow.v[i].a) << at << " element " << i;
                EXPECT_EQ(fast.v[i].b, slow.v[i].b) << at << " element " << i;
                EXPECT_EQ(fast.v[i].c, slow.v[i].c) << at << " element " << i;
            }
        }
    }
}

class RowImageListTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecordsState(); }
    void TearDown() override { ResetRecordsState(); }
};

TEST_F(RowImageListTest, ListsMadeFromImagesLoadAsResizedListsLoadedOneByOne) {
    constexpr size_t N = 5;
    const auto element = [](int i, uint32_t fields, uint32_t strings) { return ElementBytes(i, fields, strings); };
    const std::vector<uint8_t> whole = JoinedStreams(N, element);
    ExpectSame(whole, N, "whole list");
    ExpectSame(whole, 0, "no elements");
    EXPECT_EQ(Load(whole, 2, N, false, true).v[3].b, 2003);
    for (size_t len = 0; len < whole.size(); ++len)
        ExpectSame(std::vector<uint8_t>(whole.begin(), whole.begin() + len), N, "cut at " + std::to_string(len));
    ForEachOddList(N, element, [](const std::vector<uint8_t>& bytes, const std::string& what) {
        ExpectSame(bytes, N, what);
    });
    nReadVersion = 40;
    const std::vector<uint8_t> older =
        JoinedStreams(N, [](int i, uint32_t, uint32_t) { return ElementBytes(i, 2); });
    ExpectSame(older, N, "version 40");
    ExpectSame(whole, N, "version 40, three fields");
}

}  // namespace
