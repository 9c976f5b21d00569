#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/seam/dialog_host.h"
#include "platform/seam/dialog_script.h"
#include "platform/seam/owners.h"
#include "platform/system/cp932.h"
#include "platform/window/file_dialog.h"
#include "platform/system/file_name.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"
#include "platform/window/platform_state.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

// A program folder with stage and replay files, entered for the test.
class FileDialogTest : public ::testing::Test {
protected:
    cVideoForTest video;
    cTempDir dir;
    cWorkDirGuard cwd;
    std::string filter = MakeFileFilter("StageFile ( *.stg4_*;*.rpl4_* )", "stg4_*;rpl4_*");
    void SetUp() override {
        ResetPlatformState();
        if (IsAutoAnswer()) GTEST_SKIP() << "runs without QV_AUTO_ANSWER";
        ASSERT_TRUE(video.ok);
        cwd.Enter(dir.Path());
        Touch(dir.Path() / "data" / "stg4" / "a.stg4_825");
        Touch(dir.Path() / "data" / "stg4" / "B.RPL4_825");
        Touch(dir.Path() / "data" / "stg4" / "notes.txt");
        Touch(dir.Path() / "data" / "stg4" / U8(u8"表") / "d.stg4_1");
    }
    void TearDown() override {
        cwd.Restore();
        ResetPlatformState();
    }
    std::string Full(const std::string& rel) {
        std::string p = rel;
        MakeFullPathStr(p);
        return p;
    }
};

TEST(FilePatterns, ExtensionPatternsAndWildcards) {
    EXPECT_TRUE(MatchFilePattern("a.stg4_825", "stg4_*;rpl4_*"));
    EXPECT_TRUE(MatchFilePattern("B.RPL4_825", "stg4_*;rpl4_*"));
    EXPECT_FALSE(MatchFilePattern("stg4_x.txt", "stg4_*;rpl4_*"));  // the name's start is not the extension
    EXPECT_FALSE(MatchFilePattern("noext", "stg4_*"));
    EXPECT_TRUE(MatchFilePattern("r.rpl4_825", "*.rpl4_825"));
    EXPECT_FALSE(MatchFilePattern("r.rpl4_824", "*.rpl4_825"));
    EXPECT_TRUE(MatchFilePattern("ソ.rpl4_825", "*.RPL4_825"));
    EXPECT_TRUE(MatchFilePattern("x", "*"));
}

TEST_F(FileDialogTest, OpenByTypingAName) {
    cDialogScript script;
    script.Text("A.STG4_825").Key(SDLK_RETURN);
    char buf[MAX_PATH];
    std::vector<std::string> results{"kept"};
    ASSERT_EQ(GetOpenFileNames(nullptr, buf, sizeof buf, "data\\stg4\\", "ステージファイルの読み込み", filter.c_str(),
                               nullptr, 0, &results),
              1);
    EXPECT_EQ(std::string(buf), Full("data\\stg4\\A.STG4_825"));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1], std::string(buf));
    EXPECT_EQ(ToNativePath(buf, false), (dir.Path() / "data" / "stg4" / "a.stg4_825").string());
}

TEST_F(FileDialogTest, OpenThroughTheListAndAJapaneseFolder) {
    // Down enters the list on "..": then [表], a.stg4_825, B.RPL4_825 (notes.txt is filtered out).
    cDialogScript script;
    script.Key(SDLK_DOWN).Key(SDLK_DOWN).Key(SDLK_RETURN).Key(SDLK_DOWN).Key(SDLK_DOWN).Key(SDLK_RETURN);
    char buf[MAX_PATH];
    ASSERT_EQ(GetOpenFileNames(nullptr, buf, sizeof buf, "data\\stg4", "t", filter.c_str(), nullptr, 0, nullptr), 1);
    EXPECT_EQ(std::string(buf), Full("data\\stg4\\表\\d.stg4_1"));
}

TEST_F(FileDialogTest, AMissingFileIsRefusedAndCancelChoosesNothing) {
    static int boxes = 0;
    boxes = 0;
    SetMesBoxPresenter([](const std::string&, const std::string&, unsigned) {
        ++boxes;
        return static_cast<int>(IDOK);
    });
    cDialogScript script;
    script.Text("zzz.stg4_1").Key(SDLK_RETURN).Key(SDLK_ESCAPE);
    char buf[MAX_PATH] = "old";
    std::vector<std::string> results;
    EXPECT_EQ(GetOpenFileNames(nullptr, buf, sizeof buf, "data\\stg4\\", "t", filter.c_str(), nullptr, 0, &results), 0);
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(buf[0], 0);
}

TEST_F(FileDialogTest, SaveAddsTheExtensionAndAsksBeforeOverwriting) {
    const std::string ext = "rpl4_825";
    const std::string f = MakeFileFilter("ReplayFile ( *.rpl4_825 )", "*.rpl4_825");
    {
        cDialogScript script;
        script.Key(SDLK_RETURN);  // the proposed name stands in the box
        char buf[MAX_PATH] = "replay01";
        ASSERT_EQ(SaveFileDialog(nullptr, buf, "user_data\\rpl4\\", "リプレイファイルの保存", f.c_str(), ext.c_str()), 1);
        EXPECT_EQ(std::string(buf), Full("replay01.rpl4_825"));  // no such folder yet: the program folder
    }
    Touch(dir.Path() / "user_data" / "rpl4" / "r.rpl4_825");
    static std::vector<int> answers;
    answers = {IDNO, IDYES};
    SetMesBoxPresenter([](const std::string&, const std::string&, unsigned style) {
        EXPECT_EQ(style & 0xF, static_cast<unsigned>(MB_YESNO));
        int a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    cDialogScript script;
    script.Key(SDLK_RETURN).Key(SDLK_RETURN);
    char buf[MAX_PATH] = "R";
    ASSERT_EQ(SaveFileDialog(nullptr, buf, "user_data\\rpl4\\", "t", f.c_str(), ext.c_str()), 1);
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(std::string(buf), Full("user_data\\rpl4\\R.rpl4_825"));
    EXPECT_EQ(ToNativePath(buf, true), (dir.Path() / "user_data" / "rpl4" / "r.rpl4_825").string());
}

TEST_F(FileDialogTest, EachSaveDialogShowsItsOwnProposal) {
    // In the program's window (one ImGui context for both) two dialogs open in
    // turn at the same address, so with the same widget ids: the second keeps
    // nothing of the first one's name box.
    const SdlWindowPtr w(SDL_CreateWindow("host", 0, 0, 640, 480, 0));
    ASSERT_NE(w, nullptr);
    const SdlRendererPtr r(SDL_CreateRenderer(w.get(), -1, SDL_RENDERER_SOFTWARE));
    ASSERT_NE(r, nullptr);
    DIALOGHOST host;
    host.window = w.get();
    host.renderer = r.get();
    SetDialogHost(host);
    fs::create_directories(dir.Path() / "user_data" / "rpl4");
    const std::string f = MakeFileFilter("ReplayFile ( *.rpl4_825 )", "*.rpl4_825");
    std::vector<std::string> saved;
    for (const std::string& proposed : {Full("user_data\\rpl4\\first"), std::string("user_data\\rpl4\\second")}) {
        cDialogScript script;
        script.Wait(3).Key(SDLK_RETURN);  // the name box is being edited when Enter comes
        char buf[MAX_PATH] = {};
        proposed.copy(buf, sizeof buf - 1);
        ASSERT_EQ(SaveFileDialog(nullptr, buf, "", "t", f.c_str(), "rpl4_825"), 1);
        saved.push_back(buf);
    }
    ResetDialogHost();
    EXPECT_EQ(saved, (std::vector<std::string>{Full("user_data\\rpl4\\first.rpl4_825"),
                                               Full("user_data\\rpl4\\second.rpl4_825")}));
}

TEST_F(FileDialogTest, SeveralFilesAtOnce) {
    // Down to "..", [表], a.stg4_825; Space marks it; Down, Space marks B.RPL4_825; Enter takes both.
    cDialogScript script;
    script.Key(SDLK_DOWN).Key(SDLK_DOWN).Key(SDLK_DOWN).Key(SDLK_SPACE).Key(SDLK_DOWN).Key(SDLK_SPACE).Key(SDLK_RETURN);
    char buf[MAX_PATH];
    std::vector<std::string> results;
    ASSERT_EQ(GetOpenFileNames(nullptr, buf, sizeof buf, "data\\stg4", "t", filter.c_str(), nullptr, 1, &results), 1);
    const std::string folder = Full("data\\stg4");
    EXPECT_EQ(results, (std::vector<std::string>{folder + "\\a.stg4_825", folder + "\\B.RPL4_825"}));
    // The buffer: the folder, then each name, each ended by a zero byte.
    EXPECT_EQ(std::string(buf), folder);
    EXPECT_EQ(std::string(buf + folder.size() + 1), "a.stg4_825");
    EXPECT_EQ(std::string(buf + folder.size() + 12), "B.RPL4_825");
}

// With QV_AUTO_ANSWER=1 the dialogs take their default answers at once.
using FileDialogAuto = cAutoAnswerTest;

TEST_F(FileDialogAuto, OpenCancelsAndSaveTakesTheProposedName) {
    ASSERT_TRUE(IsAutoAnswer());
    cTempDir dir;
    cWorkDirGuard cwd(dir.Path());
    const std::string f = MakeFileFilter("ReplayFile ( *.rpl4_825 )", "*.rpl4_825");
    char buf[MAX_PATH] = "x";
    std::vector<std::string> results;
    EXPECT_EQ(GetOpenFileNames(nullptr, buf, sizeof buf, "", "t", f.c_str(), nullptr, 0, &results), 0);
    EXPECT_TRUE(results.empty());
    char save[MAX_PATH] = "new";
    EXPECT_EQ(SaveFileDialog(nullptr, save, "", "t", f.c_str(), "rpl4_825"), 1);
    std::string want = "new.rpl4_825";
    MakeFullPathStr(want);
    EXPECT_EQ(std::string(save), want);
}

}  // namespace
