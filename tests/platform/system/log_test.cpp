#include "platform/system/log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "support/record_services_spy.h"
#include "support/temp_dir.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLogs(); }
    void TearDown() override { ResetLogs(); }
    cTempDir dir;
};

TEST_F(LogTest, ReportLinesAppendWithCrLf) {
    const std::string path = dir.File("Report_Game.txt");
    std::ofstream(path) << "old";
    ASSERT_EQ(ReportInit(path.c_str()), 1);  // empties the previous run's log
    EXPECT_EQ(WriteReport("a %d", 1), 1);
    EXPECT_EQ(WriteReport("表%s", "示"), 1);
    EXPECT_EQ(ReadAll(path), "a 1\r\n表示\r\n");
}

TEST_F(LogTest, HeldLinesFollowTheLinesWrittenAheadOfThem) {
    const std::string path = dir.File("Report_Game.txt");
    ASSERT_EQ(ReportInit(path.c_str()), 1);
    WriteReport("before");
    HoldReportLines();
    EXPECT_EQ(WriteReport("held %d", 1), 1);
    std::thread([] { WriteReport("held %d", 2); }).join();
    EXPECT_EQ(WriteReportEC("held %d", 3), 1);
    EXPECT_EQ(ReadAll(path), "before\r\n");  // nothing held is on file yet
    ReleaseReportLines([] {
        WriteReport("ahead 1");
        WriteReport("ahead 2");
    });
    WriteReport("after");
    EXPECT_EQ(ReadAll(path), "before\r\nahead 1\r\nahead 2\r\nheld 1\r\nheld 2\r\nheld 3\r\nafter\r\n");
    // Released, lines go straight to the file again.
    ReleaseReportLines([] {});
    WriteReport("last");
    EXPECT_EQ(ReadAll(path).substr(ReadAll(path).size() - 6), "last\r\n");
}

TEST_F(LogTest, UnwritableReportFolderFailsAndCreatesNothing) {
    const std::string path = dir.File("no/such/Report_Game.txt");
    EXPECT_EQ(ReportInit(path.c_str()), 0);
    EXPECT_EQ(WriteReport("x"), 0);
    EXPECT_EQ(WriteReportEC("x"), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LogTest, ReportIsNeverCreatedByAWrite) {
    const std::string path = dir.File("r.txt");
    ASSERT_EQ(ReportInit(path.c_str()), 1);
    std::filesystem::remove(path);
    EXPECT_EQ(WriteReport("lost"), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LogTest, ErrorLogOffWritesNothingButCloseIsStillPosted) {
    cRecordServicesSpy spy;
    const std::string ec = dir.File("EC_Game.txt");
    ECInit(0, ec.c_str());
    WriteEC("a");
    WriteECf("%d", 2);
    WriteECAndClose("bye %d", 3);
    EXPECT_FALSE(std::filesystem::exists(ec));
    EXPECT_EQ(spy.closes, 1);
}

TEST_F(LogTest, ErrorLogIsEmptiedByItsFirstLineOfARun) {
    const std::string ec = dir.File("EC_Game.txt");
    std::ofstream(ec) << "previous run\r\n";
    ECInit(1, ec.c_str());
    WriteEC("one");
    WriteECf("two %s", "2");
    EXPECT_EQ(ReadAll(ec), "one\r\ntwo 2\r\n");
}

TEST_F(LogTest, PercentSignsInPlainTextStayAsTheyAre) {
    const std::string path = dir.File("r.txt"), ec = dir.File("e.txt");
    ReportInit(path.c_str());
    ECInit(1, ec.c_str());
    WriteReportEC("%s", "100%d");
    WriteEC("50%s");
    EXPECT_EQ(ReadAll(path), "100%d\r\n");
    EXPECT_EQ(ReadAll(ec), "100%d\r\n50%s\r\n");
}

TEST_F(LogTest, ReportECLineIsCutAt1023Characters) {
    const std::string path = dir.File("r.txt");
    ReportInit(path.c_str());
    std::string big(3000, 'x');
    WriteReportEC("%s", big.c_str());
    WriteReport("%s", big.c_str());  // plain report lines are kept whole
    EXPECT_EQ(ReadAll(path), std::string(1023, 'x') + "\r\n" + big + "\r\n");
}

TEST_F(LogTest, LinesFromEightThreadsAreAllPresentAndWhole) {
    const std::string path = dir.File("r.txt"), ec = dir.File("e.txt");
    ReportInit(path.c_str());
    ECInit(1, ec.c_str());
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 1000; ++i) {
                WriteReport("thread %d line %04d ------------------------------", t, i);
                WriteECf("thread %d line %04d", t, i);
            }
        });
    for (auto& th : threads) th.join();
    for (const std::string& p : {path, ec}) {
        std::istringstream in(ReadAll(p));
        std::set<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            ASSERT_FALSE(line.empty());
            ASSERT_EQ(line.back(), '\r');
            line.pop_back();
            lines.insert(line.substr(0, 19));
        }
        EXPECT_EQ(lines.size(), 8000u) << p;
    }
}

}  // namespace
