// The start-up choice (Boot.dat) and the window placement (Window.dat):
// their bytes, and the placement kept on the desktop when it is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/app_state.h"
#include "app/boot_data.h"
#include "app/window_data.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

class AppRecordTest : public ::testing::Test {
protected:
    AppRecordTest() { ResetAppState(); }
    ~AppRecordTest() override { ResetAppState(); }
    void SetUp() override {
        m_Cwd.Enter(m_Dir.Path());
        std::filesystem::create_directories(m_Dir.Path() / "user_data");
    }
    std::vector<uint8_t> Bytes(const char* name) {
        std::ifstream f(m_Dir.Path() / "user_data" / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    void Write(const char* name, const std::vector<uint8_t>& bytes) {
        std::ofstream f(m_Dir.Path() / "user_data" / name, std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    cTempDir m_Dir;
    cWorkDirGuard m_Cwd;
};

}  // namespace

TEST_F(AppRecordTest, BootDatIsTwentyBytes) {
    BootData.nDrawMode = 1;
    BootData.bNoDialog = 1;
    ASSERT_TRUE(SaveBootData());
    // u32 data version 825, u32 field count 2, i32 drawing choice, i32
    // do-not-show-again flag, u32 string count 0.
    const std::vector<uint8_t> expected = {0x39, 0x03, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Bytes("Boot.dat"), expected);
    BootData.Reset();
    ASSERT_TRUE(LoadBootData());
    EXPECT_EQ(BootData.nDrawMode, 1);
    EXPECT_EQ(BootData.bNoDialog, 1);
}

TEST_F(AppRecordTest, WindowDatIsThirtyTwoBytesAndIsKeptOnTheDesktop) {
    WindowData.nLeft = 300;
    WindowData.nTop = -20;
    WindowData.nWidth = 640;
    WindowData.nHeight = 480;
    WindowData.bMaximized = 1;
    ASSERT_TRUE(SaveWindowData());
    // u32 825, u32 5, five i32 (left, top, width, height, maximised), u32 0.
    const std::vector<uint8_t> expected = {0x39, 0x03, 0, 0, 5,    0,    0,    0,    0x2C, 0x01, 0,    0, 0xEC, 0xFF, 0xFF, 0xFF,
                                           0x80, 0x02, 0, 0, 0xE0, 0x01, 0,    0,    1,    0,    0,    0, 0,    0,    0,    0};
    EXPECT_EQ(Bytes("Window.dat"), expected);
    WindowData.Reset();
    ASSERT_TRUE(LoadWindowData(200, 100));
    EXPECT_EQ(WindowData.nLeft, 200);  // beyond the desktop's width
    EXPECT_EQ(WindowData.nTop, 0);     // above it
    EXPECT_EQ(WindowData.nWidth, 640);
    EXPECT_EQ(WindowData.bMaximized, 1);
}

TEST_F(AppRecordTest, ADamagedPlacementIsNotTaken) {
    Write("Window.dat", {0x39, 0x03, 0, 0, 5, 0, 0, 0, 10, 0, 0, 0});
    WindowData.nLeft = 7;
    EXPECT_FALSE(LoadWindowData(1000, 1000));
    EXPECT_EQ(WindowData.nLeft, 7);
}
