#include <gtest/gtest.h>

#include "records/cmd.h"
#include "records/safe_container.h"
#include "support/record_services_spy.h"
#include "support/written_bytes.h"

namespace {

TEST(SafeVector, GoodIndexIsSilent) {
    cRecordServicesSpy spy;
    cSafeVector<int> v{10, 20, 30};
    EXPECT_EQ(v[2], 30);
    EXPECT_EQ(spy.closes, 0);
    EXPECT_TRUE(spy.ec.empty());
}

TEST(SafeVector, BadIndexIsLoggedClosesAndYieldsElementZero) {
    cRecordServicesSpy spy;
    cSafeVector<int> v{10, 20, 30};
    EXPECT_EQ(v[-1], 10);
    EXPECT_EQ(v[3], 10);
    EXPECT_EQ(spy.ec, (std::vector<std::string>{"err V[-1] ( 3 , 4 )", "err V[3] ( 3 , 4 )"}));
    EXPECT_EQ(spy.report, spy.ec);
    EXPECT_EQ(spy.closes, 2);
}

TEST(SafeVector, EmptyVectorClosesInOrderWithoutThrowing) {
    cRecordServicesSpy spy;
    cSafeVector<double> v;
    double* p = nullptr;
    EXPECT_NO_THROW(p = &v[0]);
    EXPECT_EQ(spy.ec, (std::vector<std::string>{"err V[0] ( 0 , 8 )"}));
    EXPECT_EQ(spy.closes, 1);
    *p = 1.0;  // the fallback element may be written
}

TEST(SafeVector, FillSetsEveryElement) {
    cSafeVector<uint8_t> v(5, 1);
    v.Fill(9);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(v[i], 9);
}

TEST(SafeList, BadIndexYieldsTheSameFallbackElement) {
    cRecordServicesSpy spy;
    struct S {
        int a, b, c;
    };
    cSafeList<S> l{{1, 2, 3}, {4, 5, 6}};
    EXPECT_EQ(l[1].a, 4);
    S& f = l[5];
    EXPECT_EQ(f.a, 0);
    f.a = 77;
    EXPECT_EQ(l[-2].a, 77);  // keeps what was written
    EXPECT_EQ(spy.ec, (std::vector<std::string>{"err L[5] ( 2 , 12 )", "err L[-2] ( 2 , 12 )"}));
    EXPECT_EQ(spy.closes, 2);
}

std::vector<cCmd> Menu() { return {cCmd(1, "a"), cCmd(0, "b"), cCmd(1, "c")}; }

TEST(Cmd, MapsShownPositionToEntry) {
    cRecordServicesSpy spy;
    auto m = Menu();
    EXPECT_EQ(cCmd::GetCmdNum(0, m), 0);
    EXPECT_EQ(cCmd::GetCmdNum(1, m), 2);
    EXPECT_EQ(cCmd::GetEnableNum(m), 2);
    EXPECT_TRUE(spy.debug.empty());
}

TEST(Cmd, NoSuchEntryReportsAndGivesZero) {
    cRecordServicesSpy spy;
    auto m = Menu();
    EXPECT_EQ(cCmd::GetCmdNum(2, m), 0);
    EXPECT_EQ(cCmd::GetCmdNum(-1, m), 0);
    std::vector<cCmd> empty;
    EXPECT_EQ(cCmd::GetEnableNum(empty), 0);
    EXPECT_EQ(cCmd::GetCmdNum(0, empty), 0);
    ASSERT_EQ(spy.debug.size(), 3u);
    EXPECT_EQ(spy.debug[0], "cCmd::GetCmdNum 番号が不正です！");
}

TEST(Cmd, StoresFlagThenText) {
    cCmd c(1, "ok");
    cDataWriter w;
    c.Save(w);
    const std::vector<uint8_t> want{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 'o', 'k', 0};
    EXPECT_EQ(WrittenBytes(w), want);
}

}  // namespace
