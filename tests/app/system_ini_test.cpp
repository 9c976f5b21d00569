// System.ini: what each kind of line sets, files with CR LF line ends,
// comments, blanks, other letter cases, a missing end line, and numbers out
// of range.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_state.h"
#include "database/system_data.h"
#include "platform/system/log.h"
#include "platform/system/mesbox.h"
#include "scene/system_ini.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace {

class SystemIniTest : public ::testing::Test {
protected:
    SystemIniTest() { ResetAppState(); }
    ~SystemIniTest() override { ResetAppState(); }
    void SetUp() override {
        m_Cwd.Enter(m_Dir.Path());
        ReportInit(m_Dir.File("Report_Game.txt").c_str());
        g_pBoxes = &m_Boxes;
        SetMesBoxPresenter([](const std::string& text, const std::string&, unsigned) {
            g_pBoxes->push_back(text);
            return static_cast<int>(IDOK);
        });
        // The defaults of a new project: Direct3D 2, WindowMode 0, Bpp 0,
        // VSync 2, D3D_FontCache 0, DD_FontCache 1, DD_VideoStretch 0, ShowFps 1.
        m_Options = cSystemData().vOption;
        m_Options[8].SetText("FreeStage", "default.stg4");
    }
    void TearDown() override { g_pBoxes = nullptr; }
    int Read(const std::string& text) {
        std::ofstream(m_Dir.Path() / "System.ini", std::ios::binary) << text;
        SetIniDefaults(m_Ini, m_Options);
        return ReadSystemIni("System.ini", m_Ini, m_Options);
    }
    std::string Report() {
        std::ifstream f(m_Dir.Path() / "Report_Game.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }

    static inline std::vector<std::string>* g_pBoxes = nullptr;
    cTempDir m_Dir;
    cWorkDirGuard m_Cwd;
    cSafeVector<cSysOption> m_Options;
    INIDATA m_Ini;
    std::vector<std::string> m_Boxes;
};

}  // namespace

TEST_F(SystemIniTest, EveryKeyOfAFileWithCrLfLineEnds) {
    ASSERT_EQ(Read("Direct3D=1\r\nWindowMode=2\r\nBpp=32\r\nVSync=0\r\nD3D_FontCache=1\r\nDD_FontCache=0\r\n"
                   "DD_VideoStretch=1\r\nShowFps=2\r\nFreeStage=data\\stg4\\test\r\nEnglish=1\r\nExit\r\n"),
              1);
    EXPECT_EQ(m_Ini.Direct3D, 1);
    EXPECT_EQ(m_Ini.WindowMode, 2);
    EXPECT_EQ(m_Ini.Bpp, 32);
    EXPECT_EQ(m_Ini.VSync, 0);
    EXPECT_EQ(m_Ini.D3D_FontCache, 1);
    EXPECT_EQ(m_Ini.DD_FontCache, 0);
    EXPECT_EQ(m_Ini.DD_VideoStretch, 1);
    EXPECT_EQ(m_Ini.ShowFps, 2);
    EXPECT_EQ(m_Ini.English, 1);
    EXPECT_EQ(m_Ini.FreeStage, "data\\stg4\\test");  // without the CR of the line end
}

TEST_F(SystemIniTest, BlanksCommentsCasesAndShortValues) {
    ASSERT_EQ(Read("; settings\n"
                   "Direct3D = 1\n"          // the blank after '=' ends the value at once: 0
                   "ShowFps=2//frame rate\n"  // a comment after the value
                   "\tWindow Mode\t=1\n"      // blanks and tabs in a key are dropped
                   "bpp=16\n"                 // another case: not a key
                   "FreeStage=x\n"            // one character: the field stays
                   "Unknown=5\n"
                   "Exit"),                   // the end line without its line end
              1);
    EXPECT_EQ(m_Ini.Direct3D, 0);
    EXPECT_EQ(m_Ini.ShowFps, 2);
    EXPECT_EQ(m_Ini.WindowMode, 1);
    EXPECT_EQ(m_Ini.Bpp, 0);
    EXPECT_EQ(m_Ini.FreeStage, "default.stg4");
}

TEST_F(SystemIniTest, ReadingStopsAtTheEndLineOrANul) {
    ASSERT_EQ(Read("ShowFps=2\nExit\nWindowMode=1\n"), 1);
    EXPECT_EQ(m_Ini.WindowMode, 0);
    ASSERT_EQ(Read(std::string("ShowFps=2\n\0WindowMode=1\n", 25)), 1);
    EXPECT_EQ(m_Ini.ShowFps, 2);
    EXPECT_EQ(m_Ini.WindowMode, 0);
}

TEST_F(SystemIniTest, NumbersOutOfRangeKeepTheDefaultWithAReportLine) {
    ASSERT_EQ(Read("WindowMode=7\nBpp=12\nVSync=-1\nShowFps=0\nExit\n"), 1);
    EXPECT_EQ(m_Ini.WindowMode, 0);
    EXPECT_EQ(m_Ini.Bpp, 0);
    EXPECT_EQ(m_Ini.VSync, 2);
    EXPECT_EQ(m_Ini.ShowFps, 0);
    EXPECT_NE(Report().find("System.ini : WindowMode=7 is out of range; 0 is used"), std::string::npos);
    EXPECT_NE(Report().find("System.ini : Bpp=12"), std::string::npos);
    // 24 bits is a depth the screen check refuses, not the reader.
    ASSERT_EQ(Read("Bpp=24\nExit\n"), 1);
    EXPECT_EQ(m_Ini.Bpp, 24);
}

TEST_F(SystemIniTest, AFileWithoutItsEndLineGivesPureDefaultsAndTheMessage) {
    std::ofstream(m_Dir.Path() / "System.ini", std::ios::binary) << "WindowMode=1\nShowFps=0\n";
    EXPECT_EQ(LoadSystemIni(m_Ini, m_Options), 0);
    EXPECT_EQ(m_Ini.WindowMode, 0);
    EXPECT_EQ(m_Ini.ShowFps, 1);
    EXPECT_EQ(m_Ini.Direct3D, 2);
    ASSERT_EQ(m_Boxes.size(), 1u);
    EXPECT_EQ(m_Boxes[0], "System.ini の読み込みに失敗しました！");
    std::filesystem::remove(m_Dir.Path() / "System.ini");
    EXPECT_EQ(LoadSystemIni(m_Ini, m_Options), 0);
    EXPECT_EQ(m_Boxes.size(), 2u);
}
