#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/system/cp932.h"
#include "platform/system/file_name.h"
#include "platform/system/font_sjis.h"
#include "platform/system/path.h"
#include "records/services.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// 表 and ソ end in the byte of a backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

// Runs a test inside a folder and goes back afterwards.
using cChdir = cWorkDirGuard;

TEST(SjisText, TrailBackslashIsNeverASeparator) {
    EXPECT_EQ(SplitProgramPath("a\\" + kHyo + "\\" + kSo + "x\\b"),
              (std::vector<std::string>{"a", kHyo, kSo + "x", "b"}));
    EXPECT_EQ(SplitProgramPath("\\\\a//b\\"), (std::vector<std::string>{"a", "b"}));

    char path[MAX_PATH];
    std::string p = "data\\" + kHyo + kSo + "\\file.dat";
    std::snprintf(path, sizeof path, "%s", p.c_str());
    GetFileNameFromPath(path);
    EXPECT_STREQ(path, "file.dat");
    // The last folder name ends in ソ: without a real backslash after it, it is kept whole.
    p = "data\\" + kSo;
    std::snprintf(path, sizeof path, "%s", p.c_str());
    GetFileNameFromPath(path);
    EXPECT_EQ(std::string(path), kSo);
    std::snprintf(path, sizeof path, "\\top");
    GetFileNameFromPath(path);
    EXPECT_STREQ(path, "top");
    std::snprintf(path, sizeof path, "plain");
    GetFileNameFromPath(path);
    EXPECT_STREQ(path, "plain");
}

TEST(SjisText, CountsCharactersAndLines) {
    EXPECT_EQ(GetSjisCharCount((kHyo + "a\n").c_str()), 2);
    EXPECT_EQ(GetSjisCharCount("\xB1\xB2"), 2);  // half-width katakana are single bytes
    EXPECT_EQ(GetLineLength("ab\ncd"), 2);
    EXPECT_EQ(GetLineLength(""), 0);
    EXPECT_EQ(IsSjisPair("\x81"), 0);  // a lead byte before the end is no pair
}

TEST(Extensions, UseTheLastDotOfTheFileName) {
    char buf[MAX_PATH];
    EXPECT_EQ(ChangeExtension(buf, "a.b.c", "mid"), 1);
    EXPECT_STREQ(buf, "a.b.mid");
    EXPECT_EQ(ChangeExtension(buf, "a.b.c", nullptr), 1);
    EXPECT_STREQ(buf, "a.b");
    EXPECT_EQ(ChangeExtension(buf, "dir.b\\file", "x"), 0);
    EXPECT_STREQ(buf, "dir.b\\file");

    // The dot of a folder name is no extension of the file.
    EXPECT_EQ(GetExtension(buf, "dir.b\\file"), 0);
    EXPECT_EQ(GetExtension(buf, "dir.b\\file.ogg"), 1);
    EXPECT_STREQ(buf, "ogg");
    EXPECT_EQ(GetExtension(buf, "noext"), 0);
    std::string name = kSo + ".dat";
    EXPECT_EQ(GetExtension(buf, name.c_str()), 1);
    EXPECT_STREQ(buf, "dat");

    char n[MAX_PATH] = "stage\\a.stg4_825";
    EXPECT_EQ(RemoveExtension(n), 1);
    EXPECT_STREQ(n, "stage\\a");
    EXPECT_EQ(RemoveExtension(n), 0);
    std::string s = "x.y.z";
    EXPECT_EQ(RemoveExtensionStr(s), 1);
    EXPECT_EQ(s, "x.y");
}

TEST(Extensions, NumberedNames) {
    char buf[MAX_PATH];
    EXPECT_EQ(MakeNumberedName(buf, "replay.dat", 3), 1);
    EXPECT_STREQ(buf, "replay (3).dat");
    EXPECT_EQ(MakeNumberedName(buf, "user_data\\rpl4\\r.rpl4_825", 12), 1);
    EXPECT_STREQ(buf, "user_data\\rpl4\\r (12).rpl4_825");
    EXPECT_EQ(MakeNumberedName(buf, "replay", 3), 0);
}

TEST(Extensions, ResultsTooLongAreRefused) {
    char buf[MAX_PATH] = "keep";
    std::string longName(MAX_PATH - 3, 'a');
    longName += ".b";
    EXPECT_EQ(ChangeExtension(buf, longName.c_str(), "longer"), 0);
    EXPECT_EQ(MakeNumberedName(buf, longName.c_str(), 1000), 0);
}

TEST(NumberedFiles, FindsTheHighestNumber) {
    cTempDir dir;
    cChdir cd(dir.Path());
    Touch(dir.Path() / "Stage" / "s.x_001");
    Touch(dir.Path() / "Stage" / "S.X_010");  // found whatever its case
    Touch(dir.Path() / "Stage" / "s.y_500");
    char buf[MAX_PATH];
    EXPECT_EQ(FindLastNumberedFile(buf, "stage\\s.old", "x"), 1);
    EXPECT_STREQ(buf, "stage\\s.x_010");
    EXPECT_EQ(FindLastNumberedFile(buf, "stage\\s", "y"), 0);  // "s" has no "." to change
    EXPECT_EQ(FindLastNumberedFile(buf, "stage\\t.x", "x"), 0);
    std::string s;
    EXPECT_EQ(FindLastNumberedFileStr(s, "stage\\s.y", "y"), 1);
    EXPECT_EQ(s, "stage\\s.y_500");
}

TEST(NativePaths, ResolvesEveryComponentWhateverItsCase) {
    cTempDir dir;
    cChdir cd(dir.Path());
    Touch(dir.Path() / "bmp" / "chara1.bmp");
    Touch(dir.Path() / U8(u8"データ") / U8(u8"表ソＡ.txt"));
    EXPECT_EQ(ToNativePath("BMP\\Chara1.BMP", false), "bmp/chara1.bmp");
    EXPECT_EQ(ToNativePath("bmp/chara1.bmp", false), "bmp/chara1.bmp");
    // Full-width letters fold too; the 0x5C bytes inside 表 and ソ do not split.
    EXPECT_EQ(ToNativePath("データ\\" + kHyo + kSo + "ａ.TXT", false), U8(u8"データ/表ソＡ.txt"));
    EXPECT_EQ(ToNativePath(".\\bmp\\..\\BMP\\", false), "bmp/");
    // What does not exist keeps the case given.
    EXPECT_EQ(ToNativePath("Bmp\\New\\Save.DAT", true), "bmp/New/Save.DAT");
    EXPECT_EQ(ToNativePath("", false), ".");
}

TEST(NativePaths, FindsNamesStoredAsRawCp932) {
    cTempDir dir;
    cChdir cd(dir.Path());
    const std::string raw = "\x83\x66\x81\x5B\x83\x5E";  // データ as CP932 bytes
    fs::create_directory(dir.Path() / raw);
    Touch(dir.Path() / raw / "Map.txt");
    EXPECT_EQ(ToNativePath("データ\\map.TXT", false), raw + "/Map.txt");
}

TEST(NativePaths, FullPathsAndTheServiceHook) {
    cTempDir dir;
    cChdir cd(dir.Path());
    Touch(dir.Path() / "Data" / "a.txt");
    std::string cwd = GetCurrentProgramFolder();
    ASSERT_FALSE(cwd.empty());
    EXPECT_EQ(cwd[0], '\\');
    EXPECT_EQ(ToNativePath(cwd + "\\DATA\\A.TXT", false), (fs::current_path() / "Data" / "a.txt").string());

    RECORDSERVICES services;
    SetPathService(services);
    SetRecordServices(services);
    EXPECT_EQ(RecNativePath("data\\A.txt", false), "Data/a.txt");
    ResetRecordServices();
}

TEST(RelativePaths, BothDirections) {
    cTempDir dir;
    cChdir cd(dir.Path());
    const std::string cwd = GetCurrentProgramFolder();
    char buf[MAX_PATH];
    std::snprintf(buf, sizeof buf, "default\\");
    ASSERT_EQ(MakeFullPath(buf), 1);
    EXPECT_EQ(std::string(buf), cwd + "\\default\\");
    std::snprintf(buf, sizeof buf, "a\\..\\b\\.\\c.txt");
    ASSERT_EQ(MakeFullPath(buf), 1);
    EXPECT_EQ(std::string(buf), cwd + "\\b\\c.txt");

    std::string s = cwd + "\\data\\stg4\\x.stg4_825";
    ASSERT_EQ(MakeRelativePathStr(s), 1);
    EXPECT_EQ(s, ".\\data\\stg4\\x.stg4_825");
    s = cwd.substr(0, cwd.rfind('\\')) + "\\other\\y.txt";
    ASSERT_EQ(MakeRelativePathStr(s), 1);
    EXPECT_EQ(s, "..\\other\\y.txt");
    s = "already\\relative";
    EXPECT_EQ(MakeRelativePathStr(s), 1);
    EXPECT_EQ(s, "already\\relative");
    s = "C:\\elsewhere";
    EXPECT_EQ(MakeRelativePathStr(s), 0);
}

}  // namespace
