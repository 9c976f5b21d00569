// The compact text member against a string member in the same table: every
// load and save path gives the same bytes and the same texts, and an empty
// text keeps no string.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/records_state.h"
#include "records/text.h"
#include "records/text_rows.h"
#include "records/version.h"
#include "support/written_bytes.h"

namespace {

// Two texts around a number, the second added at version 50; S is the text type.
template <class S>
class cPair : public cTableRecord {
public:
    void Layout(uint32_t v) override;
    void Load(cDataReader& file) override;
    void Save(cDataWriter& file) override;
    void ClearTable();

    S strA = "kept";
    int32_t n = 0;
    S strB = "kept";
};

template <class S>
constexpr FIELDROW<cPair<S>> PAIR_ROWS[] = {{&cPair<S>::strA, 0}, {&cPair<S>::n, 4}, {&cPair<S>::strB, 0, 50}};
static_assert(WidthsMatch(PAIR_ROWS<cText>));

template <class S>
void cPair<S>::Layout(uint32_t v) {
    this->LayoutRows(std::span<const FIELDROW<cPair>>(PAIR_ROWS<S>), v, this);
}
template <class S>
void cPair<S>::Load(cDataReader& file) {
    this->template LoadRows<PAIR_ROWS<S>>(file, this);
}
template <class S>
void cPair<S>::Save(cDataWriter& file) {
    this->template SaveRows<PAIR_ROWS<S>>(file, this);
}
template <class S>
void cPair<S>::ClearTable() {
    this->template ClearRows<PAIR_ROWS<S>>(this);
}

using STRPAIR = cPair<std::string>;
using TEXTPAIR = cPair<cText>;

// Whether t keeps no string (it reads as the shared empty one).
bool KeepsNone(const cText& t) { return &t.Str() == &cText().Str(); }

// t as s is, keeping a string only when it is not empty.
void ExpectSame(const cText& t, const std::string& s, const std::string& what) {
    EXPECT_EQ(t.Str(), s) << what;
    EXPECT_EQ(t.empty(), s.empty()) << what;
    EXPECT_EQ(KeepsNone(t), s.empty()) << what;
}
void ExpectSame(const TEXTPAIR& t, const STRPAIR& s, const std::string& what) {
    ExpectSame(t.strA, s.strA, what + ", A");
    EXPECT_EQ(t.n, s.n) << what;
    ExpectSame(t.strB, s.strB, what + ", B");
}

const std::string TEXTS[] = {"", "a", "\r\r", "a\r\nb\r", "fifteen chars!!", std::string("\0cut", 4),
                             std::string("cut\0\rhere", 9), "a text long enough to be kept outside the string"};

// The stream of a pair as a file of version v stores it, the texts whole
// (NULs and carriage returns in them kept).
std::vector<uint8_t> RawBytes(const std::string& a, int32_t n, const std::string& b, uint32_t v) {
    std::vector<uint8_t> out;
    const auto put = [&out](const void* p, size_t k) {
        const auto* c = static_cast<const uint8_t*>(p);
        out.insert(out.end(), c, c + k);
    };
    const uint32_t fields = 1, texts = v >= 50 ? 2 : 1;
    put(&fields, 4);
    put(&n, 4);
    put(&texts, 4);
    for (uint32_t k = 0; k < texts; ++k) {
        const std::string& t = k ? b : a;
        const auto len = static_cast<uint32_t>(t.size() + 1);
        put(&len, 4);
        if (!t.empty()) put(t.c_str(), len);
    }
    return out;
}

class TextTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecordsState(); }
    void TearDown() override { ResetRecordsState(); }
};

// Saved and loaded at the current version and an older one, by the table,
// by the registry and as a run: the bytes and texts of the string pair.
// Loads start from set texts, which every stored text replaces.
TEST_F(TextTest, EveryPathReadsAndWritesAsAStringDoes) {
    for (uint32_t v : {DATA_VERSION, 40u}) {
        for (int cr : {1, 0}) {
            bRemoveCR = cr;
            for (size_t i = 0; i < std::size(TEXTS); ++i) {
                const std::string& a = TEXTS[i];
                const std::string& b = TEXTS[(i * 3 + 1) % std::size(TEXTS)];
                const std::string what = "version " + std::to_string(v) + ", remove CR " + std::to_string(cr) +
                                         ", text " + std::to_string(i);
                STRPAIR s;
                TEXTPAIR t;
                s.strA = t.strA = a;
                s.strB = t.strB = b;
                s.n = t.n = static_cast<int32_t>(i);
                // Each save of its own copy: every one cuts the texts at their NUL.
                TEXTPAIR run = t, registry = t;
                nDataVersion = v;
                cDataWriter ws, wt, wts, wtt, wrs, wrt;
                s.Save(ws);
                t.Save(wt);
                SaveTextRowRecords<PAIR_ROWS<std::string>>(wts, &s, 1);
                SaveTextRowRecords<PAIR_ROWS<cText>>(wtt, &run, 1);
                s.cRecord::Save(wrs);
                registry.cRecord::Save(wrt);
                nDataVersion = DATA_VERSION;
                const std::vector<uint8_t> bytes = WrittenBytes(ws);
                EXPECT_EQ(WrittenBytes(wt), bytes) << what;
                EXPECT_EQ(WrittenBytes(wts), bytes) << what;
                EXPECT_EQ(WrittenBytes(wtt), bytes) << what;
                EXPECT_EQ(WrittenBytes(wrs), bytes) << what;
                EXPECT_EQ(WrittenBytes(wrt), bytes) << what;
                ExpectSame(t, s, what + ", cut by the save");
                ExpectSame(run, s, what + ", cut by the run save");
                ExpectSame(registry, s, what + ", cut by the registry save");

                nReadVersion = v;
                const std::vector<uint8_t> raw = RawBytes(a, 7, b, v);
                STRPAIR ls, rs, xs[1];
                TEXTPAIR lt, rt, xt[1];
                cDataReader r1(raw.data(), raw.size()), r2(raw.data(), raw.size()), r3(raw.data(), raw.size()),
                    r4(raw.data(), raw.size()), r5(raw.data(), raw.size()), r6(raw.data(), raw.size());
                ls.Load(r1);
                lt.Load(r2);
                rs.cRecord::Load(r3);
                rt.cRecord::Load(r4);
                LoadTextRowRecords<PAIR_ROWS<std::string>>(r5, xs, 1);
                LoadTextRowRecords<PAIR_ROWS<cText>>(r6, xt, 1);
                nReadVersion = DATA_VERSION;
                ExpectSame(lt, ls, what + ", table load");
                ExpectSame(rt, rs, what + ", registry load");
                ExpectSame(xt[0], xs[0], what + ", run load");
                EXPECT_FALSE(r2.Failed() || r4.Failed() || r6.Failed()) << what;
                EXPECT_EQ(r6.Remaining(), 0u) << what;

                // Carriage returns removed, cleared, copied through the registry.
                STRPAIR cs = s;
                TEXTPAIR ct = t;
                cs.RemoveCR();
                ct.RemoveCR();
                ExpectSame(ct, cs, what + ", CR removed");
                TEXTPAIR copied;
                copied.CopyValues(t);
                ExpectSame(copied, s, what + ", copied values");
                cs = s;
                ct = t;
                cs.ClearTable();
                ct.ClearTable();
                ExpectSame(ct, cs, what + ", table clear");
                ct = t;
                ct.cRecord::Clear();
                EXPECT_TRUE(KeepsNone(ct.strA) && KeepsNone(ct.strB)) << what;
            }
        }
    }
}

TEST_F(TextTest, CopiesAreApartAndEmptyTextsKeepNoString) {
    cText a = "abc";
    cText b = a;
    b += "d";
    EXPECT_EQ(a, "abc");
    EXPECT_EQ(b, "abcd");
    b = a;
    EXPECT_EQ(b, a);
    EXPECT_NE(&b.Str(), &a.Str());
    const cText moved = std::move(b);
    EXPECT_EQ(moved, "abc");
    EXPECT_TRUE(KeepsNone(b));  // NOLINT(bugprone-use-after-move): a moved text is empty
    b = moved;
    b = "";
    EXPECT_TRUE(KeepsNone(b));
    b = std::string("x");
    b.Edit().clear();
    b.ReleaseIfEmpty();
    EXPECT_TRUE(KeepsNone(b));
    b += "";
    EXPECT_TRUE(KeepsNone(b));
    b = a;
    const cText& self = b;
    b = self;
    EXPECT_EQ(b, "abc");
    EXPECT_EQ(std::string("abc"), b);
    EXPECT_EQ(cText().c_str(), std::string());
}

}  // namespace
