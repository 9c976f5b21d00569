// Condition lists of none to six conditions (every field set), loaded into an
// empty list and saved by the list functions, against the same lists read as
// a count and each condition's own Load, and written as a count and each
// condition's own Save: intact streams, streams with one odd condition (fewer
// fields, a string count), and every cut of each.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "stage/cond.h"
#include "stage/stage_fixture.h"
#include "support/written_bytes.h"

namespace {

cCondVector Conds(int n) {
    cCondVector v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        cEdCond& c = v[i];
        c.nKind = static_cast<uint8_t>(1 + i);
        c.nValue = -1000 * i - 7;
        c.nRandMin = 11 + i, c.nRandMax = 0x01020304 + i;
        c.nSubject = 2, c.nStatus = static_cast<uint8_t>(30 + i), c.nTestWhat = 1, c.nVarKind = 1;
        c.nVarNum = static_cast<int16_t>(-300 - i);
        c.nOperandKind = 3, c.nOpSubject = 4, c.nOpStatus = 5, c.nOpVarKind = 1;
        c.nOpVarNum = static_cast<int16_t>(0x1234 + i);
        c.nCompare = 6, c.nShowRange = 1, c.nAxis = static_cast<uint8_t>(i % 7);
    }
    return v;
}

struct LOADED {
    cCondVector v;
    bool bFailed;
    std::string strWhy;
    size_t nPosition;
};

LOADED ByList(const std::vector<uint8_t>& bytes) {
    cDataReader r(bytes.data(), bytes.size());
    LOADED out;
    LoadCondVector(r, out.v);
    out.bFailed = r.Failed(), out.strWhy = r.FailReason(), out.nPosition = r.Position();
    return out;
}

// The list as its count and each condition's own Load read it.
LOADED OneByOne(const std::vector<uint8_t>& bytes) {
    cDataReader r(bytes.data(), bytes.size());
    LOADED out;
    const uint32_t n = r.ReadCount(8);
    if (!r.Failed()) {
        out.v.resize(n);
        for (cEdCond& c : out.v) {
            c.Load(r);
            if (r.Failed()) break;
        }
    }
    out.bFailed = r.Failed(), out.strWhy = r.FailReason(), out.nPosition = r.Position();
    return out;
}

void ExpectSame(const LOADED& got, const LOADED& want, const std::string& what) {
    EXPECT_EQ(got.bFailed, want.bFailed) << what;
    EXPECT_EQ(got.strWhy, want.strWhy) << what;
    EXPECT_EQ(got.nPosition, want.nPosition) << what;
    ASSERT_EQ(got.v.size(), want.v.size()) << what;
    for (size_t i = 0; i < got.v.size(); ++i)
        EXPECT_TRUE(RowsEqual(cEdCond::Rows(), got.v[static_cast<int>(i)], want.v[static_cast<int>(i)]))
            << what << ", condition " << i;
}

class CondVectorTest : public cStageTest {};

TEST_F(CondVectorTest, ListLoadAndSaveMatchEachConditionsOwn) {
    // A condition's stream: count, 28 bytes of numbers, string count.
    constexpr size_t COND_BYTES = 36;
    for (int n = 0; n <= 6; ++n) {
        cCondVector v = Conds(n);
        cDataWriter w;
        SaveCondVector(w, v);
        std::vector<uint8_t> want;
        {
            cDataWriter one;
            one.WriteU32(static_cast<uint32_t>(n));
            for (cEdCond& c : v) c.Save(one);
            want = WrittenBytes(one);
        }
        const std::vector<uint8_t> bytes = WrittenBytes(w);
        ASSERT_EQ(bytes, want) << n << " conditions";
        ASSERT_EQ(bytes.size(), 4 + n * COND_BYTES) << n << " conditions";

        std::vector<std::pair<std::vector<uint8_t>, std::string>> streams = {{bytes, "intact"}};
        if (n > 0) {
            // The last condition with fewer fields, or with a string count of 1.
            std::vector<uint8_t> fewer = bytes;
            const uint32_t two = 2, one = 1;
            std::memcpy(&fewer[4 + (n - 1) * COND_BYTES], &two, 4);
            streams.emplace_back(fewer, "fewer fields");
            std::vector<uint8_t> string = bytes;
            std::memcpy(&string[4 + n * COND_BYTES - 4], &one, 4);
            streams.emplace_back(string, "a string count");
        }
        for (const auto& [stream, kind] : streams) {
            for (size_t len = 0; len <= stream.size(); ++len) {
                const std::vector<uint8_t> cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(len));
                ExpectSame(ByList(cut), OneByOne(cut),
                           std::to_string(n) + " conditions, " + kind + ", cut at " + std::to_string(len));
            }
        }
    }
}

}  // namespace
