#include "records/record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "records/data_file.h"
#include "records/records_state.h"
#include "records/version.h"
#include "support/env_guard.h"
#include "support/record_services_spy.h"
#include "support/temp_dir.h"

namespace {

// A record with a field added at version 700 and one dropped at version 600.
class cSample : public cRecord {
public:
    void Layout(uint32_t version) override {
        ++nLayouts;
        ClearAllFields();
        AddIntField(&nA);
        if (version < 600) AddScratchField(2);
        AddShortField(&nArr[0], 3);
        if (version >= 700) AddIntField(&nNew);
        AddDoubleField(&dVal);
        AddStringField(&strName);
        AddStringField(&strText);
    }
    int32_t nA = 0;
    int16_t nArr[3] = {};
    int32_t nNew = 0;
    double dVal = 0;
    std::string strName, strText;
    int nLayouts = 0;
};

std::vector<uint8_t> SaveBytes(cRecord& r) {
    cDataWriter w;
    r.Save(w);
    return w.TakeBytes();
}

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& b) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRecordsState(); }
    void TearDown() override { ResetRecordsState(); }
    cTempDir dir;
};

TEST_F(RecordTest, StreamBytesAreFieldImagesThenStrings) {
    cSample s;
    s.nA = 0x01020304;
    s.nArr[0] = 1;
    s.nArr[2] = -1;
    s.nNew = 7;
    s.dVal = 1.5;
    s.strName = "abc";
    std::vector<uint8_t> want;
    PutU32(want, 4);  // four descriptors
    for (uint8_t b : {4, 3, 2, 1, 1, 0, 0, 0, 0xFF, 0xFF, 7, 0, 0, 0}) want.push_back(b);
    for (uint8_t b : {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}) want.push_back(b);  // 1.5
    PutU32(want, 2);
    PutU32(want, 4);
    for (uint8_t b : {'a', 'b', 'c', '\0'}) want.push_back(b);
    PutU32(want, 1);  // empty string: length word 1 and no bytes
    EXPECT_EQ(SaveBytes(s), want);
}

TEST_F(RecordTest, RoundTripsThroughAFile) {
    cSample s;
    s.nA = -5;
    s.nArr[1] = 300;
    s.nNew = 9;
    s.dVal = -2.25;
    s.strName = "表示";
    s.strText = "x";
    ASSERT_EQ(s.SaveToFile(dir.File("a.dat")), 1);
    cSample t;
    ASSERT_EQ(t.LoadFromFile(dir.File("a.dat")), 1);
    EXPECT_EQ(t.nA, -5);
    EXPECT_EQ(t.nArr[1], 300);
    EXPECT_EQ(t.nNew, 9);
    EXPECT_EQ(t.dVal, -2.25);
    EXPECT_EQ(t.strName, "表示");
    EXPECT_EQ(t.strText, "x");
    EXPECT_EQ(nReadVersion, 825u);
}

TEST_F(RecordTest, CurrentVersionFileIsLaidOutOnceForLoading) {
    cSample s;
    cDataReader r(SaveBytes(s));
    cSample t;
    t.nLayouts = 0;
    t.Load(r);
    EXPECT_EQ(t.nLayouts, 1);
}

TEST_F(RecordTest, OlderFileKeepsMembersItLacksAndSavesAtCurrentVersion) {
    // Version 650: no nNew, no scratch value.
    std::vector<uint8_t> b;
    PutU32(b, 650);
    PutU32(b, 3);
    for (uint8_t x : {9, 0, 0, 0, 1, 0, 2, 0, 3, 0}) b.push_back(x);
    for (uint8_t x : {0, 0, 0, 0, 0, 0, 0, 0x40}) b.push_back(x);  // 2.0
    PutU32(b, 0);
    WriteFile(dir.File("old.dat"), b);
    cSample t;
    t.nNew = 42;
    ASSERT_EQ(t.LoadFromFile(dir.File("old.dat")), 1);
    EXPECT_EQ(t.nA, 9);
    EXPECT_EQ(t.nArr[2], 3);
    EXPECT_EQ(t.dVal, 2.0);
    EXPECT_EQ(t.nNew, 42);
    EXPECT_EQ(t.Fields().size(), 4u);  // laid out again for 825
    ASSERT_EQ(t.SaveToFile(dir.File("new.dat")), 1);
    std::ifstream f(dir.File("new.dat"), std::ios::binary);
    uint32_t ver = 0, n = 0;
    f.read(reinterpret_cast<char*>(&ver), 4).read(reinterpret_cast<char*>(&n), 4);
    EXPECT_EQ(ver, 825u);
    EXPECT_EQ(n, 4u);
}

TEST_F(RecordTest, DroppedValueOfAnOlderFileIsSkipped) {
    std::vector<uint8_t> b;
    PutU32(b, 500);
    PutU32(b, 4);
    for (uint8_t x : {1, 0, 0, 0, 0xAA, 0xBB, 4, 0, 5, 0, 6, 0}) b.push_back(x);
    for (uint8_t x : {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}) b.push_back(x);
    PutU32(b, 0);
    WriteFile(dir.File("v500.dat"), b);
    cSample t;
    ASSERT_EQ(t.LoadFromFile(dir.File("v500.dat")), 1);
    EXPECT_EQ(t.nA, 1);
    EXPECT_EQ(t.nArr[0], 4);
    EXPECT_EQ(t.nArr[2], 6);
    EXPECT_EQ(t.dVal, 1.0);
}

TEST_F(RecordTest, FileNewerThanTheProgramIsRefused) {
    cSample s;
    s.nA = 3;
    ASSERT_EQ(s.SaveToFile(dir.File("a.dat")), 1);
    for (uint32_t ver : {826u, 0x80000000u}) {
        std::vector<uint8_t> b;
        PutU32(b, ver);
        PutU32(b, 0);
        PutU32(b, 0);
        WriteFile(dir.File("new.dat"), b);
        cSample t;
        t.nA = 11;
        EXPECT_EQ(t.LoadFromFile(dir.File("new.dat")), 0);
        EXPECT_EQ(bVersionTooNew, 1);
        EXPECT_EQ(t.nA, 11);
        EXPECT_EQ(GetLoadErrorMes("new.dat"),
                  "new.dat の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。");
    }
    // A missing file leaves the flag as it was; the next good open clears it.
    cSample t;
    EXPECT_EQ(t.LoadFromFile(dir.File("missing.dat")), 0);
    EXPECT_EQ(bVersionTooNew, 1);
    EXPECT_EQ(t.LoadFromFile(dir.File("a.dat")), 1);
    EXPECT_EQ(bVersionTooNew, 0);
    EXPECT_EQ(GetLoadErrorMes("a.dat"), "a.dat の読み込みに失敗しました！");
}

TEST_F(RecordTest, NullOrEmptyNameOpensErr) {
    cTempDir cwd;
    cWorkDirGuard enter(cwd.Path());
    cSample s;
    s.nA = 77;
    ASSERT_EQ(s.SaveToFile("err"), 1);
    cSample t;
    EXPECT_EQ(t.LoadFromFile(""), 1);
    EXPECT_EQ(t.nA, 77);
    EXPECT_NE(OpenDataFileRead(nullptr), nullptr);
}

TEST_F(RecordTest, CarriageReturnsAreRemovedOnLoad) {
    cSample s;
    s.strName = "a\r\nb";
    s.strText = "\r\r";
    cDataReader r(SaveBytes(s));
    cSample t;
    t.Load(r);
    EXPECT_EQ(t.strName, "a\nb");
    EXPECT_EQ(t.strText, "");
    bRemoveCR = 0;
    cDataReader r2(SaveBytes(s));
    t.Load(r2);
    EXPECT_EQ(t.strName, "a\r\nb");
}

TEST_F(RecordTest, ClearZeroesEveryArrayElement) {
    cSample s;
    s.nArr[0] = s.nArr[1] = s.nArr[2] = 5;
    s.dVal = 3;
    s.strName = "n";
    s.Clear();
    EXPECT_EQ(s.nArr[0], 0);
    EXPECT_EQ(s.nArr[2], 0);
    EXPECT_EQ(s.dVal, 0);
    EXPECT_EQ(s.strName, "");
}

TEST_F(RecordTest, CopiedRecordLoadsIntoItsOwnMembers) {
    cSample a;
    a.nA = 1;
    a.Save(*std::make_unique<cDataWriter>());  // registry built against a
    cSample b = a;
    cSample c;
    c = a;
    cSample src;
    src.nA = 99;
    src.strName = "z";
    std::vector<uint8_t> bytes = SaveBytes(src);
    cDataReader r1(bytes), r2(bytes);
    b.Load(r1);
    c.Load(r2);
    EXPECT_EQ(a.nA, 1);
    EXPECT_EQ(b.nA, 99);
    EXPECT_EQ(c.nA, 99);
    for (const FIELDDATA& fd : b.Fields()) {
        EXPECT_EQ(fd.lpOwner, &b);
        EXPECT_GE(reinterpret_cast<const char*>(fd.lpField), reinterpret_cast<const char*>(&b));
        EXPECT_LT(reinterpret_cast<const char*>(fd.lpField), reinterpret_cast<const char*>(&b + 1));
    }
}

TEST_F(RecordTest, CopyValuesCopiesFieldsAndStrings) {
    cSample a, b;
    a.nArr[2] = 8;
    a.strText = "t";
    b.CopyValues(a);
    EXPECT_EQ(b.nArr[2], 8);
    EXPECT_EQ(b.strText, "t");
}

// Damaged files: every one is refused, none crashes or allocates without bound.
TEST_F(RecordTest, TruncatedFilesFailAtEveryLength) {
    cSample s;
    s.strName = "hello";
    s.strText = "world";
    std::vector<uint8_t> full;
    PutU32(full, 825);
    for (uint8_t x : SaveBytes(s)) full.push_back(x);
    for (size_t len = 0; len < full.size(); ++len) {
        WriteFile(dir.File("t.dat"), std::vector<uint8_t>(full.begin(), full.begin() + len));
        cSample t;
        EXPECT_EQ(t.LoadFromFile(dir.File("t.dat")), 0) << "length " << len;
    }
    WriteFile(dir.File("t.dat"), full);
    cSample t;
    EXPECT_EQ(t.LoadFromFile(dir.File("t.dat")), 1);
}

TEST_F(RecordTest, CountsBeyondTheRegistryOrTheFileFail) {
    auto load = [&](const std::vector<uint8_t>& body) {
        std::vector<uint8_t> b;
        PutU32(b, 825);
        b.insert(b.end(), body.begin(), body.end());
        WriteFile(dir.File("g.dat"), b);
        cSample t;
        return t.LoadFromFile(dir.File("g.dat"));
    };
    std::vector<uint8_t> tooManyFields;
    PutU32(tooManyFields, 5);
    EXPECT_EQ(load(tooManyFields), 0);
    std::vector<uint8_t> hugeFields;
    PutU32(hugeFields, 0xFFFFFFFF);
    EXPECT_EQ(load(hugeFields), 0);
    std::vector<uint8_t> tooManyStrings;
    PutU32(tooManyStrings, 0);
    PutU32(tooManyStrings, 3);
    EXPECT_EQ(load(tooManyStrings), 0);
    std::vector<uint8_t> hugeString;
    PutU32(hugeString, 0);
    PutU32(hugeString, 1);
    PutU32(hugeString, 0x7FFFFFFF);
    EXPECT_EQ(load(hugeString), 0);
}

TEST_F(RecordTest, FailedSaveLeavesTheOldFileWhole) {
    cRecordServicesSpy spy;
    cSample s;
    s.nA = 1;
    ASSERT_EQ(s.SaveToFile(dir.File("keep.dat")), 1);
    std::filesystem::create_directory(dir.File("keep.dat.tmp~"));  // the temporary cannot be made
    s.nA = 2;
    EXPECT_EQ(s.SaveToFile(dir.File("keep.dat")), 0);
    EXPECT_EQ(spy.report.size(), 1u);
    cSample t;
    ASSERT_EQ(t.LoadFromFile(dir.File("keep.dat")), 1);
    EXPECT_EQ(t.nA, 1);
    EXPECT_EQ(s.SaveToFile(dir.File("nofolder/x.dat")), 0);
}

TEST_F(RecordTest, WholeFileLoadKeepsTheRecordOnFailure) {
    cSample s;
    s.nA = 5;
    s.SaveToFile(dir.File("ok.dat"));
    std::vector<uint8_t> b;
    PutU32(b, 825);
    PutU32(b, 4);
    PutU32(b, 123);  // then nothing: truncated
    WriteFile(dir.File("bad.dat"), b);
    cSample t;
    t.nA = 3;
    EXPECT_EQ(LoadRecordFileWhole(t, dir.File("bad.dat")), 0);
    EXPECT_EQ(t.nA, 3);
    EXPECT_EQ(LoadRecordFileWhole(t, dir.File("ok.dat")), 1);
    EXPECT_EQ(t.nA, 5);
}

TEST_F(RecordTest, RecordVectorsRoundTripAndRefuseHugeCounts) {
    std::vector<cSample> v(3);
    v[2].nA = 12;
    cDataWriter w;
    SaveRecordVector(w, v);
    std::vector<cSample> u;
    cDataReader r(w.TakeBytes());
    LoadRecordVector(r, u);
    EXPECT_FALSE(r.Failed());
    ASSERT_EQ(u.size(), 3u);
    EXPECT_EQ(u[2].nA, 12);
    std::vector<uint8_t> huge;
    PutU32(huge, 100000000);
    cDataReader r2(std::move(huge));
    LoadRecordVector(r2, u);
    EXPECT_TRUE(r2.Failed());
}

}  // namespace

// The writer's buffer grows ahead of its bytes: what was written stays
// through every growth, room taken with Extend holds
// what the caller puts there, and a writer whose bytes were taken starts
// again empty.
TEST(DataWriterTest, GrowsKeepsItsBytesAndTakesThem) {
    cDataWriter w;
    for (uint32_t i = 0; i < 50000; ++i) w.WriteU32(i * 2654435761u);
    ASSERT_EQ(w.Size(), 200000u);
    EXPECT_EQ(w.Bytes().size(), 200000u);
    for (uint32_t i = 0; i < 50000; i += 997) {
        uint32_t v;
        std::memcpy(&v, w.Bytes().data() + 4 * i, 4);
        EXPECT_EQ(v, i * 2654435761u);
    }
    for (int k = 0; k < 3; ++k) {
        std::memset(w.Extend(4096), 0xA5, 4096);
        std::memset(w.Extend(1000), 0xFF, 1000);
        EXPECT_EQ(w.Bytes().back(), 0xFF);
        EXPECT_EQ(w.Bytes()[w.Size() - 1001], 0xA5);
    }
    EXPECT_EQ(w.Size(), 200000u + 3 * 5096u);
    const std::vector<uint8_t> taken = w.TakeBytes();
    EXPECT_EQ(taken.size(), 200000u + 3 * 5096u);
    uint32_t last;
    std::memcpy(&last, taken.data() + 4 * 49999, 4);
    EXPECT_EQ(last, 49999u * 2654435761u);
    EXPECT_EQ(w.Size(), 0u);
    w.WriteU8(7);
    EXPECT_EQ(w.TakeBytes(), std::vector<uint8_t>{7});
}

// A large buffer left by one writer serves the next one on the thread: the
// bytes that writer had already written move over with it, and nothing of
// the earlier file shows through.
TEST(DataWriterTest, TheNextWriterTakesOverALargeBufferWithItsOwnBytes) {
    auto pattern = [](uint32_t i, uint32_t salt) { return i * 2654435761u + salt; };
    for (uint32_t salt : {1u, 2u, 3u}) {
        cDataWriter w;
        const uint32_t n = (6u << 20) / 4 + salt * 1000;  // past the size that is kept
        for (uint32_t i = 0; i < n; ++i) w.WriteU32(pattern(i, salt));
        ASSERT_EQ(w.Size(), size_t{n} * 4);
        const auto bytes = w.Bytes();
        for (uint32_t i = 0; i < n; i += 4099) {
            uint32_t v;
            std::memcpy(&v, bytes.data() + size_t{4} * i, 4);
            ASSERT_EQ(v, pattern(i, salt)) << salt << " " << i;
        }
        uint32_t last;
        std::memcpy(&last, bytes.data() + bytes.size() - 4, 4);
        EXPECT_EQ(last, pattern(n - 1, salt));
    }
}
