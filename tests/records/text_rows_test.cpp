// Lists of table records with texts taken and written a run at a time,
// against the same lists loaded and saved element by element: every cut of
// the stream, every version, odd elements among current ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "records/records_state.h"
#include "records/text_rows.h"
#include "records/version.h"
#include "support/list_load.h"
#include "support/written_bytes.h"

namespace {

// Two numbers (one added at version 50) between two texts; an older file
// stores a number that a fix-up replaces, as the database records do.
class cTextToy : public cTableRecord {
public:
    void Layout(uint32_t v) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;

    static inline int s_nLoads = 0;  // calls of Load, to tell the run's own reading from the element's

    std::string strName = "none";
    int32_t a = 0;
    uint16_t b = 0;
    std::string strFile;
};

constexpr FIELDROW<cTextToy> g_Rows[] = {
    {&cTextToy::strName, 0},
    {&cTextToy::a, 4},
    {&cTextToy::b, 2, 50, 0, 7},
    {&cTextToy::strFile, 0},
};
static_assert(WidthsMatch(g_Rows));

void cTextToy::Layout(uint32_t v) { LayoutRows(std::span<const FIELDROW<cTextToy>>(g_Rows), v, this); }
void cTextToy::Load(cDataReader& file) {
    ++s_nLoads;
    LoadRows<g_Rows>(file, this);
    if (nReadVersion < 50) a = -a;
}
void cTextToy::Save(cDataWriter& file) { SaveRows<g_Rows>(file, this); }

// Texts of every kind: empty, short, longer than a string holds inline, with
// a NUL inside (the text ends there) and with carriage returns.
const std::string TEXTS[] = {"", "a", "fifteen chars!!", "sixteen chars!!!", std::string("cut\0here", 8),
                             "a\r\nb\r", "a text long enough to be stored outside the string itself",
                             "a carriage return\r past the first words", std::string("cut\0\rafter", 11),
                             std::string("nine byte\0\r", 11)};
constexpr size_t TEXTNUM = std::size(TEXTS);

void Put(std::vector<uint8_t>& out, const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
}
void PutText(std::vector<uint8_t>& out, const std::string& s) {
    const auto len = static_cast<uint32_t>(s.size() + 1);
    Put(out, &len, 4);
    if (!s.empty()) {
        Put(out, s.data(), s.size());
        out.push_back(0);
    }
}

// Stream bytes of element i: count, a, b (the first `fields` of them), string
// count, then the texts (the first `strings` of them).
std::vector<uint8_t> ElementBytes(size_t i, uint32_t fields = 2, uint32_t strings = 2) {
    std::vector<uint8_t> out;
    const auto a = static_cast<int32_t>(1000 + i);
    const auto b = static_cast<uint16_t>(0x100 + i);
    Put(out, &fields, 4);
    if (fields >= 1) Put(out, &a, 4);
    if (fields >= 2) Put(out, &b, 2);
    Put(out, &strings, 4);
    if (strings >= 1) PutText(out, TEXTS[i % TEXTNUM]);
    if (strings >= 2) PutText(out, TEXTS[(i * 3 + 1) % TEXTNUM]);
    return out;
}

LISTLOAD<cTextToy> LoadList(const std::vector<uint8_t>& bytes, size_t n, bool bRun) {
    std::vector<cTextToy> v(n);
    for (auto& e : v) e.b = 99;  // values a stream does not store stay
    return LoadListEitherWay(
        bytes, std::move(v), [](cDataReader& r, cTextToy* p, size_t k) { LoadTextRowRecords<g_Rows>(r, p, k); }, bRun);
}

void ExpectSameLoad(const std::vector<uint8_t>& bytes, size_t n, const std::string& what) {
    const LISTLOAD<cTextToy> one = LoadList(bytes, n, false);
    const LISTLOAD<cTextToy> run = LoadList(bytes, n, true);
    ExpectSameEnd(run, one, what);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(run.v[i].strName, one.v[i].strName) << what << " element " << i;
        EXPECT_EQ(run.v[i].a, one.v[i].a) << what << " element " << i;
        EXPECT_EQ(run.v[i].b, one.v[i].b) << what << " element " << i;
        EXPECT_EQ(run.v[i].strFile, one.v[i].strFile) << what << " element " << i;
    }
}

// Every cut of `bytes` (the whole stream too) loads the same both ways.
void ExpectSameLoadAtEveryCut(const std::vector<uint8_t>& bytes, size_t n, const std::string& what) {
    for (size_t len = 0; len <= bytes.size(); ++len)
        ExpectSameLoad(std::vector<uint8_t>(bytes.begin(), bytes.begin() + len), n,
                       what + ", cut at " + std::to_string(len));
}

std::vector<uint8_t> ListBytes(size_t n, size_t odd = SIZE_MAX, uint32_t fields = 2, uint32_t strings = 2) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i) {
        const std::vector<uint8_t> e = i == odd ? ElementBytes(i, fields, strings) : ElementBytes(i);
        out.insert(out.end(), e.begin(), e.end());
    }
    return out;
}

class TextRowsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecordsState(); }
    void TearDown() override { ResetRecordsState(); }
};

TEST_F(TextRowsTest, RunsLoadAndSaveAsTheirElementsDoOneByOne) {
    constexpr size_t N = TEXTNUM + 1;
    std::vector<cTextToy> v(N);
    for (size_t i = 0; i < N; ++i) {
        v[i].strName = TEXTS[i % TEXTNUM];
        v[i].a = static_cast<int32_t>(1000 + i);
        v[i].b = static_cast<uint16_t>(0x100 + i);
        v[i].strFile = TEXTS[(i * 3 + 1) % TEXTNUM];
    }
    // Saved: the bytes of the elements' own saves (texts cut at their NUL), at
    // the current version and an older one.
    for (uint32_t version : {DATA_VERSION, 40u}) {
        nDataVersion = version;
        std::vector<cTextToy> one = v, run = v;
        cDataWriter wOne, wRun;
        for (auto& e : one) e.Save(wOne);
        SaveTextRowRecords<g_Rows>(wRun, run.data(), run.size());
        EXPECT_EQ(WrittenBytes(wRun), WrittenBytes(wOne)) << "version " << version;
        for (size_t i = 0; i < N; ++i) {
            EXPECT_EQ(run[i].strName, one[i].strName) << "version " << version << " element " << i;
            EXPECT_EQ(run[i].strFile, one[i].strFile) << "version " << version << " element " << i;
        }
    }
    nDataVersion = DATA_VERSION;

    // Every cut of a current list, with and without carriage returns removed.
    for (int cr : {1, 0}) {
        bRemoveCR = cr;
        ExpectSameLoadAtEveryCut(ListBytes(N), N, "remove CR " + std::to_string(cr));
    }
    bRemoveCR = 1;
    // A current list is read by the run itself; an odd element by its own load.
    cTextToy::s_nLoads = 0;
    EXPECT_EQ(LoadList(ListBytes(N), N, true).v[5].strName, "a\nb");
    EXPECT_EQ(cTextToy::s_nLoads, 0);
    LoadList(ListBytes(5, 2, 1, 2), 5, true);
    EXPECT_EQ(cTextToy::s_nLoads, 1);
    // An element in the middle that stores fewer or more fields or texts.
    const std::vector<std::pair<uint32_t, uint32_t>> odd = {{1, 2}, {0, 0}, {3, 2}, {2, 1}, {2, 0}, {2, 3}};
    for (const auto& [fields, strings] : odd)
        ExpectSameLoadAtEveryCut(ListBytes(5, 2, fields, strings), 5,
                                 std::to_string(fields) + " fields, " + std::to_string(strings) + " texts");
    // A text whose length runs past the stream, in the middle of a list.
    std::vector<uint8_t> bad = ListBytes(3);
    const std::vector<uint8_t> first = ElementBytes(0);
    const uint32_t huge = 0x7FFFFFF0;
    std::memcpy(bad.data() + first.size() + 14, &huge, 4);
    ExpectSameLoad(bad, 3, "text past the end");
    EXPECT_TRUE(LoadList(bad, 3, true).bFailed);
    // Files of other versions: every element by its own load (a fix-up below 50).
    for (uint32_t version : {40u, 50u, DATA_VERSION - 1}) {
        nReadVersion = version;
        const uint32_t fields = version < 50 ? 1 : 2;
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i < 4; ++i) {
            const std::vector<uint8_t> e = ElementBytes(i, fields);
            bytes.insert(bytes.end(), e.begin(), e.end());
        }
        ExpectSameLoadAtEveryCut(bytes, 4, "version " + std::to_string(version));
    }
}

// Texts of every length up to 40 with a NUL and a carriage return at every
// place each, among bytes a word-wise search could take for either: the end
// is the first NUL, and a carriage return counts only before it.
TEST(TextEndTest, FindsTheFirstNulAndACarriageReturnBeforeItAtEveryPlace) {
    for (size_t len = 0; len <= 40; ++len) {
        for (size_t nul = 0; nul <= len; ++nul) {
            for (size_t cr = 0; cr <= len; ++cr) {
                std::string text;
                for (size_t i = 0; i < len; ++i)
                    text += static_cast<char>(i % 3 == 0 ? 0x01 : (i % 3 == 1 ? 0x8D : 0x0C));
                if (cr < len) text[cr] = '\r';
                if (nul < len) text[nul] = '\0';
                const size_t expectEnd = std::min(text.find('\0'), len);
                const bool expectCR = text.substr(0, expectEnd).find('\r') != std::string::npos;
                bool bCR = !expectCR;
                EXPECT_EQ(FindTextEnd(text.data(), len, bCR), expectEnd) << len << " " << nul << " " << cr;
                EXPECT_EQ(bCR, expectCR) << len << " " << nul << " " << cr;
                // The block search, with bytes past the text that hold both a
                // NUL and a carriage return, and with too few of them to read.
                std::string room = text + std::string("\r\0\r\0\r\0\r\0\r\0\r\0\r\0\r", 15);
                const auto* end = reinterpret_cast<const uint8_t*>(room.data() + room.size());
                for (const uint8_t* pEnd : {end, end - 1}) {
                    bCR = !expectCR;
                    EXPECT_EQ(FindTextEndIn(room.data(), len, pEnd, bCR), expectEnd) << len << " " << nul << " " << cr;
                    EXPECT_EQ(bCR, expectCR) << len << " " << nul << " " << cr;
                }
            }
        }
    }
}

// The first NUL of strings of every length up to 40, short ones both in
// place and in a heap buffer, with a NUL at every place.
TEST(TextEndTest, FindsTheFirstNulOfAStringAtEveryPlace) {
    for (size_t len = 0; len <= 40; ++len) {
        for (size_t nul = 0; nul <= len; ++nul) {
            for (const bool bHeap : {false, true}) {
                std::string s;
                if (bHeap) s.reserve(64);
                s.assign(len, '\x01');
                if (nul < len) s[nul] = '\0';
                EXPECT_EQ(FindStringNul(s), std::min(nul, len)) << len << " " << nul << " " << bHeap;
            }
        }
    }
}
}  // namespace
