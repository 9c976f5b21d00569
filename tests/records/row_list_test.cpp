// Lists of string-less table records taken and written in bulk, against the
// same lists loaded and saved element by element; and the texts of record
// streams at every short length.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "records/field_table.h"
#include "records/records_state.h"
#include "records/version.h"
#include "support/list_load.h"
#include "support/written_bytes.h"

namespace {

// Three numbers, one added at version 50: a stream of an older version, or
// one that stores fewer fields, takes the element's own load.
class cFrameToy : public cTableRecord {
public:
    void Layout(uint32_t v) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    int32_t a = 0;
    uint16_t b = 0;
    uint8_t c = 0;
};

constexpr FIELDROW<cFrameToy> g_FrameRows[] = {
    {&cFrameToy::a, 4},
    {&cFrameToy::b, 2},
    {&cFrameToy::c, 1, 50, 0, 7},
};
static_assert(WidthsMatch(g_FrameRows));

void cFrameToy::Layout(uint32_t v) { LayoutRows(std::span<const FIELDROW<cFrameToy>>(g_FrameRows), v, this); }
void cFrameToy::Load(cDataReader& file) { LoadRows<g_FrameRows>(file, this); }
void cFrameToy::Save(cDataWriter& file) { SaveRows<g_FrameRows>(file, this); }

// Stream bytes of one element: count, a, b, c (the last `fields` of them kept), string count.
std::vector<uint8_t> ElementBytes(int i, uint32_t fields = 3, uint32_t strings = 0) {
    std::vector<uint8_t> out;
    const auto put = [&out](const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    };
    const int32_t a = 1000 + i;
    const uint16_t b = static_cast<uint16_t>(0x100 + i);
    const uint8_t c = static_cast<uint8_t>(i);
    put(&fields, 4);
    if (fields >= 1) put(&a, 4);
    if (fields >= 2) put(&b, 2);
    if (fields >= 3) put(&c, 1);
    put(&strings, 4);
    return out;
}

LISTLOAD<cFrameToy> LoadList(const std::vector<uint8_t>& bytes, size_t n, bool bBulk) {
    std::vector<cFrameToy> v(n);
    for (auto& e : v) e.c = 99;  // values a stream does not store stay
    return LoadListEitherWay(bytes, std::move(v), LoadRowRecords<g_FrameRows, cFrameToy>, bBulk);
}

void ExpectSameLoad(const std::vector<uint8_t>& bytes, size_t n, const std::string& what) {
    const LISTLOAD<cFrameToy> one = LoadList(bytes, n, false);
    const LISTLOAD<cFrameToy> bulk = LoadList(bytes, n, true);
    ExpectSameEnd(bulk, one, what);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(bulk.v[i].a, one.v[i].a) << what << " element " << i;
        EXPECT_EQ(bulk.v[i].b, one.v[i].b) << what << " element " << i;
        EXPECT_EQ(bulk.v[i].c, one.v[i].c) << what << " element " << i;
    }
}

// Plain values of three numbers: one whose rows lie in the object as in the
// stream (its image is its own bytes, copied whole), one whose rows do not.
struct cInOrderToy {
    void Save(cDataWriter& file);
    int32_t a = 0, b = 0, c = 0;
};
constexpr FIELDROW<cInOrderToy> g_InOrderRows[] = {{&cInOrderToy::a, 4}, {&cInOrderToy::b, 4}, {&cInOrderToy::c, 4}};
void cInOrderToy::Save(cDataWriter& file) { SaveTable<g_InOrderRows>(file, this); }
struct cSwappedToy {
    void Save(cDataWriter& file);
    int32_t c = 0, a = 0, b = 0;
};
constexpr FIELDROW<cSwappedToy> g_SwappedRows[] = {{&cSwappedToy::a, 4}, {&cSwappedToy::b, 4}, {&cSwappedToy::c, 4}};
void cSwappedToy::Save(cDataWriter& file) { SaveTable<g_SwappedRows>(file, this); }

// n values 10i + 1, 10i + 2, 10i + 3 written in bulk.
template <const auto& ROWS, class T>
std::vector<uint8_t> BulkValueBytes(size_t n) {
    std::vector<T> v(n);
    for (size_t i = 0; i < n; ++i) {
        v[i].a = static_cast<int32_t>(10 * i + 1);
        v[i].b = static_cast<int32_t>(10 * i + 2);
        v[i].c = static_cast<int32_t>(10 * i + 3);
    }
    cDataWriter w;
    SaveRowRecords<ROWS>(w, v.data(), v.size());
    return WrittenBytes(w);
}

class RowListTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecordsState(); }
    void TearDown() override { ResetRecordsState(); }
};

TEST_F(RowListTest, BulkListsLoadAndSaveAsTheirElementsDoOneByOne) {
    constexpr size_t N = 5;
    std::vector<cFrameToy> v(N);
    std::vector<uint8_t> whole;
    for (size_t i = 0; i < N; ++i) {
        v[i].a = 1000 + static_cast<int>(i);
        v[i].b = static_cast<uint16_t>(0x100 + i);
        v[i].c = static_cast<uint8_t>(i);
        const std::vector<uint8_t> e = ElementBytes(static_cast<int>(i));
        whole.insert(whole.end(), e.begin(), e.end());
    }
    // Saved: the bytes of the elements' own saves, at the current version and an older one.
    for (uint32_t version : {DATA_VERSION, 40u}) {
        nDataVersion = version;
        cDataWriter one, bulk;
        for (auto& e : v) e.Save(one);
        SaveRowRecords<g_FrameRows>(bulk, v.data(), v.size());
        EXPECT_EQ(WrittenBytes(bulk), WrittenBytes(one)) << "version " << version;
        if (version == DATA_VERSION) {
            EXPECT_EQ(WrittenBytes(bulk), whole);
        }
    }
    nDataVersion = DATA_VERSION;

    ExpectSameLoad(whole, N, "whole list");
    EXPECT_EQ(LoadList(whole, N, true).v[3].c, 3);
    // Every shorter stream fails where the elements' own loads fail.
    for (size_t len = 0; len < whole.size(); ++len)
        ExpectSameLoad(std::vector<uint8_t>(whole.begin(), whole.begin() + len), N, "cut at " + std::to_string(len));
    // An element that stores fewer fields, or too many, or a string, in the middle.
    ForEachOddList(N, ElementBytes, [](const std::vector<uint8_t>& bytes, const std::string& what) {
        ExpectSameLoad(bytes, N, what);
    });
    // A file of an older version: every element by its own load.
    nReadVersion = 40;
    const std::vector<uint8_t> older =
        JoinedStreams(N, [](int i, uint32_t, uint32_t) { return ElementBytes(i, 2); });
    ExpectSameLoad(older, N, "version 40");
    ExpectSameLoad(whole, N, "version 40, three fields");
}

TEST_F(RowListTest, PlainValuesAreWrittenAsTheirRowsInStoredOrderWhetherCopiedWholeOrNot) {
    EXPECT_TRUE(IMAGE_IS_VALUE<g_InOrderRows>);
    EXPECT_FALSE(IMAGE_IS_VALUE<g_SwappedRows>);
    for (size_t n : {0u, 1u, 5u, 8u}) {
        std::vector<uint8_t> want;
        for (size_t i = 0; i < n; ++i) {
            const int32_t words[5] = {3, static_cast<int32_t>(10 * i + 1), static_cast<int32_t>(10 * i + 2),
                                      static_cast<int32_t>(10 * i + 3), 0};
            const auto* b = reinterpret_cast<const uint8_t*>(words);
            want.insert(want.end(), b, b + sizeof words);
        }
        EXPECT_EQ((BulkValueBytes<g_InOrderRows, cInOrderToy>(n)), want) << n << " in order";
        EXPECT_EQ((BulkValueBytes<g_SwappedRows, cSwappedToy>(n)), want) << n << " swapped";
    }
}

// Texts of every length up to 20 with a NUL, a carriage return or neither at
// every place, beside bytes that a word-wise search could take for them: a
// loaded text ends at its first NUL, a saved one is cut there, and removing
// carriage returns removes all of them and nothing else.
TEST_F(RowListTest, TextsOfEveryShortLengthEndAtTheirFirstNulAndLoseTheirCarriageReturns) {
    for (size_t len = 0; len <= 20; ++len) {
        for (size_t at = 0; at <= len; ++at) {
            for (char mark : {'\0', '\r'}) {
                std::string text;
                for (size_t i = 0; i < len; ++i) text += static_cast<char>(i % 3 == 0 ? 0x01 : (i % 3 == 1 ? 0x8D : 'a'));
                if (at < len) text[at] = mark;
                if (at + 2 < len) text[at + 2] = mark;
                const std::string what = "length " + std::to_string(len) + ", mark at " + std::to_string(at);
                const std::string beforeNul = text.substr(0, text.find('\0'));

                std::vector<uint8_t> stream(4);
                const auto word = static_cast<uint32_t>(len + 1);
                std::memcpy(stream.data(), &word, 4);
                if (len > 0) {  // an empty text is its length word alone
                    stream.insert(stream.end(), text.begin(), text.end());
                    stream.push_back(0);
                }
                cDataReader r(stream.data(), stream.size());
                std::string loaded = "old";
                LoadStreamString(r, loaded);
                EXPECT_FALSE(r.Failed()) << what;
                EXPECT_EQ(r.Remaining(), 0u) << what;
                EXPECT_EQ(loaded, beforeNul) << what;

                std::string saved = text;
                cDataWriter w;
                SaveStreamString(w, saved);
                EXPECT_EQ(saved, beforeNul) << what;
                std::vector<uint8_t> expect(4);
                const auto savedWord = static_cast<uint32_t>(beforeNul.size() + 1);
                std::memcpy(expect.data(), &savedWord, 4);
                if (!beforeNul.empty()) {
                    expect.insert(expect.end(), beforeNul.begin(), beforeNul.end());
                    expect.push_back(0);
                }
                EXPECT_EQ(WrittenBytes(w), expect) << what;

                std::string noCR = text;
                RemoveCarriageReturns(noCR);
                std::string expectNoCR;
                for (char ch : text)
                    if (ch != '\r') expectNoCR += ch;
                EXPECT_EQ(noCR, expectNoCR) << what;
            }
        }
    }
}

}  // namespace
