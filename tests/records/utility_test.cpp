#include "records/utility.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <thread>

#include "records/crt_rand.h"
#include "support/record_services_spy.h"

namespace {

std::string Int(int v, int digits, int zero, int plus) {
    std::string s;
    IntToStr(s, v, digits, zero, plus);
    return s;
}

TEST(GetDigitNum, CountsDigitsWithoutTheSign) {
    EXPECT_EQ(GetDigitNum(0), 1);
    EXPECT_EQ(GetDigitNum(9), 1);
    EXPECT_EQ(GetDigitNum(10), 2);
    EXPECT_EQ(GetDigitNum(-5), 1);
    EXPECT_EQ(GetDigitNum(2147483647), 10);
    EXPECT_EQ(GetDigitNum(INT_MIN), 10);
}

TEST(IntToStr, PadsSignsAndWidens) {
    EXPECT_EQ(Int(7, 3, 1, 0), "007");
    EXPECT_EQ(Int(7, 3, 0, 0), "  7");
    EXPECT_EQ(Int(-7, 3, 0, 0), "-  7");
    EXPECT_EQ(Int(-7, 3, 1, 0), "-007");
    EXPECT_EQ(Int(1234, 2, 0, 0), "1234");
    EXPECT_EQ(Int(5, 0, 0, 1), "+5");
    EXPECT_EQ(Int(0, 0, 0, 1), "+0");
    EXPECT_EQ(Int(0, 4, 0, 0), "   0");
    EXPECT_EQ(Int(-3, 0, 0, 1), "-3");
}

TEST(IntToStr, HandlesTheIntExtremes) {
    EXPECT_EQ(Int(INT_MIN, 0, 0, 0), "-2147483648");
    EXPECT_EQ(Int(INT_MAX, 12, 1, 1), "+002147483647");
}

TEST(FormatString, FormatsAndMayReadItsOwnOutput) {
    std::string s = "abc";
    FormatString(s, "%d%s", 12, s.c_str());
    EXPECT_EQ(s, "12abc");
    FormatString2(s, "%s.", "x");
    EXPECT_EQ(s, "12abcx.");
    FormatString2(s, "%s", "");
    EXPECT_EQ(s, "12abcx.");
}

TEST(FormatString, CutsAtTheBufferLimit) {
    std::string big(10000, 'q');
    std::string s;
    FormatString(s, "%s", big.c_str());
    EXPECT_EQ(s.size(), 5119u);
    std::string t = "ab";
    FormatString2(t, "%s", big.c_str());
    EXPECT_EQ(t.size(), 2u + 5119u);
}

TEST(CrtRand, MatchesTheWindowsRuntimeSequence) {
    crt::srand(1);
    EXPECT_EQ(crt::rand(), 41);
    EXPECT_EQ(crt::rand(), 18467);
    EXPECT_EQ(crt::rand(), 6334);
    EXPECT_EQ(crt::rand(), 26500);
    EXPECT_EQ(crt::rand(), 19169);
}

TEST(CrtRand, StateIsKeptPerThread) {
    crt::srand(1);
    crt::rand();
    int other = 0;
    std::thread([&] { other = crt::rand(); }).join();  // a new thread starts at seed 1
    EXPECT_EQ(other, 41);
    EXPECT_EQ(crt::rand(), 18467);
}

TEST(RandRange, StaysInsideEitherOrderOfBounds) {
    crt::srand(7);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(RandRange(5, 5), 5);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        int v = RandRange(9, 3);
        EXPECT_GE(v, 3);
        EXPECT_LE(v, 9);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
    crt::srand(1);
    EXPECT_EQ(RandRange(INT_MIN, INT_MAX), INT_MIN + 41);  // no overflow, no division fault
    crt::srand(1);
    EXPECT_EQ(RandRange(0, 9), 1);  // 41 % 10
}

TEST(PlaySE, DataSoundsAreOffsetBy16AndZeroIsSilent) {
    cRecordServicesSpy spy;
    PlayDataSE(0);
    EXPECT_TRUE(spy.sounds.empty());
    PlayDataSE(1);
    EXPECT_EQ(PlaySE(3), 1);
    EXPECT_EQ(spy.sounds, (std::vector<int>{17, 3}));
}

TEST(Constants, RootTwo) {
    EXPECT_DOUBLE_EQ(dRoot2 * dRoot2, 2.0);
    EXPECT_DOUBLE_EQ(dRoot2 * dInvRoot2, 1.0);
}

TEST(DoubleToInt, TruncatesTowardZeroAndClamps) {
    EXPECT_EQ(DoubleToInt(2.9), 2);
    EXPECT_EQ(DoubleToInt(-2.9), -2);
    EXPECT_EQ(DoubleToInt(1e300), INT_MAX);
    EXPECT_EQ(DoubleToInt(-1e300), INT_MIN);
    EXPECT_EQ(DoubleToInt(std::nan("")), 0);
}

}  // namespace
