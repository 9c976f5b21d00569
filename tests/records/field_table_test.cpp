#include "records/field_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "records/records_state.h"
#include "records/version.h"
#include "support/written_bytes.h"

namespace {

// Every member kind a table holds: a value dropped at 100, one added at 50, a
// string added at 120; the members lie in the object in stored order, so the
// rows from `w` to `arr` form runs.
class cToy : public cTableRecord {
public:
    uint8_t by = 0;
    int8_t ch = 0;
    uint16_t w = 0;
    int16_t s = 0;
    int32_t n = 0;
    uint32_t u = 0;
    double d = 0;
    int16_t arr[3] = {};
    std::string str1, str2;

    static std::span<const FIELDROW<cToy>> Rows();
    // The same fields without str1 and with the numbers reordered: a second table of the class.
    static std::span<const FIELDROW<cToy>> OtherRows();

    bool bSkipD = false;    // the layout variant without d
    bool bOther = false;    // use OtherRows
    void Layout(uint32_t v) override { LayoutRows(Table(), v, this, Skip()); }
    void Load(cDataReader& file) override { LoadRows(file, Table(), this, Skip()); }
    void Save(cDataWriter& file) override { SaveRows(file, Table(), this); }
    void ClearTable() { ClearRows(Table(), this); }
    void LoadAfter(cDataReader& file, uint32_t count) { LoadRowsAfterCount(file, count, Table(), this, Skip()); }
    size_t StoredNumeric() { return StoredNumericRows(Table(), this); }

private:
    std::span<const FIELDROW<cToy>> Table() const { return bOther ? OtherRows() : Rows(); }
    const FIELDROW<cToy>::MEMBER* Skip() const;
};

using T = cToy;
constexpr FIELDROW<T> g_Rows[] = {
    {&T::by, 1},     {&T::ch, 1},   {&T::w, 2},       {std::monostate{}, 2, 0, 100},
    {&T::s, 2},      {&T::n, 4, 50}, {&T::str1, 0},   {&T::u, 4},
    {&T::d, 8},      {&T::arr, 2},  {&T::str2, 0, 120},
};
static_assert(WidthsMatch(g_Rows));
constexpr FIELDROW<T> g_OtherRows[] = {{&T::u, 4}, {&T::by, 1}, {&T::d, 8}, {&T::str2, 0}};
static_assert(WidthsMatch(g_OtherRows));
const FIELDROW<T>::MEMBER g_D{&T::d};

std::span<const FIELDROW<cToy>> cToy::Rows() { return g_Rows; }
std::span<const FIELDROW<cToy>> cToy::OtherRows() { return g_OtherRows; }
const FIELDROW<cToy>::MEMBER* cToy::Skip() const { return bSkipD ? &g_D : nullptr; }

cToy Filled() {
    cToy t;
    t.by = 0x81;
    t.ch = -2;
    t.w = 0x0302;
    t.s = -3;
    t.n = 0x07060504;
    t.u = 0x0b0a0908;
    t.d = 1.5;
    t.arr[0] = 0x0d0c, t.arr[1] = 0x0f0e, t.arr[2] = 0x1110;
    t.str1 = "one";
    t.str2 = "two";
    return t;
}

std::vector<uint8_t> TableBytes(cToy& t) {
    cDataWriter w;
    t.Save(w);
    return w.TakeBytes();
}

std::vector<uint8_t> RegistryBytes(cToy& t) {
    cDataWriter w;
    t.cRecord::Save(w);
    return w.TakeBytes();
}

bool SameValues(const cToy& a, const cToy& b) {
    return a.by == b.by && a.ch == b.ch && a.w == b.w && a.s == b.s && a.n == b.n && a.u == b.u && a.d == b.d &&
           std::memcmp(a.arr, b.arr, sizeof a.arr) == 0 && a.str1 == b.str1 && a.str2 == b.str2;
}

class FieldTableTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecordsState(); }
    void TearDown() override { ResetRecordsState(); }
};

TEST_F(FieldTableTest, StreamBytesAreTheFieldImagesInTableOrder) {
    cToy t = Filled();
    const std::vector<uint8_t> expect = {
        8, 0, 0, 0,                   // numeric fields at the current version (the dropped one not)
        0x81, 0xfe, 0x02, 0x03,       // by, ch, w
        0xfd, 0xff,                   // s
        0x04, 0x05, 0x06, 0x07,       // n
        0x08, 0x09, 0x0a, 0x0b,       // u
        0, 0, 0, 0, 0, 0, 0xf8, 0x3f, // d = 1.5
        0x0c, 0x0d, 0x0e, 0x0f, 0x10, 0x11,  // arr, one field of three
        2, 0, 0, 0,                   // strings in table order
        4, 0, 0, 0, 'o', 'n', 'e', 0,
        4, 0, 0, 0, 't', 'w', 'o', 0,
    };
    EXPECT_EQ(TableBytes(t), expect);
}

TEST_F(FieldTableTest, StreamsOfEveryVersionMatchTheRegistry) {
    for (uint32_t v : {1u, 49u, 50u, 99u, 100u, 119u, 120u, DATA_VERSION}) {
        for (bool bSkip : {false, true}) {
            nDataVersion = v;
            cToy t = Filled();
            if (!bSkip) {
                EXPECT_EQ(TableBytes(t), RegistryBytes(t)) << v;
            }
            // Loads of every stored count agree with the generic load, scratch
            // rows included; the variant's stream is the registry's without d.
            t.bSkipD = bSkip;
            const std::vector<uint8_t> full = RegistryBytes(t);
            uint32_t count = 0;
            std::memcpy(&count, full.data(), 4);
            nReadVersion = v;
            nDataVersion = DATA_VERSION;
            for (uint32_t k = 0; k <= count; ++k) {
                std::vector<uint8_t> bytes = full;
                std::memcpy(bytes.data(), &k, 4);
                // Drop the numeric bytes past field k: find where they end through the registry.
                cToy probe = Filled();
                probe.bSkipD = bSkip;
                probe.Layout(v);
                size_t at = 4, end = 4;
                for (size_t i = 0; i < probe.Fields().size(); ++i) {
                    const size_t len = probe.Fields()[i].nCount * static_cast<size_t>(probe.Fields()[i].nSize);
                    if (i < k) at += len;
                    end += len;
                }
                bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(end));
                cToy a, b;
                a.bSkipD = b.bSkipD = bSkip;
                a.d = b.d = 9.0;  // kept when left out or beyond the count
                cDataReader ra(bytes.data(), bytes.size()), rb(bytes.data(), bytes.size());
                a.Load(ra);
                b.cRecord::Load(rb);
                ASSERT_FALSE(ra.Failed()) << v << " " << k;
                ASSERT_FALSE(rb.Failed()) << v << " " << k;
                EXPECT_EQ(ra.Remaining(), 0u);
                EXPECT_TRUE(SameValues(a, b)) << v << " count " << k << (bSkip ? " without d" : "");
            }
        }
    }
}

TEST_F(FieldTableTest, LeftOutMemberKeepsItsValueAndIsNotCounted) {
    cToy t = Filled();
    t.bSkipD = true;
    EXPECT_EQ(t.StoredNumeric(), 8u);  // the count is that of the full layout
    t.Layout(DATA_VERSION);
    EXPECT_EQ(t.Fields().size(), 7u);
    nDataVersion = DATA_VERSION;
    cToy src = Filled();
    src.d = 2.5;
    src.u = 77;
    std::vector<uint8_t> bytes = TableBytes(src);
    bytes.erase(bytes.begin() + 4 + 14, bytes.begin() + 4 + 22);  // the eight bytes of d
    cToy dst;
    dst.bSkipD = true;
    dst.d = 9.0;
    cDataReader r(bytes.data(), bytes.size());
    const uint32_t count = r.ReadU32();
    EXPECT_EQ(count, 8u);  // the stream still says eight: the caller picks the variant
    dst.LoadAfter(r, 7);
    ASSERT_FALSE(r.Failed());
    EXPECT_EQ(dst.d, 9.0);
    EXPECT_EQ(dst.u, 77u);
    EXPECT_EQ(dst.arr[2], 0x1110);
    EXPECT_EQ(dst.str2, "two");
}

TEST_F(FieldTableTest, SaveAfterLoadingAnOlderFileWritesZerosForADroppedValue) {
    // A version-99 stream whose dropped value is not zero, loaded by the
    // generic load and saved again at 99: both saves write zeros there.
    nDataVersion = nReadVersion = 99;
    cToy src = Filled();
    std::vector<uint8_t> bytes = RegistryBytes(src);
    const size_t at = 4 + 4;  // after the count word and by, ch, w
    bytes[at] = 0xAB;
    bytes[at + 1] = 0xCD;
    cToy t;
    cDataReader r(bytes.data(), bytes.size());
    t.cRecord::Load(r);
    ASSERT_FALSE(r.Failed());
    const std::vector<uint8_t> generic = RegistryBytes(t);
    EXPECT_EQ(generic, TableBytes(t));
    ASSERT_GT(generic.size(), at + 1);
    EXPECT_EQ(generic[at], 0);
    EXPECT_EQ(generic[at + 1], 0);
}

TEST_F(FieldTableTest, ClearZeroesNumbersAndEmptiesStrings) {
    cToy t = Filled();
    t.ClearTable();
    EXPECT_TRUE(SameValues(t, cToy()));
}

TEST_F(FieldTableTest, DamagedStreamsAreRefused) {
    cToy src = Filled();
    const std::vector<uint8_t> full = TableBytes(src);
    {
        // A field count above the table's.
        std::vector<uint8_t> b = full;
        b[0] = 10;
        cToy t;
        cDataReader r(b.data(), b.size());
        t.Load(r);
        EXPECT_TRUE(r.Failed());
    }
    {
        // A string count above the table's.
        std::vector<uint8_t> b = full;
        b[4 + 28] = 3;
        cToy t;
        cDataReader r(b.data(), b.size());
        t.Load(r);
        EXPECT_TRUE(r.Failed());
    }
    // Cut inside the numbers: no member is written.
    for (size_t cut = 4; cut < 4 + 28; ++cut) {
        cToy t;
        cDataReader r(full.data(), cut);
        t.Load(r);
        EXPECT_TRUE(r.Failed()) << cut;
        EXPECT_TRUE(SameValues(t, cToy())) << cut;
    }
}

TEST_F(FieldTableTest, LoadedStringsLoseCarriageReturnsAsInTheGenericLoad) {
    cToy src;
    src.str1 = "a\r\nb";
    std::vector<uint8_t> bytes = TableBytes(src);
    bytes.resize(bytes.size() - 4);  // drop str2 (empty: its length word alone)
    bytes[4 + 28] = 1;               // one string stored
    cToy t, g;
    t.str2 = g.str2 = "kept\r";
    cDataReader rt(bytes.data(), bytes.size()), rg(bytes.data(), bytes.size());
    t.Load(rt);
    g.cRecord::Load(rg);
    ASSERT_FALSE(rt.Failed());
    EXPECT_EQ(t.str1, "a\nb");
    EXPECT_TRUE(SameValues(t, g));  // the string the stream lacks loses them too
    bRemoveCR = 0;
    cDataReader r2(bytes.data(), bytes.size());
    t.Load(r2);
    EXPECT_EQ(t.str1, "a\r\nb");
}

TEST_F(FieldTableTest, TablesAndVersionsThatAlternateKeepTheirOwnPlans) {
    // Loads that switch table, version and variant record by record, more
    // combinations than the plans kept: every load reads its own layout.
    cToy src = Filled();
    for (int round = 0; round < 3; ++round) {
        for (uint32_t v : {40u, 120u, DATA_VERSION}) {
            for (int mode = 0; mode < 3; ++mode) {
                nDataVersion = v;
                src.bOther = mode == 2;
                src.bSkipD = mode == 1;  // the variant reads the registry's stream without d
                const std::vector<uint8_t> bytes = RegistryBytes(src);
                nDataVersion = DATA_VERSION;
                nReadVersion = v;
                cToy a, b;
                a.bOther = b.bOther = mode == 2;
                a.bSkipD = b.bSkipD = mode == 1;
                cDataReader ra(bytes.data(), bytes.size()), rb(bytes.data(), bytes.size());
                a.Load(ra);
                b.cRecord::Load(rb);
                ASSERT_FALSE(ra.Failed()) << v << " mode " << mode;
                EXPECT_EQ(ra.Remaining(), 0u) << v << " mode " << mode;
                EXPECT_TRUE(SameValues(a, b)) << v << " mode " << mode;
            }
        }
    }
}

// A table with a dropped value that the current version still stores (read
// past, written as zeros) and one element of an array.
constexpr FIELDROW<T> g_ScratchRows[] = {
    {&T::by, 1}, {std::monostate{}, 2}, {&T::w, 2}, {&T::str1, 0}, {&T::arr, 2, 0, 0, 0, "", 1}, {&T::n, 4},
};
static_assert(WidthsMatch(g_ScratchRows));

// cToy through the fixed image of a table known at compile time, and through
// the plan of the same table.
template <const auto& ROWS>
class cFixedToy : public cToy {
public:
    void Load(cDataReader& file) override { LoadRows<ROWS>(file, this); }
    void Save(cDataWriter& file) override { SaveRows<ROWS>(file, this); }
    void ClearFixed() { ClearRows<ROWS>(this); }
};
template <const auto& ROWS>
class cPlanToy : public cToy {
public:
    void Load(cDataReader& file) override { LoadRows(file, Table(), Self()); }
    void Save(cDataWriter& file) override { SaveRows(file, Table(), Self()); }
    void ClearPlan() { ClearRows(Table(), Self()); }

private:
    static std::span<const FIELDROW<cToy>> Table() { return ROWS; }
    cToy* Self() { return this; }
};

std::vector<uint8_t> SavedBytes(cRecord& r) {
    cDataWriter w;
    r.Save(w);
    return w.TakeBytes();
}

// The fixed image writes the plan's bytes at every version, and every load of
// a stream cut anywhere (or with its dropped value set) reads what the plan
// reads, fails where it fails and stops where it stops.
template <const auto& ROWS>
void ExpectTheFixedImageIsThePlan(const char* table) {
    for (uint32_t v : {40u, 99u, 120u, DATA_VERSION}) {
        nDataVersion = v;
        cFixedToy<ROWS> fixed;
        cPlanToy<ROWS> plan;
        static_cast<cToy&>(fixed) = Filled();
        static_cast<cToy&>(plan) = Filled();
        fixed.str1 = plan.str1 = "a\r\nb";
        std::vector<uint8_t> bytes = SavedBytes(plan);
        EXPECT_EQ(SavedBytes(fixed), bytes) << table << " " << v;
        if (static_cast<const void*>(&ROWS) == &g_ScratchRows) bytes[4 + 1] = 0xAB;  // the dropped value as an old file may hold it
        nDataVersion = DATA_VERSION;
        nReadVersion = v;
        for (size_t cut = 0; cut <= bytes.size(); ++cut) {
            cFixedToy<ROWS> a;
            cPlanToy<ROWS> b;
            a.d = b.d = 9.0;
            cDataReader ra(bytes.data(), cut), rb(bytes.data(), cut);
            a.Load(ra);
            b.Load(rb);
            EXPECT_EQ(ra.Failed(), rb.Failed()) << table << " " << v << " cut " << cut;
            EXPECT_EQ(ra.Position(), rb.Position()) << table << " " << v << " cut " << cut;
            EXPECT_TRUE(SameValues(a, b)) << table << " " << v << " cut " << cut;
        }
        static_cast<cToy&>(fixed) = Filled();
        static_cast<cToy&>(plan) = Filled();
        nDataVersion = v;
        fixed.ClearFixed();
        plan.ClearPlan();
        EXPECT_TRUE(SameValues(fixed, plan)) << table << " " << v;
    }
}

TEST_F(FieldTableTest, TheFixedImageOfTheCurrentVersionReadsAndWritesWhatThePlanDoes) {
    ExpectTheFixedImageIsThePlan<g_Rows>("rows");
    ExpectTheFixedImageIsThePlan<g_OtherRows>("other rows");
    ExpectTheFixedImageIsThePlan<g_ScratchRows>("scratch rows");
    // A current stream of every field goes through the fixed image: its
    // dropped value comes back as zeros.
    cFixedToy<g_ScratchRows> t;
    static_cast<cToy&>(t) = Filled();
    std::vector<uint8_t> bytes = SavedBytes(t);
    EXPECT_EQ(bytes[4 + 1], 0);
    EXPECT_EQ(bytes[4 + 2], 0);
    bytes[4 + 1] = 0xAB;
    cFixedToy<g_ScratchRows> u;
    cDataReader r(bytes.data(), bytes.size());
    u.Load(r);
    ASSERT_FALSE(r.Failed());
    EXPECT_EQ(u.arr[1], 0x0f0e);
    EXPECT_EQ(u.n, 0x07060504);
    EXPECT_EQ(SavedBytes(u), SavedBytes(t));
}

}  // namespace

// The default column: every member to its default, or only the members that
// an older file does not store (dropped rows have no member and are skipped).
TEST(FieldTableDefaults, DefaultsSetEveryMemberOrOnlyThoseAFileLacks) {
    using D = cToy;
    static constexpr FIELDROW<D> rows[] = {
        {&D::n, 4, 0, 0, -7},          {&D::d, 8, 0, 0, 2.5},        {std::monostate{}, 2, 0, 100, 9},
        {&D::arr, 2, 200, 0, 3},       {&D::u, 4, 300, 0, 4000000000.0},
        {&D::str2, 0, 250, 0, 0, "初期値"},
    };
    cToy all;
    DefaultRows(std::span<const FIELDROW<D>>(rows), &all);
    EXPECT_EQ(all.n, -7);
    EXPECT_EQ(all.d, 2.5);
    EXPECT_EQ(all.arr[0], 3);
    EXPECT_EQ(all.arr[2], 3);
    EXPECT_EQ(all.u, 4000000000u);
    EXPECT_EQ(all.str2, "初期値");

    cToy old;
    old.n = 11;
    old.d = 1;
    old.u = 5;
    DefaultRowsMissingFrom(std::span<const FIELDROW<D>>(rows), &old, 250);
    EXPECT_EQ(old.n, 11);        // stored at 250: kept as loaded
    EXPECT_EQ(old.d, 1);
    EXPECT_EQ(old.arr[1], 0);    // added at 200: stored
    EXPECT_EQ(old.u, 4000000000u);  // added at 300: missing from a 250 file
    EXPECT_EQ(old.str2, "");     // added at 250: stored
}

// Arrays of int32: a whole array is one field of all its elements; a row with
// an element column is one field of that element alone, with its own version
// and default.
namespace {

class cArrays : public cTableRecord {
public:
    int32_t a[5] = {};
    int32_t b[10] = {};
    static std::span<const FIELDROW<cArrays>> Rows();
    void Layout(uint32_t v) override { LayoutRows(Rows(), v, this); }
    void Load(cDataReader& file) override { LoadRows(file, Rows(), this); }
    void Save(cDataWriter& file) override { SaveRows(file, Rows(), this); }
};

using A = cArrays;
constexpr FIELDROW<A> g_ArrayRows[] = {
    {&A::a, 4, 0, 0, 7},
    {&A::b, 4, 0, 0, 0, "", 0},
    {&A::b, 4, 50, 0, 1, "", 3},
    {&A::b, 4, 0, 0, 2, "", 9},
};
static_assert(WidthsMatch(g_ArrayRows));
// An element beyond the array or a width other than the element's is refused.
constexpr FIELDROW<A> g_BadElement[] = {{&A::b, 4, 0, 0, 0, "", 10}};
static_assert(!WidthsMatch(g_BadElement));
constexpr FIELDROW<A> g_BadWidth[] = {{&A::a, 20}};
static_assert(!WidthsMatch(g_BadWidth));

std::span<const FIELDROW<cArrays>> cArrays::Rows() { return g_ArrayRows; }

}  // namespace

TEST(FieldTableArrays, WholeArraysAndSingleElementsAreFieldsOfTheirOwn) {
    ResetVersionState();
    cArrays t;
    DefaultRows(cArrays::Rows(), &t);
    EXPECT_EQ(t.a[4], 7);
    EXPECT_EQ(t.b[3], 1);
    EXPECT_EQ(t.b[9], 2);
    EXPECT_EQ(t.b[5], 0);  // in no row: untouched
    for (int i = 0; i < 5; ++i) t.a[i] = 10 + i;
    for (int i = 0; i < 10; ++i) t.b[i] = 20 + i;
    for (uint32_t v : {49u, DATA_VERSION}) {
        nDataVersion = v;
        cDataWriter table, generic;
        t.Save(table);
        t.cRecord::Save(generic);
        EXPECT_EQ(WrittenBytes(table), WrittenBytes(generic)) << v;
        std::vector<uint8_t> want;
        auto u32 = [&](uint32_t x) {
            for (int i = 0; i < 4; ++i) want.push_back(static_cast<uint8_t>(x >> (8 * i)));
        };
        u32(v < 50 ? 3 : 4);  // a, b[0], (b[3]), b[9]
        for (int i = 0; i < 5; ++i) u32(static_cast<uint32_t>(10 + i));
        u32(20);
        if (v >= 50) u32(23);
        u32(29);
        u32(0);
        EXPECT_EQ(WrittenBytes(table), want) << v;
        nDataVersion = DATA_VERSION;
        nReadVersion = v;
        cArrays back;
        cDataReader r(table.Bytes().data(), table.Size());
        back.Load(r);
        ASSERT_FALSE(r.Failed());
        EXPECT_EQ(back.a[2], 12);
        EXPECT_EQ(back.b[3], v < 50 ? 0 : 23);
        EXPECT_EQ(back.b[9], 29);
        EXPECT_EQ(back.b[5], 0);
    }
    ResetVersionState();
}

namespace {

// A key stored byte by byte between two numbers, and a switch whose older
// files keep the older behaviour.
class cKeyed : public cTableRecord {
public:
    int32_t nBefore = 0;
    uint8_t key[3] = {};
    int32_t bSwitch = 0;
    static std::span<const FIELDROW<cKeyed>> Rows();
    void Layout(uint32_t v) override { LayoutRows(Rows(), v, this); }
    void Load(cDataReader& file) override { LoadRows(file, Rows(), this); }
    void Save(cDataWriter& file) override { SaveRows(file, Rows(), this); }
};

using K = cKeyed;
constexpr FIELDROW<K> g_KeyedRows[] = {
    {&K::nBefore, 4},
    {.lpMember = &K::key, .nWidth = 1, .nFrom = 10, .dDefault = 5, .nElement = 0},
    {.lpMember = &K::key, .nWidth = 1, .nFrom = 10, .dDefault = 5, .nElement = 1, .dOlder = 177},
    {.lpMember = &K::key, .nWidth = 1, .nFrom = 10, .dDefault = 5, .nElement = 2},
    {.lpMember = &K::bSwitch, .nWidth = 4, .nFrom = 20, .dDefault = 1, .dOlder = 0},
};
static_assert(WidthsMatch(g_KeyedRows));
static_assert(!FIELDROW<K>{.lpMember = &K::key, .nWidth = 1, .nElement = 3}.WidthMatches());
static_assert(!FIELDROW<K>{.lpMember = &K::nBefore, .nWidth = 4, .nElement = 0}.WidthMatches());
std::span<const FIELDROW<cKeyed>> cKeyed::Rows() { return g_KeyedRows; }

}  // namespace

// Rows of single array elements are one field each, in the table stream and
// in the registry alike; the value for older files applies only to what
// they lack.
TEST_F(FieldTableTest, ElementRowsAreFieldsOfTheirOwnAndOlderFilesGetTheirOwnValues) {
    cKeyed k;
    k.nBefore = 0x04030201;
    k.key[0] = 0xa, k.key[1] = 0xb, k.key[2] = 0xc;
    k.bSwitch = 7;
    cDataWriter w;
    k.Save(w);
    EXPECT_EQ(WrittenBytes(w), (std::vector<uint8_t>{5, 0, 0, 0, 1, 2, 3, 4, 0xa, 0xb, 0xc, 7, 0, 0, 0, 0, 0, 0, 0}));
    for (uint32_t v : {9u, 10u, 20u}) {
        nDataVersion = v;
        cDataWriter table, registry;
        k.Save(table);
        k.cRecord::Save(registry);
        EXPECT_EQ(WrittenBytes(table), WrittenBytes(registry)) << v;
    }
    nDataVersion = DATA_VERSION;

    cKeyed fresh;
    DefaultRows(cKeyed::Rows(), &fresh);
    EXPECT_EQ(fresh.key[1], 5);
    EXPECT_EQ(fresh.bSwitch, 1);
    cKeyed old = k;
    DefaultRowsMissingFrom(cKeyed::Rows(), &old, 9);
    EXPECT_EQ(old.nBefore, k.nBefore);
    EXPECT_EQ((std::vector<int>{old.key[0], old.key[1], old.key[2]}), (std::vector<int>{5, 177, 5}));
    EXPECT_EQ(old.bSwitch, 0);
    cKeyed mid = k;
    DefaultRowsMissingFrom(cKeyed::Rows(), &mid, 10);
    EXPECT_EQ(mid.key[1], 0xb);
    EXPECT_EQ(mid.bSwitch, 0);
}
