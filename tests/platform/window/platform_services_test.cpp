#include "platform/window/platform_services.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/system/log.h"
#include "platform/window/platform_state.h"
#include "records/services.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

class PlatformServices : public ::testing::Test {
protected:
    void SetUp() override { ResetPlatformState(); }
    void TearDown() override { ResetPlatformState(); }
};

TEST_F(PlatformServices, RecordLinesReachTheLogsAndPathsTheFileSystem) {
    cTempDir dir;
    std::filesystem::create_directories(dir.Path() / "Data" / "Stg4");
    std::ofstream(dir.Path() / "Data" / "Stg4" / "A.stg4_825") << "x";
    const std::string report = dir.File("Report_Game.txt");
    ASSERT_EQ(ReportInit(report.c_str()), 1);
    InstallPlatformRecordServices();
    RecWriteReport("bad index 100%");
    // Program paths are relative: resolve against the temporary folder.
    std::string native;
    {
        cWorkDirGuard cwd(dir.Path());
        native = RecNativePath("data\\stg4\\a.STG4_825", false);
    }
    ResetRecordServices();
    ResetLogs();
    std::ifstream f(report, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    EXPECT_EQ(ss.str(), "bad index 100%\r\n");
    EXPECT_EQ(native, "Data/Stg4/A.stg4_825");
}

}  // namespace
